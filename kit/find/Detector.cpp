#include "kit/find/Detector.h"

#include "kit/find/NameLexicon.h"
#include "kit/find/PhoneFinder.h"
#include "kit/find/TextRules.h"
#include "kit/find/TextServices.h"
#include "kit/find/WordClasses.h"

#include <QHash>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Whole-word and case-insensitive: no letter or digit may touch the match.
std::optional<QRegularExpression> wholeWordPattern(const QString &literal)
{
    const QString trimmed = literal.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QRegularExpression pattern(u"(?<![\\p{L}\\p{N}])"_s % QRegularExpression::escape(trimmed)
                                   % u"(?![\\p{L}\\p{N}])"_s,
                               QRegularExpression::CaseInsensitiveOption
                                   | QRegularExpression::UseUnicodePropertiesOption);
    if (!pattern.isValid())
        return std::nullopt;
    return pattern;
}

const QRegularExpression &personSeparator()
{
    static const QRegularExpression pattern(u"\\s*(?:&|/|;|\\n|\\band\\b)\\s*"_s,
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

// Most name cells hold one person; the pattern is only worth running on a
// text with one of its separators. "and" is looked for in any case, and
// letters outside ASCII may match it caselessly.
bool mayHoldPersonSeparator(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c == u'&' || c == u'/' || c == u';' || c == u'\n' || c.unicode() >= 0x80;
    }) || text.contains(u"and", Qt::CaseInsensitive);
}

bool isKnownFirstName(const QString &word)
{
    return nameLexicon::isKnownFirstName(word.toLower());
}

qsizetype characterCount(QStringView word)
{
    qsizetype count = 0;
    for (QChar c : word)
        if (!c.isLowSurrogate())
            ++count;
    return count;
}

// A Han character or a Hangul syllable is a whole family name on its own ("王", "김").
bool isSyllableName(QStringView word)
{
    if (characterCount(word) != 1)
        return false;
    const QChar::Script script = QChar::script(word.size() == 2 ? QChar::surrogateToUcs4(word.at(0), word.at(1)) : word.at(0).unicode());
    return script == QChar::Script_Han || script == QChar::Script_Hangul;
}

bool atSentenceStart(const QString &text, qsizetype offset)
{
    qsizetype end = offset;
    while (end > 0 && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
        --end;
    qsizetype start = 0;
    while (start < end && (text.at(start) == u' ' || text.at(start) == u'\t'))
        ++start;
    if (start == end)
        return true;
    const QChar last = text.at(end - 1);
    return last == u'.' || last == u'!' || last == u'?' || last == u':' || last == u';'
        || last == u'\n';
}

bool hasLetter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter() || c.isSurrogate(); });
}

// Ids, counts and amounts are searched in no time and seldom repeat; kept,
// they would fill the memory of searched texts before the notes and company
// names that do repeat and are dear to search.
bool isWorthRemembering(const QString &text)
{
    return hasLetter(text) || PhoneFinder::mayFind(text);
}

void sortByStart(QList<Finding> &findings)
{
    const auto byStart = [](const Finding &a, const Finding &b) { return a.range.start < b.range.start; };
    // Nearly every list is in order already; sorting it anyway would copy a
    // list shared with the detector's memory and make a buffer to sort in.
    if (!std::is_sorted(findings.cbegin(), findings.cend(), byStart))
        std::stable_sort(findings.begin(), findings.end(), byStart);
}

// The growing list of one cell: the first finding over a stretch of text wins.
class Candidates
{
public:
    bool add(Finding finding)
    {
        if (finding.range.isEmpty())
            return false;
        // The taken ranges are disjoint, so sorted by start they are sorted by
        // end too: only the last one starting before this one ends can overlap.
        const auto after = m_taken.lower_bound(finding.range.end);
        if (after != m_taken.begin() && std::prev(after)->second > finding.range.start)
            return false;
        m_taken.emplace(finding.range.start, finding.range.end);
        m_findings.append(std::move(finding));
        return true;
    }
    QList<Finding> take() { return std::move(m_findings); }

private:
    QList<Finding> m_findings;
    std::map<qsizetype, qsizetype> m_taken; // start to end, so a long text doesn't take quadratic time
};

