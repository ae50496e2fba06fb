#include "kit/restore/Restorer.h"

#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"
#include "kit/find/TextRules.h"
#include "kit/find/TextServices.h"
#include "kit/find/WordClasses.h"
#include "kit/keys/CodePoints.h"
#include "kit/keys/PhoneStandIns.h"
#include "kit/keys/Pools.h"
#include "kit/keys/WrittenForm.h"
#include "kit/keys/ZipPlus4.h"
#include "kit/restore/AsciiNameWords.h"
#include "kit/restore/EmailAddresses.h"
#include "kit/restore/RepeatedCells.h"
#include "kit/restore/StreetLines.h"

#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

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

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A stand-in in the plain layout whose real number's own layout could not
// take it: the scan wrote it so because the real layout would have split
// 555 from 01, so the real value as stored is the layout it had.
bool tookPlainLayout(const QString &real, QStringView matched)
{
    if (!isPlainPhoneLayout(matched))
        return false;
    QString standIn = digits(matched);
    if (standIn.size() == 11 && standIn.front() == u'1')
        standIn.remove(0, 1);
    return !phoneLaidLike(standIn, real);
}

// The real number laid out like the stand-in it replaces: the real digits
// written over the stand-in's, in order. The real number's country code of an
// 11-digit number is dropped, as the key compares numbers; a stand-in written
// with a leading 1 keeps it. A layout that does not fit keeps the real value
// as it is. Every phone of a file comes here, so the result is the only copy.
QString phoneLike(const QString &real, QStringView matched)
{
    QVarLengthArray<QChar, 24> realDigits;
    std::copy_if(real.cbegin(), real.cend(), std::back_inserter(realDigits), isAsciiDigit);
    if (realDigits.size() == 11 && realDigits.front() == u'1')
        realDigits.erase(realDigits.begin());
    const auto firstDigit = std::find_if(matched.cbegin(), matched.cend(), isAsciiDigit);
    const qsizetype count = std::count_if(matched.cbegin(), matched.cend(), isAsciiDigit);
    const bool withCode = count == realDigits.size() + 1 && *firstDigit == u'1';
    // "+1 919-555-0158" for "+34 612 345 678": the 1 is the stand-in's country
    // code, never a digit of a real number of eleven.
    const bool codeTaken = count == 11 && *firstDigit == u'1' && realDigits.size() == 11;
    if ((count != realDigits.size() && !withCode) || codeTaken)
        return real;
    const auto laidOut = [&](auto write) {
        qsizetype next = withCode ? -1 : 0;
        for (qsizetype i = 0; i < matched.size(); ++i) {
            const QChar c = matched[i];
            write(i, isAsciiDigit(c) ? (next++ < 0 ? QChar(u'1') : realDigits[next - 1]) : c);
        }
    };
    // Nearly every real number is stored in the layout of its stand-in: the
    // real value itself then serves, with no text made for it.
    bool same = matched.size() == real.size();
    if (same)
        laidOut([&](qsizetype i, QChar c) { same = same && real[i] == c; });
    if (same)
        return real;
    QString result(matched.size(), Qt::Uninitialized);
    laidOut([&](qsizetype i, QChar c) { result[i] = c; });
    if (tookPlainLayout(real, matched))
        return real;
    return result;
}

// Where the last seven digits before `end` start: the 555 of a stand-in.
qsizetype lineStart(const QString &text, qsizetype end)
{
    int digits = 0;
    for (qsizetype i = end; i-- > 0;) {
        if (isAsciiDigit(text.at(i)) && ++digits == 7)
            return i;
    }
    return -1;
}

