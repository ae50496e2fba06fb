#pragma once

#include "ai/LocalModelSettings.h"
#include "kit/suggest/NameModel.h"

#include <memory>

namespace quorvane {

// The model a second opinion asks: the local server when one is set up, else
// the on-device model where there is one, else a model that is never
// available.
std::unique_ptr<NameModel> chooseNameModel(const LocalModelSettings &settings);

} // namespace quorvane
