#include "TestFiles.h"
#include "ZipBuilder.h"
#include "kit/files/ZipArchive.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

const QHash<QString, QByteArray> nothingReplaced;

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

} // namespace

TEST(ZipArchive, ReadsTheFormsOtherWritersUse)
{
    const QByteArray text = QByteArray("hello zip ").repeated(200);
    ZipItem described{"described.txt", text};
    described.dataDescriptor = true;
    ZipItem wide{"wide.txt", text};
    wide.zip64 = true;
    ZipItem odd{"odd.bin", "payload", 14};
    odd.stored = "not lzma at all";
    const QByteArray bytes = ZipBuilder().add(described).add(wide).add({"caf\xE9.txt", "x", 0, 0}).add(odd).build(true);

    const ZipArchive archive(bytes);
    EXPECT_EQ(archive.paths(), (QStringList{u"described.txt"_s, u"wide.txt"_s, u"café.txt"_s, u"odd.bin"_s}));
    EXPECT_EQ(archive.data(archive.entries()[0]), text);
    EXPECT_EQ(archive.data(archive.entries()[1]), text);
    EXPECT_EQ(failureOf([&] { archive.data(archive.entries()[3]); }),
              u"“odd.bin” uses a kind of compression that can’t be read."_s);

    // Written back: complete local headers, no descriptor, UTF-8 names, the
    // unknown method carried over as it was.
    const ZipArchive rewritten(archive.data(nothingReplaced));
    expectSameEntries(archive, rewritten);
    for (const ZipArchive::Entry &entry : rewritten.entries())
        EXPECT_EQ(entry.flags & 0x0809, 0x0800);
    EXPECT_EQ(rewritten.bytes().mid(6, 2), QByteArray("\x00\x08", 2)); // the first local header's flags
    EXPECT_EQ(rewritten.bytes().indexOf("PK\x07\x08"), -1);
    EXPECT_TRUE(rewritten.bytes().contains("caf\xC3\xA9.txt"));
}

TEST(ZipArchive, FindsEndRecordAndEntries)
{
    const QByteArray plain = ZipBuilder().add("xl/Workbook.xml", "a").add("xl/workbook.XML", "b").build();
    const ZipArchive archive(plain);
    EXPECT_EQ(archive.entry(u"xl/workbook.XML"_s)->path, u"xl/workbook.XML");
    EXPECT_EQ(archive.entry(u"XL/WORKBOOK.XML"_s)->path, u"xl/Workbook.xml");
    EXPECT_FALSE(archive.entry(u"xl/other.xml"_s));
    EXPECT_EQ(ZipArchive(ZipBuilder().add("a", "b").build(false, QByteArray(65'535, 'c'))).paths(), QStringList{u"a"_s});

    // 0xFFFF entries without a ZIP64 locator: the 16-bit count stands (and is wrong here).
    QByteArray saturated = plain;
    saturated[saturated.size() - 12] = saturated[saturated.size() - 11] = char(0xFF);
    EXPECT_EQ(openFailure(saturated), u"The file’s directory is damaged."_s);
}

TEST(ZipArchive, DamagedArchivesFailWithTheirMessage)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("PK\x05\x06"), QByteArray(70'000, 'x')})
        EXPECT_EQ(openFailure(bytes), u"It isn’t a zip archive."_s);

    const QByteArray good = ZipBuilder().add("a.txt", QByteArray("abc").repeated(100)).build();
    const auto damaged = [&](const char *record, int offset, char byte) {
        QByteArray bytes = good;
        bytes[good.lastIndexOf(record) + offset] = byte;
        return bytes;
    };
    EXPECT_EQ(openFailure(damaged("PK\x05\x06", 16, 0x7F)), u"The file is damaged (its directory is cut off)."_s);
    EXPECT_EQ(openFailure(damaged("PK\x01\x02", 2, 'X')), u"The file’s directory is damaged."_s);
    QByteArray lostZip64 = ZipBuilder().add("a", "b").build(true);
    lostZip64[lostZip64.lastIndexOf("PK\x06\x07") + 8] = char(0x70);
    EXPECT_EQ(openFailure(lostZip64), u"The file’s ZIP64 record is damaged."_s);

    const QString checkedOut = u"“a.txt” didn’t check out (the file may be damaged)."_s;
    const QString isDamaged = u"“a.txt” is damaged."_s;
    const QByteArray content = QByteArray("abcdefgh").repeated(64);
    const auto entry = [&](std::optional<quint64> declaredSize, std::optional<QByteArray> stored) {
        ZipItem item{"a.txt", content};
        item.declaredSize = declaredSize;
        item.stored = stored;
        return ZipBuilder().add(item).build();
    };
    EXPECT_EQ(readFailure(entry(content.size() - 10, {})), checkedOut); // inflates past its size
    EXPECT_EQ(readFailure(entry({}, QByteArray("\xFF\xFF\xFF\xFF garbage"))), checkedOut);
    EXPECT_EQ(readFailure(entry(600ull << 20, {})), isDamaged);
    EXPECT_EQ(readFailure(entry({}, QByteArray())), isDamaged);
    const QByteArray lying = damaged("PK\x01\x02", 23, 0x7F); // stored size runs past the end
    EXPECT_EQ(readFailure(lying), isDamaged);
    EXPECT_EQ(failureOf([&] { ZipArchive(lying).data(nothingReplaced); }), isDamaged);
    EXPECT_EQ(readFailure(damaged("PK\x03\x04", 1, 'Q')), isDamaged);
}

TEST(ZipArchive, ReplacesEntriesStoredOrDeflated)
{
    QByteArray noise(4096, Qt::Uninitialized);
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + i / 3 * 104729) >> 3);
    const ZipArchive archive(ZipBuilder().add("keep.xml", "<keep/>").add("grow.xml", "x").add("empty.xml", "y")
                                 .add("noise.bin", "z").build());
    const ZipArchive rewritten(archive.data({{u"grow.xml"_s, QByteArray("<row/>").repeated(1000)},
                                             {u"empty.xml"_s, QByteArray()},
                                             {u"noise.bin"_s, noise},
                                             {u"absent.xml"_s, "ignored"}}));
    EXPECT_EQ(rewritten.paths(), archive.paths());
    EXPECT_EQ(rewritten.storedBytes(rewritten.entries()[0]), archive.storedBytes(archive.entries()[0]));
    const ZipArchive::Entry grown = rewritten.entries()[1], emptied = rewritten.entries()[2];
    EXPECT_EQ(grown.method, 8);
    EXPECT_EQ(rewritten.data(grown), QByteArray("<row/>").repeated(1000));
    EXPECT_EQ(grown.time, archive.entries()[1].time); // replaced entries keep their time
    EXPECT_EQ(std::tuple(emptied.method, emptied.size, emptied.crc32), std::tuple(quint16(0), quint64(0), quint32(0)));
    EXPECT_EQ(rewritten.data(rewritten.entries()[3]), noise);
    EXPECT_EQ(rewritten.entries()[3].method, ZipArchive::deflate(noise)->size() < noise.size() ? 8 : 0);
}
