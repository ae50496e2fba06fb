#include "kit/files/CSVDocument.h"

#include <QStringDecoder>

#include <array>

namespace quorvane {

namespace {

bool startsWith(const QByteArray &data, std::initializer_list<unsigned char> marker)
{
    if (data.size() < qsizetype(marker.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char byte : marker)
        if (static_cast<unsigned char>(data[i++]) != byte)
            return false;
    return true;
}

// Decodes UTF-8, replacing invalid sequences with U+FFFD; `valid` tells
// whether there were none. A byte order mark inside is kept as a character.
QString decodeUtf8(QByteArrayView bytes, bool *valid = nullptr)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (valid)
        *valid = !decoder.hasError();
    return text;
}

// The whole input as UTF-16 (its byte order mark included, removed below with
// every other U+FEFF); an odd length or a broken surrogate pair gives nothing.
QString decodeUtf16(const QByteArray &data, bool bigEndian)
{
    if (data.size() % 2 != 0)
        return {};
    QString text(data.size() / 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(data.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t first = in[2 * i], second = in[2 * i + 1];
        out[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return {};
    }
    text.remove(QChar(0xFEFF));
    return text;
}

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five bytes it
// leaves undefined (zero here) make the input not Windows-1252.
constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

std::optional<QString> decodeWindows1252(const QByteArray &data)
{
    QString text(data.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < data.size(); ++i) {
        const unsigned char byte = data[i];
        char16_t unit = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            unit = windows1252High[byte - 0x80];
            if (unit == 0)
                return std::nullopt;
        }
        out[i] = unit;
    }
    return text;
}

class Parser
{
public:
    Parser(const QString &text, QChar delimiter) : m_text(text), m_delimiter(delimiter) {}

    QList<CSVDocument::Row> rows()
    {
        const QChar *chars = m_text.constData();
        const qsizetype n = m_text.size();
        qsizetype i = 0;
        while (i < n) {
            if (m_inQuotes)
                i = quotedRun(chars, n, i);
            else
                i = plainRun(chars, n, i);
        }
        if (!m_field.text.isEmpty() || !m_row.isEmpty() || m_quoteOpen) {
            m_field.unterminated = m_quoteOpen;
            m_row.append(std::move(m_field));
            m_rows.append(std::move(m_row));
        }
        return std::move(m_rows);
    }

private:
    // Outside quotes: copies ordinary characters in one piece and handles
    // the character that stops the run. Returns the next position.
    qsizetype plainRun(const QChar *chars, qsizetype n, qsizetype i)
    {
        const qsizetype start = i;
        while (i < n) {
            const QChar c = chars[i];
            if (c == m_delimiter || c == u'\n' || c == u'\r' || (c == u'"' && m_atFieldStart && i == start))
                break;
            ++i;
        }
        if (i > start) {
            if (m_field.text.isEmpty())
                m_field.text = QString(chars + start, i - start); // exactly sized: most fields are one run
            else
                m_field.text.append(chars + start, i - start);
            m_atFieldStart = false;
            return i;
        }
        const QChar c = chars[i];
        if (c == u'"') {
            m_field.quoted = true;
            m_inQuotes = m_quoteOpen = true;
            m_atFieldStart = false;
        } else if (c == m_delimiter) {
            endField();
        } else {
            if (c == u'\r' && i + 1 < n && chars[i + 1] == u'\n')
                ++i;
            endField();
            const qsizetype width = m_row.size();
            m_rows.append(std::move(m_row));
            m_row = {};
            m_row.reserve(width); // rows tend to be as wide as the one before
        }
        return i + 1;
    }

    qsizetype quotedRun(const QChar *chars, qsizetype n, qsizetype i)
    {
        const qsizetype start = i;
        while (i < n && chars[i] != u'"')
            ++i;
        m_field.text.append(chars + start, i - start);
        if (i == n)
            return n;
        if (i + 1 < n && chars[i + 1] == u'"') {
            m_field.text.append(u'"');
            return i + 2;
        }
        m_inQuotes = m_quoteOpen = false;
        return i + 1;
    }

    void endField()
    {
        m_row.append(std::move(m_field));
        m_field = {};
        m_atFieldStart = true;
    }

    const QString &m_text;
    const QChar m_delimiter;
    QList<CSVDocument::Row> m_rows;
    CSVDocument::Row m_row;
    CSVDocument::Field m_field;
    bool m_inQuotes = false;
    bool m_atFieldStart = true;
    bool m_quoteOpen = false;
};

QString chooseLineEnding(const QString &text)
{
    if (text.contains(u"\r\n"))
        return QStringLiteral("\r\n");
    if (text.contains(u'\n'))
        return QStringLiteral("\n");
    if (text.contains(u'\r'))
        return QStringLiteral("\r");
    return QStringLiteral("\n");
}

bool needsQuotes(const QString &text, QChar delimiter)
{
    for (QChar c : text)
        if (c == delimiter || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    return false;
}

} // namespace

CSVDocument::Decoded CSVDocument::decode(const QByteArray &data)
{
    if (startsWith(data, {0xEF, 0xBB, 0xBF}))
        return {decodeUtf8(QByteArrayView(data).sliced(3)), true};
    if (startsWith(data, {0xFF, 0xFE}))
        return {decodeUtf16(data, false), true};
    if (startsWith(data, {0xFE, 0xFF}))
        return {decodeUtf16(data, true), true};
    bool valid = false;
    QString text = decodeUtf8(data, &valid);
    if (valid)
        return {text, false};
    if (std::optional<QString> windows = decodeWindows1252(data))
        return {*windows, true};
    return {text, true};
}

QChar CSVDocument::detectDelimiter(const QString &text)
{
    int commas = 0, tabs = 0, semicolons = 0;
    bool inQuotes = false;
    for (QChar c : text) {
        if (inQuotes) {
            if (c == u'"')
                inQuotes = false;
            continue;
        }
        if (c == u'"')
            inQuotes = true;
        else if (c == u'\n' || c == u'\r')
            break;
        else if (c == u',')
            ++commas;
        else if (c == u'\t')
            ++tabs;
        else if (c == u';')
            ++semicolons;
    }
    // On a tie the later candidate in the order comma, tab, semicolon wins.
    QChar winner = u',';
    int best = commas;
    if (tabs >= best)
        winner = u'\t', best = tabs;
    if (semicolons >= best)
        winner = u';', best = semicolons;
    return best == 0 ? QChar(u',') : winner;
}

CSVDocument::CSVDocument(const QByteArray &data)
{
    Decoded decoded = decode(data);
    const QString &text = decoded.text;
    byteOrderMark = decoded.byteOrderMark;
    delimiter = detectDelimiter(text);
    lineEnding = chooseLineEnding(text);
    endsWithNewline = !text.isEmpty() && (text.back() == u'\n' || text.back() == u'\r');
    rows = Parser(text, delimiter).rows();
}

namespace {

// A field's lines, counting CR LF once.
int lineCount(const QString &text)
{
    return int(text.count(u'\n') + text.count(u'\r') - text.count(u"\r\n") + 1);
}

} // namespace

QList<CSVDocument::Runaway> CSVDocument::runawayFields() const
{
    QList<Runaway> found;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const Field &field = rows[r][c];
            if (!field.quoted)
                continue;
            const int lines = lineCount(field.text);
            if (field.unterminated || lines > plausibleLinesInField)
                found.append({int(r), int(c), lines, field.unterminated});
        }
    }
    return found;
}

QByteArray CSVDocument::data() const
{
    QString text;
    qsizetype estimate = 0;
    for (const Row &row : rows)
        for (const Field &field : row)
            estimate += field.text.size() + 3;
    text.reserve(estimate + rows.size() * lineEnding.size());

    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        for (qsizetype f = 0; f < row.size(); ++f) {
            if (f > 0)
                text.append(delimiter);
            const Field &field = row[f];
            if (field.quoted || needsQuotes(field.text, delimiter)) {
                text.append(u'"');
                if (field.text.contains(u'"'))
                    text.append(QString(field.text).replace(QStringLiteral("\""), QStringLiteral("\"\"")));
                else
                    text.append(field.text);
                if (!field.unterminated)
                    text.append(u'"');
            } else {
                text.append(field.text);
            }
        }
        // A final line break inside an unclosed quote belongs to the field.
        const bool endsInField = !row.isEmpty() && row.back().unterminated;
        if (r + 1 < rows.size() || (endsWithNewline && !endsInField))
            text.append(lineEnding);
    }
    QByteArray bytes = byteOrderMark ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    return bytes + text.toUtf8();
}

} // namespace quorvane
