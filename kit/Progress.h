#pragma once

#include <QtGlobal>

#include <functional>

namespace quorvane {

// How far one stage of a long piece of work has come: `done` of `total`
// units (cells, for the stages here). Within a stage `done` only grows, and
// the last report of a stage that ran to its end has done == total.
struct Progress
{
    enum class Stage { reading, scanning, writing, restoring };
    Stage stage = Stage::reading;
    qint64 done = 0;
    qint64 total = 0;
    friend bool operator==(const Progress &, const Progress &) = default;
};

// Called on the thread that does the work, about a hundred times per stage
// at most; whoever shows it on another thread passes it on.
using ProgressReport = std::function<void(const Progress &)>;

} // namespace quorvane
