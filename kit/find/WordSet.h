#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvane {

// A fixed set of words, asked far more often than it is built. Qt's string
// hash is seeded per process and, on some processors, costs several times the
// look-up itself; the words here are ours and never grow from input, so a plain
// unseeded hash serves. The words lie end to end in one buffer and the table
// holds numbers into it: the name lists hold tens of thousands of words, which
// a table of nodes would allocate one by one at every start of the program.
class WordSet
{
public:
    // Also for maps keyed by words.
    struct Hash
    {
        using is_transparent = void;
        // FNV-1a, a unit at a time, so that a text in pieces hashes as the whole.
        static constexpr size_t start = 14695981039346656037ull;
        static constexpr size_t step(size_t hash, char16_t unit) { return (hash ^ unit) * 1099511628211ull; }
        size_t operator()(QStringView word) const noexcept
        {
            size_t hash = start;
            for (QChar c : word)
                hash = step(hash, c.unicode());
            return hash;
        }
    };
    struct Equal
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
    };

    WordSet() = default;
    WordSet(std::initializer_list<QString> words);
    WordSet(const QSet<QString> &words);

    bool contains(QStringView word) const { return m_words.empty() ? false : m_words[slotFor(word)] != 0; }
    bool contains(const QString &word) const { return contains(QStringView(word)); }
    bool isEmpty() const { return m_count == 0; }
    qsizetype size() const { return m_count; }
    void insert(QStringView word);
    // Each word, in the order added; a view is valid while the set is not changed.
    template<typename Visit>
    void forEach(Visit visit) const
    {
        for (uint32_t number = 0; number < uint32_t(m_count); ++number)
            visit(wordAt(number));
    }

private:
    // The slot that holds the word, or the free slot it would take.
    size_t slotFor(QStringView word) const;
    QStringView wordAt(uint32_t number) const;
    void grow();

    std::vector<char16_t> m_units;  // every word's units, end to end
    std::vector<uint32_t> m_starts; // where each word starts in m_units; one more at the end
    std::vector<uint32_t> m_words;  // the table: a word's number plus one, or 0 when free
    qsizetype m_count = 0;
};

} // namespace quorvane
