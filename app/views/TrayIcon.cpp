#include "app/views/TrayIcon.h"

#include "app/MenuBarSettings.h"
#include "app/views/MenuBarPanel.h"
#include "app/views/Symbols.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>

namespace quorvane {

TrayIcon::TrayIcon(MenuBarSettings &settings, MenuBarPanel *panel, QObject *parent)
    : QObject(parent), m_settings(settings), m_panel(panel), m_icon(new QSystemTrayIcon(symbolIcon(Symbol::application), this))
{
    m_icon->setToolTip(QStringLiteral("Quorvane"));
    m_panel->setWindowFlags(Qt::Popup);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this] { showPanel(); });
    connect(m_panel, &MenuBarPanel::done, m_panel, &QWidget::hide);
    connect(&m_settings, &MenuBarSettings::changed, this, &TrayIcon::follow);
    follow();
}

TrayIcon::~TrayIcon()
{
    delete m_panel;
}

void TrayIcon::follow()
{
    m_icon->setVisible(m_settings.show());
    if (!m_settings.show())
        m_panel->hide();
}

// Beside the icon where the tray says where it is, else at the pointer; kept
// on the screen either way.
void TrayIcon::showPanel()
{
    m_panel->adjustSize();
    const QRect icon = m_icon->geometry();
    QPoint at = icon.isValid() ? icon.bottomLeft() : QCursor::pos();
    if (const QScreen *screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), area.right() - m_panel->width()));
        if (at.y() + m_panel->height() > area.bottom())
            at.setY((icon.isValid() ? icon.top() : at.y()) - m_panel->height());
        at.setY(std::max(at.y(), area.top()));
    }
    m_panel->move(at);
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
}

} // namespace quorvane
