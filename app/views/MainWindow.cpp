#include "app/views/MainWindow.h"

#include "app/Panels.h"
#include "app/SwapTexts.h"
#include "app/views/DetailArea.h"
#include "app/views/ExportSheet.h"
#include "app/views/HelpWindow.h"
#include "app/views/KeySidebar.h"
#include "app/views/NewKeySheet.h"
#include "app/views/PlatformWords.h"
#include "app/views/PreferencesDialog.h"
#include "app/views/RenameSheet.h"
#include "app/views/SessionTabs.h"
#include "app/views/Symbols.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

const QString geometrySetting = u"window/geometry"_s;
const QString splitterSetting = u"window/splitter"_s;
const QString tabSetting = u"window/tab"_s;

// ⌃ is the Control key everywhere; ⌘ is Command on macOS, where Qt spells it
// CTRL, and Control elsewhere.
constexpr QKeyCombination controlCommand(Qt::Key key)
{
#ifdef Q_OS_MACOS
    return Qt::META | Qt::CTRL | key;
#else
    return Qt::CTRL | key;
#endif
}

} // namespace

MainWindow::MainWindow(AppModel &model, Panels &panels, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_panels(panels)
    , m_sidebar(new KeySidebar(model, this))
    , m_detail(new DetailArea(model, this))
{
    setWindowTitle(u"Quorvane"_s);
    setWindowIcon(symbolIcon(Symbol::application));
    auto *split = new QSplitter(this);
    split->setObjectName(u"split"_s);
    split->addWidget(m_sidebar);
    split->addWidget(m_detail);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    split->setSizes({240, 660});
    m_sidebar->setMinimumWidth(200);
    setCentralWidget(split);
    buildToolbar();
    buildMenus();

    connect(&m_model, &AppModel::sheetChanged, this, &MainWindow::showSheet);
    connect(&m_model, &AppModel::problemChanged, this, &MainWindow::showProblem);
    connect(&m_model, &AppModel::keyToDeleteChanged, this, &MainWindow::confirmDelete);
    for (auto signal : {&AppModel::selectionChanged, &AppModel::openedChanged, &AppModel::keysChanged})
        connect(&m_model, signal, this, &MainWindow::updateCommands);
    connect(&m_model.swap(), &SwapSession::changed, this, &MainWindow::updateCommands);
    connect(&m_model, &AppModel::tabChanged, this, [this] {
        QSettings().setValue(tabSetting, m_model.tab() == AppModel::Tab::restore ? u"restore"_s : u"swap"_s);
    });
    restoreSettings();
    updateCommands();
}

void MainWindow::buildToolbar()
{
    auto *toolbar = addToolBar(u"Keys"_s);
    toolbar->setObjectName(u"keysToolbar"_s);
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *newKey = toolbar->addAction(symbolIcon(Symbol::newKey), u"New Key"_s, this,
                                         [this] { m_model.setSheet(AppModel::Sheet::newKey()); });
    newKey->setToolTip(u"Make a new project key"_s);
    QAction *importKey = toolbar->addAction(symbolIcon(Symbol::importKey), u"Import"_s, &m_model, &AppModel::importKey);
    importKey->setToolTip(u"Import an exported key"_s);
}

void MainWindow::buildMenus()
{
    const auto add = [this](QMenu *menu, const QString &text, QKeySequence shortcut, auto slot) {
        QAction *action = menu->addAction(text, this, slot);
        action->setShortcut(shortcut);
        m_commands.append(action);
        return action;
    };
    QMenu *file = menuBar()->addMenu(u"&File"_s);
    add(file, u"New Key…"_s, Qt::CTRL | Qt::Key_N, [this] { m_model.setSheet(AppModel::Sheet::newKey()); });
    add(file, u"Import Key…"_s, {}, [this] { m_model.importKey(); });
    file->addSeparator();
    add(file, u"Choose File to Swap…"_s, Qt::CTRL | Qt::Key_O, [this] { chooseFile(AppModel::Tab::swap); });
    add(file, u"Choose File to Restore…"_s, Qt::SHIFT | Qt::CTRL | Qt::Key_O,
        [this] { chooseFile(AppModel::Tab::restore); });
    file->addSeparator();
    add(file, u"Preferences…"_s, Qt::CTRL | Qt::Key_Comma, [this] { showPreferences(); })
        ->setMenuRole(QAction::PreferencesRole);
    file->addSeparator();
    add(file, u"Quit Quorvane"_s, QKeySequence::Quit, [] { QApplication::closeAllWindows(); })
        ->setMenuRole(QAction::QuitRole);

    QMenu *edit = menuBar()->addMenu(u"&Edit"_s);
    add(edit, u"Copy as Markdown"_s, Qt::SHIFT | Qt::CTRL | Qt::Key_C,
        [this] { m_model.swap().copyMarkdown(MarkdownTable::Rows::all()); })
        ->setToolTip(SwapTexts::copyHelp());

    QMenu *view = menuBar()->addMenu(u"&View"_s);
    add(view, u"Swap"_s, Qt::CTRL | Qt::Key_1, [this] { m_model.setTab(AppModel::Tab::swap); });
    add(view, u"Restore"_s, Qt::CTRL | Qt::Key_2, [this] { m_model.setTab(AppModel::Tab::restore); });

    QMenu *key = menuBar()->addMenu(u"&Key"_s);
    add(key, u"Rename Key…"_s, {}, [this] {
        if (m_model.selection())
            m_model.setSheet(AppModel::Sheet::rename(*m_model.selection()));
    });
    add(key, u"Export Key…"_s, {}, [this] {
        if (m_model.selection())
            m_model.exportKey(*m_model.selection());
    });
    key->addSeparator();
    add(key, u"Lock All Keys"_s, controlCommand(Qt::Key_L), [this] { m_model.lockAll(); });

    // Updates reach this build through its package, so there is no
    // "Check for Updates…" that could do anything real.
    QMenu *help = menuBar()->addMenu(u"&Help"_s);
    add(help, u"Quorvane Help"_s, {}, [this] { showHelp(); });
    add(help, u"About Quorvane"_s, {}, [this] { showAbout(); })->setMenuRole(QAction::AboutRole);
}

QAction *MainWindow::command(const QString &text) const
{
    for (QAction *action : m_commands) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void MainWindow::updateCommands()
{
    const bool selected = m_model.selectedFile().has_value();
    const bool open = m_model.openKey() != nullptr;
    for (const QString &text : {u"Choose File to Swap…"_s, u"Choose File to Restore…"_s, u"Swap"_s, u"Restore"_s,
                                u"Rename Key…"_s})
        command(text)->setEnabled(open);
    command(u"Export Key…"_s)->setEnabled(selected);
    command(u"Copy as Markdown"_s)->setEnabled(open && m_model.swap().step() == SwapSession::Step::done);
}

void MainWindow::chooseFile(AppModel::Tab tab)
{
    if (!m_model.openKey())
        return;
    const bool swap = tab == AppModel::Tab::swap;
    const std::optional<QString> path = m_panels.chooseFileToOpen(
        {}, swap ? u"Choose a CSV or Excel file to swap."_s : u"Choose a returned file to restore."_s);
    if (!path)
        return;
    m_model.setTab(tab);
    if (swap)
        m_model.swap().open(*path);
    else
        m_model.restore().open(*path);
}

void MainWindow::showSheet()
{
    const std::optional<AppModel::Sheet> &wanted = m_model.sheet();
    if (m_sheet) {
        m_sheet->hide();
        m_sheet->deleteLater();
        m_sheet.clear();
    }
    if (!wanted)
        return;
    m_sheet = makeSheet(*wanted);
    if (!m_sheet) {
        m_model.setSheet(std::nullopt);
        return;
    }
    connect(m_sheet, &QDialog::rejected, &m_model, [this] { m_model.setSheet(std::nullopt); });
    m_sheet->open();
}

KeySheet *MainWindow::makeSheet(const AppModel::Sheet &sheet)
{
    switch (sheet.kind) {
    case AppModel::Sheet::Kind::newKey: {
        auto *newKey = new NewKeySheet(this);
        connect(newKey, &NewKeySheet::makeKey, this,
                [this, newKey](const QString &name, const std::optional<QString> &passphrase) {
                    newKey->setWorking(passphrase.has_value());
                    m_model.makeKey(name, passphrase);
                });
        return newKey;
    }
    case AppModel::Sheet::Kind::exportKey: {
        auto *exporting = new ExportSheet(sheet.id, this);
        connect(exporting, &ExportSheet::exportWith, this, [this, exporting](const QString &passphrase) {
            exporting->setWorking(true);
            m_model.exportKey(exporting->id(), passphrase);
        });
        return exporting;
    }
    case AppModel::Sheet::Kind::rename:
        break;
    }
    const AppModel::OpenKey *open = nullptr;
    if (const auto found = m_model.opened().constFind(sheet.id); found != m_model.opened().constEnd())
        open = &*found;
    if (!open)
        return nullptr;
    auto *rename = new RenameSheet(sheet.id, open->key.name(), this);
    connect(rename, &RenameSheet::rename, this,
            [this, rename](const QString &name) { m_model.rename(rename->id(), name); });
    return rename;
}

void MainWindow::showProblem()
{
    if (m_alert)
        m_alert->deleteLater();
    // A failed derivation ends the sheet's wait; the sheet stays for another try.
    if (m_sheet)
        m_sheet->setWorking(false);
    const std::optional<AppModel::Problem> &problem = m_model.problem();
    if (!problem)
        return;
    m_alert = new QMessageBox(QMessageBox::Warning, problem->title, problem->title, QMessageBox::Ok, this);
    m_alert->setInformativeText(problem->message);
    m_alert->setWindowModality(Qt::WindowModal);
    m_alert->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_alert, &QMessageBox::finished, &m_model, [this, id = problem->id] {
        if (m_model.problem() && m_model.problem()->id == id)
            m_model.dismissProblem();
    });
    m_alert->open();
}

void MainWindow::confirmDelete()
{
    const std::optional<KeyFile> &file = m_model.keyToDelete();
    if (!file) {
        if (m_confirmDelete)
            m_confirmDelete->deleteLater();
        return;
    }
    m_confirmDelete = new QMessageBox(QMessageBox::Warning, u"Delete Key"_s, AppModel::deleteQuestion(*file),
                                      QMessageBox::NoButton, this);
    m_confirmDelete->setInformativeText(AppModel::deleteWarning());
    QPushButton *remove = m_confirmDelete->addButton(u"Delete Key"_s, QMessageBox::DestructiveRole);
    QPushButton *cancel = m_confirmDelete->addButton(u"Cancel"_s, QMessageBox::RejectRole);
    // Enter must not destroy a key by accident.
    m_confirmDelete->setDefaultButton(cancel);
    m_confirmDelete->setWindowModality(Qt::WindowModal);
    m_confirmDelete->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_confirmDelete, &QMessageBox::finished, &m_model, [this, remove, file = *file] {
        if (m_confirmDelete && m_confirmDelete->clickedButton() == remove)
            m_model.deleteKey(file);
        else
            m_model.cancelDelete();
    });
    m_confirmDelete->open();
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showPreferences()
{
    auto *preferences = new PreferencesDialog(m_model.models(), m_menuBar, this);
    preferences->setAttribute(Qt::WA_DeleteOnClose);
    preferences->open();
}

void MainWindow::showAbout()
{
    auto *about = new QMessageBox(QMessageBox::NoIcon, u"About Quorvane"_s,
                                  u"Quorvane "_s % QApplication::applicationVersion(), QMessageBox::Ok, this);
    about->setIconPixmap(symbolIcon(Symbol::application).pixmap(64, 64));
    about->setInformativeText(u"Swaps the personal data in spreadsheets for realistic stand-ins and puts the real "
                              u"values back. Files and keys never leave this "_s
                              % PlatformWords::machine() % u"."_s);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setObjectName(u"about"_s);
    about->open();
}

void MainWindow::restoreSettings()
{
    QSettings settings;
    if (!restoreGeometry(settings.value(geometrySetting).toByteArray()))
        resize(900, 600);
    findChild<QSplitter *>(u"split"_s)->restoreState(settings.value(splitterSetting).toByteArray());
    if (settings.value(tabSetting).toString() == u"restore"_s)
        m_model.setTab(AppModel::Tab::restore);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QSettings settings;
    settings.setValue(geometrySetting, saveGeometry());
    settings.setValue(splitterSetting, findChild<QSplitter *>(u"split"_s)->saveState());
    QMainWindow::closeEvent(event);
}

} // namespace quorvane
