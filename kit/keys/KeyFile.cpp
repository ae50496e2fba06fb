#include "kit/keys/KeyFile.h"

#include "kit/keys/Crypto.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

using Kind = KeyFile::Failure::Kind;

// The largest integer a JSON number (a double) holds exactly.
constexpr double maxExactInteger = 9007199254740992.0;

[[noreturn]] void fail(Kind kind)
{
    throw KeyFile::Failure(kind);
}

QJsonValue required(const QJsonObject &object, const QString &name)
{
    const auto it = object.constFind(name);
    if (it == object.constEnd())
        fail(Kind::damaged);
    return *it;
}

QString requiredString(const QJsonObject &object, const QString &name)
{
    const QJsonValue value = required(object, name);
    if (!value.isString())
        fail(Kind::damaged);
    return value.toString();
}

// JSON numbers arrive as doubles; only whole numbers in range are integers.
int64_t requiredInteger(const QJsonObject &object, const QString &name, double low, double high)
{
    const QJsonValue value = required(object, name);
    if (!value.isDouble())
        fail(Kind::damaged);
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::trunc(number) || number < low || number > high)
        fail(Kind::damaged);
    return int64_t(number);
}

QJsonObject requiredObject(const QJsonObject &object, const QString &name)
{
    const QJsonValue value = required(object, name);
    if (!value.isObject())
        fail(Kind::damaged);
    return value.toObject();
}

constexpr uchar notBase64 = 0xFF;

constexpr std::array<uchar, 256> base64Values()
{
    std::array<uchar, 256> values{};
    values.fill(notBase64);
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (uchar i = 0; i < 64; ++i)
        values[uchar(alphabet[i])] = i;
    return values;
}

// Base64 in its one canonical spelling (whole groups of four, padding only
// at the end, no stray bits in the last group), decoded many times as fast
// as QByteArray does; nothing for any other text.
std::optional<QByteArray> canonicalBase64(QByteArrayView text)
{
    static constexpr std::array<uchar, 256> values = base64Values();
    if (text.size() % 4 != 0)
        return std::nullopt;
    const qsizetype padding = text.endsWith("==") ? 2 : text.endsWith('=') ? 1 : 0;
    const auto *in = reinterpret_cast<const uchar *>(text.data());
    const qsizetype digits = text.size() - padding;
    QByteArray bytes(digits * 3 / 4, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    uint32_t bits = 0;
    uchar invalid = 0;
    qsizetype i = 0;
    for (; i + 4 <= digits; i += 4) {
        const uchar a = values[in[i]], b = values[in[i + 1]], c = values[in[i + 2]], d = values[in[i + 3]];
        invalid |= a | b | c | d;
        bits = uint32_t(a) << 18 | uint32_t(b) << 12 | uint32_t(c) << 6 | d;
        *out++ = uchar(bits >> 16);
        *out++ = uchar(bits >> 8);
        *out++ = uchar(bits);
    }
    bits = 0;
    for (qsizetype k = i; k < digits; ++k) {
        invalid |= values[in[k]];
        bits = bits << 6 | (values[in[k]] & 0x3F);
    }
    // Two digits carry one byte and four stray bits, three carry two and two.
    if (padding == 2) {
        *out++ = uchar(bits >> 4);
        invalid |= (bits & 0x0F) ? notBase64 : 0;
    } else if (padding == 1) {
        *out++ = uchar(bits >> 10);
        *out++ = uchar(bits >> 2);
        invalid |= (bits & 0x03) ? notBase64 : 0;
    }
    if (invalid & 0xC0)
        return std::nullopt;
    return bytes;
}

// The box is nearly all of a key file: a large key's is tens of megabytes of
// Base64, which the JSON classes would copy several times over as text.
// Written first and canonical, as this program writes it, it is decoded
// straight from the file's bytes, and the JSON classes read the rest with an
// empty box in its place. A box of only Base64 digits holds nothing the JSON
// classes would read differently.
struct SplitBox
{
    QByteArray box;
    QByteArray rest;
};

std::optional<SplitBox> splitBox(const QByteArray &data)
{
    constexpr QByteArrayView opening = "{\"box\":\"";
    if (!QByteArrayView(data).startsWith(opening))
        return std::nullopt;
    const qsizetype end = data.indexOf('"', opening.size());
    if (end < 0)
        return std::nullopt;
    const QByteArrayView after = QByteArrayView(data).sliced(end);
    // A second member named box, perhaps spelled with escapes, is the JSON classes' to judge.
    if (after.contains("box") || after.contains("\\u"))
        return std::nullopt;
    std::optional<QByteArray> box = canonicalBase64(QByteArrayView(data).sliced(opening.size(), end - opening.size()));
    if (!box)
        return std::nullopt;
    QByteArray rest;
    rest.reserve(opening.size() + after.size());
    rest.append(opening).append(after);
    return SplitBox{std::move(*box), std::move(rest)};
}

KeyFile::Protection decodeProtection(const QJsonObject &object)
{
    if (object.size() != 1)
        fail(Kind::damaged);
    if (object.contains(u"keychain"_s)) {
        requiredObject(object, u"keychain"_s);
        return KeyFile::Protection::keychain();
    }
    const QJsonObject passphrase = requiredObject(object, u"passphrase"_s);
    const std::optional<QByteArray> salt = ProjectKey::bytesFromBase64(requiredString(passphrase, u"salt"_s));
    if (!salt)
        fail(Kind::damaged);
    const int64_t rounds = requiredInteger(passphrase, u"rounds"_s, double(KeyFile::fewestRounds),
                                           double(KeyFile::mostRounds));
    return KeyFile::Protection::passphrase(*salt, rounds);
}

QJsonObject encodeProtection(const KeyFile::Protection &protection)
{
    if (!protection.isPassphrase())
        return {{u"keychain"_s, QJsonObject()}};
    return {{u"passphrase"_s,
             QJsonObject{{u"rounds"_s, double(protection.rounds)},
                         {u"salt"_s, QString::fromLatin1(protection.salt.toBase64())}}}};
}

} // namespace

