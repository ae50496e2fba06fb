#include "kit/find/Kinds.h"

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

struct ColumnKindInfo
{
    ColumnKind kind;
    QString raw;
    QString title;
};

const QList<ColumnKindInfo> &columnKindInfo()
{
    static const QList<ColumnKindInfo> info{
        {ColumnKind::autoDetect, u"auto"_s, u"Find automatically"_s},
        {ColumnKind::skip, u"skip"_s, u"Leave as is"_s},
        {ColumnKind::fullName, u"fullName"_s, u"Full names"_s},
        {ColumnKind::firstName, u"firstName"_s, u"First names"_s},
        {ColumnKind::lastName, u"lastName"_s, u"Last names"_s},
        {ColumnKind::email, u"email"_s, u"Emails"_s},
        {ColumnKind::phone, u"phone"_s, u"Phone numbers"_s},
        {ColumnKind::address, u"address"_s, u"Addresses"_s},
    };
    return info;
}

} // namespace

const QList<ColumnKind> &allColumnKinds()
{
    static const QList<ColumnKind> kinds = [] {
        QList<ColumnKind> list;
        for (const auto &info : columnKindInfo())
            list.append(info.kind);
        return list;
    }();
    return kinds;
}

QString rawString(ColumnKind kind)
{
    return columnKindInfo().at(static_cast<int>(kind)).raw;
}

std::optional<ColumnKind> columnKindFromRaw(const QString &raw)
{
    for (const auto &info : columnKindInfo())
        if (info.raw == raw)
            return info.kind;
    return std::nullopt;
}

QString title(ColumnKind kind)
{
    return columnKindInfo().at(static_cast<int>(kind)).title;
}

} // namespace quorvane
