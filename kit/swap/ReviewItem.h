#pragma once

#include "kit/CellRef.h"
#include "kit/find/Kinds.h"

#include <QString>

#include <optional>

namespace quorvane {

// One distinct value of the review list, identified by its normalised id.
struct ReviewItem
{
    QString id;
    ValueKind kind = ValueKind::name;
    QString text;    // as first found
    QString standIn; // as first planned
    int count = 0;   // occurrences planned for replacement
    std::optional<CellRef> firstCell; // absent for text outside any cell
    bool inFreeText = false;
    bool alreadyInKey = false; // the key held the value before the scan

    friend bool operator==(const ReviewItem &, const ReviewItem &) = default;
};

inline size_t qHash(const ReviewItem &item, size_t seed = 0)
{
    return qHash(item.id, seed);
}

} // namespace quorvane
