#pragma once

#include "kit/files/Spreadsheet.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvane {

// Reading a chosen file as a spreadsheet; throws quorvane::Failure with the
// user's message. Safe on any thread.
Spreadsheet loadSpreadsheet(const QString &path);

// A grid's cell texts, row by row.
QList<QStringList> gridTexts(const Grid &grid);

} // namespace quorvane
