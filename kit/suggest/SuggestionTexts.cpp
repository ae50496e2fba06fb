#include "kit/suggest/SuggestionTexts.h"

using namespace Qt::StringLiterals;

namespace quorvane::SuggestionTexts {

QString sectionTitle(qsizetype count)
{
    return u"Possible names the rules missed ("_s + QString::number(count) + u")"_s;
}

QString sectionHelp()
{
    return u"Names the rules may have missed"_s;
}

QString sourceLabel(NameSuggestion::Source source, const Labels &labels)
{
    return source == NameSuggestion::Source::tagger ? labels.tagger : labels.model;
}

QString rowLabel(const NameSuggestion &suggestion, const Labels &labels)
{
    const QString from = u", from "_s + sourceLabel(suggestion.source, labels);
    if (suggestion.isColumn())
        return u"Possible column of names, "_s + suggestion.text + from;
    const qsizetype cells = suggestion.target.cellRefs().size();
    return u"Possible name "_s + suggestion.text + u", in "_s + QString::number(cells)
        + (cells == 1 ? u" cell"_s : u" cells"_s) + from;
}

QString columnRowTitle(const NameSuggestion &suggestion)
{
    return u"Treat the column “"_s + suggestion.text + u"” as names"_s;
}

QString addButton()
{
    return u"Add"_s;
}

QString addHelp(const NameSuggestion &suggestion)
{
    return suggestion.isColumn() ? u"Treat every cell in this column as a full name"_s
                                 : u"Replace this name in these cells only"_s;
}

QString dismissButton()
{
    return u"Not a Name"_s;
}

QString footnote(const Labels &labels, bool modelAvailable)
{
    const QString who = modelAvailable ? u" and, when you ask, "_s + labels.model + u"; both can be wrong"_s
                                       : u", which can be wrong"_s;
    return u"Suggestions only: nothing here is replaced unless you add it. Found on "_s + labels.place
        + u" by "_s + labels.tagger + who + u", so check each one."_s;
}

} // namespace quorvane::SuggestionTexts
