#include "kit/keys/Crypto.h"
#include "kit/keys/KeyFile.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

using Kind = KeyFile::Failure::Kind;

const QString passphrase = u"correct horse"_s;
constexpr int fewRounds = 1000;

ProjectKey sampleKey()
{
    ProjectKey key(u"Clients"_s, QUuid::fromString(u"0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D"_s),
                   QDateTime::fromSecsSinceEpoch(1741944413, Qt::UTC));
    key.assignSubstitute(u"John"_s, EntryKind::firstName, {});
    key.addFile(u"clients.csv"_s);
    return key;
}

KeyFile passphraseFile(const ProjectKey &key = sampleKey())
{
    const QByteArray salt = KeyFile::newSalt();
    return KeyFile::seal(key, KeyFile::Protection::passphrase(salt, fewRounds),
                         KeyFile::deriveSecret(passphrase, salt, fewRounds));
}

QJsonObject jsonOf(const KeyFile &file)
{
    return QJsonDocument::fromJson(file.data()).object();
}

QByteArray bytesOf(const QJsonObject &object)
{
    return QJsonDocument(object).toJson();
}

// The failure a piece of code ends in, or nothing when it succeeds.
template<typename F>
std::optional<Kind> failureOf(F &&f)
{
    try {
        f();
    } catch (const KeyFile::Failure &failure) {
        return failure.kind();
    }
    return std::nullopt;
}

QJsonObject with(QJsonObject object, const QString &member, const QJsonValue &value)
{
    object[member] = value;
    return object;
}

QJsonObject withPassphraseMember(QJsonObject object, const QString &name, const QJsonValue &value)
{
    const QJsonObject protection = object[u"protection"_s].toObject();
    return with(object, u"protection"_s,
                with(protection, u"passphrase"_s, with(protection[u"passphrase"_s].toObject(), name, value)));
}

} // namespace

TEST(KeyFile, SealsAndOpensWithAPassphrase)
{
    const ProjectKey key = sampleKey();
    const KeyFile file = passphraseFile(key);
    const QByteArray data = file.data();
    EXPECT_TRUE(data.startsWith("{\"box\":\""));
    EXPECT_TRUE(data.contains("\"created\":\"2025-03-14T09:26:53Z\",\"format\":1,"
                              "\"id\":\"0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D\",\"name\":\"Clients\","
                              "\"protection\":{\"passphrase\":{\"rounds\":1000,\"salt\":\""));

    const KeyFile read(data);
    EXPECT_EQ(read.header(), "1|0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D|1741944413|passphrase|"
                                 + read.protection().salt.toBase64() + "|1000");
    EXPECT_EQ(read.open(passphrase).toJson(), key.toJson());
    EXPECT_EQ(failureOf([&] { read.open(u"correct horsf"_s); }), Kind::wrongPassphrase);
    // A fresh nonce every time.
    EXPECT_NE(passphraseFile(key).box(), file.box());
}

// Boxes of several hundred kilobytes, each a different length past a multiple
// of three, are written and read back whole: their text is built in pieces.
TEST(KeyFile, LargeKeysSealAndOpenWhole)
{
    ProjectKey key = sampleKey();
    for (int i = 0; i < 9000; ++i) {
        key.record({EntryKind::email, u"person%1@example.com"_s.arg(i), u"stand%1@example.org"_s.arg(i)});
        if (i % 3000 != 2999)
            continue;
        const KeyFile file = passphraseFile(key);
        ASSERT_GT(file.box().size(), 3 << 16);
        const QByteArray data = file.data();
        EXPECT_EQ(QByteArrayView(data).sliced(8, data.indexOf('"', 8) - 8), file.box().toBase64()) << i;
        EXPECT_EQ(KeyFile(data).open(passphrase).toJson(), key.toJson()) << i;
        // Written over a freshly sealed box, and over one still shared.
        KeyFile fresh = passphraseFile(key);
        const QByteArray freshData = fresh.data();
        const KeyFile sharing = fresh;
        EXPECT_EQ(KeyFile(sharing).takeData(), freshData) << i;
        EXPECT_EQ(std::move(fresh).takeData(), freshData) << i;
        EXPECT_EQ(sharing.data(), freshData) << i;
    }
}

// Sealed in the plaintext's own buffer when it has the room, in a new one
// when it hasn't; both open to the plaintext.
TEST(KeyFile, BoxesSealedInPlaceOpen)
{
    const QByteArray secret = KeyFile::newSecret();
    for (const QByteArray &plaintext : {QByteArray(), QByteArray("a"), QByteArray(70000, 'x')}) {
        QByteArray tight = plaintext;
        tight.squeeze();
        QByteArray spacious;
        spacious.reserve(plaintext.size() + 100);
        spacious.append(plaintext);
        for (QByteArray *box : {&tight, &spacious}) {
            crypto::sealAesGcmInPlace(secret, *box, "header");
            EXPECT_EQ(crypto::openAesGcm(secret, *box, "header"), plaintext);
        }
    }
}

