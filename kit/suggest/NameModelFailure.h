#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace quorvane {

// Why a language model gave no names for one cell. Only the kind survives in
// an answer; the message is for developers and never shown to users.
struct NameModelFailure
{
    enum class Kind { refusal, guardrail, context, rateLimited, unavailable, language, decoding, timeout, error };

    Kind kind = Kind::error;
    QString message;

    static const QList<Kind> &allKinds();
    static QString rawString(Kind kind);
    static std::optional<Kind> kindFromRaw(const QString &raw);
    // "no answer in 20 s": whole seconds, truncated.
    static NameModelFailure timeout(double seconds);

    friend bool operator==(const NameModelFailure &, const NameModelFailure &) = default;
};

} // namespace quorvane
