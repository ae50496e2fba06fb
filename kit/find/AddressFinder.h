#pragma once

#include "kit/TextRange.h"
#include "kit/find/Finding.h"

#include <QList>
#include <QString>

namespace quorvane {

// Postal addresses in free text. US-style ones in full: a house number, a
// street name with one of the postal service's street suffixes or a numbered
// road, an optional unit, and an optional city, two-letter state and ZIP or
// ZIP+4. Elsewhere in Europe, the street and its house number.
class AddressFinder
{
public:
    struct Match
    {
        TextRange range;
        AddressParts parts;
    };

    QList<Match> find(const QString &text) const;
};

} // namespace quorvane
