#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

// How a copy of an input file is named and where it may not go.
namespace CopyName {

// The input's name without its extension and without an earlier
// " (stand-ins)" or " (restored)", then " (label)" and the extension:
// "people (restored).csv" with "stand-ins" gives "people (stand-ins).csv".
QString suggested(const QString &inputName, const QString &label);

// The input's extension, lower-cased as written ("csv", "xlsx"); "" without one.
QString extension(const QString &inputName);

// Why a copy may not be written at `target`: it is (or resolves to) one of
// the files that must stay as they are, the input or a key file, or it lies in
// the keys folder. Nothing when it may.
std::optional<QString> refusal(const QString &target, const QStringList &untouchable, const QString &keysFolder);

} // namespace CopyName
} // namespace quorvane
