#include "kit/find/PhoneFinder.h"

#include <QLocale>

#include <phonenumbers/phonenumbermatch.h>
#include <phonenumbers/phonenumbermatcher.h>
#include <phonenumbers/phonenumberutil.h>

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <optional>

using namespace Qt::StringLiterals;
using i18n::phonenumbers::PhoneNumberMatch;
using i18n::phonenumbers::PhoneNumberMatcher;
using i18n::phonenumbers::PhoneNumberUtil;

namespace quorvane {

namespace {

// The detector keeps no telephone number of fewer than 7 digits, so a text
// with fewer cannot give one; most cells (amounts, dates, ids) are spared
// the matcher this way.
constexpr qsizetype minimumDigits = 7;

bool hasEnoughDigits(const QString &text)
{
    qsizetype count = 0;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9' && ++count >= minimumDigits)
            return true;
    return false;
}

bool isNorthAmerican(const QString &region)
{
    return region == u"US"_s || region == u"CA"_s;
}

// Whether the text is digits 0-9 and the given separators laid out as the
// pattern says, where '9' stands for one digit and '2' for one of 2-9.
bool isLaidOutAs(QStringView text, QStringView pattern)
{
    if (text.size() != pattern.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= (pattern[i] == u'2' ? u'2' : u'0') && text[i] <= u'9';
        if (pattern[i] == u'9' || pattern[i] == u'2' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

// A cell holding nothing but a number in one of the everyday layouts (ten
// digits, ten after the country's own +1, or a seven-digit local number): in
// a North American region the matcher takes all of it, so its range is known
// without the matcher's far dearer parse. After +1 and in a local number,
// only an opening 2-9 qualifies: the matcher may read a leading 0 or 1 as a
// prefix. (It reads a ten-digit number opening with 011 as a call out of the
// country too, but such cells have always been taken whole.)
std::optional<TextRange> plainLocalNumber(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start].isSpace())
        ++start;
    while (end > start && text[end - 1].isSpace())
        --end;
    const QStringView number = QStringView(text).sliced(start, end - start);
    for (QStringView layout : {u"(999) 999-9999", u"999-999-9999", u"999.999.9999", u"999 999 9999", u"9999999999",
                               u"+1 299 999 9999", u"299-9999"})
        if (isLaidOutAs(number, layout))
            return TextRange{start, end};
    return std::nullopt;
}

bool isDecimalSeparator(QChar c)
{
    return c == u'.' || c == u',';
}

// "10125.00", "4500,5": digits, one separator, then one or two digits.
bool isDecimalAmount(QStringView text)
{
    qsizetype separators = 0, separatorAt = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isDecimalSeparator(text[i])) {
            ++separators;
            separatorAt = i;
        } else if (!text[i].isDigit()) {
            return false;
        }
    }
    const qsizetype decimals = text.size() - separatorAt - 1;
    return separators == 1 && separatorAt > 0 && (decimals == 1 || decimals == 2);
}

// libphonenumber's possible numbers include money and measurements: "10125.00",
// the "1234567" of "$1234567.89", the "1415926" of "3.1415926". A match that is
// or borders on a decimal number, or follows a currency sign, is no phone.
bool isPartOfAmount(const QString &text, TextRange range)
{
    if (isDecimalAmount(QStringView(text).sliced(range.start, range.length())))
        return true;
    if (range.end + 1 < text.size() && isDecimalSeparator(text[range.end]) && text[range.end + 1].isDigit())
        return true;
    if (range.start >= 2 && isDecimalSeparator(text[range.start - 1]) && text[range.start - 2].isDigit())
        return true;
    qsizetype before = range.start - 1;
    while (before >= 0 && text[before].isSpace())
        --before;
    return before >= 0 && text[before].category() == QChar::Symbol_Currency;
}

// "11325-7477" is a ZIP+4 code: five digits, a hyphen, four digits. No
// telephone number is written that way.
bool isZipPlusFour(QStringView text)
{
    if (text.size() != 10 || text[5] != u'-')
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (i != 5 && !text[i].isDigit())
            return false;
    return true;
}

// Reads a number of `fewest` to `most` digits at `at` and moves past it.
std::optional<int> numberAt(QStringView text, qsizetype &at, int fewest, int most)
{
    int value = 0, count = 0;
    while (count < most && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at++].unicode() - u'0');
        ++count;
    }
    return count >= fewest ? std::optional(value) : std::nullopt;
}

