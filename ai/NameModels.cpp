#include "ai/NameModels.h"

#include "ai/LocalServerNameModel.h"
#include "ai/OnDeviceNames.h"
#include "ai/UnavailableNameModel.h"

namespace quorvane {

std::unique_ptr<NameModel> chooseNameModel(const LocalModelSettings &settings)
{
    if (settings.isConfigured())
        return std::make_unique<LocalServerNameModel>(settings);
    if (OnDeviceNames::isAvailable())
        return std::make_unique<AppleNameModel>();
    return std::make_unique<UnavailableNameModel>();
}

} // namespace quorvane
