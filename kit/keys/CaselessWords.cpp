#include "kit/keys/CaselessWords.h"

#include "kit/keys/CodePoints.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <bit>

namespace quorvane {

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

// FNV-1a over the units, then mixed so that the high bits, which pick the
// slot, depend on every unit.
class UnitHash
{
public:
    void add(char16_t unit) { m_value = (m_value ^ unit) * 0x100000001b3ULL; }

    uint64_t value() const
    {
        uint64_t h = m_value;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        return h ^ (h >> 33);
    }

private:
    uint64_t m_value = 0xcbf29ce484222325ULL;
};

uint64_t loweredHash(QStringView lowered)
{
    UnitHash hash;
    for (QChar c : lowered)
        hash.add(c.unicode());
    return hash.value();
}

uint64_t hashOfAsciiLowered(QStringView word)
{
    UnitHash hash;
    for (QChar c : word)
        hash.add(asciiLower(c.unicode()));
    return hash.value();
}

} // namespace

CaselessWords::CaselessWords(std::initializer_list<QStringView> words)
{
    for (QStringView word : words)
        add(word);
}

CaselessWords::CaselessWords(CaselessWords &&other) noexcept
    : m_slots(std::move(other.m_slots)), m_words(std::move(other.m_words)), m_bytes(std::move(other.m_bytes)),
      m_stamp(std::exchange(other.m_stamp, newStamp()))
{
    other.m_slots.clear();
    other.m_words.clear();
    other.m_bytes.clear();
}

CaselessWords &CaselessWords::operator=(CaselessWords &&other) noexcept
{
    if (this != &other) {
        m_slots = std::exchange(other.m_slots, {});
        m_words = std::exchange(other.m_words, {});
        m_bytes = std::exchange(other.m_bytes, {});
        m_stamp = std::exchange(other.m_stamp, newStamp());
    }
    return *this;
}

uint64_t CaselessWords::newStamp()
{
    static std::atomic<uint64_t> last{0};
    return ++last;
}

qsizetype CaselessWords::add(QStringView text)
{
    if (!isAscii(text))
        return addLowered(lowerCased(text.toString()));
    growIfFull();
    const uint64_t hash = hashOfAsciiLowered(text);
    return takeSlot(slotForAscii(text, hash), hash, text, true);
}

qsizetype CaselessWords::addLowered(QStringView lowered)
{
    growIfFull();
    const uint64_t hash = loweredHash(lowered);
    return takeSlot(slotFor(lowered, hash), hash, lowered, false);
}

qsizetype CaselessWords::indexOf(QStringView text) const
{
    if (m_words.empty())
        return -1;
    if (!isAscii(text)) {
        const QString lowered = lowerCased(text.toString());
        return m_slots[size_t(slotFor(lowered, loweredHash(lowered)))].word;
    }
    return m_slots[size_t(slotForAscii(text, hashOfAsciiLowered(text)))].word;
}

bool CaselessWords::containsLowered(QStringView lowered) const
{
    return containsLowered(lowered, loweredHash(lowered));
}

uint64_t CaselessWords::hashOfLowered(QStringView lowered)
{
    return loweredHash(lowered);
}

void CaselessWords::prefetch(uint64_t hash) const
{
    if (!m_slots.empty())
        __builtin_prefetch(m_slots.data() + homeOf(checkOf(hash)));
}

bool CaselessWords::containsLowered(QStringView lowered, uint64_t hash) const
{
    return !m_words.empty() && m_slots[size_t(slotFor(lowered, hash))].word >= 0;
}

qsizetype CaselessWords::slotFor(QStringView lowered, uint64_t hash) const
{
    const qsizetype mask = qsizetype(m_slots.size()) - 1;
    for (qsizetype at = homeOf(checkOf(hash));; at = (at + 1) & mask) {
        const Slot &slot = m_slots[size_t(at)];
        if (slot.word < 0 || (slot.check == checkOf(hash) && equals(m_words[size_t(slot.word)], lowered)))
            return at;
    }
}

