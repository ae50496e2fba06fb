#pragma once

#include "kit/find/WordSet.h"

#include <QByteArray>
#include <QString>

#include <unordered_map>

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
    QByteArray lookUp(const QString &word) const
    {
        const auto known = m_classes.find(word);
        return known == m_classes.end() ? QByteArray() : known->second;
    }

    std::unordered_map<QString, QByteArray, WordSet::Hash, WordSet::Equal> m_classes;
};

} // namespace quorvane
