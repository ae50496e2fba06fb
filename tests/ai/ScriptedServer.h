#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include <functional>

class QTcpServer;
class QTcpSocket;

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
        QJsonObject json() const;
    };
    struct Reply
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;
    };
    // Called on the server's thread with the request and its 0-based index.
    using Script = std::function<Reply(const Request &, int index)>;

    explicit ScriptedServer(Script script);
    ~ScriptedServer();

    QString address() const;
    QList<Request> requests() const;

    // A chat-completions reply whose message content is `content`.
    static Reply completion(const QString &content);
    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void accept();
    void read(QTcpSocket *socket);

    Script m_script;
    QThread m_thread;
    QObject *m_home = nullptr; // lives on m_thread
    QTcpServer *m_server = nullptr;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QList<Request> m_requests;
};
