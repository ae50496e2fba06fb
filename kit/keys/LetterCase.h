#pragma once

#include <QString>

namespace quorvane {

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

} // namespace quorvane
