#pragma once

#include "kit/TextRange.h"

#include <QRegularExpression>
#include <QStringView>

#include <optional>

namespace quorvane {

// A phone stand-in as written in text: a 555-01xx number, perhaps with an
// area code, a leading 1 and an extension (" x" and four digits, the first
// capture).
const QRegularExpression &phoneStandInPattern();

struct PhoneStandInMatch
{
    TextRange range;
    // Where the extension starts, or -1 when the match has none.
    qsizetype extension = -1;

    friend bool operator==(const PhoneStandInMatch &, const PhoneStandInMatch &) = default;
};

// The pattern's next match at or after `from`, tried by hand in the pattern's
// own order for a text that is all ASCII, without its per-match allocations.
std::optional<PhoneStandInMatch> nextAsciiPhoneStandIn(QStringView text, qsizetype from);

} // namespace quorvane
