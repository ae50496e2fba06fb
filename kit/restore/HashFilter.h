#pragma once

#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace quorvane {

// A set of hashes that may wrongly answer "held", about once in sixty for a
// full filter, but never wrongly "not held": a quick first answer, small
// enough to stay in the processor's cache, in front of an exact lookup. Eight
// to sixteen bits a hash, two of them set in one word; the bits come from the
// hash's high half, which a table's slot number leaves alone.
class HashFilter
{
public:
    explicit HashFilter(qsizetype expected = 0)
        : m_words(std::clamp<size_t>(std::bit_ceil(size_t(std::max<qsizetype>(1, expected / 8))), 1, size_t(1) << 20))
        , m_mask(m_words.size() - 1)
    {
    }

    void add(size_t hash) { m_words[wordOf(hash)] |= bitsOf(hash); }
    bool mayHold(size_t hash) const
    {
        const uint64_t bits = bitsOf(hash);
        return (m_words[wordOf(hash)] & bits) == bits;
    }

private:
    size_t wordOf(size_t hash) const { return size_t(uint64_t(hash) >> 32) & m_mask; }
    static uint64_t bitsOf(size_t hash)
    {
        return (uint64_t(1) << ((uint64_t(hash) >> 52) & 63)) | (uint64_t(1) << ((uint64_t(hash) >> 58) & 63));
    }

    std::vector<uint64_t> m_words;
    size_t m_mask;
};

} // namespace quorvane
