#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace quorvane {

// What a dictionary knows of English words: their lexical classes, most
// frequent first. Built once from the bundled word list and then only read.
class WordClasses
{
public:
    enum Class : char { noun = 'n', verb = 'v', adjective = 'a', adverb = 'r', properNoun = 'p' };

    static const WordClasses &shared();

    // The classes of a lower-case word or of the base form of an inflected one
    // ("meetings", "shipped"); empty when the word is unknown.
    QByteArray classesOf(const QString &lowercasedWord) const;
    // Known with some reading other than a proper noun.
    bool isEverydayWord(const QString &lowercasedWord) const;
    // Known only as the name of a place, person or thing.
    bool isProperNoun(const QString &lowercasedWord) const;

private:
    WordClasses();
    // The classes listed for the stem followed by the ending, as one word;
    // empty when it is not listed. Inflected forms are looked up as their base
    // this way, with no text made for the base.
    QByteArray lookUp(QStringView stem, QStringView ending = {}) const;
    static size_t hashOf(QStringView stem, QStringView ending);
    static size_t hashOfAscii(QByteArrayView word);
    QByteArrayView wordOfLine(uint32_t start) const;

    // The bundled list as it is, a word and its classes a line, all ASCII: its
    // tens of thousands of words are read at every start of the program, and
    // a table of where each line starts costs no allocation per word.
    QByteArray m_lines;
    std::vector<uint32_t> m_slots; // a word's line start plus one; 0 when free
};

} // namespace quorvane
