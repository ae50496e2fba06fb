#pragma once

#include "kit/TextRange.h"

#include <QList>
#include <QString>

namespace quorvane {

// Names in scripts without capital letters (Chinese, Japanese, Korean, Arabic,
// Devanagari, Thai, Hebrew), where case gives no hint: a known family name or
// given name, an honorific or a cue around it, or a short run of such
// characters standing alone in text of another script.
class ScriptNameFinder
{
public:
    static QList<TextRange> names(const QString &text);
};

} // namespace quorvane
