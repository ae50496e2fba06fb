#pragma once

#include <QString>

namespace quorvane::test {

// What the app tests seal their keys with: a cheap derivation (one test checks
// the real round count) and one passphrase.
constexpr int testRounds = 1000;
inline const QString passphrase = QStringLiteral("correct horse battery");

} // namespace quorvane::test
