#pragma once

#include "kit/TextRange.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>

namespace quorvane {

// Shared patterns, compiled once on first use and then only read.
const QRegularExpression &emailPattern();
const QRegularExpression &nameWordPattern();

// Lower-case word lists.
const QSet<QString> &titleWords();
const QSet<QString> &cueWords();

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
// Not empty and its first character is an upper-case letter.
bool isCapitalised(QStringView word);
// Capitalised and not a cue word.
bool isNameWord(QStringView word);
// The characters 0 to 9 of the text, in order.
QString digits(QStringView text);
// The same as QString::toLower, without its full case tables for plain ASCII.
QString lowerCased(const QString &text);
// From the first to the end of the last non-whitespace character.
TextRange trimmedRange(const QString &text);

} // namespace quorvane
