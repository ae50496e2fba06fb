// Renders every screen of the desktop window to PNG files for the README:
//   quorvane-screens SAMPLE-KEYS-FOLDER OUTPUT-FOLDER
// The sample folder holds passphrase keys (passphrase "correct horse battery");
// when it is empty they are made first. Runs on any Qt platform, offscreen too.
#include "app/AppModel.h"
#include "app/Panels.h"
#include "store/KeyStore.h"
#include "store/MemorySecretStore.h"
#include "app/MenuBarSettings.h"
#include "app/hotkey/NoGlobalHotKey.h"
#include "app/views/MenuBarPanel.h"
#include "app/views/DetailArea.h"
#include "app/views/ExportSheet.h"
#include "app/views/HelpWindow.h"
#include "app/views/KeySidebar.h"
#include "app/views/MainWindow.h"
#include "app/views/NewKeySheet.h"
#include "app/views/PassphraseFields.h"
#include "app/views/RevealableSecureField.h"
#include "app/views/UnlockView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

const QString samplePassphrase = u"correct horse battery"_s;
const QSize windowSize(900, 600);

// Saves go where the tour says; nothing is ever chosen to open.
struct NoPanels : Panels
{
    std::optional<QString> saveTo;
    std::optional<QString> chooseSaveLocation(const QString &, const QString &, const QString &) override
    {
        return saveTo;
    }
    std::optional<QString> chooseFileToOpen(const QStringList &, const QString &) override { return std::nullopt; }
};

void makeSample(const KeyStore &store, const QString &name, int day, const QStringList &firstNames,
                const QStringList &files)
{
    ProjectKey key(name, QUuid::createUuid(), QDateTime(QDate(2026, 3, day), QTime(9, 0), Qt::UTC));
    for (const QString &first : firstNames)
        key.assignSubstitute(first, EntryKind::firstName, {});
    for (const QString &file : files)
        key.addFile(file);
    const QByteArray salt = KeyFile::newSalt();
    const QByteArray secret = KeyFile::deriveSecret(samplePassphrase, salt, KeyFile::defaultRounds);
    store.save(KeyFile::seal(key, KeyFile::Protection::passphrase(salt), secret));
}

void makeSamples(const QString &folder)
{
    MemorySecretStore secrets;
    const KeyStore store(secrets, folder);
    makeSample(store, u"Spring customer survey"_s, 2,
               {u"Maria"_s, u"James"_s, u"Aiko"_s, u"Olu"_s, u"Lena"_s, u"Tomás"_s, u"Priya"_s},
               {u"customers.csv"_s, u"customers.xlsx"_s});
    makeSample(store, u"Vendor contacts"_s, 9, {u"Grace"_s}, {u"vendors.csv"_s});
}

void settle(const std::function<bool()> &done = {}, int ms = 150)
{
    // Long enough for derivations at the full round count.
    QDeadlineTimer deadline(done ? 30000 : ms);
    QDeadlineTimer least(ms);
    while (!deadline.hasExpired() && !(done && least.hasExpired() && done())) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// One window over its own copy of the keys, as a fresh launch would show it.
struct Scene
{
    QTemporaryDir folder;
    MemorySecretStore secrets;
    std::unique_ptr<KeyStore> store;
    NoPanels panels;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<MainWindow> window;

    Scene(const QString &samples, bool withStoreKey)
    {
        QSettings().clear();
        store = std::make_unique<KeyStore>(secrets, folder.path());
        for (const QString &name : QDir(samples).entryList(QDir::Files))
            QFile::copy(QDir(samples).filePath(name), folder.filePath(name));
        if (withStoreKey) {
            const ProjectKey key(u"Board minutes"_s, QUuid::createUuid(),
                                 QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC));
            const QByteArray secret = KeyFile::newSecret();
            secrets.storeSecret(secret, key.id(), key.name());
            store->save(KeyFile::seal(key, KeyFile::Protection::keychain(), secret));
        }
        model = std::make_unique<AppModel>(*store, panels, 1000);
        window = std::make_unique<MainWindow>(*model, panels);
        window->resize(windowSize);
        model->start();
        window->show();
        settle();
    }

    const KeyFile &key(const QString &name) const
    {
        for (const KeyFile &file : model->keys()) {
            if (file.name() == name)
                return file;
        }
        qFatal("no sample key named %s", qPrintable(name));
    }

    void unlock(const QString &name, const QString &passphrase)
    {
        model->select(key(name).id());
        settle();
        UnlockView *view = window->detail()->unlock();
        view->passphraseField()->setText(passphrase);
        view->unlockButton()->click();
        settle([this] { return !model->unlocking(); });
    }
};

