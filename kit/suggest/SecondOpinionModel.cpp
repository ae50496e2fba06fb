#include "kit/suggest/SecondOpinion.h"

#include "kit/find/Detector.h"
#include "kit/find/TextRules.h"
#include "kit/find/TextServices.h"
#include "kit/suggest/Characters.h"
#include "kit/suggest/NameWords.h"
#include "kit/swap/Scan.h"
#include "kit/swap/ScanOptions.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace quorvane::SecondOpinion {

namespace {

// A name of this many words is a sentence, not a name.
constexpr qsizetype tooManyWords = 5;

bool isEdgeNoise(QChar c)
{
    return c.isSpace() || (c.isPunct() && c != u'\'' && c != u'\u2019');
}

QString withoutEdgeNoise(const QString &name)
{
    qsizetype start = 0;
    qsizetype end = name.size();
    while (start < end && isEdgeNoise(name.at(start)))
        ++start;
    while (end > start && isEdgeNoise(name.at(end - 1)))
        --end;
    return name.mid(start, end - start);
}

bool hasForbiddenCharacter(const QString &name)
{
    static const QString symbols = u"@&/#$%+=_<>"_s;
    for (const char32_t c : name.toUcs4()) {
        if (QChar::isNumber(c) || (c < 0x80 && symbols.contains(QChar(c))))
            return true;
    }
    return false;
}

// Some word longer than one letter is not on any list of non-names.
bool hasPlausibleWord(const QList<Word> &words)
{
    return std::any_of(words.cbegin(), words.cend(), [](const Word &word) {
        return letterCount(word.word) > 1 && !NameWords::isNonName(word.word.toLower());
    });
}

bool passesFilters(const QString &text, LexicalTagger &lexical)
{
    const QList<Word> words = nameWords(text);
    const bool everyday = std::all_of(words.cbegin(), words.cend(),
                                      [&](const Word &word) { return isEverydayWord(word.word, lexical); });
    return !everyday && hasPlausibleWord(words);
}

bool anyPersonalNameOverlaps(NameTagger &tagger, const QString &text, const TextRange &span)
{
    tagger.setText(text);
    const QList<NameToken> tokens = tagger.tokens(TokenOptions{});
    return std::any_of(tokens.cbegin(), tokens.cend(),
                       [&](const NameToken &token) { return token.personalName && token.range.overlaps(span); });
}

bool taggerFindsNameAlone(const QString &text, NameTagger &tagger)
{
    return anyPersonalNameOverlaps(tagger, NameWords::titleCased(text) + u" said hello."_s, {0, text.size()});
}

bool readsAsNameInCell(const Cell &cell, const TextRange &span, Taggers &taggers)
{
    if (nameWords(cell.text).size() < 5) {
        const QList<TextRange> names = tagNames(cell.text, taggers);
        return std::any_of(names.cbegin(), names.cend(), [&](const TextRange &name) { return name.overlaps(span); });
    }
    const QString raised = NameWords::titleCased(span.of(cell.text));
    if (raised.size() != span.length())
        return false;
    QString text = cell.text;
    text.replace(span.start, span.length(), raised);
    return anyPersonalNameOverlaps(*taggers.names, text, span);
}

} // namespace

QList<TextRange> locate(const QString &name, const Cell &cell)
{
    const QString trimmed = withoutEdgeNoise(name);
    const QList<Word> words = nameWords(trimmed);
    if (words.size() >= tooManyWords || hasForbiddenCharacter(trimmed) || !hasPlausibleWord(words))
        return {};

    QList<TextRange> spans;
    for (const TextRange &occurrence : Detector::occurrences(trimmed.simplified(), cell.text)) {
        const bool covered = std::any_of(cell.covered.cbegin(), cell.covered.cend(),
                                         [&](const TextRange &span) { return span.overlaps(occurrence); });
        if (covered)
            continue;
        const TextRange span = NameWords::trimmed(cell.text, occurrence);
        if (!span.isEmpty())
            spans.append(span);
    }
    return spans;
}

bool passesGate(ModelGate gate, const Cell &cell, TextRange span, Taggers &taggers)
{
    const QString text = span.of(cell.text);
    switch (gate) {
    case ModelGate::none:
        return true;
    case ModelGate::filters:
        return passesFilters(text, *taggers.lexical);
    case ModelGate::tagger:
        return passesFilters(text, *taggers.lexical) && taggerFindsNameAlone(text, *taggers.names);
    case ModelGate::context:
        return passesFilters(text, *taggers.lexical) && readsAsNameInCell(cell, span, taggers);
    }
    return false;
}

QList<NameSuggestion> suggestions(const QList<ModelAnswer> &answers, const Spreadsheet &spreadsheet,
                                  const Scan &scan, const ScanOptions &options, ModelGate gate,
                                  const TextServices &services)
{
    QHash<QString, QStringList> namesByKey;
    for (const ModelAnswer &answer : answers) {
        if (!answer.failure && !answer.names.isEmpty())
            namesByKey[cellKey(answer.header, answer.text)] += answer.names;
    }
    if (namesByKey.isEmpty())
        return {};

    Taggers taggers(services);
    QList<Found> found;
    for (const Cell &cell : cells(spreadsheet, scan, options.headerRow)) {
        const auto names = namesByKey.constFind(cellKey(cell.header, cell.text));
        if (names == namesByKey.cend())
            continue;
        QList<TextRange> kept;
        for (const QString &name : *names) {
            for (const TextRange &span : locate(name, cell)) {
                if (!passesGate(gate, cell, span, taggers))
                    continue;
                if (std::any_of(kept.cbegin(), kept.cend(), [&](const TextRange &k) { return k.overlaps(span); }))
                    continue;
                kept.append(span);
                found.append({cell, span});
            }
        }
    }
    return build(found, spreadsheet, scan, options, NameSuggestion::Source::model);
}

QList<NameSuggestion> suggestions(const QList<ModelAnswer> &answers, const Spreadsheet &spreadsheet,
                                  const Scan &scan, const ScanOptions &options, ModelGate gate)
{
    return suggestions(answers, spreadsheet, scan, options, gate, *defaultTextServices());
}

} // namespace quorvane::SecondOpinion