// The key's index key of a phone stand-in as written, "phone|4815550137" or
// "phone|4815550137x2261", built in a buffer kept from text to text: the
// digits before any x lose the country code, as the key's rule has it.
const QString &phoneStandInKey(QStringView written, QString &key)
{
    static const QString prefix = entryNamespace(EntryKind::phone) + u'|';
    // Room for every unit, cut back to the digits written.
    key.resize(prefix.size() + written.size());
    QChar *const start = std::copy(prefix.cbegin(), prefix.cend(), key.data());
    QChar *out = start;
    const qsizetype x = written.indexOf(u'x');
    const QStringView number = x < 0 ? written : written.first(x);
    for (QChar c : number) {
        if (c >= u'0' && c <= u'9')
            *out++ = c;
    }
    if (out - start == 11 && *start == u'1')
        out = std::copy(start + 1, out, start);
    if (x >= 0) {
        for (QChar c : written.sliced(x)) {
            if (c >= u'0' && c <= u'9')
                *out++ = c;
        }
    }
    key.truncate(out - key.constData());
    return key;
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
    // False only for ASCII without a letter: no word for the name pass.
    bool letters = true;
};

// Beyond ASCII, a character the patterns' \d matches, or half of one outside the basic plane.
bool isWideDigitOrSurrogate(char16_t c)
{
    return QChar::isDigit(c) || QChar::isSurrogate(c);
}

PassHints passHintsOfAnyText(const QString &text)
{
    PassHints hints;
    bool digits = false;
    const qsizetype n = text.size();
    const char16_t *units = QStringView(text).utf16();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        // Nearly every character is an ASCII letter or mark, settled here.
        if (char16_t(c - u'0') > 9) {
            if (c < 0x80) {
                hints.email = hints.email || c == u'@';
                continue;
            }
            hints.ascii = false;
            if (!isWideDigitOrSurrogate(c))
                continue;
        }
        digits = true;
        // A phone stand-in holds "555"; a house number ends in a digit before a space.
        if (c == u'5' && i + 2 < n && units[i + 1] == u'5' && units[i + 2] == u'5')
            hints.phone = true;
        if (i + 1 < n && units[i + 1] == u' ' && (c < 0x80 || QChar::isDigit(c) || QChar::isLowSurrogate(c)))
            hints.street = true;
    }
    if (!digits)
        return hints;
    // A ZIP code follows a two-letter state code in capitals and a space.
    for (qsizetype i = 0; i + 2 < n && !hints.zip; ++i) {
        const char16_t space = units[i + 2];
        hints.zip = (space == u' ' || space == 0x00A0) && isAsciiCapital(units[i]) && isAsciiCapital(units[i + 1]);
    }
    return hints;
}

bool isDigitUnit(char16_t c)
{
    return char16_t(c - u'0') <= 9;
}

bool isCapitalUnit(char16_t c)
{
    return char16_t(c - u'A') <= u'Z' - u'A';
}

// passHintsOfAnyText for the texts nearly every cell holds, ASCII alone: each
// question is one pass without a branch per unit, so that many units are
// tested at once.
PassHints passHintsOf(const QString &text)
{
    const qsizetype n = text.size();
    const char16_t *units = QStringView(text).utf16();
    unsigned wide = 0, digits = 0, at = 0, letters = 0;
    for (qsizetype i = 0; i < n; ++i) {
        wide |= unsigned(units[i] >= 0x80);
        letters |= unsigned(char16_t((units[i] | 0x20) - u'a') < 26);
        digits |= unsigned(isDigitUnit(units[i]));
        at |= unsigned(units[i] == u'@');
    }
    if (wide)
        return passHintsOfAnyText(text);
    PassHints hints;
    hints.email = at;
    hints.letters = letters;
    if (!digits)
        return hints;
    unsigned house = 0, zip = 0, fives = 0;
    for (qsizetype i = 0; i + 1 < n; ++i)
        house |= unsigned(isDigitUnit(units[i])) & unsigned(units[i + 1] == u' ');
    for (qsizetype i = 0; i + 2 < n; ++i)
        fives |= unsigned(units[i] == u'5') & unsigned(units[i + 1] == u'5') & unsigned(units[i + 2] == u'5');
    for (qsizetype i = 0; i + 2 < n; ++i)
        zip |= unsigned(isCapitalUnit(units[i])) & unsigned(isCapitalUnit(units[i + 1])) & unsigned(units[i + 2] == u' ');
    hints.street = house;
    hints.zip = zip;
    hints.phone = fives;
    return hints;
}

