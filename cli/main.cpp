#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QTextStream(stdout) << "usage: quorvane COMMAND [ARGS]\n";
    return 0;
}
