#include "kit/keys/ProjectKey.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

ProjectKey keyWithSecret(char fill)
{
    return ProjectKey(u"Test"_s, QUuid(), QDateTime(), QByteArray(32, fill));
}

} // namespace

TEST(ProjectKey, NormalisesEachKindForLookups)
{
    // Most forms are checked against the separate implementation in the CLI tests.
    EXPECT_EQ(ProjectKey::normalized(u"Van\u00a0der\nBerg"_s, EntryKind::lastName), u"van der berg");
    EXPECT_EQ(ProjectKey::normalized(u"12 Main St., Apt 4"_s, EntryKind::street), u"12 main st apt 4");
    EXPECT_EQ(ProjectKey::normalized(u"1 234 567 8901"_s, EntryKind::phone), u"2345678901");
    EXPECT_EQ(ProjectKey::normalized(u"22345678901"_s, EntryKind::phone), u"22345678901");
    EXPECT_EQ(ProjectKey::realKey(u"Van der Berg"_s, EntryKind::lastName), u"lastName|van der berg");
    EXPECT_EQ(ProjectKey::spaceKey(u"Boston"_s, EntryKind::city), u"word|boston");
}

TEST(ProjectKey, StandInLookupsMatchTheNamespaceNotTheKind)
{
    ProjectKey key = keyWithSecret('a');
    key.record({EntryKind::lastName, u"Smith"_s, u"Okafor"_s});
    key.record({EntryKind::street, u"1 Main St"_s, u"4821 Larkspur Ave"_s});
    EXPECT_EQ(key.entryForSubstitute(u"OKAFOR"_s, EntryKind::firstName)->real, u"Smith");
    EXPECT_TRUE(key.isSubstitute(u"okafor"_s, EntryKind::city));
    EXPECT_FALSE(key.isSubstitute(u"Okafor"_s, EntryKind::email));
    EXPECT_TRUE(key.isSubstitute(u"4821 larkspur ave."_s, EntryKind::street));
    EXPECT_EQ(key.entryForStandInKey(u"word|okafor"_s)->standIn, u"Okafor");
}

TEST(ProjectKey, CandidatesAvoidEverythingTakenInTheirNamespace)
{
    // What "Anna" gets first; once that is a real last name or a town's
    // stand-in, the first name must move on. Other namespaces don't interfere.
    const QString firstChoice = keyWithSecret('a').assignSubstitute(u"Anna"_s, EntryKind::firstName, {});
    const auto annaAfter = [](const ProjectKey::Entry &taken) {
        ProjectKey key = keyWithSecret('a');
        key.record(taken);
        return key.assignSubstitute(u"Anna"_s, EntryKind::firstName, {});
    };
    EXPECT_NE(annaAfter({EntryKind::lastName, firstChoice, u"Whatever"_s}), firstChoice);
    EXPECT_NE(annaAfter({EntryKind::city, u"Springfield"_s, firstChoice}), firstChoice);
    EXPECT_EQ(annaAfter({EntryKind::street, firstChoice, u"1 Elm St"_s}), firstChoice);
}

TEST(ProjectKey, ReservedWordsAndValuesAreRefusedButStoredStandInsStay)
{
    const QString firstChoice = keyWithSecret('c').assignSubstitute(u"Anna"_s, EntryKind::firstName, {});

    ProjectKey key = keyWithSecret('c');
    const QString avoided = key.assignSubstitute(u"Anna"_s, EntryKind::firstName, {{firstChoice.toLower()}, {}});
    EXPECT_NE(avoided, firstChoice);
    const ProjectKey::Reserved byValue{{}, {ProjectKey::spaceKey(firstChoice, EntryKind::firstName)}};
    EXPECT_NE(keyWithSecret('c').assignSubstitute(u"Anna"_s, EntryKind::firstName, byValue), firstChoice);

    // Met again, a value keeps its stand-in even when the file now reserves it.
    const ProjectKey::Reserved now{{}, {ProjectKey::spaceKey(avoided, EntryKind::firstName)}};
    EXPECT_EQ(key.assignSubstitute(u"ANNA"_s, EntryKind::firstName, now), avoided);

    // A reserved word blocks the parts of double-barrelled names, and only names and towns.
    const ProjectKey::Reserved zion{{u"zion"_s}, {}};
    EXPECT_FALSE(key.isFree(u"Abel-Zion"_s, EntryKind::firstName, zion));
    EXPECT_FALSE(key.isFree(u"ZION"_s, EntryKind::lastName, zion));
    EXPECT_TRUE(key.isFree(u"Abel-Mira"_s, EntryKind::firstName, zion));
    EXPECT_TRUE(key.isFree(u"zion@example.com"_s, EntryKind::email, zion));
}

