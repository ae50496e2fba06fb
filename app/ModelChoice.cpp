#include "app/ModelChoice.h"

#include "ai/LocalServerNameModel.h"
#include "ai/NameModels.h"
#include "ai/OnDeviceNames.h"
#include "store/SecretStore.h"

#include <QSettings>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

const QString addressSetting = u"localModel/address"_s;
const QString modelSetting = u"localModel/model"_s;
const QString remoteSetting = u"localModel/allowRemote"_s;

} // namespace

LocalModelSettings ModelChoice::stored()
{
    const QSettings settings;
    return {settings.value(addressSetting).toString(), settings.value(modelSetting).toString(),
            settings.value(remoteSetting, false).toBool()};
}

void ModelChoice::store(const LocalModelSettings &local)
{
    QSettings settings;
    settings.setValue(addressSetting, local.address.trimmed());
    settings.setValue(modelSetting, local.model.trimmed());
    settings.setValue(remoteSetting, local.allowRemote);
}

void ModelChoice::setSettings(const LocalModelSettings &settings)
{
    store(settings);
    Q_EMIT changed();
}

std::shared_ptr<const NameModel> ModelChoice::model() const
{
    return chooseNameModel(stored());
}

QString ModelChoice::place() const
{
    const LocalModelSettings local = stored();
    const QString host = QUrl(local.address.trimmed()).host();
    if (local.isConfigured() && !host.isEmpty() && !isLoopbackHost(host))
        return u"on "_s % host;
    return u"on this "_s % SecretStore::machineName();
}

void ModelChoice::checkAvailability(QObject *context, std::function<void(bool)> done) const
{
    const LocalModelSettings local = stored();
    if (local.isConfigured()) {
        LocalServerNameModel::checkAvailability(local, context, std::move(done));
        return;
    }
    const bool onDevice = OnDeviceNames::isAvailable();
    QTimer::singleShot(0, context, [done = std::move(done), onDevice] { done(onDevice); });
}

} // namespace quorvane