KeyFile::Failure::Failure(Kind kind) : quorvane::Failure(description(kind)), m_kind(kind) {}

QString KeyFile::Failure::description(Kind kind)
{
    switch (kind) {
    case Kind::wrongPassphrase: return u"That passphrase doesn’t open this key."_s;
    case Kind::damaged: return u"The key file is damaged or isn’t a Quorvane key."_s;
    case Kind::newerFormat: return u"This key was saved by a newer version of Quorvane."_s;
    }
    return {};
}

KeyFile::KeyFile(const QByteArray &data)
{
    const std::optional<SplitBox> split = splitBox(data);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(split ? split->rest : data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        fail(Kind::damaged);
    const QJsonObject object = document.object();

    const QString boxText = requiredString(object, u"box"_s);
    const std::optional<QByteArray> box = split ? split->box : ProjectKey::bytesFromBase64(boxText);
    const std::optional<QDateTime> created = ProjectKey::dateFromText(requiredString(object, u"created"_s));
    // Any whole number is a format; only the current one or older can be read.
    const int64_t format = requiredInteger(object, u"format"_s, double(INT32_MIN), maxExactInteger);
    const std::optional<QUuid> id = ProjectKey::uuidFromText(requiredString(object, u"id"_s));
    const QString name = requiredString(object, u"name"_s);
    const Protection protection = decodeProtection(requiredObject(object, u"protection"_s));
    if (!box || !created || !id)
        fail(Kind::damaged);
    if (format > currentFormat)
        fail(Kind::newerFormat);

    m_format = int(format);
    m_id = *id;
    m_name = name;
    m_created = *created;
    m_protection = protection;
    m_box = *box;
}

KeyFile KeyFile::seal(const ProjectKey &key, const Protection &protection, const QByteArray &fileSecret)
{
    KeyFile file;
    file.m_id = key.id();
    file.m_name = key.name();
    file.m_created = key.created();
    file.m_protection = protection;
    QByteArray text = key.toJson();
    try {
        crypto::sealAesGcmInPlace(fileSecret, text, file.header());
    } catch (...) {
        crypto::wipe(text);
        throw;
    }
    file.m_box = std::move(text);
    return file;
}

ProjectKey KeyFile::open(const QByteArray &fileSecret) const
{
    return open(fileSecret, ProjectKey::fromJson);
}

ProjectKey KeyFile::open(const QByteArray &fileSecret, const Reader &read) const
{
    if (m_format > currentFormat)
        fail(Kind::newerFormat);
    std::optional<QByteArray> plaintext = crypto::openAesGcm(fileSecret, m_box, header());
    if (!plaintext)
        fail(m_protection.isPassphrase() ? Kind::wrongPassphrase : Kind::damaged);
    crypto::WipeOnExit wipePlaintext(*plaintext);
    std::optional<ProjectKey> key;
    try {
        key = read(*plaintext);
    } catch (const std::exception &) {
        fail(Kind::damaged);
    }
    if (key->id() != m_id || key->name() != m_name)
        fail(Kind::damaged);
    return std::move(*key);
}

ProjectKey KeyFile::open(const QString &passphrase) const
{
    if (m_format > currentFormat)
        fail(Kind::newerFormat);
    if (!m_protection.isPassphrase())
        fail(Kind::damaged);
    QByteArray secret = deriveSecret(passphrase, m_protection.salt, m_protection.rounds);
    crypto::WipeOnExit wipeSecret(secret);
    return open(secret);
}

void KeyFile::checkWithoutSecret() const
{
    if (m_format > currentFormat)
        fail(Kind::newerFormat);
    const bool saltFits = !m_protection.isPassphrase() || m_protection.salt.size() == saltLength;
    if (m_format < 1 || m_box.size() < smallestBox || !saltFits || m_id.isNull())
        fail(Kind::damaged);
}

QByteArray KeyFile::deriveSecret(const QString &passphrase, const QByteArray &salt, int64_t rounds)
{
    QByteArray bytes = passphrase.normalized(QString::NormalizationForm_C).toUtf8();
    crypto::WipeOnExit wipeBytes(bytes);
    return crypto::pbkdf2Sha256(bytes, salt, uint32_t(std::clamp<int64_t>(rounds, 1, UINT32_MAX)), secretLength);
}

QByteArray KeyFile::newSalt()
{
    return crypto::randomBytes(saltLength);
}

QByteArray KeyFile::newSecret()
{
    return crypto::randomBytes(secretLength);
}

std::optional<QString> KeyFile::passphraseProblem(const QString &passphrase)
{
    // Count what the user sees as characters: a base letter with its combining
    // marks, or an emoji sequence, is one; canonically equal ones are the same.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, passphrase);
    QSet<QString> distinct;
    qsizetype count = 0;
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        if (end == start)
            continue;
        distinct.insert(passphrase.mid(start, end - start).normalized(QString::NormalizationForm_C));
        ++count;
        start = end;
    }
    if (count < 8)
        return u"Use at least 8 characters."_s;
    if (distinct.size() < 4)
        return u"Use a passphrase with more variety."_s;
    return std::nullopt;
}

