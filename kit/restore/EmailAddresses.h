#pragma once

#include "kit/TextRange.h"

#include <QStringView>

#include <optional>

namespace quorvane {

// The next match of the finders' e-mail pattern at or after `from`, walked by
// hand: every address cell passes through it, and the walk allocates nothing.
std::optional<TextRange> nextEmailAddress(QStringView text, qsizetype from);

} // namespace quorvane
