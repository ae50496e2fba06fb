#pragma once

#include "app/AppModel.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QStackedWidget;
class QToolButton;

namespace quorvane {

// The open key's work area: the Swap / Restore picker over the two tabs.
class SessionTabs : public QWidget
{
    Q_OBJECT

public:
    explicit SessionTabs(AppModel &model, QWidget *parent = nullptr);

    // A file chosen from the menu for a tab, until the tab loads it itself.
    void showChosenFile(AppModel::Tab tab, const QString &path);

    QToolButton *swapButton() const { return m_swapButton; }
    QToolButton *restoreButton() const { return m_restoreButton; }
    QWidget *currentPage() const;

private:
    QWidget *placeholder(const QString &prompt, QLabel *&chosen);
    void showTab();

    AppModel &m_model;
    QToolButton *m_swapButton;
    QToolButton *m_restoreButton;
    QStackedWidget *m_pages;
    QLabel *m_swapChosen = nullptr;
    QLabel *m_restoreChosen = nullptr;
};

} // namespace quorvane
