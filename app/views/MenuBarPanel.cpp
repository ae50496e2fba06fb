#include "app/views/MenuBarPanel.h"

#include "app/AppModel.h"
#include "app/MenuBarSettings.h"
#include "app/hotkey/GlobalHotKey.h"
#include "app/views/MenuRow.h"
#include "app/views/PlatformWords.h"
#include "app/views/Symbols.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

QFrame *divider()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel *link(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}

} // namespace

MenuBarPanel::MenuBarPanel(AppModel &model, MenuBarSettings &settings, MenuBarActions actions, QWidget *parent)
    : QFrame(parent), m_model(model), m_settings(settings), m_actions(std::move(actions))
{
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(u"Quorvane"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(header());

    m_keyPicker = new QComboBox(this);
    m_keyPicker->setAccessibleName(u"Key"_s);
    layout->addWidget(m_keyPicker);
    m_keyLink = link(this);
    layout->addWidget(m_keyLink);
    layout->addWidget(divider());

    m_restoreRow = row(new MenuRow(symbolIcon(Symbol::clipboard), restoreTitle(),
                                   u"Put the real values back into copied text, like an AI’s reply."_s, this),
                       m_actions.restoreClipboard);
    layout->addWidget(m_restoreRow);
    layout->addWidget(row(new MenuRow(symbolIcon(Symbol::swap), u"Swap a File…"_s,
                                      u"Stand-ins for a CSV or Excel file."_s, this),
                          m_actions.swapFile));
    layout->addWidget(row(new MenuRow(symbolIcon(Symbol::restore), u"Restore a File…"_s,
                                      u"Real values back into a returned file."_s, this),
                          m_actions.restoreFile));
    layout->addWidget(row(new MenuRow(symbolIcon(Symbol::lock), u"Lock All Keys"_s, std::nullopt, this), [this] {
        m_model.lockAll();
        m_model.setMenuBarMessage(u"All keys are locked."_s);
    }));
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setContentsMargins(8, 2, 8, 2);
    layout->addWidget(m_message);
    layout->addWidget(divider());
    layout->addWidget(row(new MenuRow(symbolIcon(Symbol::window), u"Open Quorvane"_s, std::nullopt, this),
                          m_actions.openWindow));
    layout->addWidget(row(new MenuRow(symbolIcon(Symbol::power), u"Quit Quorvane"_s, std::nullopt, this),
                          m_actions.quit));

    connect(m_keyPicker, &QComboBox::activated, this,
            [this](int index) { m_model.select(m_keyPicker->itemData(index).toUuid()); });
    connect(m_keyLink, &QLabel::linkActivated, this, [this] {
        if (m_actions.openWindow)
            m_actions.openWindow();
        Q_EMIT done();
    });
    for (auto signal : {&AppModel::keysChanged, &AppModel::selectionChanged, &AppModel::openedChanged})
        connect(&m_model, signal, this, &MenuBarPanel::refreshKeys);
    connect(&m_model, &AppModel::menuBarMessageChanged, this, &MenuBarPanel::refreshMessage);
    connect(&m_settings, &MenuBarSettings::changed, this, &MenuBarPanel::refreshSettings);
    refreshKeys();
    refreshSettings();
    refreshMessage();
}

QWidget *MenuBarPanel::header()
{
    auto *box = new QWidget(this);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(8, 0, 0, 0);
    auto *title = new QLabel(u"<b>Quorvane</b>"_s, box);
    layout->addWidget(title, 1);

    auto *menu = new QMenu(box);
    menu->setToolTipsVisible(true);
    m_showAction = menu->addAction(u"Show in "_s % PlatformWords::panelArea());
    m_showAction->setCheckable(true);
    m_showAction->setToolTip(u"Restore copied text, pick a key, or swap a file from the "_s % PlatformWords::panelArea()
                             % u". The app keeps running there when its window is closed."_s);
    m_shortcutAction = menu->addAction(GlobalHotKey::shortcutText() % u" restores the clipboard from any app"_s);
    m_shortcutAction->setCheckable(true);
    connect(m_showAction, &QAction::toggled, this, [this](bool on) {
        if (on != m_settings.show())
            m_settings.setShow(on);
    });
    connect(m_shortcutAction, &QAction::toggled, this, [this](bool on) {
        if (on != m_settings.shortcut())
            m_settings.setShortcut(on);
    });

    auto *settingsButton = new QToolButton(box);
    settingsButton->setIcon(symbolIcon(Symbol::settings));
    settingsButton->setToolTip(u"Settings…"_s);
    settingsButton->setAccessibleName(u"Settings…"_s);
    settingsButton->setMenu(menu);
    settingsButton->setPopupMode(QToolButton::InstantPopup);
    settingsButton->setAutoRaise(true);
    layout->addWidget(settingsButton);
    return box;
}

MenuRow *MenuBarPanel::row(MenuRow *made, std::function<void()> action)
{
    connect(made, &QAbstractButton::clicked, this, [this, action] {
        if (action)
            action();
        Q_EMIT done();
    });
    return made;
}

void MenuBarPanel::refreshKeys()
{
    m_keyPicker->clear();
    for (const KeyFile &file : m_model.keys()) {
        const bool open = m_model.opened().contains(file.id());
        m_keyPicker->addItem(open ? file.name() : file.name() % u" (locked)"_s, file.id());
    }
    m_keyPicker->setVisible(!m_model.keys().isEmpty());
    if (m_model.selection())
        m_keyPicker->setCurrentIndex(m_keyPicker->findData(*m_model.selection()));

    const std::optional<KeyFile> selected = m_model.selectedFile();
    QString linkText;
    if (m_model.keys().isEmpty())
        linkText = u"No keys yet. Open the app to make one."_s;
    else if (selected && !m_model.opened().contains(selected->id()) && selected->protection().isPassphrase())
        linkText = u"Unlock “"_s % selected->name() % u"” in the window…"_s;
    m_keyLink->setText(linkText.isEmpty() ? QString() : u"<a href=\"window\">"_s % linkText.toHtmlEscaped() % u"</a>"_s);
    m_keyLink->setVisible(!linkText.isEmpty());
}

void MenuBarPanel::refreshSettings()
{
    const QSignalBlocker showBlocker(m_showAction), shortcutBlocker(m_shortcutAction);
    m_showAction->setChecked(m_settings.show());
    m_shortcutAction->setChecked(m_settings.shortcut());
    m_restoreRow->setShortcutHint(m_settings.shortcut() ? std::optional(GlobalHotKey::shortcutText()) : std::nullopt);
}

void MenuBarPanel::refreshMessage()
{
    const std::optional<QString> &message = m_model.menuBarMessage();
    m_message->setText(message.value_or(QString()));
    m_message->setVisible(message.has_value());
}

} // namespace quorvane
