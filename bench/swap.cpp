// Swapping and restoring a generated customer list of 100 000 rows by 12
// columns (names, e-mails, phones, addresses, numbers and a free-text notes
// column), as CSV and as xlsx. Each phase runs in a child process so its peak
// memory is its own, and is compared with a baseline measured in the same run:
// reading the file and writing it back unchanged.
//   swap     read, scan, apply, write the copy
//   restore  read the copy, restore every cell, write
// Then the same at twice the rows: doubling the rows may at most double the time.
// A second file has a different person in every row (name, e-mail, phone and
// address all new; towns from a list of 20 000), which fills the key's
// candidate pools the way a large real customer list does.
//   bench_swap [ROWS [repeating|distinct]...]   rows default to 100 000, both files

#include "GeneratedSheet.h"
#include "kit/files/Spreadsheet.h"
#include "kit/restore/Restorer.h"
#include "kit/swap/Scan.h"
#include "kit/swap/Scrubber.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

constexpr int columnCount = 12;
long rowsInFile = 0;
const char *const headers[columnCount] = {"Customer ID", "First name", "Last name", "Email", "Phone", "Mobile",
                                          "Address", "Company", "Plan", "Amount", "Since", "Notes"};
const char *const firsts[] = {"Maria", "James", "Aisha", "Daniel", "Sofia", "Robert", "Emily", "Carlos",
                              "Hannah", "Kevin", "Priya", "Michael", "Olivia", "Ahmed", "Grace", "Thomas"};
const char *const lasts[] = {"Lopez", "Whitfield", "Rahman", "Kim", "Marchetti", "Chen", "Novak", "Mendes",
                             "Schultz", "Brien", "Shah", "Torres", "Bennett", "Hassan", "Park", "Wright",
                             "Fischer", "Adams", "Foster", "Greene", "Ruiz", "Lindqvist", "Benson"};
const char *const streets[] = {"Alder Street", "Pine Ave", "Clark St", "Rainier Ave", "Beacon Street", "Market St"};
const char *const towns[] = {"Portland, OR", "Boston, MA", "Chicago, IL", "Seattle, WA", "Denver, CO", "Austin, TX"};
const char *const companies[] = {"Northwind Freight", "Harbor Line", "Blue Peak", "Sun Mail", "Fast Post"};

QByteArray pick(const char *const *list, size_t size, long index)
{
    return list[size_t(index) % size];
}
#define PICK(list, index) pick(list, sizeof(list) / sizeof(*list), index)

// A key has room for about 11 800 phone stand-ins before new ones get slow to
// find (and 89 900 ZIP codes in all), so numbers and ZIP codes repeat the way
// shared lines and neighbourhoods do: one distinct number per 40 rows.
QByteArray phone(long r, int salt)
{
    r = (r * 7 + salt * 13) % std::max(1L, rowsInFile / 40);
    const long n = r * 7 + salt * 3;
    return "(" + QByteArray::number(201 + n % 700) + ") " + QByteArray::number(200 + (n / 7) % 700) + "-"
        + QByteArray::number(1000 + r % 9000);
}

QByteArray cellText(long r, int c)
{
    const QByteArray first = PICK(firsts, r * 5), last = PICK(lasts, r * 3 + r / 23);
    switch (c) {
    case 0: return QByteArray::number(100000 + r);
    case 1: return first;
    case 2: return last;
    case 3: return first.toLower() + "." + last.toLower() + QByteArray::number(r) + "@mailhost.net";
    case 4: return phone(r, 0);
    case 5: return phone(r, 1);
    case 6: return QByteArray::number(10 + r % 9000) + " " + PICK(streets, r) + ", " + PICK(towns, r / 6) + " "
                   + QByteArray::number(10000 + r % 2000);
    case 7: return PICK(companies, r);
    case 8: return r % 3 ? "Basic" : "Pro";
    case 9: return QByteArray::number(double(r % 7919) * 1.25, 'f', 2);
    case 10: return "20" + QByteArray::number(10 + r % 15) + "-0" + QByteArray::number(1 + r % 9);
    default:
        switch (r % 4) {
        case 0: return "Called " + first + " " + last + " about the renewal; prefers email.";
        case 1: return "Spoke with " + PICK(firsts, r + 3) + " " + PICK(lasts, r + 1) + ", reach them at " + phone(r, 2) + ".";
        case 2: return "Left a voicemail, no answer yet.";
        default: return "Invoice sent to " + PICK(firsts, r + 7).toLower() + "@" + PICK(lasts, r).toLower() + ".org, paid.";
        }
    }
}

// Row 0 is the header row; numbers go in as number cells.
bench::GeneratedCell generated(long r, int c)
{
    if (r == 0)
        return {headers[c]};
    return {cellText(r - 1, c), c == 0 || c == 9};
}

