#include "app/Background.h"

#include "kit/Failure.h"

using namespace Qt::StringLiterals;

namespace quorvane {

QString failureMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Failure &failure) {
        return failure.message();
    } catch (const std::exception &other) {
        return QString::fromUtf8(other.what());
    } catch (...) {
    }
    return u"Something went wrong."_s;
}

} // namespace quorvane
