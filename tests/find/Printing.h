#pragma once

#include "kit/TextRange.h"

#include <QString>

#include <ostream>

// Readable failure messages for Qt strings and ranges.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace quorvane {
inline void PrintTo(const TextRange &range, std::ostream *os)
{
    *os << '[' << range.start << ", " << range.end << ')';
}
} // namespace quorvane
