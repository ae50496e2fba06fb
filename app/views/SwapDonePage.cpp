#include "app/views/SwapDonePage.h"

#include "app/AppModel.h"
#include "app/SwapTexts.h"
#include "app/views/CopyRowsDialog.h"
#include "app/views/ViewText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Enough rows to see what changed; the copy itself is complete.
constexpr int previewRows = 50;

QTableWidget *previewTable(QWidget *parent)
{
    auto *table = new QTableWidget(parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setVisible(false);
    table->horizontalHeader()->setDefaultSectionSize(130);
    return table;
}

void fill(QTableWidget *table, const QList<QStringList> &rows)
{
    const int count = int(std::min<qsizetype>(rows.size(), previewRows));
    int columns = 0;
    for (int row = 0; row < count; ++row)
        columns = std::max(columns, int(rows.at(row).size()));
    table->clear();
    table->setRowCount(count);
    table->setColumnCount(columns);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(rows.at(row).at(column)));
    }
}

QWidget *titled(const QString &title, QWidget *content, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(headingLabel(title, box, 1.0));
    layout->addWidget(content, 1);
    return box;
}

} // namespace

SwapDonePage::SwapDonePage(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_session(model.swap())
    , m_saved(headingLabel(QString(), this, 1.2))
    , m_warning(bodyLabel(SwapTexts::freeTextWarning(), this))
    , m_before(previewTable(this))
    , m_after(previewTable(this))
    , m_swapAnother(new QPushButton(u"Swap Another File"_s, this))
    , m_restoreFile(new QPushButton(u"Restore a File"_s, this))
    , m_copy(new QToolButton(this))
    , m_menu(new QMenu(this))
    , m_copied(bodyLabel(QString(), this))
    , m_hint(bodyLabel(SwapTexts::copiedHint(), this))
    , m_restoreReply(new QPushButton(u"Restore the Reply…"_s, this))
{
    // The shortcut belongs to the window's menu command of the same name.
    auto *copyAll = new QAction(u"Copy as Markdown"_s, this);
    copyAll->setToolTip(SwapTexts::copyHelp());
    connect(copyAll, &QAction::triggered, &m_session, [this] { m_session.copyMarkdown(MarkdownTable::Rows::all()); });
    m_copy->setDefaultAction(copyAll);
    m_copy->setMenu(m_menu);
    m_copy->setPopupMode(QToolButton::MenuButtonPopup);
    m_copy->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_restoreReply->setToolTip(SwapTexts::restoreReplyHelp());

    auto *previews = new QHBoxLayout;
    previews->addWidget(titled(u"Before"_s, m_before, this));
    previews->addWidget(titled(u"After"_s, m_after, this));
    auto *copyRow = new QHBoxLayout;
    copyRow->addWidget(m_copy);
    copyRow->addWidget(m_copied, 1);
    copyRow->addWidget(m_restoreReply);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_swapAnother);
    buttons->addWidget(m_restoreFile);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_saved);
    layout->addWidget(bodyLabel(SwapTexts::savedNote(), this));
    layout->addWidget(m_warning);
    layout->addLayout(previews, 1);
    layout->addLayout(copyRow);
    layout->addWidget(m_hint);
    layout->addLayout(buttons);

    connect(m_swapAnother, &QPushButton::clicked, &m_session, &SwapSession::startOver);
    connect(m_restoreFile, &QPushButton::clicked, &m_model, [this] { m_model.setTab(AppModel::Tab::restore); });
    connect(m_restoreReply, &QPushButton::clicked, &m_model, [this] {
        m_model.setTab(AppModel::Tab::restore);
        m_model.restore().showPastedText();
    });
}

void SwapDonePage::refresh()
{
    const std::optional<SwapSession::Outcome> &outcome = m_session.outcome();
    if (!outcome)
        return;
    m_saved->setText(SwapTexts::savedLine(outcome->savedAs, outcome->replaced));
    m_warning->setVisible(m_session.scan() && m_session.scan()->freeTextCells > 0);
    fill(m_before, outcome->before);
    fill(m_after, outcome->after);
    fillMenu();
    const std::optional<int> &copied = m_session.copiedRows();
    m_copied->setText(copied ? SwapTexts::copied(*copied) : QString());
    m_hint->setVisible(copied.has_value());
    m_restoreReply->setVisible(copied.has_value());
}

void SwapDonePage::fillMenu()
{
    const int rows = m_session.outcome()->dataRows;
    m_menu->clear();
    m_menu->addAction(SwapTexts::copyAll(rows), &m_session,
                      [this] { m_session.copyMarkdown(MarkdownTable::Rows::all()); });
    for (int first : {25, 100}) {
        if (rows > first)
            m_menu->addAction(SwapTexts::copyFirst(first), &m_session,
                              [this, first] { m_session.copyMarkdown(MarkdownTable::Rows::first(first)); });
    }
    m_menu->addAction(SwapTexts::copySome(), this, &SwapDonePage::copySomeRows);
}

void SwapDonePage::copySomeRows()
{
    auto *dialog = new CopyRowsDialog(m_session.outcome()->dataRows, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setObjectName(u"copyRows"_s);
    connect(dialog, &QDialog::accepted, &m_session, [this, dialog] {
        m_session.copyMarkdown(MarkdownTable::Rows::range(dialog->from(), dialog->to()));
    });
    dialog->open();
}

} // namespace quorvane
