#pragma once

#include "cli/Command.h"
#include "kit/keys/KeyFile.h"

#include <QString>

namespace quorvane::cli {

// The passphrase for a command: the first line of --passphrase-file, else the
// QUORVANE_PASSPHRASE environment variable, else typed at a terminal without
// echo. `confirm` asks twice at a terminal (for a new passphrase).
// Throws quorvane::Failure when none can be had.
QString obtainPassphrase(const Invocation &invocation, const QString &prompt, bool confirm = false);

// The key sealed under a new passphrase, asked for (and confirmed) with
// `prompt`. Throws quorvane::Failure when the passphrase is refused.
KeyFile sealWithNewPassphrase(const Invocation &invocation, const ProjectKey &key, const QString &prompt);

} // namespace quorvane::cli
