#include "kit/restore/Restorer.h"

#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"
#include "kit/find/TextRules.h"
#include "kit/find/WordClasses.h"
#include "kit/keys/WrittenForm.h"
#include "kit/restore/EmailAddresses.h"
#include "kit/restore/PhoneStandIns.h"
#include "kit/restore/StreetLines.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Unicode-aware \d, \s and \b, as the patterns are written for.
constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;

const QRegularExpression &zipPattern()
{
    // A look-behind must have a fixed length per alternative, so the one or
    // two spaces after the state code are spelled out as two alternatives.
    static const QRegularExpression pattern(
        uR"((?<=\b[A-Z]{2}[ \x{00A0}]|\b[A-Z]{2}[ \x{00A0}]{2})\d{5}(?:-\d{4})?(?!\d))"_s, unicode);
    return pattern;
}

// Digits of a phone number as the key compares them: a leading 1 of an
// 11-digit number is the country code and is dropped.
QString nationalDigits(const QString &text)
{
    QString result = digits(text);
    if (result.size() == 11 && result.startsWith(u'1'))
        result.remove(0, 1);
    return result;
}

QString phoneLike(const QString &real, const QString &matched)
{
    const QString realDigits = nationalDigits(real);
    const QString textDigits = digits(matched);
    std::optional<QString> laid;
    if (textDigits.size() == realDigits.size())
        laid = formatLike(realDigits, matched);
    else if (textDigits.size() == realDigits.size() + 1 && textDigits.startsWith(u'1'))
        laid = formatLike(u'1' + realDigits, matched);
    return laid.value_or(real);
}

bool isAsciiCapital(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool onlyWhitespace(const QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if (!text.at(i).isSpace())
            return false;
    return true;
}

// Which passes a text may need, from one look at its characters: most cells
// hold no e-mail, phone, street or ZIP stand-in. A surrogate stands for a
// character outside the basic plane, which may be a digit the patterns' \d
// matches; its low half may end a street's house number.
struct PassHints
{
    bool email = false;
    bool phone = false;
    bool street = false;
    bool zip = false;
    bool ascii = true;
};

bool isDigitOrSurrogate(QChar c)
{
    return c.unicode() < 0x80 ? c >= u'0' && c <= u'9' : c.isDigit() || c.isSurrogate();
}

PassHints passHintsOf(const QString &text)
{
    PassHints hints;
    bool digits = false;
    const qsizetype n = text.size();
    const QChar *units = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = units[i];
        hints.ascii = hints.ascii && c.unicode() < 0x80;
        if (c == u'@')
            hints.email = true;
        if (!isDigitOrSurrogate(c))
            continue;
        digits = true;
        // A phone stand-in holds "555"; a house number ends in a digit before a space.
        if (c == u'5' && i + 2 < n && units[i + 1] == u'5' && units[i + 2] == u'5')
            hints.phone = true;
        if (i + 1 < n && units[i + 1] == u' ' && (c.isDigit() || c.isLowSurrogate()))
            hints.street = true;
    }
    if (!digits)
        return hints;
    // A ZIP code follows a two-letter state code in capitals and a space.
    for (qsizetype i = 0; i + 2 < n && !hints.zip; ++i) {
        const char16_t space = units[i + 2].unicode();
        hints.zip = (space == u' ' || space == 0x00A0) && isAsciiCapital(units[i]) && isAsciiCapital(units[i + 1]);
    }
    return hints;
}

qsizetype firstApostrophe(QStringView word)
{
    for (qsizetype i = 0; i < word.size(); ++i)
        if (word.at(i) == u'\'' || word.at(i) == u'’')
            return i;
    return -1;
}

const QString &wordSpace()
{
    static const QString prefix = entryNamespace(EntryKind::firstName) + u'|';
    return prefix;
}

// Whether [start, end) lies in one of the e-mail addresses, which come sorted and apart.
bool insideAny(const QList<TextRange> &ranges, qsizetype start, qsizetype end)
{
    const auto after = std::upper_bound(ranges.cbegin(), ranges.cend(), start,
                                        [](qsizetype at, const TextRange &range) { return at < range.end; });
    return after != ranges.cend() && after->start < end;
}

