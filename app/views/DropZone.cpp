#include "app/views/DropZone.h"

#include "app/views/ViewText.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

DropZone::DropZone(const QString &title, const QString &detail, QWidget *parent)
    : QFrame(parent), m_choose(new QPushButton(u"Choose File…"_s, this))
{
    setAcceptDrops(true);
    setObjectName(u"dropZone"_s);
    setHighlighted(false);
    setMinimumHeight(160);
    auto *heading = headingLabel(title, this, 1.15);
    heading->setAlignment(Qt::AlignCenter);
    auto *body = bodyLabel(detail, this);
    body->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(heading);
    layout->addWidget(body);
    layout->addWidget(m_choose, 0, Qt::AlignCenter);
    layout->addStretch(1);
    connect(m_choose, &QPushButton::clicked, this, &DropZone::chooseClicked);
}

QString DropZone::fileIn(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}

void DropZone::setHighlighted(bool highlighted)
{
    setStyleSheet(u"QFrame#dropZone { border: 2px dashed palette(%1); border-radius: 10px; }"_s.arg(
        highlighted ? u"highlight"_s : u"mid"_s));
}

void DropZone::dragEnterEvent(QDragEnterEvent *event)
{
    if (fileIn(event->mimeData()).isEmpty())
        return;
    setHighlighted(true);
    event->acceptProposedAction();
}

void DropZone::dragLeaveEvent(QDragLeaveEvent *event)
{
    setHighlighted(false);
    QFrame::dragLeaveEvent(event);
}

void DropZone::dropEvent(QDropEvent *event)
{
    setHighlighted(false);
    const QString path = fileIn(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    Q_EMIT fileDropped(path);
}

} // namespace quorvane
