// Progress on standard error: drawn in place on a terminal, absent from pipes.
#include "CliRun.h"
#include "kit/keys/KeyFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <pty.h>
#include <unistd.h>
#endif

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

class ProgressLine : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeBytes(path(u"pass.txt"_s), "progress test passphrase\n"));
        QByteArray csv = "Name,Email,Notes\n";
        for (int r = 0; r < 3000; ++r)
            csv += "Maria Lopez,maria" + QByteArray::number(r) + "@acme.com,Called Tom Reyes\n";
        ASSERT_TRUE(writeBytes(path(u"people.csv"_s), csv));
        const QByteArray salt(16, '\x05');
        const ProjectKey key(u"Progress"_s);
        const QByteArray secret = KeyFile::deriveSecret(u"progress test passphrase"_s, salt, 1000);
        ASSERT_TRUE(writeBytes(path(u"k.quorvanekey"_s),
                               KeyFile::seal(key, KeyFile::Protection::passphrase(salt, 1000), secret).data()));
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList withKey(QStringList arguments) const
    {
        return arguments << u"--key"_s << path(u"k.quorvanekey"_s) << u"--passphrase-file"_s << path(u"pass.txt"_s);
    }

    QTemporaryDir dir;
};

#ifdef Q_OS_UNIX
// Runs the tool with standard error on a pseudo-terminal, as in a terminal
// window; standard output stays a pipe. Gives what the terminal received.
std::pair<Result, QByteArray> runOnTerminal(const QStringList &arguments)
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

} // namespace

TEST_F(ProgressLine, PipesGetOnlyTheMessages)
{
    const Result swapped = runQuorvane(withKey({u"swap"_s, path(u"people.csv"_s)}));
    EXPECT_EQ(std::pair(swapped.code, swapped.err), std::pair(0, QString()));
    for (const QStringList &command : {QStringList{u"scan"_s, path(u"people.csv"_s)},
                                       QStringList{u"restore"_s, path(u"people (stand-ins).csv"_s)},
                                       QStringList{u"suggest"_s, path(u"people.csv"_s)}}) {
        const Result result = runQuorvane(withKey(command));
        EXPECT_EQ(std::pair(result.code, result.err), std::pair(0, QString())) << command.first().toStdString();
    }
}

#ifdef Q_OS_UNIX
TEST_F(ProgressLine, ATerminalSeesEachStageDrawnInPlaceAndClearedAtTheEnd)
{
    const auto [result, terminal] = runOnTerminal(withKey({u"swap"_s, path(u"people.csv"_s)}));
    ASSERT_EQ(result.code, 0) << terminal.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"Replaced "_s)) << result.out.toStdString();
    const QString shown = QString::fromUtf8(terminal);
    for (const QString &drawn : {u"\rReading…"_s, u"\rScanning… 0%"_s, u"\rScanning… 100%"_s, u"\rWriting… 100%"_s})
        EXPECT_TRUE(shown.contains(drawn)) << drawn.toStdString();
    EXPECT_FALSE(shown.contains(u'\n'));
    // The last thing on the line is blanks over it, and the cursor back at its start.
    EXPECT_TRUE(shown.endsWith(u"     \r"_s)) << shown.right(20).toStdString();
}
#endif