// letterCaseOf, without a case-table call per character for the ASCII words
// nearly every stand-in is: A to Z are the only letters with a case there.
LetterCase quickLetterCase(QStringView word)
{
    int upper = 0, lower = 0;
    for (QChar c : word) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return letterCaseOf(word);
        upper += u >= u'A' && u <= u'Z';
        lower += u >= u'a' && u <= u'z';
    }
    if (upper + lower < 2 || (upper > 0) == (lower > 0))
        return LetterCase::mixed;
    return upper > 0 ? LetterCase::upper : LetterCase::lower;
}

// realCasedLike, with the real value's own case read the quick way too: a
// stand-in in mixed case, as nearly every one is, leaves a real value that is
// mixed itself as it is, which is the common case by far.
QString quickRealCasedLike(const QString &real, LetterCase replaced)
{
    if (replaced == LetterCase::mixed && quickLetterCase(real) == LetterCase::mixed)
        return real;
    return realCasedLike(real, replaced);
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
bool insideAny(const std::vector<TextRange> &ranges, qsizetype start, qsizetype end)
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
    // A lower-case single word: if it is also an everyday word ("wren"), kept
    // only where the text shows it is a name, beside another name stand-in or
    // as the whole text. The word lists are asked last: few texts need them,
    // and they take a while to load.
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
    // The words of the text must be in `words` already; `probe` is a buffer
    // for the index keys of single words.
    WordStandIns(const StandInTable &table, const QString &text, const std::vector<TextRange> &emails,
                 const std::vector<TextRange> &words, QString &probe)
        : m_table(table)
        , m_text(text)
        , m_emails(emails)
        , m_words(words)
        , m_probe(probe)
    {
    }

    void allInto(std::vector<WordMatch> &matches) const
    {
        matches.clear();
        const qsizetype count = qsizetype(m_words.size());
        for (qsizetype i = 0; i < count;) {
            qsizetype taken = 1;
            // One key and one hash of the word serve both questions.
            const size_t hash = StandInTable::hashOf(probeKey(wordAt(i)));
            std::optional<WordMatch> match;
            if (m_table.mayStartLongerStandIn(hash)) {
                match = longestAt(i, taken);
                // Looking up the longer stretches may have taken the buffer.
                probeKey(wordAt(i));
            }
            if (!match)
                match = singleAt(i, hash);
            if (match)
                matches.push_back(std::move(*match));
            i += taken;
        }
    }

private:
    // Longest first: "Cedarhaven Springs" is one town, not two words. Only
    // words the filter of first words lets through come here; one it lets
    // through wrongly only costs the lookups.
    std::optional<WordMatch> longestAt(qsizetype i, qsizetype &taken) const
    {
        const qsizetype start = m_words.at(i).start;
        const qsizetype longest = m_table.mostWordsOfAStandIn();
        for (qsizetype count = std::min<qsizetype>(longest, qsizetype(m_words.size()) - i); count >= 2; --count) {
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

    // The probe buffer holds the word's key, which has this hash.
    std::optional<WordMatch> singleAt(qsizetype i, size_t hash) const
    {
        const QStringView word = wordAt(i);
        if (auto match = lookUp(word, m_words.at(i).start, hash))
            return match;
        // "Mateo’s" restores "Mateo" and keeps the possessive.
        const qsizetype apostrophe = firstApostrophe(word);
        return apostrophe > 0 ? lookUp(word.first(apostrophe), m_words.at(i).start) : std::nullopt;
    }

    QStringView wordAt(qsizetype i) const
    {
        return QStringView(m_text).sliced(m_words.at(i).start, m_words.at(i).length());
    }

    // With a hash, the probe buffer holds the key of `matched` already.
    std::optional<WordMatch> lookUp(QStringView matched, qsizetype start, std::optional<size_t> probed = {}) const
    {
        // Most words are no stand-ins: one probe of the index settles them.
        // Searched here, not by a call: nearly every text is one short word.
        const bool oneWord = std::find(matched.cbegin(), matched.cend(), u' ') == matched.cend();
        std::optional<QString> real;
        if (oneWord && probed)
            real = m_table.realOf(m_probe, *probed);
        else if (oneWord)
            real = m_table.realOf(probeKey(matched));
        else
            real = m_table.realOfSubstitute(matched, EntryKind::firstName);
        if (!real)
            return std::nullopt;
        const LetterCase letterCase = quickLetterCase(matched);
        // "iPhone"-like words that start small but are not all lower case are no stand-ins.
        if (letterCase == LetterCase::mixed && !isCapitalised(matched))
            return std::nullopt;
        const qsizetype end = start + matched.size();
        if (letterCase == LetterCase::lower && insideAny(m_emails, start, end))
            return WordMatch{start, end, QString(), false, true};
        const bool lowerWord = letterCase == LetterCase::lower && oneWord;
        return WordMatch{start, end, quickRealCasedLike(*real, letterCase), lowerWord};
    }

    // The stand-in key of one word, written over the last one: nearly every
    // word is probed and nearly none is a stand-in, so the buffer, kept from
    // text to text, is never allocated again.
    const QString &probeKey(QStringView word) const
    {
        const QString &space = wordSpace();
        m_probe.resize(space.size() + word.size());
        QChar *out = std::copy(space.cbegin(), space.cend(), m_probe.data());
        for (QChar c : word) {
            if (c.unicode() >= 0x80) {
                m_probe = space + word.toString().toLower();
                return m_probe;
            }
            *out++ = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
        }
        return m_probe;
    }

    const StandInTable &m_table;
    const QString &m_text;
    const std::vector<TextRange> &m_emails;
    const std::vector<TextRange> &m_words;
    QString &m_probe;
};

// Between the words of one lower-case name: spaces, a comma ("haddad, ève")
// and initials with their full stops ("k. müller").
bool onlyNameGlue(const QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        const QChar c = text.at(i);
        if (c.isSpace() || c == u',' || c == u'.')
            continue;
        const bool initial = c.isLetter() && (i == 0 || !text.at(i - 1).isLetter()) && i + 1 < to && text.at(i + 1) == u'.';
        if (!initial)
            return false;
    }
    return true;
}

// A text that holds nothing but stand-ins, such as a lower-case full name in a cell.
bool onlyMatches(const std::vector<WordMatch> &matches, const QString &text)
{
    qsizetype at = 0;
    for (const WordMatch &match : matches) {
        if (!onlyNameGlue(text, at, match.start))
            return false;
        at = match.end;
    }
    return onlyNameGlue(text, at, text.size());
}

// Two stand-ins in a row are a name, even when both are everyday words; so
// are a surname, a comma and a given name.
bool besideAnother(const std::vector<WordMatch> &matches, size_t i, const QString &text)
{
    const auto adjoin = [&](const WordMatch &left, const WordMatch &right) {
        const qsizetype gap = right.start - left.end;
        return onlyWhitespace(text, left.end, right.start)
            || (gap == 2 && text.at(left.end) == u',' && text.at(left.end + 1).isSpace());
    };
    return (i > 0 && adjoin(matches[i - 1], matches[i])) || (i + 1 < matches.size() && adjoin(matches[i], matches[i + 1]));
}

} // namespace

