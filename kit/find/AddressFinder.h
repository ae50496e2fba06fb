#pragma once

#include "kit/TextRange.h"
#include "kit/find/Finding.h"

#include <QList>
#include <QString>

namespace quorvane {

// US-style postal addresses in free text: a house number, a street name with
// one of the postal service's street suffixes, an optional unit, and an
// optional city, two-letter state and ZIP or ZIP+4.
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
