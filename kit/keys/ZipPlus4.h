#pragma once

#include "kit/keys/ProjectKey.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace quorvane {

// The key files a ZIP code under its five digits, so one entry, with one
// stored spelling, serves "97201", "97201-1234" and "97201-5678". A copy
// therefore writes each real +4 part as an offset from the entry's, and a
// restore undoes the offset: every spelling comes back as it was.
namespace zipPlus4 {

// The four digits after "-" of a ZIP+4 code ("02139-4307": 4307), or nothing.
std::optional<int> of(QStringView zip);

// What a copy shows for the real ZIP code `real`, filed under the entry
// (storedReal, standIn) of `key`.
QString written(QStringView real, QStringView storedReal, QStringView standIn, const ProjectKey &key);

// The real ZIP code for `found`, a stand-in's five digits with or without a
// +4 part, by the entry filed under those five digits. `standInPlus4` is the
// entry's stand-in's +4 part, if it has one.
QString restored(QStringView found, QStringView storedReal, std::optional<int> standInPlus4, const ProjectKey &key);

} // namespace zipPlus4
} // namespace quorvane
