// Cells per second of the detector on typed and free-text columns, each set
// against a bare e-mail pattern scan over the same cells in the same run.
#include "kit/find/Detector.h"
#include "kit/find/TextRules.h"
#include "kit/keys/Pools.h"

#include <QElapsedTimer>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

constexpr int cellsPerColumn = 4000;

const QStringList &notes()
{
    static const QStringList list{
        u"Spoke with %1 about the renewal, she wants the annual plan."_s,
        u"Called %1 twice, no answer. Left voicemail on Monday."_s,
        u"Customer asked for a refund, escalated to %1. Ticket #4471."_s,
        u"Shipping label printed, FedEx pickup scheduled for Wednesday."_s,
        u"Order delayed because of the storm in Denver; new ETA next week."_s,
        u"Thanks %1! The shipment arrived in Chicago. Reach me at %2."_s,
        u"Per %1, the Acme Corp contract renews in June. Call (212) 555-0142."_s,
        u"Great call today, the client loves the new dashboard and wants a demo for the team."_s,
        u"Tenant in unit 4B reports a leak under the sink, plumber booked for 9am."_s,
        u"Deliver to 42 Oak Lane, Springfield, IL 62704 before Friday; %1 will sign."_s,
        u"Meeting notes: %1 to draft the proposal, review on Thursday with Finance."_s,
        u"Invoice 1182 overdue, second reminder sent, no reply yet."_s,
    };
    return list;
}

struct Column
{
    const char *title;
    ColumnKind kind;
    QStringList cells;
};

QString person(int i)
{
    const auto &first = pools::firstNames();
    const auto &last = pools::lastNames();
    return first.at(i % first.size()) + u' ' + last.at((i * 7) % 60);
}

QList<Column> columns()
{
    QList<Column> result{{"full names", ColumnKind::fullName, {}},
                         {"e-mails", ColumnKind::email, {}},
                         {"phones", ColumnKind::phone, {}},
                         {"addresses", ColumnKind::address, {}},
                         {"free-text notes", ColumnKind::autoDetect, {}}};
    for (int i = 0; i < cellsPerColumn; ++i) {
        const QString name = person(i);
        const QString mail = name.toLower().replace(u' ', u'.') + u"@example.com"_s;
        result[0].cells.append(name);
        result[1].cells.append(mail);
        result[2].cells.append(u"(%1) 555-01%2"_s.arg(200 + i % 700).arg(i % 100, 2, 10, QChar(u'0')));
        result[3].cells.append(u"%1 %2 Street, Springfield, IL %3"_s.arg(10 + i % 990)
                                   .arg(pools::streetNames().at(i % pools::streetNames().size()))
                                   .arg(60000 + i % 9999));
        result[4].cells.append(QString(notes().at(i % notes().size())).replace(u"%1"_s, name).replace(u"%2"_s, mail));
    }
    return result;
}

// Seconds per pass over the cells, from enough passes to last a third of a second.
double secondsPerPass(const std::function<void()> &pass)
{
    pass(); // untimed: word lists and dictionaries load on first use
    QElapsedTimer timer;
    timer.start();
    int passes = 0;
    do {
        pass();
        ++passes;
    } while (timer.nsecsElapsed() < 300'000'000);
    return timer.nsecsElapsed() / 1e9 / passes;
}

void printRow(const char *title, const QStringList &cells, const std::function<qsizetype(const QString &)> &detect)
{
    qsizetype found = 0;
    const double detecting = secondsPerPass([&] {
        for (const QString &cell : cells)
            found += detect(cell);
    });
    const double scanning = secondsPerPass([&] {
        for (const QString &cell : cells) {
            auto matches = emailPattern().globalMatch(cell);
            while (matches.hasNext())
                found += matches.next().capturedLength() > 0;
        }
    });
    const double n = cells.size();
    std::printf("%-16s %14.0f %16.0f %9.1fx\n", title, n / detecting, n / scanning, detecting / scanning);
    if (found == 0)
        std::printf("  (nothing found in %s)\n", title);
}

} // namespace

int main()
{
    Detector detector;
    std::printf("%-16s %14s %16s %10s\n", "column", "detector c/s", "e-mail scan c/s", "ratio");
    const QList<Column> all = columns();
    for (const Column &column : all)
        printRow(column.title, column.cells, [&](const QString &cell) { return detector.findings(cell, column.kind).size(); });
    // A detector remembers the texts it has read; a new one each pass reads every note afresh.
    const QStringList &notes = all.back().cells;
    std::unique_ptr<Detector> fresh;
    qsizetype read = 0;
    printRow("notes, unseen", notes, [&](const QString &cell) {
        if (read++ % notes.size() == 0)
            fresh = std::make_unique<Detector>();
        return fresh->findings(cell, ColumnKind::autoDetect).size();
    });
    std::printf("ratio: detector time per cell over the bare e-mail scan's; single thread\n");
    return 0;
}
