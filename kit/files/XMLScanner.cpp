#include "kit/files/XMLScanner.h"

#include <array>
#include <cstring>

namespace quorvane {

namespace {

// Elements whose content the workbook reader reads; only these get their end
// tag looked up.
constexpr QByteArrayView elementsWithContent[] = {"c", "v", "is", "si", "t", "creator", "lastModifiedBy"};

// Where the end tag "</" qualifiedName ">" first starts in bytes [from, end), or -1.
qsizetype findEndTagIn(const char *bytes, qsizetype from, qsizetype end, QByteArrayView qualifiedName)
{
    const qsizetype last = end - qualifiedName.size() - 3;
    while (from <= last) {
        const void *open = std::memchr(bytes + from, '<', size_t(last - from + 1));
        if (!open)
            return -1;
        const qsizetype at = static_cast<const char *>(open) - bytes;
        if (bytes[at + 1] == '/' && bytes[at + 2 + qualifiedName.size()] == '>'
            && sameBytes(QByteArrayView(bytes + at + 2, qualifiedName.size()), qualifiedName))
            return at;
        from = at + 1;
    }
    return -1;
}

// What the scanner needs to know of a byte, as bits.
enum ByteClass : quint8 {
    spaceByte = 1,   // separates attributes
    nameEndByte = 2, // space, '/' or '>'
    tagStopByte = 4, // '>' or a quote: where the search for a tag's end pauses
};

constexpr std::array<quint8, 256> byteClasses = [] {
    std::array<quint8, 256> classes{};
    for (unsigned char c : {' ', '\t', '\n', '\r'})
        classes[c] = spaceByte | nameEndByte;
    classes['/'] = nameEndByte;
    classes['>'] = nameEndByte | tagStopByte;
    classes['"'] = tagStopByte;
    classes['\''] = tagStopByte;
    return classes;
}();

bool has(char c, ByteClass byteClass)
{
    return byteClasses[static_cast<unsigned char>(c)] & byteClass;
}

bool isSpace(char c)
{
    return has(c, spaceByte);
}

// The '>' that ends the tag opened at `open`: the first one outside a quoted
// attribute value; `end` when there is none.
qsizetype tagClose(const char *bytes, qsizetype open, qsizetype end)
{
    qsizetype at = open + 1;
    for (;;) {
        while (at < end && !has(bytes[at], tagStopByte))
            ++at;
        if (at >= end || bytes[at] == '>')
            return at;
        // Attribute values are short, so a plain loop beats a call to memchr.
        const char quote = bytes[at];
        for (++at; at < end && bytes[at] != quote; ++at) {
        }
        if (at >= end)
            return end;
        ++at;
    }
}

void appendScalar(QByteArray &out, char32_t scalar)
{
    const QString text = QString::fromUcs4(&scalar, 1);
    out.append(text.toUtf8());
}

// The scalar a numeric reference names ("#65", "#x41"), if it is one.
std::optional<char32_t> numericReference(QByteArrayView name)
{
    if (name.size() < 2 || name[0] != '#')
        return std::nullopt;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * (hex ? 16 : 10) + quint64(digit);
    }
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return char32_t(value);
}

std::optional<char> namedReference(QByteArrayView name)
{
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "apos")
        return '\'';
    return std::nullopt;
}

} // namespace

std::optional<QString> XMLScanner::Element::attribute(QByteArrayView name) const
{
    for (const Attribute &attribute : attributes)
        if (sameBytes(attribute.name, name))
            return decode(attribute.rawValue);
    return std::nullopt;
}

XMLScanner::XMLScanner(const QByteArray &xml, ByteRange range, std::span<const QByteArrayView> skipping)
    : m_xml(xml), m_at(std::clamp<qsizetype>(range.start, 0, xml.size())),
      m_end(std::clamp<qsizetype>(range.end, m_at, xml.size())), m_skipping(skipping)
{
}

XMLScanner::XMLScanner(const QByteArray &xml, std::span<const QByteArrayView> skipping)
    : XMLScanner(xml, ByteRange{0, xml.size()}, skipping)
{
}

const XMLScanner::Element *XMLScanner::next()
{
    const char *bytes = m_xml.constData();
    while (m_at < m_end) {
        const void *found = std::memchr(bytes + m_at, '<', size_t(m_end - m_at));
        if (!found)
            break;
        const qsizetype open = static_cast<const char *>(found) - bytes;
        m_at = open;
        if (open + 1 < m_end && (bytes[open + 1] == '?' || bytes[open + 1] == '/' || bytes[open + 1] == '!')) {
            if (!skipMarkup())
                break;
            continue;
        }

        const qsizetype close = tagClose(bytes, open, m_end);
        if (close >= m_end)
            break;

        Element &element = m_element;
        element.content.reset();
        qsizetype nameEnd = open + 1;
        qsizetype localStart = nameEnd;
        for (; nameEnd < close && !has(bytes[nameEnd], nameEndByte); ++nameEnd)
            if (bytes[nameEnd] == ':')
                localStart = nameEnd + 1;
        element.qualifiedName = QByteArrayView(bytes + open + 1, nameEnd - open - 1);
        element.prefix = QByteArrayView(bytes + open + 1, localStart - open - 1);
        element.localName = QByteArrayView(bytes + localStart, nameEnd - localStart);
        const bool selfClosing = close > open + 1 && bytes[close - 1] == '/';
        const qsizetype attributesEnd = selfClosing ? close - 1 : close;
        readAttributes(QByteArrayView(bytes + nameEnd, std::max<qsizetype>(0, attributesEnd - nameEnd)));

        const qsizetype afterTag = close + 1;
        element.range = {open, afterTag};
        m_at = afterTag;
        if (selfClosing)
            return &element;
        element.content = ByteRange{afterTag, afterTag};
        if (needsEndTag(element.localName)) {
            const qsizetype endTag = findEndTag(element.qualifiedName, afterTag);
            if (endTag >= 0) {
                element.content = ByteRange{afterTag, endTag};
                element.range.end = endTag + element.qualifiedName.size() + 3;
                if (skips(element.localName))
                    m_at = element.range.end;
            }
        }
        return &element;
    }
    m_at = m_end;
    return nullptr;
}

