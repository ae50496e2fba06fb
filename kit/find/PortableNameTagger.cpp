#include "kit/find/PortableNameTagger.h"

#include "kit/find/NameLexicon.h"
#include "kit/find/TextRules.h"
#include "kit/find/WordClasses.h"

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// A run is a name once its evidence reaches this score.
constexpr double nameThreshold = 2.0;

char32_t codePointAt(const QString &text, qsizetype i, qsizetype *width)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *width = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *width = 1;
    return c.unicode();
}

bool isWordCharacter(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

bool isJoiner(char32_t c)
{
    return c == u'\'' || c == u'’' || c == u'-';
}

QString withoutPossessive(const QString &word)
{
    if (word.size() > 2 && (word.endsWith(u"'s"_s) || word.endsWith(u"’s"_s)))
        return word.chopped(2);
    return word;
}

bool hasLowerCase(QStringView word)
{
    for (QChar c : word)
        if (c.isLower())
            return true;
    return false;
}

} // namespace

void PortableNameTagger::setText(const QString &text)
{
    m_text = text;
    m_tokens.clear();
    m_words.clear();
    m_lowerWords.clear();
    m_names.clear();
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype width = 1;
        const char32_t c = codePointAt(text, i, &width);
        Token token;
        token.range.start = i;
        if (isWordCharacter(c)) {
            token.kind = Token::Kind::word;
            i += width;
            while (i < text.size()) {
                const char32_t next = codePointAt(text, i, &width);
                if (isWordCharacter(next)) {
                    i += width;
                    continue;
                }
                qsizetype afterWidth = 1;
                if (isJoiner(next) && i + 1 < text.size()
                    && isWordCharacter(codePointAt(text, i + 1, &afterWidth))) {
                    i += 1 + afterWidth;
                    continue;
                }
                break;
            }
        } else if (QChar::isSpace(c)) {
            token.kind = Token::Kind::whitespace;
            while (i < text.size() && text.at(i).isSpace())
                ++i;
        } else {
            token.kind = Token::Kind::punctuation;
            i += width;
        }
        token.range.end = i;
        if (token.kind == Token::Kind::word)
            m_words.append(m_tokens.size());
        m_tokens.append(token);
    }
    m_lowerWords.reserve(m_words.size());
    for (qsizetype token : std::as_const(m_words))
        m_lowerWords.append(withoutPossessive(m_tokens.at(token).range.of(m_text)).toLower());
    tag();
}

const QString &PortableNameTagger::lower(qsizetype word) const
{
    return m_lowerWords.at(word);
}

QString PortableNameTagger::gapBefore(qsizetype word) const
{
    const qsizetype end = word > 0 ? m_tokens.at(m_words.at(word - 1)).range.end : 0;
    const qsizetype start = m_tokens.at(m_words.at(word)).range.start;
    return m_text.mid(end, start - end);
}

bool PortableNameTagger::atSentenceStart(qsizetype word) const
{
    const QString before = m_text.first(m_tokens.at(m_words.at(word)).range.start);
    qsizetype end = before.size();
    while (end > 0 && (before.at(end - 1) == u' ' || before.at(end - 1) == u'\t'))
        --end;
    if (end == 0)
        return true;
    static const QString openers = u".!?:;\n-*•(\"“>"_s;
    return openers.contains(before.at(end - 1));
}

// Capitalised, and not written in capitals throughout (those are acronyms and
// shouting, not names), unless it is a single letter: an initial.
bool PortableNameTagger::joinsRun(qsizetype word) const
{
    const QString text = m_tokens.at(m_words.at(word)).range.of(m_text);
    if (!isCapitalised(text))
        return false;
    if (text.size() > 1 && !hasLowerCase(text))
        return false;
    const QString base = lower(word);
    using namespace nameLexicon;
    if (isGivenName(base))
        return true;
    return !isTitle(base) && !isLeadWord(base) && !isOpener(base) && !cueWords().contains(base);
}

QList<PortableNameTagger::Run> PortableNameTagger::capitalisedRuns() const
{
    QList<Run> runs;
    qsizetype i = 0;
    while (i < m_words.size()) {
        if (!joinsRun(i)) {
            ++i;
            continue;
        }
        Run run{i, i};
        while (run.last + 1 < m_words.size()) {
            const qsizetype next = run.last + 1;
            const QString gap = gapBefore(next);
            const bool initialBefore = m_tokens.at(m_words.at(run.last)).range.length() == 1;
            const bool spaced = gap == u" "_s || gap == u"\u00A0"_s || gap == u"  "_s;
            const bool afterInitial = initialBefore && (gap == u". "_s || gap == u"."_s);
            if (!spaced && !afterInitial)
                break;
            if (joinsRun(next)) {
                run.last = next;
                continue;
            }
            // "Maria de la Cruz": particles join when a capitalised word follows them.
            qsizetype after = next;
            while (after < m_words.size() && nameLexicon::isNameParticle(lower(after))
                   && !isCapitalised(m_tokens.at(m_words.at(after)).range.of(m_text)))
                ++after;
            if (after > next && after < m_words.size() && gapBefore(after) == u" "_s && joinsRun(after)) {
                run.last = after;
                continue;
            }
            break;
        }
        runs.append(run);
        i = run.last + 1;
    }
    return runs;
}