// The replacements of one text, kept sorted by start so an overlap test is
// one search; the first replacement to claim a stretch keeps it. A text has
// few, so vectors kept from text to text serve best. Each pass adds its own
// from left to right, at the end of its vector, and the passes are merged
// in turn, so that a long pasted text costs time in step with its length.
class Restorer::Replacements
{
public:
    void clear()
    {
        m_kept.clear();
        m_pass.clear();
    }

    void add(qsizetype start, qsizetype end, QString text)
    {
        if (start < end && (overlapsAny(m_kept, start, end) || overlapsAny(m_pass, start, end)))
            return;
        // After any that start at the same place, as they were added.
        const auto next = std::upper_bound(m_pass.begin(), m_pass.end(), start,
                                           [](qsizetype at, const Item &item) { return at < item.start; });
        m_pass.insert(next, Item{start, end, std::move(text)});
    }

    // The pass's replacements join the earlier ones, after any that start at the same place.
    void endPass()
    {
        // Most passes find nothing: the test stays where it is asked.
        if (!m_pass.empty())
            mergePass();
    }

    void mergePass()
    {
        // The first pass to find anything, as in most texts, has nothing to merge with.
        if (m_kept.empty()) {
            std::swap(m_kept, m_pass);
            return;
        }
        m_merged.clear();
        m_merged.reserve(m_kept.size() + m_pass.size());
        std::merge(std::make_move_iterator(m_kept.begin()), std::make_move_iterator(m_kept.end()),
                   std::make_move_iterator(m_pass.begin()), std::make_move_iterator(m_pass.end()),
                   std::back_inserter(m_merged), [](const Item &a, const Item &b) { return a.start < b.start; });
        std::swap(m_kept, m_merged);
        m_pass.clear();
    }

