#include "kit/files/Spreadsheet.h"

#include "kit/files/CSVDocument.h"
#include "kit/files/XLSXDocument.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>
#include <numeric>
#include <variant>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane {

QString rawString(FileKind kind)
{
    return kind == FileKind::xlsx ? u"xlsx"_s : u"csv"_s;
}

struct Spreadsheet::Content
{
    std::variant<CSVDocument, XLSXDocument> document;
};

namespace {

bool isZip(const QByteArray &data)
{
    return data.startsWith("PK\x03\x04");
}

bool isUtf16(const QByteArray &data)
{
    return data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF");
}

// Cells beyond these are left out of grids (so scans skip them) but are still
// offered when the file is rewritten.
constexpr int gridRowLimit = 100'000;
constexpr int gridColumnLimit = 1'000;

Grid workbookGrid(const XLSXDocument &workbook, const XLSXDocument::Sheet &sheet)
{
    const auto inGrid = [](const XLSXDocument::Cell &cell) {
        return cell.row <= gridRowLimit && cell.column < gridColumnLimit;
    };
    // Sized first, so that each row is allocated once.
    QList<int> widths;
    for (const XLSXDocument::Cell &cell : sheet.cells) {
        if (widths.size() <= cell.row)
            widths.resize(cell.row + 1, 0);
        if (inGrid(cell))
            widths[cell.row] = std::max(widths[cell.row], cell.column + 1);
    }
    Grid grid(widths.size());
    QList<GridCell> *rows = grid.data();
    for (qsizetype r = 0; r < widths.size(); ++r)
        rows[r].resize(widths[r]);
    for (const XLSXDocument::Cell &cell : sheet.cells)
        if (inGrid(cell))
            rows[cell.row].data()[cell.column] = GridCell{workbook.displayText(sheet, cell), cell.isText()};
    return grid;
}

Grid csvGrid(const CSVDocument &document)
{
    Grid grid;
    grid.reserve(document.rows.size());
    for (const CSVDocument::Row &fields : document.rows) {
        QList<GridCell> row;
        row.reserve(fields.size());
        for (const CSVDocument::Field &field : fields)
            row.append(GridCell{field.text(), true});
        grid.append(std::move(row));
    }
    for (const CSVDocument::Runaway &runaway : document.runawayFields())
        grid[runaway.row][runaway.column].freeText = true;
    return grid;
}

// A workbook's cells row by row, left to right, a part at a time; of two
// cells in one place the later one counts, as in the grid. The order is
// worked out on the cells' places alone, so that no part holds more texts
// than it hands over.
void workbookCellsInParts(const XLSXDocument &workbook, const XLSXDocument::Sheet &sheet, qsizetype partCells,
                          const Spreadsheet::CellPart &take)
{
    const QList<XLSXDocument::Cell> &cells = sheet.cells;
    std::vector<qsizetype> order(size_t(cells.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    const auto place = [&cells](qsizetype i) { return std::pair(cells.at(i).row, cells.at(i).column); };
    // A sheet's cells nearly always come in order already, and a scan reads them twice.
    const auto before = [&](qsizetype a, qsizetype b) { return place(a) < place(b); };
    if (!std::is_sorted(order.cbegin(), order.cend(), before))
        std::stable_sort(order.begin(), order.end(), before);
    QList<PlacedCell> part;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + 1 < order.size() && place(order[i]) == place(order[i + 1]))
            continue;
        const XLSXDocument::Cell &cell = cells.at(order[i]);
        const bool rowEnds = i + 1 == order.size() || cells.at(order[i + 1]).row != cell.row;
        part.append({cell.row, cell.column, GridCell{workbook.displayText(sheet, cell), cell.isText()}});
        if (rowEnds && part.size() >= partCells) {
            take(part);
            part.clear();
        }
    }
    if (!part.isEmpty())
        take(part);
}

QString runawayWarning(const CSVDocument::Runaway &runaway)
{
    const QString place = u"row %1, column %2"_s.arg(runaway.row + 1).arg(columnLetters(runaway.column));
    if (runaway.unterminated)
        return u"A quote opened in "_s + place + u" never closes, so the rest of the file ("_s
            + QString::number(runaway.lines) + u" lines) was read as one cell. Its text is still searched for "
            u"names, e-mail addresses, phone numbers and addresses, but check the copy, and close the quote in "
            u"the original if you can."_s;
    return u"The quoted cell in "_s + place + u" runs over "_s + QString::number(runaway.lines)
        + u" lines; a quote may be missing. Its text is searched for every kind of value, whatever its column holds."_s;
}

QByteArray rewriteCSV(const CSVDocument &document, const Spreadsheet::Transform &replacing)
{
    return document.data(
        [&replacing](int row, int column, const QString &text) { return replacing(CellRef{0, row, column}, text); });
}

} // namespace

void Spreadsheet::checkSize(qint64 bytes, const QString &fileName)
{
    if (bytes > largestFile)
        throw Failure(u"“"_s + fileName + u"” is larger than 100 MB, the most Quorvane reads. Split it into smaller "
                                            u"files and swap each with the same key, so that they share their stand-ins."_s);
}

Spreadsheet::Spreadsheet(const QByteArray &data, const QString &fileName) : m_fileName(fileName)
{
    checkSize(data.size(), fileName);
    auto content = std::make_shared<Content>();
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == u"xlsx" || extension == u"xlsm")
        content->document = XLSXDocument(data);
    else if (extension == u"xls")
        throw Failure(u"Older .xls workbooks need saving as .xlsx or CSV first (File › Save As in Excel)."_s);
    else if (extension == u"numbers")
        throw Failure(u"Numbers files need exporting first: in Numbers, choose File › Export To › CSV or Excel."_s);
    else if (isZip(data))
        content->document = XLSXDocument(data);
    else if (!data.contains('\0') || isUtf16(data))
        content->document = CSVDocument(data);
    else
        throw Failure(u"“"_s + fileName + u"” isn’t a CSV or Excel file."_s);
    m_content = std::move(content);
}

