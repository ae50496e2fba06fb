#pragma once

// Runs programs as a user would from a shell, for the command tests.

#include "tests/FileBytes.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <pty.h>
#include <unistd.h>
#endif

namespace quorvane::test {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

// `environment` holds NAME=value settings on top of this process's own
// environment, less any passphrase the caller's shell may have set.
inline Result run(const QString &program, const QStringList &arguments, const QStringList &environment = {},
                  const QByteArray &input = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QUORVANE_PASSPHRASE"));
    for (const QString &setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

inline Result runQuorvane(const QStringList &arguments, const QStringList &environment = {}, const QByteArray &input = {})
{
    return run(QStringLiteral(QUORVANE_CLI), arguments, environment, input);
}

#ifdef Q_OS_UNIX
// Runs the tool with standard error on a pseudo-terminal, as in a terminal
// window; standard output stays a pipe. Gives what the terminal received.
inline std::pair<Result, QByteArray> runOnTerminal(const QStringList &arguments)
{
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return {};
    QProcess process;
    process.setChildProcessModifier([slave] { dup2(slave, STDERR_FILENO); });
    process.start(QStringLiteral(QUORVANE_CLI), arguments);
    process.closeWriteChannel();
    process.waitForStarted();
    ::close(slave);
    QByteArray terminal;
    // Read while it runs: a full terminal buffer would stop the tool.
    for (bool running = true; running;) {
        running = !process.waitForFinished(20);
        pollfd ready{master, POLLIN, 0};
        char buffer[4096];
        ssize_t got = 0;
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN) && (got = ::read(master, buffer, sizeof buffer)) > 0)
            terminal.append(buffer, got);
    }
    ::close(master);
    return {{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), {}}, terminal};
}
#endif

// Debian's python3 is the one the setup script gives python3-cryptography.
inline QString python()
{
    if (QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable())
        return QStringLiteral("/usr/bin/python3");
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

// The separate implementation of stand-ins and key files in scripts/standins.py.
inline Result reference(const QStringList &arguments)
{
    return run(python(), QStringList{QStringLiteral(QUORVANE_SOURCE_DIR "/scripts/standins.py")} + arguments);
}

// The exit code with the error output less its final line break, to compare at once.
inline std::pair<int, QString> codeAndError(const Result &result) { return {result.code, result.err.trimmed()}; }

} // namespace quorvane::test
