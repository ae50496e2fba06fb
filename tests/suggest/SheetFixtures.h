#pragma once

#include "kit/files/Spreadsheet.h"
#include "kit/suggest/SecondOpinion.h"
#include "kit/swap/Scan.h"

#include <QStringList>

// One-sheet spreadsheets from CSV text, and the scan a test needs of them.
inline quorvane::Spreadsheet csvSheet(const QStringList &rows)
{
    return quorvane::Spreadsheet(rows.join(u'\n').toUtf8() + '\n', QStringLiteral("notes.csv"));
}

// Every column guessed as the given kind, nothing planned yet.
inline quorvane::Scan guessedScan(const quorvane::Spreadsheet &sheet, const QList<quorvane::ColumnKind> &kinds,
                                  bool headerRow = true)
{
    using namespace quorvane;
    Scan scan;
    const Grid grid = sheet.grid(0);
    const int header = sheet.headerRowIndex(0, headerRow);
    for (int column = 0; column < kinds.size(); ++column) {
        const ColumnID id{0, column};
        scan.columns.insert(id, kinds.at(column));
        scan.guessed.insert(id);
        scan.headers.insert(id, header >= 0 ? grid.at(header).value(column).text : QString());
    }
    return scan;
}

inline QStringList idsOf(const QList<quorvane::NameSuggestion> &suggestions)
{
    QStringList ids;
    for (const quorvane::NameSuggestion &suggestion : suggestions)
        ids.append(suggestion.id);
    return ids;
}

// The texts of the spans, for readable comparisons.
inline QStringList textsOf(const QString &text, const QList<quorvane::TextRange> &spans)
{
    QStringList texts;
    for (const quorvane::TextRange &span : spans)
        texts.append(span.of(text));
    return texts;
}
