#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace quorvane {

// Texts ("word|mateo") to positions, for the key's lookups. Each slot keeps
// part of its text's hash, so a probe for a text that is not held, which is
// most words of a file being restored and most candidates tried, reads one
// small array and no stored text. The texts themselves lie end to end in one
// buffer: a large key's hundreds of thousands of texts cost no allocation
// each, neither when added nor when freed. Each text there starts with its
// number and length, where its slot points: a probe that finds its text
// reads the slot and the text, two places in memory, and no third table.
// Nearly every text is Latin-1, kept at a byte a character: the buffers of
// a large key's indexes are the largest part of a swap's memory.
// An index may also hold texts whose records lie in other indexes, the key's
// set of taken texts those of its two tables: it is then handed those
// indexes whenever it reads a text.
// A plain value whose copies share their storage until one of them changes.
class TextIndex
{
public:
    // The indexes whose records this one may hold; each call that reads
    // texts is handed the same ones in the same order.
    using Lenders = std::array<const TextIndex *, 2>;

    void reserve(qsizetype count);
    // Room for this many characters of Latin-1 text in all.
    void reserveUnits(qsizetype units);
    // A text already held takes the new position.
    void insert(QStringView text, qsizetype position);
    // Adds the text unless it is held; returns the position it already had, or -1.
    qsizetype insertNew(QStringView text, qsizetype position);
    // The position of the text, or -1.
    qsizetype find(QStringView text) const;
    bool contains(QStringView text) const { return find(text) >= 0; }
    qsizetype size() const { return m_count; }

    // Many texts added one after another can each be hashed and have their
    // slot fetched ahead, so that fetching overlaps instead of waiting in
    // turn: a large key read from its file adds hundreds of thousands.
    static size_t hashOf(QStringView text);
    void prefetch(size_t hash) const;
    qsizetype insertNew(QStringView text, size_t hash, qsizetype position);
    void insert(QStringView text, size_t hash, qsizetype position);
    // Lookups of one text in several indexes, or twice in one, hash it once.
    qsizetype find(QStringView text, size_t hash) const;

    // The same for an index that holds records of the lenders.
    qsizetype find(QStringView text, size_t hash, const Lenders &lenders) const;
    qsizetype insertNew(QStringView text, size_t hash, qsizetype position, const Lenders &lenders);
    // Adds the text unless it is held, as the record lenders[lender] holds
    // for it, which it must; returns the position it already had, or -1.
    // Lent records carry their lender's numbers: an index holding them is a
    // set, every text at its own number, whose finds only tell held from not.
    qsizetype insertLent(QStringView text, size_t hash, qsizetype position, int lender, const Lenders &lenders);

private:
    static constexpr uint32_t freeSlot = UINT32_MAX;
    // The top two bits of a slot's place name the buffer: 0 this index's
    // own, 1 and 2 its lenders'. The rest is where the record starts there.
    static constexpr int placeBits = 30;
    static constexpr uint32_t placeMask = (uint32_t(1) << placeBits) - 1;
    struct Slot
    {
        uint32_t check = 0;
        uint32_t at = freeSlot; // the text's record: its buffer and where it starts
    };
    // A record: the text's number in four bytes, then a tag byte, then the
    // text, a byte a character when all are Latin-1, else its UTF-16 units.
    // The tag holds that choice in its low bit and the length above it; a
    // length too long for the tag follows it in four bytes of its own.
    struct Record
    {
        qsizetype number;
        qsizetype length;
        bool wide;
        const char *text;
    };
    static constexpr qsizetype numberBytes = 4;
    static constexpr int longTag = 0x7F; // the tag's length when four bytes follow
    Record recordAt(uint32_t at, const Lenders &lenders = {}) const;
    static bool equals(const Record &record, QStringView text);
    // The slot that holds the text, or else the free slot it would take.
    qsizetype slotFor(QStringView text, size_t hash, const Lenders &lenders = {}) const;
    void rehash(qsizetype slotCount);
    qsizetype positionOf(qsizetype text) const { return m_positions.isEmpty() ? text : m_positions.at(text); }
    void setPosition(qsizetype text, qsizetype position);
    // Counts the text just placed as number `number`, at `position`.
    void countNew(qsizetype number, qsizetype position);
    // Adds the text's record; returns where it starts.
    uint32_t appendRecord(QStringView text, qsizetype number);
    // Room for one more before it is added.
    void makeRoom();

    QList<Slot> m_slots;
    QList<char> m_bytes; // the records, end to end
    qsizetype m_count = 0;
    qsizetype m_expected = 0; // the most texts reserved for
    // Empty while every text's position is its own number, as for the
    // key's tables nearly always: a large key saves a number per text.
    QList<qsizetype> m_positions;
};

} // namespace quorvane
