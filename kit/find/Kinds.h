#pragma once

#include "kit/CellRef.h"

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

// The kind of a found value, in declaration order.
enum class ValueKind { name, email, phone, address };
const QList<ValueKind> &allValueKinds();
QString rawString(ValueKind kind);
std::optional<ValueKind> valueKindFromRaw(const QString &raw);

// What a column holds, set by the user or guessed.
enum class ColumnKind { autoDetect, skip, fullName, firstName, lastName, email, phone, address };
const QList<ColumnKind> &allColumnKinds();
QString rawString(ColumnKind kind);          // "auto", "skip", "fullName", ...
std::optional<ColumnKind> columnKindFromRaw(const QString &raw);
QString title(ColumnKind kind);              // "Find automatically", ...

} // namespace quorvane
