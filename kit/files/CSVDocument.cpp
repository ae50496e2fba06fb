#include "kit/files/CSVDocument.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <unordered_map>
#include <vector>

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

// Field texts carved out of shared blocks, one after another, each followed
// by the null every QString ends with. A file's fields are mostly a few
// characters, and an allocation of its own for each costs more than its text
// (a header, rounding, the allocator's own bookkeeping), and time to make and
// free. A text shares its block as any QString shares its data: changing it
// copies it first, unless it is the block's last holder, which can then only
// write over texts that are gone.
class TextBlocks
{
public:
    // Room for a text of up to n units; take() then makes the text.
    char16_t *room(qsizetype n)
    {
        if (!m_block.d || m_used + n + 1 > m_block.d->constAllocatedCapacity())
            startBlock(std::max(n + 1, blockUnits));
        return m_block.data() + m_used;
    }

    // The first n units written into the last room given.
    QString take(qsizetype n)
    {
        QString::DataPointer text(m_block);
        text.ptr = m_block.data() + m_used;
        text.size = n;
        text.ptr[n] = 0;
        m_used += n + 1;
        return QString(std::move(text));
    }

private:
    static constexpr qsizetype blockUnits = 1 << 15;

    void startBlock(qsizetype units)
    {
        m_block = QString::DataPointer(QTypedArrayData<char16_t>::allocate(units), 0);
        m_used = 0;
    }

    QString::DataPointer m_block;
    qsizetype m_used = 0;
};

// A text copied into the blocks.
QString keptIn(TextBlocks &blocks, QStringView text)
{
    std::copy(text.utf16(), text.utf16() + text.size(), blocks.room(text.size()));
    return blocks.take(text.size());
}

// Where field texts come from: the input's UTF-16 units, or its bytes when
// they are valid UTF-8 (so no decoded copy of the whole file is made). Field
// ends are ASCII either way, and UTF-8 never uses ASCII bytes inside a
// character, so one parser serves both.
struct Utf16Units
{
    using Unit = char16_t;
    QString text(const Unit *units, qsizetype n) const { return keptIn(blocks, QStringView(units, n)); }
    static void appendTo(QString &out, const Unit *units, qsizetype n) { out.append(QStringView(units, n)); }
    QString kept(QStringView text) const { return keptIn(blocks, text); }
    mutable TextBlocks blocks;
    static qsizetype find(const Unit *units, qsizetype n, Unit unit)
    {
        return QStringView(units, n).indexOf(QChar(unit));
    }
};

struct Utf8Bytes
{
    using Unit = unsigned char;
    QString text(const Unit *bytes, qsizetype n) const
    {
        unsigned char any = 0;
        for (qsizetype i = 0; i < n; ++i)
            any |= bytes[i];
        char16_t *out = blocks.room(n);
        if (any < 0x80) { // ASCII: each byte is its character
            std::copy(bytes, bytes + n, out);
            return blocks.take(n);
        }
        // Valid input, so at most one unit per byte; a byte order mark in a
        // field stays a character.
        const QChar *end = decoder.appendToBuffer(reinterpret_cast<QChar *>(out), QByteArrayView(bytes, n));
        return blocks.take(end - reinterpret_cast<const QChar *>(out));
    }
    void appendTo(QString &out, const Unit *bytes, qsizetype n) const
    {
        const qsizetype at = out.size();
        out.resize(at + n);
        const QChar *end = decoder.appendToBuffer(out.data() + at, QByteArrayView(bytes, n));
        out.truncate(end - out.constData());
    }
    QString kept(QStringView text) const { return keptIn(blocks, text); }
    static qsizetype find(const Unit *bytes, qsizetype n, Unit unit)
    {
        if (n <= 0)
            return -1;
        const void *found = std::memchr(bytes, unit, size_t(n));
        return found ? static_cast<const Unit *>(found) - bytes : -1;
    }
    mutable QStringDecoder decoder{QStringDecoder::Utf8,
                                   QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom};
    mutable TextBlocks blocks;
};

template<class Units>
class Parser
{
public:
    using Unit = typename Units::Unit;

    Parser(const Unit *units, qsizetype n, QChar delimiter) : m_units(units), m_n(n), m_delimiter(Unit(delimiter.unicode()))
    {
    }