bool isYear(int year)
{
    return year >= 1000 && year < 3000;
}

// "2019-04-21", "2019/4/21", "21.04.2019", "4/21/2019": a year of four
// digits first or last, a month and a day in either order, one separator.
bool readDate(QStringView text, qsizetype &at)
{
    std::array<int, 3> parts{}, widths{};
    QChar separator;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (at >= text.size() || (i == 2 && text[at] != separator))
                return false;
            separator = text[at++];
        }
        const qsizetype start = at;
        const std::optional<int> part = numberAt(text, at, 1, 4);
        if (!part)
            return false;
        parts[i] = *part;
        widths[i] = int(at - start);
    }
    if (separator != u'-' && separator != u'/' && separator != u'.')
        return false;
    const bool yearFirst = widths[0] == 4 && widths[1] <= 2 && widths[2] <= 2;
    const bool yearLast = widths[2] == 4 && widths[0] <= 2 && widths[1] <= 2;
    const int year = yearFirst ? parts[0] : parts[2];
    const int a = yearFirst ? parts[1] : parts[0], b = yearFirst ? parts[2] : parts[1];
    return (yearFirst || yearLast) && isYear(year) && a >= 1 && b >= 1 && a <= 31 && b <= 31
        && (yearFirst ? a <= 12 : std::min(a, b) <= 12);
}

bool readFraction(QStringView text, qsizetype &at)
{
    if (at >= text.size() || text[at] != u'.')
        return true;
    ++at;
    return numberAt(text, at, 1, 9).has_value();
}

// " 08:30", "T08:30:00Z", " 8:30:15.250", " 4:05 PM".
bool readTime(QStringView text, qsizetype &at)
{
    if (at >= text.size() || (text[at] != u' ' && text[at] != u'T'))
        return false;
    ++at;
    const std::optional<int> hour = numberAt(text, at, 1, 2);
    if (!hour || *hour > 23 || at >= text.size() || text[at++] != u':' || !numberAt(text, at, 2, 2))
        return false;
    if (at < text.size() && text[at] == u':') {
        ++at;
        if (!numberAt(text, at, 2, 2) || !readFraction(text, at))
            return false;
    }
    if (at < text.size() && text[at] == u'Z')
        ++at;
    const QStringView rest = text.sliced(at).trimmed();
    if (rest.compare(u"am", Qt::CaseInsensitive) == 0 || rest.compare(u"pm", Qt::CaseInsensitive) == 0)
        at = text.size();
    return true;
}

// A cell of nothing but a date, or a date and a time of day, as a date
// column holds: no number, though the matcher takes some ("13.02.1976" in
// the US plan), and its parse of each is dear.
bool isDateOrTime(QStringView text)
{
    qsizetype at = 0;
    if (!readDate(text, at))
        return false;
    return at == text.size() || (readTime(text, at) && at == text.size());
}

// A match that is a date, or a date and part of the time after it: the
// "13.02.1976" of "born 13.02.1976", the "29.11.2023 09" of "29.11.2023 09:30".
bool isDateAt(const QString &text, TextRange range)
{
    qsizetype at = range.start;
    if (!readDate(text, at))
        return false;
    return at >= range.end || (readTime(text, at) && at >= range.end);
}

