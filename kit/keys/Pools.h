#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quorvane::pools {

// The word lists stand-ins are drawn from. A pool is indexed by a keyed digest
// modulo its size, so contents and order are part of every stored key: never
// reorder, add or remove an entry.
const QStringList &firstNames();
const QStringList &lastNames();
const QStringList &streetNames();
const QStringList &cityStarts();
const QStringList &cityEnds();
const QStringList &cityExtras();
// The last word of a twin town ("Cedarhaven-Maplewick Falls"), once the
// one-word towns and their cityExtras forms are used up.
const QStringList &townWords();
const QStringList &areaCodes();
const QStringList &emailDomains();

struct StreetType
{
    QString longForm;
    QString shortForm;
};
const QList<StreetType> &streetTypes();

} // namespace quorvane::pools
