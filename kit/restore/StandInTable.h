#pragma once

#include "kit/keys/ProjectKey.h"
#include "kit/restore/HashFilter.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// A key's stand-ins by their spaceKeys ("word|mateo"), each with its real
// value beside it, for restoring: a file being restored probes every word
// and number it holds, and most are no stand-in. A small filter of hash bits
// that stays in the processor's cache settles nearly all of those without
// reaching the large table; a stand-in that is held is read in two places,
// its slot and its record of both texts. The records lie end to end in one
// buffer, so a large key costs no allocation per entry, nor a free.
class StandInTable
{
public:
    explicit StandInTable(const QList<ProjectKey::Entry> &entries);
    // A key read from its JSON without its entries, with the table of them:
    // a large key's entries cost no texts of their own this way. Nothing for
    // a key ProjectKey::fromJsonEntryByEntry leaves to ProjectKey::fromJson.
    static std::optional<std::pair<ProjectKey, StandInTable>> fromKeyJson(const QByteArray &json);

    bool isEmpty() const { return m_count == 0; }
    // The real value of the stand-in filed under the spaceKey. The text lies
    // in the table, which must outlive it.
    std::optional<QString> realOf(QStringView spaceKey) const;
    std::optional<QString> realOf(QStringView spaceKey, size_t hash) const;
    // The real value of the text read as a stand-in of the kind.
    std::optional<QString> realOfSubstitute(QStringView text, EntryKind kind) const;
    // The hash the table files a spaceKey under, and the same of a text
    // given in Latin-1, one byte a character.
    static size_t hashOf(QStringView text);
    static size_t hashOfLatin1(QByteArrayView text);

    // The most words any name or town stand-in has ("Cedarhaven Springs": 2),
    // and whether a word, by the hash of its spaceKey ("word|cedarhaven"),
    // may be the first of one with more than one; wrongly "may" only costs
    // the lookups of the longer stretches.
    qsizetype mostWordsOfAStandIn() const { return m_mostWords; }
    // The +4 part of the ZIP stand-in filed under these five digits, if it has one.
    std::optional<int> zipStandInPlus4(QStringView fiveDigits) const;
    bool mayStartLongerStandIn(size_t wordHash) const { return m_longerStarts.mayHold(wordHash); }

private:
    static constexpr uint32_t freeSlot = UINT32_MAX;
    struct Slot
    {
        uint32_t check = 0;
        uint32_t record = freeSlot;
    };
    // A record, at an even byte: the spaceKey's length, with the top bit set
    // when it is kept in Latin-1, one byte a character, as nearly every key
    // is; the real value's length; the key; then, at an even byte, the real
    // value in UTF-16, as the result is made of it.
    static constexpr uint32_t latin1Key = 0x8000'0000;
    static constexpr size_t headerBytes = 2 * sizeof(uint32_t);

    StandInTable() = default;
    void reserveBytes(size_t bytes);
    // Records an entry; index() files the records in their slots.
    void append(EntryKind kind, QStringView real, QStringView standIn);
    // Records an entry read from a key's JSON; answers the hash of its realKey.
    size_t append(const ProjectKey::EntryBytes &entry);
    bool appendPlain(const ProjectKey::EntryBytes &entry);
    void index();
    // Counts a name or town stand-in of several words in, with its first word's hash.
    void noteWords(EntryKind kind, QStringView standIn);
    template<typename Text>
    void noteZip(EntryKind kind, Text standIn);
    uint32_t appendRecord(QStringView spaceKey, QStringView real);
    // Room at the end of the records for `bytes` more; the offset of the room.
    size_t grow(size_t bytes);
    qsizetype slotFor(QStringView spaceKey, size_t hash) const;
    uint32_t headerAt(size_t record, size_t field) const
    {
        uint32_t value;
        std::memcpy(&value, m_bytes.data() + record + field * sizeof(uint32_t), sizeof value);
        return value;
    }
    static size_t keyBytes(uint32_t keyHeader)
    {
        const size_t length = keyHeader & ~latin1Key;
        return (keyHeader & latin1Key) ? (length + 1) & ~size_t(1) : 2 * length;
    }
    bool keyIs(size_t record, QStringView spaceKey) const;
    bool keyIsLatin1(size_t record, QByteArrayView spaceKey) const;
    std::optional<QString> realOfLatin1(QByteArrayView spaceKey) const;
    QString realAt(size_t record) const;
    // Two records' keys are the same text: a key's form follows from its text.
    bool sameKey(size_t record, size_t other) const;

    std::vector<Slot> m_slots;
    size_t m_slotMask = 0;
    HashFilter m_filter;
    qsizetype m_mostWords = 1;
    HashFilter m_longerStarts;
    // Grows without writing zeros over room that is written next anyway.
    template<typename T>
    struct UnfilledAllocator : std::allocator<T>
    {
        template<typename U>
        struct rebind
        {
            using other = UnfilledAllocator<U>;
        };
        template<typename U, typename... Args>
        void construct(U *at, Args &&...args)
        {
            if constexpr (sizeof...(Args) == 0)
                ::new (static_cast<void *>(at)) U;
            else
                ::new (static_cast<void *>(at)) U(std::forward<Args>(args)...);
        }
    };
    std::vector<char, UnfilledAllocator<char>> m_bytes;
    qsizetype m_count = 0;
    // While the table is built: each record with its spaceKey's hash, the
    // hashes of first words of longer stand-ins, and a buffer for the keys.
    struct Filed
    {
        uint32_t record;
        size_t hash;
    };
    std::vector<Filed> m_filed;
    std::vector<size_t> m_firstWordHashes;
    // ZIP stand-ins' five digits, as a number, with their +4 parts (noPlus4
    // for none), in the order of the entries until index() sorts them: only
    // ZIP codes a restore meets ask for them, so a large key pays one sort.
    static constexpr uint16_t noPlus4 = UINT16_MAX;
    std::vector<std::pair<uint32_t, uint16_t>> m_zipPlus4;
    QString m_spaceKey;
    std::string m_realKey;
};

} // namespace quorvane
