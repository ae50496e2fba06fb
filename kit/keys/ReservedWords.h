#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvane {

// The lower-case words of a file, which name and town stand-ins must avoid.
// A large file holds hundreds of thousands, and every candidate is tested
// against them, so ASCII words are lowered and hashed in one pass with no
// text made for them; the texts lie end to end in one buffer, and a probe
// compares them only when the hashes agree, so a clash of hashes never
// decides anything.
class ReservedWords
{
public:
    ReservedWords() = default;
    ReservedWords(std::initializer_list<QStringView> words);

    void reserve(qsizetype words);
    // Adds the word lower-cased.
    void add(QStringView word);
    // Whether the word lower-cased is held.
    bool contains(QStringView word) const;
    // Whether the word, lower-case already, is held.
    bool containsLowered(QStringView word) const;
    bool isEmpty() const { return m_words.empty(); }
    qsizetype size() const { return qsizetype(m_words.size()); }

    // Each word held, in the order added.
    template<typename Visit>
    void forEach(Visit visit) const
    {
        for (const Word &word : m_words)
            visit(textOf(word));
    }

private:
    struct Word
    {
        uint32_t start = 0;
        uint32_t length = 0;
    };
    struct Slot
    {
        uint64_t hash = 0;
        int32_t word = -1; // into m_words
    };
    // Where the word is, or the free slot it would take.
    qsizetype slotFor(QStringView lowered, uint64_t hash) const;
    qsizetype slotForAscii(QStringView word, uint64_t hash) const;
    void insertAt(qsizetype slot, uint64_t hash, QStringView lowered);
    void growIfFull();
    void rehash(qsizetype slotCount);
    QStringView textOf(const Word &word) const { return QStringView(m_units.data() + word.start, word.length); }

    std::vector<Slot> m_slots;
    std::vector<Word> m_words;
    std::vector<char16_t> m_units;
};

} // namespace quorvane