namespace {

// The box is nearly all of a large key's file. The JSON classes would hold
// it several times over (as UTF-16 text, in their own tree, in their
// output), so it is left empty there and written into its place. Members
// come out sorted, so the box opens the object.
constexpr QByteArrayView boxOpening = "{\"box\":\"";

qsizetype base64Size(qsizetype size)
{
    return (size + 2) / 3 * 4;
}

// Pieces of a multiple of three bytes encode without padding, just as the
// whole box would.
constexpr qsizetype base64Piece = 3 << 16;

} // namespace

QByteArray KeyFile::afterBox() const
{
    const QJsonObject object{
        {u"box"_s, QString()},
        {u"created"_s, ProjectKey::dateText(m_created)},
        {u"format"_s, m_format},
        {u"id"_s, ProjectKey::uuidText(m_id)},
        {u"name"_s, m_name},
        {u"protection"_s, encodeProtection(m_protection)},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact).sliced(boxOpening.size());
}

QByteArray KeyFile::data() const
{
    const QByteArray rest = afterBox();
    QByteArray data;
    data.reserve(boxOpening.size() + base64Size(m_box.size()) + rest.size());
    data.append(boxOpening);
    // Encoded a piece at a time into the file's own buffer, so the encoded
    // box is never held twice.
    for (qsizetype at = 0; at < m_box.size(); at += base64Piece)
        data.append(QByteArray::fromRawData(m_box.constData() + at, std::min(base64Piece, m_box.size() - at)).toBase64());
    return data.append(rest);
}

QByteArray KeyFile::takeData() &&
{
    const QByteArray rest = afterBox();
    const qsizetype size = m_box.size();
    const qsizetype encoded = base64Size(size);
    const qsizetype total = boxOpening.size() + encoded + rest.size();
    if (!m_box.isDetached() || m_box.capacity() < total)
        return data();
    // The box moves to the end of the room its encoding takes, and is encoded
    // from the front: each piece's text ends before the box bytes not yet read.
    QByteArray data = std::move(m_box);
    data.resize(total);
    char *const start = data.data();
    char *const box = start + boxOpening.size() + encoded - size;
    std::memmove(box, start, size_t(size));
    char *out = std::copy(boxOpening.begin(), boxOpening.end(), start);
    for (qsizetype at = 0; at < size; at += base64Piece) {
        const QByteArray piece =
            QByteArray::fromRawData(box + at, std::min(base64Piece, size - at)).toBase64();
        out = std::copy(piece.cbegin(), piece.cend(), out);
    }
    std::copy(rest.cbegin(), rest.cend(), out);
    return data;
}

QByteArray KeyFile::header() const
{
    QByteArray header = QByteArray::number(m_format) + '|' + ProjectKey::uuidText(m_id).toLatin1() + '|'
        + QByteArray::number(m_created.toMSecsSinceEpoch() / 1000) + '|';
    if (m_protection.isPassphrase())
        return header + "passphrase|" + m_protection.salt.toBase64() + '|' + QByteArray::number(m_protection.rounds);
    return header + "keychain";
}

} // namespace quorvane
