// Reading and writing spreadsheet files, on a generated 100 000-row by
// 12-column sheet, against baselines measured in the same run:
//   CSV read + write        vs reading the file and decoding it as UTF-8
//   the customer list of scripts/make-customers.py, read + written,
//                           vs Python's csv module doing the same (when
//                           python3 is there)
//   xlsx read (all grids)   vs inflating every entry with zlib
//   xlsx rewrite            (every text cell changed) vs the same inflation
// and the peak memory of each as a multiple of the data's uncompressed size.

#include "GeneratedSheet.h"
#include "kit/files/Spreadsheet.h"
#include "kit/files/ZipArchive.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

bench::GeneratedCell generated(long r, int c)
{
    return {cellText(int(r), c), c % 6 == 5};
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

// A line of /proc/self/status in bytes (Linux), such as the peak resident
// memory since the last reset (VmHWM); -1 where it can't be read.
qint64 statusBytes(const QByteArray &name)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(QByteArray(name + ':')))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toLongLong() * 1024;
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
    const qint64 before = statusBytes("VmRSS");
    resetPeak();
    work();
    const qint64 peak = statusBytes("VmHWM");
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

// Python's csv module reading the whole file into rows and writing them back
// to bytes in memory, best of three, timed inside Python so that starting the
// interpreter is left out.
const char *const pythonReadWrite = R"(
import csv, io, sys, time
best = None
for _ in range(3):
    start = time.perf_counter()
    with open(sys.argv[1], newline='', encoding='utf-8') as f:
        rows = list(csv.reader(f))
    out = io.StringIO(newline='')
    csv.writer(out).writerows(rows)
    data = out.getvalue().encode('utf-8')
    took = time.perf_counter() - start
    best = took if best is None else min(best, took)
print(best)
)";

// Runs python3 with `arguments`; nothing when it is missing or fails.
std::optional<QByteArray> python(const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(u"python3"_s);
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(600'000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

QByteArray readWriteSpreadsheet(const QString &path, const QString &name)
{
    const Spreadsheet sheet(readFile(path), name);
    return sheet.data([](const auto &, const QString &) { return std::nullopt; });
}

void compareWithPython(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(u"customers.csv"_s);
    const std::optional<QByteArray> customers =
        python({QStringLiteral(QUORVANE_SOURCE_DIR "/scripts/make-customers.py"), QString::number(rowCount)});
    if (!customers) {
        std::printf("customer list: skipped, python3 is not there to make it and to compare with\n");
        return;
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(*customers);
    file.close();
    std::printf("customer list (scripts/make-customers.py): %d rows, %.1f MB\n", rowCount, customers->size() / 1e6);
    if (readWriteSpreadsheet(path, u"customers.csv"_s) != *customers)
        std::abort(); // a file only read and written comes out as it went in
    const double ours = seconds([&] { readWriteSpreadsheet(path, u"customers.csv"_s); });
    const std::optional<QByteArray> theirs = python({u"-c"_s, QString::fromUtf8(pythonReadWrite), path});
    std::printf("  read + write                   %.3f s\n", ours);
    if (!theirs) {
        std::printf("  Python csv: skipped, it did not run\n");
        return;
    }
    const double pythonTime = theirs->trimmed().toDouble();
    std::printf("  Python csv read + write        %.3f s  ours = %.2fx Python's\n", pythonTime, ours / pythonTime);
}

} // namespace

// "bench_files csv" stops after the CSV figures.
int main(int argc, char **argv)
{
    const bool csvOnly = argc > 1 && QByteArray(argv[1]) == "csv";
    QTemporaryDir dir;
    const QString csvPath = dir.filePath(u"data.csv"_s);
    const QString xlsxPath = dir.filePath(u"data.xlsx"_s);
    {
        QFile csv(csvPath);
        csv.open(QIODevice::WriteOnly);
        csv.write(bench::generatedCSV(rowCount, columnCount, generated));
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
    // Memory first, while the heap is fresh: freed blocks kept by the
    // allocator after the timed runs would hide the peak.
    const double csvMemory = memoryMultiple(csvReadWrite, csvSize);
    const double csvTime = seconds(csvReadWrite);
    std::printf("  baseline (read + UTF-8 decode) %.3f s\n", csvBaseline);
    std::printf("  read + write                   %.3f s  = %.2fx baseline\n", csvTime, csvTime / csvBaseline);
    std::printf("  peak memory                    %.2fx the file\n", csvMemory);
    compareWithPython(dir);
    if (csvOnly)
        return 0;

    {
        QFile xlsx(xlsxPath);
        xlsx.open(QIODevice::WriteOnly);
        xlsx.write(bench::generatedXLSX("Data", rowCount, columnCount, generated));
    }
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
