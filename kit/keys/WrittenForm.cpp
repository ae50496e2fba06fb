#include "kit/keys/WrittenForm.h"

#include "kit/keys/CodePoints.h"
#include "kit/keys/PhoneStandIns.h"
#include "kit/keys/Pools.h"

#include <QHash>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Lower-cased pool words with their spelling; only words whose spelling is not
// plain title case need to be here, but a full table keeps the rule obvious.
const QHash<QString, QString> &poolSpellings()
{
    static const QHash<QString, QString> spellings = [] {
        QHash<QString, QString> table;
        const auto add = [&](const QStringList &pool) {
            for (const QString &word : pool)
                table.insert(word.toLower(), word);
        };
        add(pools::firstNames());
        add(pools::lastNames());
        add(pools::streetNames());
        add(pools::cityExtras());
        for (const pools::StreetType &type : pools::streetTypes()) {
            table.insert(type.longForm.toLower(), type.longForm);
            table.insert(type.shortForm.toLower(), type.shortForm);
        }
        return table;
    }();
    return spellings;
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'’';
}

qsizetype lettersFrom(const QString &text, qsizetype at)
{
    qsizetype end = at;
    while (end < text.size() && text.at(end).isLetter())
        ++end;
    return end - at;
}

} // namespace

LetterCase letterCaseOf(QStringView text)
{
    int letters = 0;
    bool anyUpper = false, anyLower = false;
    // Code units, not code points: letters beyond the BMP have no case that matters here.
    for (QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        // Letters without case (CJK, Arabic) count as neither, and so does
        // "ß", which capitals keep. The Turkish "İ", whose small form is two
        // characters, maps to itself, so its category says it is a capital.
        anyUpper = anyUpper || c.isUpper() || c.toLower() != c;
        anyLower = anyLower || c.toUpper() != c;
    }
    if (letters < 2 || anyUpper == anyLower)
        return LetterCase::mixed;
    return anyUpper ? LetterCase::upper : LetterCase::lower;
}

QString titleCased(const QString &text)
{
    QString result = text.toLower();
    for (qsizetype i = 0; i < result.size(); ++i) {
        if (!result.at(i).isLetter())
            continue;
        const bool runStart = i == 0 || !result.at(i - 1).isLetter();
        const bool shortTail = i > 0 && isApostrophe(result.at(i - 1)) && lettersFrom(result, i) <= 2;
        if (runStart && !shortTail)
            result[i] = result.at(i).toUpper();
    }
    return result;
}

QString naturalForm(const QString &standIn)
{
    if (letterCaseOf(standIn) == LetterCase::mixed)
        return standIn;
    QString result;
    QString piece;
    const auto flush = [&] {
        result += poolSpellings().value(piece.toLower(), titleCased(piece));
        piece.clear();
    };
    for (QChar c : standIn) {
        if (c.isSpace() || c == u'-') {
            flush();
            result += c;
        } else {
            piece += c;
        }
    }
    flush();
    return result;
}

QString standInCasedLike(const QString &standIn, const QString &occurrence)
{
    switch (letterCaseOf(occurrence)) {
    case LetterCase::upper: return standIn.toUpper();
    case LetterCase::lower: return standIn.toLower();
    case LetterCase::mixed: return naturalForm(standIn);
    }
    return standIn;
}

QString realCasedLike(const QString &real, const QString &replaced)
{
    return realCasedLike(real, letterCaseOf(replaced));
}

QString realCasedLike(const QString &real, LetterCase replaced)
{
    switch (replaced) {
    case LetterCase::upper: return inCapitals(real);
    case LetterCase::lower: return real.toLower();
    case LetterCase::mixed: return letterCaseOf(real) == LetterCase::mixed ? real : titleCased(real);
    }
    return real;
}

QString inCapitals(const QString &text)
{
    const qsizetype sharpS = text.indexOf(u'ß');
    if (sharpS < 0)
        return text.toUpper();
    return inCapitals(text.first(sharpS)) + u'ß' + inCapitals(text.sliced(sharpS + 1));
}

QString matchingCase(const QString &value, const QString &like)
{
    return matchingCase(value, caseToMatch(like));
}

