#include "ArchiveExpectations.h"
#include "ZipBuilder.h"
#include "kit/files/ZipArchive.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

const QHash<QString, QByteArray> nothingReplaced;

QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ZipArchive::Failure &failure) {
        return failure.message();
    }
    return {};
}

QString openFailure(const QByteArray &bytes)
{
    return failureOf([&] { ZipArchive archive(bytes); });
}

QString readFailure(const QByteArray &bytes)
{
    return failureOf([&] {
        ZipArchive archive(bytes);
        archive.data(archive.entries().first());
    });
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(QUORVANE_TEST_DATA "/files/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ZipArchive, RewritingWithNothingReplacedKeepsEveryStoredEntry)
{
    for (const QString &name : {u"people.xlsx"_s, u"rows.xlsx"_s}) {
        const ZipArchive original(fixture(name));
        ASSERT_GT(original.entries().size(), 3) << name.toStdString();
        expectSameEntries(original, ZipArchive(original.data(nothingReplaced)));
    }
}

TEST(ZipArchive, ReadsTheFormsOtherWritersUse)
{
    const QByteArray text = QByteArray("hello zip ").repeated(200);
    ZipItem described{"described.txt", text};
    described.dataDescriptor = true;
    ZipItem wide{"wide.txt", text};
    wide.zip64 = true;
    ZipItem latin{"caf\xE9.txt", "x", 0, 0};
    ZipItem odd{"odd.bin", "payload", 14, 0x0800};
    odd.stored = "not lzma at all";
    const QByteArray bytes = ZipBuilder().add(described).add(wide).add(latin).add(odd).build(true);

    const ZipArchive archive(bytes);
    EXPECT_EQ(archive.paths(), (QStringList{u"described.txt"_s, u"wide.txt"_s, u"café.txt"_s, u"odd.bin"_s}));
    EXPECT_EQ(archive.data(archive.entries()[0]), text);
    EXPECT_EQ(archive.data(archive.entries()[1]), text);
    EXPECT_EQ(archive.entries()[1].headerOffset, archive.entries()[0].headerOffset + 30 + 13
                                                     + archive.entries()[0].compressedSize + 16);
    EXPECT_EQ(failureOf([&] { archive.data(archive.entries()[3]); }),
              u"“odd.bin” uses a kind of compression that can’t be read."_s);

    // Written back: complete local headers, no descriptor, UTF-8 names, the
    // unknown method carried over as it was.
    const ZipArchive rewritten(archive.data(nothingReplaced));
    expectSameEntries(ZipArchive(ZipBuilder().add(described).add(wide).add(latin).build()),
                      ZipArchive(ZipArchive(ZipBuilder().add(described).add(wide).add(latin).build()).data(nothingReplaced)));
    for (const ZipArchive::Entry &entry : rewritten.entries())
        EXPECT_EQ(entry.flags & 0x0809, 0x0800);
    EXPECT_TRUE(rewritten.bytes().contains("caf\xC3\xA9.txt"));
    EXPECT_EQ(rewritten.entries()[3].method, 14);
    EXPECT_EQ(rewritten.storedBytes(rewritten.entries()[3]), "not lzma at all");
    const QByteArray out = rewritten.bytes();
    EXPECT_EQ(out.mid(6, 2), QByteArray("\x00\x08", 2)); // first local header's flags
    EXPECT_EQ(out.indexOf("PK\x07\x08"), -1);
}

TEST(ZipArchive, FindsEndRecordAndEntries)
{
    const QByteArray plain = ZipBuilder().add("xl/Workbook.xml", "a").add("xl/workbook.XML", "b").build();
    const ZipArchive archive(plain);
    EXPECT_EQ(archive.entry(u"xl/workbook.XML"_s)->path, u"xl/workbook.XML");
    EXPECT_EQ(archive.entry(u"XL/WORKBOOK.XML"_s)->path, u"xl/Workbook.xml");
    EXPECT_FALSE(archive.entry(u"xl/other.xml"_s));

    const QByteArray commented = ZipBuilder().add("a", "b").build(false, QByteArray(65'535, 'c'));
    EXPECT_EQ(ZipArchive(commented).paths(), QStringList{u"a"_s});

    // 0xFFFF entries without a ZIP64 locator: the 16-bit count stands (and is wrong here).
    QByteArray saturated = plain;
    saturated[saturated.size() - 12] = char(0xFF);
    saturated[saturated.size() - 11] = char(0xFF);
    EXPECT_EQ(openFailure(saturated), u"The file’s directory is damaged."_s);
}

TEST(ZipArchive, DamagedArchivesFailWithTheirMessage)
{
    const QString notZip = u"It isn’t a zip archive."_s;
    EXPECT_EQ(openFailure(""), notZip);
    EXPECT_EQ(openFailure("PK\x05\x06"), notZip);
    EXPECT_EQ(openFailure(QByteArray(70'000, 'x')), notZip);

    const QByteArray good = ZipBuilder().add("a.txt", QByteArray("abc").repeated(100)).build();
    const qsizetype end = good.lastIndexOf("PK\x05\x06");
    QByteArray cut = good;
    cut[end + 16] = char(0x7F); // directory offset beyond the data
    EXPECT_EQ(openFailure(cut), u"The file is damaged (its directory is cut off)."_s);
    QByteArray wrongSignature = good;
    wrongSignature[good.indexOf("PK\x01\x02") + 2] = 'X';
    EXPECT_EQ(openFailure(wrongSignature), u"The file’s directory is damaged."_s);

    QByteArray lostZip64 = ZipBuilder().add("a", "b").build(true);
    lostZip64[lostZip64.lastIndexOf("PK\x06\x07") + 8] = char(0x70);
    EXPECT_EQ(openFailure(lostZip64), u"The file’s ZIP64 record is damaged."_s);

    const QByteArray content = QByteArray("abcdefgh").repeated(64);
    ZipItem bigger{"a.txt", content};
    bigger.declaredSize = content.size() - 10; // inflates past its declared size
    EXPECT_EQ(readFailure(ZipBuilder().add(bigger).build()), u"“a.txt” didn’t check out (the file may be damaged)."_s);
    ZipItem smaller{"a.txt", content};
    smaller.declaredSize = content.size() + 10;
    EXPECT_EQ(readFailure(ZipBuilder().add(smaller).build()), u"“a.txt” didn’t check out (the file may be damaged)."_s);
    ZipItem garbage{"a.txt", content};
    garbage.stored = QByteArray("\xFF\xFF\xFF\xFF garbage");
    EXPECT_EQ(readFailure(ZipBuilder().add(garbage).build()), u"“a.txt” didn’t check out (the file may be damaged)."_s);
    ZipItem huge{"a.txt", content};
    huge.declaredSize = 600ull * 1024 * 1024;
    EXPECT_EQ(readFailure(ZipBuilder().add(huge).build()), u"“a.txt” is damaged."_s);
    ZipItem empty{"a.txt", content};
    empty.stored = QByteArray();
    EXPECT_EQ(readFailure(ZipBuilder().add(empty).build()), u"“a.txt” is damaged."_s);

    // The stored size lies: it runs past the end of the data.
    QByteArray lying = good;
    lying[good.indexOf("PK\x01\x02") + 23] = char(0x7F);
    EXPECT_EQ(readFailure(lying), u"“a.txt” is damaged."_s);
    EXPECT_EQ(failureOf([&] { ZipArchive(lying).data(nothingReplaced); }), u"“a.txt” is damaged."_s);
    QByteArray noLocalHeader = good;
    noLocalHeader[1] = 'Q';
    EXPECT_EQ(readFailure(noLocalHeader), u"“a.txt” is damaged."_s);
}

TEST(ZipArchive, ReplacesEntriesStoredOrDeflated)
{
    const QByteArray original = ZipBuilder()
                                    .add("keep.xml", QByteArray("<keep/>").repeated(50))
                                    .add("grow.xml", "x")
                                    .add("empty.xml", "not for long")
                                    .add("noise.bin", "y")
                                    .build();
    QByteArray noise(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + i / 3 * 104729) >> 3);
    const ZipArchive archive(original);
    const ZipArchive rewritten(archive.data({{u"grow.xml"_s, QByteArray("<row/>").repeated(1000)},
                                             {u"empty.xml"_s, QByteArray()},
                                             {u"noise.bin"_s, noise},
                                             {u"absent.xml"_s, "ignored"}}));
    EXPECT_EQ(rewritten.paths(), archive.paths());
    EXPECT_EQ(rewritten.storedBytes(rewritten.entries()[0]), archive.storedBytes(archive.entries()[0]));
    const ZipArchive::Entry grown = rewritten.entries()[1];
    EXPECT_EQ(grown.method, 8);
    EXPECT_EQ(rewritten.data(grown), QByteArray("<row/>").repeated(1000));
    EXPECT_EQ(grown.time, archive.entries()[1].time); // replaced entries keep their time
    const ZipArchive::Entry emptied = rewritten.entries()[2];
    EXPECT_EQ(emptied.method, 0);
    EXPECT_EQ(emptied.size, 0u);
    EXPECT_EQ(emptied.crc32, 0u);
    const ZipArchive::Entry noisy = rewritten.entries()[3];
    EXPECT_EQ(rewritten.data(noisy), noise);
    EXPECT_EQ(noisy.method, ZipArchive::deflate(noise)->size() < noise.size() ? 8 : 0);
    EXPECT_EQ(ZipArchive::crc32("123456789"), 0xCBF43926u);
}