TEST(KeyFile, KeychainFilesOpenWithTheirSecretOnly)
{
    const QByteArray secret = KeyFile::newSecret();
    const KeyFile file(KeyFile::seal(sampleKey(), KeyFile::Protection::keychain(), secret).data());
    EXPECT_EQ(file.header(), "1|0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D|1741944413|keychain");
    EXPECT_TRUE(file.data().contains("\"protection\":{\"keychain\":{}}"));
    EXPECT_EQ(file.open(secret).name(), u"Clients");
    EXPECT_EQ(failureOf([&] { file.open(KeyFile::newSecret()); }), Kind::damaged);
}

// The open name isn't sealed, so it is checked against the sealed one: an
// edited name must not pass for the key's own.
TEST(KeyFile, NeitherTheOpenNameNorTheHeaderMayChange)
{
    const QJsonObject json = jsonOf(passphraseFile());
    EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(with(json, u"name"_s, u"Clientz"_s))).open(passphrase); }), Kind::damaged);

    for (const QJsonObject &changed : {with(json, u"created"_s, u"2025-03-14T09:26:54Z"_s),
                                       with(json, u"id"_s, u"1F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D"_s),
                                       withPassphraseMember(json, u"salt"_s, u"AAAAAAAAAAAAAAAAAAAAAA=="_s),
                                       withPassphraseMember(json, u"rounds"_s, fewRounds + 1)})
        EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(changed)).open(passphrase); }), Kind::wrongPassphrase);

    const QByteArray secret = KeyFile::newSecret();
    const QJsonObject keychain = with(jsonOf(KeyFile::seal(sampleKey(), KeyFile::Protection::keychain(), secret)),
                                      u"created"_s, u"2025-03-14T09:26:54Z"_s);
    EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(keychain)).open(secret); }), Kind::damaged);
}

TEST(KeyFile, MalformedMembersAreDamaged)
{
    const QJsonObject json = jsonOf(passphraseFile());
    const QJsonObject bothProtections{{u"keychain"_s, QJsonObject()},
                                      {u"passphrase"_s, json[u"protection"_s][u"passphrase"_s]}};
    QList<QJsonObject> broken{with(json, u"protection"_s, bothProtections), with(json, u"protection"_s, QJsonObject()),
                              with(json, u"created"_s, u"14 March 2025"_s), with(json, u"id"_s, u"not-a-uuid"_s),
                              withPassphraseMember(json, u"salt"_s, u"AA=A"_s)};
    for (const QString &member : json.keys()) {
        QJsonObject missing = json;
        missing.remove(member);
        broken.append(missing);
    }
    for (const QJsonValue &rounds : {QJsonValue(0), QJsonValue(-1), QJsonValue(999), QJsonValue(10000001),
                                     QJsonValue(4294967295.0), QJsonValue(1.5), QJsonValue(u"600000"_s)})
        broken.append(withPassphraseMember(json, u"rounds"_s, rounds));
    for (const QJsonObject &object : broken)
        EXPECT_EQ(failureOf([&] { KeyFile{bytesOf(object)}; }), Kind::damaged) << bytesOf(object).toStdString();

    const QJsonObject largest = withPassphraseMember(json, u"rounds"_s, 10000000);
    EXPECT_EQ(KeyFile(bytesOf(largest)).protection().rounds, 10000000);
}

// What an import can check before anyone types a passphrase.
TEST(KeyFile, DamageVisibleWithoutTheSecretIsFound)
{
    const QJsonObject json = jsonOf(passphraseFile());
    EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(json)).checkWithoutSecret(); }), std::nullopt);
    for (const QJsonObject &object :
         {with(json, u"box"_s, QString::fromLatin1(QByteArray(27, 'x').toBase64())), with(json, u"format"_s, 0),
          withPassphraseMember(json, u"salt"_s, QString::fromLatin1(QByteArray(15, 's').toBase64())),
          with(json, u"id"_s, u"00000000-0000-0000-0000-000000000000"_s)})
        EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(object)).checkWithoutSecret(); }), Kind::damaged)
            << bytesOf(object).toStdString();
}

// A box too short to hold a nonce and tag fails like a wrong secret; one that
// authenticates under the file's header but holds another key is damaged.
TEST(KeyFile, BoxesThatAreShortOrHoldAnotherKeyAreRefused)
{
    const QJsonObject shortBox = with(jsonOf(passphraseFile()), u"box"_s, QString::fromLatin1(QByteArray(27, 'x').toBase64()));
    EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(shortBox)).open(passphrase); }), Kind::wrongPassphrase);

    const QByteArray secret = KeyFile::newSecret();
    const KeyFile file = KeyFile::seal(sampleKey(), KeyFile::Protection::keychain(), secret);
    QJsonObject json = jsonOf(file);
    for (const QByteArray &inside : {ProjectKey(u"Other"_s).toJson(), QByteArray("{\"id\":1}")}) {
        json[u"box"_s] = QString::fromLatin1(crypto::sealAesGcm(secret, inside, file.header()).toBase64());
        EXPECT_EQ(failureOf([&] { KeyFile(bytesOf(json)).open(secret); }), Kind::damaged);
    }
}

