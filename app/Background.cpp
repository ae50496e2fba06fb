#include "app/Background.h"

#include "kit/Failure.h"

using namespace Qt::StringLiterals;

namespace quorvane {

ProgressReport progressOn(QObject *context, std::function<void(const Progress &)> shown)
{
    return [context, shown = std::move(shown)](const Progress &progress) {
        QMetaObject::invokeMethod(context, [shown, progress] { shown(progress); }, Qt::QueuedConnection);
    };
}

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
