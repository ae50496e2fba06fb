#include "app/views/KeySidebar.h"

#include "app/AppModel.h"
#include "app/views/KeyRow.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr int idRole = Qt::UserRole;

QUuid rowId(const QListWidgetItem *item)
{
    return item ? item->data(idRole).toUuid() : QUuid();
}

} // namespace

KeySidebar::KeySidebar(AppModel &model, QWidget *parent)
    : QWidget(parent), m_model(model), m_list(new QListWidget(this)), m_empty(new QLabel(u"No keys yet"_s, this))
{
    auto *title = new QLabel(u"Project Keys"_s, this);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    title->setContentsMargins(8, 4, 8, 0);
    // The list's own background, also when the list gives way to "No keys yet".
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setEnabled(false);
    m_list->setAccessibleName(u"Project Keys"_s);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->addWidget(title);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_empty, 1);
    setFocusProxy(m_list);

    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (!m_rebuilding && current)
            m_model.select(rowId(current));
    });
    connect(m_list, &QListWidget::customContextMenuRequested, this, &KeySidebar::showMenu);
    m_list->installEventFilter(this);
    connect(&m_model, &AppModel::keysChanged, this, &KeySidebar::rebuild);
    connect(&m_model, &AppModel::openedChanged, this, &KeySidebar::rebuild);
    connect(&m_model, &AppModel::selectionChanged, this, &KeySidebar::showSelection);
    rebuild();
}

void KeySidebar::rebuild()
{
    m_rebuilding = true;
    m_list->clear();
    for (const KeyFile &file : m_model.keys()) {
        const auto open = m_model.opened().constFind(file.id());
        auto *row = new KeyRow(file, open == m_model.opened().constEnd() ? nullptr : &open->key);
        auto *item = new QListWidgetItem(m_list);
        item->setData(idRole, file.id());
        item->setData(Qt::AccessibleTextRole, row->summary());
        item->setSizeHint(row->sizeHint());
        m_list->setItemWidget(item, row);
    }
    m_list->setVisible(!m_model.keys().isEmpty());
    m_empty->setVisible(m_model.keys().isEmpty());
    m_rebuilding = false;
    showSelection();
}

void KeySidebar::showSelection()
{
    m_rebuilding = true;
    m_list->setCurrentItem(nullptr);
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_model.selection() == rowId(m_list->item(row)))
            m_list->setCurrentRow(row);
    }
    m_rebuilding = false;
}

std::unique_ptr<QMenu> KeySidebar::rowMenu(const QUuid &id)
{
    const std::optional<KeyFile> file = m_model.file(id);
    if (!file)
        return nullptr;
    auto menu = std::make_unique<QMenu>(this);
    QAction *rename =
        menu->addAction(u"Rename…"_s, this, [this, id] { m_model.setSheet(AppModel::Sheet::rename(id)); });
    // Only an open key can be sealed again under its new name.
    rename->setEnabled(m_model.opened().contains(id));
    menu->addAction(u"Export…"_s, this, [this, id] { m_model.exportKey(id); });
    menu->addAction(u"Delete…"_s, this, [this, file = *file] { m_model.askToDelete(file); });
    return menu;
}

bool KeySidebar::eventFilter(QObject *watched, QEvent *event)
{
    // The menu key opens the menu of the current row, wherever the list's
    // middle happens to be.
    if (watched == m_list && event->type() == QEvent::ContextMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        showMenuOf(m_list->currentItem());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void KeySidebar::showMenu(const QPoint &position)
{
    showMenuOf(m_list->itemAt(position));
}

void KeySidebar::showMenuOf(QListWidgetItem *item)
{
    if (!item)
        return;
    if (const std::unique_ptr<QMenu> menu = rowMenu(rowId(item)))
        menu->exec(m_list->viewport()->mapToGlobal(m_list->visualItemRect(item).center()));
}

} // namespace quorvane
