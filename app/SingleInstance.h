#pragma once

#include <QObject>

class QLocalServer;

namespace quorvane {

// One running application per user: a later launch tells the first one to
// come forward, then ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &name, QObject *parent = nullptr);

    // True when this process is the first; otherwise the first has been told.
    bool claim();

Q_SIGNALS:
    void anotherLaunch();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace quorvane
