// Drives the quorvane tool as a user would, and checks it against the separate
// Python implementation in scripts/standins.py: key files written by either
// open in the other, and both give the same stand-ins for every kind.
#include "CliRun.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

class KeyCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeBytes(passphraseFile(), "sm\xc3\xb8rrebr\xc3\xb8""d 42\nsecond line is ignored\n"));
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString passphraseFile() const { return path(u"passphrase.txt"_s); }
    QStringList pass() const { return {u"--passphrase-file"_s, passphraseFile()}; }
    QJsonObject summary(const QString &key) const
    {
        const Result shown = runQuorvane(QStringList{u"key"_s, u"show"_s, key, u"--json"_s} + pass());
        EXPECT_EQ(shown.code, 0) << shown.err.toStdString();
        return QJsonDocument::fromJson(shown.out.toUtf8()).object();
    }

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
    const Result help = runQuorvane({u"--help"_s});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(u"key standin"_s));
    for (const QStringList &misuse : {QStringList{}, {u"frobnicate"_s}, {u"key"_s, u"new"_s, u"--out"_s, path(u"x"_s)}})
        EXPECT_EQ(runQuorvane(misuse).code, 2) << misuse.join(u' ').toStdString();
    ASSERT_TRUE(writeBytes(path(u"junk.quorvanekey"_s), "PK\x03\x04 not a key"));
    EXPECT_EQ(codeAndError(runQuorvane(QStringList{u"key"_s, u"show"_s, path(u"junk.quorvanekey"_s)} + pass())),
              std::pair(1, u"The key file is damaged or isn’t a Quorvane key."_s));
}

TEST_F(KeyCommands, NewKeyShowsAndSavesStandIns)
{
    const QString key = path(u"new.quorvanekey"_s);
    const Result made = runQuorvane(QStringList{u"key"_s, u"new"_s, u"--name"_s, u"Clients"_s, u"--out"_s, key} + pass());
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    EXPECT_EQ(runQuorvane(QStringList{u"key"_s, u"new"_s, u"--name"_s, u"Again"_s, u"--out"_s, key} + pass()).code, 1);

    EXPECT_EQ(codeAndError(runQuorvane({u"key"_s, u"new"_s, u"--name"_s, u"W"_s, u"--out"_s, path(u"weak"_s)},
                                       {u"QUORVANE_PASSPHRASE=aaaaaaaa"_s})),
              std::pair(1, u"Use a passphrase with more variety."_s));
    EXPECT_EQ(codeAndError(runQuorvane({u"key"_s, u"show"_s, key}, {u"QUORVANE_PASSPHRASE=smørrebrød 43"_s})),
              std::pair(1, u"That passphrase doesn’t open this key."_s));

    // Without --save nothing is kept; with it the printed stand-ins are.
    const QStringList standin{u"key"_s, u"standin"_s, key, u"--kind"_s, u"lastName"_s, u"Smith"_s, u"Jones"_s};
    const Result first = runQuorvane(standin, {u"QUORVANE_PASSPHRASE=smørrebrød 42"_s});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(summary(key)[u"values"_s].toInt(), 0);
    ASSERT_EQ(runQuorvane(standin + QStringList{u"--save"_s} + pass()).code, 0);
    QJsonObject shown = summary(key);
    EXPECT_TRUE(shown.take(u"created"_s).isString());
    EXPECT_EQ(shown, (QJsonObject{{u"files"_s, 0}, {u"id"_s, made.out.trimmed()}, {u"name"_s, u"Clients"_s},
                                  {u"protection"_s, u"passphrase"_s}, {u"values"_s, 2}}));
    EXPECT_EQ(runQuorvane(standin + pass()).out, first.out);

    // The separate implementation reads the file this tool wrote.
    const Result theirs = reference({u"assign"_s, u"--key"_s, key, u"--passphrase-file"_s, passphraseFile(),
                                     u"--kind"_s, u"lastName"_s, u"Smith"_s, u"Jones"_s, u"Brown"_s});
    ASSERT_EQ(theirs.code, 0) << theirs.err.toStdString();
    EXPECT_EQ(theirs.out, runQuorvane(standin + QStringList{u"Brown"_s} + pass()).out);
}

TEST_F(KeyCommands, KeyFilesFromTheReferenceImplementationOpenAndAgree)
{
    const QString key = path(u"reference.quorvanekey"_s);
    const Result written = reference({u"new-key"_s, u"--name"_s, u"Kundenschlüssel ✓"_s, u"--out"_s, key,
                                      u"--passphrase-file"_s, passphraseFile(), u"--rounds"_s, u"2000"_s,
                                      u"--entry"_s, u"firstName:John:Mateo"_s, u"--entry"_s, u"lastName:Smith:Okafor"_s,
                                      u"--entry"_s, u"lastName:SMITH:Dropped"_s, u"--file"_s, u"clients.csv"_s});
    ASSERT_EQ(written.code, 0) << "python3 with python3-cryptography is needed (scripts/install-deps.sh): "
                               << written.err.toStdString();

    const QJsonObject shown = summary(key);
    EXPECT_EQ(shown[u"id"_s].toString(), written.out.trimmed());
    EXPECT_EQ(shown[u"name"_s].toString(), u"Kundenschlüssel ✓");
    EXPECT_EQ(shown[u"values"_s].toInt(), 2);
    EXPECT_EQ(shown[u"files"_s].toInt(), 1);

    for (const auto &[kind, values] : valuesOfEveryKind) {
        const Result ours = runQuorvane(QStringList{u"key"_s, u"standin"_s, key, u"--kind"_s, kind} + values + pass());
        const Result theirs = reference(QStringList{u"assign"_s, u"--key"_s, key, u"--passphrase-file"_s,
                                                    passphraseFile(), u"--kind"_s, kind} + values);
        ASSERT_EQ(ours.code, 0) << ours.err.toStdString();
        ASSERT_EQ(theirs.code, 0) << theirs.err.toStdString();
        EXPECT_EQ(ours.out, theirs.out) << kind.toStdString();
        EXPECT_EQ(ours.out.count(u'\n'), values.size());
    }
}
