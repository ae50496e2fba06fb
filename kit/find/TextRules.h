#pragma once

#include "kit/TextRange.h"
#include "kit/find/WordSet.h"
#include "kit/keys/CodePoints.h" // digits and lowerCased, which the finders share with the key

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>

#include <functional>

namespace quorvane {

// Shared patterns, compiled once on first use and then only read.
const QRegularExpression &emailPattern();
const QRegularExpression &nameWordPattern();

// Lower-case word lists.
const WordSet &titleWords();
const WordSet &cueWords();
// Whether the word, in any case, is one of titleWords.
bool isTitleWord(QStringView word);
// Honorifics joined to a name by a hyphen ("Tanaka-san"), lower case, each
// with its hyphen: the name is the word without it.
const QStringList &hyphenHonorifics();

struct Word
{
    TextRange range;
    QString word;
    friend bool operator==(const Word &, const Word &) = default;
};

// Legal forms and other words that end a company's name ("Co", "LLC", "GmbH",
// "Group"), in any case.
// A name that holds one is a company, not a person.
bool isCompanySuffix(QStringView word);
// A two-letter US state or Canadian province code in capitals ("CO", "ON"):
// standing alone it is a place, never a name.
bool isRegionCode(QStringView word);

// Every match of nameWordPattern, in order.
QList<Word> nameWords(const QString &text);
// The same words' ranges, for callers that need no copy of each word.
QList<TextRange> nameWordRanges(const QString &text);
// The same ranges one by one, or only their number: every cell of a file is
// walked so, and a list made for each would cost more than the walk.
void forEachNameWordRange(const QString &text, const std::function<void(const TextRange &)> &visit);
qsizetype nameWordCount(const QString &text);
// Not empty and its first character is an upper-case letter.
bool isCapitalised(QStringView word);
// Capitalised and not a cue word.
bool isNameWord(QStringView word);
// "RSVP'd", "OK'd", "CC'ing": an acronym made a verb, no word of a name.
bool isVerbedAcronym(QStringView word);
// From the first to the end of the last non-whitespace character.
TextRange trimmedRange(const QString &text);
// Whether text[from, to) may stand between two words of one name: one or two
// plain or no-break spaces.
bool onlySpacesBetween(const QString &text, qsizetype from, qsizetype to);

// A comma belongs to a name written last name first ("Lopez, Maria"), which a
// column of names may hold; a name found in the middle of other text has none.
enum class Commas { refused, allowed };
// Every character is a letter, white space, a hyphen, an apostrophe (straight
// or curly) or a full stop, or a comma when allowed.
bool hasOnlyNameCharacters(QStringView text, Commas commas);

} // namespace quorvane
