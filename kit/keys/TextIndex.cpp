#include "kit/keys/TextIndex.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quorvane {

namespace {

// At most two slots in three are taken: probe runs stay short, a few slots
// of one line of memory, and a large key's tables take half the memory
// they would at most half full.
qsizetype slotsFor(qsizetype count)
{
    qsizetype size = 16;
    while (2 * size < count * 3)
        size *= 2;
    return size;
}

// The high bits of the hash, kept in the slot: they tell most other texts
// apart there.
uint32_t checkOf(size_t hash)
{
    return uint32_t(uint64_t(hash) >> 32);
}

// The slot a probe starts at: the top bits of the check, so that a growing
// table moves its slots without reading or hashing any text again.
qsizetype homeOf(uint32_t check, qsizetype slotCount)
{
    return qsizetype(check >> (32 - std::countr_zero(uint64_t(slotCount))));
}

// A large key's slots are read at random, each probe on another page. With
// small pages nearly every probe also misses the processor's table of page
// addresses and waits for a walk of the page tables; asking for huge pages,
// where the system grants them, lets a few entries cover the whole table.
void adviseHugePages(const void *data, qsizetype bytes)
{
#ifdef __linux__
    constexpr uintptr_t huge = uintptr_t(2) << 20;
    if (bytes < qsizetype(4 * huge))
        return;
    const uintptr_t from = (uintptr_t(data) + huge - 1) & ~(huge - 1);
    const uintptr_t to = (uintptr_t(data) + uintptr_t(bytes)) & ~(huge - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace

void TextIndex::reserve(qsizetype count)
{
    m_expected = std::max(m_expected, count);
    if (slotsFor(count) > m_slots.size())
        rehash(slotsFor(count));
}

void TextIndex::reserveUnits(qsizetype units)
{
    m_bytes.reserve(units + (numberBytes + 1) * std::max(m_expected, size()));
}

void TextIndex::makeRoom()
{
    if (slotsFor(size() + 1) > m_slots.size())
        rehash(slotsFor(size() + 1));
}

size_t TextIndex::hashOf(QStringView text)
{
    return qHash(text);
}

void TextIndex::prefetch(size_t hash) const
{
    if (!m_slots.isEmpty())
        __builtin_prefetch(m_slots.constData() + homeOf(checkOf(hash), m_slots.size()));
}

void TextIndex::insert(QStringView text, qsizetype position)
{
    insert(text, hashOf(text), position);
}

void TextIndex::insert(QStringView text, size_t hash, qsizetype position)
{
    const qsizetype held = insertNew(text, hash, position);
    if (held >= 0)
        setPosition(recordAt(m_slots.at(slotFor(text, hash)).at).number, position);
}

qsizetype TextIndex::insertNew(QStringView text, qsizetype position)
{
    return insertNew(text, hashOf(text), position);
}

qsizetype TextIndex::insertNew(QStringView text, size_t hash, qsizetype position)
{
    return insertNew(text, hash, position, {});
}

qsizetype TextIndex::insertNew(QStringView text, size_t hash, qsizetype position, const Lenders &lenders)
{
    makeRoom();
    const qsizetype at = slotFor(text, hash, lenders);
    if (m_slots.at(at).at != freeSlot)
        return positionOf(recordAt(m_slots.at(at).at, lenders).number);
    const qsizetype number = size();
    m_slots[at] = {checkOf(hash), appendRecord(text, number)};
    countNew(number, position);
    return -1;
}

qsizetype TextIndex::insertLent(QStringView text, size_t hash, qsizetype position, int lender,
                                const Lenders &lenders)
{
    makeRoom();
    const qsizetype at = slotFor(text, hash, lenders);
    if (m_slots.at(at).at != freeSlot)
        return positionOf(recordAt(m_slots.at(at).at, lenders).number);
    const TextIndex &from = *lenders[size_t(lender)];
    const uint32_t record = from.m_slots.at(from.slotFor(text, hash)).at;
    m_slots[at] = {checkOf(hash), (uint32_t(lender + 1) << placeBits) | record};
    countNew(size(), position);
    return -1;
}

void TextIndex::countNew(qsizetype number, qsizetype position)
{
    ++m_count;
    if (m_positions.isEmpty())
        setPosition(number, position);
    else
        m_positions.append(position);
}

uint32_t TextIndex::appendRecord(QStringView text, qsizetype number)
{
    const bool wide = std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
    const bool longText = text.size() >= longTag;
    const qsizetype used = m_bytes.size();
    const qsizetype start = used + numberBytes + 1 + (longText ? 4 : 0);
    const qsizetype end = start + text.size() * (wide ? 2 : 1);
    // Slots hold offsets below their two bits naming the buffer.
    if (end > qsizetype(placeMask))
        throw std::length_error("too much text for one index");
    if (end > m_bytes.capacity())
        m_bytes.reserve(std::max(end, m_bytes.capacity() * 2));
    m_bytes.resize(end);
    char *out = m_bytes.data() + used;
    const auto number32 = uint32_t(number);
    std::memcpy(out, &number32, numberBytes);
    out += numberBytes;
    *out++ = char(((longText ? longTag : int(text.size())) << 1) | (wide ? 1 : 0));
    if (longText) {
        const auto length32 = uint32_t(text.size());
        std::memcpy(out, &length32, 4);
        out += 4;
    }
    if (wide)
        std::memcpy(out, text.utf16(), size_t(text.size()) * 2);
    else
        std::transform(text.begin(), text.end(), out, [](QChar c) { return char(c.unicode()); });
    return uint32_t(used);
}

TextIndex::Record TextIndex::recordAt(uint32_t at, const Lenders &lenders) const
{
    const uint32_t place = at >> placeBits;
    const QList<char> &buffer = place == 0 ? m_bytes : lenders[place - 1]->m_bytes;
    const char *bytes = buffer.constData() + (at & placeMask);
    uint32_t number = 0;
    std::memcpy(&number, bytes, numberBytes);
    bytes += numberBytes;
    const auto tag = uchar(*bytes++);
    qsizetype length = tag >> 1;
    if (length == longTag) {
        uint32_t length32 = 0;
        std::memcpy(&length32, bytes, 4);
        bytes += 4;
        length = length32;
    }
    return {qsizetype(number), length, (tag & 1) != 0, bytes};
}

bool TextIndex::equals(const Record &record, QStringView text)
{
    if (record.length != text.size())
        return false;
    if (record.wide)
        return std::memcmp(record.text, text.utf16(), size_t(text.size()) * 2) == 0;
    return QLatin1StringView(record.text, record.length) == text;
}

void TextIndex::setPosition(qsizetype text, qsizetype position)
{
    if (m_positions.isEmpty()) {
        if (position == text)
            return;
        m_positions.reserve(std::max(m_expected, size()) + 1);
        for (qsizetype i = 0; i < size(); ++i)
            m_positions.append(i);
    }
    m_positions[text] = position;
}

qsizetype TextIndex::find(QStringView text) const
{
    return m_slots.isEmpty() ? -1 : find(text, hashOf(text));
}

qsizetype TextIndex::find(QStringView text, size_t hash) const
{
    return find(text, hash, {});
}

qsizetype TextIndex::find(QStringView text, size_t hash, const Lenders &lenders) const
{
    if (m_slots.isEmpty())
        return -1;
    const Slot &slot = m_slots.at(slotFor(text, hash, lenders));
    return slot.at == freeSlot ? -1 : positionOf(recordAt(slot.at, lenders).number);
}

qsizetype TextIndex::slotFor(QStringView text, size_t hash, const Lenders &lenders) const
{
    const qsizetype mask = m_slots.size() - 1;
    const uint32_t check = checkOf(hash);
    for (qsizetype at = homeOf(check, m_slots.size());; at = (at + 1) & mask) {
        const Slot &slot = m_slots.at(at);
        if (slot.at == freeSlot || (slot.check == check && equals(recordAt(slot.at, lenders), text)))
            return at;
    }
}

void TextIndex::rehash(qsizetype slotCount)
{
    QList<Slot> table;
    table.reserve(slotCount);
    // Advised before the slots are first written, which is when pages are given.
    adviseHugePages(table.constData(), slotCount * qsizetype(sizeof(Slot)));
    table.resize(slotCount);
    const qsizetype mask = slotCount - 1;
    for (const Slot &slot : std::as_const(m_slots)) {
        if (slot.at == freeSlot)
            continue;
        qsizetype at = homeOf(slot.check, slotCount);
        while (table.at(at).at != freeSlot)
            at = (at + 1) & mask;
        table[at] = slot;
    }
    m_slots = std::move(table);
}

} // namespace quorvane
