#pragma once

#include "app/AppModel.h"

#include <QWidget>

class QButtonGroup;
class QStackedWidget;
class QToolButton;

namespace quorvane {

class RestoreView;
class SwapView;

// The open key's work area: the Swap / Restore picker over the two tabs.
class SessionTabs : public QWidget
{
    Q_OBJECT

public:
    explicit SessionTabs(AppModel &model, QWidget *parent = nullptr);

    QToolButton *swapButton() const { return m_swapButton; }
    QToolButton *restoreButton() const { return m_restoreButton; }
    QWidget *currentPage() const;
    SwapView *swapView() const { return m_swapView; }
    RestoreView *restoreView() const { return m_restoreView; }

private:
    void showTab();

    AppModel &m_model;
    QToolButton *m_swapButton;
    QToolButton *m_restoreButton;
    QStackedWidget *m_pages;
    SwapView *m_swapView;
    RestoreView *m_restoreView;
};

} // namespace quorvane
