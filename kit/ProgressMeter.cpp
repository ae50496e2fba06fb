#include "kit/ProgressMeter.h"

#include <algorithm>

namespace quorvane {

ProgressMeter::ProgressMeter(ProgressReport report, Progress::Stage stage, qint64 total)
    : m_report(std::move(report)), m_progress{stage, 0, std::max<qint64>(total, 0)}
{
    if (!m_report)
        return; // m_next stays out of reach: counting never reports
    m_step = std::max<qint64>(m_progress.total / 100, 1);
    m_next = m_step;
    m_report(m_progress);
}

void ProgressMeter::reportNow()
{
    // Counts past an estimated total wait for finish(), which alone reaches it.
    const qint64 done = std::min(m_done, m_progress.total - 1);
    m_next = m_done + m_step;
    if (m_finished || done <= m_progress.done)
        return;
    m_progress.done = done;
    m_report(m_progress);
}

void ProgressMeter::finish()
{
    if (m_finished || !m_report)
        return;
    m_finished = true;
    m_next = std::numeric_limits<qint64>::max();
    if (m_progress.done == m_progress.total)
        return; // an empty stage, reported complete when it began
    m_progress.done = m_progress.total;
    m_report(m_progress);
}

} // namespace quorvane
