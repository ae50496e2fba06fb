#include "kit/files/DateFormat.h"

#include <QDate>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

using Part = DateFormat::Part;
using Token = DateFormat::Token;

// The first section of a code: the one positive numbers use.
QString firstSection(const QString &code)
{
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (c == u'\\' && !quoted)
            ++i;
        else if (c == u';' && !quoted)
            return code.left(i);
    }
    return code;
}

bool isDatePart(Part part)
{
    return part != Part::literal && part != Part::fraction && part != Part::amPm;
}

class Tokenizer
{
public:
    explicit Tokenizer(const QString &code) : m_code(firstSection(code)) {}

    // Nothing when the code holds number placeholders or text: it isn't a date.
    std::optional<QList<Token>> tokens()
    {
        while (m_at < m_code.size()) {
            if (!next())
                return std::nullopt;
        }
        resolveMinutes();
        return m_tokens;
    }

private:
    bool next()
    {
        const QChar c = m_code.at(m_at);
        const QChar lower = c.toLower();
        if (c == u'"') {
            const qsizetype close = m_code.indexOf(u'"', m_at + 1);
            const qsizetype end = close < 0 ? m_code.size() : close;
            literal(m_code.mid(m_at + 1, end - m_at - 1));
            m_at = end + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (m_at + 1 < m_code.size())
                literal(c == u'\\' ? QString(m_code.at(m_at + 1)) : c == u'_' ? u" "_s : QString());
            m_at += 2;
        } else if (c == u'[') {
            return bracket();
        } else if (startsWithNoCase(u"AM/PM") || startsWithNoCase(u"A/P")) {
            const qsizetype width = startsWithNoCase(u"AM/PM") ? 5 : 3;
            m_tokens.append({Part::amPm, 1, m_code.mid(m_at, width)});
            m_at += width;
        } else if (lower == u'y' || lower == u'e' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u's') {
            letters(lower);
        } else if (c == u'0' && !m_tokens.isEmpty() && m_tokens.last().part == Part::literal
                   && m_tokens.last().text.endsWith(u'.')) {
            run(Part::fraction, u'0');
        } else if (c == u'#' || c == u'0' || c == u'?' || c == u'@' || (c.unicode() < 128 && c.isLetter())) {
            return false;
        } else {
            literal(QString(c));
            ++m_at;
        }
        return true;
    }

    // [h], [mm], [ss]: elapsed time; colours, conditions and locales show nothing.
    bool bracket()
    {
        const qsizetype close = m_code.indexOf(u']', m_at);
        if (close < 0)
            return false;
        const QString inside = m_code.mid(m_at + 1, close - m_at - 1).toLower();
        m_at = close + 1;
        if (!inside.isEmpty() && inside.count(inside.front()) == inside.size()) {
            const QChar letter = inside.front();
            const int width = int(inside.size());
            if (letter == u'h')
                m_tokens.append({Part::elapsedHours, width, {}});
            else if (letter == u'm')
                m_tokens.append({Part::elapsedMinutes, width, {}});
            else if (letter == u's')
                m_tokens.append({Part::elapsedSeconds, width, {}});
        }
        return true;
    }

    void letters(QChar letter)
    {
        const qsizetype start = m_at;
        while (m_at < m_code.size() && m_code.at(m_at).toLower() == letter)
            ++m_at;
        const int width = int(m_at - start);
        if (letter == u'y' || letter == u'e')
            m_tokens.append({Part::year, letter == u'e' ? 4 : width, {}});
        else if (letter == u'm')
            m_tokens.append({width >= 3 ? Part::monthName : Part::month, width, {}});
        else if (letter == u'd')
            m_tokens.append({width >= 3 ? Part::dayName : Part::day, width, {}});
        else if (letter == u'h')
            m_tokens.append({Part::hour, width, {}});
        else
            m_tokens.append({Part::second, width, {}});
    }

    void run(Part part, QChar digit)
    {
        const qsizetype start = m_at;
        while (m_at < m_code.size() && m_code.at(m_at) == digit)
            ++m_at;
        m_tokens.append({part, int(m_at - start), {}});
    }

    void literal(const QString &text)
    {
        if (!m_tokens.isEmpty() && m_tokens.last().part == Part::literal)
            m_tokens.last().text += text;
        else
            m_tokens.append({Part::literal, 1, text});
    }

    bool startsWithNoCase(QStringView marker) const
    {
        return QStringView(m_code).mid(m_at).startsWith(marker, Qt::CaseInsensitive);
    }

