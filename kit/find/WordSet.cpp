#include "kit/find/WordSet.h"

namespace quorvane {

WordSet::WordSet(std::initializer_list<QString> words)
{
    for (const QString &word : words)
        insert(word);
}

WordSet::WordSet(const QSet<QString> &words)
{
    m_starts.reserve(size_t(words.size()) + 1);
    for (const QString &word : words)
        insert(word);
}

QStringView WordSet::wordAt(uint32_t number) const
{
    const uint32_t start = m_starts[number];
    return QStringView(m_units.data() + start, qsizetype(m_starts[number + 1] - start));
}

size_t WordSet::slotFor(QStringView word) const
{
    const size_t mask = m_words.size() - 1;
    for (size_t slot = Hash()(word) & mask;; slot = (slot + 1) & mask) {
        const uint32_t held = m_words[slot];
        if (held == 0 || wordAt(held - 1) == word)
            return slot;
    }
}

void WordSet::insert(QStringView word)
{
    // Kept at most half full, so that a probe for a word not held soon meets a free slot.
    if (size_t(m_count + 1) * 2 > m_words.size())
        grow();
    const size_t slot = slotFor(word);
    if (m_words[slot] != 0)
        return;
    if (m_starts.empty())
        m_starts.push_back(0);
    m_units.insert(m_units.end(), word.utf16(), word.utf16() + word.size());
    m_starts.push_back(uint32_t(m_units.size()));
    m_words[slot] = uint32_t(m_count + 1);
    ++m_count;
}

void WordSet::grow()
{
    std::vector<uint32_t> table(std::max<size_t>(16, m_words.size() * 2), 0);
    const size_t mask = table.size() - 1;
    for (uint32_t number = 0; number < uint32_t(m_count); ++number) {
        size_t slot = Hash()(wordAt(number)) & mask;
        while (table[slot] != 0)
            slot = (slot + 1) & mask;
        table[slot] = number + 1;
    }
    m_words = std::move(table);
}

} // namespace quorvane