// The box is read from the file's bytes when it comes first, as written; any
// other layout, or a second member named box, reads as the JSON classes read it.
TEST(KeyFile, TheBoxReadsAsTheJsonClassesReadIt)
{
    const KeyFile file = passphraseFile();
    const QByteArray written = file.data();
    ASSERT_TRUE(written.startsWith("{\"box\":\""));
    const QByteArray otherBox = QByteArray(40, 'b').toBase64();
    const QList<QByteArray> layouts{written, bytesOf(jsonOf(file)),
                                    written.chopped(1) + ",\"box\":\"" + otherBox + "\"}",
                                    written.chopped(1) + ",\"\\u0062ox\":\"" + otherBox + "\"}"};
    for (const QByteArray &bytes : layouts) {
        const QByteArray expected = QByteArray::fromBase64(QJsonDocument::fromJson(bytes)[u"box"_s].toString().toLatin1());
        EXPECT_EQ(KeyFile(bytes).box(), expected) << bytes.toStdString();
    }
    EXPECT_EQ(KeyFile(written).open(passphrase).toJson(), KeyFile(bytesOf(jsonOf(file))).open(passphrase).toJson());
}

// Every spelling of the box decodes as QByteArray decodes it, or is damage.
TEST(KeyFile, TheBoxDecodesAsQByteArrayDecodesIt)
{
    const QByteArray written = passphraseFile().data();
    const qsizetype boxEnd = written.indexOf('"', 8);
    QList<QByteArray> boxes{"", "QQ==", "QUI=", "QUJD", "QR==", "QUJ=", "Q===", "QU=I", "====", "QUJDRA", "QUJD\\n",
                            "QU+/", "QU-_"};
    for (int length = 0; length < 40; ++length)
        boxes.append(QByteArray(length, char('a' + length)).toBase64());
    for (const QByteArray &box : boxes) {
        const QByteArray bytes = "{\"box\":\"" + box + written.sliced(boxEnd);
        const auto decoded = QByteArray::fromBase64Encoding(box, QByteArray::AbortOnBase64DecodingErrors);
        if (decoded && box.size() % 4 == 0)
            EXPECT_EQ(KeyFile(bytes).box(), *decoded) << box.toStdString();
        else
            EXPECT_EQ(failureOf([&] { KeyFile{bytes}; }), Kind::damaged) << box.toStdString();
    }
}

// Characters count as the user sees them: a decomposed é is one, and the same as a precomposed one.
TEST(KeyFile, PassphraseRulesCountWhatTheUserSees)
{
    const QString variety = u"Use a passphrase with more variety."_s, length = u"Use at least 8 characters."_s;
    const QList<std::pair<QString, std::optional<QString>>> cases{
        {u"aaaaaaaa"_s, variety}, {u"abcabcab"_s, variety}, {u"abcdabcd"_s, std::nullopt}, {u"abcde"_s, length},
        {u"e\u0301e\u0301e\u0301e\u0301abcd"_s, std::nullopt}, {u"e\u0301e\u0301abcd"_s, length},
        {u"\u00e9e\u0301\u00e9e\u0301abab"_s, variety},
    };
    for (const auto &[typed, problem] : cases)
        EXPECT_EQ(KeyFile::passphraseProblem(typed), problem) << typed.toStdString();
}

TEST(KeyFile, DecomposedAccentsOpenAFileMadeWithPrecomposedOnes)
{
    const QByteArray salt = KeyFile::newSalt();
    EXPECT_EQ(KeyFile::deriveSecret(u"caf\u00e9 cr\u00e8me"_s, salt, fewRounds),
              KeyFile::deriveSecret(u"cafe\u0301 cre\u0300me"_s, salt, fewRounds));
    // The PBKDF2 output itself, checked against RFC 7914's test vector.
    EXPECT_EQ(KeyFile::deriveSecret(u"passwd"_s, "salt", 1).toHex(),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc");
}

// Every byte sequence ends in one of the three failures or in a key; kept
// inputs that once crashed the reader are replayed here.
TEST(KeyFile, DamagedBytesNeverCrash)
{
    const QByteArray secret = KeyFile::newSecret();
    const QByteArray good = KeyFile::seal(sampleKey(), KeyFile::Protection::keychain(), secret).data();
    QList<QByteArray> inputs{QByteArray(), "null", "[]", "{", QByteArray(1, '\0'), "\xff\xfe{}"};
    for (qsizetype cut = 0; cut < good.size(); cut += 7)
        inputs.append(good.left(cut));
    for (qsizetype at = 0; at < good.size(); at += 5) {
        QByteArray flipped = good;
        flipped[at] = char(flipped[at] ^ 0x20);
        inputs.append(flipped);
    }
    QDirIterator kept(QStringLiteral(QUORVANE_TEST_DATA "/fuzz/keyfile"), QDir::Files);
    while (kept.hasNext())
        inputs.append(test::readBytes(kept.next()));
    for (const QByteArray &input : inputs) {
        try {
            KeyFile(input).open(secret);
        } catch (const KeyFile::Failure &) {
        }
    }
}
