#pragma once

#include "kit/TextRange.h"

#include <QStringView>

#include <vector>

namespace quorvane {

// The name words of an all-ASCII text, exactly as nameWordRanges finds them,
// written into a buffer the caller keeps from text to text: every cell of a
// file being restored is split into words, and most hold no stand-in at all.
void asciiNameWordRanges(QStringView text, std::vector<TextRange> &words);

} // namespace quorvane
