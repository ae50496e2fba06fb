#include "kit/find/TextRules.h"

#include "kit/keys/CaselessWords.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

const QRegularExpression &emailPattern()
{
    // A mailbox may hold letters beyond ASCII ("jgarcía-lópez@…"): taking
    // only its ASCII tail would leave the rest of the name in the copy.
    static const QRegularExpression pattern(
        u"[\\p{L}\\p{M}0-9._%+\\-]+@[A-Za-z0-9](?:[A-Za-z0-9\\-]*[A-Za-z0-9])?"
        u"(?:\\.[A-Za-z0-9](?:[A-Za-z0-9\\-]*[A-Za-z0-9])?)*\\.[A-Za-z]{2,}"_s);
    return pattern;
}

const QRegularExpression &nameWordPattern()
{
    static const QRegularExpression pattern(
        // Marks belong to their letters (Devanagari and Thai vowel signs).
        // A possessive "'s" is not part of the word: "Wojcik's" is Wojcik, so one
        // person gets one stand-in however the text writes them.
        u"\\p{L}[\\p{L}\\p{M}]*(?:['’](?![sS](?!\\p{L}))\\p{L}[\\p{L}\\p{M}]*)*(?:-\\p{L}[\\p{L}\\p{M}]*(?:['’](?![sS](?!\\p{L}))\\p{L}[\\p{L}\\p{M}]*)*)*"_s,
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

const WordSet &titleWords()
{
    static const WordSet words{
        u"mr"_s, u"mrs"_s, u"ms"_s, u"miss"_s, u"mx"_s, u"dr"_s, u"prof"_s, u"sir"_s, u"rev"_s,
        u"jr"_s, u"sr"_s, u"ii"_s, u"iii"_s, u"iv"_s, u"md"_s, u"phd"_s, u"esq"_s,
    };
    return words;
}

// Every word of every name is asked about, so the list is also kept where it
// is looked up without a lower-cased copy of the word or a SipHash of it.
const QStringList &hyphenHonorifics()
{
    static const QStringList honorifics{u"-san"_s, u"-sama"_s, u"-kun"_s, u"-chan"_s,
                                        u"-sensei"_s, u"-ji"_s, u"-ssi"_s, u"-nim"_s};
    return honorifics;
}

bool isTitleWord(QStringView word)
{
    static const CaselessWords words = [] {
        CaselessWords caseless;
        titleWords().forEach([&](QStringView title) { caseless.add(title); });
        return caseless;
    }();
    return words.contains(word);
}

bool isCompanySuffix(QStringView word)
{
    static const CaselessWords suffixes{
        u"co", u"corp", u"corporation", u"inc", u"incorporated", u"llc", u"ltd",
        u"limited", u"llp", u"lp", u"plc", u"pllc", u"gmbh", u"ag", u"kg", u"sa",
        u"sarl", u"sas", u"bv", u"nv", u"pty", u"srl", u"spa", u"oy", u"ab",
        // Words that end company names as often as legal forms do.
        u"company", u"group", u"partners", u"associates", u"holdings", u"industries",
        u"enterprises",
    };
    // Nearly every word asked about is a plain ASCII word of a name, and
    // none of those longer than the longest suffix can be one.
    constexpr qsizetype longest = 12; // "incorporated"
    const bool ascii = std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii && (word.size() < 2 || word.size() > longest))
        return false;
    return suffixes.contains(word);
}

bool isRegionCode(QStringView word)
{
    static const WordSet codes{
        // US states, the District of Columbia and territories.
        u"AL"_s, u"AK"_s, u"AZ"_s, u"AR"_s, u"CA"_s, u"CO"_s, u"CT"_s, u"DE"_s, u"DC"_s, u"FL"_s,
        u"GA"_s, u"HI"_s, u"ID"_s, u"IL"_s, u"IN"_s, u"IA"_s, u"KS"_s, u"KY"_s, u"LA"_s, u"ME"_s,
        u"MD"_s, u"MA"_s, u"MI"_s, u"MN"_s, u"MS"_s, u"MO"_s, u"MT"_s, u"NE"_s, u"NV"_s, u"NH"_s,
        u"NJ"_s, u"NM"_s, u"NY"_s, u"NC"_s, u"ND"_s, u"OH"_s, u"OK"_s, u"OR"_s, u"PA"_s, u"RI"_s,
        u"SC"_s, u"SD"_s, u"TN"_s, u"TX"_s, u"UT"_s, u"VT"_s, u"VA"_s, u"WA"_s, u"WV"_s, u"WI"_s,
        u"WY"_s, u"PR"_s, u"GU"_s, u"VI"_s, u"AS"_s, u"MP"_s,
        // Canadian provinces and territories.
        u"AB"_s, u"BC"_s, u"MB"_s, u"NB"_s, u"NL"_s, u"NS"_s, u"NT"_s, u"NU"_s, u"ON"_s, u"PE"_s,
        u"QC"_s, u"SK"_s, u"YT"_s,
    };
    return word.size() == 2 && codes.contains(word.toString());
}

const WordSet &cueWords()
{
    static const WordSet words{
        u"call"_s, u"called"_s, u"email"_s, u"emailed"_s, u"text"_s, u"texted"_s, u"dear"_s,
        u"hi"_s, u"hello"_s, u"hey"_s, u"thanks"_s, u"thank"_s, u"customer"_s, u"client"_s,
        u"contact"_s, u"spoke"_s, u"met"_s, u"meet"_s, u"with"_s, u"ask"_s, u"asked"_s,
        u"tell"_s, u"told"_s, u"cc"_s, u"attn"_s, u"per"_s, u"from"_s, u"to"_s, u"by"_s,
        u"and"_s, u"or"_s, u"the"_s, u"re"_s, u"fwd"_s, u"fw"_s, u"note"_s, u"notes"_s,
        u"patient"_s, u"tenant"_s, u"owner"_s, u"ship"_s, u"bill"_s, u"sent"_s, u"send"_s,
        u"reply"_s, u"replied"_s, u"follow"_s, u"followup"_s, u"remind"_s, u"reminder"_s,
        u"visit"_s, u"visited"_s, u"invoice"_s, u"order"_s, u"refund"_s, u"via"_s, u"for"_s,
        u"about"_s, u"mr"_s, u"mrs"_s, u"ms"_s, u"miss"_s, u"mx"_s, u"dr"_s, u"prof"_s,
        u"sir"_s, u"madam"_s, u"rev"_s, u"jr"_s, u"sr"_s, u"ii"_s, u"iii"_s, u"iv"_s, u"md"_s,
        u"phd"_s, u"esq"_s, u"today"_s, u"tomorrow"_s, u"yesterday"_s, u"monday"_s,
        u"tuesday"_s, u"wednesday"_s, u"thursday"_s, u"friday"_s, u"saturday"_s, u"sunday"_s,
        u"january"_s, u"february"_s, u"march"_s, u"april"_s, u"june"_s, u"july"_s,
        u"august"_s, u"september"_s, u"october"_s, u"november"_s, u"december"_s,
        u"street"_s, u"avenue"_s, u"road"_s, u"referred"_s, u"wants"_s, u"wanted"_s,
        u"loves"_s, u"prefers"_s, u"signed"_s, u"orders"_s, u"ordered"_s, u"paid"_s,
        u"left"_s, u"please"_s, u"regards"_s, u"best"_s, u"talked"_s, u"says"_s, u"said"_s,
        u"messaged"_s, u"booked"_s, u"cancelled"_s, u"canceled"_s, u"confirmed"_s,
        u"invited"_s,
    };
    return words;
}

namespace {

QList<TextRange> nameWordRangesByPattern(const QString &text)
{
    QList<TextRange> ranges;
    auto matches = nameWordPattern().globalMatch(text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        ranges.append({match.capturedStart(), match.capturedEnd()});
    }
    return ranges;
}

// Walks the text once, word by word, taking exactly what nameWordPattern
// takes: a letter, then letters and marks, then more of those after a hyphen
// or an apostrophe that is followed by a letter, unless the apostrophe starts
// a possessive "'s".
class NameWordWalk
{
public:
    explicit NameWordWalk(const QString &text) : m_text(text) {}

    QList<TextRange> ranges() const
    {
        QList<TextRange> found;
        visit([&](const TextRange &range) { found.append(range); });
        return found;
    }

    template<class Visit>
    void visit(const Visit &visitWord) const
    {
        for (qsizetype i = 0; i < m_text.size();) {
            if (!isLetter(i)) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            i = wordEnd(i);
            visitWord(TextRange{start, i});
        }
    }

private:
    qsizetype wordEnd(qsizetype i) const
    {
        for (;;) {
            ++i;
            while (i < m_text.size() && (m_text[i].isLetter() || m_text[i].isMark()))
                ++i;
            if (!joinsNextPiece(i))
                return i;
            ++i;
        }
    }

    bool joinsNextPiece(qsizetype i) const
    {
        if (i >= m_text.size() || !isLetter(i + 1))
            return false;
        const QChar c = m_text[i];
        if (c == u'-')
            return true;
        return (c == u'\'' || c == u'’') && !isPossessive(i + 1);
    }

    bool isPossessive(qsizetype i) const { return (m_text[i] == u's' || m_text[i] == u'S') && !isLetter(i + 1); }
    bool isLetter(qsizetype i) const { return i < m_text.size() && m_text[i].isLetter(); }

    const QString &m_text;
};

} // namespace

QList<TextRange> nameWordRanges(const QString &text)
{
    // Every cell passes through here several times, and the walk is many
    // times faster than the pattern; text outside the basic plane keeps to
    // the pattern, which reads its pairs of units as one character.
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); }))
        return nameWordRangesByPattern(text);
    return NameWordWalk(text).ranges();
}

