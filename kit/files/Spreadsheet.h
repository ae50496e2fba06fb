#pragma once

#include "kit/CellRef.h"
#include "kit/Failure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <memory>
#include <optional>

namespace quorvane {

enum class FileKind { csv, xlsx };
QString rawString(FileKind kind); // "csv", "xlsx"

struct GridCell
{
    QString text;
    bool editable = false; // holds text that a rewrite can change
    // Searched for every kind of value whatever its column holds: a CSV field
    // that an unbalanced quote ran over, holding what should have been rows.
    bool freeText = false;
    friend bool operator==(const GridCell &, const GridCell &) = default;
};
using Grid = QList<QList<GridCell>>;

// A cell the file holds, with its place.
struct PlacedCell
{
    int row = 0;
    int column = 0;
    GridCell cell;
    friend bool operator==(const PlacedCell &, const PlacedCell &) = default;
};

// The one view of an input file the rest of the system works with: a CSV/TSV
// document or an xlsx workbook. A value; the parsed content is shared and
// never changed.
class Spreadsheet
{
public:
    class Failure : public quorvane::Failure
    {
    public:
        using quorvane::Failure::Failure;
    };

    // Answers new text for a cell, or nothing to keep it. The cell is absent
    // for texts outside any cell (unreferenced shared strings).
    using Transform = std::function<std::optional<QString>(const std::optional<CellRef> &cell,
                                                           const QString &text)>;

    // The largest file read, in bytes (100 MB as file sizes are shown):
    // whole files are held in memory, several times over while swapping.
    static constexpr qint64 largestFile = 100'000'000;
    // Throws Spreadsheet::Failure, saying what to do instead, for a file
    // larger than that; callers check before reading the bytes.
    static void checkSize(qint64 bytes, const QString &fileName);

    // Recognises the kind from the name and the bytes; throws Spreadsheet::Failure
    // or ZipArchive::Failure (both quorvane::Failure) with the user's message.
    Spreadsheet(const QByteArray &data, const QString &fileName);
    ~Spreadsheet();
    Spreadsheet(const Spreadsheet &);
    Spreadsheet &operator=(const Spreadsheet &);

    FileKind kind() const;
    const QString &fileName() const { return m_fileName; }
    // A CSV file has one sheet, named after the file without its extension.
    QStringList sheetNames() const;
    // For showing a sheet: one list per row; rows keep their own lengths, and
    // positions past a row's end are empty. A workbook's grid has a row up to
    // its last cell, but leaves out cells past row index 100 000 or from
    // column index 1 000 on; a sheet out of range gives an empty grid, while
    // a CSV file gives its one sheet for any index.
    Grid grid(int sheet) const;
    // Every cell of a sheet, wherever it lies, row by row and left to right:
    // what scans read, so that they see all that data() offers. Memory
    // follows the cells that exist, however far apart they are.
    QList<PlacedCell> cells(int sheet) const;
    // The same cells handed over a part at a time, each part whole rows and
    // at least `partCells` cells but for the last: a large sheet's list of
    // cells weighs as much as the sheet itself.
    using CellPart = std::function<void(const QList<PlacedCell> &)>;
    void cellsInParts(int sheet, qsizetype partCells, const CellPart &take) const;
    // A sheet's header row when `headerRow` says it has one: the first row
    // holding a cell whose text is not empty, wherever that cell lies. -1 when
    // there is none or `headerRow` is off. Every reader of a sheet skips this row.
    int headerRowIndex(int sheet, bool headerRow) const;
    // The cells of every sheet, counted without building them (a workbook's
    // cells that share a place count each): what long work over the file
    // measures its progress against.
    qsizetype cellCount() const;
    // Of those, the ones data() offers its transform: every CSV field, a
    // workbook's text cells (the texts outside cells it offers after them
    // are not counted).
    qsizetype offeredCellCount() const;
    QList<QString> warnings() const;
    QStringList unreferencedSharedStrings() const;
    // Throws quorvane::Failure when the file cannot be written.
    QByteArray data(const Transform &replacing) const;
    // The same with each new text as a view that need only last until the
    // next call, for a caller that writes every answer over its last one.
    using ViewTransform = std::function<std::optional<QStringView>(const std::optional<CellRef> &cell,
                                                                   const QString &text)>;
    QByteArray dataWithViews(const ViewTransform &replacing) const;

private:
    struct Content;
    QString m_fileName;
    std::shared_ptr<const Content> m_content;
};

} // namespace quorvane
