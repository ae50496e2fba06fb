#pragma once

#include <QFrame>

class QMimeData;
class QPushButton;

namespace quorvane {

// A framed area that takes a dropped file, with a "Choose File…" button.
class DropZone : public QFrame
{
    Q_OBJECT

public:
    DropZone(const QString &title, const QString &detail, QWidget *parent = nullptr);

    QPushButton *chooseButton() const { return m_choose; }

    // The one local file a drag carries, or "" when it carries anything else.
    static QString fileIn(const QMimeData *data);

Q_SIGNALS:
    void fileDropped(const QString &path);
    void chooseClicked();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setHighlighted(bool highlighted);

    QPushButton *m_choose;
};

} // namespace quorvane
