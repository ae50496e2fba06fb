// Reading and writing spreadsheet files, on a generated 100 000-row by
// 12-column sheet, against baselines measured in the same run:
//   CSV read + write        vs reading the file and decoding it as UTF-8
//   xlsx read (all grids)   vs inflating every entry with zlib
//   xlsx rewrite            (every text cell changed) vs the same inflation
// and the peak memory of each as a multiple of the data's uncompressed size.

#include "kit/files/Spreadsheet.h"
#include "kit/files/ZipArchive.h"
#include "tests/files/ZipBuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include <cstdio>
#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

constexpr int rowCount = 100'000;
constexpr int columnCount = 12;

const char *const firstNames[] = {"Ann", "Bob", "Carla", "Dev", "Emma", "Finn", "Gus", "Hana", "Iris", "José"};
const char *const lastNames[] = {"Lee", "Miller", "Novak", "Ortiz", "Patel", "Quinn", "Rossi", "Søren"};

// Row r, column c: names, e-mails, phones, towns, notes and numbers.
QByteArray cellText(int r, int c)
{
    const QByteArray first = firstNames[(r * 7 + c) % 10];
    const QByteArray last = lastNames[(r * 3 + c) % 8];
    switch (c % 6) {
    case 0: return first + " " + last;
    case 1: return first.toLower() + "." + QByteArray::number(r) + "@example.com";
    case 2: return "555-01" + QByteArray::number(10 + r % 90);
    case 3: return QByteArray::number(r % 997) + " Main St, Springfield";
    case 4: return "Called " + first + " on " + QByteArray::number(r % 28 + 1) + " May, \"urgent\"";
    default: return QByteArray::number(r * 1.25, 'f', 2);
    }
}

bool isNumber(int c)
{
    return c % 6 == 5;
}

QByteArray makeCSV()
{
    QByteArray csv;
    for (int r = 0; r < rowCount; ++r) {
        for (int c = 0; c < columnCount; ++c) {
            const QByteArray text = cellText(r, c);
            if (c)
                csv += ',';
            if (text.contains(','))
                csv.append('"').append(QByteArray(text).replace("\"", "\"\"")).append('"');
            else
                csv.append(text);
        }
        csv += "\r\n";
    }
    return csv;
}

QByteArray xmlEscaped(const QByteArray &text)
{
    return QByteArray(text).replace("&", "&amp;").replace("<", "&lt;").replace("\"", "&quot;");
}

QByteArray makeXLSX()
{
    QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"urn:main\"><sheetData>";
    QByteArray strings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"urn:main\">";
    QHash<QByteArray, int> index;
    for (int r = 0; r < rowCount; ++r) {
        sheet += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < columnCount; ++c) {
            const QByteArray ref = QByteArray(1, char('A' + c)) + QByteArray::number(r + 1);
            const QByteArray text = cellText(r, c);
            if (isNumber(c)) {
                sheet += "<c r=\"" + ref + "\"><v>" + text + "</v></c>";
                continue;
            }
            auto found = index.constFind(text);
            if (found == index.cend()) {
                found = index.insert(text, int(index.size()));
                strings += "<si><t>" + xmlEscaped(text) + "</t></si>";
            }
            sheet += "<c r=\"" + ref + "\" t=\"s\"><v>" + QByteArray::number(*found) + "</v></c>";
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    strings += "</sst>";
    return test::ZipBuilder()
        .add("[Content_Types].xml", "<Types/>")
        .add("xl/workbook.xml", "<workbook><sheets><sheet name=\"Data\" r:id=\"rId1\"/></sheets></workbook>")
        .add("xl/_rels/workbook.xml.rels",
             "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>")
        .add("xl/worksheets/sheet1.xml", sheet)
        .add("xl/sharedStrings.xml", strings)
        .build();
}

double seconds(const std::function<void()> &work, int repeats = 3)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// The process's peak resident memory since the last reset, in bytes (Linux);
// -1 where it can't be read.
qint64 peakResident()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

qint64 currentResident()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return -1;
}

