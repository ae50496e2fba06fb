#include "kit/swap/Scrubber.h"

#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

Scrubber::Failure::Failure(Kind kind)
    : quorvane::Failure(u"The key changed since this file was scanned. Scan it again."_s), m_kind(kind)
{
}

namespace {

// Adds what the scan planned to the working key and checks that the key still
// gives every value the stand-in the scan showed.
void addEntries(const Scan &scan, ProjectKey &working, const QSet<QString> &excluded)
{
    for (const ReviewItem &item : scan.items) {
        if (excluded.contains(item.id))
            continue;
        for (const ProjectKey::Entry &entry : scan.entriesByItem.value(item.id)) {
            const bool known = working.entryForReal(entry.real, entry.kind) != nullptr;
            // A stand-in handed to another value meanwhile is not recorded; the
            // check below then finds the value without its planned stand-in.
            if (!known && !working.isSubstitute(entry.standIn, entry.kind))
                working.record(entry);
            if (working.storedSubstitute(entry.real, entry.kind) != entry.standIn)
                throw Scrubber::Failure(Scrubber::Failure::Kind::outdated);
        }
    }
}

// Whether the key is still the one the scan planned on, so that the scan's
// own key holds exactly what adding its entries would give.
bool plannedOnThisKey(const Scan &scan, const ProjectKey &key, const QSet<QString> &excluded)
{
    if (!scan.plannedKey || !excluded.isEmpty() || key.id() != scan.plannedKey->id()
        || key.valueCount() != scan.keyValueCount)
        return false;
    return key.valueCount() == 0 || key.entries().last() == scan.plannedKey->entries().at(key.valueCount() - 1);
}

} // namespace

Scrubber::Result Scrubber::apply(const Scan &scan, const Spreadsheet &spreadsheet, ProjectKey &key,
                                 const QSet<QString> &excluded, const ProgressReport &progress)
{
    ProjectKey working = key;
    if (plannedOnThisKey(scan, key, excluded)) {
        working = *scan.plannedKey;
        // Renamed or given files meanwhile: those do not touch the entries.
        working.setName(key.name());
        for (const QString &file : key.files())
            working.addFile(file);
    } else {
        addEntries(scan, working, excluded);
    }

    int replaced = 0;
    ProgressMeter meter(progress, Progress::Stage::writing, spreadsheet.offeredCellCount());
    const QByteArray data = spreadsheet.data(
        [&](const std::optional<CellRef> &cell, const QString &text) -> std::optional<QString> {
            meter.advance();
            const QList<Scan::Planned> planned = cell ? scan.planned.value(*cell) : scan.loosePlanned.value(text);
            Applied applied = applying(planned, text, excluded);
            replaced += applied.count;
            return std::move(applied.text);
        });

    meter.finish();
    if (replaced > 0)
        working.addFile(spreadsheet.fileName());
    key = std::move(working);
    return {data, replaced};
}

Scrubber::Applied Scrubber::applying(const QList<Scan::Planned> &planned, const QString &text,
                                     const QSet<QString> &excluded)
{
    if (planned.isEmpty())
        return {};
    // Most cells hold one value, which needs no ordering (and no copy to order).
    QList<Scan::Planned> ordered = planned;
    if (ordered.size() > 1)
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Scan::Planned &a, const Scan::Planned &b) { return a.range.start > b.range.start; });
    QString result = text;
    int count = 0;
    for (const Scan::Planned &p : ordered) {
        if (excluded.contains(p.item) || p.range.end > text.size())
            continue;
        result.replace(p.range.start, p.range.length(), p.text);
        ++count;
    }
    if (count == 0)
        return {};
    return {std::move(result), count};
}

} // namespace quorvane
