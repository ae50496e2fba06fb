#pragma once

#include "kit/keys/ProjectKey.h"
#include "kit/keys/WrittenForm.h"

#include <QString>

#include <memory>
#include <optional>

namespace quorvane {

// One candidate stand-in for a real value. Every number comes from the key's
// keyed digest of (seed, attempt, variant), so the same key and value give the
// same candidates everywhere; e-mail addresses also look up the stand-ins the
// key already gave their name parts.
QString candidate(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm,
                  const QString &seed, int attempt);
// The same, with the seed's digests prepared once for many attempts.
QString candidate(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm,
                  const ProjectKey::SeedDigest &digests, int attempt);

// The candidates of one value, with what every attempt shares (an e-mail
// address's local part and the stand-ins of its names) worked out once.
// Valid while the key holds the same entries.
class ValueCandidates
{
public:
    ValueCandidates(const ProjectKey &key, EntryKind kind, const QString &real, const QString &norm);
    ~ValueCandidates();
    ValueCandidates(const ValueCandidates &) = delete;
    ValueCandidates &operator=(const ValueCandidates &) = delete;

    QString operator()(const ProjectKey::SeedDigest &digests, int attempt) const;
    // Whether the first 50 candidates of an e-mail address are built from the
    // stand-ins the key gave its name parts; otherwise they come from the
    // pools. False for other kinds.
    bool nameBasedEmail() const;

private:
    struct Email;
    EntryKind m_kind;
    QString m_real;
    QString m_norm;
    LetterCase m_case; // the case of the candidates of a name, town or street
    bool m_abbreviatedStreet; // a street written with its type's short form ("St.")
    std::unique_ptr<Email> m_email;
};

// The local part of an e-mail address as its candidates see it, lower-cased:
// its first piece between "@" signs that is not empty, else the whole text.
QString localText(const QString &real);

// From ProjectKey::maxAttempts on, every kind draws from a widened family of
// the same look: names with a third part, twin towns with one more word, all
// five-digit ZIP codes; a seven-digit phone first takes a ten-digit number and
// from this attempt on, like a ten-digit phone past maxAttempts, a ten-digit
// number with an extension ("x" and four digits).
constexpr int phoneExtensionFrom = 2 * ProjectKey::maxAttempts;

} // namespace quorvane
