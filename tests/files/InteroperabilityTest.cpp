// A workbook we rewrite must open in a real office suite and show exactly the
// texts we meant: LibreOffice (installed by scripts/install-deps.sh) converts
// the original and the rewritten copy to CSV, and the two are compared cell by
// cell.

#include "TestFiles.h"
#include "kit/files/Spreadsheet.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

using Table = QList<QStringList>;

// Converts every sheet of each workbook to "<name>-<sheet>.csv" in `out`, with
// a profile of its own so that parallel runs don't share one.
bool convertToCSV(const QString &soffice, const QTemporaryDir &dir, const QStringList &workbooks)
{
    QProcess office;
    office.setProgram(soffice);
    office.setArguments(QStringList{u"-env:UserInstallation="_s + QUrl::fromLocalFile(dir.filePath(u"profile"_s)).toString(),
                                    u"--headless"_s, u"--convert-to"_s,
                                    u"csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"_s,
                                    u"--outdir"_s, dir.filePath(u"out"_s)}
                        + workbooks);
    office.start();
    return office.waitForFinished(180'000) && office.exitStatus() == QProcess::NormalExit && office.exitCode() == 0;
}

struct Case
{
    QString fixture;
    QStringList sheets;
    // Sheet, row and column of a cell to the text it gets.
    QHash<CellRef, QString> changes;
};

} // namespace

TEST(Interoperability, OfficeSuiteShowsTheRewrittenTexts)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed; scripts/install-deps.sh installs it";

    QHash<CellRef, QString> rowsChanges;
    for (int row = 0; row < 10'000; row += 3)
        rowsChanges.insert({0, row, 1}, u"Person "_s + QString::number(row));
    const QList<Case> cases = {
        {u"people"_s,
         {u"People"_s, u"Notes & Places"_s},
         {{{0, 1, 0}, u"Zoë <Ødegård> & \"Co\""_s}, // shared with a cell on the next sheet, which keeps its text
          {{0, 1, 2}, u"Shelbyville"_s},            // now the same text as another string
          {{0, 2, 0}, u"Plain now"_s},              // was rich text
          {{0, 1, 6}, u"Dear Ann 'A' & <B>"_s},     // a formula's cached text
          {{0, 3, 6}, u"Ogdenville"_s},
          {{1, 2, 0}, u"Three\nlines\nhere"_s}}},
        {u"rows"_s, {u"Rows"_s}, rowsChanges},
    };

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList workbooks;
    for (const Case &c : cases) {
        const QByteArray original = fixture(c.fixture + u".xlsx"_s);
        const QByteArray rewritten = Spreadsheet(original, c.fixture + u".xlsx"_s)
                                         .data([&](const std::optional<CellRef> &cell, const QString &) {
                                             return cell && c.changes.contains(*cell) ? std::optional(c.changes[*cell])
                                                                                      : std::nullopt;
                                         });
        const QString originalPath = dir.filePath(c.fixture + u".xlsx"_s);
        const QString rewrittenPath = dir.filePath(c.fixture + u"-rewritten.xlsx"_s);
        ASSERT_TRUE(writeBytes(originalPath, original) && writeBytes(rewrittenPath, rewritten));
        workbooks << originalPath << rewrittenPath;
    }
    ASSERT_TRUE(convertToCSV(soffice, dir, workbooks));

    for (const Case &c : cases) {
        for (int s = 0; s < c.sheets.size(); ++s) {
            const QString sheet = c.sheets[s];
            Table expected = csvTexts(readBytes(dir.filePath(u"out/"_s + c.fixture + u"-"_s + sheet + u".csv"_s)));
            const Table shown = csvTexts(readBytes(dir.filePath(u"out/"_s + c.fixture + u"-rewritten-"_s + sheet + u".csv"_s)));
            ASSERT_FALSE(expected.isEmpty()) << sheet.toStdString();
            for (auto change = c.changes.cbegin(); change != c.changes.cend(); ++change)
                if (change.key().sheet == s)
                    expected[change.key().row][change.key().column] = change.value();
            ASSERT_EQ(shown.size(), expected.size()) << sheet.toStdString();
            for (qsizetype row = 0; row < expected.size(); ++row)
                EXPECT_EQ(shown[row], expected[row]) << sheet.toStdString() << " row " << row + 1;
        }
    }
}
