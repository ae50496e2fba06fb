#pragma once

#include <QByteArray>
#include <QString>

namespace quorvane {

// Writes bytes to path through a temporary file that then replaces the
// target, so readers see the old file or the new one, never half of one.
// The folder must exist: a mistyped place is refused rather than made. Throws
// Failure with a sentence naming the file and the system's reason.
void writeAtomically(const QString &path, const QByteArray &bytes);

} // namespace quorvane
