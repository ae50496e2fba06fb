#pragma once

#include <QUuid>
#include <QWidget>

#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;

namespace quorvane {

class AppModel;

// "Project Keys": every stored key, the selected one highlighted; each row's
// context menu renames, exports or deletes that key.
class KeySidebar : public QWidget
{
    Q_OBJECT

public:
    explicit KeySidebar(AppModel &model, QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    // The context menu of the row showing key id.
    std::unique_ptr<QMenu> rowMenu(const QUuid &id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuild();
    void showSelection();
    void showMenu(const QPoint &position);
    void showMenuOf(QListWidgetItem *item);

    AppModel &m_model;
    QListWidget *m_list;
    QLabel *m_empty;
    bool m_rebuilding = false;
};

} // namespace quorvane
