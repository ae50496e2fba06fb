// Cost of giving stand-ins and of looking them up, against one bare
// HMAC-SHA-256 measured in the same run. Times are the thread's CPU time.
//   bench_keys [COUNT [KIND...]]   COUNT distinct values of each kind (default
//                                  1 000 000), for the kinds named (default all).
// ZIP codes compare by their five digits, so a key holds at most 100 000 of
// them, real and stand-in together; that kind is capped at 45 000 values.
#include "kit/keys/Crypto.h"
#include "kit/keys/KeyFile.h"
#include "kit/keys/ProjectKey.h"

#include <QCoreApplication>
#include <QSet>

#include <cstdio>
#include <ctime>
#include <algorithm>
#include <functional>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// CPU time of this thread, so other work on a busy machine does not count.
double cpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

double nanosecondsPerCall(qsizetype calls, const std::function<void()> &body)
{
    const double start = cpuNanoseconds();
    body();
    return (cpuNanoseconds() - start) / double(calls);
}

QString sampleValue(EntryKind kind, int i)
{
    const QString n = QString::number(i);
    switch (kind) {
    case EntryKind::firstName: return u"Given"_s + n;
    case EntryKind::lastName: return u"Family"_s + n;
    case EntryKind::email: return u"person"_s + n + u".work@corp.test"_s;
    case EntryKind::phone: return u"(415) "_s + n.rightJustified(7, u'0').insert(3, u'-');
    case EntryKind::street: return n + u" Main Street"_s;
    case EntryKind::city: return u"Town"_s + n;
    case EntryKind::zip: return n.rightJustified(5, u'0');
    }
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int requested = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1'000'000;
    QList<EntryKind> kinds;
    for (int i = 2; i < argc; ++i)
        if (std::optional<EntryKind> kind = entryKindFromRaw(QString::fromLocal8Bit(argv[i])))
            kinds.append(*kind);
    if (kinds.isEmpty())
        kinds = allEntryKinds();
    const QByteArray secret = crypto::randomBytes(32);

    constexpr int baselineCalls = 200000;
    volatile char sink = 0;
    const double hmac = nanosecondsPerCall(baselineCalls, [&] {
        for (int i = 0; i < baselineCalls; ++i)
            sink = sink + crypto::hmacSha256(secret, "firstName|given" + QByteArray::number(i) + "|0|").at(0);
    });
    std::printf("baseline: one HMAC-SHA-256 of a short message  %8.0f ns\n", hmac);
    const ProjectKey probe(u"Bench"_s, QUuid(), QDateTime(), secret);
    const double digest = nanosecondsPerCall(baselineCalls, [&] {
        for (int i = 0; i < baselineCalls; ++i)
            sink = sink + char(probe.digest(u"firstName|given"_s, i, {}));
    });
    std::printf("ProjectKey::digest (prepared key)               %8.0f ns  %6.2f x HMAC\n\n", digest, digest / hmac);

    std::printf("%d distinct values per kind, each kind in a fresh key:\n", requested);
    std::printf("%-10s %9s %14s %9s %14s %9s %14s %9s %8s\n", "kind", "values", "assign ns/call", "x HMAC",
                "byReal ns/call", "x HMAC", "byStandIn ns", "x HMAC", "shared");
    for (EntryKind kind : kinds) {
        const int count = kind == EntryKind::zip ? std::min(requested, 45'000) : requested;
        ProjectKey key(u"Bench"_s, QUuid(), QDateTime(), secret);
        QStringList values;
        for (int i = 0; i < count; ++i)
            values.append(sampleValue(kind, i));
        const ProjectKey::Reserved reserved;
        const double assign = nanosecondsPerCall(count, [&] {
            for (const QString &value : values)
                key.assignSubstitute(value, kind, reserved);
        });
        const double byReal = nanosecondsPerCall(count, [&] {
            for (const QString &value : values)
                sink = sink + char(key.storedSubstitute(value, kind).has_value());
        });
        QStringList standIns;
        for (const ProjectKey::Entry &entry : key.entries())
            standIns.append(entry.standIn);
        const double byStandIn = nanosecondsPerCall(count, [&] {
            for (const QString &standIn : standIns)
                sink = sink + char(key.entryForSubstitute(standIn, kind) != nullptr);
        });
        // No two values may share a stand-in.
        QSet<QString> distinct;
        for (const QString &standIn : standIns)
            distinct.insert(ProjectKey::spaceKey(standIn, kind));
        std::printf("%-10s %9d %14.0f %9.1f %14.0f %9.2f %14.0f %9.2f %8lld\n", qPrintable(rawString(kind)), count, assign,
                    assign / hmac, byReal, byReal / hmac, byStandIn, byStandIn / hmac,
                    static_cast<long long>(standIns.size() - distinct.size()));
        std::fflush(stdout);
    }

    const double start = cpuNanoseconds();
    const QByteArray derived = KeyFile::deriveSecret(u"correct horse battery"_s, KeyFile::newSalt(), KeyFile::defaultRounds);
    const double deriveNs = cpuNanoseconds() - start;
    std::printf("\none %d-round derivation: %.0f ms (%.0f x HMAC)\n", KeyFile::defaultRounds, deriveNs / 1e6,
                deriveNs / hmac);
    return derived.size() == 32 && sink != 1 ? 0 : 1;
}