bool XMLScanner::skipMarkup()
{
    const QByteArrayView rest = QByteArrayView(m_xml).sliced(m_at, m_end - m_at);
    QByteArrayView terminator = ">";
    qsizetype from = 1;
    if (rest.startsWith("<!--"))
        terminator = "-->", from = 4;
    else if (rest.startsWith("<![CDATA["))
        terminator = "]]>", from = 9;
    // End tags and declarations end at the next '>': a plain byte search.
    const qsizetype found = terminator.size() == 1 ? rest.indexOf('>', from) : rest.indexOf(terminator, from);
    if (found < 0)
        return false;
    m_at += found + terminator.size();
    return true;
}

qsizetype XMLScanner::findEndTag(QByteArrayView qualifiedName, qsizetype from)
{
    EndTagSearch *search = nullptr;
    for (EndTagSearch &known : m_searches)
        if (sameBytes(known.qualifiedName, qualifiedName))
            search = &known;
    if (!search) {
        search = &m_searches.emplace_back();
        search->qualifiedName = qualifiedName; // points into m_xml, which outlives the scanner
    }
    // The scan only moves forward, so an earlier answer still holds when it
    // lies ahead of `from` (or when there was none): no byte is searched twice.
    const bool earlierHolds = search->from >= 0 && from >= search->from
                              && (search->found < 0 || search->found >= from);
    if (!earlierHolds) {
        search->from = from;
        search->found = findEndTagIn(m_xml.constData(), from, m_end, qualifiedName);
    }
    return search->found;
}

void XMLScanner::readAttributes(QByteArrayView tag)
{
    qsizetype count = 0;
    qsizetype i = 0;
    const qsizetype n = tag.size();
    while (i < n) {
        while (i < n && isSpace(tag[i]))
            ++i;
        const qsizetype nameStart = i;
        while (i < n && !isSpace(tag[i]) && tag[i] != '=')
            ++i;
        const QByteArrayView name = tag.sliced(nameStart, i - nameStart);
        while (i < n && tag[i] != '"' && tag[i] != '\'')
            ++i;
        if (i >= n)
            break;
        const char quote = tag[i];
        const qsizetype valueStart = ++i;
        while (i < n && tag[i] != quote)
            ++i;
        if (!name.isEmpty()) {
            const Attribute attribute{name, tag.sliced(valueStart, i - valueStart)};
            if (count < m_attributes.size())
                m_attributes[count] = attribute;
            else
                m_attributes.append(attribute);
            ++count;
        }
        ++i;
    }
    m_element.attributes = std::span<const Attribute>(m_attributes.constData(), size_t(count));
}

bool XMLScanner::needsEndTag(QByteArrayView localName) const
{
    for (QByteArrayView name : elementsWithContent)
        if (sameBytes(name, localName))
            return true;
    return skips(localName);
}

bool XMLScanner::skips(QByteArrayView localName) const
{
    for (QByteArrayView name : m_skipping)
        if (sameBytes(name, localName))
            return true;
    return false;
}

QString XMLScanner::decode(QByteArrayView bytes)
{
    if (!bytes.contains('&'))
        return QString::fromUtf8(bytes);
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype amp = bytes.indexOf('&', i);
        if (amp < 0) {
            out.append(bytes.sliced(i));
            break;
        }
        out.append(bytes.sliced(i, amp - i));
        i = amp + 1;
        const qsizetype semicolon = bytes.sliced(0, std::min(bytes.size(), amp + 11)).indexOf(';', amp + 1);
        if (semicolon < 0) {
            out.append('&');
            continue;
        }
        const QByteArrayView name = bytes.sliced(amp + 1, semicolon - amp - 1);
        if (std::optional<char> named = namedReference(name)) {
            out.append(*named);
            i = semicolon + 1;
        } else if (std::optional<char32_t> scalar = numericReference(name)) {
            appendScalar(out, *scalar);
            i = semicolon + 1;
        } else {
            out.append('&');
        }
    }
    return QString::fromUtf8(out);
}

QByteArray XMLScanner::escape(const QString &text)
{
    QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 16);
    for (char c : utf8) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        default: out.append(c);
        }
    }
    return out;
}

} // namespace quorvane
