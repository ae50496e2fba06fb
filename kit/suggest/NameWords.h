#pragma once

#include "kit/TextRange.h"

#include <QSet>
#include <QString>

namespace quorvane::NameWords {

// Lower-case words never taken as a name on their own.
const QSet<QString> &stopWords();
// Lower-case words that often stand just before a name in notes ("with", "per").
const QSet<QString> &leadWords();
// In the stop words, or in the detector's titles or words that are never names.
bool isNonName(const QString &lowerCaseWord);

// Upper-cases the first letter of each word and lower-cases the rest; an
// apostrophe does not end a word. A letter whose other case has a different
// UTF-16 length is left alone, so offsets stay valid.
QString titleCased(const QString &text);

// The span without the non-name words at its edges; an empty range when no
// word is left.
TextRange trimmed(const QString &text, TextRange span);

} // namespace quorvane::NameWords