    // A one- or two-letter m is minutes right after an hour or right before a second.
    void resolveMinutes()
    {
        const auto neighbour = [&](qsizetype from, int step) -> std::optional<Part> {
            for (qsizetype i = from + step; i >= 0 && i < m_tokens.size(); i += step)
                if (isDatePart(m_tokens[i].part))
                    return m_tokens[i].part;
            return std::nullopt;
        };
        for (qsizetype i = 0; i < m_tokens.size(); ++i) {
            if (m_tokens[i].part != Part::month)
                continue;
            const auto before = neighbour(i, -1), after = neighbour(i, 1);
            if ((before && (*before == Part::hour || *before == Part::elapsedHours))
                || (after && (*after == Part::second || *after == Part::elapsedSeconds)))
                m_tokens[i].part = Part::minute;
        }
    }

    QString m_code;
    qsizetype m_at = 0;
    QList<Token> m_tokens;
};

QString padded(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

} // namespace

DateFormat::DateFormat(QList<Token> tokens) : m_tokens(std::move(tokens))
{
    for (const Token &token : std::as_const(m_tokens))
        m_twelveHour = m_twelveHour || token.part == Part::amPm;
}

std::optional<DateFormat> DateFormat::builtIn(int id)
{
    // Excel shows 14 and 22 in the reader's own short-date style; the ISO
    // form reads the same to everyone, people and language models alike.
    static const QHash<int, QString> codes{
        {14, u"yyyy-mm-dd"_s},       {15, u"d-mmm-yy"_s},         {16, u"d-mmm"_s},   {17, u"mmm-yy"_s},
        {18, u"h:mm AM/PM"_s},       {19, u"h:mm:ss AM/PM"_s},    {20, u"h:mm"_s},    {21, u"h:mm:ss"_s},
        {22, u"yyyy-mm-dd h:mm"_s},  {45, u"mm:ss"_s},            {46, u"[h]:mm:ss"_s}, {47, u"mm:ss.0"_s},
    };
    const auto code = codes.constFind(id);
    return code == codes.cend() ? std::nullopt : fromCode(*code);
}

std::optional<DateFormat> DateFormat::fromCode(const QString &code)
{
    std::optional<QList<Token>> tokens = Tokenizer(code).tokens();
    if (!tokens || std::none_of(tokens->cbegin(), tokens->cend(), [](const Token &t) { return isDatePart(t.part); }))
        return std::nullopt;
    return DateFormat(std::move(*tokens));
}

std::optional<QString> DateFormat::display(double serial, bool from1904) const
{
    // Up to the last day of 9999, the latest a workbook shows.
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return std::nullopt;
    int fractionDigits = 0;
    for (const Token &token : m_tokens)
        if (token.part == Part::fraction)
            fractionDigits = std::max(fractionDigits, token.width);
    const double scale = std::pow(10.0, fractionDigits);
    const qint64 ticks = std::llround(serial * 86400.0 * scale);
    const qint64 total = ticks / qint64(scale);
    const qint64 days = total / 86400;
    // The 1900 system counts a 29 February 1900 that never was.
    const QDate epoch = from1904 ? QDate(1904, 1, 1) : days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QDate date = epoch.addDays(days);
    const qint64 seconds = total % 86400;
    const QLocale english = QLocale::c();

    QString out;
    for (const Token &token : m_tokens) {
        switch (token.part) {
        case Part::literal: out += token.text; break;
        case Part::year: out += token.width <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4); break;
        case Part::month: out += padded(date.month(), token.width); break;
        case Part::monthName:
            out += token.width == 3   ? english.monthName(date.month(), QLocale::ShortFormat)
                   : token.width == 5 ? english.monthName(date.month(), QLocale::NarrowFormat)
                                      : english.monthName(date.month(), QLocale::LongFormat);
            break;
        case Part::day: out += padded(date.day(), token.width); break;
        case Part::dayName:
            out += english.dayName(date.dayOfWeek(), token.width == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case Part::hour: {
            const qint64 hour = seconds / 3600;
            out += padded(m_twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour, std::min(token.width, 2));
            break;
        }
        case Part::minute: out += padded(seconds / 60 % 60, std::min(token.width, 2)); break;
        case Part::second: out += padded(seconds % 60, std::min(token.width, 2)); break;
        case Part::fraction: out += padded(ticks % qint64(scale), token.width); break;
        case Part::amPm: {
            const bool afternoon = seconds >= 12 * 3600;
            const QString marker = token.text.size() == 5 ? (afternoon ? u"PM"_s : u"AM"_s) : (afternoon ? u"P"_s : u"A"_s);
            out += token.text.front().isLower() ? marker.toLower() : marker;
            break;
        }
        case Part::elapsedHours: out += padded(total / 3600, token.width); break;
        case Part::elapsedMinutes: out += padded(total / 60, token.width); break;
        case Part::elapsedSeconds: out += padded(total, token.width); break;
        }
    }
    return out;
}

} // namespace quorvane