Finding makeFinding(ValueKind kind, const QString &text, TextRange range)
{
    Finding finding;
    finding.kind = kind;
    finding.range = range;
    finding.text = range.of(text);
    return finding;
}

Finding addressFinding(const QString &text, TextRange range, AddressParts parts)
{
    Finding finding = makeFinding(ValueKind::address, text, range);
    finding.address = std::move(parts);
    return finding;
}

Finding streetOnlyAddress(const QString &text, TextRange range)
{
    AddressParts parts;
    parts.street = range.of(text);
    return addressFinding(text, range, parts);
}

} // namespace

struct Detector::Private
{
    std::shared_ptr<TextServices> services;
    std::unique_ptr<DataDetector> dataDetector;
    std::unique_ptr<NameTagger> tagger;
    QList<std::pair<ExtraTerm, QRegularExpression>> extraTerms;
    // Enough for the distinct texts of the free-text columns of most files;
    // past it, further texts are searched every time.
    static constexpr qsizetype freeTextRemembered = 1 << 16;
    QHash<QString, QList<Finding>> freeTextFindings;

    NameTagger &nameTagger()
    {
        // Only free-text columns need the tagger, so it is made on first use.
        if (!tagger)
            tagger = services->nameTagger();
        return *tagger;
    }

    QList<Finding> findingsOf(const QString &text, ColumnKind column);
    void addExtraTerms(const QString &text, ColumnKind column, Candidates &candidates) const;
    static int addEmails(const QString &text, Candidates &candidates);
    int addPhones(const QString &text, const QList<DetectedValue> &detected, Candidates &candidates) const;
    static int addAddresses(const QString &text, const QList<DetectedValue> &detected,
                            Candidates &candidates);
    static void addPeople(const QString &text, ColumnKind column, Candidates &candidates);
    int addTaggedNames(const QString &text, Candidates &candidates);
    static void addWholeCellName(const QString &text, Candidates &candidates);
    static void addWholeCellPhone(const QString &text, Candidates &candidates);
    static void addWholeCellAddress(const QString &text, Candidates &candidates);
    QList<TextRange> taggedNameRanges(const QString &text, const QList<Word> &words);
    static void addFirstNameLedRuns(const QString &text, const QList<Word> &words, QList<TextRange> &ranges);
    static void addNamesInOwnScript(const QString &text, QList<TextRange> &ranges);
    static bool isOwnScriptName(QStringView text);
};

Detector::Detector(const QList<ExtraTerm> &extraTerms, std::shared_ptr<TextServices> services)
    : d(std::make_unique<Private>())
{
    d->services = services ? std::move(services) : defaultTextServices();
    d->dataDetector = d->services->dataDetector();
    for (const ExtraTerm &term : extraTerms)
        if (auto pattern = wholeWordPattern(term.text))
            d->extraTerms.append({term, *pattern});
}

Detector::~Detector() = default;
Detector::Detector(Detector &&) noexcept = default;
Detector &Detector::operator=(Detector &&) noexcept = default;

void Detector::prepare()
{
    Detector detector;
    detector.findings(u"Called Maria Lopez (Mrs) on 555-0100 about 12 Pine St, Springfield, IL 62704; "
                      u"she wrote from maria@example.com."_s,
                      ColumnKind::autoDetect);
}

QList<Finding> Detector::findings(const QString &text, ColumnKind column)
{
    if (column == ColumnKind::skip || trimmedRange(text).isEmpty())
        return {};
    if (column != ColumnKind::autoDetect || !isWorthRemembering(text))
        return d->findingsOf(text, column);
    // Free text takes the dearest passes and often repeats down a column (a
    // company, a stock phrase, a date), so each text is searched once.
    if (const auto known = d->freeTextFindings.constFind(text); known != d->freeTextFindings.cend())
        return *known;
    QList<Finding> result = d->findingsOf(text, column);
    if (d->freeTextFindings.size() < Private::freeTextRemembered)
        d->freeTextFindings.insert(text, result);
    return result;
}

