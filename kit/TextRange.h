#pragma once

#include <QString>

namespace quorvane {

// A half-open range of UTF-16 offsets into a QString: [start, end).
struct TextRange
{
    qsizetype start = 0;
    qsizetype end = 0;

    qsizetype length() const { return end - start; }
    bool isEmpty() const { return end <= start; }
    // Two ranges overlap when each starts before the other ends; an empty
    // range overlaps nothing.
    bool overlaps(const TextRange &other) const
    {
        return !isEmpty() && !other.isEmpty() && start < other.end && other.start < end;
    }
    QString of(const QString &text) const { return text.mid(start, end - start); }

    friend bool operator==(const TextRange &, const TextRange &) = default;
};

} // namespace quorvane
