#include "app/RestoreSession.h"

namespace quorvane {

void RestoreSession::reset()
{
    Q_EMIT changed();
}

} // namespace quorvane
