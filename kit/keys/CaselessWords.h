#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvane {

// A set of texts compared lower-cased, each with its number in the order
// added: the words of a file, which name and town stand-ins must avoid, and
// the names a file is searched for again. A large file holds hundreds of
// thousands, and each is added or looked for many times, so ASCII texts are
// lowered and hashed in one pass with no text made for them; the texts lie
// end to end in one buffer, a byte a character when all are Latin-1, and a
// probe compares them only when the hashes agree, so a clash of hashes never
// decides anything.
class CaselessWords
{
public:
    CaselessWords() = default;
    CaselessWords(std::initializer_list<QStringView> words);
    CaselessWords(const CaselessWords &) = default;
    CaselessWords &operator=(const CaselessWords &) = default;
    // The set moved from is left empty, under a stamp of its own.
    CaselessWords(CaselessWords &&other) noexcept;
    CaselessWords &operator=(CaselessWords &&other) noexcept;

    // Adds the text lower-cased unless it is held; its number either way.
    qsizetype add(QStringView text);
    // The same for a text that is lower-case already.
    qsizetype addLowered(QStringView lowered);
    // The number of the text lower-cased, or -1.
    qsizetype indexOf(QStringView text) const;
    bool contains(QStringView text) const { return indexOf(text) >= 0; }
    // Whether the text, lower-case already, is held.
    bool containsLowered(QStringView lowered) const;

    // Probes of several large sets for one candidate each wait for memory;
    // fetched ahead, the waits overlap. The hash is of a lower-case text.
    static uint64_t hashOfLowered(QStringView lowered);
    void prefetch(uint64_t hash) const;
    bool containsLowered(QStringView lowered, uint64_t hash) const;

    // Room for this many texts without growing on the way.
    void reserve(qsizetype count);
    bool isEmpty() const { return m_words.empty(); }
    qsizetype size() const { return qsizetype(m_words.size()); }
    // Two sets of one stamp hold the same texts: every set made, and every
    // text added, takes a new one. What was worked out from a set's texts
    // holds for as long as its stamp stays.
    uint64_t stamp() const { return m_stamp; }

    // Each text held, in the order added; a view is valid during its visit only.
    template<typename Visit>
    void forEach(Visit visit) const
    {
        QString buffer;
        for (const Word &word : m_words)
            visit(textOf(word, buffer));
    }

private:
    // A word's units lie in m_bytes from start on: a byte each when all are
    // Latin-1, as nearly all are, else two each.
    struct Word
    {
        uint32_t start = 0;
        uint32_t length : 31 = 0;
        uint32_t wide : 1 = 0;
    };
    // Half a slot's hash tells most other words apart; the whole is worked
    // out again from the word when the table grows. A large file's words
    // take a million slots, at half the size this way.
    struct Slot
    {
        uint32_t check = 0;
        int32_t word = -1; // into m_words
    };
    static uint32_t checkOf(uint64_t hash) { return uint32_t(hash >> 32); }
    // The slot a probe starts at: the top bits of the check, so that a
    // growing table moves its slots without hashing any word again.
    qsizetype homeOf(uint32_t check) const;
    // Where the text is, or the free slot it would take.
    qsizetype slotFor(QStringView lowered, uint64_t hash) const;
    qsizetype slotForAscii(QStringView text, uint64_t hash) const;
    // The number of the text in the slot, added there if the slot is free:
    // as it is, or ASCII lowered on the way.
    qsizetype takeSlot(qsizetype slot, uint64_t hash, QStringView text, bool lowerAscii);
    void growIfFull();
    static uint64_t newStamp();
    void rehash(qsizetype slotCount);
    // The word as UTF-16, made in the buffer.
    QStringView textOf(const Word &word, QString &buffer) const;
    bool equals(const Word &word, QStringView lowered) const;
    bool equalsAsciiLowered(const Word &held, QStringView word) const;

    std::vector<Slot> m_slots;
    std::vector<Word> m_words;
    std::vector<char> m_bytes; // a large file's values take millions of units
    uint64_t m_stamp = newStamp();
};

} // namespace quorvane