    QList<CSVDocument::Row> rows()
    {
        qsizetype i = 0;
        while (i < m_n) {
            if (m_inQuotes)
                i = quotedRun(i);
            else
                i = plainRun(i);
        }
        if (!m_text.isEmpty() || m_assembling || !m_row.isEmpty() || m_quoteOpen) {
            m_row.append(CSVDocument::Field(fieldText(), m_quoted, m_quoteOpen));
            m_rows.append(std::move(m_row));
        }
        return std::move(m_rows);
    }

private:
    // Outside quotes: takes ordinary characters in one piece and handles
    // the character that stops the run. Returns the next position.
    qsizetype plainRun(qsizetype i)
    {
        const qsizetype start = i;
        if (!m_atFieldStart || m_units[i] != '"') {
            // LF and CR lie below every printable character: most take one test.
            while (i < m_n) {
                const Unit u = m_units[i];
                if ((u <= '\r' && (u == '\n' || u == '\r')) || u == m_delimiter)
                    break;
                ++i;
            }
        }
        if (i > start) {
            addText(start, i);
            m_atFieldStart = false;
            return i;
        }
        const Unit c = m_units[i];
        if (c == '"') {
            m_quoted = true;
            m_inQuotes = m_quoteOpen = true;
            m_atFieldStart = false;
        } else if (c == m_delimiter) {
            endField();
        } else {
            if (c == '\r' && i + 1 < m_n && m_units[i + 1] == '\n')
                ++i;
            endField();
            const qsizetype width = m_row.size();
            m_rows.append(std::move(m_row));
            m_row = {};
            m_row.reserve(width); // rows tend to be as wide as the one before
        }
        return i + 1;
    }

    qsizetype quotedRun(qsizetype i)
    {
        const qsizetype start = i;
        const qsizetype quote = Units::find(m_units + start, m_n - start, '"');
        i = quote < 0 ? m_n : start + quote;
        const bool doubled = i + 1 < m_n && m_units[i + 1] == '"';
        if (doubled)
            startAssembling();
        if (i > start)
            addText(start, i);
        if (i == m_n)
            return m_n;
        if (doubled) {
            m_assembled.append(u'"');
            return i + 2;
        }
        m_inQuotes = m_quoteOpen = false;
        return i + 1;
    }

    void addText(qsizetype from, qsizetype to)
    {
        if (!m_text.isEmpty())
            startAssembling();
        if (m_assembling)
            m_source.appendTo(m_assembled, m_units + from, to - from);
        else if (Repeats *repeats = repeatsOfField())
            m_text = repeats->text(m_source, m_units + from, to - from);
        else
            m_text = m_source.text(m_units + from, to - from); // exactly sized: most fields are one run
    }

    // Columns that repeat their values (towns, states, companies) share one
    // string per value: fewer small blocks to allocate, hold and free. A
    // column whose values are mostly new soon stops looking them up.
    class Repeats
    {
    public:
        QString text(const Units &source, const Unit *units, qsizetype n)
        {
            const Key key{units, n};
            if (const auto known = m_texts.find(key); known != m_texts.end())
                return known->second;
            QString text = source.text(units, n);
            if (++m_missed * 4 > m_looked * 3 && m_looked >= trial)
                off = true;
            else if (m_texts.size() < most)
                m_texts.emplace(key, text);
            return text;
        }
        void look() { ++m_looked; }
        bool off = false;

    private:
        static constexpr qsizetype trial = 64;
        static constexpr size_t most = 1 << 14;
        struct Key
        {
            const Unit *units;
            qsizetype n;
            bool operator==(const Key &other) const
            {
                return n == other.n && std::memcmp(units, other.units, size_t(n) * sizeof(Unit)) == 0;
            }
        };
        struct Hash
        {
            size_t operator()(const Key &key) const { return qHashBits(key.units, size_t(key.n) * sizeof(Unit)); }
        };
        std::unordered_map<Key, QString, Hash> m_texts; // keys point into the input, alive while parsing
        qsizetype m_looked = 0, m_missed = 0;
    };

