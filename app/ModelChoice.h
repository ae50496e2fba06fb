#pragma once

#include "ai/LocalModelSettings.h"
#include "kit/suggest/NameModel.h"

#include <QObject>

#include <functional>
#include <memory>

namespace quorvane {

// Which language model a second opinion asks: the local server the user set
// up in Preferences, else the on-device model where there is one. The
// settings live in the user's settings.
class ModelChoice : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static LocalModelSettings stored();
    static void store(const LocalModelSettings &settings);

    std::shared_ptr<const NameModel> model() const;
    // "on this computer", or the other machine the server runs on.
    QString place() const;
    // Whether the model answers; `done` runs later on `context`'s thread.
    void checkAvailability(QObject *context, std::function<void(bool)> done) const;

    void setSettings(const LocalModelSettings &settings);

Q_SIGNALS:
    void changed();
};

} // namespace quorvane
