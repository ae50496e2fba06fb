#include "kit/suggest/SecondOpinion.h"

#include "kit/find/TextRules.h"
#include "kit/find/TextServices.h"
#include "kit/suggest/Characters.h"
#include "kit/suggest/NameWords.h"
#include "kit/swap/Scan.h"
#include "kit/swap/ScanOptions.h"

using namespace Qt::StringLiterals;

namespace quorvane::SecondOpinion {

namespace {

// Texts this short rarely read as sentences; the tagger sees them as one.
constexpr qsizetype shortTextWords = 4;

// The tagger trusts capitals: a name written in small letters right after
// "with", "per", "call" and the like (and the word after it, for a surname)
// is raised to title case in a copy of equal length.
QString withLeadNamesRaised(const QString &text, const QList<Word> &words)
{
    QString copy = text;
    bool afterLead = false;
    bool afterRaised = false;
    for (const Word &word : words) {
        const QString lower = word.word.toLower();
        const bool raise = (afterLead || afterRaised) && word.word == lower && letterCount(word.word) >= 2
            && !NameWords::isNonName(lower);
        if (raise)
            copy.replace(word.range.start, word.range.length(), NameWords::titleCased(word.word));
        afterLead = NameWords::leadWords().contains(lower);
        afterRaised = raise;
    }
    return copy;
}

QList<TextRange> personalNames(NameTagger &tagger, const QString &text)
{
    tagger.setText(text);
    QList<TextRange> names;
    for (const NameToken &token : tagger.tokens(TokenOptions{}))
        if (token.personalName)
            names.append(token.range);
    return names;
}

QList<TextRange> rawNameSpans(const QString &text, const QList<Word> &words, NameTagger &tagger)
{
    if (words.size() <= shortTextWords) {
        QList<TextRange> spans;
        for (TextRange span : personalNames(tagger, NameWords::titleCased(text) + u" said hello."_s)) {
            if (span.start >= text.size())
                continue;
            span.end = std::min(span.end, text.size());
            spans.append(span);
        }
        return spans;
    }
    // Shouting is not a name signal; a tagger would take every word.
    if (text == text.toUpper())
        return {};
    return personalNames(tagger, withLeadNamesRaised(text, words));
}

bool allEveryday(const QString &text, LexicalTagger &lexical)
{
    const QList<Word> words = nameWords(text);
    return std::all_of(words.cbegin(), words.cend(),
                       [&](const Word &word) { return isEverydayWord(word.word, lexical); });
}

} // namespace

Taggers::Taggers(const TextServices &services)
    : names(services.nameTagger()), lexical(services.lexicalTagger())
{
}

Taggers::~Taggers() = default;

bool isEverydayWord(const QString &word, LexicalTagger &lexical)
{
    lexical.setText(u"the "_s + word.toLower());
    const LexicalClass found = lexical.lexicalClass(4);
    return found == LexicalClass::adjective || found == LexicalClass::verb || found == LexicalClass::adverb;
}

QList<TextRange> tagNames(const QString &text, Taggers &taggers)
{
    const QList<Word> words = nameWords(text);
    if (words.isEmpty())
        return {};
    QList<TextRange> names;
    for (const TextRange &raw : rawNameSpans(text, words, *taggers.names)) {
        const TextRange span = NameWords::trimmed(text, raw);
        if (!span.isEmpty() && !allEveryday(span.of(text), *taggers.lexical))
            names.append(span);
    }
    return names;
}

QList<NameSuggestion> taggerSuggestions(const Spreadsheet &spreadsheet, const Scan &scan,
                                        const ScanOptions &options, const TextServices &services)
{
    QList<Cell> candidates = cells(spreadsheet, scan, options.headerRow);
    if (candidates.size() > maxTaggedCells)
        candidates.resize(maxTaggedCells);

    Taggers taggers(services);
    QList<Found> found;
    for (const Cell &cell : candidates) {
        QList<TextRange> kept = cell.covered;
        for (const TextRange &span : tagNames(cell.text, taggers)) {
            if (std::any_of(kept.cbegin(), kept.cend(), [&](const TextRange &k) { return k.overlaps(span); }))
                continue;
            kept.append(span);
            found.append({cell, span});
        }
    }
    return build(found, spreadsheet, scan, options, NameSuggestion::Source::tagger);
}

QList<NameSuggestion> taggerSuggestions(const Spreadsheet &spreadsheet, const Scan &scan,
                                        const ScanOptions &options)
{
    return taggerSuggestions(spreadsheet, scan, options, *defaultTextServices());
}

} // namespace quorvane::SecondOpinion
