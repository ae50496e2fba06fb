#include "kit/swap/ItemEntries.h"

#include <algorithm>

namespace quorvane {

void ItemEntries::append(const QList<ProjectKey::Entry> &entries)
{
    // Grown by half rather than doubled: on a large file this array is among
    // the largest the scan holds, and doubling would leave up to half unused.
    if (m_entries.size() + entries.size() > m_entries.capacity())
        m_entries.reserve(std::max(m_entries.size() + entries.size(), m_entries.capacity() * 3 / 2 + 16));
    m_entries.append(entries);
    m_ends.append(m_entries.size());
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
    return {m_entries.constData() + from, size_t(m_ends.at(item) - from)};
}

} // namespace quorvane
