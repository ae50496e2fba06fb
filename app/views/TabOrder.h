#pragma once

#include <QWidget>

#include <initializer_list>

namespace quorvane {

// Sets the keyboard order of the widgets as listed.
inline void chainTabOrder(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace quorvane
