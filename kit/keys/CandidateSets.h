#pragma once

#include "kit/keys/ProjectKey.h"

#include <QString>

#include <array>
#include <optional>

namespace quorvane {

// The finite sets that stretches of attempts draw their candidates from: every
// candidate of attempts 0 to 531 for a first name is one of the 266 single
// first names, every seven-digit phone candidate below attempt 4000 one of the
// hundred 555-01xx numbers, and so on. Once a key holds every member of a set,
// each attempt of its stretch is refused, so the stretch can be skipped
// without changing which candidate is taken.
namespace candidateSets {

enum Set {
    firstSingle,
    firstDouble,
    lastSingle,
    lastDouble,
    townOne,
    townExtra0, // townExtra0 + k: a one-word town, a space and cityExtras[k]
    townExtra4 = townExtra0 + 4,
    phoneShort,  // 555 01xx
    phoneListed, // a listed area code, 555 01xx
    phoneAny,    // an area code from 200 to 999, 555 01xx
    zipListed,   // 10000 to 99899
    zipAny,      // every five-digit code
    emailDot,    // first.last@ an example domain, for a local part with a "." first
    emailDash,
    emailUnderscore,
    emailPlus,
    emailInitial, // initial and last name, for a short local part without separators
    emailJoined,  // first and last name run together, for a longer one
    setCount
};

static_assert(setCount == CandidateHoldings::setCount);
using Counts = CandidateHoldings;

qsizetype size(Set set);

// What of a real value decides which sets its candidates come from: for a
// phone its digit count, for an e-mail address the shape of its local part
// and whether the key knows the names it is made of.
// nameBasedEmail: whether an e-mail address's first candidates are built from
// its names' stand-ins (ValueCandidates::nameBasedEmail).
int shapeOf(EntryKind kind, const QString &real, const QString &norm, bool nameBasedEmail);

// Marks the spaceKey, newly taken by a key, in every set that has it as a
// member, in the counts and in the second holdings when given.
void count(QStringView spaceKey, Counts &counts, Counts *also = nullptr);

// Whether the key holds the member this attempt's candidate would be, worked
// out from the digests alone; false for attempts outside the counted sets.
// Follows the draws of Candidates.cpp; the skipping test compares the two.
bool isHeld(EntryKind kind, int shape, int attempt, const ProjectKey::SeedDigest &digests,
            const Counts &counts);

// The set every candidate of this attempt comes from, or nothing when the
// attempt's candidates are not drawn from a set worth counting.
std::optional<Set> setOf(EntryKind kind, int shape, int attempt);

// The first attempt from `attempt` on whose set still has a member the key
// does not hold. Attempts of a full set are all refused, so skipping them
// takes the same candidate as trying them one by one.
// Nothing when every attempt from there on is refused (only ZIP codes, whose
// five digits allow no more than 100 000 values, can get there).
std::optional<int> firstOpenAttempt(EntryKind kind, int shape, int attempt, const Counts &counts);

} // namespace candidateSets

} // namespace quorvane