void forEachNameWordRange(const QString &text, const std::function<void(const TextRange &)> &visit)
{
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); })) {
        for (const TextRange &range : nameWordRangesByPattern(text))
            visit(range);
        return;
    }
    NameWordWalk(text).visit(visit);
}

qsizetype nameWordCount(const QString &text)
{
    qsizetype count = 0;
    forEachNameWordRange(text, [&count](const TextRange &) { ++count; });
    return count;
}

QList<Word> nameWords(const QString &text)
{
    const QList<TextRange> ranges = nameWordRanges(text);
    QList<Word> words;
    words.reserve(ranges.size());
    for (const TextRange &range : ranges)
        words.append({range, range.of(text)});
    return words;
}

bool isCapitalised(QStringView word)
{
    if (word.isEmpty())
        return false;
    char32_t first = word.at(0).unicode();
    if (word.size() > 1 && word.at(0).isHighSurrogate() && word.at(1).isLowSurrogate())
        first = QChar::surrogateToUcs4(word.at(0), word.at(1));
    return QChar::isUpper(first);
}

bool isNameWord(QStringView word)
{
    return isCapitalised(word) && !cueWords().contains(word.toString().toLower());
}

bool isVerbedAcronym(QStringView word)
{
    const qsizetype apostrophe = std::max(word.lastIndexOf(u'\''), word.lastIndexOf(u'’'));
    if (apostrophe < 2)
        return false;
    const QStringView stem = word.first(apostrophe);
    const QStringView ending = word.sliced(apostrophe + 1);
    return std::all_of(stem.begin(), stem.end(), [](QChar c) { return c.isUpper(); })
        && (ending == u"d" || ending == u"ed" || ending == u"ing");
}

TextRange trimmedRange(const QString &text)
{
    // Whitespace is never a surrogate, so checking UTF-16 units one by one is exact.
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).isSpace())
        ++start;
    while (end > start && text.at(end - 1).isSpace())
        --end;
    return {start, end};
}

bool onlySpacesBetween(const QString &text, qsizetype from, qsizetype to)
{
    if (from >= to || to - from > 2)
        return false;
    for (qsizetype i = from; i < to; ++i) {
        if (text.at(i) != u' ' && text.at(i) != QChar(0x00A0))
            return false;
    }
    return true;
}

bool hasOnlyNameCharacters(QStringView text, Commas commas)
{
    const auto allowed = [commas](char32_t c) {
        return QChar::isLetter(c) || QChar::isSpace(c) || c == u'-' || c == u'\'' || c == u'’' || c == u'.'
            || (c == u',' && commas == Commas::allowed);
    };
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.cbegin(), characters.cend(), allowed);
}

} // namespace quorvane
