#pragma once

#include <QBitArray>

#include <array>

namespace quorvane {

// Which members of each candidate set (kit/keys/CandidateSets.h) a key holds,
// and how many. Member numbers are those the candidates are drawn by, so an
// attempt can be refused before its text is built.
struct CandidateHoldings
{
    static constexpr int setCount = 21;
    std::array<int, setCount> counts{};
    std::array<QBitArray, setCount> members;
};

} // namespace quorvane
