#include "kit/keys/CandidateSets.h"

#include "kit/keys/Candidates.h"
#include "kit/keys/CodePoints.h"
#include "kit/keys/Pools.h"

#include <QSet>

#include <algorithm>

#include <unordered_map>

using namespace Qt::StringLiterals;

namespace quorvane::candidateSets {


namespace {

// Lower-cased pool entries and their positions, by which candidates draw them.
// Looked up by views into a key's texts, so counting a taken text copies
// nothing; later entries of a pool win, as its draws reach them last.
class Numbers
{
public:
    void insert(const QString &text, qsizetype number)
    {
        m_texts.append(text);
        m_numbers.insert_or_assign(QStringView(m_texts.last()), number);
    }
    std::optional<qsizetype> find(QStringView text) const
    {
        const auto it = m_numbers.find(text);
        return it == m_numbers.end() ? std::nullopt : std::optional<qsizetype>(it->second);
    }
    qsizetype size() const { return qsizetype(m_numbers.size()); }

private:
    struct Hash
    {
        size_t operator()(QStringView text) const { return qHash(text); }
    };
    QStringList m_texts; // the views' storage: a QString's text stays put when the list grows
    std::unordered_map<QStringView, qsizetype, Hash> m_numbers;
};

Numbers numbered(const QStringList &pool)
{
    Numbers numbers;
    for (qsizetype i = 0; i < pool.size(); ++i)
        numbers.insert(pool.at(i).toLower(), i);
    return numbers;
}

const Numbers &firstNameSet()
{
    static const Numbers set = numbered(pools::firstNames());
    return set;
}

const Numbers &lastNameSet()
{
    static const Numbers set = numbered(pools::lastNames());
    return set;
}

const qsizetype townEnds = 16;
// Pool-based addresses from this attempt on; from the later one on, the
// attempt is appended, so no set holds them.
constexpr int emailPooled = 50;
constexpr int emailNumbered = 3000;
// Added to an e-mail shape when the address's names are not in the key, so
// its first 50 candidates come from the pools as well.
constexpr int poolFromStart = 10;

// start × 16 + end, the way a one-word town is drawn.
const Numbers &townSet()
{
    static const Numbers set = [] {
        Numbers towns;
        for (qsizetype s = 0; s < pools::cityStarts().size(); ++s)
            for (qsizetype e = 0; e < townEnds; ++e)
                towns.insert((pools::cityStarts().at(s) + pools::cityEnds().at(e)).toLower(), s * townEnds + e);
        return towns;
    }();
    return set;
}

const Numbers &areaSet()
{
    static const Numbers set = numbered(pools::areaCodes());
    return set;
}

void markIn(Counts &counts, Set set, qsizetype member)
{
    QBitArray &members = counts.members[set];
    if (members.isEmpty())
        members.resize(size(set));
    if (!members.testBit(member)) {
        members.setBit(member);
        ++counts.counts[set];
    }
}

// The holdings one newly taken spaceKey is counted into, so that its sets
// are worked out once for both.
struct Tally
{
    Counts &counts;
    Counts *also;
};

void mark(const Tally &tally, Set set, qsizetype member)
{
    markIn(tally.counts, set, member);
    if (tally.also)
        markIn(*tally.also, set, member);
}

bool held(const Counts &counts, Set set, qsizetype member)
{
    const QBitArray &members = counts.members[set];
    return !members.isEmpty() && members.testBit(member);
}

// "a-b" with both halves in the pool: a × n + b.
std::optional<qsizetype> doubleNumber(QStringView text, const Numbers &pool)
{
    const qsizetype dash = text.indexOf(u'-');
    if (dash <= 0)
        return std::nullopt;
    const std::optional<qsizetype> a = pool.find(text.left(dash));
    const std::optional<qsizetype> b = pool.find(text.mid(dash + 1));
    if (!a || !b)
        return std::nullopt;
    return *a * pool.size() + *b;
}

void countWord(QStringView norm, const Tally &counts)
{
    if (const std::optional<qsizetype> first = firstNameSet().find(norm))
        mark(counts, firstSingle, *first);
    if (const std::optional<qsizetype> last = lastNameSet().find(norm))
        mark(counts, lastSingle, *last);
    if (const std::optional<qsizetype> town = townSet().find(norm))
        mark(counts, townOne, *town);
    if (norm.contains(u'-')) {
        if (const std::optional<qsizetype> number = doubleNumber(norm, firstNameSet()))
            mark(counts, firstDouble, *number);
        if (const std::optional<qsizetype> number = doubleNumber(norm, lastNameSet()))
            mark(counts, lastDouble, *number);
    }
    const qsizetype space = norm.indexOf(u' ');
    if (space <= 0)
        return;
    const std::optional<qsizetype> town = townSet().find(norm.left(space));
    if (!town)
        return;
    const QStringView extra = norm.mid(space + 1);
    for (qsizetype k = 0; k < pools::cityExtras().size(); ++k)
        if (extra.compare(pools::cityExtras().at(k), Qt::CaseInsensitive) == 0)
            mark(counts, Set(townExtra0 + k), *town);
}

bool isFictionalLine(QStringView digits)
{
    return digits.size() == 7 && digits.startsWith(u"55501");
}

void countPhone(QStringView norm, const Tally &counts)
{
    if (isFictionalLine(norm))
        mark(counts, phoneShort, norm.mid(5).toInt());
    if (norm.size() != 10 || !isFictionalLine(norm.mid(3)) || norm.at(0) < u'2')
        return;
    const int line = norm.mid(8).toInt();
    mark(counts, phoneAny, (norm.left(3).toInt() - 200) * 100 + line);
    if (const std::optional<qsizetype> area = areaSet().find(norm.left(3)))
        mark(counts, phoneListed, *area * 100 + line);
}

void countZip(QStringView norm, const Tally &counts)
{
    bool ok = false;
    const int value = norm.toInt(&ok);
    if (norm.size() != 5 || !ok)
        return;
    mark(counts, zipAny, value);
    if (value >= 10000 && value <= 99899)
        mark(counts, zipListed, value - 10000);
}

constexpr QStringView emailSeparators = u".-_+";

std::optional<qsizetype> domainNumber(QStringView domain)
{
    const QStringList &domains = pools::emailDomains();
    for (qsizetype at = 0; at < domains.size(); ++at)
        if (domains.at(at) == domain)
            return at;
    return std::nullopt;
}

bool hasSeparator(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return emailSeparators.contains(c); });
}