QList<Finding> Detector::Private::findingsOf(const QString &text, ColumnKind column)
{
    Candidates candidates;
    addExtraTerms(text, column, candidates);
    switch (column) {
    case ColumnKind::autoDetect: {
        addEmails(text, candidates);
        const auto detected = dataDetector->matches(text, DetectedType::phone | DetectedType::address);
        addPhones(text, detected, candidates);
        addAddresses(text, detected, candidates);
        // Names are made of letters; a text without any has none to tag.
        if (hasLetter(text) && addTaggedNames(text, candidates) == 0)
            addWholeCellName(text, candidates);
        break;
    }
    case ColumnKind::fullName:
    case ColumnKind::firstName:
    case ColumnKind::lastName:
        addEmails(text, candidates);
        addPeople(text, column, candidates);
        break;
    case ColumnKind::email:
        addEmails(text, candidates);
        break;
    case ColumnKind::phone:
        if (addPhones(text, dataDetector->matches(text, DetectedType::phone), candidates) == 0)
            addWholeCellPhone(text, candidates);
        break;
    case ColumnKind::address:
        if (addAddresses(text, dataDetector->matches(text, DetectedType::address), candidates) == 0)
            addWholeCellAddress(text, candidates);
        break;
    case ColumnKind::skip:
        break;
    }
    QList<Finding> result = candidates.take();
    sortByStart(result);
    return result;
}

QList<Finding> Detector::phoneFindings(const QString &text)
{
    Candidates candidates;
    d->addPhones(text, d->dataDetector->matches(text, DetectedType::phone), candidates);
    QList<Finding> result = candidates.take();
    sortByStart(result);
    return result;
}

void Detector::Private::addExtraTerms(const QString &text, ColumnKind column, Candidates &candidates) const
{
    for (const auto &[term, pattern] : extraTerms) {
        auto matches = pattern.globalMatch(text);
        while (matches.hasNext()) {
            const auto match = matches.next();
            const TextRange range{match.capturedStart(), match.capturedEnd()};
            Finding finding = makeFinding(term.kind, text, range);
            if (term.kind == ValueKind::name)
                finding.nameParts = nameParts(finding.text, column);
            else if (term.kind == ValueKind::address)
                finding = streetOnlyAddress(text, range);
            candidates.add(std::move(finding));
        }
    }
}

int Detector::Private::addEmails(const QString &text, Candidates &candidates)
{
    int added = 0;
    if (!text.contains(u'@'))
        return added;
    auto matches = emailPattern().globalMatch(text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        added += candidates.add(makeFinding(ValueKind::email, text, {match.capturedStart(), match.capturedEnd()}));
    }
    return added;
}

int Detector::Private::addPhones(const QString &text, const QList<DetectedValue> &detected,
                                 Candidates &candidates) const
{
    int added = 0;
    for (const DetectedValue &value : detected) {
        if (value.type != DetectedType::phone)
            continue;
        TextRange range = value.range;
        while (range.end > range.start) {
            const QChar last = text.at(range.end - 1);
            if (!last.isSpace() && last != u',' && last != u';')
                break;
            --range.end;
        }
        if (digits(QStringView(text).sliced(range.start, range.length())).size() < 7)
            continue;
        added += candidates.add(makeFinding(ValueKind::phone, text, range));
    }
    return added;
}

int Detector::Private::addAddresses(const QString &text, const QList<DetectedValue> &detected,
                                    Candidates &candidates)
{
    int added = 0;
    for (const DetectedValue &value : detected)
        if (value.type == DetectedType::address)
            added += candidates.add(addressFinding(text, value.range, value.components));
    return added;
}

void Detector::Private::addWholeCellPhone(const QString &text, Candidates &candidates)
{
    const TextRange range = trimmedRange(text);
    const qsizetype count = digits(range.of(text)).size();
    if (count >= 7 && count <= 15)
        candidates.add(makeFinding(ValueKind::phone, text, range));
}

void Detector::Private::addWholeCellAddress(const QString &text, Candidates &candidates)
{
    TextRange range = trimmedRange(text);
    // A final period ("12 Oak St.") stays in the cell, as in free text.
    if (range.length() > 1 && text.at(range.end - 1) == u'.')
        --range.end;
    const QString trimmed = range.of(text);
    const bool hasLetter = std::any_of(trimmed.begin(), trimmed.end(),
                                       [](QChar c) { return c.isLetter() || c.isSurrogate(); });
    if (hasLetter)
        candidates.add(streetOnlyAddress(text, range));
}

