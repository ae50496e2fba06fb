// The swap and restore commands as a user runs them, and the stand-ins they
// write checked against the separate Python implementation in scripts/standins.py.
#include "CliRun.h"
#include "kit/files/Spreadsheet.h"
#include "kit/keys/KeyFile.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <numeric>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

// 0x40, 0x41, … as the reference script is given it.
QByteArray secret()
{
    QByteArray bytes(32, '\0');
    std::iota(bytes.begin(), bytes.end(), char(0x40));
    return bytes;
}

const QByteArray people = "First name,Last name,Email,Phone,Address\n"
                          "Maria,Lopez,maria.lopez@northwindmail.net,(503) 867-2841,\"1420 Alder Street, Portland, OR 97205\"\n"
                          "James,Whitfield,james.whitfield@harborline.org,415.864.3390,\"88 Pine Ave, San Francisco, CA 94108\"\n"
                          "AISHA,RAHMAN,aisha.rahman@fastpost.com,+1 312 864 4402,\"2250 Clark St, Chicago, IL 60614\"\n";

class SwapCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        write(u"pass.txt"_s, "quorvane test passphrase\n");
        write(u"people.csv"_s, people);
        makeKey(u"k.quorvanekey"_s, u"Clients"_s, secret());
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const { ASSERT_TRUE(writeBytes(path(name), bytes)); }
    QByteArray read(const QString &name) const { return readBytes(path(name)); }
    // Few rounds keep the tests quick; the tool takes whatever the file says.
    void makeKey(const QString &name, const QString &keyName, const QByteArray &keySecret) const
    {
        const QByteArray salt(16, '\x05');
        const ProjectKey key(keyName, QUuid(), QDateTime(), keySecret);
        const QByteArray fileSecret = KeyFile::deriveSecret(u"quorvane test passphrase"_s, salt, 1000);
        write(name, KeyFile::seal(key, KeyFile::Protection::passphrase(salt, 1000), fileSecret).data());
    }
    ProjectKey openKey(const QString &name) const
    {
        return KeyFile(read(name)).open(u"quorvane test passphrase"_s);
    }
    Result quorvane(QStringList arguments, const QByteArray &input = {}) const
    {
        arguments << u"--passphrase-file"_s << path(u"pass.txt"_s);
        return runQuorvane(arguments, {}, input);
    }

    QTemporaryDir dir;
};

QList<QStringList> rows(const QByteArray &csv)
{
    QList<QStringList> result;
    for (const auto &row : Spreadsheet(csv, u"x.csv"_s).grid(0)) {
        QStringList texts;
        for (const GridCell &cell : row)
            texts.append(cell.text);
        result.append(texts);
    }
    return result;
}

} // namespace

TEST_F(SwapCommands, SwapWritesACopyBesideTheInputAndRestoreBringsItBack)
{
    const Result swapped = quorvane({u"swap"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s)});
    ASSERT_EQ(swapped.code, 0) << swapped.err.toStdString();
    const QString copy = path(u"people (stand-ins).csv"_s);
    EXPECT_TRUE(swapped.out.contains(copy)) << swapped.out.toStdString();
    EXPECT_EQ(read(u"people.csv"_s), people);
    const ProjectKey key = openKey(u"k.quorvanekey"_s);
    EXPECT_GE(key.valueCount(), 12);
    EXPECT_EQ(key.files(), QStringList{u"people.csv"_s});

    const Result restored = quorvane({u"restore"_s, copy, u"--key"_s, path(u"k.quorvanekey"_s), u"-o"_s, path(u"back.csv"_s)});
    ASSERT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_EQ(rows(read(u"back.csv"_s)), rows(people));

    const Result text = quorvane({u"restore-text"_s, u"--key"_s, path(u"k.quorvanekey"_s)},
                                 u"Call "_s.toUtf8() + rows(read(u"people (stand-ins).csv"_s)).at(1).at(0).toUtf8() + " today.\n");
    EXPECT_EQ(std::tuple(text.code, text.out, text.err), std::tuple(0, u"Call Maria today.\n"_s, u"Restored 1 value.\n"_s));

    // A different key finds nothing of its own in the copy.
    makeKey(u"other.quorvanekey"_s, u"Other"_s, QByteArray(32, '\x01'));
    const Result foreign = quorvane({u"restore"_s, copy, u"--key"_s, path(u"other.quorvanekey"_s)});
    EXPECT_EQ(std::pair(foreign.code, foreign.err),
              std::pair(1, u"None of this key’s stand-ins are in the file. Was it swapped with a different key?\n"_s));
    EXPECT_FALSE(QFileInfo::exists(path(u"people (stand-ins) (restored).csv"_s)));
}