bool poolNamesHoldSeparators()
{
    static const bool hold = [] {
        const auto anyHolds = [](const QStringList &pool) {
            return std::any_of(pool.cbegin(), pool.cend(), [](const QString &name) { return hasSeparator(name); });
        };
        return anyHolds(pools::firstNames()) || anyHolds(pools::lastNames());
    }();
    return hold;
}

// (first × 240 + last) × 3 + domain, the way pool-based addresses are drawn.
qsizetype emailMember(qsizetype first, qsizetype last, qsizetype domain)
{
    return (first * lastNameSet().size() + last) * pools::emailDomains().size() + domain;
}

void countEmail(QStringView norm, const Tally &counts)
{
    const qsizetype at = norm.lastIndexOf(u'@');
    if (at <= 0)
        return;
    const std::optional<qsizetype> domain = domainNumber(norm.mid(at + 1));
    if (!domain)
        return;
    const QStringView local = norm.left(at);
    for (qsizetype s = 0; s < emailSeparators.size(); ++s) {
        const qsizetype split = local.indexOf(emailSeparators[s]);
        if (split <= 0)
            continue;
        const std::optional<qsizetype> first = firstNameSet().find(local.left(split));
        const std::optional<qsizetype> last = lastNameSet().find(local.mid(split + 1));
        if (first && last)
            mark(counts, Set(emailDot + s), emailMember(*first, *last, *domain));
    }
    // An initial or a first name run together with a last name holds no
    // separator unless a pool name does.
    if (local.size() < 3 || (!poolNamesHoldSeparators() && hasSeparator(local)))
        return;
    if (const std::optional<qsizetype> last = lastNameSet().find(local.mid(1));
        last && local[0] >= u'a' && local[0] <= u'z')
        mark(counts, emailInitial, emailMember(local[0].unicode() - u'a', *last, *domain));
    for (qsizetype split = 2; split + 2 <= local.size(); ++split) {
        const std::optional<qsizetype> first = firstNameSet().find(local.left(split));
        if (!first)
            continue;
        if (const std::optional<qsizetype> last = lastNameSet().find(local.mid(split)))
            mark(counts, emailJoined, emailMember(*first, *last, *domain));
    }
}