void Detector::Private::addPeople(const QString &text, ColumnKind column, Candidates &candidates)
{
    QList<TextRange> pieces;
    qsizetype pieceStart = 0;
    if (mayHoldPersonSeparator(text)) {
        auto separators = personSeparator().globalMatch(text);
        while (separators.hasNext()) {
            const auto match = separators.next();
            pieces.append({pieceStart, match.capturedStart()});
            pieceStart = match.capturedEnd();
        }
    }
    pieces.append({pieceStart, text.size()});

    for (TextRange piece : std::as_const(pieces)) {
        while (piece.start < piece.end && (text.at(piece.start).isSpace() || text.at(piece.start) == u'"'))
            ++piece.start;
        while (piece.end > piece.start) {
            const QChar last = text.at(piece.end - 1);
            if (!last.isSpace() && last != u'"' && last != u',')
                break;
            --piece.end;
        }
        if (piece.isEmpty())
            continue;
        Finding finding = makeFinding(ValueKind::name, text, piece);
        finding.nameParts = nameParts(finding.text, column);
        if (!finding.nameParts.isEmpty())
            candidates.add(std::move(finding));
    }
}

namespace {

// "Lakeside Lakeside Corp.": a run of words right before a company word is the
// company's name, whatever the words are.
bool endsCompanyName(const QString &text, const QList<Word> &words, TextRange range)
{
    const auto next = std::find_if(words.cbegin(), words.cend(), [&](const Word &w) { return w.range.start >= range.end; });
    return next != words.cend() && onlySpacesBetween(text, range.end, next->range.start) && isCompanySuffix(next->word);
}

// "Robert Half", "Wren Roofing", "O'SULLIVAN RANG", "RSVP'd": a word that names a trade
// or a firm, a speech verb or an everyday word ends a name rather than
// continuing it, whatever lists of surnames also hold it.
bool endsNameRun(const QString &word)
{
    const QString lowered = word.toLower();
    return nameLexicon::isFirmEnding(lowered) || nameLexicon::isActionVerb(lowered) || isVerbedAcronym(word)
        || (WordClasses::shared().isEverydayWord(lowered) && !nameLexicon::isSurname(lowered));
}

// "(Victoria Day)": a day alone in brackets is a date put beside another,
// however many people bear the name before it.
bool isHolidayInBrackets(const QString &text, const QList<Word> &words, TextRange range)
{
    const auto last = std::find_if(words.crbegin(), words.crend(), [&](const Word &w) { return w.range.end <= range.end; });
    const bool endsInDay = last != words.crend() && last->range.start > range.start && last->word == u"Day"_s;
    return endsInDay && range.start > 0 && text.at(range.start - 1) == u'('
        && range.end < text.size() && text.at(range.end) == u')';
}

bool isCommaBetween(const QString &text, qsizetype from, qsizetype to)
{
    return from <= to && QStringView(text).sliced(from, to - from).trimmed() == u",";
}

// "Fairview Bakery, Dennis Glass, Whitman Tires": an item listed between two
// firms named by their trade is a firm too, whatever its first word.
bool isListedAmongFirms(const QString &text, const QList<Word> &words, TextRange range)
{
    const auto after = std::find_if(words.cbegin(), words.cend(), [&](const Word &w) { return w.range.start >= range.end; });
    if (after == words.cend() || !isCommaBetween(text, range.end, after->range.start))
        return false;
    auto before = std::find_if(words.crbegin(), words.crend(), [&](const Word &w) { return w.range.end <= range.start; });
    if (before == words.crend() || !isCommaBetween(text, before->range.end, range.start))
        return false;
    auto nextItemEnd = after;
    while (nextItemEnd + 1 != words.cend() && onlySpacesBetween(text, nextItemEnd->range.end, (nextItemEnd + 1)->range.start))
        ++nextItemEnd;
    return nameLexicon::isFirmEnding(before->word.toLower()) && nameLexicon::isFirmEnding(nextItemEnd->word.toLower());
}

} // namespace

