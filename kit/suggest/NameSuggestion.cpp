#include "kit/suggest/NameSuggestion.h"

#include "kit/swap/ScanOptions.h"

using namespace Qt::StringLiterals;

namespace quorvane {

std::optional<ColumnID> NameSuggestion::Target::columnID() const
{
    if (const auto *column = std::get_if<ColumnID>(&value))
        return *column;
    return std::nullopt;
}

QList<CellRef> NameSuggestion::Target::cellRefs() const
{
    if (const auto *cells = std::get_if<QList<CellRef>>(&value))
        return *cells;
    return {};
}

void NameSuggestion::apply(ScanOptions &options) const
{
    if (const std::optional<ColumnID> column = target.columnID()) {
        options.columnKinds.insert(*column, ColumnKind::fullName);
        return;
    }
    for (const CellRef &cell : target.cellRefs()) {
        QStringList &names = options.cellNames[cell];
        if (!names.contains(text, Qt::CaseInsensitive))
            names.append(text);
    }
}

QString rawString(NameSuggestion::Source source)
{
    return source == NameSuggestion::Source::tagger ? u"tagger"_s : u"model"_s;
}

std::optional<NameSuggestion::Source> suggestionSourceFromRaw(const QString &raw)
{
    if (raw == u"tagger"_s)
        return NameSuggestion::Source::tagger;
    if (raw == u"model"_s)
        return NameSuggestion::Source::model;
    return std::nullopt;
}

QString nameKey(const QString &name)
{
    return name.toLower().simplified();
}

size_t qHash(const NameSuggestion &suggestion, size_t seed)
{
    size_t target = 0;
    if (const std::optional<ColumnID> column = suggestion.target.columnID())
        target = qHash(*column);
    for (const CellRef &cell : suggestion.target.cellRefs())
        target = qHashMulti(target, cell);
    return qHashMulti(seed, suggestion.id, suggestion.text, target, suggestion.samples,
                      static_cast<int>(suggestion.source));
}

} // namespace quorvane
