// Restoring pasted text: its cost against decoding the same bytes from UTF-8
// (what reading it costs at the least), and how it grows with the length of
// the text. Times are the thread's CPU time.
//   bench_restore [MEGABYTES]   size of the smallest text (default 1)
#include "kit/restore/Restorer.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>
#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double secondsOf(const std::function<void()> &body)
{
    const double start = cpuSeconds();
    body();
    return cpuSeconds() - start;
}

constexpr int people = 2000;

QString standInName(int i)
{
    return u"Stand"_s + QString::number(i, 36);
}

ProjectKey keyWithPeople()
{
    ProjectKey key(u"Bench"_s);
    for (int i = 0; i < people; ++i) {
        const QString n = QString::number(i);
        key.record({EntryKind::firstName, u"Real"_s + n, standInName(i)});
        key.record({EntryKind::email, u"real"_s + n + u"@corp.test"_s, u"stand"_s + n + u"@example.com"_s});
        key.record({EntryKind::phone, u"415"_s + n.rightJustified(7, u'0'), u"212555"_s + n.rightJustified(4, u'0')});
    }
    key.record({EntryKind::city, u"Salem"_s, u"Cedarhaven Springs"_s});
    return key;
}

// A reply that mentions people in every case among ordinary words.
QString replyText(qsizetype bytes)
{
    QString text;
    for (int i = 0; text.size() < bytes; ++i) {
        const QString name = standInName(i % people);
        const QString n = QString::number(i % people);
        text += u"Call "_s + name + u" at (212) 555-"_s + n.rightJustified(4, u'0') + u" or write to stand"_s + n
                + u"@example.com; "_s + name.toUpper() + u" and "_s + name.toLower()
                + u" moved to Cedarhaven Springs with a wren, an otter and 12 crates.\n"_s;
    }
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 1.0;
    const Restorer restorer(keyWithPeople());
    restorer.restore(u"Warm up Stand1"_s);

    double firstSeconds = 0;
    for (int factor : {1, 4, 16}) {
        const QString text = replyText(qsizetype(megabytes * factor * 1024 * 1024));
        const QByteArray utf8 = text.toUtf8();
        int count = 0;
        const double decode = secondsOf([&] { count += int(QString::fromUtf8(utf8).size() > 0); });
        const double restore = secondsOf([&] { count += restorer.restore(text).count; });
        if (factor == 1)
            firstSeconds = restore;
        std::printf("%6.1f MB: restore %.3f s = %5.1fx decoding it; %5.2fx the time of the %g MB text "
                    "(linear: %d) [%d]\n",
                    double(utf8.size()) / 1e6, restore, restore / decode, restore / firstSeconds, megabytes, factor,
                    count);
    }
    return 0;
}
