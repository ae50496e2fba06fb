#include "app/views/RestoreView.h"

#include "app/AppModel.h"
#include "app/Panels.h"
#include "app/views/BusyBar.h"
#include "app/views/DropZone.h"
#include "app/views/ViewText.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Long notes would push the other pairs out of sight; one line each is enough
// to show that the values come back.
QString shortened(const QString &text)
{
    constexpr qsizetype longest = 48;
    const QString oneLine = text.simplified();
    return (oneLine.size() > longest ? oneLine.left(longest - 1) % u"…"_s : oneLine).toHtmlEscaped();
}

QString sampleText(const QList<std::pair<QString, QString>> &sample)
{
    QStringList lines;
    for (const auto &[withStandIns, real] : sample)
        lines.append(shortened(withStandIns) % u"  →  "_s % shortened(real));
    return lines.join(u"<br>"_s);
}

} // namespace

RestoreView::RestoreView(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_fileState(new QStackedWidget(this))
    , m_drop(new DropZone(u"Drop a returned CSV or Excel file"_s,
                          u"The copy you sent out, or one that was edited since."_s, this))
    , m_fileName(headingLabel(QString(), this, 1.1))
    , m_count(bodyLabel(QString(), this))
    , m_sample(bodyLabel(QString(), this))
    , m_saved(bodyLabel(QString(), this))
    , m_chooseAnother(new QPushButton(u"Choose Another…"_s, this))
    , m_save(new QPushButton(u"Save Restored Copy…"_s, this))
    , m_pasted(new QPlainTextEdit(this))
    , m_restored(new QPlainTextEdit(this))
    , m_restoreText(new QPushButton(u"Restore Text"_s, this))
    , m_restoredCount(new QLabel(this))
    , m_privacy(bodyLabel(u"Keep the restored text private: it has the real values again."_s, this))
    , m_busy(new BusyBar(this))
{
    setAcceptDrops(true);
    m_sample->setTextFormat(Qt::RichText);
    m_sample->setWordWrap(false);
    m_sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_restored->setReadOnly(true);
    m_pasted->setPlaceholderText(u"With stand-ins"_s);
    m_restored->setPlaceholderText(u"With real values"_s);
    m_save->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fileBlock());
    layout->addWidget(m_busy);
    layout->addWidget(textBlock(), 1);

    RestoreSession &session = m_model.restore();
    connect(m_drop, &DropZone::chooseClicked, this, &RestoreView::chooseFile);
    connect(m_drop, &DropZone::fileDropped, &session, &RestoreSession::open);
    connect(m_chooseAnother, &QPushButton::clicked, &session, &RestoreSession::reset);
    connect(m_save, &QPushButton::clicked, &session, &RestoreSession::saveRestored);
    connect(m_pasted, &QPlainTextEdit::textChanged, &session, [this] { m_model.restore().setPasted(m_pasted->toPlainText()); });
    connect(m_restoreText, &QPushButton::clicked, &session, &RestoreSession::restorePasted);
    connect(&session, &RestoreSession::changed, this, &RestoreView::refresh);
    connect(&session, &RestoreSession::progressed, this,
            [this] { m_busy->setProgress(m_model.restore().progress(), Progress::Stage::restoring); });
    connect(&session, &RestoreSession::pastedTextWanted, this, [this] { m_pasted->setFocus(); });
    refresh();
}

QWidget *RestoreView::fileBlock()
{
    auto *block = new QWidget(this);
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(headingLabel(u"Restore a returned file"_s, block, 1.2));
    layout->addWidget(bodyLabel(u"Drop in the CSV or Excel file that came back, even if rows were sorted, added or "
                                u"edited. Quorvane finds this key’s stand-ins in every cell and writes a copy with the "
                                u"real values."_s,
                                block));
    m_fileState->addWidget(m_drop);
    m_fileState->addWidget(readyPanel());
    layout->addWidget(m_fileState);
    return block;
}

QWidget *RestoreView::readyPanel()
{
    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_saved, 1);
    buttons->addWidget(m_chooseAnother);
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(m_fileName);
    layout->addWidget(m_count);
    layout->addWidget(m_sample);
    layout->addLayout(buttons);
    return panel;
}

QWidget *RestoreView::textBlock()
{
    auto *block = new QWidget(this);
    auto *texts = new QGridLayout;
    texts->addWidget(new QLabel(u"Text with stand-ins"_s, block), 0, 0);
    texts->addWidget(new QLabel(u"Text with real values"_s, block), 0, 1);
    texts->addWidget(m_pasted, 1, 0);
    texts->addWidget(m_restored, 1, 1);
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_restoreText);
    actions->addWidget(m_restoredCount);
    actions->addWidget(m_privacy);
    actions->addStretch(1);
    auto *layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(headingLabel(u"Restore pasted text"_s, block, 1.2));
    layout->addWidget(bodyLabel(u"Paste an AI’s reply, an email or notes written with stand-ins. Names, emails, phone "
                                u"numbers and street addresses come back as the real values."_s,
                                block));
    layout->addLayout(texts, 1);
    layout->addLayout(actions);
    return block;
}

void RestoreView::chooseFile()
{
    if (const auto path = m_model.panels().chooseFileToOpen({}, RestoreSession::chooserMessage()))
        m_model.restore().open(*path);
}

void RestoreView::refresh()
{
    const RestoreSession &session = m_model.restore();
    m_busy->setWork(session.busy());
    m_busy->setProgress(session.progress(), Progress::Stage::restoring);
    const std::optional<RestoreSession::Ready> &ready = session.ready();
    m_fileState->setCurrentIndex(ready ? 1 : 0);
    if (ready) {
        m_fileName->setText(ready->fileName);
        m_count->setText(ready->count > 0 ? RestoreSession::countLine(ready->count) : RestoreSession::noneFound());
        m_sample->setText(sampleText(ready->sample));
        m_sample->setVisible(!ready->sample.isEmpty());
        m_saved->setText(session.savedAs() ? RestoreSession::savedLine(*session.savedAs()) : QString());
        m_save->setEnabled(!session.busy());
    }
    if (m_pasted->toPlainText() != session.pasted())
        m_pasted->setPlainText(session.pasted());
    if (m_restored->toPlainText() != session.restoredText())
        m_restored->setPlainText(session.restoredText());
    const std::optional<int> &count = session.restoredCount();
    m_restoredCount->setText(count ? RestoreSession::restoredLine(*count) : QString());
    m_privacy->setVisible(count.has_value());
}

void RestoreView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DropZone::fileIn(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void RestoreView::dropEvent(QDropEvent *event)
{
    const QString path = DropZone::fileIn(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    m_model.restore().open(path);
}

} // namespace quorvane
