#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QLabel window(QStringLiteral("Quorvane"));
    window.show();
    return app.exec();
}