Spreadsheet::~Spreadsheet() = default;
Spreadsheet::Spreadsheet(const Spreadsheet &) = default;
Spreadsheet &Spreadsheet::operator=(const Spreadsheet &) = default;

FileKind Spreadsheet::kind() const
{
    return std::holds_alternative<XLSXDocument>(m_content->document) ? FileKind::xlsx : FileKind::csv;
}

QStringList Spreadsheet::sheetNames() const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        QStringList names;
        for (const XLSXDocument::Sheet &sheet : workbook->sheets())
            names.append(sheet.name);
        return names;
    }
    return {QFileInfo(m_fileName).completeBaseName()};
}

Grid Spreadsheet::grid(int sheet) const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        if (sheet < 0 || sheet >= workbook->sheets().size())
            return {};
        return workbookGrid(*workbook, workbook->sheets()[sheet]);
    }
    return csvGrid(std::get<CSVDocument>(m_content->document));
}

QList<PlacedCell> Spreadsheet::cells(int sheet) const
{
    QList<PlacedCell> all;
    cellsInParts(sheet, std::numeric_limits<qsizetype>::max(), [&all](const QList<PlacedCell> &part) { all = part; });
    return all;
}

void Spreadsheet::cellsInParts(int sheet, qsizetype partCells, const CellPart &take) const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        if (sheet >= 0 && sheet < workbook->sheets().size())
            workbookCellsInParts(*workbook, workbook->sheets()[sheet], partCells, take);
        return;
    }
    const CSVDocument &document = std::get<CSVDocument>(m_content->document);
    const QList<CSVDocument::Runaway> runaways = document.runawayFields();
    auto runaway = runaways.cbegin();
    QList<PlacedCell> part;
    for (qsizetype r = 0; r < document.rows.size(); ++r) {
        for (qsizetype c = 0; c < document.rows[r].size(); ++c) {
            const bool ranAway = runaway != runaways.cend() && runaway->row == r && runaway->column == c;
            runaway += ranAway ? 1 : 0;
            part.append({int(r), int(c), GridCell{document.rows[r][c].text(), true, ranAway}});
        }
        if (part.size() >= partCells) {
            take(part);
            part.clear();
        }
    }
    if (!part.isEmpty())
        take(part);
}

int Spreadsheet::headerRowIndex(int sheet, bool headerRow) const
{
    if (!headerRow)
        return -1;
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        if (sheet < 0 || sheet >= workbook->sheets().size())
            return -1;
        // A workbook's cells need not come in row order.
        const XLSXDocument::Sheet &cells = workbook->sheets()[sheet];
        int first = -1;
        for (const XLSXDocument::Cell &cell : cells.cells) {
            if ((first < 0 || cell.row < first) && !workbook->displayText(cells, cell).isEmpty())
                first = cell.row;
        }
        return first;
    }
    const QList<CSVDocument::Row> &rows = std::get<CSVDocument>(m_content->document).rows;
    const auto hasText = [](const CSVDocument::Row &row) {
        return std::any_of(row.cbegin(), row.cend(), [](const CSVDocument::Field &field) { return field.size() > 0; });
    };
    const auto found = std::find_if(rows.cbegin(), rows.cend(), hasText);
    return found == rows.cend() ? -1 : int(found - rows.cbegin());
}

qsizetype Spreadsheet::cellCount() const
{
    qsizetype count = 0;
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        for (const XLSXDocument::Sheet &sheet : workbook->sheets())
            count += sheet.cells.size();
        return count;
    }
    for (const CSVDocument::Row &row : std::get<CSVDocument>(m_content->document).rows)
        count += row.size();
    return count;
}

qsizetype Spreadsheet::offeredCellCount() const
{
    const auto *workbook = std::get_if<XLSXDocument>(&m_content->document);
    if (!workbook)
        return cellCount();
    qsizetype count = 0;
    for (const XLSXDocument::Sheet &sheet : workbook->sheets())
        count += std::count_if(sheet.cells.cbegin(), sheet.cells.cend(),
                               [](const XLSXDocument::Cell &cell) { return cell.isText(); });
    return count;
}

QList<QString> Spreadsheet::warnings() const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document))
        return workbook->warnings();
    QList<QString> warnings;
    for (const CSVDocument::Runaway &runaway : std::get<CSVDocument>(m_content->document).runawayFields())
        warnings.append(runawayWarning(runaway));
    return warnings;
}

QStringList Spreadsheet::unreferencedSharedStrings() const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document))
        return workbook->unreferencedSharedStrings();
    return {};
}

QByteArray Spreadsheet::data(const Transform &replacing) const
{
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document))
        return workbook->data(replacing);
    return rewriteCSV(std::get<CSVDocument>(m_content->document), replacing);
}

QByteArray Spreadsheet::dataWithViews(const ViewTransform &replacing) const
{
    // A workbook keeps its new texts until it writes them.
    if (const auto *workbook = std::get_if<XLSXDocument>(&m_content->document)) {
        return workbook->data([&replacing](const std::optional<CellRef> &cell, const QString &text) {
            const std::optional<QStringView> view = replacing(cell, text);
            return view ? std::optional<QString>(view->toString()) : std::nullopt;
        });
    }
    return std::get<CSVDocument>(m_content->document).dataWithViews(
        [&replacing](int row, int column, const QString &text) { return replacing(CellRef{0, row, column}, text); });
}

} // namespace quorvane
