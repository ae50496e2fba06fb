#pragma once

#include <QString>

#include <optional>

namespace quorvane {

// How a value is written: the case of its letters and the layout of its
// digits. The candidates, the scan and the restorer all follow these rules.

// How a text's letters are written: all capitals, all lower case, or anything
// else. A text with fewer than two letters is `mixed`: one letter says nothing.
enum class LetterCase { upper, lower, mixed };

LetterCase letterCaseOf(QStringView text);

// Every run of letters starts with a capital, the rest in lower case ("o'brien"
// gives "O'Brien"); a letter or two after an apostrophe stays small ("Mateo's").
QString titleCased(const QString &text);

// The spelling the pools give a stand-in, whatever case the key stored it in:
// "MCALLISTER" gives "McAllister", "cedarhaven springs" gives "Cedarhaven Springs".
QString naturalForm(const QString &standIn);

// A name, town or street stand-in as written in place of one occurrence of its
// real value: capitals for capitals, lower case for lower case, else its natural form.
QString standInCasedLike(const QString &standIn, const QString &occurrence);

// The real value put back in place of a stand-in: capitals for capitals, lower
// case for lower case, else as stored, or title-cased when it was stored all in
// one case (the key keeps the first spelling it met).
QString realCasedLike(const QString &real, const QString &replaced);
// The same, for a replaced text whose letter case is known already.
QString realCasedLike(const QString &real, LetterCase replaced);

// The text in capitals, but for "ß", which capitals keep ("STRAUß"): the
// capitals "STRAUSS" are another word, with a key entry of its own.
QString inCapitals(const QString &text);

// The value in upper or lower case when the letters of `like` are all one case
// (and there are at least two of them); otherwise the value unchanged.
QString matchingCase(const QString &value, const QString &like);
// The same in two steps, for many values written like one text: the case
// `like` asks for, `mixed` when it asks for none.
LetterCase caseToMatch(const QString &like);
QString matchingCase(const QString &value, LetterCase like);

// Lays the digits into the pattern's digit positions; nothing when the counts differ.
std::optional<QString> formatLike(const QString &digits, const QString &pattern);

// A phone stand-in's digits laid into the real number's layout as written (a
// leading 1 of the real number kept), when the counts fit and the result is
// still a stand-in the restorer finds whole: "06 12 34 56 78" would split
// 555 and 01, so it takes nothing.
std::optional<QString> phoneLaidLike(const QString &standInDigits, const QString &realText);

// The layout a phone stand-in takes where the real number's does not fit it:
// "+1 212-555-0142" for an international number, "(212) 555-0142" otherwise,
// "555-0142" for seven digits.
QString plainPhoneLayout(const QString &standInDigits, bool international);

// Whether a written phone stand-in is in the plain layout above.
bool isPlainPhoneLayout(QStringView written);

} // namespace quorvane