    int count() const { return int(m_kept.size() + m_pass.size()); }

    // One replacement took the whole text: every word lies inside it, so no
    // later pass can claim one. Only for the kept ones, after endPass().
    bool coverWhole(qsizetype length) const
    {
        return std::any_of(m_kept.cbegin(), m_kept.cend(),
                           [length](const Item &item) { return item.start == 0 && item.end == length; });
    }

    // One pass from the start, so the work follows the length of the text.
    // The result is written over `result`, whose room a file's cells share.
    void applyTo(const QString &text, QString &result)
    {
        endPass();
        // Real values are often longer than their stand-ins: the exact room
        // spares the result growing on the way.
        qsizetype size = text.size();
        for (const Item &item : m_kept)
            size += item.text.size() - (item.end - item.start);
        // A result some reader still holds is left to it.
        if (result.isDetached())
            result.resize(size);
        else
            result = QString(size, Qt::Uninitialized);
        char16_t *out = reinterpret_cast<char16_t *>(result.data());
        const char16_t *units = QStringView(text).utf16();
        qsizetype at = 0;
        for (const Item &item : m_kept) {
            out = copied(units + at, units + item.start, out);
            out = copied(QStringView(item.text).utf16(), QStringView(item.text).utf16() + item.text.size(), out);
            at = item.end;
        }
        copied(units + at, units + text.size(), out);
    }

private:
    // The pieces are a few characters each: a loop here costs less than a call.
    static char16_t *copied(const char16_t *from, const char16_t *to, char16_t *out)
    {
        while (from < to)
            *out++ = *from++;
        return out;
    }

    struct Item
    {
        qsizetype start;
        qsizetype end;
        QString text;
    };

    // Ranges kept never overlap each other, in one vector or across both.
    static bool overlapsAny(const std::vector<Item> &items, qsizetype start, qsizetype end)
    {
        const auto next = std::lower_bound(items.cbegin(), items.cend(), start,
                                           [](const Item &item, qsizetype at) { return item.start < at; });
        if (next != items.cend() && next->start < end && next->start < next->end)
            return true;
        // Earlier starts: only the nearest non-empty one can reach past start.
        for (auto it = std::make_reverse_iterator(next); it != items.crend(); ++it) {
            if (it->start < it->end)
                return it->end > start;
        }
        return false;
    }

    std::vector<Item> m_kept;
    std::vector<Item> m_pass;
    std::vector<Item> m_merged;
};

