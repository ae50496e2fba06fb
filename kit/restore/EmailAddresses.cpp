#include "kit/restore/EmailAddresses.h"

#include <QChar>

namespace quorvane {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiAlnum(QChar c)
{
    return isAsciiLetter(c) || (c >= u'0' && c <= u'9');
}

bool isMailboxCharacter(char32_t c)
{
    if (c >= 0x80)
        return QChar::isLetter(c) || QChar::isMark(c);
    return isAsciiAlnum(QChar(c)) || c == u'.' || c == u'_' || c == u'%' || c == u'+' || c == u'-';
}

class DomainWalk
{
public:
    explicit DomainWalk(QStringView text) : m_text(text) {}

    // The end of the domain that starts at `at`: as many dotted labels as
    // still leave a top-level part of two letters or more after them.
    std::optional<qsizetype> endFrom(qsizetype at) const
    {
        std::optional<qsizetype> end;
        // Further labels only count where a dot follows the one before.
        for (qsizetype labelEnd = endOfLabel(at); labelEnd >= 0; labelEnd = endOfLabel(labelEnd + 1)) {
            if (auto topLevel = topLevelEnd(labelEnd))
                end = topLevel;
            if (!charIs(labelEnd, u'.'))
                break;
        }
        return end;
    }

private:
    bool charIs(qsizetype at, char16_t c) const { return at < m_text.size() && m_text.at(at) == c; }

    // A label starts and ends with a letter or digit and may hold hyphens;
    // -1 when none starts at `at`. Trailing hyphens are left out, so no dot
    // can follow such a label.
    qsizetype endOfLabel(qsizetype at) const
    {
        if (at >= m_text.size() || !isAsciiAlnum(m_text.at(at)))
            return -1;
        qsizetype end = at;
        while (end < m_text.size() && (isAsciiAlnum(m_text.at(end)) || m_text.at(end) == u'-'))
            ++end;
        while (m_text.at(end - 1) == u'-')
            --end;
        return end;
    }

    std::optional<qsizetype> topLevelEnd(qsizetype labelEnd) const
    {
        if (!charIs(labelEnd, u'.'))
            return std::nullopt;
        qsizetype end = labelEnd + 1;
        while (end < m_text.size() && isAsciiLetter(m_text.at(end)))
            ++end;
        return end - labelEnd - 1 >= 2 ? std::optional<qsizetype>(end) : std::nullopt;
    }

    QStringView m_text;
};

} // namespace

std::optional<TextRange> nextEmailAddress(QStringView text, qsizetype from)
{
    const DomainWalk domain(text);
    qsizetype mailboxStart = from;
    for (qsizetype at = from; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == u'@' && at > mailboxStart) {
            if (auto end = domain.endFrom(at + 1))
                return TextRange{mailboxStart, *end};
        }
        // A letter beyond the first plane takes two units.
        const bool pair = c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        const char32_t point = pair ? QChar::surrogateToUcs4(c, text.at(at + 1)) : c.unicode();
        if (pair)
            ++at;
        if (!isMailboxCharacter(point) || QChar::isSurrogate(point))
            mailboxStart = at + 1;
    }
    return std::nullopt;
}

} // namespace quorvane
