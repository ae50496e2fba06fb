#pragma once

#include <QString>

namespace quorvane {

// The first `count` user-perceived characters (grapheme clusters) of a text,
// so that a cut never splits an accent from its letter or an emoji in two.
QString firstCharacters(const QString &text, qsizetype count);

} // namespace quorvane
