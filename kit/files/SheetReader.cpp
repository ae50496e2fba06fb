#include "kit/files/SheetReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <future>
#include <thread>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr QByteArrayView skipCells[] = {"c"};
constexpr QByteArrayView skipCellParts[] = {"v", "is"};
constexpr QByteArrayView skipInsideStringItem[] = {"t", "rPh"};

QByteArrayView slice(const QByteArray &xml, ByteRange range)
{
    return QByteArrayView(xml).sliced(range.start, range.length());
}

// The content of `<name>X</name>` when that element fills `content` exactly
// and X holds no markup: the shape nearly every cell value and string item
// has, read here without starting a scanner. Absent otherwise.
std::optional<ByteRange> loneElementContent(const QByteArray &xml, ByteRange content, char name)
{
    const char *bytes = xml.constData() + content.start;
    const qsizetype n = content.length();
    if (n < 7 || bytes[0] != '<' || bytes[1] != name || bytes[2] != '>' || bytes[n - 4] != '<'
        || bytes[n - 3] != '/' || bytes[n - 2] != name || bytes[n - 1] != '>')
        return std::nullopt;
    // Values are short, so a plain loop beats a call to memchr.
    for (qsizetype i = 3; i < n - 4; ++i)
        if (bytes[i] == '<')
            return std::nullopt;
    return ByteRange{content.start + 3, content.end - 4};
}

// A row number as written in a row's r attribute: plain decimal digits.
std::optional<int> rowNumber(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > XLSXDocument::largestRow)
        return std::nullopt;
    return value;
}

// A cell's style index: plain decimal digits; anything else is the default 0.
int styleIndex(QByteArrayView digits)
{
    return rowNumber(digits).value_or(0);
}

