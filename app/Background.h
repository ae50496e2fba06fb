#pragma once

#include "kit/Progress.h"

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>

#include <exception>
#include <functional>
#include <optional>

namespace quorvane {

// Runs work on the pool and hands its result, or the exception it threw, to
// done() on the thread of `context`. The owner of the pool waits for it before
// `context` goes away, so the pointer stays good.
template<class Result>
void inBackground(QThreadPool &pool, QObject *context, std::function<Result()> work,
                  std::function<void(std::optional<Result>, std::exception_ptr)> done)
{
    pool.start([context, work = std::move(work), done = std::move(done)] {
        std::optional<Result> result;
        std::exception_ptr error;
        try {
            result = work();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            context, [done, result = std::move(result), error] { done(result, error); }, Qt::QueuedConnection);
    });
}

// A report for work on the pool that hands every progress report to `shown`
// on the thread of `context`, under the same promise as inBackground.
ProgressReport progressOn(QObject *context, std::function<void(const Progress &)> shown);

// The sentence a failure carries, for showing under a title.
QString failureMessage(std::exception_ptr error);

} // namespace quorvane
