#pragma once

#include <QList>
#include <QString>

#include <algorithm>

namespace quorvane {

// Digits and case are judged by code point, so that letters beyond the Basic
// Multilingual Plane count as one character each.

inline bool isAsciiDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// The characters 0 to 9 of the text, in order.
inline QString digits(QStringView text)
{
    // Counted first, so that the result is allocated once at its size: every
    // phone number and ZIP code of a large file comes through here.
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype count = std::count_if(text.begin(), text.end(), isDigit);
    if (count == 0)
        return {};
    QString result(count, Qt::Uninitialized);
    std::copy_if(text.begin(), text.end(), result.begin(), isDigit);
    return result;
}

// The same as QString::toLower, without walking the full case tables for
// plain ASCII, which most values are.
inline QString lowerCased(const QString &text)
{
    qsizetype firstUpper = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x80)
            return text.toLower();
        if (firstUpper < 0 && c >= u'A' && c <= u'Z')
            firstUpper = i;
    }
    if (firstUpper < 0)
        return text;
    QString result = text;
    for (qsizetype i = firstUpper; i < result.size(); ++i) {
        const char16_t c = result.at(i).unicode();
        if (c >= u'A' && c <= u'Z')
            result[i] = QChar(char16_t(c - u'A' + u'a'));
    }
    return result;
}

inline QString fromUcs4(const QList<char32_t> &chars)
{
    return QString::fromUcs4(chars.constData(), chars.size());
}

} // namespace quorvane
