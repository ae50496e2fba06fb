#include "kit/files/XMLScanner.h"

#include <cstring>

namespace quorvane {

namespace {

// Elements whose content the workbook reader reads; only these get their end
// tag looked up.
constexpr QByteArrayView elementsWithContent[] = {"c", "v", "is", "si", "t", "creator", "lastModifiedBy"};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameEnd(char c)
{
    return isSpace(c) || c == '/' || c == '>';
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
        if (attribute.name == name)
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

        // The tag ends at the first '>' outside a quoted attribute value.
        qsizetype close = open + 1;
        char quote = 0;
        for (; close < m_end; ++close) {
            const char c = bytes[close];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                break;
            }
        }
        if (close >= m_end)
            break;

        Element &element = m_element;
        element.attributes.clear();
        element.content.reset();
        qsizetype nameEnd = open + 1;
        while (nameEnd < close && !isNameEnd(bytes[nameEnd]))
            ++nameEnd;
        element.qualifiedName = QByteArrayView(bytes + open + 1, nameEnd - open - 1);
        const qsizetype colon = element.qualifiedName.lastIndexOf(':');
        element.prefix = element.qualifiedName.first(colon + 1);
        element.localName = element.qualifiedName.sliced(colon + 1);
        const bool selfClosing = close > open + 1 && bytes[close - 1] == '/';
        const qsizetype attributesEnd = selfClosing ? close - 1 : close;
        readAttributes(QByteArrayView(bytes + nameEnd, std::max<qsizetype>(0, attributesEnd - nameEnd)), element);

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
    const qsizetype found = rest.indexOf(terminator, from);
    if (found < 0)
        return false;
    m_at += found + terminator.size();
    return true;
}

qsizetype XMLScanner::findEndTag(QByteArrayView qualifiedName, qsizetype from)
{
    EndTagSearch *search = nullptr;
    for (EndTagSearch &known : m_searches)
        if (QByteArrayView(known.pattern.constData(), known.pattern.size()).sliced(2, known.pattern.size() - 3)
            == qualifiedName)
            search = &known;
    if (!search) {
        search = &m_searches.emplace_back();
        search->pattern.append("</", 2);
        search->pattern.append(qualifiedName.data(), qualifiedName.size());
        search->pattern.append('>');
    }
    // The scan only moves forward, so an earlier answer still holds when it
    // lies ahead of `from` (or when there was none): no byte is searched twice.
    const bool earlierHolds = search->from >= 0 && from >= search->from
                              && (search->found < 0 || search->found >= from);
    if (!earlierHolds) {
        const QByteArrayView window = QByteArrayView(m_xml).first(m_end);
        search->from = from;
        search->found = window.indexOf(QByteArrayView(search->pattern.constData(), search->pattern.size()), from);
    }
    return search->found;
}

void XMLScanner::readAttributes(QByteArrayView tag, Element &element) const
{
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
            return;
        const char quote = tag[i];
        const qsizetype valueStart = ++i;
        while (i < n && tag[i] != quote)
            ++i;
        if (!name.isEmpty())
            element.attributes.append(Attribute{name, tag.sliced(valueStart, i - valueStart)});
        ++i;
    }
}

bool XMLScanner::needsEndTag(QByteArrayView localName) const
{
    for (QByteArrayView name : elementsWithContent)
        if (name == localName)
            return true;
    return skips(localName);
}

bool XMLScanner::skips(QByteArrayView localName) const
{
    for (QByteArrayView name : m_skipping)
        if (name == localName)
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