// No copy may land on the key (the only way back) or on the input, however
// the path reaches it; the refusal comes before anything is written.
TEST_F(SwapCommands, CopiesNeverReplaceTheKeyOrTheInput)
{
    ASSERT_TRUE(QFile::link(path(u"k.quorvanekey"_s), path(u"link.quorvanekey"_s)));
    ASSERT_TRUE(QFile::link(path(u"people.csv"_s), path(u"link.csv"_s)));
    write(u"copy.csv"_s, people);
    const QByteArray key = read(u"k.quorvanekey"_s);
    const QString keyMessage = u"“k.quorvanekey” is the key file. Writing there would destroy the key and every value "
                               u"it holds; choose another place.\n"_s;
    const QString inputMessage = u"The copy would replace “people.csv”. Choose another place for it.\n"_s;
    const QString keyPath = path(u"k.quorvanekey"_s);
    const QList<std::pair<QStringList, QString>> cases{
        {{u"swap"_s, path(u"people.csv"_s), u"--key"_s, keyPath, u"-o"_s, keyPath}, keyMessage},
        {{u"swap"_s, path(u"people.csv"_s), u"--key"_s, keyPath, u"-o"_s, path(u"link.quorvanekey"_s)}, keyMessage},
        {{u"restore"_s, path(u"copy.csv"_s), u"--key"_s, keyPath, u"-o"_s, path(u"./k.quorvanekey"_s)}, keyMessage},
        {{u"key"_s, u"export"_s, keyPath, u"--to"_s, path(u"link.quorvanekey"_s)}, keyMessage},
        {{u"swap"_s, path(u"people.csv"_s), u"--key"_s, keyPath, u"-o"_s, path(u"./people.csv"_s)}, inputMessage},
        {{u"swap"_s, path(u"people.csv"_s), u"--key"_s, keyPath, u"-o"_s, path(u"link.csv"_s)}, inputMessage},
    };
    for (const auto &[arguments, message] : cases) {
        const Result refused = quorvane(arguments);
        EXPECT_EQ(std::pair(refused.code, refused.err), std::pair(1, message)) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(read(u"k.quorvanekey"_s), key);
    EXPECT_EQ(read(u"people.csv"_s), people);
}

TEST_F(SwapCommands, AFailedWriteSaysWhy)
{
    const Result missing = quorvane({u"swap"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s), u"-o"_s,
                                     path(u"no such folder/out.csv"_s)});
    EXPECT_EQ(std::pair(missing.code, missing.err),
              std::pair(1, u"“out.csv” couldn’t be written: the folder “%1” doesn’t exist.\n"_s.arg(path(u"no such folder"_s))));
}

