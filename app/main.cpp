#include "app/AppModel.h"
#include "app/DialogPanels.h"
#include "app/SingleInstance.h"
#include "store/KeyStore.h"
#include "store/KeychainSecretStore.h"
#include "app/views/MainWindow.h"
#include "app/views/Symbols.h"

#include <QApplication>

using namespace Qt::StringLiterals;
using namespace quorvane;

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

    KeychainSecretStore secrets;
    KeyStore store(secrets, keysFolder);
    DialogPanels panels;
    AppModel model(store, panels);
    MainWindow window(model, panels);
    panels.setWindow(&window);
    QObject::connect(&instance, &SingleInstance::anotherLaunch, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    model.start();
    window.show();
    return app.exec();
}