qsizetype CaselessWords::slotForAscii(QStringView word, uint64_t hash) const
{
    const qsizetype mask = qsizetype(m_slots.size()) - 1;
    for (qsizetype at = homeOf(checkOf(hash));; at = (at + 1) & mask) {
        const Slot &slot = m_slots[size_t(at)];
        if (slot.word < 0
            || (slot.check == checkOf(hash) && equalsAsciiLowered(m_words[size_t(slot.word)], word)))
            return at;
    }
}

qsizetype CaselessWords::takeSlot(qsizetype slot, uint64_t hash, QStringView text, bool lowerAscii)
{
    Slot &taken = m_slots[size_t(slot)];
    if (taken.word >= 0)
        return taken.word;
    taken = {checkOf(hash), int32_t(m_words.size())};
    m_stamp = newStamp();
    const bool wide = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
    Word word;
    word.start = uint32_t(m_bytes.size());
    word.length = uint32_t(text.size());
    word.wide = wide;
    m_words.push_back(word);
    const auto unitOf = [&](QChar c) { return lowerAscii ? asciiLower(c.unicode()) : c.unicode(); };
    if (wide) {
        m_bytes.resize(m_bytes.size() + 2 * size_t(text.size()));
        char *out = m_bytes.data() + word.start;
        for (QChar c : text) {
            const char16_t unit = unitOf(c);
            std::memcpy(out, &unit, 2);
            out += 2;
        }
    } else {
        std::transform(text.begin(), text.end(), std::back_inserter(m_bytes), [&](QChar c) { return char(unitOf(c)); });
    }
    return taken.word;
}

QStringView CaselessWords::textOf(const Word &word, QString &buffer) const
{
    const char *bytes = m_bytes.data() + word.start;
    buffer.resize(word.length);
    if (word.wide) {
        std::memcpy(buffer.data(), bytes, 2 * size_t(word.length));
        return buffer;
    }
    std::transform(bytes, bytes + word.length, buffer.begin(), [](char c) { return QChar(uchar(c)); });
    return buffer;
}

bool CaselessWords::equals(const Word &word, QStringView lowered) const
{
    if (qsizetype(word.length) != lowered.size())
        return false;
    const char *bytes = m_bytes.data() + word.start;
    if (word.wide)
        return std::memcmp(bytes, lowered.utf16(), 2 * size_t(word.length)) == 0;
    return QLatin1StringView(bytes, word.length) == lowered;
}

bool CaselessWords::equalsAsciiLowered(const Word &held, QStringView word) const
{
    // An ASCII word lowered is Latin-1 throughout, which a wide word is not.
    if (held.wide || qsizetype(held.length) != word.size())
        return false;
    const char *bytes = m_bytes.data() + held.start;
    return std::equal(word.begin(), word.end(), bytes,
                      [](QChar w, char h) { return asciiLower(w.unicode()) == char16_t(uchar(h)); });
}

void CaselessWords::reserve(qsizetype count)
{
    m_words.reserve(size_t(count));
    qsizetype slots = std::max<qsizetype>(16, qsizetype(m_slots.size()));
    while (3 * count > 2 * slots)
        slots *= 2;
    if (slots > qsizetype(m_slots.size()))
        rehash(slots);
}

// Kept at most two thirds full, so that a probe for a word not held, as
// nearly every candidate is, ends within a few slots of one line of memory.
void CaselessWords::growIfFull()
{
    if (3 * (m_words.size() + 1) > 2 * m_slots.size())
        rehash(std::max<qsizetype>(16, 2 * qsizetype(m_slots.size())));
}

void CaselessWords::rehash(qsizetype slotCount)
{
    std::vector<Slot> old(static_cast<size_t>(slotCount));
    old.swap(m_slots);
    const qsizetype mask = slotCount - 1;
    for (const Slot &slot : old) {
        if (slot.word < 0)
            continue;
        qsizetype at = homeOf(slot.check);
        while (m_slots[size_t(at)].word >= 0)
            at = (at + 1) & mask;
        m_slots[size_t(at)] = slot;
    }
}

qsizetype CaselessWords::homeOf(uint32_t check) const
{
    return qsizetype(check >> (32 - std::countr_zero(uint64_t(m_slots.size()))));
}

} // namespace quorvane
