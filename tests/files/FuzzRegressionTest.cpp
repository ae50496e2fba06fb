// Replays every input a file fuzzer once failed on (kept under
// tests/data/fuzz/<fuzzer>/), and the seeds it starts from, through the same
// checks the fuzzer makes.

#include "../fuzz/FilesFuzzing.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace quorvane;

namespace {

void replay(const QString &fuzzer, void (*check)(const QByteArray &))
{
    for (const char *kept : {"/fuzz/", "/fuzz-seeds/"}) {
        const QDir dir(QStringLiteral(QUORVANE_TEST_DATA) + QString::fromLatin1(kept) + fuzzer);
        for (const QFileInfo &info : dir.entryInfoList(QDir::Files)) {
            QFile file(info.filePath());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            SCOPED_TRACE(info.fileName().toStdString());
            check(file.readAll());
        }
    }
}

} // namespace

TEST(FuzzRegressions, ReplayKeptInputs)
{
    replay(QStringLiteral("CSVDocumentFuzz"), fuzzing::csvDocument);
    replay(QStringLiteral("ZipArchiveFuzz"), fuzzing::zipArchive);
    replay(QStringLiteral("XLSXDocumentFuzz"), fuzzing::xlsxDocument);
    replay(QStringLiteral("SheetReaderFuzz"), fuzzing::sheetReader);
}
