#include "kit/suggest/NameModelFailure.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace quorvane {

const QList<NameModelFailure::Kind> &NameModelFailure::allKinds()
{
    static const QList<Kind> kinds{Kind::refusal,     Kind::guardrail, Kind::context,
                                   Kind::rateLimited, Kind::unavailable, Kind::language,
                                   Kind::decoding,    Kind::timeout,   Kind::error};
    return kinds;
}

QString NameModelFailure::rawString(Kind kind)
{
    switch (kind) {
    case Kind::refusal: return u"refusal"_s;
    case Kind::guardrail: return u"guardrail"_s;
    case Kind::context: return u"context"_s;
    case Kind::rateLimited: return u"rateLimited"_s;
    case Kind::unavailable: return u"unavailable"_s;
    case Kind::language: return u"language"_s;
    case Kind::decoding: return u"decoding"_s;
    case Kind::timeout: return u"timeout"_s;
    case Kind::error: return u"error"_s;
    }
    return u"error"_s;
}

std::optional<NameModelFailure::Kind> NameModelFailure::kindFromRaw(const QString &raw)
{
    for (Kind kind : allKinds()) {
        if (rawString(kind) == raw)
            return kind;
    }
    return std::nullopt;
}

NameModelFailure NameModelFailure::timeout(double seconds)
{
    const double whole = std::isfinite(seconds) ? std::trunc(seconds) : 0.0;
    return {Kind::timeout, u"no answer in "_s + QString::number(static_cast<qint64>(whole)) + u" s"_s};
}

} // namespace quorvane
