#include "kit/keys/ValueKind.h"

#include "kit/RawStrings.h"

using namespace Qt::StringLiterals;

namespace quorvane {

const QList<ValueKind> &allValueKinds()
{
    static const QList<ValueKind> kinds{ValueKind::name, ValueKind::email, ValueKind::phone, ValueKind::address};
    return kinds;
}

QString rawString(ValueKind kind)
{
    switch (kind) {
    case ValueKind::name: return u"name"_s;
    case ValueKind::email: return u"email"_s;
    case ValueKind::phone: return u"phone"_s;
    case ValueKind::address: return u"address"_s;
    }
    return {};
}

std::optional<ValueKind> valueKindFromRaw(const QString &raw)
{
    return fromRawString(raw, allValueKinds());
}

} // namespace quorvane