// What restoring one text needs besides the text, kept from text to text so
// that a file's cells cost no allocation unless they hold a stand-in.
struct Restorer::Scratch
{
    Replacements found;
    std::vector<TextRange> emails;
    std::vector<TextRange> words;
    std::vector<WordMatch> matches;
    QString probe;
    QString phoneKey;
    QString restored;
    // Asked only about a lower-case stand-in that is also an everyday word.
    std::unique_ptr<NameTagger> names;
};

Restorer::Restorer(ProjectKey key) : m_key(std::move(key)), m_table(m_key.entries())
{
}

Restorer::Restorer(ProjectKey key, StandInTable table) : m_key(std::move(key)), m_table(std::move(table))
{
}

Restorer Restorer::fromKeyJson(const QByteArray &json)
{
    if (auto read = StandInTable::fromKeyJson(json))
        return Restorer(std::move(read->first), std::move(read->second));
    return Restorer(ProjectKey::fromJson(json));
}

// Five passes in a fixed order; a later pass never takes a stretch an earlier
// one replaced, so an e-mail address keeps its digits from the phone pass.
Restorer::TextResult Restorer::restore(const QString &text) const
{
    Scratch scratch;
    return restore(text, scratch);
}

Restorer::TextResult Restorer::restore(const QString &text, Scratch &scratch) const
{
    const int count = restoreInto(text, scratch);
    return {count == 0 ? text : scratch.restored, count};
}

// A file's cells come here: most restore nothing, and answering the count
// alone spares them a copy of their text.
int Restorer::restoreInto(const QString &text, Scratch &scratch) const
{
    if (m_table.isEmpty() || text.isEmpty())
        return 0;
    Replacements &found = scratch.found;
    found.clear();
    scratch.emails.clear();
    const PassHints hints = passHintsOf(text);
    if (hints.email)
        addEmails(text, scratch.emails, found);
    found.endPass();
    if (hints.phone)
        addPhones(text, hints.ascii, scratch.phoneKey, found);
    found.endPass();
    if (hints.street)
        addStreets(text, hints.ascii, found);
    found.endPass();
    if (hints.zip)
        addZips(text, found);
    found.endPass();
    // A cell that is one e-mail address or street line, as most such cells
    // are, spares the word pass the probes of its words.
    if (hints.letters && !found.coverWhole(text.size()))
        addNamesAndTowns(text, hints.ascii, scratch);
    if (found.count() == 0)
        return 0;
    found.applyTo(text, scratch.restored);
    return found.count();
}

// Every e-mail address of the text, the key's or not: the name pass leaves
// the lower-case words of the others alone.
void Restorer::addEmails(const QString &text, std::vector<TextRange> &emails, Replacements &found) const
{
    for (auto address = nextEmailAddress(text, 0); address; address = nextEmailAddress(text, address->end)) {
        emails.push_back(*address);
        const QStringView matched = QStringView(text).sliced(address->start, address->length());
        if (auto real = m_table.realOfSubstitute(matched, EntryKind::email))
            found.add(address->start, address->end,
                      quickLetterCase(matched) == LetterCase::upper ? inCapitals(*real) : *real);
    }
}

void Restorer::addPhones(const QString &text, bool ascii, QString &key, Replacements &found) const
{
    if (ascii) {
        for (auto match = nextAsciiPhoneStandIn(text, 0); match; match = nextAsciiPhoneStandIn(text, match->range.end))
            addPhone(text, *match, key, found);
        return;
    }
    for (auto it = phoneStandInPattern().globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        const qsizetype extension = match.capturedLength(1) > 0 ? match.capturedStart(1) : -1;
        addPhone(text, {{match.capturedStart(), match.capturedEnd()}, extension}, key, found);
    }
}

