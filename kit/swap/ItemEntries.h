#pragma once

#include "kit/keys/ProjectKey.h"

#include <QHash>
#include <QList>

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace quorvane {

// The key entries each review item relies on, in the order of the items.
// Nearly every one is an entry of the key planning fills, as that key holds
// it: those are kept as their four-byte positions in it, end to end in one
// array, rather than as entries of their own, which on a large file weigh
// as much as the key's own list. The rest, written another way than the key
// holds them, are kept whole, as are the entries an item gains when met
// again, written another way.
class ItemEntries
{
public:
    using Entries = QList<ProjectKey::Entry>;

    // Room for at most this many items and entries: room never written to
    // costs no memory, and growing would copy a large file's entries over.
    void reserve(qsizetype items, qsizetype entries)
    {
        m_ends.reserve(items);
        m_refs.reserve(size_t(entries));
    }
    // The entries of the next item, with their positions among the key's
    // entries, which are the key's entries as they are now.
    void append(const Entries &entries, std::span<const qsizetype> keyIndexes, const Entries &keyEntries);
    // More entries of an item appended already; those it holds are left out.
    void add(qsizetype item, const Entries &entries, const Entries &keyEntries);
    // The key's entry at the position is about to take another real spelling;
    // the entries appended so far keep this one.
    void respelling(qsizetype keyIndex, const QString &before);
    // The key's entries once planning is done, which the positions point into.
    void setKeyEntries(const Entries &keyEntries) { m_keyEntries = keyEntries; }

    qsizetype size() const { return m_ends.size(); }
    Entries at(qsizetype item) const;

private:
    Entries appended(qsizetype item, const Entries &keyEntries) const;
    ProjectKey::Entry entryAt(size_t ref, const Entries &keyEntries) const;

    // A position in the key, or -1 - its index in m_own.
    std::vector<int32_t> m_refs;
    QList<int32_t> m_ends; // one past each item's last in m_refs
    Entries m_own;
    // Per key position, the spellings it had, each with the count of
    // m_refs up to which it held.
    QHash<qsizetype, QList<std::pair<size_t, QString>>> m_respelled;
    QHash<qsizetype, Entries> m_later;
    Entries m_keyEntries;
};

} // namespace quorvane