// A name or town stand-in found in the text, before it is known to be kept.
struct WordMatch
{
    qsizetype start = 0;
    qsizetype end = 0;
    QString real;
    // A lower-case everyday word ("wren"): kept only where the text shows it
    // is a name, beside another name stand-in or as the whole text.
    bool needsSupport = false;
    // Lower case inside an e-mail address the key does not know: the
    // mailbox's own word, never replaced, though it still parts its neighbours.
    bool inMailbox = false;
};

// The name and town stand-ins of one text, word by word. First names, last
// names and towns share one namespace, so one lookup serves all three.
class WordStandIns
{
public:
    WordStandIns(const ProjectKey &key, int longest, const QSet<QString> &multiWordStarts, const QString &text,
                 const QList<TextRange> &emails)
        : m_key(key)
        , m_longest(longest)
        , m_multiWordStarts(multiWordStarts)
        , m_text(text)
        , m_emails(emails)
        , m_words(nameWordRanges(text))
    {
    }

    QList<WordMatch> all() const
    {
        QList<WordMatch> matches;
        for (qsizetype i = 0; i < m_words.size();) {
            qsizetype taken = 1;
            std::optional<WordMatch> match = longestAt(i, taken);
            if (!match)
                match = singleAt(i);
            if (match)
                matches.append(*match);
            i += taken;
        }
        return matches;
    }

private:
    // Longest first: "Cedarhaven Springs" is one town, not two words.
    std::optional<WordMatch> longestAt(qsizetype i, qsizetype &taken) const
    {
        if (m_multiWordStarts.isEmpty() || !m_multiWordStarts.contains(probeKey(wordAt(i))))
            return std::nullopt;
        const qsizetype start = m_words.at(i).start;
        for (qsizetype count = std::min<qsizetype>(m_longest, m_words.size() - i); count >= 2; --count) {
            const qsizetype last = i + count - 1;
            bool spaced = true;
            for (qsizetype k = i; k < last && spaced; ++k)
                spaced = onlyWhitespace(m_text, m_words.at(k).end, m_words.at(k + 1).start);
            const qsizetype end = m_words.at(last).end;
            if (!spaced)
                continue;
            if (auto match = lookUp(QStringView(m_text).sliced(start, end - start), start)) {
                taken = count;
                return match;
            }
        }
        return std::nullopt;
    }

    std::optional<WordMatch> singleAt(qsizetype i) const
    {
        const QStringView word = wordAt(i);
        if (auto match = lookUp(word, m_words.at(i).start))
            return match;
        // "Mateo’s" restores "Mateo" and keeps the possessive.
        const qsizetype apostrophe = firstApostrophe(word);
        return apostrophe > 0 ? lookUp(word.first(apostrophe), m_words.at(i).start) : std::nullopt;
    }

    QStringView wordAt(qsizetype i) const
    {
        return QStringView(m_text).sliced(m_words.at(i).start, m_words.at(i).length());
    }

    std::optional<WordMatch> lookUp(QStringView matched, qsizetype start) const
    {
        // Most words are no stand-ins: one probe of the index settles them.
        const bool oneWord = !matched.contains(u' ');
        const auto entry = oneWord ? m_key.entryForStandInKey(probeKey(matched))
                                   : m_key.entryForSubstitute(matched, EntryKind::firstName);
        if (!entry)
            return std::nullopt;
        const LetterCase letterCase = letterCaseOf(matched);
        // "iPhone"-like words that start small but are not all lower case are no stand-ins.
        if (letterCase == LetterCase::mixed && !isCapitalised(matched))
            return std::nullopt;
        const qsizetype end = start + matched.size();
        if (letterCase == LetterCase::lower && insideAny(m_emails, start, end))
            return WordMatch{start, end, QString(), false, true};
        const bool everyday =
            letterCase == LetterCase::lower && oneWord && WordClasses::shared().isEverydayWord(matched.toString());
        return WordMatch{start, end, realCasedLike(entry->real, letterCase), everyday};
    }

    // The stand-in key of one word, built in one buffer for the whole text:
    // nearly every word is probed and nearly none is a stand-in.
    const QString &probeKey(QStringView word) const
    {
        m_probe.resize(wordSpace().size());
        for (QChar c : word) {
            if (c.unicode() >= 0x80) {
                m_probe = wordSpace() + word.toString().toLower();
                return m_probe;
            }
            m_probe.append(c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c);
        }
        return m_probe;
    }

