#pragma once

#include "kit/CellRef.h"
#include "kit/Progress.h"
#include "kit/TextRange.h"
#include "kit/find/Finding.h"
#include "kit/find/Kinds.h"
#include "kit/keys/ProjectKey.h"
#include "kit/swap/CellPlans.h"
#include "kit/swap/ItemEntries.h"
#include "kit/swap/ReviewItem.h"
#include "kit/swap/ScanOptions.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

class Spreadsheet;

// Everything a swap needs, computed from a file, a key and the options,
// without writing anything. Valid only for the state of the key it was made
// with; the writer checks that.
struct Scan
{
    using Planned = quorvane::Planned;

    QList<ReviewItem> items; // names, then e-mails, phones, addresses; cells in order
    QMap<ColumnID, ColumnKind> columns;
    QSet<ColumnID> guessed;
    QMap<ColumnID, QString> headers;
    QStringList warnings;
    QStringList conflicts; // the file's words that are already this key's stand-ins
    int dataRows = 0;
    int freeTextCells = 0;
    CellPlans planned;
    QHash<QString, QList<Planned>> loosePlanned; // keyed by the whole text outside cells
    // The texts of plans that differ from their item's stand-in: a value met
    // again written otherwise ("MARIA" after "Maria") is swapped alike.
    QStringList respellings;
    ItemEntries entries; // each item's, in the order of items
    // The key as planning left it, holding exactly the entries above that
    // are new; the writer takes it as it is while the key has not moved on
    // and no item is left out. Nothing when planning recorded more.
    std::optional<ProjectKey> plannedKey;
    qsizetype keyValueCount = 0; // entries of the key the scan was made with

    // What a plan puts in its place.
    const QString &textOf(const Planned &planned) const
    {
        return planned.respelling < 0 ? items.at(planned.item).standIn : respellings.at(planned.respelling);
    }
};

// The identity under which equal values written differently become one item.
QString itemID(const Finding &finding);

// Never fails and never changes the key. Progress comes as the scanning stage,
// counted in cells.
Scan scan(const Spreadsheet &spreadsheet, const ProjectKey &key, const ScanOptions &options,
          const ProgressReport &progress = {});

} // namespace quorvane