void Restorer::addPhone(const QString &text, const PhoneStandInMatch &match, QString &key, Replacements &found) const
{
    // A match may begin with the separator in front of 555.
    qsizetype start = match.range.start;
    while (start < match.range.end && (text.at(start).isSpace() || text.at(start) == u'-' || text.at(start) == u'.'))
        ++start;
    qsizetype end = match.range.end;
    const auto lookUp = [&](qsizetype from, qsizetype to) {
        return m_table.realOf(phoneStandInKey(QStringView(text).sliced(from, to - from), key));
    };
    auto real = lookUp(start, end);
    // An extension the key does not know belongs to the text, not to the stand-in.
    const qsizetype numberEnd = match.extension >= 0 ? match.extension : end;
    if (!real && match.extension >= 0) {
        end = numberEnd;
        real = lookUp(start, end);
    }
    // "(822) 555-0111" where the key knows 555-0111 alone: a seven-digit
    // stand-in laid out plainly can follow digits of the text's own.
    if (!real) {
        const qsizetype line = lineStart(text, numberEnd);
        if (line > start && (real = lookUp(line, numberEnd))) {
            start = line;
            end = numberEnd;
        }
    }
    // The real number takes the layout of the number before any extension.
    if (real)
        found.add(start, end, phoneLike(*real, QStringView(text).sliced(start, numberEnd - start)));
}

namespace {

// The street line with its type word in the other form ("Trl" for "Trail",
// "Avenue" for "Ave"), or nothing when its last word is no type or has one form.
QString withOtherStreetType(QStringView line)
{
    if (line.endsWith(u'.'))
        line.chop(1);
    const qsizetype space = line.lastIndexOf(u' ');
    const QStringView type = line.sliced(space + 1);
    for (const pools::StreetType &known : pools::streetTypes()) {
        const bool isLong = type.compare(known.longForm, Qt::CaseInsensitive) == 0;
        if ((isLong || type.compare(known.shortForm, Qt::CaseInsensitive) == 0) && known.longForm != known.shortForm)
            return line.first(space + 1) + (isLong ? known.shortForm : known.longForm);
    }
    return {};
}

} // namespace

// A reply that spells a stand-in's street type out, or shortens it, still
// names that stand-in: every stand-in's type comes from the same pairs.
std::optional<QString> Restorer::realStreet(QStringView line) const
{
    if (auto real = m_table.realOfSubstitute(line, EntryKind::street))
        return real;
    const QString other = withOtherStreetType(line);
    return other.isEmpty() ? std::nullopt : m_table.realOfSubstitute(other, EntryKind::street);
}

void Restorer::addStreets(const QString &text, bool ascii, Replacements &found) const
{
    const auto add = [&](qsizetype start, qsizetype end) {
        const QStringView matched = QStringView(text).sliced(start, end - start);
        auto real = realStreet(matched);
        if (!real)
            return;
        // A period after the stand-in is most often the sentence's own: it
        // stays unless the real street ends in one.
        const bool keepsPeriod = matched.endsWith(u'.') && !real->endsWith(u'.');
        found.add(start, keepsPeriod ? end - 1 : end, quickRealCasedLike(*real, quickLetterCase(matched)));
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
        const QStringView matched = match.capturedView();
        if (auto real = m_table.realOfSubstitute(matched.first(5), EntryKind::zip))
            found.add(match.capturedStart(), match.capturedEnd(),
                      zipPlus4::restored(matched, *real, m_table.zipStandInPlus4(matched.first(5)), m_key));
    }
}

