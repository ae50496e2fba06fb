// The "sheets" and "markdown" commands: what a file holds, and one sheet as a
// Markdown table to paste into a chat.
#include "cli/Command.h"
#include "cli/SpreadsheetFiles.h"
#include "kit/files/MarkdownTable.h"

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

int sheetsCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const Spreadsheet spreadsheet = readSpreadsheet(invocation.positionals().first());
    QTextStream &out = invocation.out();
    for (const QString &name : spreadsheet.sheetNames())
        out << name << '\n';
    for (const QString &warning : spreadsheet.warnings())
        out << warning << '\n';
    return 0;
}

int numberOption(const Invocation &invocation, const QString &name, int fallback)
{
    if (!invocation.has(name))
        return fallback;
    bool ok = false;
    const int value = invocation.value(name).toInt(&ok);
    if (!ok || value < 0)
        throw UsageError(u"--%1 needs a number from 0"_s.arg(name));
    return value;
}

MarkdownTable::Rows rowSelection(const Invocation &invocation)
{
    if (invocation.has(u"rows"_s) && invocation.has(u"range"_s))
        throw UsageError(u"give --rows or --range, not both"_s);
    if (invocation.has(u"rows"_s))
        return MarkdownTable::Rows::first(numberOption(invocation, u"rows"_s, 0));
    if (!invocation.has(u"range"_s))
        return MarkdownTable::Rows::all();
    const QStringList ends = invocation.value(u"range"_s).split(u'-');
    bool fromOk = false, toOk = false;
    const int from = ends.value(0).toInt(&fromOk);
    const int to = ends.value(1).toInt(&toOk);
    if (ends.size() != 2 || !fromOk || !toOk)
        throw UsageError(u"--range needs two row numbers, like 1-20"_s);
    return MarkdownTable::Rows::range(from, to);
}

int markdownCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const Spreadsheet spreadsheet = readSpreadsheet(invocation.positionals().first());
    const int sheet = numberOption(invocation, u"sheet"_s, 0);
    if (sheet >= spreadsheet.sheetNames().size())
        throw UsageError(u"the file has %1 sheets, numbered from 0"_s.arg(spreadsheet.sheetNames().size()));
    QList<QStringList> cells;
    for (const QList<GridCell> &row : spreadsheet.grid(sheet)) {
        QStringList texts;
        texts.reserve(row.size());
        for (const GridCell &cell : row)
            texts.append(cell.text);
        cells.append(texts);
    }
    const MarkdownTable::Result table =
        MarkdownTable::make(cells, !invocation.flag(u"no-header"_s), rowSelection(invocation));
    invocation.out() << table.text;
    return 0;
}

} // namespace

QList<Command> sheetCommands()
{
    return {
        {{u"sheets"_s}, u"INPUT"_s, u"list the file's sheets, one a line, then its warnings"_s, {}, sheetsCommand},
        {{u"markdown"_s}, u"INPUT [--sheet N] [--rows N | --range A-B] [--no-header]"_s,
         u"print one sheet as a Markdown table"_s,
         {{u"sheet"_s, u"N"_s, u"the sheet, numbered from 0 (default 0)"_s},
          {u"rows"_s, u"N"_s, u"only the first N data rows"_s},
          {u"range"_s, u"A-B"_s, u"only data rows A to B, counted from 1"_s},
          {u"no-header"_s, {}, u"the sheet has no header row; columns are headed A, B, …"_s}},
         markdownCommand},
    };
}

} // namespace quorvane::cli
