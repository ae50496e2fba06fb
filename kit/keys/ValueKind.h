#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace quorvane {

// The kind of a found value, in declaration order. The key knows which kind
// each of its entries serves, so this vocabulary lives with the keys. A byte:
// a large file's review items hold one each.
enum class ValueKind : uint8_t { name, email, phone, address };
const QList<ValueKind> &allValueKinds();
QString rawString(ValueKind kind);
std::optional<ValueKind> valueKindFromRaw(const QString &raw);

} // namespace quorvane
