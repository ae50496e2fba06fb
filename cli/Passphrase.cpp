#include "cli/Passphrase.h"

#include "cli/Terminal.h"

#include "kit/Failure.h"
#include "kit/keys/Crypto.h"

#include <QFile>

#include <cstdio>
#include <iostream>
#include <string>

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
    if (!inputIsTerminal())
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
