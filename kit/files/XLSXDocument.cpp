#include "kit/files/XLSXDocument.h"

#include <QHash>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr QByteArrayView skipCells[] = {"c"};
constexpr QByteArrayView skipCellParts[] = {"v", "is"};
constexpr QByteArrayView skipStringItems[] = {"si"};
constexpr QByteArrayView skipInsideStringItem[] = {"t", "rPh"};
constexpr int largestRow = 2'000'000;
constexpr int largestColumn = 20'000;

[[noreturn]] void fail(const QString &message)
{
    throw ZipArchive::Failure(message);
}

ZipArchive openArchive(const QByteArray &data)
{
    try {
        return ZipArchive(data);
    } catch (const ZipArchive::Failure &) {
        fail(u"It isn’t an Excel workbook (.xlsx). Older .xls and Numbers files need saving as .xlsx or CSV first."_s);
    }
}

QByteArrayView slice(const QByteArray &xml, ByteRange range)
{
    return QByteArrayView(xml).sliced(range.start, range.length());
}

// The content of `<name ...>X</name>` when that element fills `content`
// exactly and X holds no markup: the shape nearly every cell value and
// string item has, read here without starting a scanner. Absent otherwise.
std::optional<ByteRange> loneElementContent(const QByteArray &xml, ByteRange content, char name)
{
    const char *bytes = xml.constData() + content.start;
    const qsizetype n = content.length();
    if (n < 7 || bytes[0] != '<' || bytes[1] != name || (bytes[2] != '>' && bytes[2] != ' '))
        return std::nullopt;
    if (bytes[n - 4] != '<' || bytes[n - 3] != '/' || bytes[n - 2] != name || bytes[n - 1] != '>')
        return std::nullopt;
    const void *tagEnd = std::memchr(bytes, '>', size_t(n - 4));
    if (!tagEnd)
        return std::nullopt;
    const qsizetype valueStart = static_cast<const char *>(tagEnd) - bytes + 1;
    if (bytes[valueStart - 2] == '/' || std::memchr(bytes + 1, '"', size_t(valueStart - 1))
        || std::memchr(bytes + 1, '\'', size_t(valueStart - 1))
        || std::memchr(bytes + valueStart, '<', size_t(n - 4 - valueStart)))
        return std::nullopt;
    return ByteRange{content.start + valueStart, content.end - 4};
}

// The text of an <si> or <is> element: its <t> runs joined, phonetic runs left out.
QString stringItemText(const QByteArray &xml, ByteRange content)
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

// Resolves a relationship target against the xl/ folder.
QString resolveTarget(const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList segments{u"xl"_s};
    for (const QString &segment : target.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u".")
            continue;
        if (segment == u"..") {
            if (!segments.isEmpty())
                segments.removeLast();
        } else {
            segments.append(segment);
        }
    }
    return segments.join(u'/');
}

struct Relationship
{
    QString id;
    QString target;
};

QList<Relationship> readRelationships(const ZipArchive &archive)
{
    QList<Relationship> relationships;
    try {
        const std::optional<ZipArchive::Entry> entry = archive.entry(u"xl/_rels/workbook.xml.rels"_s);
        if (!entry)
            return {};
        const QByteArray xml = archive.data(*entry);
        XMLScanner scanner(xml);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (!element->is("Relationship"))
                continue;
            std::optional<QString> id = element->attribute("Id");
            std::optional<QString> target = element->attribute("Target");
            if (id && target)
                relationships.append({*id, *target});
        }
    } catch (const ZipArchive::Failure &) {
        return {};
    }
    return relationships;
}

std::optional<QString> targetOf(const QList<Relationship> &relationships, const QString &id)
{
    for (const Relationship &relationship : relationships)
        if (relationship.id == id)
            return relationship.target;
    return std::nullopt;
}

struct ListedSheet
{
    QString name;
    QString path;
};

