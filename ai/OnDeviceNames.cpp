#include "ai/OnDeviceNames.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace OnDeviceNames {

using Kind = NameModelFailure::Kind;

NameModelFailure failureFor(GenerationError error, const QString &description)
{
    switch (error) {
    case GenerationError::exceededContextWindowSize: return {Kind::context, u"exceededContextWindowSize"_s};
    case GenerationError::assetsUnavailable: return {Kind::unavailable, u"assetsUnavailable"_s};
    case GenerationError::guardrailViolation: return {Kind::guardrail, u"guardrailViolation"_s};
    case GenerationError::unsupportedLanguageOrLocale: return {Kind::language, u"unsupportedLanguageOrLocale"_s};
    case GenerationError::unsupportedGuide: return {Kind::error, u"unsupportedGuide"_s};
    case GenerationError::decodingFailure: return {Kind::decoding, u"decodingFailure"_s};
    case GenerationError::rateLimited:
    case GenerationError::concurrentRequests: return {Kind::rateLimited, description};
    case GenerationError::refusal: return {Kind::refusal, u"refusal"_s};
    }
    return {Kind::error, description};
}

NameModelFailure failureForOtherError(const QString &typeName, const QString &description)
{
    static const std::pair<QString, Kind> starts[]{
        {u"contextSizeExceeded"_s, Kind::context},
        {u"guardrailViolation"_s, Kind::guardrail},
        {u"refusal"_s, Kind::refusal},
        {u"unsupportedLanguageOrLocale"_s, Kind::language},
        {u"rateLimited"_s, Kind::rateLimited},
        {u"timeout"_s, Kind::timeout},
    };
    for (const auto &[start, kind] : starts) {
        if (description.startsWith(start))
            return {kind, description};
    }
    return {Kind::error, typeName + u": "_s + description};
}

} // namespace OnDeviceNames

NameModel::Result AppleNameModel::names(const NameRequest &request, std::stop_token stop) const
{
    return OnDeviceNames::names(request, std::move(stop));
}

QString AppleNameModel::label() const
{
    return u"Apple Intelligence"_s;
}

} // namespace quorvane