// The attempt after the stretch that shares the attempt's set; nothing when
// no attempt after it can give a candidate outside the set.
std::optional<int> stretchEnd(EntryKind kind, int shape, int attempt, const Counts &counts)
{
    switch (kind) {
    case EntryKind::firstName: return attempt < 532 ? 532 : ProjectKey::maxAttempts;
    case EntryKind::lastName: return attempt < 480 ? 480 : ProjectKey::maxAttempts;
    case EntryKind::city: {
        if (attempt < 600)
            return 600;
        for (int k = 0; k < 5; ++k)
            if (counts.counts[townExtra0 + k] < size(Set(townExtra0 + k)))
                return attempt + 1;
        return ProjectKey::maxAttempts;
    }
    case EntryKind::phone:
        if (shape == 7)
            return attempt < ProjectKey::maxAttempts ? ProjectKey::maxAttempts : 2 * ProjectKey::maxAttempts;
        return attempt < 2000 ? 2000 : ProjectKey::maxAttempts;
    case EntryKind::zip:
        if (attempt < ProjectKey::maxAttempts)
            return ProjectKey::maxAttempts;
        return std::nullopt;
    case EntryKind::email: return emailNumbered;
    case EntryKind::street: break;
    }
    return attempt + 1;
}

} // namespace

qsizetype size(Set set)
{
    switch (set) {
    case firstSingle: return firstNameSet().size();
    case firstDouble: return firstNameSet().size() * firstNameSet().size();
    case lastSingle: return lastNameSet().size();
    case lastDouble: return lastNameSet().size() * lastNameSet().size();
    case phoneShort: return 100;
    case phoneListed: return pools::areaCodes().size() * 100;
    case phoneAny: return 800 * 100;
    case zipListed: return 89900;
    case zipAny: return 100000;
    case emailDot:
    case emailDash:
    case emailUnderscore:
    case emailPlus:
    case emailJoined: return emailMember(firstNameSet().size(), 0, 0);
    case emailInitial: return emailMember(26, 0, 0); // every letter starts a first name
    case setCount: return 0;
    default: return townSet().size(); // a one-word town, with or without an extra word
    }
}

void count(QStringView spaceKey, Counts &counts, Counts *also)
{
    const Tally tally{counts, also};
    const qsizetype bar = spaceKey.indexOf(u'|');
    const QStringView space = spaceKey.left(bar);
    const QStringView norm = spaceKey.mid(bar + 1);
    if (space == u"word")
        countWord(norm, tally);
    else if (space == u"phone")
        countPhone(norm, tally);
    else if (space == u"zip")
        countZip(norm, tally);
    else if (space == u"email")
        countEmail(norm, tally);
}

int shapeOf(EntryKind kind, const QString &real, const QString &norm, bool nameBasedEmail)
{
    if (kind == EntryKind::phone)
        return norm.size() == 7 ? 7 : 10;
    if (kind != EntryKind::email)
        return 0;
    // The local part as the candidates cut it.
    const QString local = localText(real);
    if (local.isEmpty() || (local.back() >= u'0' && local.back() <= u'9'))
        return 0; // trailing digits make the addresses too many to count
    int shape = 0;
    for (qsizetype i = 0; i < local.size() && shape == 0; ++i)
        shape = int(emailSeparators.indexOf(local.at(i))) + 1;
    if (shape == 0)
        shape = local.toUcs4().size() <= 8 ? emailInitial - emailDot + 1 : emailJoined - emailDot + 1;
    return nameBasedEmail ? shape : shape + poolFromStart;
}

