#pragma once

#include <QList>
#include <QString>

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
    QString result;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            result.append(c);
    }
    return result;
}

inline QString fromUcs4(const QList<char32_t> &chars)
{
    return QString::fromUcs4(chars.constData(), chars.size());
}

} // namespace quorvane
