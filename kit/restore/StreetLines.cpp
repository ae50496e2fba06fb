#include "kit/restore/StreetLines.h"

using namespace Qt::StringLiterals;

namespace quorvane {

// Any case: a street written in capitals or lower case is still one of the
// key's stand-ins, and only the key's own stand-ins are ever replaced.
const QRegularExpression &streetLinePattern()
{
    static const QRegularExpression pattern(uR"((?<![\p{L}\p{N}])\d{2,4} \p{L}+ \p{L}+\.?(?![\p{L}\p{N}]))"_s,
                                            QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

namespace {

// In ASCII the pattern's letters are A-Z and a-z, and its numbers the digits.
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

qsizetype endOfRun(QStringView text, qsizetype at, bool (*inRun)(QChar))
{
    while (at < text.size() && inRun(text.at(at)))
        ++at;
    return at;
}

bool spaceAt(QStringView text, qsizetype at)
{
    return at < text.size() && text.at(at) == u' ';
}

// The end of a street line whose house number is [start, numberEnd), if one is there.
std::optional<qsizetype> streetLineEnd(QStringView text, qsizetype start, qsizetype numberEnd)
{
    const qsizetype length = numberEnd - start;
    // A digit or letter just before means the number is part of a longer word.
    const bool apart = start == 0 || !(isDigit(text.at(start - 1)) || isLetter(text.at(start - 1)));
    if (!apart || length < 2 || length > 4 || !spaceAt(text, numberEnd))
        return std::nullopt;
    const qsizetype firstWordEnd = endOfRun(text, numberEnd + 1, isLetter);
    if (firstWordEnd == numberEnd + 1 || !spaceAt(text, firstWordEnd))
        return std::nullopt;
    const qsizetype end = endOfRun(text, firstWordEnd + 1, isLetter);
    if (end == firstWordEnd + 1)
        return std::nullopt;
    if (end == text.size())
        return end;
    // A full stop belongs to the line unless a letter or digit follows it;
    // then the line ends before it.
    if (text.at(end) == u'.') {
        const bool stopEnds = end + 1 == text.size() || !(isDigit(text.at(end + 1)) || isLetter(text.at(end + 1)));
        return stopEnds ? end + 1 : end;
    }
    return isDigit(text.at(end)) ? std::nullopt : std::optional<qsizetype>(end);
}

} // namespace

std::optional<TextRange> nextAsciiStreetLine(QStringView text, qsizetype from)
{
    for (qsizetype at = from; at < text.size();) {
        if (!isDigit(text.at(at))) {
            ++at;
            continue;
        }
        // Only a whole run of digits can be a house number: inside one, the
        // digit before rules a start out.
        const qsizetype numberEnd = endOfRun(text, at, isDigit);
        if (auto end = streetLineEnd(text, at, numberEnd))
            return TextRange{at, *end};
        at = numberEnd;
    }
    return std::nullopt;
}

} // namespace quorvane
