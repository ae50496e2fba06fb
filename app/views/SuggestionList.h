#pragma once

#include "kit/suggest/NameSuggestion.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace quorvane {

class SwapSession;

// The names the rules may have missed, each with "Add" and "Not a Name".
class SuggestionList : public QWidget
{
    Q_OBJECT

public:
    explicit SuggestionList(SwapSession &session, QWidget *parent = nullptr);

    void refresh();

private:
    QWidget *row(const NameSuggestion &suggestion);

    SwapSession &m_session;
    QLabel *m_title;
    QWidget *m_rows;
    QVBoxLayout *m_rowsLayout;
    QLabel *m_footnote;
    QList<NameSuggestion> m_shown;
};

} // namespace quorvane