int Detector::Private::addTaggedNames(const QString &text, Candidates &candidates)
{
    const QList<Word> words = nameWords(text);
    QList<TextRange> ranges = taggedNameRanges(text, words);
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
    int added = 0;
    for (const TextRange &range : std::as_const(ranges)) {
        if (endsCompanyName(text, words, range) || isHolidayInBrackets(text, words, range)
            || isListedAmongFirms(text, words, range))
            continue;
        Finding finding = makeFinding(ValueKind::name, text, range);
        finding.nameParts = nameParts(finding.text, ColumnKind::autoDetect);
        if (!finding.nameParts.isEmpty())
            added += candidates.add(std::move(finding));
    }
    return added;
}

// The tagger's word is taken for names in lower case and in scripts without
// capitals; only cue words are cut from its names' ends.
QList<TextRange> Detector::Private::taggedNameRanges(const QString &text, const QList<Word> &words)
{
    QList<TextRange> ranges;
    NameTagger &names = nameTagger();
    names.setText(text);
    const auto isName = [&](qsizetype i) { return isNameWord(words.at(i).word); };
    const auto isTaggedName = [&](qsizetype i) {
        const QString &word = words.at(i).word;
        if (isCapitalised(word))
            return isName(i) || nameLexicon::isGivenName(word.toLower()) // "Bill", "April"
                || (i + 1 < words.size() && (nameLexicon::isNonPersonWord(word.toLower()) // "Wednesday Holloway"
                                             || nameLexicon::isAmbiguousGivenName(word.toLower()))); // "Per Lindqvist"
        // "april at reception says": a given name in lower case is still one, month or not.
        return (word.size() > 1 || isSyllableName(word))
            && (!cueWords().contains(word.toLower()) || nameLexicon::isGivenName(word.toLower()));
    };
    // The tagger left it out of the name: "Hugo Boss suits", "O'SULLIVAN RANG".
    const auto isPlainWord = [&](qsizetype i) { return endsNameRun(words.at(i).word); };
    // "Later Maria Lopez" opening a note: an everyday word capitalised by the sentence.
    const auto isSentenceWord = [&](qsizetype i) {
        const QString word = words.at(i).word.toLower();
        return word.size() > 1 && !isKnownFirstName(word) && !nameLexicon::isGivenName(word) && !nameLexicon::isSurname(word)
            && !nameLexicon::isNameParticle(word) // "Van Rensburg, Annelie"
            && WordClasses::shared().isEverydayWord(word)
            && atSentenceStart(text, words.at(i).range.start);
    };

    for (const NameToken &token : names.tokens()) {
        if (!token.personalName)
            continue;
        qsizetype first = 0;
        while (first < words.size() && words.at(first).range.start < token.range.start)
            ++first;
        qsizetype last = first - 1;
        while (last + 1 < words.size() && words.at(last + 1).range.end <= token.range.end)
            ++last;
        const bool cutsWord = std::any_of(words.cbegin(), words.cend(), [&](const Word &w) {
            return (w.range.start < token.range.start && token.range.start < w.range.end)
                || (w.range.start < token.range.end && token.range.end < w.range.end);
        });
        if (first > last || cutsWord) {
            // Inside a word of the text: a name in a script written without spaces,
            // or after a prefix joined to it.
            ranges.append(token.range);
            continue;
        }
        // "d.k. okafor": an initial in lower case opens a name, but never ends one (a possessive's "s").
        const auto isInitial = [&](qsizetype i) { return words.at(i).word.size() == 1 && words.at(i).word.front().isLetter(); };
        // "ask priya s if": a surname's initial set off by a space, unlike a possessive's "s".
        const auto isSpacedInitial = [&](qsizetype i) {
            return i > first && isInitial(i) && words.at(i - 1).range.end + 1 == words.at(i).range.start
                && text.at(words.at(i - 1).range.end) == u' ';
        };
        while (first <= last && !isTaggedName(first) && !(first < last && isInitial(first)))
            ++first;
        while (last >= first && !isTaggedName(last) && !isSpacedInitial(last))
            --last;
        if (first > last)
            continue;
        if (last - first + 1 >= 3 && isSentenceWord(first))
            ++first;
        while (last + 1 < words.size() && last + 1 - first <= 3 && isName(last + 1) && !isPlainWord(last + 1)
               && onlySpacesBetween(text, words.at(last).range.end, words.at(last + 1).range.start))
            ++last;
        ranges.append({words.at(first).range.start, words.at(last).range.end});
    }

    addFirstNameLedRuns(text, words, ranges);
    addNamesInOwnScript(text, ranges);
    return ranges;
}