TEST(ProjectKey, ARealValueThatWasAStandInIsRecordedAndThenAvoided)
{
    ProjectKey key = keyWithSecret('d');
    const QString given = key.assignSubstitute(u"Anna"_s, EntryKind::firstName, {});
    const QString back = key.assignSubstitute(given, EntryKind::firstName, {});
    EXPECT_NE(back, given);
    EXPECT_EQ(key.valueCount(), 2);
    EXPECT_EQ(key.entryForSubstitute(given, EntryKind::firstName)->real, u"Anna");
}

TEST(ProjectKey, JsonRoundTripKeepsEverythingAndSortsMembers)
{
    ProjectKey key(u"Näme “quoted”"_s, QUuid::createUuid(), QDateTime::fromSecsSinceEpoch(1741944413, Qt::UTC),
                   QByteArray(32, 'z'));
    key.assignSubstitute(u"John"_s, EntryKind::firstName, {});
    key.assignSubstitute(u"john@x.org"_s, EntryKind::email, {});
    key.addFile(u"a.csv"_s);
    key.addFile(u"a.csv"_s); // listed once
    const QByteArray json = key.toJson();
    EXPECT_TRUE(json.startsWith("{\"created\":\"2025-03-14T09:26:53Z\",\"entries\":[{\"kind\":\"firstName\""));
    EXPECT_TRUE(json.contains(QByteArray("\"files\":[\"a.csv\"],\"id\":\"" + ProjectKey::uuidText(key.id()).toLatin1() + "\"")));
    EXPECT_TRUE(json.endsWith("\"secret\":\"enp6enp6enp6enp6enp6enp6enp6enp6enp6enp6eno=\"}"));

    EXPECT_EQ(ProjectKey::fromJson(json).toJson(), json);
}

// Entries are written by hand when no text needs escaping: the bytes must be
// those of the JSON classes, with and without such a text among them.
TEST(ProjectKey, JsonOfEntriesIsTheJsonClassesOwn)
{
    ProjectKey key(u"Key"_s, QUuid::createUuid(), QDateTime::fromSecsSinceEpoch(1741944413, Qt::UTC), QByteArray(32, 'z'));
    const auto reference = [&] {
        QJsonArray entries;
        for (const ProjectKey::Entry &entry : key.entries())
            entries.append(QJsonObject{{u"kind"_s, rawString(entry.kind)}, {u"real"_s, entry.real}, {u"standIn"_s, entry.standIn}});
        return QJsonDocument(QJsonObject{{u"created"_s, ProjectKey::dateText(key.created())}, {u"entries"_s, entries},
                                         {u"files"_s, QJsonArray::fromStringList(key.files())},
                                         {u"id"_s, ProjectKey::uuidText(key.id())}, {u"name"_s, key.name()},
                                         {u"secret"_s, QString::fromLatin1(key.secret().toBase64())}})
            .toJson(QJsonDocument::Compact);
    };
    EXPECT_EQ(key.toJson(), reference());
    key.addFile(u"entries:[].csv"_s);
    for (const QString &real : {u"Maria"_s, u"O'Neil ~ []{}"_s, u"415-555-0100"_s, u"12 Main St, Apt 4"_s})
        key.assignSubstitute(real, EntryKind::lastName, {});
    EXPECT_EQ(key.toJson(), reference());
    const QByteArray plain = key.toJson();
    // Written as they are, in UTF-8, with no text to escape.
    for (const QString &real : {u"Zoë"_s, u"李小龍"_s, u"Ma\U0001F600ria"_s, u"\u00A0Ünal"_s})
        key.assignSubstitute(real, EntryKind::firstName, {});
    EXPECT_EQ(key.toJson(), reference());
    const QByteArray wide = key.toJson();
    for (const QString &real : {u"say \"hi\"\\"_s, u"tab\there"_s, u"\u007F"_s})
        key.assignSubstitute(real, EntryKind::firstName, {});
    EXPECT_EQ(key.toJson(), reference());

    // Read back the quick way and through the JSON classes (indented, or with
    // a text to unescape), the entries are the same.
    EXPECT_EQ(ProjectKey::fromJson(plain).entries(), key.entries().first(4));
    EXPECT_EQ(ProjectKey::fromJson(wide).entries(), key.entries().first(8));
    EXPECT_EQ(ProjectKey::fromJson(key.toJson()).entries(), key.entries());
    EXPECT_EQ(ProjectKey::fromJson(QJsonDocument::fromJson(key.toJson()).toJson()).entries(), key.entries());
}

