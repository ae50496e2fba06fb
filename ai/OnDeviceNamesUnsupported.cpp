// The on-device model backend for systems without a bridge to the
// platform's model framework: there is no model to ask.
#include "ai/OnDeviceNames.h"

using namespace Qt::StringLiterals;

namespace quorvane::OnDeviceNames {

bool isAvailable()
{
    return false;
}

void prewarm() {}

NameModel::Result names(const NameRequest &, std::stop_token)
{
    return NameModelFailure{NameModelFailure::Kind::unavailable, u"no on-device language model on this system"_s};
}

} // namespace quorvane::OnDeviceNames