// The shared string index a <v> holds: its decoded, trimmed text as a decimal
// integer (negative ones become -1, too large ones the largest int).
std::optional<int> sharedIndex(QByteArrayView raw)
{
    qint64 value = 0;
    bool plain = !raw.isEmpty() && raw.size() <= 9;
    for (char c : raw) {
        if (c < '0' || c > '9') {
            plain = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (plain)
        return int(value);
    bool isInteger = false;
    const qlonglong index = XMLScanner::decode(raw).trimmed().toLongLong(&isInteger);
    if (!isInteger)
        return std::nullopt;
    return int(std::clamp<qlonglong>(index, -1, std::numeric_limits<int>::max()));
}

// Reads the cells of a worksheet part, or of a stretch of one, into a sheet.
class CellReader
{
public:
    using Cell = XLSXDocument::Cell;

    // `plainCellsDirectly` reads the common plain cells straight from the
    // bytes; without it the scanner reads everything (the reference the
    // direct reading is checked against).
    CellReader(const QByteArray &xml, XLSXDocument::Sheet &into, bool plainCellsDirectly = true)
        : m_sheet(into), m_xml(xml), m_direct(plainCellsDirectly)
    {
    }

    // Reads from `from` to the end. Before an element that starts exactly at
    // `stopAt` it asks `stopHere`, and stops when that agrees; true then.
    bool read(qsizetype from, qsizetype stopAt = -1, const std::function<bool()> &stopHere = {})
    {
        reserveFor(m_xml.size() - from); // the rest may follow when the stop is refused
        XMLScanner scanner(m_xml, ByteRange{from, m_xml.size()}, skipCells);
        bool asked = stopAt < 0;
        while (const XMLScanner::Element *element = scanner.next()) {
            if (!asked && element->range.start >= stopAt) {
                asked = true;
                if (element->range.start == stopAt && stopHere())
                    return true;
            }
            take(*element, scanner);
        }
        return false;
    }

    // Reads from a row element starting at `from`, which must name its own
    // number so that nothing before it matters; false when it doesn't.
    bool readFromNumberedRow(qsizetype from)
    {
        XMLScanner scanner(m_xml, ByteRange{from, m_xml.size()}, skipCells);
        const XMLScanner::Element *first = scanner.next();
        if (!first || first->range.start != from || !first->is("row") || !numberOf(*first))
            return false;
        reserveFor(m_xml.size() - from);
        for (const XMLScanner::Element *element = first; element; element = scanner.next())
            take(*element, scanner);
        return true;
    }

private:
    // Room for as many cells as the bytes could hold, so that the list never
    // grows by copying; pages of it that no cell fills are never touched.
    void reserveFor(qsizetype bytes)
    {
        m_sheet.cells.reserve(m_sheet.cells.size() + bytes / 16);
    }

    void take(const XMLScanner::Element &element, XMLScanner &scanner)
    {
        if (element.is("row"))
            enterRow(element);
        else if (element.is("c"))
            readCellElement(element);
        else
            return;
        if (m_direct)
            readPlainCells(scanner);
    }

    // Reads the plain cells that come next (`<c r="B2" t="s"><v>7</v></c>`,
    // `<c r="C2"/>` and the like) straight from the bytes, and moves the scan
    // past them; it stops before anything else, which the scanner then reads.
    // Every cell comes out as the scanner would have given it.
    void readPlainCells(XMLScanner &scanner)
    {
        const char *bytes = m_xml.constData();
        qsizetype at = scanner.position();
        while (at < scanner.end()) {
            const void *open = std::memchr(bytes + at, '<', size_t(scanner.end() - at));
            if (!open)
                break;
            const qsizetype next = readPlainCell(static_cast<const char *>(open) - bytes, scanner.end());
            if (next < 0)
                break;
            at = next;
        }
        scanner.skipTo(at);
    }

    // The cell whose tag opens at `open` when it is plain: an unprefixed <c>
    // whose attributes are name="value" pairs apart by spaces, that is either
    // self-closing, empty, or holds one <v> without markup. Answers where the
    // scan goes on after it, or -1 (nothing read) for anything else.
    qsizetype readPlainCell(qsizetype open, qsizetype end)
    {
        const char *b = m_xml.constData();
        qsizetype i = open + 2;
        if (i >= end || b[open + 1] != 'c' || (b[i] != ' ' && b[i] != '>' && b[i] != '/'))
            return -1;
        const std::optional<qsizetype> tagEnd = readPlainAttributes(i, end);
        if (!tagEnd)
            return -1;
        const std::span<const XMLScanner::Attribute> attributes(m_attributes.data(), size_t(m_attributeCount));
        if (b[*tagEnd - 2] == '/') {
            readCell(attributes, {}, std::nullopt);
            return *tagEnd;
        }
        const qsizetype contentStart = *tagEnd;
        if (startsWith(contentStart, end, "</c>")) {
            readCell(attributes, {}, ByteRange{contentStart, contentStart});
            return contentStart + 4;
        }
        if (!startsWith(contentStart, end, "<v>"))
            return -1;
        qsizetype valueEnd = contentStart + 3;
        while (valueEnd < end && b[valueEnd] != '<')
            ++valueEnd;
        if (!startsWith(valueEnd, end, "</v></c>"))
            return -1;
        readCell(attributes, {}, ByteRange{contentStart, valueEnd + 4});
        return valueEnd + 8;
    }

    // Whether the bytes from `at` (before `end`) begin with `expected`;
    // written out since the library's version is an out-of-line call.
    bool startsWith(qsizetype at, qsizetype end, QByteArrayView expected) const
    {
        if (end - at < expected.size())
            return false;
        return sameBytes(QByteArrayView(m_xml.constData() + at, expected.size()), expected);
    }

    // Reads name="value" pairs from `i` up to the '>' or "/>" that ends the
    // tag, into m_attributes; answers the position after the tag, or nothing
    // when the tag is not plain.
    std::optional<qsizetype> readPlainAttributes(qsizetype i, qsizetype end)
    {
        const char *b = m_xml.constData();
        const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
        const auto endsName = [&](char c) {
            return isSpace(c) || c == '=' || c == '>' || c == '/' || c == '<' || c == '"' || c == '\'';
        };
        m_attributeCount = 0;
        for (;;) {
            while (i < end && isSpace(b[i]))
                ++i;
            if (i >= end)
                return std::nullopt;
            if (b[i] == '>')
                return i + 1;
            if (b[i] == '/')
                return i + 1 < end && b[i + 1] == '>' ? std::optional(i + 2) : std::nullopt;
            const qsizetype nameStart = i;
            while (i < end && !endsName(b[i]))
                ++i;
            if (i == nameStart || i + 1 >= end || b[i] != '=' || (b[i + 1] != '"' && b[i + 1] != '\''))
                return std::nullopt;
            const qsizetype nameEnd = i;
            const char quote = b[i + 1];
            const qsizetype valueStart = i + 2;
            for (i = valueStart; i < end && b[i] != quote; ++i) {
            }
            if (i >= end || m_attributeCount == qsizetype(m_attributes.size()))
                return std::nullopt;
            m_attributes[size_t(m_attributeCount++)] = {QByteArrayView(b + nameStart, nameEnd - nameStart),
                                                        QByteArrayView(b + valueStart, i - valueStart)};
            ++i;
        }
    }

    static std::optional<int> numberOf(const XMLScanner::Element &row)
    {
        std::optional<int> number;
        for (const XMLScanner::Attribute &attribute : row.attributes)
            if (sameBytes(attribute.name, "r"))
                number = rowNumber(attribute.rawValue);
        return number;
    }

    void enterRow(const XMLScanner::Element &row)
    {
        const std::optional<int> number = numberOf(row);
        m_row = number ? *number - 1 : m_row + 1;
        m_column = 0;
    }

    void readCellElement(const XMLScanner::Element &element)
    {
        // An element with content whose end tag never came: what it held is lost.
        if (element.content && element.range.end == element.content->end)
            m_sheet.brokenMarkup = true;
        readCell(element.attributes, element.prefix, element.content);
    }

    void readCell(std::span<const XMLScanner::Attribute> attributes, QByteArrayView prefix,
                  std::optional<ByteRange> content)
    {
        QByteArrayView type;
        QByteArray decodedType;
        std::optional<std::pair<int, int>> reference;
        int style = 0;
        for (const XMLScanner::Attribute &attribute : attributes) {
            if (sameBytes(attribute.name, "r")) {
                reference = XLSXDocument::parseReference(attribute.rawValue);
                m_sheet.oddReferences = m_sheet.oddReferences || !reference;
            } else if (sameBytes(attribute.name, "s")) {
                style = styleIndex(attribute.rawValue);
            } else if (sameBytes(attribute.name, "t")) {
                type = attribute.rawValue;
                if (type.contains('&'))
                    type = decodedType = XMLScanner::decode(type).toUtf8();
            }
        }
        if (reference)
            m_row = reference->first;
        Cell cell;
        cell.row = m_row;
        cell.column = reference ? reference->second : m_column;
        m_column = cell.column + 1;
        if (!content || cell.row < 0 || !readContent(*content, type, cell))
            return;
        cell.prefix = prefixIndex(prefix);
        cell.style = style;
        m_sheet.cells.append(std::move(cell));
    }

    // Fills in the cell's source and text from its <v> or <is>; false when
    // the cell shows nothing.
    bool readContent(ByteRange content, QByteArrayView type, Cell &cell)
    {
        std::optional<ByteRange> value = loneElementContent(m_xml, content, 'v');
        std::optional<ByteRange> inlineString, inlineContent;
        if (!value) {
            XMLScanner scanner(m_xml, content, skipCellParts);
            while (const XMLScanner::Element *part = scanner.next()) {
                if (part->is("v") && !value)
                    value = part->content.value_or(ByteRange{part->range.end, part->range.end});
                else if (part->is("is") && !inlineString)
                    inlineString = part->range, inlineContent = part->content;
            }
        }
        if (sameBytes(type, "inlineStr")) {
            if (!inlineString)
                return false;
            cell.source = Cell::Source::inlineString;
            cell.range = *inlineString;
            return keepText(cell, inlineContent ? SheetReader::stringItemText(m_xml, *inlineContent) : QString());
        }
        if (!value)
            return false;
        const QByteArrayView raw = slice(m_xml, *value);
        if (sameBytes(type, "s")) {
            const std::optional<int> index = sharedIndex(raw);
            if (!index)
                return false;
            cell.source = Cell::Source::shared;
            cell.index = *index;
            cell.range = *value;
            return true;
        }
        if (sameBytes(type, "str")) {
            cell.source = Cell::Source::formulaText;
            cell.range = *value;
            return keepText(cell, XMLScanner::decode(raw));
        }
        if (sameBytes(type, "b"))
            return keepText(cell, XMLScanner::decode(raw) == u"1" ? u"TRUE"_s : u"FALSE"_s);
        return keepText(cell, XMLScanner::decode(raw));
    }

    bool keepText(Cell &cell, QString text) const
    {
        cell.index = int(m_sheet.texts.size());
        m_sheet.texts.append(std::move(text));
        return true;
    }

    int prefixIndex(QByteArrayView prefix)
    {
        if (prefix.isEmpty())
            return 0;
        QList<QByteArray> &prefixes = m_sheet.prefixes;
        if (sameBytes(prefixes.constLast(), prefix))
            return int(prefixes.size() - 1);
        const qsizetype known = prefixes.indexOf(prefix);
        if (known >= 0)
            return int(known);
        prefixes.append(prefix.toByteArray());
        return int(prefixes.size() - 1);
    }

    XLSXDocument::Sheet &m_sheet;
    const QByteArray &m_xml;
    const bool m_direct;
    std::array<XMLScanner::Attribute, 8> m_attributes; // of the plain cell being read
    qsizetype m_attributeCount = 0;
    int m_row = -1;
    int m_column = 0;
};

// The start of a row element's tag at or after `from`, judged by its bytes
// alone ("<row" or "<prefix:row", then a space or '>'); -1 when there is none.
// Whether it truly starts an element only the reading before it can tell.
qsizetype rowTagAfter(const QByteArray &xml, qsizetype from)
{
    const QByteArrayView bytes(xml);
    const auto inPrefix = [](char c) {
        return c != '<' && c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' && c != ' ' && c != '\n'
               && c != '\r' && c != '\t';
    };
    for (qsizetype at = bytes.indexOf("row", from); at > 0; at = bytes.indexOf("row", at + 3)) {
        if (at + 3 >= bytes.size() || (bytes[at + 3] != ' ' && bytes[at + 3] != '>'))
            continue;
        qsizetype open = at - 1;
        while (open >= 0 && at - open < 64 && inPrefix(bytes[open]))
            --open;
        if (open >= 0 && bytes[open] == '<' && (open == at - 1 || (bytes[at - 1] == ':' && open < at - 2)))
            return open;
    }
    return -1;
}

// Appends the second half's cells to the first's, moving their indices into
// the first's texts and prefixes.
void append(XLSXDocument::Sheet &sheet, XLSXDocument::Sheet &&second)
{
    const int textOffset = int(sheet.texts.size());
    QList<int> prefixes;
    for (const QByteArray &prefix : std::as_const(second.prefixes)) {
        qsizetype index = sheet.prefixes.indexOf(prefix);
        if (index < 0) {
            index = sheet.prefixes.size();
            sheet.prefixes.append(prefix);
        }
        prefixes.append(int(index));
    }
    sheet.cells.reserve(sheet.cells.size() + second.cells.size());
    for (XLSXDocument::Cell &cell : second.cells) {
        if (cell.source != XLSXDocument::Cell::Source::shared)
            cell.index += textOffset;
        cell.prefix = prefixes[cell.prefix];
        sheet.cells.append(cell);
    }
    sheet.texts.append(std::move(second.texts));
    sheet.brokenMarkup = sheet.brokenMarkup || second.brokenMarkup;
    sheet.oddReferences = sheet.oddReferences || second.oddReferences;
}

} // namespace

void SheetReader::read(XLSXDocument::Sheet &sheet)
{
    if (sheet.xml.size() >= splitSize && std::thread::hardware_concurrency() > 1)
        readSplittingAfter(sheet, sheet.xml.size() / 2);
    else
        CellReader(sheet.xml, sheet).read(0);
}

void SheetReader::readWithScannerOnly(XLSXDocument::Sheet &sheet)
{
    CellReader(sheet.xml, sheet, false).read(0);
}

qsizetype SheetReader::readSplittingAfter(XLSXDocument::Sheet &sheet, qsizetype from)
{
    const qsizetype split = rowTagAfter(sheet.xml, from);
    if (split < 0) {
        CellReader(sheet.xml, sheet).read(0);
        return -1;
    }
    XLSXDocument::Sheet second;
    std::future<bool> secondHalf = std::async(std::launch::async, [&] {
        return CellReader(sheet.xml, second).readFromNumberedRow(split);
    });
    const bool stopped = CellReader(sheet.xml, sheet).read(0, split, [&] { return secondHalf.get(); });
    if (stopped)
        append(sheet, std::move(second));
    else if (secondHalf.valid())
        secondHalf.wait(); // `second` must outlive the reading into it
    return stopped ? split : -1;
}

QString SheetReader::stringItemText(const QByteArray &xml, ByteRange content)
{
    if (const std::optional<ByteRange> run = loneElementContent(xml, content, 't'))
        return XMLScanner::decode(slice(xml, *run));
    QString text;
    XMLScanner scanner(xml, content, skipInsideStringItem);
    while (const XMLScanner::Element *element = scanner.next())
        if (element->is("t") && element->content)
            text += XMLScanner::decode(slice(xml, *element->content));
    return text;
}

} // namespace quorvane