QList<ListedSheet> listSheets(const QByteArray &workbook, const QList<Relationship> &relationships)
{
    QList<ListedSheet> sheets;
    XMLScanner scanner(workbook);
    while (const XMLScanner::Element *element = scanner.next()) {
        if (!element->is("sheet"))
            continue;
        std::optional<QString> name = element->attribute("name");
        if (!name)
            continue;
        std::optional<QString> target;
        for (const XMLScanner::Attribute &attribute : element->attributes) {
            if (attribute.name.endsWith(":id")) {
                target = targetOf(relationships, XMLScanner::decode(attribute.rawValue));
                break;
            }
        }
        if (!target)
            target = u"worksheets/sheet"_s + QString::number(sheets.size() + 1) + u".xml"_s;
        sheets.append({*name, resolveTarget(*target)});
    }
    return sheets;
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
    if (value > largestRow)
        return std::nullopt;
    return value;
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

// Reads the cells of one worksheet part into its sheet, in document order.
class CellReader
{
public:
    using Cell = XLSXDocument::Cell;

    explicit CellReader(XLSXDocument::Sheet &sheet) : m_sheet(sheet), m_xml(sheet.xml)
    {
    }

    void read()
    {
        m_sheet.cells.reserve(m_xml.size() / 40); // a typical cell takes at least this many bytes
        XMLScanner scanner(m_xml, skipCells);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (element->is("row"))
                enterRow(*element);
            else if (element->is("c"))
                readCell(*element);
        }
    }

private:
    void enterRow(const XMLScanner::Element &row)
    {
        std::optional<int> number;
        for (const XMLScanner::Attribute &attribute : row.attributes)
            if (sameBytes(attribute.name, "r"))
                number = rowNumber(attribute.rawValue);
        m_row = number ? *number - 1 : m_row + 1;
        m_column = 0;
    }

    void readCell(const XMLScanner::Element &element)
    {
        QByteArrayView type;
        QByteArray decodedType;
        std::optional<std::pair<int, int>> reference;
        for (const XMLScanner::Attribute &attribute : element.attributes) {
            if (sameBytes(attribute.name, "r")) {
                reference = XLSXDocument::parseReference(attribute.rawValue);
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
        if (!element.content || cell.row < 0 || !readContent(*element.content, type, cell))
            return;
        cell.prefix = prefixIndex(element.prefix);
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
            return keepText(cell, inlineContent ? stringItemText(m_xml, *inlineContent) : QString());
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
    int m_row = -1;
    int m_column = 0;
};

QByteArray stringItem(const QByteArray &prefix, QByteArrayView element, const QString &text)
{
    return "<" + prefix + element + "><" + prefix + "t xml:space=\"preserve\">" + XMLScanner::escape(text) + "</"
           + prefix + "t></" + prefix + element + ">";
}

struct Splice
{
    ByteRange range;
    QByteArray bytes;
};

// Applies splices in order of their start; one that starts inside a range
// already replaced is dropped.
QByteArray applySplices(const QByteArray &xml, QList<Splice> splices)
{
    std::stable_sort(splices.begin(), splices.end(),
                     [](const Splice &a, const Splice &b) { return a.range.start < b.range.start; });
    QByteArray out;
    out.reserve(xml.size() + xml.size() / 8);
    qsizetype copied = 0;
    for (const Splice &splice : splices) {
        if (splice.range.start < copied)
            continue;
        out.append(QByteArrayView(xml).sliced(copied, splice.range.start - copied));
        out.append(splice.bytes);
        copied = splice.range.end;
    }
    out.append(QByteArrayView(xml).sliced(copied));
    return out;
}

} // namespace

std::optional<std::pair<int, int>> XLSXDocument::parseReference(QByteArrayView reference)
{
    // Letters, then digits; a '$' may stand anywhere.
    const char *c = reference.data();
    const qsizetype n = reference.size();
    qsizetype i = 0;
    int column = 0, row = 0;
    for (; i < n; ++i) {
        const char upper = char(c[i] & ~0x20);
        if (upper >= 'A' && upper <= 'Z') {
            column = column * 26 + (upper - 'A' + 1);
            if (column > largestColumn)
                return std::nullopt;
        } else if (c[i] != '$') {
            break;
        }
    }
    const qsizetype digitsStart = i;
    for (; i < n; ++i) {
        if (c[i] >= '0' && c[i] <= '9') {
            row = row * 10 + (c[i] - '0');
            if (row > largestRow)
                return std::nullopt;
        } else if (c[i] != '$') {
            return std::nullopt;
        }
    }
    if (column == 0 || row == 0 || digitsStart == n)
        return std::nullopt;
    return std::pair<int, int>(row - 1, column - 1);
}

XLSXDocument::XLSXDocument(const QByteArray &data) : m_archive(openArchive(data))
{
    const std::optional<ZipArchive::Entry> workbookEntry = m_archive.entry(u"xl/workbook.xml"_s);
    if (!workbookEntry)
        fail(u"It isn’t an Excel workbook (.xlsx)."_s);
    const QByteArray workbook = m_archive.data(*workbookEntry);
    const QList<Relationship> relationships = readRelationships(m_archive);
    const QList<ListedSheet> listed = listSheets(workbook, relationships);
    if (listed.isEmpty())
        fail(u"The workbook has no sheets."_s);

    QString sharedPath = u"xl/sharedStrings.xml"_s;
    for (const Relationship &relationship : relationships) {
        if (relationship.target.endsWith(u"sharedStrings.xml", Qt::CaseInsensitive)) {
            sharedPath = resolveTarget(relationship.target);
            break;
        }
    }
    readSharedStrings(sharedPath);
    for (const ListedSheet &sheet : listed)
        readSheet(sheet.name, sheet.path);
    if (m_sheets.isEmpty())
        fail(u"The workbook’s sheets are missing."_s);
    collectWarnings();
}

void XLSXDocument::readSharedStrings(const QString &path)
{
    const std::optional<ZipArchive::Entry> entry = m_archive.entry(path);
    if (!entry)
        return;
    m_sharedXML = m_archive.data(*entry);
    m_sharedPath = entry->path;
    XMLScanner scanner(m_sharedXML, skipStringItems);
    while (const XMLScanner::Element *element = scanner.next()) {
        if (!element->is("si"))
            continue;
        const QString text = element->content ? stringItemText(m_sharedXML, *element->content) : QString();
        m_sharedElements.append(element->range);
        m_sharedTexts.append(text);
    }
}

void XLSXDocument::readSheet(const QString &name, const QString &path)
{
    const std::optional<ZipArchive::Entry> entry = m_archive.entry(path);
    if (!entry)
        return;
    Sheet sheet;
    sheet.name = name;
    sheet.path = entry->path;
    try {
        sheet.xml = m_archive.data(*entry);
    } catch (const ZipArchive::Failure &) {
        return; // an unreadable sheet is left out; the others still open
    }
    CellReader(sheet).read();
    m_sheets.append(std::move(sheet));
}

void XLSXDocument::collectWarnings()
{
    const QStringList paths = m_archive.paths();
    const auto anyStartsWith = [&](std::initializer_list<QStringView> prefixes) {
        for (const QString &path : paths)
            for (QStringView prefix : prefixes)
                if (path.toLower().startsWith(prefix))
                    return true;
        return false;
    };
    if (anyStartsWith({u"xl/comments", u"xl/threadedcomments/"}))
        m_warnings.append(u"Cell comments and notes aren’t changed. Delete them first if they mention people."_s);
    if (anyStartsWith({u"xl/pivotcache/"}))
        m_warnings.append(u"Pivot tables keep their own copy of the data, which isn’t changed. Remove them before sharing."_s);
    if (anyStartsWith({u"xl/charts/"}))
        m_warnings.append(u"Charts keep a cached copy of their labels until Excel redraws them."_s);
    if (anyStartsWith({u"xl/externallinks/"}))
        m_warnings.append(u"Links to other workbooks keep cached values that aren’t changed."_s);

    bool namesAuthor = false;
    try {
        if (const std::optional<ZipArchive::Entry> core = m_archive.entry(u"docProps/core.xml"_s)) {
            const QByteArray xml = m_archive.data(*core);
            XMLScanner scanner(xml);
            while (const XMLScanner::Element *element = scanner.next()) {
                if ((element->is("creator") || element->is("lastModifiedBy")) && element->content
                    && !XMLScanner::decode(slice(xml, *element->content)).trimmed().isEmpty()) {
                    namesAuthor = true;
                    break;
                }
            }
        }
    } catch (const ZipArchive::Failure &) {
        // Properties that can't be read hold no author we could warn about.
    }
    if (namesAuthor)
        m_warnings.append(u"The workbook’s author field (File › Properties) isn’t changed."_s);
}

QStringList XLSXDocument::unreferencedSharedStrings() const
{
    QList<bool> referenced(m_sharedTexts.size(), false);
    for (const Sheet &sheet : m_sheets)
        for (const Cell &cell : sheet.cells)
            if (cell.source == Cell::Source::shared && cell.index >= 0 && cell.index < m_sharedTexts.size())
                referenced[cell.index] = true;
    QStringList texts;
    for (qsizetype i = 0; i < m_sharedTexts.size(); ++i)
        if (!referenced[i])
            texts.append(m_sharedTexts[i]);
    return texts;
}

const QString &XLSXDocument::text(const Sheet &sheet, const Cell &cell) const
{
    static const QString none;
    const QStringList &texts = cell.source == Cell::Source::shared ? m_sharedTexts : sheet.texts;
    return cell.index >= 0 && cell.index < texts.size() ? texts[cell.index] : none;
}

QByteArray XLSXDocument::data(const Transform &replacing) const
{
    const qsizetype sharedCount = m_sharedTexts.size();
    QList<bool> claimed(sharedCount, false);
    QList<bool> rewrite(sharedCount, false);
    QStringList current = m_sharedTexts;
    QStringList added;
    QHash<QString, int> addedIndex;

    QHash<QString, QByteArray> parts;
    for (int s = 0; s < m_sheets.size(); ++s) {
        const Sheet &sheet = m_sheets[s];
        QList<Splice> splices;
        for (const Cell &cell : sheet.cells) {
            if (!cell.isText())
                continue;
            const QString &shown = text(sheet, cell);
            const std::optional<QString> answer = replacing(CellRef{s, cell.row, cell.column}, shown);
            const QString &text = answer ? *answer : shown;
            switch (cell.source) {
            case Cell::Source::inlineString:
                if (text != shown)
                    splices.append({cell.range, stringItem(sheet.prefixes.value(cell.prefix), "is", text)});
                break;
            case Cell::Source::formulaText:
                if (text != shown)
                    splices.append({cell.range, XMLScanner::escape(text)});
                break;
            case Cell::Source::shared: {
                const int i = cell.index;
                if (i < 0 || i >= sharedCount)
                    break;
                if (!claimed[i]) {
                    // The first cell showing a string decides its text for every cell.
                    claimed[i] = true;
                    if (text != m_sharedTexts[i]) {
                        current[i] = text;
                        rewrite[i] = true;
                    }
                } else if (text != current[i]) {
                    int index = addedIndex.value(text, -1);
                    if (index < 0) {
                        index = int(sharedCount + added.size());
                        added.append(text);
                        addedIndex.insert(text, index);
                    }
                    splices.append({cell.range, QByteArray::number(index)});
                }
                break;
            }
            case Cell::Source::other:
                break;
            }
        }
        if (!splices.isEmpty())
            parts.insert(sheet.path, applySplices(sheet.xml, std::move(splices)));
    }

    for (qsizetype i = 0; i < sharedCount; ++i) {
        if (claimed[i])
            continue;
        const std::optional<QString> answer = replacing(std::nullopt, m_sharedTexts[i]);
        if (answer && *answer != m_sharedTexts[i]) {
            current[i] = *answer;
            rewrite[i] = true;
        }
    }

    if (m_sharedPath && (!added.isEmpty() || rewrite.contains(true))) {
        QByteArray prefix;
        XMLScanner scanner(m_sharedXML, skipStringItems);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (element->is("sst")) {
                prefix = element->prefix.toByteArray();
                break;
            }
        }
        QList<Splice> splices;
        for (qsizetype i = 0; i < sharedCount; ++i)
            if (rewrite[i])
                splices.append({m_sharedElements[i], stringItem(prefix, "si", current[i])});
        if (!added.isEmpty()) {
            const qsizetype endTag = m_sharedXML.lastIndexOf(QByteArray("</" + prefix + "sst>"));
            if (endTag < 0)
                fail(u"The workbook’s shared strings are damaged."_s);
            QByteArray items;
            for (const QString &text : added)
                items += stringItem(prefix, "si", text);
            splices.append({ByteRange{endTag, endTag}, items});
        }
        parts.insert(*m_sharedPath, applySplices(m_sharedXML, std::move(splices)));
    }
    return m_archive.data(parts);
}

} // namespace quorvane