    Repeats *repeatsOfField()
    {
        constexpr size_t columnsLookedAt = 64;
        const auto column = size_t(m_row.size());
        if (column >= columnsLookedAt)
            return nullptr;
        if (m_repeats.size() <= column)
            m_repeats.resize(column + 1);
        Repeats &repeats = m_repeats[column];
        if (repeats.off)
            return nullptr;
        repeats.look();
        return &repeats;
    }

    // A field read in several pieces (doubled quotes, text after a closing
    // quote) is put together in a buffer of its own, kept from field to
    // field. Appended to, a text carved from a shared block would be copied
    // with all the room to that block's end, tens of kilobytes a field.
    void startAssembling()
    {
        if (m_assembling)
            return;
        m_assembled.truncate(0);
        m_assembled.append(m_text);
        m_text = QString();
        m_assembling = true;
    }

    QString fieldText()
    {
        if (!m_assembling)
            return std::exchange(m_text, QString());
        m_assembling = false;
        return m_source.kept(m_assembled);
    }

    void endField()
    {
        m_row.append(CSVDocument::Field(fieldText(), m_quoted));
        m_quoted = false;
        m_atFieldStart = true;
    }

    const Unit *const m_units;
    const qsizetype m_n;
    const Unit m_delimiter;
    Units m_source;
    std::vector<Repeats> m_repeats; // by column
    QList<CSVDocument::Row> m_rows;
    CSVDocument::Row m_row;
    QString m_text; // of the field being read
    QString m_assembled;
    bool m_assembling = false;
    bool m_quoted = false;
    bool m_inQuotes = false;
    bool m_atFieldStart = true;
    bool m_quoteOpen = false;
};

template<class Units>
QString chooseLineEnding(const typename Units::Unit *units, qsizetype n)
{
    bool lineFeed = false;
    for (qsizetype from = 0; from < n;) {
        const qsizetype found = Units::find(units + from, n - from, '\n');
        if (found < 0)
            break;
        const qsizetype at = from + found;
        if (at > 0 && units[at - 1] == '\r')
            return QStringLiteral("\r\n");
        lineFeed = true;
        from = at + 1;
    }
    if (lineFeed)
        return QStringLiteral("\n");
    return Units::find(units, n, '\r') >= 0 ? QStringLiteral("\r") : QStringLiteral("\n");
}

template<class Unit>
QChar delimiterOf(const Unit *units, qsizetype n)
{
    int commas = 0, tabs = 0, semicolons = 0;
    bool inQuotes = false;
    for (const Unit *end = units + n; units < end; ++units) {
        const Unit c = *units;
        if (inQuotes) {
            if (c == '"')
                inQuotes = false;
            continue;
        }
        if (c == '"')
            inQuotes = true;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ',')
            ++commas;
        else if (c == '\t')
            ++tabs;
        else if (c == ';')
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

// The bytes after any UTF-8 byte order mark, when the file is UTF-8 and valid
// throughout: the common case, read without decoding the whole file first.
std::optional<QByteArrayView> validUtf8(const QByteArray &data)
{
    QByteArrayView body = data;
    if (startsWith(data, {0xEF, 0xBB, 0xBF}))
        body = body.sliced(3);
    else if (startsWith(data, {0xFF, 0xFE}) || startsWith(data, {0xFE, 0xFF}))
        return std::nullopt;
    if (!body.isValidUtf8())
        return std::nullopt;
    return body;
}

bool needsQuotes(QStringView text, QChar delimiter)
{
    const char16_t separator = delimiter.unicode();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // Quote, LF and CR all lie at or below the quote: letters take one test.
        if ((u <= u'"' && (u == u'"' || u == u'\n' || u == u'\r')) || u == separator)
            return true;
    }
    return false;
}

// UTF-8 straight into one byte array, with no UTF-16 copy of the whole file
// on the way. Encodes as QString::toUtf8 does, a broken surrogate included.
class Utf8Writer
{
public:
    explicit Utf8Writer(qsizetype estimate) : m_bytes(std::max<qsizetype>(estimate, 16), Qt::Uninitialized)
    {
        m_out = m_bytes.data();
    }

