#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

// The value among `all` whose rawString() is `raw`: how an enumeration is
// read back from the words it is stored and typed as. Nothing for any other
// text, case included.
template <typename Value>
std::optional<Value> fromRawString(const QString &raw, const QList<Value> &all)
{
    for (const Value value : all) {
        if (rawString(value) == raw)
            return value;
    }
    return std::nullopt;
}

} // namespace quorvane
