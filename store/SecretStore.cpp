#include "store/SecretStore.h"

using namespace Qt::StringLiterals;

namespace quorvane {

SecretStore::Failure::Failure(int code)
    : quorvane::Failure(u"The key couldn’t be saved in the "_s % displayName() % u" (error "_s
                        % QString::number(code) % u")."_s)
    , m_code(code)
{
}

QString SecretStore::label(const QString &name)
{
    return u"Quorvane key: "_s % name;
}

QString SecretStore::idText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace quorvane
