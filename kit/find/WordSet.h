#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <unordered_set>

namespace quorvane {

// A fixed set of words, asked far more often than it is built. Qt's string
// hash is seeded per process and, on some processors, costs several times the
// look-up itself; the words here are ours and never grow from input, so a plain
// unseeded hash serves.
class WordSet
{
public:
    // Also for maps keyed by words.
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(QStringView word) const noexcept
        {
            size_t hash = 14695981039346656037ull; // FNV-1a
            for (QChar c : word)
                hash = (hash ^ c.unicode()) * 1099511628211ull;
            return hash;
        }
    };
    struct Equal
    {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const noexcept { return a == b; }
    };

    WordSet() = default;
    WordSet(std::initializer_list<QString> words) : m_words(words.begin(), words.end()) {}
    WordSet(const QSet<QString> &words) : m_words(words.cbegin(), words.cend()) {}

    bool contains(QStringView word) const { return m_words.find(word) != m_words.end(); }
    bool contains(const QString &word) const { return contains(QStringView(word)); }
    bool isEmpty() const { return m_words.empty(); }
    qsizetype size() const { return qsizetype(m_words.size()); }
    void insert(const QString &word) { m_words.insert(word); }
    auto begin() const { return m_words.begin(); }
    auto end() const { return m_words.end(); }

private:
    std::unordered_set<QString, Hash, Equal> m_words;
};

} // namespace quorvane
