#pragma once

#include <QDialog>

class QSpinBox;

namespace quorvane {

// "Copy Some Rows…": the first and last data row to copy.
class CopyRowsDialog : public QDialog
{
    Q_OBJECT

public:
    CopyRowsDialog(int dataRows, QWidget *parent = nullptr);

    int from() const;
    int to() const;
    QSpinBox *fromBox() const { return m_from; }
    QSpinBox *toBox() const { return m_to; }

private:
    QSpinBox *m_from;
    QSpinBox *m_to;
};

} // namespace quorvane
