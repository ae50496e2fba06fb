#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace quorvane {

class AppModel;
class BusyBar;
class DropZone;

// The Restore tab: a returned file, restored and saved as a copy, and pasted
// text restored in place.
class RestoreView : public QWidget
{
    Q_OBJECT

public:
    explicit RestoreView(AppModel &model, QWidget *parent = nullptr);

    DropZone *dropZone() const { return m_drop; }
    QLabel *fileName() const { return m_fileName; }
    QLabel *countLine() const { return m_count; }
    QLabel *sample() const { return m_sample; }
    QLabel *savedLine() const { return m_saved; }
    QPushButton *chooseAnotherButton() const { return m_chooseAnother; }
    QPushButton *saveButton() const { return m_save; }
    QPlainTextEdit *pasted() const { return m_pasted; }
    QPlainTextEdit *restored() const { return m_restored; }
    QPushButton *restoreTextButton() const { return m_restoreText; }
    QLabel *restoredCount() const { return m_restoredCount; }
    BusyBar *busyBar() const { return m_busy; }

    void chooseFile();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QWidget *fileBlock();
    QWidget *readyPanel();
    QWidget *textBlock();
    void refresh();

    AppModel &m_model;
    QStackedWidget *m_fileState;
    DropZone *m_drop;
    QLabel *m_fileName;
    QLabel *m_count;
    QLabel *m_sample;
    QLabel *m_saved;
    QPushButton *m_chooseAnother;
    QPushButton *m_save;
    QPlainTextEdit *m_pasted;
    QPlainTextEdit *m_restored;
    QPushButton *m_restoreText;
    QLabel *m_restoredCount;
    QLabel *m_privacy;
    BusyBar *m_busy;
};

} // namespace quorvane
