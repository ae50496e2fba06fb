#pragma once

#include "kit/find/Kinds.h"

#include <QStringList>

#include <optional>

namespace quorvane {

class Detector;

// Nothing when the header says nothing about the column.
std::optional<ColumnKind> guessFromHeader(const QString &header);
// From the texts of a column's data cells; uses the detector's phone pass.
ColumnKind guessFromContents(const QStringList &cells, Detector &detector);
bool isNonPersonHeader(const QString &header);

} // namespace quorvane