// Texts beyond ASCII are read the quick way when they are well-formed UTF-8
// and by the JSON classes otherwise; either way they read as those classes
// read them, and bytes that are no UTF-8 make the key unreadable.
TEST(ProjectKey, TextsBeyondAsciiReadAsTheJsonClassesReadThem)
{
    const auto keyOf = [](const QStringList &reals) {
        ProjectKey key(u"Key"_s, QUuid::createUuid(), QDateTime::fromSecsSinceEpoch(1741944413, Qt::UTC), QByteArray(32, 'z'));
        for (const QString &real : reals)
            key.record({EntryKind::lastName, real, u"Stand"_s + QString::number(key.valueCount())});
        return key.toJson();
    };
    const auto byClasses = [](const QByteArray &json) {
        QList<ProjectKey::Entry> entries;
        for (const QJsonValue &item : QJsonDocument::fromJson(json).object()[u"entries"_s].toArray())
            entries.append({EntryKind::lastName, item[u"real"_s].toString(), item[u"standIn"_s].toString()});
        return entries;
    };
    const QStringList wellFormed{u"García"_s, u"Zoë Ångström"_s, u"李小龍"_s, u"Ma\U0001F600ria"_s, u"Ünal"_s};
    const QList<QStringList> keys{wellFormed, wellFormed + QStringList{u"x\uFDD0"_s}, wellFormed + QStringList{u"y\uFFFE"_s},
                                  wellFormed + QStringList{u"\uFEFFBom"_s}};
    for (const QStringList &reals : keys) {
        const QByteArray json = keyOf(reals);
        EXPECT_EQ(ProjectKey::fromJson(json).entries(), byClasses(json)) << reals.last().toStdString();
    }

    const QByteArray json = keyOf(wellFormed);
    const QByteArray garcia = QString(u"García"_s).toUtf8();
    for (const QByteArray &bad : {QByteArray("Garc\xED"), QByteArray("Garc\xC3"), QByteArray("\xC0\xAF"),
                                  QByteArray("\xED\xA0\x80"), QByteArray("\xF4\x90\x80\x80")}) {
        QByteArray damaged = json;
        damaged.replace(garcia, bad);
        EXPECT_THROW(ProjectKey::fromJson(damaged), std::runtime_error) << bad.toHex().toStdString();
    }
}

