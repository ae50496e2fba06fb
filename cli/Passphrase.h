#pragma once

#include "cli/Command.h"

#include <QString>

namespace quorvane::cli {

// The passphrase for a command: the first line of --passphrase-file, else the
// QUORVANE_PASSPHRASE environment variable, else typed at a terminal without
// echo. `confirm` asks twice at a terminal (for a new passphrase).
// Throws quorvane::Failure when none can be had.
QString obtainPassphrase(const Invocation &invocation, const QString &prompt, bool confirm = false);

} // namespace quorvane::cli
