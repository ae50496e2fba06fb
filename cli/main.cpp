#include "cli/Command.h"
#include "kit/Failure.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace quorvane::cli;

namespace {

QTextStream &errStream()
{
    static QTextStream stream(stderr);
    return stream;
}

QString commandLine(const Command &command)
{
    return u"quorvane "_s + command.words.join(u' ') + u' ' + command.synopsis;
}

void printUsage(QTextStream &stream, const QStringList &prefix = {})
{
    stream << "usage: quorvane COMMAND [ARGS] [--passphrase-file FILE]\n\ncommands:\n";
    for (const Command &command : allCommands())
        if (command.words.mid(0, prefix.size()) == prefix)
            stream << "  " << commandLine(command) << "\n      " << command.summary << '\n';
    stream << "\noptions for every command:\n";
    for (const Option &option : commonOptions())
        stream << "  --" << option.name << ' ' << option.valueName << "\n      " << option.help << '\n';
    stream << "\nKEY is a key file, the id of one of your stored keys, or its name (see “quorvane key list”).\n";
    stream << "\nexit status: 0 success, 1 failure (message on stderr), 2 bad usage\n";
    stream.flush();
}

void printCommandHelp(QTextStream &stream, const Command &command)
{
    stream << "usage: " << commandLine(command) << "\n  " << command.summary << '\n';
    for (const Option &option : command.options + commonOptions())
        stream << "  " << (option.shortName.isEmpty() ? u""_s : u"-"_s + option.shortName + u", "_s) << "--"
               << option.name << (option.valueName.isEmpty() ? u""_s : u" "_s + option.valueName)
               << "\n      " << option.help << '\n';
    stream.flush();
}

// The command whose words open the argument list; the longest match wins.
const Command *findCommand(const QStringList &arguments)
{
    const Command *best = nullptr;
    for (const Command &command : allCommands())
        if (arguments.mid(0, command.words.size()) == command.words
            && (!best || command.words.size() > best->words.size()))
            best = &command;
    return best;
}

bool isGroup(const QString &word)
{
    for (const Command &command : allCommands())
        if (command.words.size() > 1 && command.words.first() == word)
            return true;
    return false;
}

int run(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        printUsage(errStream());
        return 2;
    }
    if (arguments.first() == u"--help"_s || arguments.first() == u"-h"_s || arguments.first() == u"help"_s) {
        QTextStream out(stdout);
        printUsage(out);
        return 0;
    }
    const Command *command = findCommand(arguments);
    if (!command) {
        const bool group = isGroup(arguments.first());
        const bool help = arguments.contains(u"--help"_s);
        if (group && help) {
            QTextStream out(stdout);
            printUsage(out, {arguments.first()});
            return 0;
        }
        errStream() << "quorvane: unknown command “" << arguments.mid(0, group ? 2 : 1).join(u' ') << "”\n\n";
        printUsage(errStream(), group ? QStringList{arguments.first()} : QStringList{});
        return 2;
    }
    const QStringList rest = arguments.mid(command->words.size());
    if (rest.contains(u"--help"_s)) {
        QTextStream out(stdout);
        printCommandHelp(out, *command);
        return 0;
    }
    try {
        const Invocation invocation(rest, command->options);
        const int code = command->run(invocation);
        invocation.out().flush();
        return code;
    } catch (const UsageError &error) {
        errStream() << "quorvane: " << error.message() << "\n\n";
        printCommandHelp(errStream(), *command);
        return 2;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Quorvane"_s);
    try {
        return run(app.arguments().mid(1));
    } catch (const quorvane::Failure &failure) {
        errStream() << failure.message() << '\n';
        return 1;
    } catch (const std::exception &error) {
        errStream() << "quorvane: " << error.what() << '\n';
        return 1;
    }
}