TEST(ProjectKey, ReadingToleratesMissingFilesAndDropsRepeatedValues)
{
    QJsonObject object{
        {u"created"_s, u"2025-03-14T09:26:53.987+01:00"_s},
        {u"id"_s, u"0f8a2c3d-5b6e-4a71-9c2d-3e4f5a6b7c8d"_s},
        {u"name"_s, u"K"_s},
        {u"secret"_s, u"AAAA"_s},
        {u"entries"_s, QJsonArray{
            QJsonObject{{u"kind"_s, u"lastName"_s}, {u"real"_s, u"Smith"_s}, {u"standIn"_s, u"Okafor"_s}},
            QJsonObject{{u"kind"_s, u"lastName"_s}, {u"real"_s, u"SMITH"_s}, {u"standIn"_s, u"Other"_s}},
            QJsonObject{{u"kind"_s, u"firstName"_s}, {u"real"_s, u"Smith"_s}, {u"standIn"_s, u"Mateo"_s}},
        }},
    };
    const ProjectKey key = ProjectKey::fromJson(QJsonDocument(object).toJson());
    EXPECT_TRUE(key.files().isEmpty());
    EXPECT_EQ(key.valueCount(), 2);
    EXPECT_EQ(key.storedSubstitute(u"smith"_s, EntryKind::lastName), u"Okafor");
    EXPECT_EQ(ProjectKey::uuidText(key.id()), u"0F8A2C3D-5B6E-4A71-9C2D-3E4F5A6B7C8D");
    EXPECT_EQ(ProjectKey::dateText(key.created()), u"2025-03-14T08:26:53Z");
    EXPECT_EQ(key.secret(), QByteArray(3, '\0'));

    QList<QJsonObject> broken;
    for (const QString &member : {u"created"_s, u"id"_s, u"name"_s, u"secret"_s, u"entries"_s}) {
        broken.append(object);
        broken.last().remove(member);
    }
    broken.append(object);
    broken.last()[u"entries"_s] = QJsonArray{QJsonObject{{u"kind"_s, u"nickname"_s}, {u"real"_s, u"a"_s}, {u"standIn"_s, u"b"_s}}};
    broken.append(object);
    broken.last()[u"secret"_s] = u"not base64!"_s;
    for (const QJsonObject &bad : broken)
        EXPECT_THROW(ProjectKey::fromJson(QJsonDocument(bad).toJson()), std::runtime_error);
}

TEST(ProjectKey, WordSpaceKeysFollowTheNormalFormWhateverTheSpacing)
{
    for (const QString &value : {u"Mateo"_s, u"Van der Berg"_s, u"Van  der"_s, u" Ana"_s, u"Ana "_s, u""_s,
                                 u"O'Brien"_s, u"Ana\tMaria"_s, u"\u00c9LISE"_s, u"Anne-Marie"_s, u"X\u00a0Y"_s}) {
        for (const EntryKind kind : {EntryKind::firstName, EntryKind::lastName, EntryKind::city})
            EXPECT_EQ(ProjectKey::spaceKey(value, kind), u"word|"_s + ProjectKey::normalized(value, kind))
                << value.toStdString();
    }
}

std::optional<QString> standInFor(const ProjectKey &key, const QString &real, EntryKind kind)
{
    const ProjectKey::Entry *entry = key.entryForReal(real, kind);
    return entry ? std::optional(entry->standIn) : std::nullopt;
}

std::optional<QString> realFor(const ProjectKey &key, const QString &standIn, EntryKind kind)
{
    const ProjectKey::Entry *entry = key.entryForSubstitute(standIn, kind);
    return entry ? std::optional(entry->real) : std::nullopt;
}

// A key read from its file builds its lookups by a shorter road than one
// that records values as it goes; both must find the same entries, drop the
// same repeats, and write the same file again.
TEST(ProjectKey, AKeyReadBackFindsWhatTheWritingKeyFound)
{
    struct Value
    {
        EntryKind kind;
        QString real;
        QString standIn;
    };
    const QList<Value> values{
        {EntryKind::firstName, u"Ann Lee"_s, u"Mateo"_s},       {EntryKind::firstName, u"ann  lee"_s, u"Zoe"_s},
        {EntryKind::lastName, u" Okafor"_s, u"Van der Berg"_s}, {EntryKind::lastName, u"\u00c9lise"_s, u"\u00c9LISE"_s},
        {EntryKind::city, u"Ana\tMaria"_s, u"Cedarhaven Springs"_s},
        {EntryKind::email, u" A.B@Mail.com"_s, u"x  y@mail.net"_s}, {EntryKind::email, u"a.b@mail.com"_s, u"z@mail.net"_s},
        {EntryKind::email, u"Q\tR@mail.com"_s, u"r@mail.net"_s},
        {EntryKind::street, u"12 Main St., Apt 4"_s, u"48 Alder Street"_s},
        {EntryKind::street, u"12 main st apt 4"_s, u"50 Alder Street"_s},
        {EntryKind::phone, u"+1 (481) 555-0199"_s, u"+1 481 555 0137 x2261"_s},
        {EntryKind::phone, u"4815550199"_s, u"4815550138"_s}, {EntryKind::phone, u"22345678901"_s, u"(212) 555-0100"_s},
        {EntryKind::phone, u"6175550100"_s, u"14815550139x12"_s}, {EntryKind::phone, u"6175550101"_s, u"4815550140X2261"_s},
        {EntryKind::zip, u"02134-1234"_s, u"90210"_s},          {EntryKind::zip, u"02134"_s, u"90211"_s},
    };
    ProjectKey writing = keyWithSecret('\x05');
    for (const Value &value : values)
        writing.record({value.kind, value.real, value.standIn});
    const ProjectKey read = ProjectKey::fromJson(writing.toJson());
    EXPECT_EQ(read.entries(), writing.entries());
    EXPECT_EQ(read.toJson(), writing.toJson());
    for (const Value &value : values) {
        for (const QString &text : {value.real, value.standIn, value.real.toUpper(), value.standIn.toLower()}) {
            EXPECT_EQ(standInFor(read, text, value.kind), standInFor(writing, text, value.kind)) << text.toStdString();
            EXPECT_EQ(realFor(read, text, value.kind), realFor(writing, text, value.kind)) << text.toStdString();
        }
    }
}

