#pragma once

#include "kit/CellRef.h"

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace quorvane {

struct ScanOptions;

// A name the rules may have missed, or a whole column that looks like
// people's names. Nothing changes until the user accepts it.
struct NameSuggestion
{
    enum class Source { tagger, model };

    // Either a whole column or the cells where the name was found (sorted).
    struct Target
    {
        std::variant<ColumnID, QList<CellRef>> value;

        static Target column(ColumnID column) { return {column}; }
        static Target cells(QList<CellRef> cells) { return {std::move(cells)}; }
        std::optional<ColumnID> columnID() const;
        // Empty for a column.
        QList<CellRef> cellRefs() const;
        friend bool operator==(const Target &, const Target &) = default;
    };

    QString id;          // the same for the same name or column in every scan
    QString text;        // the name as first found, or the column's header
    Target target;
    QStringList samples; // cell texts that show it
    Source source = Source::tagger;

    bool isColumn() const { return target.columnID().has_value(); }
    // Marks the column as full names, or adds the name to each of its cells'
    // names (once, whatever its case); the next scan then replaces it.
    void apply(ScanOptions &options) const;

    friend bool operator==(const NameSuggestion &, const NameSuggestion &) = default;
};

QString rawString(NameSuggestion::Source source); // "tagger", "model"
std::optional<NameSuggestion::Source> suggestionSourceFromRaw(const QString &raw);

// Lower-cased, white space collapsed to single spaces: equal names, equal keys.
QString nameKey(const QString &name);

size_t qHash(const NameSuggestion &suggestion, size_t seed = 0);

} // namespace quorvane