    void text(QStringView text)
    {
        reserve(text.size() * 3);
        char *out = m_out;
        const char16_t *in = text.utf16();
        const char16_t *const end = in + text.size();
        while (in < end) {
            const char16_t u = *in++;
            if (u < 0x80) {
                *out++ = char(u);
            } else if (u < 0x800) {
                *out++ = char(0xC0 | u >> 6);
                *out++ = char(0x80 | (u & 0x3F));
            } else if (QChar::isHighSurrogate(u) && in < end && QChar::isLowSurrogate(*in)) {
                const char32_t c = QChar::surrogateToUcs4(u, *in++);
                *out++ = char(0xF0 | c >> 18);
                *out++ = char(0x80 | (c >> 12 & 0x3F));
                *out++ = char(0x80 | (c >> 6 & 0x3F));
                *out++ = char(0x80 | (c & 0x3F));
            } else if (QChar::isSurrogate(u)) {
                *out++ = '?';
            } else {
                *out++ = char(0xE0 | u >> 12);
                *out++ = char(0x80 | (u >> 6 & 0x3F));
                *out++ = char(0x80 | (u & 0x3F));
            }
        }
        m_out = out;
    }
    void ascii(QByteArrayView bytes)
    {
        reserve(bytes.size());
        std::memcpy(m_out, bytes.data(), size_t(bytes.size()));
        m_out += bytes.size();
    }
    QByteArray take()
    {
        m_bytes.truncate(m_out - m_bytes.constData());
        return std::move(m_bytes);
    }

private:
    void reserve(qsizetype needed)
    {
        const qsizetype used = m_out - m_bytes.constData();
        if (m_bytes.size() - used >= needed) [[likely]]
            return;
        m_bytes.resize(std::max(m_bytes.size() * 2, used + needed));
        m_out = m_bytes.data() + used;
    }

    QByteArray m_bytes;
    char *m_out = nullptr;
};

void writeField(Utf8Writer &out, QStringView text, const CSVDocument::Field &field, QChar delimiter)
{
    if (!field.quoted() && !needsQuotes(text, delimiter)) {
        out.text(text);
        return;
    }
    out.ascii("\"");
    // Runs between quotes, each quote written twice.
    for (qsizetype from = 0;;) {
        const qsizetype quote = text.indexOf(u'"', from);
        if (quote < 0) {
            out.text(text.sliced(from));
            break;
        }
        out.text(text.sliced(from, quote - from));
        out.ascii("\"\"");
        from = quote + 1;
    }
    if (!field.unterminated())
        out.ascii("\"");
}

} // namespace

static_assert(sizeof(CSVDocument::Field) == 16);

CSVDocument::Field::Field(const QString &text, bool quoted, bool unterminated)
    : m_quoted(quoted), m_unterminated(unterminated)
{
    setText(text);
}

CSVDocument::Field::Field(QString &&text, bool quoted, bool unterminated)
    : m_quoted(quoted), m_unterminated(unterminated)
{
    setText(std::move(text));
}

CSVDocument::Field::Field(const Field &other)
    : m_storage(other.m_storage), m_offset(other.m_offset), m_quoted(other.m_quoted),
      m_unterminated(other.m_unterminated), m_size(other.m_size)
{
    if (m_storage)
        m_storage->ref();
}

CSVDocument::Field::Field(Field &&other) noexcept
    : m_storage(std::exchange(other.m_storage, nullptr)), m_offset(other.m_offset), m_quoted(other.m_quoted),
      m_unterminated(other.m_unterminated), m_size(std::exchange(other.m_size, 0))
{
}

CSVDocument::Field &CSVDocument::Field::operator=(const Field &other)
{
    if (this != &other)
        *this = Field(other);
    return *this;
}

