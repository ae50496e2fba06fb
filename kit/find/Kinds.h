#pragma once

#include "kit/CellRef.h"
#include "kit/keys/ValueKind.h"

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

// What a column holds, set by the user or guessed.
enum class ColumnKind { autoDetect, skip, fullName, firstName, lastName, email, phone, address };
const QList<ColumnKind> &allColumnKinds();
QString rawString(ColumnKind kind);          // "auto", "skip", "fullName", ...
std::optional<ColumnKind> columnKindFromRaw(const QString &raw);
QString title(ColumnKind kind);              // "Find automatically", ...

} // namespace quorvane