// A key read from its file finds its values by either side only once it is
// asked to; whichever call asks first, a known value is never added twice.
TEST(ProjectKey, AKeyReadBackKeepsItsValuesWhateverItIsAskedFirst)
{
    ProjectKey writing = keyWithSecret('\x07');
    const QString smith = writing.assignSubstitute(u"Smith"_s, EntryKind::lastName, {});
    writing.assignSubstitute(u"ann@mail.com"_s, EntryKind::email, {});
    const QByteArray json = writing.toJson();
    const std::function<void(ProjectKey &)> firstAsks[] = {
        [](ProjectKey &key) { key.record({EntryKind::lastName, u"SMITH"_s, u"Other"_s}); },
        [](ProjectKey &key) { key.reserve(10); },
        [](ProjectKey &key) { key.assignSubstitute(u"smith"_s, EntryKind::lastName, {}); },
        [](ProjectKey &) {},
    };
    for (const auto &ask : firstAsks) {
        ProjectKey read = ProjectKey::fromJson(json);
        ask(read);
        EXPECT_EQ(read.assignSubstitute(u"Smith"_s, EntryKind::lastName, {}), smith);
        ASSERT_NE(read.entryForSubstitute(smith, EntryKind::lastName), nullptr);
        EXPECT_EQ(read.entryForSubstitute(smith, EntryKind::lastName)->real, u"Smith"_s);
        EXPECT_EQ(read.storedSubstitute(u"ANN@mail.com"_s, EntryKind::email), writing.storedSubstitute(u"ann@mail.com"_s, EntryKind::email));
        EXPECT_EQ(read.valueCount(), 2);
        EXPECT_EQ(read.toJson(), json);
    }
}

// A swap lets go of its key's taken set once planning ends; a later swap in
// the same session must still give every value the stand-in it would have
// had, the full candidate ranges included.
TEST(ProjectKey, AKeyThatLetGoOfItsTakenSetAssignsAsBefore)
{
    ProjectKey kept = keyWithSecret('\x09');
    ProjectKey released = kept;
    const ProjectKey::Reserved reserved{{u"nadia"_s}, {u"phone|4815550100"_s}};
    const auto assign = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            for (const EntryKind kind : {EntryKind::firstName, EntryKind::phone}) {
                const QString real = kind == EntryKind::phone ? u"212555%1"_s.arg(1000 + i) : u"Given%1"_s.arg(i);
                ASSERT_EQ(released.assignSubstitute(real, kind, reserved), kept.assignSubstitute(real, kind, reserved))
                    << real.toStdString();
            }
        }
    };
    assign(0, 150);
    released.releaseTaken();
    assign(150, 400);
    released.releaseTaken();
    released.releaseTaken();
    assign(400, 420);
    EXPECT_EQ(released.toJson(), kept.toJson());
}
