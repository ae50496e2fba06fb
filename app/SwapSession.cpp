#include "app/SwapSession.h"

namespace quorvane {

void SwapSession::startOver()
{
    Q_EMIT changed();
}

} // namespace quorvane
