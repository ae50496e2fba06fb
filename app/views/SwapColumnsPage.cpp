#include "app/views/SwapColumnsPage.h"

#include "app/SwapSession.h"
#include "app/SwapTexts.h"
#include "app/views/BusyBar.h"
#include "app/views/ViewText.h"
#include "kit/swap/Scrubber.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

SwapColumnsPage::SwapColumnsPage(SwapSession &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_headerRow(new QCheckBox(u"First row is headers"_s, this))
    , m_sheet(new QComboBox(this))
    , m_showStandIns(new QCheckBox(u"Show stand-ins"_s, this))
    , m_scanning(new BusyBar(this))
    , m_preview(new QTableWidget(this))
    , m_note(bodyLabel(SwapTexts::previewNote(), this))
    , m_summary(new QLabel(this))
    , m_startOver(new QPushButton(u"Start Over"_s, this))
    , m_review(new QPushButton(this))
{
    m_headerRow->setToolTip(SwapTexts::headerRowHelp());
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->horizontalHeader()->setSectionsClickable(true);
    m_preview->horizontalHeader()->setToolTip(u"Click a column’s header to change what it holds"_s);
    m_preview->horizontalHeader()->setDefaultSectionSize(150);
    m_review->setDefault(true);
    m_sheetLabel = new QLabel(u"Sheet"_s, this);
    m_sheetLabel->setBuddy(m_sheet);

    auto *options = new QHBoxLayout;
    options->addWidget(m_headerRow);
    options->addWidget(m_sheetLabel);
    options->addWidget(m_sheet);
    options->addWidget(m_showStandIns);
    options->addStretch(1);
    options->addWidget(m_scanning);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_startOver);
    buttons->addWidget(m_review);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bodyLabel(SwapTexts::columnsHelp(), this));
    layout->addLayout(options);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_note);
    layout->addLayout(buttons);

    connect(m_headerRow, &QCheckBox::toggled, &m_session, &SwapSession::setHeaderRow);
    connect(m_sheet, &QComboBox::activated, &m_session, &SwapSession::setSheet);
    connect(m_showStandIns, &QCheckBox::toggled, this, &SwapColumnsPage::fillPreview);
    connect(m_preview->horizontalHeader(), &QHeaderView::sectionClicked, this, &SwapColumnsPage::showKindMenu);
    connect(m_startOver, &QPushButton::clicked, &m_session, &SwapSession::startOver);
    connect(m_review, &QPushButton::clicked, &m_session, &SwapSession::review);
    connect(&m_session, &SwapSession::scanApplied, this, &SwapColumnsPage::fillPreview);
    connect(&m_session, &SwapSession::progressed, this,
            [this] { m_scanning->setProgress(m_session.progress(), Progress::Stage::scanning); });
}

void SwapColumnsPage::refresh()
{
    const std::optional<Spreadsheet> &file = m_session.file();
    const std::optional<Scan> &scan = m_session.scan();
    const QSignalBlocker blockHeader(m_headerRow), blockSheet(m_sheet);
    m_headerRow->setChecked(m_session.options().headerRow);
    const QStringList sheets = file ? file->sheetNames() : QStringList();
    QStringList listed;
    for (int i = 0; i < m_sheet->count(); ++i)
        listed.append(m_sheet->itemText(i));
    if (sheets != listed) {
        m_sheet->clear();
        m_sheet->addItems(sheets);
        fillPreview();
    }
    m_sheet->setCurrentIndex(m_session.sheet());
    m_sheet->setVisible(sheets.size() > 1);
    m_sheetLabel->setVisible(sheets.size() > 1);
    m_scanning->setWork(m_session.scanning() ? std::optional(u"Scanning…"_s) : std::nullopt);
    m_scanning->setProgress(m_session.progress(), Progress::Stage::scanning);
    m_note->setVisible(m_session.grid().size() > SwapSession::previewRows);
    m_summary->setText(file && scan ? SwapTexts::summary(file->kind(), scan->dataRows, int(scan->items.size()))
                                    : QString());
    m_review->setText(SwapTexts::reviewButton(scan ? scan->items.size() : 0));
    m_review->setEnabled(scan.has_value() && !m_session.scanning());
    if (m_preview->rowCount() != std::min<qsizetype>(m_session.grid().size(), SwapSession::previewRows))
        fillPreview();
}

QString SwapColumnsPage::headerLabel(int column) const
{
    const std::optional<Scan> &scan = m_session.scan();
    const ColumnID id{m_session.sheet(), column};
    const QString header = scan ? scan->headers.value(id) : QString();
    const QString name = header.trimmed().isEmpty() ? u"Column "_s % columnLetters(column) : header;
    const ColumnKind kind = scan ? scan->columns.value(id, ColumnKind::autoDetect) : ColumnKind::autoDetect;
    return name % u"\n"_s % title(kind) % u" ▾"_s;
}

QString SwapColumnsPage::cellText(int row, int column) const
{
    const QList<GridCell> &cells = m_session.grid().at(row);
    const QString text = column < cells.size() ? cells.at(column).text : QString();
    const std::optional<Scan> &scan = m_session.scan();
    if (!m_showStandIns->isChecked() || !scan)
        return text;
    const auto planned = scan->planned.at(CellRef{m_session.sheet(), row, column});
    return Scrubber::applying(planned, text, *scan, m_session.excluded()).text.value_or(text);
}

void SwapColumnsPage::fillPreview()
{
    const Grid &grid = m_session.grid();
    const int rows = int(std::min<qsizetype>(grid.size(), SwapSession::previewRows));
    int columns = 0;
    for (int row = 0; row < rows; ++row)
        columns = std::max(columns, int(grid.at(row).size()));
    m_preview->clear();
    m_preview->setRowCount(rows);
    m_preview->setColumnCount(columns);
    QStringList headers;
    for (int column = 0; column < columns; ++column)
        headers.append(headerLabel(column));
    m_preview->setHorizontalHeaderLabels(headers);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            m_preview->setItem(row, column, new QTableWidgetItem(cellText(row, column)));
    }
}

void SwapColumnsPage::showKindMenu(int column)
{
    const std::optional<Scan> &scan = m_session.scan();
    const ColumnID id{m_session.sheet(), column};
    const ColumnKind current = scan ? scan->columns.value(id, ColumnKind::autoDetect) : ColumnKind::autoDetect;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(u"kindMenu"_s);
    for (ColumnKind kind : allColumnKinds()) {
        QAction *action = menu->addAction(title(kind), &m_session, [this, id, kind] { m_session.setKind(id, kind); });
        action->setCheckable(true);
        action->setChecked(kind == current);
    }
    const QHeaderView *header = m_preview->horizontalHeader();
    menu->popup(header->mapToGlobal(QPoint(header->sectionViewportPosition(column), header->height())));
}

} // namespace quorvane
