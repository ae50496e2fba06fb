// The suggest command end to end: the name tagger's list, and the checks on
// the model server's address. No test here reaches a model.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

class SuggestCommand : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        QFile notes(dir->filePath(u"notes.csv"_s));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("Name,Notes\nAna Ruiz,asked maria about the roof\nBo Lee,all good\nCy Dunn,parcel sent\n");
        notes.close();
        ASSERT_EQ(quorvane({u"key"_s, u"new"_s, u"--name"_s, u"T"_s, u"--out"_s, keyPath()}).code, 0);
    }
    static void TearDownTestSuite() { delete dir; }

    static QString keyPath() { return dir->filePath(u"t.tesselkey"_s); }
    static Outcome quorvane(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QUORVANE_PASSPHRASE"_s, u"correct horse battery staple 42"_s);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORVANE_CLI), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(120000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    static Outcome suggest(const QStringList &more = {})
    {
        return quorvane(QStringList{u"suggest"_s, dir->filePath(u"notes.csv"_s), u"--key"_s, keyPath()} + more);
    }

    static inline QTemporaryDir *dir = nullptr;
};

} // namespace

TEST_F(SuggestCommand, ListsTheTaggersSuggestionsWithTheirCells)
{
    const Outcome outcome = suggest();
    ASSERT_EQ(outcome.code, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.startsWith(u"Possible names the rules missed ("_s)) << outcome.out.toStdString();
    EXPECT_TRUE(outcome.out.contains(u"so check each one."_s));
}

TEST_F(SuggestCommand, SendsCellsOnlyToThisComputerUnlessAllowed)
{
    const Outcome remote = suggest({u"--model-url"_s, u"http://192.0.2.7:8080"_s});
    EXPECT_EQ(remote.code, 2);
    EXPECT_TRUE(remote.err.contains(u"--allow-remote-model"_s)) << remote.err.toStdString();

    // Port 1 on this computer has no server: the run stops at the first cell.
    const Outcome closed = suggest({u"--model-url"_s, u"http://127.0.0.1:1"_s});
    EXPECT_EQ(closed.code, 0);
    EXPECT_TRUE(closed.err.contains(u"Asked 1 in"_s)) << closed.err.toStdString();
    EXPECT_TRUE(closed.err.contains(u"could not be reached"_s));

    EXPECT_EQ(suggest({u"--model"_s, u"x"_s}).code, 2);
}