CSVDocument::Field &CSVDocument::Field::operator=(Field &&other) noexcept
{
    if (this != &other) {
        release();
        m_storage = std::exchange(other.m_storage, nullptr);
        m_offset = other.m_offset;
        m_quoted = other.m_quoted;
        m_unterminated = other.m_unterminated;
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

CSVDocument::Field::~Field()
{
    release();
}

void CSVDocument::Field::release()
{
    // Handed back to a string's own pointer, which frees it with the last reference.
    if (m_storage)
        QString::DataPointer(static_cast<QTypedArrayData<char16_t> *>(std::exchange(m_storage, nullptr)), nullptr, 0);
    m_size = 0;
}

QStringView CSVDocument::Field::view() const
{
    return m_storage ? QStringView(units(), qsizetype(m_size)) : QStringView();
}

QString CSVDocument::Field::text() const
{
    if (!m_storage)
        return {};
    m_storage->ref();
    return QString(QString::DataPointer(static_cast<QTypedArrayData<char16_t> *>(m_storage), units(), m_size));
}

void CSVDocument::Field::assignTo(QString &text) const
{
    QString::DataPointer &data = text.data_ptr();
    if (!m_storage || data.d != m_storage) {
        text = this->text();
        return;
    }
    data.ptr = units();
    data.size = m_size;
}

void CSVDocument::Field::setText(const QString &text)
{
    setText(QString(text));
}

void CSVDocument::Field::setText(QString &&text)
{
    release();
    if (text.isEmpty())
        return;
    constexpr qsizetype farthest = (qsizetype(1) << 30) - 1;
    QString::DataPointer &data = text.data_ptr();
    const auto offset = [&data] {
        return reinterpret_cast<const char *>(data.ptr) - reinterpret_cast<const char *>(data.d);
    };
    // A text without storage of its own (a literal) or far into a large one gets a copy.
    if (!data.d || offset() > farthest)
        text = QString(text.constData(), text.size());
    // The text's reference becomes the field's.
    m_offset = uint32_t(offset());
    m_storage = std::exchange(data.d, nullptr);
    m_size = uint32_t(std::exchange(data.size, 0));
    data.ptr = nullptr;
}

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
    return delimiterOf(QStringView(text).utf16(), text.size());
}

template<class Units>
void CSVDocument::read(const typename Units::Unit *units, qsizetype n)
{
    delimiter = delimiterOf(units, n);
    lineEnding = chooseLineEnding<Units>(units, n);
    endsWithNewline = n > 0 && (units[n - 1] == '\n' || units[n - 1] == '\r');
    rows = Parser<Units>(units, n, delimiter).rows();
}

CSVDocument::CSVDocument(const QByteArray &data)
{
    if (const std::optional<QByteArrayView> utf8 = validUtf8(data)) {
        byteOrderMark = utf8->size() < data.size();
        read<Utf8Bytes>(reinterpret_cast<const unsigned char *>(utf8->data()), utf8->size());
        return;
    }
    const Decoded decoded = decode(data);
    byteOrderMark = decoded.byteOrderMark;
    read<Utf16Units>(QStringView(decoded.text).utf16(), decoded.text.size());
}

namespace {

// A field's lines, counting CR LF once.
int lineCount(QStringView text)
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
            if (!field.quoted())
                continue;
            const int lines = lineCount(field.view());
            if (field.unterminated() || lines > plausibleLinesInField)
                found.append({int(r), int(c), lines, field.unterminated()});
        }
    }
    return found;
}

QByteArray CSVDocument::data() const
{
    return data(FieldText());
}

QByteArray CSVDocument::data(const FieldText &replacing) const
{
    if (!replacing)
        return written([](int, int, const QString &) { return std::optional<QStringView>(); });
    return written(replacing);
}

QByteArray CSVDocument::dataWithViews(const FieldView &replacing) const
{
    return written(replacing);
}

template<class Replace>
QByteArray CSVDocument::written(const Replace &replacing) const
{
    qsizetype estimate = byteOrderMark ? 3 : 0;
    for (const Row &row : rows) {
        estimate += row.size() + lineEnding.size();
        for (const Field &field : row)
            estimate += field.size() + 2;
    }
    Utf8Writer out(estimate);
    if (byteOrderMark)
        out.ascii("\xEF\xBB\xBF");
    const QByteArray ending = lineEnding.toUtf8();
    QString original;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Row &row = rows[r];
        for (qsizetype f = 0; f < row.size(); ++f) {
            if (f > 0)
                out.text(QStringView(&delimiter, 1));
            const Field &field = row[f];
            field.assignTo(original);
            const auto text = replacing(int(r), int(f), original);
            writeField(out, text ? QStringView(*text) : QStringView(original), field, delimiter);
        }
        // A final line break inside an unclosed quote belongs to the field.
        const bool endsInField = !row.isEmpty() && row.back().unterminated();
        if (r + 1 < rows.size() || (endsWithNewline && !endsInField))
            out.ascii(ending);
    }
    return out.take();
}

} // namespace quorvane
