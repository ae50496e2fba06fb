#pragma once

#include "kit/keys/ProjectKey.h"
#include "kit/restore/HashFilter.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
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

    bool isEmpty() const { return m_count == 0; }
    // The real value of the stand-in filed under the spaceKey. The text lies
    // in the table, which must outlive it.
    std::optional<QString> realOf(QStringView spaceKey) const;
    std::optional<QString> realOf(QStringView spaceKey, size_t hash) const;
    // The real value of the text read as a stand-in of the kind.
    std::optional<QString> realOfSubstitute(QStringView text, EntryKind kind) const;
    // The hash the table files a spaceKey under.
    static size_t hashOf(QStringView text);

    // The most words any name or town stand-in has ("Cedarhaven Springs": 2),
    // and whether a word, by the hash of its spaceKey ("word|cedarhaven"),
    // may be the first of one with more than one; wrongly "may" only costs
    // the lookups of the longer stretches.
    qsizetype mostWordsOfAStandIn() const { return m_mostWords; }
    bool mayStartLongerStandIn(size_t wordHash) const { return m_longerStarts.mayHold(wordHash); }

private:
    static constexpr uint32_t freeSlot = UINT32_MAX;
    struct Slot
    {
        uint32_t check = 0;
        uint32_t record = freeSlot;
    };
    // A record: the spaceKey's length and the real value's length, two units
    // each, then both texts.
    static constexpr qsizetype headerUnits = 4;

    void add(QStringView spaceKey, size_t hash, QStringView real);
    // Counts a name or town stand-in of several words in, with its first word's hash.
    void noteWords(const ProjectKey::Entry &entry, std::vector<size_t> &firstWordHashes);
    uint32_t appendRecord(QStringView spaceKey, QStringView real);
    qsizetype slotFor(QStringView spaceKey, size_t hash) const;
    qsizetype lengthAt(qsizetype record, qsizetype field) const
    {
        return qsizetype(m_units[size_t(record + 2 * field)])
               | (qsizetype(m_units[size_t(record + 2 * field + 1)]) << 16);
    }
    QStringView keyAt(qsizetype record) const
    {
        return QStringView(m_units.data() + record + headerUnits, lengthAt(record, 0));
    }

    std::vector<Slot> m_slots;
    size_t m_slotMask = 0;
    HashFilter m_filter;
    qsizetype m_mostWords = 1;
    HashFilter m_longerStarts;
    std::vector<char16_t> m_units;
    qsizetype m_count = 0;
};

} // namespace quorvane
