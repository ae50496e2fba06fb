#pragma once

#include <QObject>

namespace quorvane {

// The state behind the Swap tab: one file from choosing it to a saved copy
// with stand-ins.
class SwapSession : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Forgets the file and its results and goes back to the start.
    void startOver();

Q_SIGNALS:
    void changed();
};

} // namespace quorvane
