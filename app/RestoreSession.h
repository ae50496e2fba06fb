#pragma once

#include <QObject>

namespace quorvane {

// The state behind the Restore tab: a returned file or pasted text restored
// with the selected key.
class RestoreSession : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Forgets the returned file.
    void reset();

Q_SIGNALS:
    void changed();
};

} // namespace quorvane