LetterCase caseToMatch(const QString &like)
{
    // Nearly every value is ASCII, whose letters are decided without copies.
    if (std::all_of(like.cbegin(), like.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        const auto count = [&](char16_t from, char16_t to) {
            return std::count_if(like.cbegin(), like.cend(), [&](QChar c) { return c >= from && c <= to; });
        };
        const qsizetype upper = count(u'A', u'Z'), lower = count(u'a', u'z');
        if (upper + lower <= 1 || (upper > 0 && lower > 0))
            return LetterCase::mixed;
        return upper > 0 ? LetterCase::upper : LetterCase::lower;
    }
    QList<char32_t> letterChars;
    for (char32_t c : like.toUcs4())
        if (QChar::isLetter(c))
            letterChars.append(c);
    if (letterChars.size() <= 1)
        return LetterCase::mixed;
    const QString letters = fromUcs4(letterChars);
    const QString upper = letters.toUpper();
    const QString lower = letters.toLower();
    if (letters == upper && letters != lower)
        return LetterCase::upper;
    if (letters == lower && letters != upper)
        return LetterCase::lower;
    return LetterCase::mixed;
}

QString matchingCase(const QString &value, LetterCase like)
{
    switch (like) {
    case LetterCase::upper: return value.toUpper();
    case LetterCase::lower: return value.toLower();
    case LetterCase::mixed: break;
    }
    return value;
}

std::optional<QString> formatLike(const QString &digits, const QString &pattern)
{
    if (std::count_if(pattern.cbegin(), pattern.cend(), [](QChar c) { return isAsciiDigit(c.unicode()); })
        != digits.size())
        return std::nullopt;
    QString result = pattern;
    qsizetype next = 0;
    for (QChar &c : result)
        if (isAsciiDigit(c.unicode()))
            c = digits.at(next++);
    return result;
}

namespace {

qsizetype digitCount(QStringView text)
{
    return std::count_if(text.cbegin(), text.cend(), [](QChar c) { return isAsciiDigit(c.unicode()); });
}

std::optional<TextRange> firstPhoneStandIn(const QString &text)
{
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        const auto match = nextAsciiPhoneStandIn(text, 0);
        if (!match || match->extension >= 0)
            return std::nullopt;
        return match->range;
    }
    const auto match = phoneStandInPattern().match(text);
    if (!match.hasMatch() || match.capturedLength(1) > 0)
        return std::nullopt;
    return TextRange{match.capturedStart(), match.capturedEnd()};
}

// The restorer reads a phone stand-in from the first match on; one that
// leaves digits outside would be looked up by part of its number.
bool restorerFindsWhole(const QString &laid)
{
    const auto range = firstPhoneStandIn(laid);
    return range && digitCount(QStringView(laid).sliced(range->start, range->length())) == digitCount(laid);
}

} // namespace

std::optional<QString> phoneLaidLike(const QString &standInDigits, const QString &realText)
{
    const qsizetype realDigits = digitCount(realText);
    std::optional<QString> laid;
    if (realDigits == standInDigits.size()) {
        laid = formatLike(standInDigits, realText);
    } else if (realDigits == standInDigits.size() + 1) {
        const auto first = std::find_if(realText.cbegin(), realText.cend(), [](QChar c) { return isAsciiDigit(c.unicode()); });
        if (*first == u'1')
            laid = formatLike(u'1' + standInDigits, realText);
    }
    if (laid && !restorerFindsWhole(*laid))
        return std::nullopt;
    return laid;
}

QString plainPhoneLayout(const QString &standInDigits, bool international)
{
    if (standInDigits.size() != 10)
        return standInDigits.left(3) + u'-' + standInDigits.mid(3);
    const QString area = standInDigits.left(3);
    const QString number = standInDigits.mid(3, 3) + u'-' + standInDigits.mid(6);
    if (international)
        return u"+1 "_s + area + u'-' + number;
    return u'(' + area + u") "_s + number;
}

bool isPlainPhoneLayout(QStringView written)
{
    QString standIn = digits(written);
    if (standIn.size() == 11 && standIn.front() == u'1')
        standIn.remove(0, 1);
    return written == plainPhoneLayout(standIn, written.startsWith(u'+'));
}

} // namespace quorvane
