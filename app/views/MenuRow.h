#pragma once

#include <QAbstractButton>
#include <QIcon>

#include <optional>

namespace quorvane {

// One row of the tray panel: an icon, a title with an optional second line,
// and a shortcut hint at the right. Highlighted while the pointer is over it
// and while pressed, dimmed when disabled; Return and Space press it.
class MenuRow : public QAbstractButton
{
    Q_OBJECT

public:
    MenuRow(const QIcon &icon, const QString &title, const std::optional<QString> &detail, QWidget *parent = nullptr);

    void setShortcutHint(const std::optional<QString> &hint);
    const std::optional<QString> &shortcutHint() const { return m_hint; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    std::optional<QString> m_detail;
    std::optional<QString> m_hint;
    bool m_hovered = false;
};

} // namespace quorvane
