#pragma once

// What the file fuzzers check for one input, shared by the libFuzzer targets
// and the test that replays the inputs they once failed on. Any check that
// does not hold aborts, which libFuzzer reports as a crash.

#include "kit/files/CSVDocument.h"
#include "kit/files/SheetReader.h"
#include "kit/files/Spreadsheet.h"
#include "kit/files/ZipArchive.h"
#include "../files/ZipBuilder.h"

#include <cstdio>
#include <cstdlib>

namespace quorvane::fuzzing {

inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// Reading never fails, and the written bytes carry a byte order mark exactly
// when the document says so. (Reading what was written need not give the
// same rows: a stray quote in the first record can change which delimiter is
// detected once that field is written quoted.)
inline void csvDocument(const QByteArray &input)
{
    const CSVDocument document(input);
    const QByteArray written = document.data();
    require(written.startsWith("\xEF\xBB\xBF") == document.byteOrderMark, "a byte order mark only when asked for");
    // A field whose quote never closed is written back unclosed, so it reads
    // back as the same text.
    const QList<CSVDocument::Runaway> runaways = document.runawayFields();
    if (!runaways.isEmpty() && runaways.last().unterminated && document.delimiter == CSVDocument(written).delimiter) {
        const CSVDocument again(written);
        const CSVDocument::Runaway &last = runaways.last();
        require(!again.rows.isEmpty() && again.rows.last().size() == last.column + 1
                    && again.rows.last().last().text() == document.rows[last.row][last.column].text(),
                "an unclosed field reads back the same");
    }
}

// Opening, reading every entry and rewriting end in bytes or a Failure; a
// rewritten archive opens again with the same entries.
inline void zipArchive(const QByteArray &input)
{
    std::optional<ZipArchive> archive;
    try {
        archive.emplace(input);
    } catch (const ZipArchive::Failure &) {
        return;
    }
    QHash<QString, QByteArray> replacing;
    for (const ZipArchive::Entry &entry : archive->entries()) {
        try {
            replacing.insert(entry.path, archive->data(entry) + "!");
        } catch (const ZipArchive::Failure &) {
        }
    }
    try {
        const ZipArchive rewritten(archive->data(replacing));
        require(rewritten.paths() == archive->paths(), "a rewritten archive has the same entries");
        for (const ZipArchive::Entry &entry : rewritten.entries()) {
            if (replacing.contains(entry.path) && archive->entry(entry.path)->path == entry.path)
                require(rewritten.data(entry) == replacing.value(entry.path), "replaced content reads back");
        }
    } catch (const ZipArchive::Failure &) {
    }
}

// The input is either a whole file, or (first byte 'P' not followed by 'K')
// four workbook parts separated by 0xFF bytes, packed into an archive here so
// that mutations reach the XML instead of failing the archive's checks.
inline QByteArray workbookBytes(const QByteArray &input)
{
    if (input.startsWith("PK") || !input.startsWith('P'))
        return input;
    QList<QByteArray> parts = input.mid(1).split('\xFF');
    parts.resize(4);
    return test::ZipBuilder()
        .add("xl/workbook.xml", parts[0])
        .add("xl/_rels/workbook.xml.rels", parts[1])
        .add("xl/worksheets/sheet1.xml", parts[2])
        .add("xl/sharedStrings.xml", parts[3])
        .build();
}

// A workbook that opens can be read in full and rewritten with every text
// changed, and the copy opens with the same sheets showing the new texts.
inline void xlsxDocument(const QByteArray &input)
{
    std::optional<Spreadsheet> book;
    try {
        book.emplace(workbookBytes(input), QStringLiteral("fuzz.xlsx"));
    } catch (const quorvane::Failure &) {
        return;
    }
    for (int sheet = 0; sheet < book->sheetNames().size(); ++sheet) {
        book->grid(sheet);
        const QList<PlacedCell> cells = book->cells(sheet);
        for (qsizetype i = 1; i < cells.size(); ++i)
            require(std::pair(cells[i - 1].row, cells[i - 1].column) < std::pair(cells[i].row, cells[i].column),
                    "cells come row by row, left to right, one to a place");
    }
    book->warnings();
    book->unreferencedSharedStrings();
    QByteArray rewritten;
    try {
        rewritten = book->data([](const std::optional<CellRef> &cell, const QString &text) -> std::optional<QString> {
            if (cell && cell->column % 2 == 1)
                return std::nullopt;
            return QStringLiteral("<&\"x\">") + text;
        });
    } catch (const quorvane::Failure &) {
        return;
    }
    const Spreadsheet copy(rewritten, QStringLiteral("fuzz.xlsx"));
    require(copy.sheetNames() == book->sheetNames(), "the rewritten workbook has the same sheets");
}

// Reading a worksheet part as two halves, with plain cells read directly,
// gives exactly the cells of the general scanner reading it in one go,
// wherever the split is tried. The first two bytes choose where
// the search for a split starts; the rest is the part.
inline void sheetReader(const QByteArray &input)
{
    if (input.size() < 2)
        return;
    const qsizetype from = (uchar(input[0]) << 8 | uchar(input[1])) % input.size();
    XLSXDocument::Sheet whole, split;
    whole.xml = split.xml = input.mid(2);
    SheetReader::readWithScannerOnly(whole);
    SheetReader::readSplittingAfter(split, from);
    require(whole.cells.size() == split.cells.size(), "as many cells either way");
    require(whole.texts == split.texts, "the same texts either way");
    for (qsizetype i = 0; i < whole.cells.size(); ++i) {
        const XLSXDocument::Cell &a = whole.cells[i], &b = split.cells[i];
        require(a.row == b.row && a.column == b.column && a.source == b.source && a.index == b.index
                    && a.range == b.range && a.style == b.style && whole.prefixes[a.prefix] == split.prefixes[b.prefix],
                "the same cell either way");
    }
    require(whole.brokenMarkup == split.brokenMarkup && whole.oddReferences == split.oddReferences,
            "broken markup and odd references found either way");
}

} // namespace quorvane::fuzzing
