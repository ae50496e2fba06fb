#pragma once

#include "kit/CellRef.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace quorvane {

class BusyBar;
class SwapSession;

// The columns step: the preview grid with a kind menu in each column's
// header, the header-row switch, the sheet picker and the summary.
class SwapColumnsPage : public QWidget
{
    Q_OBJECT

public:
    explicit SwapColumnsPage(SwapSession &session, QWidget *parent = nullptr);

    void refresh();

    QTableWidget *preview() const { return m_preview; }
    QCheckBox *headerRow() const { return m_headerRow; }
    QCheckBox *showStandIns() const { return m_showStandIns; }
    QComboBox *sheetPicker() const { return m_sheet; }
    QLabel *summary() const { return m_summary; }
    QLabel *note() const { return m_note; }
    BusyBar *scanningBar() const { return m_scanning; }
    QPushButton *reviewButton() const { return m_review; }
    QPushButton *startOverButton() const { return m_startOver; }
    // The kind menu of a column, as its header offers it.
    void showKindMenu(int column);

private:
    void fillPreview();
    QString headerLabel(int column) const;
    QString cellText(int row, int column) const;

    SwapSession &m_session;
    QCheckBox *m_headerRow;
    QComboBox *m_sheet;
    QLabel *m_sheetLabel = nullptr;
    QCheckBox *m_showStandIns;
    BusyBar *m_scanning;
    QTableWidget *m_preview;
    QLabel *m_note;
    QLabel *m_summary;
    QPushButton *m_startOver;
    QPushButton *m_review;
};

} // namespace quorvane
