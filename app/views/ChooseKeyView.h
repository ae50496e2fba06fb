#pragma once

#include <QWidget>

namespace quorvane {

// Keys exist but none is selected.
class ChooseKeyView : public QWidget
{
    Q_OBJECT

public:
    explicit ChooseKeyView(QWidget *parent = nullptr);
};

} // namespace quorvane
