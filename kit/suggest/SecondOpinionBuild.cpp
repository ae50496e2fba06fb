#include "kit/suggest/SecondOpinion.h"

#include "kit/find/TextRules.h"
#include "kit/suggest/Characters.h"
#include "kit/swap/Scan.h"
#include "kit/swap/ScanOptions.h"

#include <QHash>
#include <QSet>

using namespace Qt::StringLiterals;

namespace quorvane::SecondOpinion {

namespace {

// Samples a suggestion shows.
constexpr qsizetype maxNameSamples = 3;
constexpr qsizetype maxColumnSamples = 4;

// Words that could be part of a name: 2 letters or more, or an initial ("J.").
qsizetype nameLikeWords(const QString &text)
{
    const QList<Word> words = nameWords(text);
    return std::count_if(words.cbegin(), words.cend(), [&](const Word &word) {
        const qsizetype letters = letterCount(word.word);
        return letters >= 2 || (letters == 1 && text.mid(word.range.end, 1) == u"."_s);
    });
}

QStringList columnTexts(const Grid &grid, int column, qsizetype headerRow)
{
    QStringList texts;
    for (qsizetype row = headerRow + 1; row < grid.size(); ++row) {
        const QList<GridCell> &cells = grid.at(row);
        if (column < cells.size() && !cells.at(column).text.trimmed().isEmpty())
            texts.append(cells.at(column).text);
    }
    return texts;
}

// What the found names say about one column.
struct ColumnEvidence
{
    ColumnID column;
    QSet<CellRef> cells;
};

// Names in one column count for the whole column when most of its cells
// hold a found name and look like names, and they are not one value repeated.
bool looksLikeNameColumn(const QStringList &texts, qsizetype cellsWithNames)
{
    const qsizetype count = texts.size();
    QSet<QString> distinct;
    qsizetype twoWordCells = 0;
    for (const QString &text : texts) {
        distinct.insert(text.toLower().simplified());
        if (nameLikeWords(text) >= 2)
            ++twoWordCells;
    }
    return distinct.size() >= 3 && cellsWithNames * 2 >= std::max<qsizetype>(count, 1) && twoWordCells * 2 >= count;
}

class Builder
{
public:
    Builder(const Spreadsheet &spreadsheet, const Scan &scan, const ScanOptions &options, NameSuggestion::Source source)
        : m_spreadsheet(spreadsheet), m_scan(scan), m_options(options), m_source(rawString(source)), m_sourceKind(source)
    {
    }

    QList<NameSuggestion> build(const QList<Found> &found)
    {
        QList<ColumnEvidence> columns;
        QList<NameSuggestion> names;
        QHash<QString, qsizetype> nameIndex;
        for (const Found &item : found) {
            const QString text = item.span.of(item.cell.text);
            const QString key = nameKey(text);
            if (key.isEmpty())
                continue;
            noteColumn(columns, item.cell.ref);
            if (!nameIndex.contains(key)) {
                nameIndex.insert(key, names.size());
                names.append({m_source + u"|name|"_s + key, text, NameSuggestion::Target::cells({}), {}, m_sourceKind});
            }
            addCell(names[nameIndex.value(key)], item.cell);
        }

        QList<NameSuggestion> result;
        for (const ColumnEvidence &evidence : columns) {
            if (std::optional<NameSuggestion> column = columnSuggestion(evidence))
                result.append(*column);
        }
        for (NameSuggestion &name : names) {
            auto cells = std::get<QList<CellRef>>(name.target.value);
            std::sort(cells.begin(), cells.end());
            name.target = NameSuggestion::Target::cells(std::move(cells));
            result.append(std::move(name));
        }
        return result;
    }

private:
    static void noteColumn(QList<ColumnEvidence> &columns, const CellRef &cell)
    {
        const ColumnID column{cell.sheet, cell.column};
        auto it = std::find_if(columns.begin(), columns.end(), [&](const ColumnEvidence &e) { return e.column == column; });
        if (it == columns.end())
            it = columns.insert(columns.end(), ColumnEvidence{column, {}});
        it->cells.insert(cell);
    }

    static void addCell(NameSuggestion &name, const Cell &cell)
    {
        auto &cells = std::get<QList<CellRef>>(name.target.value);
        if (cells.contains(cell.ref))
            return;
        cells.append(cell.ref);
        if (name.samples.size() < maxNameSamples)
            name.samples.append(cell.text);
    }

    std::optional<NameSuggestion> columnSuggestion(const ColumnEvidence &evidence)
    {
        const ColumnID column = evidence.column;
        if (m_options.columnKinds.contains(column) || !m_scan.guessed.contains(column))
            return std::nullopt;
        const Grid &grid = gridOf(column.sheet);
        QStringList texts = columnTexts(grid, column.column, m_spreadsheet.headerRowIndex(column.sheet, m_options.headerRow));
        if (!looksLikeNameColumn(texts, evidence.cells.size()))
            return std::nullopt;
        if (texts.size() > maxColumnSamples)
            texts.resize(maxColumnSamples);
        const QString header = m_scan.headers.value(column);
        const QString text = header.trimmed().isEmpty() ? u"Column "_s + columnLetters(column.column) : header;
        const QString id = m_source + u"|column|"_s + QString::number(column.sheet) + u"|"_s + QString::number(column.column);
        return NameSuggestion{id, text, NameSuggestion::Target::column(column), texts, m_sourceKind};
    }

    const Grid &gridOf(int sheet)
    {
        auto it = m_grids.find(sheet);
        if (it == m_grids.end())
            it = m_grids.insert(sheet, m_spreadsheet.grid(sheet));
        return *it;
    }

    const Spreadsheet &m_spreadsheet;
    const Scan &m_scan;
    const ScanOptions &m_options;
    const QString m_source;
    const NameSuggestion::Source m_sourceKind;
    QHash<int, Grid> m_grids;
};

} // namespace

QList<NameSuggestion> build(const QList<Found> &found, const Spreadsheet &spreadsheet, const Scan &scan,
                            const ScanOptions &options, NameSuggestion::Source source)
{
    return Builder(spreadsheet, scan, options, source).build(found);
}

QList<NameSuggestion> merge(const QList<NameSuggestion> &tagger, const QList<NameSuggestion> &model)
{
    QList<NameSuggestion> result = tagger;
    QSet<ColumnID> columns;
    QSet<QString> names;
    for (const NameSuggestion &suggestion : tagger) {
        if (const std::optional<ColumnID> column = suggestion.target.columnID())
            columns.insert(*column);
        else
            names.insert(nameKey(suggestion.text));
    }
    for (const NameSuggestion &suggestion : model) {
        if (const std::optional<ColumnID> column = suggestion.target.columnID()) {
            if (!columns.contains(*column)) {
                columns.insert(*column);
                result.append(suggestion);
            }
        } else if (!names.contains(nameKey(suggestion.text))) {
            names.insert(nameKey(suggestion.text));
            result.append(suggestion);
        }
    }
    return result;
}

QList<NameSuggestion> shown(const QList<NameSuggestion> &tagger, const QList<NameSuggestion> &model,
                            const QSet<QString> &dismissed)
{
    QList<NameSuggestion> list = merge(tagger, model);
    list.removeIf([&](const NameSuggestion &suggestion) { return dismissed.contains(suggestion.id); });
    return list;
}

} // namespace quorvane::SecondOpinion