// A number the matcher reads in a North American plan, grouped as such
// numbers are written: 555-0142, (212) 555-0142, 1 212 555 0142, 2125550142,
// with any extension after it. "4412-8890-12" and "77-1234567-8" are codes.
// A number with its country code, after "+" or the call-abroad prefix 011,
// is written as its own country does.
bool isGroupedAsNorthAmerican(QStringView number)
{
    if (number.startsWith(u'+') || number.startsWith(u"011"))
        return true;
    QList<int> groups;
    int run = 0;
    for (QChar c : number) {
        if (c.isDigit()) {
            ++run;
            continue;
        }
        if (c.isLetter() || c == u'#')
            break; // an extension
        if (run > 0)
            groups.append(std::exchange(run, 0));
    }
    if (run > 0)
        groups.append(run);
    // The last four digits in pairs, as some write them, too.
    static const QList<QList<int>> layouts{{7}, {10}, {11}, {3, 4}, {3, 7}, {3, 3, 4}, {1, 10}, {1, 3, 7}, {1, 3, 3, 4},
                                           {3, 2, 2}, {3, 3, 2, 2}, {1, 3, 3, 2, 2}};
    return layouts.contains(groups);
}

bool isLatinLetter(QChar c)
{
    return c.unicode() < 0x250 && c.isLetter();
}

// Digits run on from a word ("1Z999AA10123456784") are part of a code.
bool touchesLatinLetters(const QString &text, TextRange range)
{
    return (range.start > 0 && isLatinLetter(text[range.start - 1]))
        || (range.end < text.size() && isLatinLetter(text[range.end]));
}

bool isKnownRegion(const QString &region)
{
    std::set<std::string> regions;
    PhoneNumberUtil::GetInstance()->GetSupportedRegions(&regions);
    return regions.count(region.toStdString()) > 0;
}

} // namespace

qsizetype Utf8OffsetMap::utf16Offset(qsizetype utf8Offset)
{
    while (m_utf8 < utf8Offset && m_utf16 < m_text.size()) {
        const char16_t unit = m_text.at(m_utf16).unicode();
        if (QChar::isHighSurrogate(unit) && m_utf16 + 1 < m_text.size()
            && m_text.at(m_utf16 + 1).isLowSurrogate()) {
            m_utf8 += 4;
            m_utf16 += 2;
        } else {
            m_utf8 += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
            m_utf16 += 1;
        }
    }
    return m_utf16;
}

PhoneFinder::PhoneFinder(const QString &region, Layouts layouts)
    : m_region(region.isEmpty() ? regionOfSystem() : region)
    , m_quickChecks(layouts == Layouts::known)
    , m_northAmerican(isNorthAmerican(m_region))
    , m_knownLayouts(m_quickChecks && m_northAmerican)
{
}

QString PhoneFinder::regionOfSystem()
{
    const QString code = QLocale::territoryToCode(QLocale::system().territory());
    return code.size() == 2 && isKnownRegion(code) ? code : u"US"_s;
}

bool PhoneFinder::mayFind(const QString &text)
{
    // Every match inside a lone amount would be dropped as part of it, so
    // amount cells need not reach the matcher at all.
    return hasEnoughDigits(text) && !isDecimalAmount(QStringView(text).trimmed());
}

QList<TextRange> PhoneFinder::find(const QString &text) const
{
    QList<TextRange> ranges;
    if (!mayFind(text) || (m_quickChecks && isDateOrTime(QStringView(text).trimmed())))
        return ranges;
    if (m_knownLayouts) {
        if (const auto whole = plainLocalNumber(text))
            return {*whole};
    }
    // Possible rather than valid numbers, so that the fictional 555-01xx
    // numbers count as the phones they are meant to be.
    const std::string utf8 = text.toStdString();
    PhoneNumberMatcher matcher(*PhoneNumberUtil::GetInstance(), utf8, m_region.toStdString(),
                               PhoneNumberMatcher::POSSIBLE, std::numeric_limits<int>::max());
    Utf8OffsetMap offsets(text);
    PhoneNumberMatch match;
    while (matcher.HasNext() && matcher.Next(&match)) {
        const qsizetype start = offsets.utf16Offset(match.start());
        const qsizetype end = offsets.utf16Offset(match.start() + match.length());
        const QStringView number = QStringView(text).sliced(start, end - start);
        if (!isPartOfAmount(text, {start, end}) && !isZipPlusFour(number) && !isDateAt(text, {start, end})
            && !touchesLatinLetters(text, {start, end}) && (!m_northAmerican || isGroupedAsNorthAmerican(number)))
            ranges.append({start, end});
    }
    return ranges;
}

} // namespace quorvane
