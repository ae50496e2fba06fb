#include "app/views/SwapView.h"

#include "app/AppModel.h"
#include "app/Panels.h"
#include "app/SwapTexts.h"
#include "app/views/BusyBar.h"
#include "app/views/DropZone.h"
#include "app/views/SwapColumnsPage.h"
#include "app/views/SwapDonePage.h"
#include "app/views/SwapReviewPage.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

SwapView::SwapView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_pages(new QStackedWidget(this))
    , m_start(new DropZone(u"Drop a CSV or Excel file"_s,
                           u"Quorvane finds names, emails, phone numbers and addresses, and you review every value "
                           u"before anything is written. Your file isn’t changed."_s,
                           this))
    , m_columns(new SwapColumnsPage(model.swap(), this))
    , m_review(new SwapReviewPage(model.swap(), this))
    , m_done(new SwapDonePage(model, this))
    , m_busy(new BusyBar(this))
{
    setAcceptDrops(true);
    auto *start = new QWidget(this);
    auto *startLayout = new QVBoxLayout(start);
    startLayout->addStretch(1);
    startLayout->addWidget(m_start);
    startLayout->addStretch(2);
    for (QWidget *page : {start, static_cast<QWidget *>(m_columns), static_cast<QWidget *>(m_review),
                          static_cast<QWidget *>(m_done)})
        m_pages->addWidget(page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_busy);
    connect(m_start, &DropZone::chooseClicked, this, &SwapView::chooseFile);
    connect(m_start, &DropZone::fileDropped, &m_model.swap(), &SwapSession::open);
    connect(&m_model.swap(), &SwapSession::changed, this, &SwapView::refresh);
    connect(&m_model.swap(), &SwapSession::progressed, this,
            [this] { m_busy->setProgress(m_model.swap().progress(), Progress::Stage::writing); });
    refresh();
}

QWidget *SwapView::currentPage() const
{
    return m_pages->currentWidget();
}

void SwapView::chooseFile()
{
    if (const auto path = m_model.panels().chooseFileToOpen({}, SwapTexts::chooserMessage()))
        m_model.swap().open(*path);
}

void SwapView::refresh()
{
    const SwapSession &session = m_model.swap();
    m_busy->setWork(session.busy());
    m_busy->setProgress(session.progress(), Progress::Stage::writing);
    m_pages->setCurrentIndex(int(session.step()));
    switch (session.step()) {
    case SwapSession::Step::start:
        break;
    case SwapSession::Step::columns:
        m_columns->refresh();
        break;
    case SwapSession::Step::review:
        m_review->refresh();
        break;
    case SwapSession::Step::done:
        m_done->refresh();
        break;
    }
}

void SwapView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DropZone::fileIn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void SwapView::dropEvent(QDropEvent *event)
{
    const QString path = DropZone::fileIn(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_model.swap().open(path);
}

} // namespace quorvane
