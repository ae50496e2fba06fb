#include "cli/ProgressLine.h"

#include "cli/Terminal.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

QString stageWord(Progress::Stage stage)
{
    switch (stage) {
    case Progress::Stage::reading: return u"Reading"_s;
    case Progress::Stage::scanning: return u"Scanning"_s;
    case Progress::Stage::writing: return u"Writing"_s;
    case Progress::Stage::restoring: return u"Restoring"_s;
    }
    return {};
}

} // namespace

ProgressLine::ProgressLine(QTextStream &err) : m_err(err), m_shown(errorIsTerminal()) {}

ProgressLine::~ProgressLine()
{
    clear();
}

QString ProgressLine::text(const Progress &progress)
{
    QString line = stageWord(progress.stage) + u'…';
    if (progress.total > 0)
        line += u' ' + QString::number(progress.done * 100 / progress.total) + u'%';
    return line;
}

void ProgressLine::show(Progress::Stage stage)
{
    draw(stageWord(stage) + u'…');
}

ProgressReport ProgressLine::report()
{
    if (!m_shown)
        return {};
    return [this](const Progress &progress) { draw(text(progress)); };
}

void ProgressLine::draw(const QString &text)
{
    if (!m_shown || text == m_drawn)
        return;
    // Spaces cover what a longer line before left behind; no terminal codes needed.
    const qsizetype longer = std::max<qsizetype>(m_drawn.size() - text.size(), 0);
    m_err << '\r' << text << QString(longer, u' ');
    m_err.flush();
    m_drawn = text;
}

void ProgressLine::clear()
{
    if (m_drawn.isEmpty())
        return;
    m_err << '\r' << QString(m_drawn.size(), u' ') << '\r';
    m_err.flush();
    m_drawn.clear();
}

} // namespace quorvane::cli
