#pragma once

#include "kit/keys/ProjectKey.h"

#include <QByteArrayView>
#include <QStringView>

namespace quorvane {

// The index keys of a key file's entries written straight from their ASCII
// bytes in the JSON, one byte a character, exactly as ProjectKey writes them
// from text: a large key has hundreds of thousands of entries, and making
// texts of them first costs more than the rest of reading it. Each writes at
// most roomFor(value) bytes and answers how many, or -1 for a value
// ProjectKey's general rule must take (a tab, a doubled or an outer space, a
// street's full stop).
class PlainKeyBytes
{
public:
    static qsizetype roomFor(QByteArrayView value) { return roomFor(value.size()); }
    static qsizetype roomFor(qsizetype length) { return longestPrefix + length; }
    // As ProjectKey::writeStandInKey: "word|cedarhaven", "phone|4815550137x2261".
    static qsizetype writeStandInKey(char *out, EntryKind kind, QByteArrayView standIn);
    // As ProjectKey::writeSubstituteKey, from text: a restore looks up a key
    // for every e-mail address and street line of a file. Phones are left
    // to it.
    static qsizetype writeSubstituteKey(char *out, EntryKind kind, QStringView text);
    // As ProjectKey::realKey: "firstName|mateo".
    static qsizetype writeRealKey(char *out, EntryKind kind, QByteArrayView real);

private:
    static constexpr qsizetype longestPrefix = 16;
};

} // namespace quorvane