    const ProjectKey &m_key;
    int m_longest;
    const QSet<QString> &m_multiWordStarts;
    const QString &m_text;
    const QList<TextRange> &m_emails;
    QList<TextRange> m_words;
    mutable QString m_probe = wordSpace();
};

// A text that holds nothing but stand-ins, such as a lower-case full name in a cell.
bool onlyMatches(const QList<WordMatch> &matches, const QString &text)
{
    qsizetype at = 0;
    for (const WordMatch &match : matches) {
        if (!onlyWhitespace(text, at, match.start))
            return false;
        at = match.end;
    }
    return onlyWhitespace(text, at, text.size());
}

// Two stand-ins in a row are a name, even when both are everyday words.
bool besideAnother(const QList<WordMatch> &matches, qsizetype i, const QString &text)
{
    return (i > 0 && onlyWhitespace(text, matches.at(i - 1).end, matches.at(i).start))
           || (i + 1 < matches.size() && onlyWhitespace(text, matches.at(i).end, matches.at(i + 1).start));
}

} // namespace

// The replacements of one run, kept by start so an overlap test is one probe
// on each side; the first replacement to claim a stretch keeps it.
class Restorer::Replacements
{
public:
    void add(qsizetype start, qsizetype end, const QString &text)
    {
        if (start < end && overlapsAny(start, end))
            return;
        m_byStart.emplace(start, Item{end, text});
    }
    int count() const { return int(m_byStart.size()); }

    // One pass from the start, so the work follows the length of the text.
    QString appliedTo(const QString &text) const
    {
        QString result;
        result.reserve(text.size() + text.size() / 8);
        qsizetype at = 0;
        for (const auto &[start, item] : m_byStart) {
            result += QStringView(text).sliced(at, start - at);
            result += item.text;
            at = item.end;
        }
        result += QStringView(text).sliced(at);
        return result;
    }

private:
    struct Item
    {
        qsizetype end;
        QString text;
    };

    bool overlapsAny(qsizetype start, qsizetype end) const
    {
        auto next = m_byStart.lower_bound(start);
        if (next != m_byStart.end() && next->first < end && next->first < next->second.end)
            return true;
        // Earlier starts: only the nearest non-empty one can reach past start,
        // because kept ranges never overlap each other.
        for (auto it = std::make_reverse_iterator(next); it != m_byStart.rend(); ++it) {
            if (it->first < it->second.end)
                return it->second.end > start;
        }
        return false;
    }

    std::multimap<qsizetype, Item> m_byStart;
};

Restorer::Restorer(ProjectKey key) : m_key(std::move(key))
{
    for (const ProjectKey::Entry &entry : m_key.entries()) {
        // Nearly every stand-in is one word; only the others are split.
        const bool oneWord = std::none_of(entry.standIn.cbegin(), entry.standIn.cend(), [](QChar c) { return c.isSpace(); });
        if (oneWord || entryNamespace(entry.kind) != entryNamespace(EntryKind::firstName))
            continue;
        const QStringList words = splitAtWhitespace(entry.standIn);
        if (words.size() < 2)
            continue;
        m_longestWordStandIn = std::max(m_longestWordStandIn, int(words.size()));
        m_multiWordStarts.insert(wordSpace() + words.first().toLower());
    }
}

// Five passes in a fixed order; a later pass never takes a stretch an earlier
// one replaced, so an e-mail address keeps its digits from the phone pass.
Restorer::TextResult Restorer::restore(const QString &text) const
{
    if (m_key.entries().isEmpty() || text.isEmpty())
        return {text, 0};
    Replacements found;
    const PassHints hints = passHintsOf(text);
    const QList<TextRange> emails = hints.email ? addEmails(text, found) : QList<TextRange>();
    if (hints.phone)
        addPhones(text, hints.ascii, found);
    if (hints.street)
        addStreets(text, hints.ascii, found);
    if (hints.zip)
        addZips(text, found);
    addNamesAndTowns(text, emails, found);
    if (found.count() == 0)
        return {text, 0};
    return {found.appliedTo(text), found.count()};
}

