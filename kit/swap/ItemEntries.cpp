#include "kit/swap/ItemEntries.h"

#include <algorithm>

namespace quorvane {

void ItemEntries::append(const QList<ProjectKey::Entry> &entries)
{
    // Grown by half rather than doubled: on a large file this array is among
    // the largest the scan holds, and doubling would leave up to half unused.
    // Growing moves the entries, which costs no count of their texts' users.
    const size_t needed = m_entries.size() + size_t(entries.size());
    if (needed > m_entries.capacity())
        m_entries.reserve(std::max(needed, m_entries.capacity() * 3 / 2 + 16));
    m_entries.insert(m_entries.end(), entries.cbegin(), entries.cend());
    m_ends.append(qsizetype(m_entries.size()));
}

void ItemEntries::add(qsizetype item, const QList<ProjectKey::Entry> &entries)
{
    const std::span<const ProjectKey::Entry> held = appended(item);
    QList<ProjectKey::Entry> *later = nullptr;
    for (const ProjectKey::Entry &entry : entries) {
        if (std::find(held.begin(), held.end(), entry) != held.end())
            continue;
        if (!later)
            later = &m_later[item];
        if (!later->contains(entry))
            later->append(entry);
    }
}

QList<ProjectKey::Entry> ItemEntries::at(qsizetype item) const
{
    const std::span<const ProjectKey::Entry> held = appended(item);
    QList<ProjectKey::Entry> all(held.begin(), held.end());
    all.append(m_later.value(item));
    return all;
}

std::span<const ProjectKey::Entry> ItemEntries::appended(qsizetype item) const
{
    const qsizetype from = item == 0 ? 0 : m_ends.at(item - 1);
    return {m_entries.data() + from, size_t(m_ends.at(item) - from)};
}

} // namespace quorvane