namespace {

// "Called hector re invoice": the scan swapped a lower-case name because the
// words around it show a person. The stand-in may be a word the tagger
// doubts on its own ("rhea", "calla"), so it is asked about a given name no
// dictionary holds, written the same way, in the stand-in's place.
bool taggedAsName(const QString &text, const WordMatch &match, std::unique_ptr<NameTagger> &names)
{
    if (!names)
        names = defaultTextServices()->nameTagger();
    static const QString plainName = u"priya"_s;
    names->setText(text.first(match.start) + plainName + text.sliced(match.end));
    const TextRange range{match.start, match.start + plainName.size()};
    const QList<NameToken> tokens = names->tokens();
    return std::any_of(tokens.cbegin(), tokens.cend(),
                       [&](const NameToken &token) { return token.personalName && token.range.overlaps(range); });
}

// Stand-ins are written in Latin letters, also where the text runs them on
// into letters of its own script: "Wren先生来电", "Aubrey様より", the Arabic
// "لـHiro" and the Hebrew "לAnders" (for, to). There a word ends where its
// letters turn from Latin to another script, or back.
void splitAtScriptChanges(const QString &text, std::vector<TextRange> &words)
{
    std::vector<TextRange> split;
    split.reserve(words.size());
    for (const TextRange &word : words) {
        qsizetype start = word.start;
        std::optional<bool> wasLatin;
        for (qsizetype at = word.start; at < word.end; ++at) {
            const QChar::Script script = text.at(at).script();
            if (script == QChar::Script_Inherited || script == QChar::Script_Common)
                continue; // marks, hyphens and apostrophes go with the letter before
            const bool latin = script == QChar::Script_Latin;
            if (wasLatin && *wasLatin != latin) {
                split.push_back({start, at});
                start = at;
            }
            wasLatin = latin;
        }
        split.push_back({start, word.end});
    }
    words = std::move(split);
}

// "Okafor-san": a swap gives the name before the honorific a stand-in of its own.
void cutHyphenHonorifics(const QString &text, std::vector<TextRange> &words)
{
    for (TextRange &word : words) {
        const QStringView written = QStringView(text).sliced(word.start, word.length());
        const qsizetype hyphen = written.lastIndexOf(u'-');
        if (hyphen < 2)
            continue;
        const QStringView tail = written.sliced(hyphen);
        const QStringList &honorifics = hyphenHonorifics();
        if (std::any_of(honorifics.cbegin(), honorifics.cend(),
                        [&](const QString &honorific) { return tail.compare(honorific, Qt::CaseInsensitive) == 0; }))
            word.end = word.start + hyphen;
    }
}

} // namespace

void Restorer::addNamesAndTowns(const QString &text, bool ascii, Scratch &scratch) const
{
    if (ascii) {
        asciiNameWordRanges(text, scratch.words);
    } else {
        const QList<TextRange> words = nameWordRanges(text);
        scratch.words.assign(words.cbegin(), words.cend());
        splitAtScriptChanges(text, scratch.words);
    }
    cutHyphenHonorifics(text, scratch.words);
    std::vector<WordMatch> &matches = scratch.matches;
    WordStandIns(m_table, text, scratch.emails, scratch.words, scratch.probe)
        .allInto(matches);
    const bool onlyNames = onlyMatches(matches, text);
    for (size_t i = 0; i < matches.size(); ++i) {
        const WordMatch &match = matches[i];
        // An address the key does not know keeps its lower-case words: they
        // are the mailbox's own, not names written in lower case.
        if (match.inMailbox)
            continue;
        if (!match.needsSupport || onlyNames || besideAnother(matches, i, text)
            || !WordClasses::shared().isEverydayWord(text.sliced(match.start, match.end - match.start))
            || taggedAsName(text, match, scratch.names))
            scratch.found.add(match.start, match.end, match.real);
    }
}

Restorer::FileResult Restorer::restore(const Spreadsheet &spreadsheet, const ProgressReport &progress) const
{
    int total = 0;
    ProgressMeter meter(progress, Progress::Stage::restoring, spreadsheet.offeredCellCount());
    Scratch scratch;
    RepeatedCells repeated;
    const QByteArray data = spreadsheet.dataWithViews(
        [&](const std::optional<CellRef> &cell, const QString &text) -> std::optional<QStringView> {
            meter.advance();
            const int column = cell ? cell->column : -1;
            if (const RepeatedCells::Restored *known = repeated.find(column, text)) {
                total += known->count;
                return known->count == 0 ? std::nullopt : std::optional<QStringView>(known->text);
            }
            const int count = restoreInto(text, scratch);
            repeated.remember(column, text, count, scratch.restored);
            if (count == 0)
                return std::nullopt;
            total += count;
            return scratch.restored;
        });
    meter.finish();
    return {data, total};
}

} // namespace quorvane
