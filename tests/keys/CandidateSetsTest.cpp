// Skipping the attempts of a candidate set the key holds entirely must take
// exactly the stand-in that trying every attempt takes; and a key must keep
// giving each new value a stand-in of its own, well past every pool.
#include "kit/keys/Pools.h"
#include "kit/keys/ProjectKey.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

ProjectKey freshKey()
{
    return ProjectKey(u"Sets"_s, QUuid(), QDateTime(), QByteArray(32, 's'));
}

QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, u'0');
}

// Every member of one candidate set, as a stand-in would spell it.
using Members = std::function<QStringList()>;

QStringList singles(const QStringList &pool)
{
    return pool;
}

QStringList doubles(const QStringList &pool)
{
    QStringList all;
    for (const QString &a : pool)
        for (const QString &b : pool)
            all.append(a + u'-' + b);
    return all;
}

QStringList towns(int extra)
{
    QStringList all;
    for (const QString &start : pools::cityStarts())
        for (const QString &end : pools::cityEnds())
            all.append(start + end + (extra < 0 ? QString() : u' ' + pools::cityExtras().at(extra)));
    return all;
}

QStringList phones(const QStringList &areas)
{
    QStringList all;
    for (const QString &area : areas)
        for (int line = 0; line < 100; ++line)
            all.append(area + u"55501"_s + twoDigits(line));
    return all;
}

QStringList allAreas()
{
    QStringList areas;
    for (int area = 200; area <= 999; ++area)
        areas.append(QString::number(area));
    return areas;
}

// Pool-based addresses: first name, then the separator or nothing, then the
// last name; with no separator given, the first name's initial.
QStringList emails(const QString &separator, bool initial)
{
    QStringList all;
    for (const QString &domain : pools::emailDomains())
        for (const QString &first : pools::firstNames())
            for (const QString &last : pools::lastNames())
                all.append((initial ? first.left(1) : first + separator) + last + u'@' + domain);
    all.removeDuplicates();
    return all;
}

QStringList zips(int from, int to)
{
    QStringList all;
    for (int zip = from; zip <= to; ++zip)
        all.append(QString::number(zip).rightJustified(5, u'0'));
    return all;
}

// Records every member as an entry of its own; word members are spread over
// the three kinds of the shared namespace, which all count.
void fill(ProjectKey &key, EntryKind kind, const QStringList &members)
{
    static const EntryKind words[] = {EntryKind::firstName, EntryKind::lastName, EntryKind::city};
    const bool word = kind == EntryKind::firstName || kind == EntryKind::lastName || kind == EntryKind::city;
    for (qsizetype i = 0; i < members.size(); ++i)
        key.record({word ? words[i % 3] : kind, members.at(i), members.at(i)});
}

struct Boundary
{
    const char *what;
    EntryKind kind;
    QString realPrefix;               // new values: the prefix and a number
    QList<Members> full;              // sets held entirely
    Members edge;                     // the set filled to its last members
};

const QList<Boundary> &boundaries()
{
    static const QList<Boundary> list{
        {"single first names", EntryKind::firstName, u"Newcomer"_s, {}, [] { return singles(pools::firstNames()); }},
        {"double first names", EntryKind::firstName, u"Newcomer"_s, {[] { return singles(pools::firstNames()); }},
         [] { return doubles(pools::firstNames()); }},
        {"single last names", EntryKind::lastName, u"Family"_s, {}, [] { return singles(pools::lastNames()); }},
        {"double last names", EntryKind::lastName, u"Family"_s, {[] { return singles(pools::lastNames()); }},
         [] { return doubles(pools::lastNames()); }},
        {"one-word towns", EntryKind::city, u"Town"_s, {}, [] { return towns(-1); }},
        {"one town extra", EntryKind::city, u"Town"_s, {[] { return towns(-1); }, [] { return towns(0); }},
         [] { return towns(3); }},
        {"every town extra", EntryKind::city, u"Town"_s,
         {[] { return towns(-1); }, [] { return towns(0); }, [] { return towns(1); }, [] { return towns(2); },
          [] { return towns(3); }},
         [] { return towns(4); }},
        {"seven-digit phones", EntryKind::phone, u"867-"_s, {}, [] { return phones({QString()}); }},
        {"seven-digit phones into ten digits", EntryKind::phone, u"867-"_s, {[] { return phones({QString()}); }},
         [] { return phones(allAreas()); }},
        {"listed area codes", EntryKind::phone, u"415-867-"_s, {}, [] { return phones(pools::areaCodes()); }},
        {"every area code", EntryKind::phone, u"415-867-"_s, {}, [] { return phones(allAreas()); }},
        {"listed ZIP codes", EntryKind::zip, u"0"_s, {}, [] { return zips(10000, 99899); }},
        {"every ZIP code", EntryKind::zip, u"0"_s, {}, [] { return zips(0, 99999); }},
        {"streets", EntryKind::street, u"Main Street "_s, {}, [] { return QStringList(); }},
        {"e-mail addresses with a dot", EntryKind::email, u"some.one@mail.com x"_s, {},
         [] { return emails(u"."_s, false); }},
        {"short e-mail addresses", EntryKind::email, u"bo@mail.com x"_s, {}, [] { return emails({}, true); }},
        {"long e-mail addresses", EntryKind::email, u"someonelong@mail.com x"_s, {},
         [] { return emails({}, false); }},
    };
    return list;
}

QString newReal(const Boundary &boundary, int i)
{
    if (boundary.kind == EntryKind::zip)
        return QString::number(1000 + i); // four digits: never one of the filled codes
    return boundary.realPrefix + QString::number(1000 + i);
}

} // namespace

