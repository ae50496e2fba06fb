#include "app/AppModel.h"
#include "app/DialogPanels.h"
#include "app/MenuBarSettings.h"
#include "app/SingleInstance.h"
#include "app/hotkey/GlobalHotKey.h"
#include "app/views/MainWindow.h"
#include "app/views/MenuBarPanel.h"
#include "app/views/Symbols.h"
#include "app/views/TrayIcon.h"
#include "kit/find/Detector.h"
#include "store/KeyStore.h"
#include "store/KeychainSecretStore.h"

#include <QApplication>
#include <QSettings>

#include <thread>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

void bringForward(MainWindow &window)
{
    window.showNormal();
    window.raise();
    window.activateWindow();
}

// The hot key says nothing on screen, so a restore that found nothing beeps.
void restoreClipboardFromAnywhere(AppModel &model)
{
    if (model.restoreClipboard().kind != ClipboardRestore::Outcome::Kind::restored)
        QApplication::beep();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Quorvane"_s);
    // The keys folder is the command-line tool's, whose data location names
    // no organisation; the settings do.
    const QString keysFolder = KeyStore::defaultDirectory();
    QApplication::setOrganizationName(u"Quorvane"_s);
    QApplication::setOrganizationDomain(u"quorvane.org"_s);
    QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
    QApplication::setDesktopFileName(KeychainSecretStore::applicationId);
    QApplication::setWindowIcon(symbolIcon(Symbol::application));

    SingleInstance instance(KeychainSecretStore::applicationId % u'-' % qEnvironmentVariable("USER"));
    if (!instance.claim())
        return 0;

    // Read while the window comes up, so that the first file chosen is
    // searched without waiting for the word lists.
    const std::jthread searchesReady(&Detector::prepare);
    KeychainSecretStore secrets;
    KeyStore store(secrets, keysFolder);
    DialogPanels panels;
    AppModel model(store, panels);
    MainWindow window(model, panels);
    panels.setWindow(&window);
    QObject::connect(&instance, &SingleInstance::anotherLaunch, &window, [&window] { bringForward(window); });

    QSettings settings;
    const std::unique_ptr<GlobalHotKey> hotKey = GlobalHotKey::forPlatform();
    MenuBarSettings menuBar(settings, *hotKey, [&model] { restoreClipboardFromAnywhere(model); });
    window.setMenuBarSettings(&menuBar);
    const auto chooseIn = [&window](AppModel::Tab tab) {
        bringForward(window);
        window.chooseFile(tab);
    };
    TrayIcon tray(menuBar, new MenuBarPanel(model, menuBar,
                                            {[&model] { model.restoreClipboard(); },
                                             [chooseIn] { chooseIn(AppModel::Tab::swap); },
                                             [chooseIn] { chooseIn(AppModel::Tab::restore); },
                                             [&window] { bringForward(window); }, &QApplication::quit}));
    // With the panel on, closing the window leaves the application in the tray.
    const auto followPanel = [&menuBar] { QApplication::setQuitOnLastWindowClosed(!menuBar.show()); };
    QObject::connect(&menuBar, &MenuBarSettings::changed, &app, followPanel);
    followPanel();

    model.start();
    window.show();
    menuBar.apply();
    return app.exec();
}