// "Kenji Takahara (高原健二)", "Olga Smirnova (Ольга Смирнова)": a name given
// again in brackets, in a script without Latin letters, is the same person's.
void Detector::Private::addNamesInOwnScript(const QString &text, QList<TextRange> &ranges)
{
    QList<TextRange> again;
    for (const TextRange &name : std::as_const(ranges)) {
        const QStringView written = QStringView(text).sliced(name.start, name.length());
        if (!std::any_of(written.begin(), written.end(), [](QChar c) { return c.isLetter() && c.unicode() < 0x250; }))
            continue; // "山口健太（営業部）": a department beside a name in its own script
        qsizetype open = name.end;
        while (open < text.size() && text.at(open) == u' ')
            ++open;
        if (open >= text.size() || (text.at(open) != u'(' && text.at(open) != u'\uFF08'))
            continue;
        qsizetype close = open + 1;
        while (close < text.size() && close - open <= 16 && text.at(close) != u')' && text.at(close) != u'\uFF09')
            ++close;
        if (close >= text.size() || close - open > 16)
            continue;
        const QStringView inside = QStringView(text).sliced(open + 1, close - open - 1);
        if (isOwnScriptName(inside))
            again.append({open + 1, close});
    }
    // The whole bracket is the name, whatever part of it the script's own rules took.
    for (const TextRange &name : std::as_const(again)) {
        ranges.removeIf([&](const TextRange &r) { return r.start >= name.start && r.end <= name.end; });
        ranges.append(name);
    }
}

bool Detector::Private::isOwnScriptName(QStringView text)
{
    bool letter = false;
    for (const QChar c : text) {
        if (c.isLetter() && c.unicode() >= 0x370)
            letter = true;
        // Thai and Devanagari write vowels as marks on their letters.
        else if (!c.isMark() && c != u' ' && c != u'\u00B7' && c != u'\u30FB')
            return false;
    }
    return letter && text.front() != u' ' && text.back() != u' ';
}

// Runs led by a known first name that the tagger missed, unless a word of the
// run names a place or a brand ("Hugo Boss", "Lincoln Center").
void Detector::Private::addFirstNameLedRuns(const QString &text, const QList<Word> &words, QList<TextRange> &ranges)
{
    const auto isName = [&](qsizetype i) { return isNameWord(words.at(i).word); };
    const auto isPlaceOrBrand = [&](qsizetype first, qsizetype last) {
        QStringList lowered;
        for (qsizetype i = first; i <= last; ++i)
            lowered.append(words.at(i).word.toLower());
        const auto placeWord = [](const QString &w) {
            return nameLexicon::isPlaceNoun(w) || isCompanySuffix(w) || isRegionCode(w.toUpper());
        };
        if (std::any_of(lowered.cbegin() + 1, lowered.cend(), placeWord))
            return true;
        // "John Lewis store", "Long John Silver": a brand may open the run
        // without filling it, or start a word before it.
        if (first > 0)
            lowered.prepend(words.at(first - 1).word.toLower());
        for (qsizetype from = 0; from < lowered.size() - 1; ++from)
            for (qsizetype n = 2; from + n <= lowered.size(); ++n)
                if (nameLexicon::isPersonNamedBrand(lowered.sliced(from, n).join(u' ')))
                    return true;
        return false;
    };
    for (qsizetype i = 0; i < words.size();) {
        if (!isName(i) || !isKnownFirstName(words.at(i).word)) {
            ++i;
            continue;
        }
        qsizetype end = i;
        // "Maria Half said": a speech verb after the pair makes a person of it
        // even when the second word is an everyday one.
        const auto isSurnameBeforeVerb = [&](qsizetype next) {
            const QString word = words.at(next).word.toLower();
            return next == i + 1 && next + 1 < words.size() && nameLexicon::isActionVerb(words.at(next + 1).word.toLower())
                && !nameLexicon::isFirmEnding(word) && !nameLexicon::isActionVerb(word);
        };
        while (end + 1 < words.size() && end - i < 2 && isName(end + 1)
               && (!endsNameRun(words.at(end + 1).word) || isSurnameBeforeVerb(end + 1))
               && onlySpacesBetween(text, words.at(end).range.end, words.at(end + 1).range.start))
            ++end;
        const TextRange run{words.at(i).range.start, words.at(end).range.end};
        const bool overlapsRecorded = std::any_of(ranges.cbegin(), ranges.cend(),
                                                  [&](const TextRange &r) { return r.overlaps(run); });
        if (end > i && !overlapsRecorded && !isPlaceOrBrand(i, end))
            ranges.append(run);
        i = end + 1;
    }
}