std::optional<Set> setOf(EntryKind kind, int shape, int attempt)
{
    const int bound = ProjectKey::maxAttempts;
    switch (kind) {
    case EntryKind::firstName:
        if (attempt < bound)
            return attempt < 532 ? firstSingle : firstDouble;
        break;
    case EntryKind::lastName:
        if (attempt < bound)
            return attempt < 480 ? lastSingle : lastDouble;
        break;
    case EntryKind::city:
        if (attempt < bound)
            return attempt < 600 ? townOne : Set(townExtra0 + attempt % 5);
        break;
    case EntryKind::phone:
        if (shape == 7 && attempt < 2 * bound)
            return attempt < bound ? phoneShort : phoneAny;
        if (shape != 7 && attempt < bound)
            return attempt < 2000 ? phoneListed : phoneAny;
        break;
    case EntryKind::zip: return attempt < bound ? zipListed : zipAny;
    case EntryKind::email:
        if (shape > 0 && attempt >= (shape > poolFromStart ? 0 : emailPooled) && attempt < emailNumbered)
            return Set(emailDot + shape % poolFromStart - 1);
        break;
    case EntryKind::street: break;
    }
    return std::nullopt;
}

std::optional<int> firstOpenAttempt(EntryKind kind, int shape, int attempt, const Counts &counts)
{
    for (;;) {
        const std::optional<Set> set = setOf(kind, shape, attempt);
        if (!set || counts.counts[*set] < size(*set))
            return attempt;
        const std::optional<int> next = stretchEnd(kind, shape, attempt, counts);
        if (!next)
            return std::nullopt;
        attempt = *next;
    }
}

bool isHeld(EntryKind kind, int shape, int attempt, const ProjectKey::SeedDigest &digests,
            const Counts &counts)
{
    const std::optional<Set> set = setOf(kind, shape, attempt);
    if (!set || counts.counts[*set] == 0)
        return false;
    auto d = [&](QStringView variant) { return digests(attempt, variant); };
    auto pick = [](uint64_t number, qsizetype n) { return qsizetype(number % uint64_t(n)); };
    switch (*set) {
    case firstSingle: return held(counts, *set, pick(d({}), firstNameSet().size()));
    case lastSingle: return held(counts, *set, pick(d({}), lastNameSet().size()));
    case firstDouble:
    case lastDouble: {
        const qsizetype n = *set == firstDouble ? firstNameSet().size() : lastNameSet().size();
        return held(counts, *set, pick(d(u"a"), n) * n + pick(d(u"b"), n));
    }
    case phoneShort: return held(counts, *set, pick(d(u"l"), 100));
    case phoneListed: return held(counts, *set, pick(d({}), areaSet().size()) * 100 + pick(d(u"l"), 100));
    case phoneAny: {
        if (attempt < ProjectKey::maxAttempts)
            return held(counts, *set, pick(d(u"x"), 800) * 100 + pick(d(u"l"), 100));
        const uint64_t w = d(u"w");
        return held(counts, *set, pick(w, 800) * 100 + pick(w / 800, 100));
    }
    case zipListed: return held(counts, *set, pick(d({}), 89900));
    case zipAny: return held(counts, *set, pick(d(u"w"), 100000));
    case emailDot:
    case emailDash:
    case emailUnderscore:
    case emailPlus:
    case emailJoined:
    case emailInitial: {
        qsizetype first = pick(d(u"f"), firstNameSet().size());
        if (*set == emailInitial)
            first = pools::firstNames().at(first).at(0).toLower().unicode() - u'a';
        const qsizetype domain = pick(d(u"d"), pools::emailDomains().size());
        return held(counts, *set, emailMember(first, pick(d(u"l"), lastNameSet().size()), domain));
    }
    case setCount: return false;
    default: // a one-word town, alone or with an extra word
        return held(counts, *set, pick(d(u"s"), pools::cityStarts().size()) * townEnds + pick(d(u"e"), townEnds));
    }
}

} // namespace quorvane::candidateSets
