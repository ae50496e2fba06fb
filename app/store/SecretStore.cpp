#include "app/store/SecretStore.h"

using namespace Qt::StringLiterals;

namespace quorvane {

SecretStore::Failure::Failure(int code)
    : quorvane::Failure(u"The key couldn’t be saved in the "_s % displayName() % u" (error "_s
                        % QString::number(code) % u")."_s)
    , m_code(code)
{
}

QString SecretStore::displayName()
{
#if defined(Q_OS_MACOS) || defined(Q_OS_IOS)
    return u"Keychain"_s;
#elif defined(Q_OS_WIN)
    return u"Credential Manager"_s;
#else
    return u"keyring"_s;
#endif
}

QString SecretStore::machineName()
{
#if defined(Q_OS_MACOS)
    return u"Mac"_s;
#else
    return u"computer"_s;
#endif
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