TEST_F(SwapCommands, ScanListsItemsAndColumnsAndExcludedItemsStay)
{
    const Result scanned = quorvane({u"scan"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s),
                                     u"--column"_s, u"0:E=skip"_s, u"--json"_s});
    ASSERT_EQ(scanned.code, 0) << scanned.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(scanned.out.toUtf8()).object();
    EXPECT_EQ(json.keys(), (QStringList{u"columns"_s, u"conflicts"_s, u"dataRows"_s, u"freeTextCells"_s, u"items"_s,
                                        u"warnings"_s}));
    EXPECT_EQ(json.value(u"dataRows"_s).toInt(), 3);
    const QJsonArray items = json.value(u"items"_s).toArray();
    ASSERT_EQ(items.size(), 12);
    const QJsonObject first = items.first().toObject();
    EXPECT_EQ(first.keys(), (QStringList{u"alreadyInKey"_s, u"count"_s, u"firstCell"_s, u"id"_s, u"inFreeText"_s,
                                         u"kind"_s, u"standIn"_s, u"text"_s}));
    EXPECT_EQ(std::tuple(first[u"id"_s].toString(), first[u"firstCell"_s].toString(), first[u"alreadyInKey"_s].toBool()),
              std::tuple(u"name|maria"_s, u"A2"_s, false));
    const QJsonObject address = json.value(u"columns"_s).toArray().at(4).toObject();
    EXPECT_EQ(address, (QJsonObject{{u"sheet"_s, u"people"_s}, {u"column"_s, u"E"_s}, {u"header"_s, u"Address"_s},
                                    {u"kind"_s, u"skip"_s}, {u"guessed"_s, false}}));

    const Result swapped = quorvane({u"swap"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s), u"-o"_s,
                                     path(u"out.csv"_s), u"--exclude"_s, u"name|maria"_s, u"--column"_s, u"E=skip"_s});
    ASSERT_EQ(swapped.code, 0) << swapped.err.toStdString();
    const QList<QStringList> out = rows(read(u"out.csv"_s));
    EXPECT_EQ(out.at(1).at(0), u"Maria");
    EXPECT_NE(out.at(1).at(1), u"Lopez");
    EXPECT_EQ(out.at(1).at(4), u"1420 Alder Street, Portland, OR 97205");
    EXPECT_FALSE(openKey(u"k.quorvanekey"_s).storedSubstitute(u"Maria"_s, EntryKind::firstName).has_value());

    // The listing keeps one value a line and still shows where a cell broke.
    write(u"notes.csv"_s, "\"Contact\nname\",Email\nAna Ruiz,ana@example.com\n");
    const Result listed = quorvane({u"scan"_s, path(u"notes.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s)});
    EXPECT_TRUE(listed.out.contains(u"“Contact\\nname”"_s)) << listed.out.toStdString();
}

TEST_F(SwapCommands, SheetsAndMarkdownShowTheFile)
{
    const Result sheets = quorvane({u"sheets"_s, path(u"people.csv"_s)});
    EXPECT_EQ(sheets.out, u"people\n");
    const Result table = quorvane({u"markdown"_s, path(u"people.csv"_s), u"--rows"_s, u"1"_s});
    EXPECT_EQ(table.out, u"| First name | Last name | Email | Phone | Address |\n"
                         "| --- | --- | --- | --- | --- |\n"
                         "| Maria | Lopez | maria.lopez@northwindmail.net | (503) 867-2841 | 1420 Alder Street, Portland, OR 97205 |\n");
    EXPECT_EQ(quorvane({u"markdown"_s, path(u"people.csv"_s), u"--range"_s, u"x"_s}).code, 2);
}

TEST_F(SwapCommands, StandInsAgreeWithTheSeparateImplementation)
{
    const Result swapped = quorvane({u"swap"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s), u"-o"_s,
                                     path(u"out.csv"_s)});
    ASSERT_EQ(swapped.code, 0) << swapped.err.toStdString();
    const QList<QStringList> real = rows(people), out = rows(read(u"out.csv"_s));

    // The scan assigns names first (row by row), then e-mails, phones and ZIP codes.
    QStringList names, emails, phones, zips;
    for (int row = 1; row < real.size(); ++row) {
        names << u"firstName:"_s + real.at(row).at(0) << u"lastName:"_s + real.at(row).at(1);
        emails << u"email:"_s + real.at(row).at(2);
        phones << u"phone:"_s + real.at(row).at(3);
        zips << u"zip:"_s + real.at(row).at(4).right(5);
    }
    const Result assigned = reference(QStringList{u"assign"_s, u"--secret-hex"_s, QString::fromLatin1(secret().toHex())}
                                      + names + emails + phones + zips);
    ASSERT_EQ(assigned.code, 0) << assigned.err.toStdString();
    QHash<QString, QString> expected;
    for (const QString &line : assigned.out.split(u'\n', Qt::SkipEmptyParts))
        expected.insert(line.section(u'\t', 0, 0), line.section(u'\t', 1));

    for (int row = 1; row < real.size(); ++row) {
        SCOPED_TRACE(row);
        for (int column : {0, 1, 2})
            EXPECT_EQ(out.at(row).at(column), expected.value(real.at(row).at(column)));
        EXPECT_EQ(ProjectKey::normalized(out.at(row).at(3), EntryKind::phone), expected.value(real.at(row).at(3)));
        const QString zip = expected.value(real.at(row).at(4).right(5));
        EXPECT_FALSE(zip.isEmpty());
        EXPECT_TRUE(out.at(row).at(4).endsWith(u' ' + zip)) << out.at(row).at(4).toStdString();
    }
}

// Progress goes to standard error only when that is a terminal: drawn in
// place, stage by stage, and cleared before the result is printed.
TEST_F(SwapCommands, ProgressShowsOnATerminalAndNeverInAPipe)
{
    const QStringList swap{u"swap"_s, path(u"people.csv"_s), u"--key"_s, path(u"k.quorvanekey"_s),
                           u"--passphrase-file"_s, path(u"pass.txt"_s)};
    const Result piped = runQuorvane(swap);
    EXPECT_EQ(std::pair(piped.code, piped.err), std::pair(0, QString()));
    const Result restored = quorvane({u"restore"_s, path(u"people (stand-ins).csv"_s), u"--key"_s, path(u"k.quorvanekey"_s)});
    EXPECT_EQ(std::pair(restored.code, restored.err), std::pair(0, QString()));
#ifdef Q_OS_UNIX
    const auto [result, terminal] = runOnTerminal(swap);
    ASSERT_EQ(result.code, 0) << terminal.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"Replaced "_s)) << result.out.toStdString();
    const QString shown = QString::fromUtf8(terminal);
    for (const QString &drawn : {u"\rReading…"_s, u"\rScanning… 0%"_s, u"\rScanning… 100%"_s, u"\rWriting… 100%"_s})
        EXPECT_TRUE(shown.contains(drawn)) << drawn.toStdString();
    EXPECT_FALSE(shown.contains(u'\n'));
    // Blanks over the line, and the cursor back at its start.
    EXPECT_TRUE(shown.endsWith(u"     \r"_s)) << shown.right(20).toStdString();
#endif
}
