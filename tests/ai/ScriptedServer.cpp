#include "ScriptedServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

using namespace Qt::StringLiterals;

ScriptedServer::ScriptedServer(Script script) : m_script(std::move(script))
{
    m_home = new QObject;
    m_home->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(m_home, [this] {
        m_server = new QTcpServer(m_home);
        m_server->listen(QHostAddress::LocalHost, 0);
        m_port = m_server->serverPort();
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] { accept(); });
    }, Qt::BlockingQueuedConnection);
}

ScriptedServer::~ScriptedServer()
{
    QMetaObject::invokeMethod(m_home, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_home;
}

QString ScriptedServer::address() const
{
    return u"http://127.0.0.1:"_s + QString::number(m_port);
}

QList<ScriptedServer::Request> ScriptedServer::requests() const
{
    const QMutexLocker lock(&m_mutex);
    return m_requests;
}

QJsonObject ScriptedServer::Request::json() const
{
    return QJsonDocument::fromJson(body).object();
}

ScriptedServer::Reply ScriptedServer::completion(const QString &content)
{
    const QJsonObject message{{u"role"_s, u"assistant"_s}, {u"content"_s, content}};
    const QJsonObject choice{{u"index"_s, 0}, {u"message"_s, message}, {u"finish_reason"_s, u"stop"_s}};
    const QJsonObject reply{{u"object"_s, u"chat.completion"_s}, {u"choices"_s, QJsonArray{choice}}};
    return {200, QJsonDocument(reply).toJson(QJsonDocument::Compact), 0};
}

quint16 ScriptedServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void ScriptedServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection())
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
}

void ScriptedServer::read(QTcpSocket *socket)
{
    // The whole request is kept on the socket until its body is complete.
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    qsizetype length = 0;
    for (const QByteArray &line : lines) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < headerEnd + 4 + length)
        return;

    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    Request request{requestLine.value(0), requestLine.value(1), buffer.mid(headerEnd + 4, length)};
    int index = 0;
    {
        const QMutexLocker lock(&m_mutex);
        index = static_cast<int>(m_requests.size());
        m_requests.append(request);
    }
    const Reply reply = m_script(request, index);
    QTimer::singleShot(reply.delayMs, socket, [socket, reply] {
        socket->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n"
                      "Content-Type: application/json\r\n"
                      "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n"
                      "Connection: close\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
    });
}
