#pragma once

#include <QString>
#include <QtGlobal>

namespace quorvane {

// The everyday words of notes written in German, French, Spanish, Italian,
// Dutch and Portuguese, which the English dictionary does not know: in those
// notes a capitalised noun, a sentence's first verb or a lower-case article is
// no part of a name. All words lower case.
namespace europeanWords {

enum Kind : quint8 {
    word = 1,       // never a name: function words, days, months, the words of business notes
    call = 2,       // "Llamar", "Bel": opens a sentence and takes a person after it
    doing = 4,      // "ist", "está": follows the one who does it
    lead = 8,       // "mit", "avec": a person often follows
    honorific = 16, // "Herrn", "Sra", "mevrouw": the name follows, outside it
    firm = 32,      // "Bäckerei", "GmbH": names a business with the run it opens or closes
    german = 64,    // a German word: in German text every noun takes a capital
};

// The kinds of a word, 0 for none. Elided articles and prepositions count as
// the word they lean on ("l'appel", "dell'ufficio").
quint8 kindsOf(const QString &lowercasedWord);

// Abbreviated honorifics written with a point inside ("Sig.ra", "Dott.ssa"):
// whether `ending` after "`start`." completes one.
bool isHonorificEnding(const QString &start, const QString &ending);

// "Rückr.", "Zahnreinig.": the first letters of a listed word, cut short with a point.
bool isAbbreviation(const QString &lowercasedWord);

} // namespace europeanWords

} // namespace quorvane
