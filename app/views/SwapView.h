#pragma once

#include <QWidget>

class QStackedWidget;

namespace quorvane {

class AppModel;
class BusyBar;
class DropZone;
class SwapColumnsPage;
class SwapDonePage;
class SwapReviewPage;

// The Swap tab: the page of the session's step, and the work under way.
class SwapView : public QWidget
{
    Q_OBJECT

public:
    explicit SwapView(AppModel &model, QWidget *parent = nullptr);

    DropZone *dropZone() const { return m_start; }
    SwapColumnsPage *columnsPage() const { return m_columns; }
    SwapReviewPage *reviewPage() const { return m_review; }
    SwapDonePage *donePage() const { return m_done; }
    BusyBar *busyBar() const { return m_busy; }
    QWidget *currentPage() const;

    // Asks for a file with the chooser and opens it.
    void chooseFile();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void refresh();

    AppModel &m_model;
    QStackedWidget *m_pages;
    DropZone *m_start;
    SwapColumnsPage *m_columns;
    SwapReviewPage *m_review;
    SwapDonePage *m_done;
    BusyBar *m_busy;
};

} // namespace quorvane
