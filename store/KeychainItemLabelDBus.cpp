#include "store/KeychainItemLabel.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace quorvane {

// Qt Keychain names every item after the service alone. The Secret Service's
// label is what the user's keyring manager lists, so it is set afterwards to
// tell the keys apart. A label that can't be set leaves the secret usable.
void labelKeychainItem(const QString &service, const QString &account, const QString &label,
                       std::chrono::milliseconds patience)
{
    using namespace Qt::StringLiterals;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString secrets = u"org.freedesktop.secrets"_s;
    qDBusRegisterMetaType<QMap<QString, QString>>();
    QDBusMessage search = QDBusMessage::createMethodCall(secrets, u"/org/freedesktop/secrets"_s,
                                                         u"org.freedesktop.Secret.Service"_s, u"SearchItems"_s);
    search << QVariant::fromValue(QMap<QString, QString>{{u"server"_s, service}, {u"user"_s, account}});
    const int timeout = int(patience.count());
    const QDBusMessage found = bus.call(search, QDBus::Block, timeout);
    if (found.type() != QDBusMessage::ReplyMessage || found.arguments().isEmpty())
        return;
    const auto unlocked = qdbus_cast<QList<QDBusObjectPath>>(found.arguments().constFirst());
    for (const QDBusObjectPath &item : unlocked) {
        QDBusMessage set = QDBusMessage::createMethodCall(secrets, item.path(), u"org.freedesktop.DBus.Properties"_s,
                                                          u"Set"_s);
        set << u"org.freedesktop.Secret.Item"_s << u"Label"_s << QVariant::fromValue(QDBusVariant(label));
        bus.call(set, QDBus::Block, timeout);
    }
}

} // namespace quorvane
