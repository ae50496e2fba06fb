// Drives the quorvane tool as a user would, and checks it against the separate
// Python implementation in scripts/standins.py: key files written by either
// open in the other, and both give the same stand-ins for every kind.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

Result run(const QString &program, const QStringList &arguments, const QStringList &environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"QUORVANE_PASSPHRASE"_s);
    for (const QString &setting : environment)
        env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

Result quorvane(const QStringList &arguments, const QStringList &environment = {})
{
    return run(QStringLiteral(QUORVANE_CLI), arguments, environment);
}

// Debian's python3 is the one the setup script gives python3-cryptography.
QString python()
{
    if (QFileInfo(u"/usr/bin/python3"_s).isExecutable())
        return u"/usr/bin/python3"_s;
    return QStandardPaths::findExecutable(u"python3"_s);
}

Result reference(const QStringList &arguments)
{
    return run(python(), QStringList{QStringLiteral(QUORVANE_SOURCE_DIR "/scripts/standins.py")} + arguments);
}

class KeyCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile file(passphraseFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("sm\xc3\xb8rrebr\xc3\xb8""d 42\nsecond line is ignored\n");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString passphraseFile() const { return path(u"passphrase.txt"_s); }

    QTemporaryDir dir;
};

const QList<std::pair<QString, QStringList>> valuesOfEveryKind{
    {u"firstName"_s, {u"John"_s, u"MARIA"_s, u"élodie"_s, u"J"_s, u"Mary Ann"_s, u"John"_s}},
    {u"lastName"_s, {u"Smith"_s, u"VAN DER BERG"_s, u"o'neil"_s, u"Nguyen-Tran"_s}},
    {u"email"_s, {u"john.smith42@mail.com"_s, u"jsmith@x.org"_s, u"smith_john@x.org"_s, u"bob12345678@x.org"_s,
                  u"  Maria.Lopez@Example.COM "_s, u"no-at-sign"_s}},
    {u"phone"_s, {u"+1 (415) 867-5309"_s, u"867-5309"_s, u"415.867.5309"_s, u"020 7946 0018"_s}},
    {u"street"_s, {u"12 Main St."_s, u"7 Elm Street"_s, u"7 Elm Way"_s, u"PO BOX 12"_s}},
    {u"city"_s, {u"Boston"_s, u"SAN FRANCISCO"_s, u"st. louis"_s}},
    {u"zip"_s, {u"02139"_s, u"02139-4307"_s, u"9021"_s}},
};

} // namespace

TEST_F(KeyCommands, UsageAndExitCodes)
{
    const Result help = quorvane({u"--help"_s});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(u"key standin"_s));
    EXPECT_EQ(quorvane({}).code, 2);
    EXPECT_EQ(quorvane({u"frobnicate"_s}).code, 2);
    EXPECT_EQ(quorvane({u"key"_s, u"new"_s, u"--out"_s, path(u"x"_s)}).code, 2);
    EXPECT_EQ(quorvane({u"key"_s, u"show"_s, path(u"missing"_s), u"--bogus"_s}).code, 2);

    const Result missing = quorvane({u"key"_s, u"show"_s, path(u"missing"_s)});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(missing.err.isEmpty());

    QFile junk(path(u"junk.tesselkey"_s));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("PK\x03\x04 not a key");
    junk.close();
    const Result damaged = quorvane({u"key"_s, u"show"_s, junk.fileName(), u"--passphrase-file"_s, passphraseFile()});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.err.trimmed(), u"The key file is damaged or isn’t a Quorvane key.");
}

