#include "app/views/MenuRow.h"

#include <QPainter>
#include <QStyleOption>

namespace quorvane {

namespace {

constexpr int padding = 8;
constexpr int iconSide = 20;

} // namespace

MenuRow::MenuRow(const QIcon &icon, const QString &title, const std::optional<QString> &detail, QWidget *parent)
    : QAbstractButton(parent), m_detail(detail)
{
    setIcon(icon);
    setText(title);
    setAccessibleName(title);
    if (detail)
        setAccessibleDescription(*detail);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MenuRow::setShortcutHint(const std::optional<QString> &hint)
{
    m_hint = hint;
    updateGeometry();
    update();
}

QSize MenuRow::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int lines = m_detail ? 2 : 1;
    const int hintWidth = m_hint ? metrics.horizontalAdvance(*m_hint) + padding * 2 : 0;
    const int textWidth = std::max(metrics.horizontalAdvance(text()) + hintWidth,
                                   m_detail ? metrics.horizontalAdvance(*m_detail) : 0);
    return {padding * 3 + iconSide + std::min(textWidth, 380),
            std::max(iconSide, metrics.height() * lines) + padding * 2};
}

void MenuRow::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void MenuRow::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void MenuRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colors = palette();
    const bool lit = isEnabled() && (m_hovered || isDown() || hasFocus());
    if (lit) {
        QColor highlight = colors.color(QPalette::Highlight);
        highlight.setAlpha(isDown() ? 255 : 200);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlight);
        painter.drawRoundedRect(rect().adjusted(2, 1, -2, -1), 6, 6);
    }
    const QColor textColor = lit ? colors.color(QPalette::HighlightedText)
                                 : colors.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    const QRect iconRect(padding, (height() - iconSide) / 2, iconSide, iconSide);
    icon().paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    const QFontMetrics metrics(font());
    const int left = iconRect.right() + padding + 1;
    const QRect textRect(left, padding, width() - padding - left, height() - padding * 2);
    // The hint shares the title's line; the detail below has the full width.
    QRect titleRect = textRect;
    if (m_hint) {
        const int hintWidth = metrics.horizontalAdvance(*m_hint);
        QColor hintColor = textColor;
        hintColor.setAlpha(170);
        painter.setPen(hintColor);
        const int titleAlign = (m_detail ? Qt::AlignTop : Qt::AlignVCenter) | Qt::AlignRight;
        painter.drawText(textRect, titleAlign, *m_hint);
        titleRect.setRight(textRect.right() - hintWidth - padding * 2);
    }
    painter.setPen(textColor);
    QFont titleFont = font();
    titleFont.setWeight(QFont::DemiBold);
    painter.setFont(titleFont);
    const int titleAlign = (m_detail ? Qt::AlignTop : Qt::AlignVCenter) | Qt::AlignLeft;
    painter.drawText(titleRect, titleAlign, QFontMetrics(titleFont).elidedText(text(), Qt::ElideRight, titleRect.width()));
    if (m_detail) {
        painter.setFont(font());
        QColor detailColor = textColor;
        detailColor.setAlpha(lit ? 230 : 160);
        painter.setPen(detailColor);
        painter.drawText(textRect, Qt::AlignBottom | Qt::AlignLeft,
                         metrics.elidedText(*m_detail, Qt::ElideRight, textRect.width()));
    }
}

} // namespace quorvane
