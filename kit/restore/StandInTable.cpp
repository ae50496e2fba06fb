#include "kit/restore/StandInTable.h"

#include "kit/restore/PlainKeyBytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace quorvane {

namespace {

// As many of the shortest entries as a key's JSON could hold,
// {"kind":"zip","real":"","standIn":""} and a comma: room never filled is never touched.
constexpr qsizetype shortestEntry = 38;

// At most three slots in four are taken: runs stay short, and since the
// filter keeps nearly every miss away, it is hits that walk them.
size_t slotsFor(qsizetype count)
{
    return std::bit_ceil(size_t(std::max<qsizetype>(8, count + count / 3 + 1)));
}

// The slots and records of a large key are read at random; huge pages, where
// the system grants them, spare most of those reads a walk of the page tables.
void adviseHugePages(const void *data, size_t bytes)
{
#ifdef __linux__
    constexpr uintptr_t huge = uintptr_t(2) << 20;
    const uintptr_t from = (uintptr_t(data) + huge - 1) & ~(huge - 1);
    const uintptr_t to = (uintptr_t(data) + bytes) & ~(huge - 1);
    if (bytes >= 4 * huge && to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace

StandInTable::StandInTable(const QList<ProjectKey::Entry> &entries)
{
    // A spaceKey is its stand-in with a short name and a bar in front.
    size_t bytes = 0;
    for (const ProjectKey::Entry &entry : entries)
        bytes += headerBytes + size_t(entry.standIn.size() + 8) + 2 * size_t(entry.real.size()) + 1;
    reserveBytes(bytes);
    for (const ProjectKey::Entry &entry : entries)
        append(entry.kind, entry.real, entry.standIn);
    index();
}

std::optional<std::pair<ProjectKey, StandInTable>> StandInTable::fromKeyJson(const QByteArray &json)
{
    StandInTable table;
    // Each entry takes no more room here than twice its bytes in the JSON;
    // room never filled is never touched.
    table.reserveBytes(2 * size_t(json.size()));
    table.m_filed.reserve(size_t(json.size() / shortestEntry + 1));
    std::optional<ProjectKey> key = ProjectKey::fromJsonEntryByEntry(
        json, [&table](const ProjectKey::EntryBytes &entry) { return table.append(entry); });
    if (!key)
        return std::nullopt;
    table.index();
    return std::pair{std::move(*key), std::move(table)};
}

void StandInTable::reserveBytes(size_t bytes)
{
    m_bytes.reserve(bytes);
    adviseHugePages(m_bytes.data(), m_bytes.capacity());
}

size_t StandInTable::append(const ProjectKey::EntryBytes &entry)
{
    const bool plain = !entry.realWide && !entry.standInWide;
    m_realKey.resize(size_t(PlainKeyBytes::roomFor(entry.real)));
    const qsizetype realKey = plain ? PlainKeyBytes::writeRealKey(m_realKey.data(), entry.kind, entry.real) : -1;
    if (realKey >= 0 && appendPlain(entry))
        return hashOfLatin1(QByteArrayView(m_realKey.data(), realKey));
    const QString real = ProjectKey::EntryBytes::text(entry.real, entry.realWide);
    append(entry.kind, real, ProjectKey::EntryBytes::text(entry.standIn, entry.standInWide));
    return realKey >= 0 ? hashOfLatin1(QByteArrayView(m_realKey.data(), realKey))
                        : hashOf(ProjectKey::realKey(real, entry.kind));
}

// An entry of ASCII texts with a plain key, its record written straight from
// the bytes: no texts are made of it.
bool StandInTable::appendPlain(const ProjectKey::EntryBytes &entry)
{
    const size_t realBytes = 2 * size_t(entry.real.size());
    const size_t at = grow(headerBytes + size_t(PlainKeyBytes::roomFor(entry.standIn)) + 1 + realBytes);
    char *const record = m_bytes.data() + at;
    const qsizetype keyLength = PlainKeyBytes::writeStandInKey(record + headerBytes, entry.kind, entry.standIn);
    if (keyLength < 0 || size_t(entry.real.size()) >= latin1Key) {
        m_bytes.resize(at);
        return false;
    }
    const uint32_t keyHeader = uint32_t(keyLength) | latin1Key;
    const auto realHeader = uint32_t(entry.real.size());
    std::memcpy(record, &keyHeader, sizeof keyHeader);
    std::memcpy(record + sizeof keyHeader, &realHeader, sizeof realHeader);
    char *const key = record + headerBytes;
    // The byte that evens a key's length is written too, so every byte of a record is.
    key[keyLength] = 0;
    auto *real = reinterpret_cast<char16_t *>(key + keyBytes(keyHeader));
    std::transform(entry.real.begin(), entry.real.end(), real, [](char c) { return char16_t(uchar(c)); });
    m_bytes.resize(at + headerBytes + keyBytes(keyHeader) + realBytes);
    // Stand-ins of several words are few; the text's way counts them.
    if (entry.standIn.contains(' '))
        noteWords(entry.kind, QString::fromLatin1(entry.standIn));
    if (entry.kind == EntryKind::zip)
        noteZip(entry.kind, entry.standIn);
    m_filed.push_back({uint32_t(at), hashOfLatin1(QByteArrayView(key, keyLength))});
    return true;
}

void StandInTable::append(EntryKind kind, QStringView real, QStringView standIn)
{
    noteWords(kind, standIn);
    noteZip(kind, standIn);
    ProjectKey::writeStandInKey(m_spaceKey, kind, standIn);
    m_filed.push_back({appendRecord(m_spaceKey, real), hashOf(m_spaceKey)});
}

// Every record in its slot, in the order of the entries: a stand-in filed
// twice keeps the later entry's real value, as the key's own index does.
void StandInTable::index()
{
    std::stable_sort(m_zipPlus4.begin(), m_zipPlus4.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    m_slots.reserve(slotsFor(qsizetype(m_filed.size())));
    adviseHugePages(m_slots.data(), m_slots.capacity() * sizeof(Slot));
    m_slots.resize(m_slots.capacity());
    m_slotMask = m_slots.size() - 1;
    m_filter = HashFilter(qsizetype(m_filed.size()));
    // Slots are fetched a few records ahead, so that the waits for memory overlap.
    constexpr size_t ahead = 8;
    for (size_t i = 0; i < m_filed.size(); ++i) {
        if (i + ahead < m_filed.size())
            __builtin_prefetch(m_slots.data() + (m_filed[i + ahead].hash & m_slotMask));
        const auto [record, hash] = m_filed[i];
        const auto check = uint32_t(uint64_t(hash) >> 32);
        size_t at = hash & m_slotMask;
        while (m_slots[at].record != freeSlot && !(m_slots[at].check == check && sameKey(m_slots[at].record, record)))
            at = (at + 1) & m_slotMask;
        m_count += m_slots[at].record == freeSlot;
        m_slots[at] = {check, record};
        m_filter.add(hash);
    }
    m_filed = {};
    m_longerStarts = HashFilter(qsizetype(m_firstWordHashes.size()));
    for (const size_t hash : m_firstWordHashes)
        m_longerStarts.add(hash);
    m_firstWordHashes = {};
}

template<typename Text>
void StandInTable::noteZip(EntryKind kind, Text standIn)
{
    if (kind != EntryKind::zip || standIn.size() < 5)
        return;
    const auto unitAt = [&](qsizetype i) {
        if constexpr (std::is_same_v<Text, QStringView>)
            return int(standIn[i].unicode());
        else
            return int(uchar(standIn[i]));
    };
    const auto digitAt = [&](qsizetype i) { return unitAt(i) - '0'; };
    uint32_t five = 0;
    for (qsizetype i = 0; i < 5; ++i) {
        if (digitAt(i) < 0 || digitAt(i) > 9)
            return;
        five = five * 10 + uint32_t(digitAt(i));
    }
    uint16_t plus4 = noPlus4;
    if (standIn.size() == 10 && unitAt(5) == '-') {
        plus4 = 0;
        for (qsizetype i = 6; i < 10 && plus4 != noPlus4; ++i)
            plus4 = digitAt(i) >= 0 && digitAt(i) <= 9 ? uint16_t(plus4 * 10 + digitAt(i)) : noPlus4;
    }
    m_zipPlus4.emplace_back(five, plus4);
}

std::optional<int> StandInTable::zipStandInPlus4(QStringView fiveDigits) const
{
    bool five = false;
    const uint32_t digits = fiveDigits.toUInt(&five);
    // Sorted stably, so the last of equal codes is the latest entry's, which wins as in the table.
    const auto after = std::upper_bound(m_zipPlus4.cbegin(), m_zipPlus4.cend(), digits,
                                        [](uint32_t code, const auto &known) { return code < known.first; });
    if (!five || after == m_zipPlus4.cbegin() || std::prev(after)->first != digits
        || std::prev(after)->second == noPlus4)
        return std::nullopt;
    return std::prev(after)->second;
}

void StandInTable::noteWords(EntryKind kind, QStringView standIn)
{
    static const QString wordSpace = entryNamespace(EntryKind::firstName) + u'|';
    // Nearly every stand-in is one word; only the others are split.
    const bool oneWord = std::none_of(standIn.cbegin(), standIn.cend(), [](QChar c) { return c.isSpace(); });
    if (oneWord || entryNamespace(kind) != entryNamespace(EntryKind::firstName))
        return;
    const QStringList words = splitAtWhitespace(standIn.toString());
    if (words.size() < 2)
        return;
    m_mostWords = std::max(m_mostWords, words.size());
    m_firstWordHashes.push_back(hashOf(QString(wordSpace + words.first().toLower())));
}

size_t StandInTable::hashOf(QStringView text)
{
    // Four units at a time, then mixed so that both the low bits (the slot)
    // and the high ones (check and filter) depend on every unit.
    constexpr uint64_t multiplier = 0xff51afd7ed558ccdULL;
    const char16_t *units = text.utf16();
    size_t left = size_t(text.size());
    uint64_t hash = 0x9E3779B97F4A7C15ULL ^ left;
    for (; left >= 4; left -= 4, units += 4) {
        uint64_t word;
        std::memcpy(&word, units, sizeof word);
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> 32;
    }
    uint64_t tail = 0;
    for (size_t i = 0; i < left; ++i)
        tail |= uint64_t(units[i]) << (16 * i);
    hash = (hash ^ tail) * multiplier;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    hash ^= hash >> 33;
    return size_t(hash);
}

size_t StandInTable::hashOfLatin1(QByteArrayView text)
{
    // Four bytes spread to the four units hashOf reads at once.
    const auto widened = [](uint32_t bytes) {
        uint64_t units = bytes;
        units = (units | units << 16) & 0x0000'FFFF'0000'FFFFULL;
        return (units | units << 8) & 0x00FF'00FF'00FF'00FFULL;
    };
    constexpr uint64_t multiplier = 0xff51afd7ed558ccdULL;
    const auto *bytes = reinterpret_cast<const uchar *>(text.data());
    size_t left = size_t(text.size());
    uint64_t hash = 0x9E3779B97F4A7C15ULL ^ left;
    for (; left >= 4; left -= 4, bytes += 4) {
        uint32_t four;
        std::memcpy(&four, bytes, sizeof four);
        hash = (hash ^ widened(four)) * multiplier;
        hash ^= hash >> 32;
    }
    uint64_t tail = 0;
    for (size_t i = 0; i < left; ++i)
        tail |= uint64_t(bytes[i]) << (16 * i);
    hash = (hash ^ tail) * multiplier;
    hash ^= hash >> 33;
    hash *= 0xc4ceb9fe1a85ec53ULL;
    hash ^= hash >> 33;
    return size_t(hash);
}

size_t StandInTable::grow(size_t bytes)
{
    const size_t used = m_bytes.size();
    // Slots hold 32-bit offsets, the last of which marks a free slot.
    if (used + bytes >= freeSlot)
        throw std::length_error("too much text for one table");
    m_bytes.resize(used + bytes);
    return used;
}

uint32_t StandInTable::appendRecord(QStringView spaceKey, QStringView real)
{
    const bool latin1 = std::all_of(spaceKey.begin(), spaceKey.end(), [](QChar c) { return c.unicode() < 0x100; });
    const uint32_t keyHeader = uint32_t(spaceKey.size()) | (latin1 ? latin1Key : 0);
    // A length must leave the top bit for the key's flag.
    if (size_t(spaceKey.size()) >= latin1Key || size_t(real.size()) >= latin1Key)
        throw std::length_error("too much text for one table");
    const size_t used = grow(headerBytes + keyBytes(keyHeader) + 2 * size_t(real.size()));
    char *out = m_bytes.data() + used;
    if (latin1 && spaceKey.size() % 2)
        out[headerBytes + spaceKey.size()] = 0;
    const uint32_t realHeader = uint32_t(real.size());
    std::memcpy(out, &keyHeader, sizeof keyHeader);
    std::memcpy(out + sizeof keyHeader, &realHeader, sizeof realHeader);
    out += headerBytes;
    if (latin1)
        std::transform(spaceKey.begin(), spaceKey.end(), out, [](QChar c) { return char(c.unicode()); });
    else
        std::memcpy(out, spaceKey.utf16(), 2 * size_t(spaceKey.size()));
    std::memcpy(out + keyBytes(keyHeader), real.utf16(), 2 * size_t(real.size()));
    return uint32_t(used);
}

bool StandInTable::keyIs(size_t record, QStringView spaceKey) const
{
    const uint32_t keyHeader = headerAt(record, 0);
    if ((keyHeader & ~latin1Key) != uint32_t(spaceKey.size()))
        return false;
    const char *key = m_bytes.data() + record + headerBytes;
    if (keyHeader & latin1Key)
        return std::equal(spaceKey.begin(), spaceKey.end(), key,
                          [](QChar c, char b) { return c.unicode() == uchar(b); });
    return std::memcmp(key, spaceKey.utf16(), 2 * size_t(spaceKey.size())) == 0;
}

bool StandInTable::sameKey(size_t record, size_t other) const
{
    const uint32_t keyHeader = headerAt(record, 0);
    const size_t length = keyHeader & ~latin1Key;
    return keyHeader == headerAt(other, 0)
           && std::memcmp(m_bytes.data() + record + headerBytes, m_bytes.data() + other + headerBytes,
                          (keyHeader & latin1Key) ? length : 2 * length)
                  == 0;
}

qsizetype StandInTable::slotFor(QStringView spaceKey, size_t hash) const
{
    const auto check = uint32_t(uint64_t(hash) >> 32);
    for (size_t at = hash & m_slotMask;; at = (at + 1) & m_slotMask) {
        const Slot &slot = m_slots[at];
        if (slot.record == freeSlot || (slot.check == check && keyIs(slot.record, spaceKey)))
            return qsizetype(at);
    }
}

std::optional<QString> StandInTable::realOf(QStringView spaceKey) const
{
    return realOf(spaceKey, hashOf(spaceKey));
}

std::optional<QString> StandInTable::realOf(QStringView spaceKey, size_t hash) const
{
    if (!m_filter.mayHold(hash))
        return std::nullopt;
    const Slot &slot = m_slots[size_t(slotFor(spaceKey, hash))];
    if (slot.record == freeSlot)
        return std::nullopt;
    return realAt(slot.record);
}

std::optional<QString> StandInTable::realOfLatin1(QByteArrayView spaceKey) const
{
    const size_t hash = hashOfLatin1(spaceKey);
    if (!m_filter.mayHold(hash))
        return std::nullopt;
    const auto check = uint32_t(uint64_t(hash) >> 32);
    for (size_t at = hash & m_slotMask;; at = (at + 1) & m_slotMask) {
        const Slot &slot = m_slots[at];
        if (slot.record == freeSlot)
            return std::nullopt;
        if (slot.check == check && keyIsLatin1(slot.record, spaceKey))
            return realAt(slot.record);
    }
}

bool StandInTable::keyIsLatin1(size_t record, QByteArrayView spaceKey) const
{
    const uint32_t keyHeader = headerAt(record, 0);
    if ((keyHeader & ~latin1Key) != uint32_t(spaceKey.size()))
        return false;
    const char *key = m_bytes.data() + record + headerBytes;
    if (keyHeader & latin1Key)
        return std::memcmp(key, spaceKey.data(), size_t(spaceKey.size())) == 0;
    const auto *units = reinterpret_cast<const char16_t *>(key);
    return std::equal(spaceKey.begin(), spaceKey.end(), units, [](char b, char16_t u) { return uchar(b) == u; });
}

QString StandInTable::realAt(size_t record) const
{
    const char *real = m_bytes.data() + record + headerBytes + keyBytes(headerAt(record, 0));
    // The table's own text, not copied: the restorer copies it into the result.
    return QString::fromRawData(reinterpret_cast<const QChar *>(real), qsizetype(headerAt(record, 1)));
}

std::optional<QString> StandInTable::realOfSubstitute(QStringView text, EntryKind kind) const
{
    // Nearly every text is short ASCII, whose key is written on the stack in bytes.
    constexpr qsizetype room = 256;
    if (PlainKeyBytes::roomFor(text.size()) <= room) {
        char bytes[room];
        const qsizetype length = PlainKeyBytes::writeSubstituteKey(bytes, kind, text);
        if (length >= 0)
            return realOfLatin1(QByteArrayView(bytes, length));
    }
    thread_local QString spaceKey;
    ProjectKey::writeSubstituteKey(spaceKey, text, kind);
    return realOf(spaceKey);
}

} // namespace quorvane
