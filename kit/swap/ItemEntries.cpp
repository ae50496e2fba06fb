#include "kit/swap/ItemEntries.h"

#include <algorithm>

namespace quorvane {

void ItemEntries::append(const Entries &entries, std::span<const qsizetype> keyIndexes, const Entries &keyEntries)
{
    // Grown by half rather than doubled: on a large file this array is among
    // the largest the scan holds, and doubling would leave up to half unused.
    const size_t needed = m_refs.size() + size_t(entries.size());
    if (needed > m_refs.capacity())
        m_refs.reserve(std::max(needed, m_refs.capacity() * 3 / 2 + 16));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const qsizetype at = size_t(i) < keyIndexes.size() ? keyIndexes[size_t(i)] : -1;
        if (at >= 0 && at < keyEntries.size() && keyEntries.at(at) == entries.at(i)) {
            m_refs.push_back(int32_t(at));
        } else {
            m_refs.push_back(int32_t(-1 - m_own.size()));
            m_own.append(entries.at(i));
        }
    }
    m_ends.append(int32_t(m_refs.size()));
}

void ItemEntries::add(qsizetype item, const Entries &entries, const Entries &keyEntries)
{
    const Entries held = appended(item, keyEntries);
    Entries *later = nullptr;
    for (const ProjectKey::Entry &entry : entries) {
        if (held.contains(entry))
            continue;
        if (!later)
            later = &m_later[item];
        if (!later->contains(entry))
            later->append(entry);
    }
}

void ItemEntries::respelling(qsizetype keyIndex, const QString &before)
{
    m_respelled[keyIndex].append({m_refs.size(), before});
}

ItemEntries::Entries ItemEntries::at(qsizetype item) const
{
    Entries all = appended(item, m_keyEntries);
    all.append(m_later.value(item));
    return all;
}

ItemEntries::Entries ItemEntries::appended(qsizetype item, const Entries &keyEntries) const
{
    const size_t from = item == 0 ? 0 : size_t(m_ends.at(item - 1));
    Entries entries;
    entries.reserve(qsizetype(size_t(m_ends.at(item)) - from));
    for (size_t ref = from; ref < size_t(m_ends.at(item)); ++ref)
        entries.append(entryAt(ref, keyEntries));
    return entries;
}

ProjectKey::Entry ItemEntries::entryAt(size_t ref, const Entries &keyEntries) const
{
    const int32_t at = m_refs.at(ref);
    if (at < 0)
        return m_own.at(-1 - at);
    ProjectKey::Entry entry = keyEntries.at(at);
    if (m_respelled.isEmpty())
        return entry;
    // The first spelling given up after the entry was appended is the one it had.
    const auto spellings = m_respelled.constFind(at);
    if (spellings != m_respelled.cend()) {
        const auto held = std::find_if(spellings->cbegin(), spellings->cend(),
                                       [&](const auto &spelling) { return ref < spelling.first; });
        if (held != spellings->cend())
            entry.real = held->second;
    }
    return entry;
}

} // namespace quorvane
