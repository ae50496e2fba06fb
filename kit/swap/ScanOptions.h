#pragma once

#include "kit/CellRef.h"
#include "kit/find/Finding.h"
#include "kit/find/Kinds.h"

#include <QHash>
#include <QList>
#include <QStringList>

namespace quorvane {

// What the user decided about one file before it is scanned.
struct ScanOptions
{
    QHash<ColumnID, ColumnKind> columnKinds; // columns not listed are guessed
    QList<ExtraTerm> extraTerms;             // values to replace everywhere
    bool headerRow = true;                   // each sheet starts with a header row
    QHash<CellRef, QStringList> cellNames;   // names accepted for particular cells

    friend bool operator==(const ScanOptions &, const ScanOptions &) = default;
};

} // namespace quorvane