// Every e-mail address of the text, the key's or not: the name pass leaves
// the lower-case words of the others alone.
QList<TextRange> Restorer::addEmails(const QString &text, Replacements &found) const
{
    QList<TextRange> emails;
    for (auto address = nextEmailAddress(text, 0); address; address = nextEmailAddress(text, address->end)) {
        emails.append(*address);
        const QStringView matched = QStringView(text).sliced(address->start, address->length());
        if (auto entry = m_key.entryForSubstitute(matched, EntryKind::email))
            found.add(address->start, address->end,
                      letterCaseOf(matched) == LetterCase::upper ? entry->real.toUpper() : entry->real);
    }
    return emails;
}

void Restorer::addPhones(const QString &text, bool ascii, Replacements &found) const
{
    if (ascii) {
        for (auto match = nextAsciiPhoneStandIn(text, 0); match; match = nextAsciiPhoneStandIn(text, match->range.end))
            addPhone(text, *match, found);
        return;
    }
    for (auto it = phoneStandInPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const qsizetype extension = match.capturedLength(1) > 0 ? match.capturedStart(1) : -1;
        addPhone(text, {{match.capturedStart(), match.capturedEnd()}, extension}, found);
    }
}

void Restorer::addPhone(const QString &text, const PhoneStandInMatch &match, Replacements &found) const
{
    // A match may begin with the separator in front of 555.
    qsizetype start = match.range.start;
    while (start < match.range.end && (text.at(start).isSpace() || text.at(start) == u'-' || text.at(start) == u'.'))
        ++start;
    qsizetype end = match.range.end;
    auto entry = m_key.entryForSubstitute(QStringView(text).sliced(start, end - start), EntryKind::phone);
    // An extension the key does not know belongs to the text, not to the stand-in.
    if (!entry && match.extension >= 0) {
        end = match.extension;
        entry = m_key.entryForSubstitute(QStringView(text).sliced(start, end - start), EntryKind::phone);
    }
    // The real number takes the layout of the number before any extension.
    const qsizetype numberEnd = match.extension >= 0 ? match.extension : end;
    if (entry)
        found.add(start, end, phoneLike(entry->real, text.mid(start, numberEnd - start)));
}

void Restorer::addStreets(const QString &text, bool ascii, Replacements &found) const
{
    const auto add = [&](qsizetype start, qsizetype end) {
        const QStringView matched = QStringView(text).sliced(start, end - start);
        if (auto entry = m_key.entryForSubstitute(matched, EntryKind::street))
            found.add(start, end, realCasedLike(entry->real, matched.toString()));
    };
    if (ascii) {
        for (auto line = nextAsciiStreetLine(text, 0); line; line = nextAsciiStreetLine(text, line->end))
            add(line->start, line->end);
        return;
    }
    for (auto it = streetLinePattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        add(match.capturedStart(), match.capturedEnd());
    }
}

void Restorer::addZips(const QString &text, Replacements &found) const
{
    for (auto it = zipPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        if (auto entry = m_key.entryForSubstitute(match.capturedView().first(5), EntryKind::zip))
            found.add(match.capturedStart(), match.capturedEnd(), entry->real);
    }
}

void Restorer::addNamesAndTowns(const QString &text, const QList<TextRange> &emails, Replacements &found) const
{
    const QList<WordMatch> matches = WordStandIns(m_key, m_longestWordStandIn, m_multiWordStarts, text, emails).all();
    const bool onlyNames = onlyMatches(matches, text);
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const WordMatch &match = matches.at(i);
        // An address the key does not know keeps its lower-case words: they
        // are the mailbox's own, not names written in lower case.
        if (match.inMailbox)
            continue;
        if (!match.needsSupport || onlyNames || besideAnother(matches, i, text))
            found.add(match.start, match.end, match.real);
    }
}

Restorer::FileResult Restorer::restore(const Spreadsheet &spreadsheet, const ProgressReport &progress) const
{
    int total = 0;
    ProgressMeter meter(progress, Progress::Stage::restoring, spreadsheet.offeredCellCount());
    const QByteArray data = spreadsheet.data(
        [this, &total, &meter](const std::optional<CellRef> &, const QString &text) -> std::optional<QString> {
            meter.advance();
            TextResult restored = restore(text);
            if (restored.count == 0)
                return std::nullopt;
            total += restored.count;
            return std::move(restored.text);
        });
    meter.finish();
    return {data, total};
}

} // namespace quorvane
