#include "app/views/PlatformWords.h"

#include "store/SecretStore.h"

namespace quorvane {

QString PlatformWords::storeLabel()
{
    QString label = SecretStore::displayName();
    if (!label.isEmpty())
        label[0] = label[0].toUpper();
    return label;
}

QString PlatformWords::store()
{
    return SecretStore::displayName();
}

QString PlatformWords::panelArea()
{
#ifdef Q_OS_MACOS
    return QStringLiteral("menu bar");
#else
    return QStringLiteral("system tray");
#endif
}

QString PlatformWords::machine()
{
    return SecretStore::machineName();
}

} // namespace quorvane
