// The "scan" and "swap" commands: the review list of a file, and its swapped copy.
#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "cli/ProgressLine.h"
#include "cli/SpreadsheetFiles.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

QString sheetName(const QStringList &sheets, int sheet)
{
    return sheet < sheets.size() ? sheets.at(sheet) : QString::number(sheet);
}

QJsonObject itemJson(const ReviewItem &item)
{
    return {
        {u"id"_s, item.id()},
        {u"kind"_s, rawString(item.kind)},
        {u"text"_s, item.text},
        {u"standIn"_s, item.standIn},
        {u"count"_s, item.count},
        {u"firstCell"_s, item.firstCell ? QJsonValue(item.firstCell->displayName()) : QJsonValue(QJsonValue::Null)},
        {u"inFreeText"_s, item.inFreeText},
        {u"alreadyInKey"_s, item.alreadyInKey},
    };
}

QJsonObject scanJson(const Scan &scan, const QStringList &sheets)
{
    QJsonArray items;
    for (const ReviewItem &item : scan.items)
        items.append(itemJson(item));
    QJsonArray columns;
    for (auto it = scan.columns.cbegin(); it != scan.columns.cend(); ++it) {
        columns.append(QJsonObject{
            {u"sheet"_s, sheetName(sheets, it.key().sheet)},
            {u"column"_s, columnLetters(it.key().column)},
            {u"header"_s, scan.headers.value(it.key())},
            {u"kind"_s, rawString(it.value())},
            {u"guessed"_s, scan.guessed.contains(it.key())},
        });
    }
    return {
        {u"items"_s, items},
        {u"columns"_s, columns},
        {u"warnings"_s, QJsonArray::fromStringList(scan.warnings)},
        {u"conflicts"_s, QJsonArray::fromStringList(scan.conflicts)},
        {u"dataRows"_s, scan.dataRows},
        {u"freeTextCells"_s, scan.freeTextCells},
    };
}

void printScan(QTextStream &out, const Scan &scan, const QStringList &sheets)
{
    out << "Values (" << scan.items.size() << "):\n";
    out << "ID\tKIND\tVALUE\tSTAND-IN\tCOUNT\tFIRST CELL\tFREE TEXT\tALREADY IN KEY\n";
    for (const ReviewItem &item : scan.items) {
        out << oneLine(item.id()) << '\t' << rawString(item.kind) << '\t' << oneLine(item.text) << '\t'
            << oneLine(item.standIn) << '\t' << item.count << '\t'
            << (item.firstCell ? item.firstCell->displayName() : u"-"_s) << '\t'
            << (item.inFreeText ? "yes" : "no") << '\t' << (item.alreadyInKey ? "yes" : "no") << '\n';
    }
    out << "\nColumns:\n";
    for (auto it = scan.columns.cbegin(); it != scan.columns.cend(); ++it) {
        out << "  " << sheetName(sheets, it.key().sheet) << ' ' << columnLetters(it.key().column) << "  “"
            << oneLine(scan.headers.value(it.key())) << "”  " << rawString(it.value())
            << (scan.guessed.contains(it.key()) ? " (guessed)" : "") << '\n';
    }
    out << "\nData rows: " << scan.dataRows << "; free-text cells: " << scan.freeTextCells << '\n';
    if (!scan.warnings.isEmpty()) {
        out << "\nWarnings:\n";
        for (const QString &warning : scan.warnings)
            out << "  " << warning << '\n';
    }
    if (!scan.conflicts.isEmpty()) {
        out << "\nAlready stand-ins of this key, left as they are:\n";
        for (const QString &conflict : scan.conflicts)
            out << "  " << conflict << '\n';
    }
}

int scanCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const std::jthread searchesReady = preparingSearches();
    ProgressLine progress(invocation.err());
    progress.show(Progress::Stage::reading);
    const Spreadsheet spreadsheet = readSpreadsheet(invocation.positionals().first());
    progress.clear(); // the key may ask for its passphrase
    const ScanOptions options = scanOptions(invocation, spreadsheet);
    const OpenedKey opened = openKeyOption(invocation);
    const Scan result = scan(spreadsheet, opened.key, options, progress.report());
    progress.clear();
    if (invocation.flag(u"json"_s))
        invocation.out() << QString::fromUtf8(QJsonDocument(scanJson(result, spreadsheet.sheetNames())).toJson());
    else
        printScan(invocation.out(), result, spreadsheet.sheetNames());
    return 0;
}

int swapCommand(const Invocation &invocation)
{
    invocation.expectPositionals(1, 1, u"one input file"_s);
    const std::jthread searchesReady = preparingSearches();
    const QString input = invocation.positionals().first();
    ProgressLine progress(invocation.err());
    progress.show(Progress::Stage::reading);
    const Spreadsheet spreadsheet = readSpreadsheet(input);
    progress.clear(); // the key may ask for its passphrase
    const ScanOptions options = scanOptions(invocation, spreadsheet);
    OpenedKey opened = openKeyOption(invocation);
    const QString output = copyPath(input, u"stand-ins"_s, invocation.value(u"output"_s), opened.path);
    const QStringList excludedIds = invocation.values(u"exclude"_s);
    const QSet<QString> excluded(excludedIds.cbegin(), excludedIds.cend());

    const qsizetype valuesBefore = opened.key.valueCount();
    const qsizetype filesBefore = opened.key.files().size();
    const qsizetype respellingsBefore = opened.key.respellings();
    // The plan is the largest thing a big file's swap holds: it is dropped
    // before the key is sealed and the copy written.
    QStringList conflicts;
    const Scrubber::Result result = [&] {
        const Scan planned = scan(spreadsheet, opened.key, options, progress.report());
        conflicts = planned.conflicts;
        return Scrubber::apply(planned, spreadsheet, opened.key, excluded, progress.report());
    }();
    progress.clear();
    // The key is saved before the copy: a copy whose stand-ins the key lacks
    // could never be restored.
    if (opened.key.valueCount() != valuesBefore || opened.key.files().size() != filesBefore
        || opened.key.respellings() != respellingsBefore)
        opened.save();
    writeAtomically(output, result.data);

    QTextStream &out = invocation.out();
    out << (result.replaced == 1 ? u"Replaced 1 value."_s : u"Replaced %1 values."_s.arg(result.replaced))
        << " The swapped copy is “" << output << "”.\n";
    out << "The key “" << opened.key.name() << "” now holds " << opened.key.valueCount() << " values.\n";
    if (!conflicts.isEmpty())
        out << "Already stand-ins in this key: " << conflicts.join(u", "_s)
            << ". They’re in this file as they are, so restoring a file would turn them into real values.\n";
    return 0;
}

QList<Option> withScanOptions(QList<Option> options)
{
    return scanOptionList() + options;
}

} // namespace

QList<Command> swapCommands()
{
    return {
        {{u"scan"_s}, u"INPUT --key FILE [--no-header] [--column SHEET:LETTER=KIND ...] [--term KIND:TEXT ...] [--json]"_s,
         u"list the values a swap would replace, with their stand-ins, and the kind of every column"_s,
         withScanOptions({{u"json"_s, {}, u"print one JSON object"_s}}),
         scanCommand},
        {{u"swap"_s}, u"INPUT --key FILE [-o OUTPUT] [--exclude ITEM-ID ...] [scan options]"_s,
         u"write a copy with stand-ins (default: “NAME (stand-ins).EXT” next to the input) and save the key"_s,
         withScanOptions({{u"output"_s, u"OUTPUT"_s, u"where to write the swapped copy"_s, u"o"_s},
                          {u"exclude"_s, u"ITEM-ID"_s, u"leave this value (an id from scan) as it is; repeatable"_s}}),
         swapCommand},
    };
}

} // namespace quorvane::cli
