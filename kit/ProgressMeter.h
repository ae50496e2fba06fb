#pragma once

#include "kit/Progress.h"

#include <limits>

namespace quorvane {

// Counts the units of one stage and passes a report on only when about a
// hundredth more is done, so that counting every cell costs an addition and
// a comparison, and a caller may redraw on every report it gets.
class ProgressMeter
{
public:
    // Reports the stage at 0 at once.
    ProgressMeter(ProgressReport report, Progress::Stage stage, qint64 total);

    void advance(qint64 units = 1)
    {
        m_done += units;
        if (m_done >= m_next) [[unlikely]]
            reportNow();
    }
    // Moves straight to `done`; a smaller count than before is ignored.
    void advanceTo(qint64 done)
    {
        if (done > m_done)
            advance(done - m_done);
    }
    // Reports done == total, once, however much was counted.
    void finish();

private:
    void reportNow();

    ProgressReport m_report;
    Progress m_progress;
    qint64 m_done = 0;
    qint64 m_step = 1;
    qint64 m_next = std::numeric_limits<qint64>::max();
    bool m_finished = false;
};

} // namespace quorvane