QImage shot(QWidget &widget)
{
    return widget.grab().toImage();
}

// A dialog drawn over its dimmed window, where a sheet would hang. The
// painter works in window coordinates, also at 200 %.
QImage over(QWidget &window, QWidget &dialog, QPoint at = {-1, -1})
{
    QImage image = shot(window);
    const QImage top = shot(dialog);
    const QSize topSize = dialog.size();
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(), window.size()), QColor(0, 0, 0, 60));
    if (at.x() < 0)
        at = QPoint((window.width() - topSize.width()) / 2, 40);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawRect(QRect(at, topSize).adjusted(-1, -1, 0, 0));
    painter.drawImage(QRect(at, topSize), top);
    return image;
}

class Tour
{
public:
    Tour(QString samples, QString output) : m_samples(std::move(samples)), m_output(std::move(output)) {}

    void save(const QString &name, const QImage &image)
    {
        const QString path = QDir(m_output).filePath(name % u".png"_s);
        if (!image.save(path))
            qFatal("couldn't write %s", qPrintable(path));
        std::printf("%s\n", qPrintable(path));
    }

    void run()
    {
        {
            QTemporaryDir empty;
            Scene scene(empty.path(), false);
            save(u"welcome"_s, shot(*scene.window));
        }
        {
            Scene scene(m_samples, false);
            scene.model->select(std::nullopt);
            settle();
            save(u"choose-key"_s, shot(*scene.window));
        }
        {
            Scene scene(m_samples, false);
            save(u"unlock"_s, shot(*scene.window));
            scene.unlock(u"Spring customer survey"_s, u"not this one"_s);
            save(u"unlock-wrong"_s, shot(*scene.window));
            scene.unlock(u"Spring customer survey"_s, samplePassphrase);
            save(u"key-open"_s, shot(*scene.window));
            scene.model->setTab(AppModel::Tab::restore);
            settle();
            save(u"restore-tab"_s, shot(*scene.window));
            rowMenu(scene);
            panel(scene);
            sheets(scene);
        }
        storeKeyScreens();
        sessionScreens();
    }

private:
    // The tray panel as a click on the tray icon shows it, after a restore.
    void panel(Scene &scene)
    {
        QSettings settings;
        settings.setValue(MenuBarSettings::showKey, true);
        NoGlobalHotKey hotKey;
        MenuBarSettings menuBar(settings, hotKey, [] {});
        MenuBarPanel panel(*scene.model, menuBar, {});
        scene.model->setMenuBarMessage(u"Restored 3 values. The clipboard has the real text."_s);
        panel.resize(panel.sizeHint());
        panel.show();
        settle();
        save(u"tray-panel"_s, shot(panel));
        scene.model->setMenuBarMessage(std::nullopt);
    }

    void rowMenu(Scene &scene)
    {
        const QUuid id = scene.key(u"Spring customer survey"_s).id();
        std::unique_ptr<QMenu> menu = scene.window->sidebar()->rowMenu(id);
        menu->adjustSize();
        QListWidget *list = scene.window->sidebar()->list();
        const QPoint at = list->viewport()->mapTo(scene.window.get(), list->visualItemRect(list->item(0)).center());
        QImage image = shot(*scene.window);
        QPainter painter(&image);
        painter.drawImage(QRect(at, menu->size()), shot(*menu));
        painter.end();
        save(u"key-menu"_s, image);
    }

