#pragma once

#include <QString>

namespace quorvane {

// The first `count` user-perceived characters (grapheme clusters) of a text,
// so that a cut never splits an accent from its letter or an emoji in two.
QString firstCharacters(const QString &text, qsizetype count);

// The letters of a word, counted by code point so that a letter written as a
// surrogate pair counts once.
qsizetype letterCount(QStringView word);

} // namespace quorvane