TEST(CandidateSets, SkippingTakesWhatTryingEveryAttemptTakesAtAndPastEachBoundary)
{
    for (const Boundary &boundary : boundaries()) {
        ProjectKey key = freshKey();
        for (const Members &members : boundary.full)
            fill(key, boundary.kind, members());
        QStringList edge = boundary.edge();
        // One member left, then none; each time two new values are assigned,
        // the first of which may take the last free member itself.
        const QStringList last = edge.mid(std::max<qsizetype>(0, edge.size() - 1));
        edge.resize(edge.size() - last.size());
        fill(key, boundary.kind, edge);
        for (int left = int(last.size()); left >= 0; --left) {
            ProjectKey skipping = key;
            ProjectKey plain = key;
            for (int i = 0; i < 2; ++i) {
                const QString real = newReal(boundary, left * 10 + i);
                const QString skipped = skipping.assignSubstitute(real, boundary.kind, {});
                EXPECT_EQ(skipped, plain.assignSubstitute(real, boundary.kind, {}, ProjectKey::Walk::plain))
                    << boundary.what << ", " << left << " left, value " << real.toStdString();
            }
            if (left > 0)
                fill(key, boundary.kind, {last.at(last.size() - left)});
        }
    }
}

// A set's last members may be held by the file being swapped rather than by
// the key: refused all the same, so the set is full and skipped all the same.
TEST(CandidateSets, SkippingCountsTheFilesReservedValuesAsHeld)
{
    for (const Boundary &boundary : boundaries()) {
        QStringList edge = boundary.edge();
        if (edge.size() < 3 || boundary.kind == EntryKind::email)
            continue;
        ProjectKey key = freshKey();
        for (const Members &members : boundary.full)
            fill(key, boundary.kind, members());
        ProjectKey::Reserved reserved;
        for (const QString &member : edge.mid(edge.size() - 3))
            reserved.values.addLowered(ProjectKey::spaceKey(member, boundary.kind));
        edge.resize(edge.size() - 3);
        fill(key, boundary.kind, edge);
        ProjectKey plain = key;
        for (int i = 0; i < 3; ++i) {
            const QString real = newReal(boundary, i);
            EXPECT_EQ(key.assignSubstitute(real, boundary.kind, reserved),
                      plain.assignSubstitute(real, boundary.kind, reserved, ProjectKey::Walk::plain))
                << boundary.what << ", value " << real.toStdString();
        }
    }
}

namespace {

struct Volume
{
    EntryKind kind;
    std::function<QString(int)> real;
    int count;
    QRegularExpression form;
};

} // namespace

TEST(CandidateSets, EveryValueOfAVeryLargeKeyGetsAStandInOfItsOwnInItsKindsForm)
{
    // Past the double names (70 756 first, 57 600 last), the twin towns (past
    // 2 880), the ten-digit numbers (80 000) and into the extensions.
    const int n = 100'000 / QUORVANE_VOLUME_SCALE;
    const QString name = u"[A-Z][A-Za-z]+"_s;
    const QString town = u"[A-Z][a-z]+"_s;
    const QString line = u"55501\\d\\d"_s;
    const QList<Volume> volumes{
        {EntryKind::firstName, [](int i) -> QString { return u"Person"_s + QString::number(i); }, n,
         QRegularExpression(u"^%1(-%1){0,2}$"_s.arg(name))},
        {EntryKind::lastName, [](int i) -> QString { return u"Family"_s + QString::number(i); }, n,
         QRegularExpression(u"^%1(-%1){0,2}$"_s.arg(name))},
        {EntryKind::city, [](int i) -> QString { return u"Town"_s + QString::number(i); }, n,
         QRegularExpression(u"^(%1( [A-Z][a-z]+)?|%1-%1 [A-Z][a-z]+)$"_s.arg(town))},
        {EntryKind::phone, [](int i) -> QString { return QString::number(2'000'000 + i); }, n,
         QRegularExpression(u"^(%1|[2-9]\\d\\d%1|[2-9]\\d\\d%1x\\d{4})$"_s.arg(line))},
        {EntryKind::phone, [](int i) -> QString { return QString::number(4'150'000'000LL + i); }, n,
         QRegularExpression(u"^[2-9]\\d\\d%1(x\\d{4})?$"_s.arg(line))},
        {EntryKind::street, [](int i) -> QString { return QString::number(10 + i) + u" Main Street"_s; }, n,
         QRegularExpression(u"^\\d{2,4} [A-Z][a-z]+ [A-Z][a-z]+$"_s)},
        {EntryKind::email, [](int i) -> QString { return u"user"_s + QString::number(i) + u"@mail.com"_s; }, n,
         QRegularExpression(u"^[a-z]+\\d+@example\\.(com|net|org)$"_s)},
        // Five digits allow 100 000 codes, real and stand-in together.
        {EntryKind::zip, [](int i) -> QString { return QString::number(i).rightJustified(5, u'0'); }, 45'000 / QUORVANE_VOLUME_SCALE,
         QRegularExpression(u"^\\d{5}$"_s)},
    };
    for (const Volume &volume : volumes) {
        ProjectKey key = freshKey();
        QSet<QString> standIns;
        for (int i = 0; i < volume.count; ++i) {
            const QString standIn = key.assignSubstitute(volume.real(i), volume.kind, {});
            EXPECT_TRUE(volume.form.match(standIn).hasMatch()) << standIn.toStdString();
            standIns.insert(ProjectKey::spaceKey(standIn, volume.kind));
        }
        EXPECT_EQ(standIns.size(), volume.count) << rawString(volume.kind).toStdString();
    }
}