    void sheets(Scene &scene)
    {
        scene.model->setSheet(AppModel::Sheet::newKey());
        settle();
        auto *newKey = qobject_cast<NewKeySheet *>(scene.window->currentSheet());
        save(u"new-key"_s, over(*scene.window, *newKey));
        newKey->nameField()->setText(u"Autumn donors"_s);
        newKey->passphraseChoice()->setChecked(true);
        newKey->passphraseFields()->first()->setText(u"short"_s);
        newKey->passphraseFields()->confirm()->setText(u"shirt"_s);
        settle();
        save(u"new-key-passphrase"_s, over(*scene.window, *newKey));
        scene.model->setSheet(AppModel::Sheet::rename(scene.model->selection().value()));
        settle();
        save(u"rename"_s, over(*scene.window, *scene.window->currentSheet()));
        scene.model->setSheet(std::nullopt);
        scene.model->askToDelete(scene.model->selectedFile().value());
        settle();
        save(u"delete"_s, over(*scene.window, *scene.window->deleteConfirmation()));
        scene.model->cancelDelete();
        settle();
        HelpWindow help(scene.window.get());
        help.show();
        settle();
        save(u"help"_s, shot(help));
    }

    void storeKeyScreens()
    {
        Scene scene(m_samples, true);
        scene.model->select(scene.key(u"Board minutes"_s).id());
        settle();
        scene.model->setSheet(AppModel::Sheet::exportKey(scene.model->selection().value()));
        settle();
        save(u"export"_s, over(*scene.window, *scene.window->currentSheet()));
        scene.model->setSheet(std::nullopt);
        scene.secrets.deleteSecret(scene.model->selection().value());
        scene.model->lockAll();
        scene.model->select(std::nullopt);
        scene.model->select(scene.key(u"Board minutes"_s).id());
        settle();
        save(u"alert"_s, over(*scene.window, *scene.window->alert()));
    }

    // Every step of both tabs, over the bundled sample workbook.
    void sessionScreens()
    {
        // A sample key, so the stand-ins in the pictures are the same every time.
        Scene scene(m_samples, false);
        scene.unlock(u"Spring customer survey"_s, samplePassphrase);
        save(u"swap-start"_s, shot(*scene.window));
        SwapSession &swap = scene.model->swap();
        const auto idle = [&scene] {
            return !scene.model->swap().busy() && !scene.model->swap().scanning() && !scene.model->restore().busy();
        };
        swap.open(QDir::current().filePath(u"examples/customers.xlsx"_s));
        settle(idle);
        save(u"swap-columns"_s, shot(*scene.window));
        swap.review();
        settle(idle);
        swap.toggle(swap.scan()->items.at(1).id());
        settle();
        save(u"swap-review"_s, shot(*scene.window));
        QTemporaryDir copies; // not the keys folder, where no copy may go
        scene.panels.saveTo = copies.filePath(u"customers (stand-ins).xlsx"_s);
        swap.swapAndSave();
        settle(idle);
        if (!swap.outcome())
            qFatal("the sample couldn't be swapped");
        swap.copyMarkdown(MarkdownTable::Rows::all());
        settle();
        save(u"swap-done"_s, shot(*scene.window));

        const QString standIn = swap.outcome()->after.at(3).at(1);
        scene.model->setTab(AppModel::Tab::restore);
        RestoreSession &restore = scene.model->restore();
        restore.open(*scene.panels.saveTo);
        settle(idle);
        restore.setPasted(u"Hi "_s % standIn % u", thanks for the call. I’ve sent the contract to your email."_s);
        restore.restorePasted();
        settle();
        save(u"restore-ready"_s, shot(*scene.window));
    }

    QString m_samples;
    QString m_output;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvane Screens"_s);
    QApplication::setOrganizationName(u"Quorvane"_s);
    QApplication::setApplicationVersion(u"0.1.0"_s);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: quorvane-screens SAMPLE-KEYS-FOLDER OUTPUT-FOLDER\n");
        return 2;
    }
    // The user's own settings must not shape the pictures, nor be changed.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QDir().mkpath(arguments[1]);
    QDir().mkpath(arguments[2]);
    if (QDir(arguments[1]).isEmpty())
        makeSamples(arguments[1]);
    Tour(arguments[1], arguments[2]).run();
    return 0;
}
