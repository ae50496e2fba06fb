#pragma once

#include "kit/keys/ProjectKey.h"

#include <QHash>
#include <QList>

#include <span>
#include <vector>

namespace quorvane {

// The key entries each review item relies on, in the order of the items.
// They lie end to end in one array: a list of its own for each of a large
// file's hundreds of thousands of items weighs more than the entries. The
// entries an item gains when met again, written another way, are kept aside.
class ItemEntries
{
public:
    // Room for at most this many items and entries: room never written to
    // costs no memory, and growing would copy a large file's entries over.
    void reserve(qsizetype items, qsizetype entries)
    {
        m_ends.reserve(items);
        m_entries.reserve(size_t(entries));
    }
    // The entries of the next item.
    void append(const QList<ProjectKey::Entry> &entries);
    // More entries of an item appended already; those it holds are left out.
    void add(qsizetype item, const QList<ProjectKey::Entry> &entries);

    qsizetype size() const { return m_ends.size(); }
    QList<ProjectKey::Entry> at(qsizetype item) const;

private:
    std::span<const ProjectKey::Entry> appended(qsizetype item) const;

    std::vector<ProjectKey::Entry> m_entries;
    QList<qsizetype> m_ends; // one past each item's last in m_entries
    QHash<qsizetype, QList<ProjectKey::Entry>> m_later;
};

} // namespace quorvane
