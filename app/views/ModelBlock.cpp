#include "app/views/ModelBlock.h"

#include "app/SwapSession.h"
#include "app/SwapTexts.h"
#include "app/views/ViewText.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

ModelBlock::ModelBlock(SwapSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_text(bodyLabel(QString(), this))
    , m_ask(new QPushButton(this))
    , m_progress(new QProgressBar(this))
    , m_stop(new QPushButton(u"Stop"_s, this))
    , m_finished(bodyLabel(QString(), this))
{
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_ask);
    actions->addWidget(m_progress, 1);
    actions->addWidget(m_stop);
    actions->addStretch(0);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    layout->addLayout(actions);
    layout->addWidget(m_finished);
    connect(m_ask, &QPushButton::clicked, &m_session, &SwapSession::askModel);
    connect(m_stop, &QPushButton::clicked, &m_session, &SwapSession::stopModel);
}

void ModelBlock::refresh()
{
    setVisible(m_session.modelAvailable());
    if (!m_session.modelAvailable())
        return;
    const QString model = m_session.modelLabel();
    const SwapSession::ModelState &state = m_session.modelState();
    const bool asking = state.kind == SwapSession::ModelState::Kind::asking;
    const qsizetype queued = m_session.modelQueue().pairs.size();
    m_text->setText(queued == 0 && !asking
                        ? SwapTexts::nothingForModel(model)
                        : SwapTexts::modelCanRead(model, queued, SecondOpinion::estimateSeconds(queued),
                                                  m_session.modelPlace()));
    m_ask->setText(SwapTexts::askModelButton(model));
    m_ask->setVisible(!asking && queued > 0);
    m_progress->setVisible(asking);
    m_stop->setVisible(asking);
    if (asking) {
        m_progress->setRange(0, std::max(state.total, 1));
        m_progress->setValue(state.done);
        m_progress->setFormat(SwapTexts::modelProgress(state.done, state.total));
        m_progress->setTextVisible(true);
    }
    const bool finished = state.kind == SwapSession::ModelState::Kind::finished;
    m_finished->setVisible(finished);
    if (finished)
        m_finished->setText(SwapTexts::modelFinished(model, state.asked, state.failed, state.skipped));
}

} // namespace quorvane
