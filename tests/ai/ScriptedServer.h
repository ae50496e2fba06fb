#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <functional>

// A small HTTP/1.1 server on 127.0.0.1 that answers from a script, on a
// thread of its own so that the client under test may block its caller.
class ScriptedServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray body;
        QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    };
    struct Reply
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
    };
    // Called on the server's thread with the request and its 0-based index.
    using Script = std::function<Reply(const Request &, int index)>;

    explicit ScriptedServer(Script script) : m_script(std::move(script))
    {
        m_home->moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(m_home, [this] {
            m_server = new QTcpServer(m_home);
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
            QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] { accept(); });
        }, Qt::BlockingQueuedConnection);
    }
    ~ScriptedServer()
    {
        QMetaObject::invokeMethod(m_home, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
        delete m_home;
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:") + QString::number(m_port); }
    QList<Request> requests() const
    {
        const QMutexLocker lock(&m_mutex);
        return m_requests;
    }

    // A chat-completions reply whose message content is `content`.
    static Reply completion(const QString &content)
    {
        const QJsonObject message{{QStringLiteral("role"), QStringLiteral("assistant")}, {QStringLiteral("content"), content}};
        return {200, R"({"object":"chat.completion","choices":[{"index":0,"finish_reason":"stop","message":)"
                         + QJsonDocument(message).toJson(QJsonDocument::Compact) + "}]}", 0};
    }
    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort(); // closed again when the probe goes
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server->nextPendingConnection())
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { read(socket); });
    }

    // The request is kept on the socket until its body is complete.
    void read(QTcpSocket *socket)
    {
        const QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        socket->setProperty("buffer", buffer);
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        qsizetype length = 0;
        for (const QByteArray &line : lines)
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        if (buffer.size() < headerEnd + 4 + length)
            return;

        const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
        const Request request{requestLine.value(0), requestLine.value(1), buffer.mid(headerEnd + 4, length)};
        int index = 0;
        {
            const QMutexLocker lock(&m_mutex);
            index = static_cast<int>(m_requests.size());
            m_requests.append(request);
        }
        const Reply reply = m_script(request, index);
        QTimer::singleShot(reply.delayMs, socket, [socket, reply] {
            socket->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\nContent-Type: application/json\r\n"
                          "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n"
                          + reply.body);
            socket->disconnectFromHost();
        });
    }

    Script m_script;
    QThread m_thread;
    QObject *m_home = new QObject; // lives on m_thread
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0; // read on the test's thread
    mutable QMutex m_mutex;
    QList<Request> m_requests;
};