TEST_F(KeyCommands, NewKeyShowsAndSavesStandIns)
{
    const QString key = path(u"new.tesselkey"_s);
    const QStringList pass{u"--passphrase-file"_s, passphraseFile()};
    const Result made = quorvane(QStringList{u"key"_s, u"new"_s, u"--name"_s, u"Clients"_s, u"--out"_s, key} + pass);
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QString id = made.out.trimmed();
    EXPECT_EQ(id.size(), 36);
    EXPECT_EQ(quorvane(QStringList{u"key"_s, u"new"_s, u"--name"_s, u"Again"_s, u"--out"_s, key} + pass).code, 1);

    const Result weak = quorvane({u"key"_s, u"new"_s, u"--name"_s, u"W"_s, u"--out"_s, path(u"weak"_s)},
                                 {u"QUORVANE_PASSPHRASE=aaaaaaaa"_s});
    EXPECT_EQ(weak.code, 1);
    EXPECT_EQ(weak.err.trimmed(), u"Use a passphrase with more variety.");

    const Result wrong = quorvane({u"key"_s, u"show"_s, key}, {u"QUORVANE_PASSPHRASE=smørrebrød 43"_s});
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.err.trimmed(), u"That passphrase doesn’t open this key.");

    const QStringList standin{u"key"_s, u"standin"_s, key, u"--kind"_s, u"lastName"_s, u"Smith"_s, u"Jones"_s};
    const Result first = quorvane(standin, {u"QUORVANE_PASSPHRASE=smørrebrød 42"_s});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    const QByteArray before = [&] { QFile f(key); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    // Without --save nothing is kept.
    EXPECT_EQ(quorvane(QStringList{u"key"_s, u"show"_s, key, u"--json"_s} + pass).out.contains(u"\"values\":0"_s), true);
    ASSERT_EQ(quorvane(standin + QStringList{u"--save"_s} + pass).code, 0);
    const QByteArray after = [&] { QFile f(key); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    EXPECT_NE(before, after);

    const Result shown = quorvane(QStringList{u"key"_s, u"show"_s, key, u"--json"_s} + pass);
    ASSERT_EQ(shown.code, 0);
    const QJsonObject summary = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    EXPECT_EQ(summary.keys(), (QStringList{u"created"_s, u"files"_s, u"id"_s, u"name"_s, u"protection"_s, u"values"_s}));
    EXPECT_EQ(summary[u"id"_s].toString(), id);
    EXPECT_EQ(summary[u"name"_s].toString(), u"Clients");
    EXPECT_EQ(summary[u"protection"_s].toString(), u"passphrase");
    EXPECT_EQ(summary[u"values"_s].toInt(), 2);
    // The saved stand-ins are the ones printed before.
    EXPECT_EQ(quorvane(standin + pass).out, first.out);

    // The separate implementation reads the file this tool wrote.
    const Result theirs = reference({u"assign"_s, u"--key"_s, key, u"--passphrase-file"_s, passphraseFile(),
                                     u"--kind"_s, u"lastName"_s, u"Smith"_s, u"Jones"_s, u"Brown"_s});
    ASSERT_EQ(theirs.code, 0) << theirs.err.toStdString();
    EXPECT_EQ(theirs.out,
              quorvane(QStringList{u"key"_s, u"standin"_s, key, u"--kind"_s, u"lastName"_s, u"Smith"_s, u"Jones"_s,
                                   u"Brown"_s} + pass).out);
}

TEST_F(KeyCommands, KeyFilesFromTheReferenceImplementationOpenAndAgree)
{
    const QString key = path(u"reference.tesselkey"_s);
    const Result written = reference({u"new-key"_s, u"--name"_s, u"Kundenschlüssel ✓"_s, u"--out"_s, key,
                                      u"--passphrase-file"_s, passphraseFile(), u"--rounds"_s, u"2000"_s,
                                      u"--entry"_s, u"firstName:John:Mateo"_s, u"--entry"_s, u"lastName:Smith:Okafor"_s,
                                      u"--entry"_s, u"lastName:SMITH:Dropped"_s, u"--file"_s, u"clients.csv"_s});
    ASSERT_EQ(written.code, 0) << "python3 with python3-cryptography is needed (scripts/install-deps.sh): "
                               << written.err.toStdString();

    const QStringList pass{u"--passphrase-file"_s, passphraseFile()};
    const Result shown = quorvane(QStringList{u"key"_s, u"show"_s, key, u"--json"_s} + pass);
    ASSERT_EQ(shown.code, 0) << shown.err.toStdString();
    const QJsonObject summary = QJsonDocument::fromJson(shown.out.toUtf8()).object();
    EXPECT_EQ(summary[u"id"_s].toString(), written.out.trimmed());
    EXPECT_EQ(summary[u"name"_s].toString(), u"Kundenschlüssel ✓");
    EXPECT_EQ(summary[u"values"_s].toInt(), 2);
    EXPECT_EQ(summary[u"files"_s].toInt(), 1);

    for (const auto &[kind, values] : valuesOfEveryKind) {
        const Result ours = quorvane(QStringList{u"key"_s, u"standin"_s, key, u"--kind"_s, kind} + values + pass);
        const Result theirs = reference(QStringList{u"assign"_s, u"--key"_s, key, u"--passphrase-file"_s,
                                                    passphraseFile(), u"--kind"_s, kind} + values);
        ASSERT_EQ(ours.code, 0) << ours.err.toStdString();
        ASSERT_EQ(theirs.code, 0) << theirs.err.toStdString();
        EXPECT_EQ(ours.out, theirs.out) << kind.toStdString();
        EXPECT_EQ(ours.out.count(u'\n'), values.size());
    }
}
