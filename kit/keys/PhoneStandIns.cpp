#include "kit/keys/PhoneStandIns.h"

#include <array>

using namespace Qt::StringLiterals;

namespace quorvane {

const QRegularExpression &phoneStandInPattern()
{
    static const QRegularExpression pattern(
        uR"((?<![\d])(?:\+?1[\s.\-]?)?(?:\(\d{3}\)|\d{3})?[\s.\-]?555[\s.\-]?01\d{2}(?:( ?x\d{4}))?(?!\d))"_s,
        QRegularExpression::UseUnicodePropertiesOption);
    return pattern;
}

namespace {

// Up to three ways an optional part can end, in the order the pattern tries them.
class Choices
{
public:
    void add(qsizetype end) { m_ends[m_count++] = end; }
    const qsizetype *begin() const { return m_ends.data(); }
    const qsizetype *end() const { return m_ends.data() + m_count; }

private:
    std::array<qsizetype, 3> m_ends{};
    int m_count = 0;
};

class AsciiWalk
{
public:
    explicit AsciiWalk(QStringView text) : m_text(text) {}

    std::optional<PhoneStandInMatch> at(qsizetype start) const
    {
        if (start > 0 && digit(start - 1))
            return std::nullopt;
        for (qsizetype country : countryCode(start))
            for (qsizetype area : areaCode(country))
                for (qsizetype number : separator(area))
                    if (auto match = numberAt(start, number))
                        return match;
        return std::nullopt;
    }

private:
    bool is(qsizetype at, char16_t c) const { return at < m_text.size() && m_text.at(at) == c; }
    bool digit(qsizetype at) const { return at < m_text.size() && m_text.at(at) >= u'0' && m_text.at(at) <= u'9'; }
    bool digits(qsizetype at, int count) const
    {
        for (int i = 0; i < count; ++i)
            if (!digit(at + i))
                return false;
        return true;
    }
    // White space as the pattern's \s knows it in ASCII, a full stop or a hyphen.
    bool separatorAt(qsizetype at) const
    {
        if (at >= m_text.size())
            return false;
        const char16_t c = m_text.at(at).unicode();
        return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'.' || c == u'-';
    }

    Choices separator(qsizetype at) const
    {
        Choices choices;
        if (separatorAt(at))
            choices.add(at + 1);
        choices.add(at);
        return choices;
    }

    Choices countryCode(qsizetype at) const
    {
        Choices choices;
        const qsizetype one = is(at, u'+') ? at + 1 : at;
        if (is(one, u'1')) {
            if (separatorAt(one + 1))
                choices.add(one + 2);
            choices.add(one + 1);
        }
        choices.add(at);
        return choices;
    }

    Choices areaCode(qsizetype at) const
    {
        Choices choices;
        if (is(at, u'(') && digits(at + 1, 3) && is(at + 4, u')'))
            choices.add(at + 5);
        else if (digits(at, 3))
            choices.add(at + 3);
        choices.add(at);
        return choices;
    }

    std::optional<PhoneStandInMatch> numberAt(qsizetype start, qsizetype at) const
    {
        if (!(is(at, u'5') && is(at + 1, u'5') && is(at + 2, u'5')))
            return std::nullopt;
        for (qsizetype line : separator(at + 3)) {
            if (!(is(line, u'0') && is(line + 1, u'1') && digits(line + 2, 2)))
                continue;
            const qsizetype end = line + 4;
            for (qsizetype x : separatorSpace(end))
                if (is(x, u'x') && digits(x + 1, 4) && !digit(x + 5))
                    return PhoneStandInMatch{{start, x + 5}, end};
            if (!digit(end))
                return PhoneStandInMatch{{start, end}, -1};
        }
        return std::nullopt;
    }

    // The extension's optional space.
    Choices separatorSpace(qsizetype at) const
    {
        Choices choices;
        if (is(at, u' '))
            choices.add(at + 1);
        choices.add(at);
        return choices;
    }

    QStringView m_text;
};

} // namespace

std::optional<PhoneStandInMatch> nextAsciiPhoneStandIn(QStringView text, qsizetype from)
{
    const AsciiWalk walk(text);
    for (qsizetype start = from; start < text.size(); ++start)
        if (auto match = walk.at(start))
            return match;
    return std::nullopt;
}

} // namespace quorvane