// Everyday words at either end of a run are capitalised for another reason
// ("Later", "Support"); names that are also words ("Rose", "Hill") stay.
PortableNameTagger::Run PortableNameTagger::trimmed(Run run) const
{
    const auto &words = WordClasses::shared();
    const auto isPlainWord = [&](qsizetype i) {
        const QString base = lower(i);
        if (base.size() == 1)
            return false; // an initial
        if (nameLexicon::isGivenName(base) || nameLexicon::isSurname(base))
            return false;
        return words.isEverydayWord(base) || nameLexicon::isNonPersonWord(base);
    };
    while (run.first <= run.last && isPlainWord(run.first))
        ++run.first;
    while (run.last >= run.first && isPlainWord(run.last))
        --run.last;
    return run;
}

double PortableNameTagger::score(const Run &run) const
{
    using namespace nameLexicon;
    const auto &dictionary = WordClasses::shared();
    double score = 0;
    bool hasInitial = false;
    bool allUnusual = true;
    qsizetype nameWordCount = 0;
    for (qsizetype i = run.first; i <= run.last; ++i) {
        const QString base = lower(i);
        if (base.size() == 1) {
            hasInitial = true;
            continue;
        }
        if (isNameParticle(base))
            continue;
        ++nameWordCount;
        const bool given = isGivenName(base);
        const bool surname = isSurname(base);
        const bool everyday = dictionary.isEverydayWord(base);
        if (isNonPersonWord(base) && !given && !surname)
            return -10;
        if (given)
            score += i == run.first ? (everyday ? 1.2 : 2.0) : 0.8;
        if (surname)
            score += i == run.first && !given ? 1.2 : 1.5;
        if (!given && !surname) {
            if (everyday) {
                score -= 1.5;
                allUnusual = false;
            } else if (dictionary.isProperNoun(base) && !(i > run.first && isGivenName(lower(i - 1)))) {
                // Places and things; after a given name it is a famous person's surname.
                score -= 1.0;
                allUnusual = false;
            } else {
                score += 0.8;
            }
        }
    }
    if (nameWordCount == 0)
        return -10;
    if (nameWordCount >= 2 && allUnusual)
        score += 1.0;
    if (hasInitial && nameWordCount >= 1)
        score += 1.5;

    if (run.first > 0) {
        const QString previous = lower(run.first - 1);
        const QString gap = gapBefore(run.first).trimmed();
        const bool close = gap.isEmpty() || gap == u"."_s || gap == u","_s || gap == u":"_s;
        if (close && isTitle(previous) && gap != u","_s)
            score += 3.0;
        else if (close && isLeadWord(previous))
            score += previous == u"and"_s || previous == u"to"_s || previous == u"for"_s ? 0.7 : 1.5;
        else if (gap.isEmpty() && isPlacePreposition(previous))
            score -= 2.0;
    }
    if (run.last + 1 < m_words.size()) {
        const QString next = lower(run.last + 1);
        const QString gap = gapBefore(run.last + 1);
        if ((gap == u" "_s || gap == u", "_s) && isActionVerb(next))
            score += next == u"is"_s || next == u"was"_s || next == u"has"_s || next == u"had"_s
                        || next == u"will"_s || next == u"can"_s ? 0.8 : 1.5;
    }
    const QString lastWord = m_tokens.at(m_words.at(run.last)).range.of(m_text);
    if (withoutPossessive(lastWord).size() != lastWord.size())
        score += 0.8;
    // A single word opening a sentence says little by being capitalised.
    if (atSentenceStart(run.first) && run.first == run.last && !isGivenName(lower(run.first)))
        score -= 0.3;
    return score;
}

void PortableNameTagger::tag()
{
    for (Run run : capitalisedRuns()) {
        run = trimmed(run);
        if (run.first > run.last || score(run) < nameThreshold)
            continue;
        m_names.append({m_tokens.at(m_words.at(run.first)).range.start,
                        m_tokens.at(m_words.at(run.last)).range.end});
    }
}

QList<NameToken> PortableNameTagger::tokens(const TokenOptions &options) const
{
    QList<NameToken> result;
    qsizetype name = 0;
    for (const Token &token : m_tokens) {
        while (name < m_names.size() && m_names.at(name).end <= token.range.start)
            ++name;
        const bool inName = name < m_names.size() && m_names.at(name).start <= token.range.start
            && token.range.end <= m_names.at(name).end;
        if (inName && options.joinNames) {
            if (token.range.start == m_names.at(name).start)
                result.append({m_names.at(name), true});
            continue;
        }
        if ((token.kind == Token::Kind::whitespace && options.omitWhitespace)
            || (token.kind == Token::Kind::punctuation && options.omitPunctuation))
            continue;
        result.append({token.range, inName && token.kind == Token::Kind::word});
    }
    return result;
}

} // namespace quorvane
