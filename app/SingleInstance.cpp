#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr int patienceMs = 1000;

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent) : QObject(parent), m_name(name)
{
}

bool SingleInstance::claim()
{
    QLocalSocket first;
    first.connectToServer(m_name);
    if (first.waitForConnected(patienceMs)) {
        first.write("raise");
        first.waitForBytesWritten(patienceMs);
        return false;
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A server left behind by a crashed run would keep the name taken.
    if (!m_server->listen(m_name)) {
        QLocalServer::removeServer(m_name);
        m_server->listen(m_name);
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *other = m_server->nextPendingConnection()) {
            connect(other, &QLocalSocket::disconnected, other, &QObject::deleteLater);
            Q_EMIT anotherLaunch();
        }
    });
    return true;
}

} // namespace quorvane
