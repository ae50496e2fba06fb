#include "cli/Passphrase.h"

#include "kit/Failure.h"
#include "kit/keys/Crypto.h"

#include <QFile>

#include <cstdio>
#include <iostream>
#include <string>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

QString fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(u"The passphrase file “%1” couldn’t be read."_s.arg(path));
    // Only the first line counts; a passphrase never needs more than a few kilobytes.
    QByteArray line = file.read(64 * 1024);
    if (const qsizetype end = line.indexOf('\n'); end >= 0)
        line.truncate(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool stdinIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stdin));
#else
    return isatty(STDIN_FILENO);
#endif
}

// Turns terminal echo off for its lifetime.
class NoEcho
{
public:
    NoEcho()
    {
#ifdef Q_OS_WIN
        m_handle = GetStdHandle(STD_INPUT_HANDLE);
        m_ok = GetConsoleMode(m_handle, &m_mode);
        if (m_ok)
            SetConsoleMode(m_handle, m_mode & ~DWORD(ENABLE_ECHO_INPUT));
#else
        m_ok = tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (m_ok) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
#endif
    }
    ~NoEcho()
    {
#ifdef Q_OS_WIN
        if (m_ok)
            SetConsoleMode(m_handle, m_mode);
#else
        if (m_ok)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
#endif
    }
    NoEcho(const NoEcho &) = delete;
    NoEcho &operator=(const NoEcho &) = delete;

private:
    bool m_ok = false;
#ifdef Q_OS_WIN
    HANDLE m_handle = nullptr;
    DWORD m_mode = 0;
#else
    termios m_saved{};
#endif
};

QString ask(const QString &prompt)
{
    std::fputs(prompt.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::string line;
    {
        NoEcho noEcho;
        std::getline(std::cin, line);
    }
    std::fputs("\n", stderr);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    QString text = QString::fromStdString(line);
    std::fill(line.begin(), line.end(), '\0');
    return text;
}

} // namespace

QString obtainPassphrase(const Invocation &invocation, const QString &prompt, bool confirm)
{
    if (invocation.has(u"passphrase-file"_s))
        return fromFile(invocation.value(u"passphrase-file"_s));
    if (qEnvironmentVariableIsSet("QUORVANE_PASSPHRASE"))
        return qEnvironmentVariable("QUORVANE_PASSPHRASE");
    if (!stdinIsTerminal())
        throw Failure(u"No passphrase given: use --passphrase-file FILE or set QUORVANE_PASSPHRASE."_s);
    const QString passphrase = ask(prompt);
    if (confirm && ask(u"Repeat the passphrase: "_s) != passphrase)
        throw Failure(u"The two passphrases don’t match."_s);
    return passphrase;
}

KeyFile sealWithNewPassphrase(const Invocation &invocation, const ProjectKey &key, const QString &prompt)
{
    const QString passphrase = obtainPassphrase(invocation, prompt, true);
    if (std::optional<QString> problem = KeyFile::passphraseProblem(passphrase))
        throw Failure(*problem);
    const QByteArray salt = KeyFile::newSalt();
    QByteArray secret = KeyFile::deriveSecret(passphrase, salt, KeyFile::defaultRounds);
    crypto::WipeOnExit wipeSecret(secret);
    return KeyFile::seal(key, KeyFile::Protection::passphrase(salt), secret);
}

} // namespace quorvane::cli
