#pragma once

#include "kit/suggest/NameModel.h"

namespace quorvane {

// The operating system's own on-device language model: Apple's Foundation
// Models framework on macOS 26 and later. Its interface is Swift-only and this
// tree has no bridge to it yet, so the backend in OnDeviceNamesUnsupported.cpp
// serves every platform: isAvailable is false and every request fails with
// `unavailable`, which is all the callers need when there is no such model.
//
// A macOS backend replaces that one file (the build picks it on Apple
// platforms whose SDK has the framework) and, for one request, in order:
// reads the default system model's availability (unavailable: fail with
// `unavailable` and the platform's reason); builds a dynamic generation
// schema "Answer" whose one required property "names", described by
// NamePrompt::schemaDescription, is an array of 0 to maxNames strings;
// opens a fresh session on the default model with no tools and the request's
// instructions; asks it to respond to the prompt with that schema (included
// in the prompt), greedy sampling and at most maxTokens tokens, racing a
// monotonic timer of timeoutSeconds (NameModelFailure::timeout, and the late
// generation is cancelled; nothing from the race gives "no result"); and
// reads the content's JSON with NamesAnswer::parse. What the framework throws
// goes through failureFor or failureForOtherError below.
namespace OnDeviceNames {

bool isAvailable();
// Readies the model for a run about to start; returns at once.
void prewarm();
NameModel::Result names(const NameRequest &request, std::stop_token stop = {});

// The framework's generation errors.
enum class GenerationError {
    exceededContextWindowSize,
    assetsUnavailable,
    guardrailViolation,
    unsupportedLanguageOrLocale,
    unsupportedGuide,
    decodingFailure,
    rateLimited,
    concurrentRequests,
    refusal,
};
NameModelFailure failureFor(GenerationError error, const QString &description);
// Any other error, recognised by how its description starts.
NameModelFailure failureForOtherError(const QString &typeName, const QString &description);

} // namespace OnDeviceNames

// The on-device model behind the NameModel interface.
class AppleNameModel : public NameModel
{
public:
    Result names(const NameRequest &request, std::stop_token stop = {}) const override;
    QString label() const override;
};

} // namespace quorvane
