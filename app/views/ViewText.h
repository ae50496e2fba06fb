#pragma once

#include <QLabel>

namespace quorvane {

// Labels in the detail views: a large heading and wrapped body text.
inline QLabel *headingLabel(const QString &text, QWidget *parent, qreal scale = 1.6)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

inline QLabel *bodyLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace quorvane