void Detector::Private::addWholeCellName(const QString &text, Candidates &candidates)
{
    const TextRange range = trimmedRange(text);
    const QString trimmed = range.of(text);
    const QList<Word> words = nameWords(text);
    if (words.size() < 2 || words.size() > 3)
        return;
    for (const Word &word : words)
        if (!isCapitalised(word.word))
            return;
    if (!isKnownFirstName(words.first().word) || !hasOnlyNameCharacters(text, Commas::refused))
        return;
    QList<NamePart> parts = nameParts(trimmed, ColumnKind::fullName);
    if (parts.isEmpty())
        return;
    Finding finding = makeFinding(ValueKind::name, text, range);
    finding.nameParts = std::move(parts);
    candidates.add(std::move(finding));
}

QList<Finding> Detector::addingCellNames(const QStringList &names, const QString &text,
                                         QList<Finding> findings) const
{
    for (const QString &name : names) {
        for (const TextRange &range : occurrences(name, text)) {
            const bool taken = std::any_of(findings.cbegin(), findings.cend(),
                                           [&](const Finding &f) { return f.range.overlaps(range); });
            if (taken)
                continue;
            Finding finding = makeFinding(ValueKind::name, text, range);
            finding.nameParts = nameParts(finding.text, ColumnKind::fullName);
            if (!finding.nameParts.isEmpty())
                findings.append(std::move(finding));
        }
    }
    sortByStart(findings);
    return findings;
}

QList<TextRange> Detector::occurrences(const QString &name, const QString &text)
{
    QList<TextRange> ranges;
    const auto pattern = wholeWordPattern(name);
    if (!pattern)
        return ranges;
    auto matches = pattern->globalMatch(text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        ranges.append({match.capturedStart(), match.capturedEnd()});
    }
    return ranges;
}

QList<NamePart> Detector::nameParts(const QString &text, ColumnKind column)
{
    QList<Word> words = nameWords(text);
    words.removeIf([](const Word &w) {
        return (characterCount(w.word) < 2 && !isSyllableName(w.word)) || isTitleWord(w.word);
    });
    if (words.isEmpty() || words.size() > 6)
        return {};
    const bool company = std::any_of(words.cbegin(), words.cend(), [](const Word &w) { return isCompanySuffix(w.word); });
    if (company || (words.size() == 1 && isRegionCode(words.first().word)))
        return {};

    const qsizetype comma = text.indexOf(u',');
    QList<NamePart> parts;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const Word &word = words.at(i);
        NameRole role = NameRole::first;
        if (column == ColumnKind::lastName)
            role = NameRole::last;
        else if (column == ColumnKind::firstName || words.size() == 1)
            role = NameRole::first;
        else if (comma >= 0)
            role = word.range.start < comma ? NameRole::last : NameRole::first;
        else
            role = i == words.size() - 1 ? NameRole::last : NameRole::first;
        parts.append({word.range, word.word, role});
    }
    return parts;
}

QString rawString(NameRole role)
{
    return role == NameRole::first ? u"first"_s : u"last"_s;
}

} // namespace quorvane
