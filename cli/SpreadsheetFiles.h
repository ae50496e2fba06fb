#pragma once

#include "cli/Command.h"
#include "cli/KeyFiles.h"
#include "kit/files/Spreadsheet.h"
#include "kit/swap/ScanOptions.h"

#include <QString>

#include <thread>

namespace quorvane::cli {

// Has the word lists every search needs read on another thread, while the
// command reads its file and opens its key; joined when it goes.
std::jthread preparingSearches();

// Reads a CSV, TSV or xlsx file from disk; throws quorvane::Failure.
Spreadsheet readSpreadsheet(const QString &path);

// Where a copy goes: the requested path, or the input's name with " (label)"
// before its extension, next to the input. Refuses a place that is the input
// or the key file, through links too.
QString copyPath(const QString &input, const QString &label, const QString &requested, const QString &keyFile);

// --no-header, --column SHEET:LETTER=KIND and --term KIND:TEXT.
ScanOptions scanOptions(const Invocation &invocation, const Spreadsheet &spreadsheet);
const QList<Option> &scanOptionList();

// A cell's text for a listing that keeps one value per line: each line break
// shown as "\n", so that values differing only there stay apart, and tabs,
// which separate the listing's fields, as spaces.
QString oneLine(const QString &text);

// The project key named by --key, opened.
OpenedKey openKeyOption(const Invocation &invocation);
OpenedKey openKeyOption(const Invocation &invocation, const KeyFile::Reader &read);

} // namespace quorvane::cli
