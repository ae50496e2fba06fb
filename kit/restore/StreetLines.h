#pragma once

#include "kit/TextRange.h"

#include <QRegularExpression>
#include <QStringView>

#include <optional>

namespace quorvane {

// A street line as stand-ins are written: a house number of two to four
// digits, two words and perhaps a full stop, standing on its own.
const QRegularExpression &streetLinePattern();

// The pattern's next match at or after `from`, walked by hand for a text that
// is all ASCII: most street and phone cells are, and the walk costs no
// allocation. Any other text goes to the pattern itself.
std::optional<TextRange> nextAsciiStreetLine(QStringView text, qsizetype from);

} // namespace quorvane