// The distinct-people file: made-up words from syllables, so every row can
// hold a person, street and town no other row has.
const char *const distinctHeaders[columnCount] = {"ID", "Full name", "Email", "Phone", "Street", "City",
                                                  "State", "ZIP", "Company", "Notes", "Date", "Amount"};
const char *const syllables[] = {"bar", "cor", "dan", "el", "fen", "gal", "hol", "is", "jor", "kel",
                                 "lin", "mar", "nor", "ol", "per", "quin", "ros", "sel", "tam", "vin"};
const char *const givenNames[] = {"Maria", "James", "Aisha", "Daniel", "Sofia", "Robert", "Emily", "Carlos",
                                  "Hannah", "Kevin", "Priya", "Michael", "Olivia", "Ahmed", "Grace", "Thomas",
                                  "Laura", "Peter", "Julia", "Samuel", "Nadia", "Victor", "Irene", "George"};
const char *const states[] = {"OR", "MA", "IL", "WA", "CO", "TX", "NY", "CA", "GA", "OH"};
constexpr long townCount = 20000;

// A capitalised word of `count` syllables that spells n in base 20.
QByteArray madeUpWord(long n, int count)
{
    QByteArray word;
    for (int i = 0; i < count; ++i, n /= 20)
        word += syllables[n % 20];
    word[0] = char(word[0] - 'a' + 'A');
    return word;
}

QByteArray distinctText(long r, int c)
{
    const QByteArray first = PICK(givenNames, r);
    // 24 given names × 8000 family names: a new pair for 192 000 rows, then
    // a middle initial keeps the next ones apart.
    const long pair = r % (24 * 8000);
    const QByteArray last = madeUpWord(pair / 24, 3);
    const QByteArray middle = r < 24 * 8000 ? QByteArray(" ") : QByteArray(" ") + char('A' + (r / (24 * 8000)) % 26) + ". ";
    const QByteArray full = first + middle + last;
    const long town = (r * 7919) % townCount;
    switch (c) {
    case 0: return QByteArray::number(500000 + r);
    case 1: return full;
    case 2: return first.toLower() + "." + last.toLower() + (r >= 24 * 8000 ? QByteArray::number(r) : QByteArray()) + "@mailhost.net";
    case 3: return "(" + QByteArray::number(201 + r % 797) + ") " + QByteArray::number(200 + (r / 797) % 700) + "-"
                   + QByteArray::number(1000 + (r * 31) % 9000);
    case 4: return QByteArray::number(10 + r % 9000) + " " + madeUpWord(r / 9000, 2) + " Street";
    case 5: return madeUpWord(town, 2) + (town % 3 ? "ton" : "ville");
    case 6: return PICK(states, town);
    case 7: return QByteArray::number(10000 + (town * 3 + r % 2) % 89000);
    case 8: return PICK(companies, r);
    case 9: return r % 3 ? QByteArray("Renewal due, called " + first + ".") : QByteArray("No answer yet.");
    case 10: return "20" + QByteArray::number(10 + r % 15) + "-0" + QByteArray::number(1 + r % 9);
    default: return QByteArray::number(double(r % 7919) * 1.25, 'f', 2);
    }
}

bench::GeneratedCell distinctGenerated(long r, int c)
{
    if (r == 0)
        return {distinctHeaders[c]};
    return {distinctText(r - 1, c), c == 0 || c == 11};
}

QByteArray makeFile(const QString &kind, long rows)
{
    rowsInFile = rows;
    if (kind == u"distinct"_s)
        return bench::generatedCSV(rows + 1, columnCount, distinctGenerated);
    return kind == u"csv"_s ? bench::generatedCSV(rows + 1, columnCount, generated)
                            : bench::generatedXLSX("Customers", rows + 1, columnCount, generated);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

Spreadsheet load(const QString &path)
{
    return Spreadsheet(readAll(path), path.section(u'/', -1));
}

struct Measured
{
    double seconds = 0;    // wall time
    double cpuSeconds = 0; // user + system time, steadier on a busy machine
    double peakMiB = 0;
};

// Runs the work in a child process: its wall time and its own peak memory.
Measured inChild(const std::function<void()> &work)
{
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        int code = 0;
        try {
            work();
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s\n", error.what());
            code = 1;
        }
        std::fflush(nullptr);
        _exit(code);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a benchmark phase failed\n");
        std::exit(1);
    }
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return {timer.nsecsElapsed() / 1e9, cpu, usage.ru_maxrss / 1024.0};
}

// The baseline is short, so one slow start (a cold cache, a busy neighbour)
// would flatter every ratio; the fastest of three runs is the honest one.
Measured fastestOfThree(const std::function<void()> &work)
{
    Measured best = inChild(work);
    for (int run = 1; run < 3; ++run) {
        const Measured next = inChild(work);
        best.seconds = std::min(best.seconds, next.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, next.cpuSeconds);
        best.peakMiB = std::min(best.peakMiB, next.peakMiB);
    }
    return best;
}

struct Phases
{
    Measured baseline, swap, restore;
};

