#pragma once

#include <QDialog>

namespace quorvane {

// The help page shipped inside the application.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
};

} // namespace quorvane
