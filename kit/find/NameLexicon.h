#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace quorvane {

// The word knowledge of the portable name tagger. All words lower case.
namespace nameLexicon {

// Given names, short forms included: the lists here, the bundled list and the
// stand-in pools' first names (which this does not change).
bool isGivenName(const QString &word);
bool isSurname(const QString &word);
// Names that many people bear but that are also everyday words, places or
// brands ("sterling", "marsh"): names only beside other names.
bool isAmbiguousGivenName(const QString &word);
bool isAmbiguousSurname(const QString &word);
// Given names many people are called by, as against surnames now and then
// given as first names.
bool isCommonGivenName(const QString &word);
// Given names that are also words, however few people bear them ("hyacinth"):
// a name only right before a surname.
bool isRareAmbiguousGivenName(const QString &word);
// Titles that stand before a name ("dr", "mrs", "officer").
bool isTitle(const QString &word);
// Words just before a name in notes: "with", "from", "thanks", "asked".
bool isLeadWord(const QString &word);
// Words just after a name: speech and action verbs ("said", "wrote", "called").
bool isActionVerb(const QString &word);
// Greetings and other words that open a note but are no part of a name.
bool isOpener(const QString &word);
// Months, days, places, companies, brands and words that end company names:
// a capitalised run holding one of these is not a person.
bool isNonPersonWord(const QString &word);
// "Boateng Freight Ltd", "Castellano Plumbing": words that end the name of
// a firm or name its trade.
bool isFirmEnding(const QString &word);
// Words before a place rather than a person ("in", "at", "near").
bool isPlacePreposition(const QString &word);
// Brands, companies and places named after a person ("calvin klein",
// "morgan stanley"): the words of a run, lower case, joined by single spaces.
bool isPersonNamedBrand(const QString &words);
// The first word of one of those: the others need not be joined to look them up.
bool mayStartPersonNamedBrand(const QString &word);
// Words that end the name of a street, a place or a building ("Rd", "Bay", "Center").
bool isPlaceNoun(const QString &word);
// Countries, capitals and large cities of the world in English and as their
// own people spell them ("göteborg", "den haag", "hà nội"): the words of a
// place, lower case, joined by single spaces.
bool isWorldPlace(const QString &words);
// Makers whose name, with a model after it, names a product rather than a
// person ("Skoda Octavia", "Fender Strat"): cars, appliances, instruments.
bool isModelMaker(const QString &word);
// Words of care that only animals receive ("neuter", "lepto"): a note holding
// one is about somebody's pet.
bool isAnimalCareWord(const QString &word);
// Festivals and feasts that are not named "... Day" ("mardi gras", "diwali"):
// the words, lower case, joined by single spaces.
bool isFestival(const QString &words);
// The books of the Bible, cited with chapter and verse ("Isaiah 40:1").
bool isBookOfScripture(const QString &word);
// Lower-case particles inside names ("van", "de", "al").
bool isNameParticle(const QString &word);
// Real given names that are never handed out as stand-ins; they only help
// recognise names.
const QStringList &commonFirstNames();
// The stand-in pools' first names and commonFirstNames, lower case: the names
// that make a capitalised word a person's first name.
bool isKnownFirstName(const QString &lowercasedWord);

} // namespace nameLexicon

} // namespace quorvane
