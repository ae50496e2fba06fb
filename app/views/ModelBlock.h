#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorvane {

class SwapSession;

// The language model's second opinion: what it could read, the button that
// asks it, its progress with "Stop", and what it did.
class ModelBlock : public QWidget
{
    Q_OBJECT

public:
    explicit ModelBlock(SwapSession &session, QWidget *parent = nullptr);

    void refresh();

    QLabel *text() const { return m_text; }
    QPushButton *askButton() const { return m_ask; }
    QPushButton *stopButton() const { return m_stop; }
    QLabel *finished() const { return m_finished; }

private:
    SwapSession &m_session;
    QLabel *m_text;
    QPushButton *m_ask;
    QProgressBar *m_progress;
    QPushButton *m_stop;
    QLabel *m_finished;
};

} // namespace quorvane
