#pragma once

#include "kit/CellRef.h"
#include "kit/find/Kinds.h"

#include <QString>

#include <optional>

namespace quorvane {

// The identity under which equal values written differently become one item.
QString itemID(ValueKind kind, const QString &text);

// One distinct value of the review list, identified by its normalised id.
// A large file has hundreds of thousands: the members are ordered so that
// the small ones share the last eight bytes.
struct ReviewItem
{
    QString text;    // as first found
    QString standIn; // as first planned
    std::optional<CellRef> firstCell; // absent for text outside any cell
    int count = 0;   // occurrences planned for replacement
    ValueKind kind = ValueKind::name;
    bool inFreeText = false;
    bool alreadyInKey = false; // the key held the value before the scan

    // Made when asked for, from the kind and the text: kept, the ids of a
    // large file's items would weigh as much as their texts.
    QString id() const { return itemID(kind, text); }

    friend bool operator==(const ReviewItem &, const ReviewItem &) = default;
};
static_assert(sizeof(ReviewItem) <= 72);

inline size_t qHash(const ReviewItem &item, size_t seed = 0)
{
    return qHash(item.id(), seed);
}

} // namespace quorvane
