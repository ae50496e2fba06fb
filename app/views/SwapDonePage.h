#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace quorvane {

class AppModel;
class SwapSession;

// The done step: what was saved, the before and after preview, and the
// Markdown copy for an AI chat.
class SwapDonePage : public QWidget
{
    Q_OBJECT

public:
    explicit SwapDonePage(AppModel &model, QWidget *parent = nullptr);

    void refresh();

    QLabel *savedLine() const { return m_saved; }
    QLabel *warning() const { return m_warning; }
    QToolButton *copyButton() const { return m_copy; }
    QMenu *copyMenu() const { return m_menu; }
    QLabel *copiedLine() const { return m_copied; }
    QPushButton *restoreReplyButton() const { return m_restoreReply; }
    QPushButton *swapAnotherButton() const { return m_swapAnother; }
    QPushButton *restoreFileButton() const { return m_restoreFile; }
    QTableWidget *before() const { return m_before; }
    QTableWidget *after() const { return m_after; }

private:
    void fillMenu();
    void copySomeRows();

    AppModel &m_model;
    SwapSession &m_session;
    QLabel *m_saved;
    QLabel *m_warning;
    QTableWidget *m_before;
    QTableWidget *m_after;
    QPushButton *m_swapAnother;
    QPushButton *m_restoreFile;
    QToolButton *m_copy;
    QMenu *m_menu;
    QLabel *m_copied;
    QLabel *m_hint;
    QPushButton *m_restoreReply;
};

} // namespace quorvane