void resetPeak()
{
    QFile clear(u"/proc/self/clear_refs"_s);
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Extra peak memory while `work` runs, as a multiple of `size`.
double memoryMultiple(const std::function<void()> &work, qint64 size)
{
    const qint64 before = currentResident();
    resetPeak();
    work();
    const qint64 peak = peakResident();
    return before < 0 || peak < 0 ? -1 : double(peak - before) / double(size);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Inflates the raw DEFLATE stream of every entry with zlib and nothing else.
qint64 inflateAll(const QByteArray &bytes)
{
    const ZipArchive archive(bytes);
    qint64 total = 0;
    for (const ZipArchive::Entry &entry : archive.entries()) {
        const QByteArrayView stored = archive.storedBytes(entry);
        QByteArray out(qsizetype(entry.size), Qt::Uninitialized);
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stored.data()));
        stream.avail_in = uInt(stored.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        inflate(&stream, Z_FINISH);
        total += qint64(stream.total_out);
        inflateEnd(&stream);
    }
    return total;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString csvPath = dir.filePath(u"data.csv"_s);
    const QString xlsxPath = dir.filePath(u"data.xlsx"_s);
    {
        QFile csv(csvPath), xlsx(xlsxPath);
        csv.open(QIODevice::WriteOnly);
        csv.write(makeCSV());
        xlsx.open(QIODevice::WriteOnly);
        xlsx.write(makeXLSX());
    }
    const qint64 csvSize = QFileInfo(csvPath).size();
    std::printf("CSV: %d rows x %d columns, %.1f MB\n", rowCount, columnCount, csvSize / 1e6);

    const double csvBaseline = seconds([&] {
        const QString text = QString::fromUtf8(readFile(csvPath));
        if (text.isEmpty())
            std::abort();
    });
    const auto csvReadWrite = [&] {
        const Spreadsheet sheet(readFile(csvPath), u"data.csv"_s);
        const QByteArray out = sheet.data([](const auto &, const QString &) { return std::nullopt; });
        if (out.size() != csvSize)
            std::abort();
    };
    const double csvTime = seconds(csvReadWrite);
    std::printf("  baseline (read + UTF-8 decode) %.3f s\n", csvBaseline);
    std::printf("  read + write                   %.3f s  = %.2fx baseline\n", csvTime, csvTime / csvBaseline);
    std::printf("  peak memory                    %.2fx the file\n", memoryMultiple(csvReadWrite, csvSize));

    const QByteArray xlsxBytes = readFile(xlsxPath);
    qint64 uncompressed = 0;
    const ZipArchive xlsxArchive(xlsxBytes);
    for (const ZipArchive::Entry &entry : xlsxArchive.entries())
        uncompressed += qint64(entry.size);
    std::printf("xlsx: %.1f MB, %.1f MB uncompressed\n", xlsxBytes.size() / 1e6, uncompressed / 1e6);

    const double inflateTime = seconds([&] {
        if (inflateAll(readFile(xlsxPath)) != uncompressed)
            std::abort();
    });
    const auto xlsxRead = [&] {
        const Spreadsheet book(readFile(xlsxPath), u"data.xlsx"_s);
        for (int s = 0; s < book.sheetNames().size(); ++s)
            if (book.grid(s).size() != rowCount)
                std::abort();
    };
    const auto xlsxRewrite = [&] {
        const Spreadsheet book(readFile(xlsxPath), u"data.xlsx"_s);
        const QByteArray out = book.data([](const auto &, const QString &text) { return std::optional(QString(text).append(u'.')); });
        if (out.isEmpty())
            std::abort();
    };
    const double readTime = seconds(xlsxRead);
    const double rewriteTime = seconds(xlsxRewrite, 1);
    std::printf("  baseline (inflate every entry)  %.3f s\n", inflateTime);
    std::printf("  read, all grids                 %.3f s  = %.2fx baseline\n", readTime, readTime / inflateTime);
    std::printf("  open + rewrite every text cell  %.3f s  = %.2fx baseline\n", rewriteTime, rewriteTime / inflateTime);
    std::printf("  peak memory, read               %.2fx uncompressed\n", memoryMultiple(xlsxRead, uncompressed));
    std::printf("  peak memory, rewrite            %.2fx uncompressed\n", memoryMultiple(xlsxRewrite, uncompressed));
    return 0;
}
