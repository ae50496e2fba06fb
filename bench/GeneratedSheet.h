#pragma once

// Writes generated sheets as CSV and as a one-sheet xlsx workbook, for the
// benchmarks that read, swap and restore them.

#include "tests/files/ZipBuilder.h"

#include <QByteArray>
#include <QHash>

#include <functional>

namespace quorvane::bench {

struct GeneratedCell
{
    QByteArray text;
    bool number = false; // written as a number cell in the workbook
};
using CellSource = std::function<GeneratedCell(long row, int column)>;

inline QByteArray csvField(const QByteArray &text)
{
    if (!text.contains(',') && !text.contains('"'))
        return text;
    return '"' + QByteArray(text).replace("\"", "\"\"") + '"';
}

inline QByteArray generatedCSV(long rows, int columns, const CellSource &cell)
{
    QByteArray csv;
    for (long r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            csv += (c ? "," : "") + csvField(cell(r, c).text);
        csv += "\r\n";
    }
    return csv;
}

inline QByteArray xmlEscaped(const QByteArray &text)
{
    return QByteArray(text).replace("&", "&amp;").replace("<", "&lt;").replace("\"", "&quot;");
}

// Text cells go to the shared strings, each distinct text once.
inline QByteArray generatedXLSX(const QByteArray &sheetName, long rows, int columns, const CellSource &cell)
{
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const QByteArray ns = " xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    QByteArray sheet = head + "<worksheet" + ns + "><sheetData>";
    QByteArray strings = head + "<sst" + ns + ">";
    QHash<QByteArray, int> index;
    for (long r = 0; r < rows; ++r) {
        sheet += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < columns; ++c) {
            const QByteArray ref = QByteArray(1, char('A' + c)) + QByteArray::number(r + 1);
            const GeneratedCell generated = cell(r, c);
            if (generated.number) {
                sheet += "<c r=\"" + ref + "\"><v>" + generated.text + "</v></c>";
                continue;
            }
            auto found = index.constFind(generated.text);
            if (found == index.cend()) {
                found = index.insert(generated.text, int(index.size()));
                strings += "<si><t>" + xmlEscaped(generated.text) + "</t></si>";
            }
            sheet += "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(*found) + "</v></c>";
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    strings += "</sst>";
    return test::ZipBuilder()
        .add("[Content_Types].xml", "<Types/>")
        .add("xl/workbook.xml", "<workbook><sheets><sheet name=\"" + sheetName + "\" r:id=\"rId1\"/></sheets></workbook>")
        .add("xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>")
        .add("xl/worksheets/sheet1.xml", sheet)
        .add("xl/sharedStrings.xml", strings)
        .build();
}

} // namespace quorvane::bench
