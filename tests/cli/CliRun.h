#pragma once

// Runs programs as a user would from a shell, for the command tests.

#include "tests/FileBytes.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

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
