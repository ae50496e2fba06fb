#pragma once

#include "kit/keys/ProjectKey.h"

#include <QString>

#include <optional>

namespace quorvane {

// One candidate stand-in for a real value. Every number comes from the key's
// keyed digest of (seed, attempt, variant), so the same key and value give the
// same candidates everywhere; e-mail addresses also look up the stand-ins the
// key already gave their name parts.
QString candidate(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm,
                  const QString &seed, int attempt);

// The value in upper or lower case when the letters of `like` are all one case
// (and there are at least two of them); otherwise the value unchanged.
QString matchingCase(const QString &value, const QString &like);

// Lays the digits into the pattern's digit positions; nothing when the counts differ.
std::optional<QString> formatLike(const QString &digits, const QString &pattern);

} // namespace quorvane