Phases measure(const QString &dir, const QString &name)
{
    const QString input = dir + u'/' + name;
    const QString copy = dir + u"/copy-"_s + name;
    const QString keyFile = dir + u"/key.json"_s;
    Phases result;
    result.baseline = fastestOfThree([&] {
        const Spreadsheet file = load(input);
        writeAll(dir + u"/plain-"_s + name,
                 file.data([](const std::optional<CellRef> &, const QString &) { return std::nullopt; }));
    });
    result.swap = inChild([&] {
        const Spreadsheet file = load(input);
        ProjectKey key(u"Bench"_s, QUuid(), QDateTime(), QByteArray(32, '\x11'));
        // As the command-line tool does, the plan goes before the key is saved.
        const Scrubber::Result swapped = [&] {
            const Scan planned = scan(file, key, {});
            return Scrubber::apply(planned, file, key, {});
        }();
        writeAll(copy, swapped.data);
        writeAll(keyFile, key.toJson());
        std::printf("    %s: %d values replaced, %lld key entries\n", qPrintable(name), swapped.replaced,
                    static_cast<long long>(key.valueCount()));
    });
    result.restore = inChild([&] {
        const Restorer::FileResult restored = Restorer::fromKeyJson(readAll(keyFile)).restore(load(copy));
        writeAll(dir + u"/restored-"_s + name, restored.data);
        std::printf("    %s: %d values restored\n", qPrintable(name), restored.count);
    });
    return result;
}

void report(const char *what, const Measured &phase, const Measured &baseline)
{
    std::printf("  %-8s wall %7.2f s (%5.1f x)  cpu %7.2f s (%5.1f x)  peak %7.1f MiB (%4.1f x)\n", what,
                phase.seconds, phase.seconds / baseline.seconds, phase.cpuSeconds,
                phase.cpuSeconds / baseline.cpuSeconds, phase.peakMiB, phase.peakMiB / baseline.peakMiB);
}

} // namespace

QString extension(const QString &kind)
{
    return kind == u"xlsx"_s ? kind : u"csv"_s;
}

int main(int argc, char **argv)
{
    const long rows = argc > 1 ? std::atol(argv[1]) : 100'000;
    QStringList files;
    for (int i = 2; i < argc; ++i)
        files.append(QString::fromLocal8Bit(argv[i]));
    if (files.isEmpty())
        files = {u"repeating"_s, u"distinct"_s};
    QStringList kinds;
    if (files.contains(u"repeating"_s))
        kinds += {u"csv"_s, u"xlsx"_s};
    if (files.contains(u"distinct"_s))
        kinds += u"distinct"_s;
    QTemporaryDir dir;
    bool linear = true;
    for (const QString &kind : kinds) {
        Phases at[2];
        qint64 bytes[2] = {};
        for (int doubled = 0; doubled < 2; ++doubled) {
            const long n = rows << doubled;
            const QString name = u"customers-%1-%2.%3"_s.arg(kind).arg(n).arg(extension(kind));
            inChild([&] { writeAll(dir.path() + u'/' + name, makeFile(kind, n)); });
            bytes[doubled] = QFile(dir.path() + u'/' + name).size();
            std::printf("%s, %ld rows x %d columns (%.1f MiB on disk)\n", qPrintable(kind), n, columnCount,
                        bytes[doubled] / 1048576.0);
            at[doubled] = measure(dir.path(), name);
            std::printf("  baseline wall %7.2f s           cpu %7.2f s           peak %7.1f MiB (read + write unchanged)\n",
                        at[doubled].baseline.seconds, at[doubled].baseline.cpuSeconds, at[doubled].baseline.peakMiB);
            report("swap", at[doubled].swap, at[doubled].baseline);
            report("restore", at[doubled].restore, at[doubled].baseline);
            const double keyBytes = double(QFile(dir.path() + u"/key.json"_s).size());
            std::printf("  swap peak %.1f x the file plus its key (%.1f MiB key JSON)\n",
                        at[doubled].swap.peakMiB * 1048576.0 / (double(bytes[doubled]) + keyBytes),
                        keyBytes / 1048576.0);
        }
        // CPU time: wall time on a shared machine grows with everybody else's load.
        const double swapGrowth = at[1].swap.cpuSeconds / at[0].swap.cpuSeconds;
        const double restoreGrowth = at[1].restore.cpuSeconds / at[0].restore.cpuSeconds;
        std::printf("  twice the rows: swap takes %.2f x, restore %.2f x the CPU time (at most 2 is linear)\n\n",
                    swapGrowth, restoreGrowth);
        // A few per cent on top of 2 is timing noise; the distinct file may
        // grow a little faster, as its key's pools fill.
        const double allowed = kind == u"distinct"_s ? 2.3 : 2.05;
        linear = linear && swapGrowth <= allowed && restoreGrowth <= allowed;
    }
    std::printf(linear ? "linear: yes\n" : "linear: NO\n");
    return linear ? 0 : 1;
}
