#include "kit/files/XLSXDocument.h"

#include <QHash>

#include <algorithm>

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

// The text of an <si> or <is> element: its <t> runs joined, phonetic runs left out.
QString stringItemText(const QByteArray &xml, ByteRange content)
{
    QString text;
    XMLScanner scanner(xml, content, skipInsideStringItem);
    while (const XMLScanner::Element *element = scanner.next())
        if (element->localName == "t" && element->content)
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
            if (element->localName != "Relationship")
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
        if (element->localName != "sheet")
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

// Reads the cells of one worksheet part, in document order.
class CellReader
{
public:
    explicit CellReader(const QByteArray &xml, const QList<XLSXDocument::SharedString> &shared)
        : m_xml(xml), m_shared(shared)
    {
    }

    QList<XLSXDocument::Cell> cells()
    {
        QList<XLSXDocument::Cell> cells;
        cells.reserve(m_xml.size() / 40); // a typical cell takes at least this many bytes
        XMLScanner scanner(m_xml, skipCells);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (element->localName == "row")
                enterRow(*element);
            else if (element->localName == "c")
                if (std::optional<XLSXDocument::Cell> cell = readCell(*element))
                    cells.append(std::move(*cell));
        }
        return cells;
    }

private:
    void enterRow(const XMLScanner::Element &row)
    {
        std::optional<int> number;
        for (const XMLScanner::Attribute &attribute : row.attributes)
            if (attribute.name == "r")
                number = rowNumber(attribute.rawValue);
        m_row = number ? *number - 1 : m_row + 1;
        m_column = 0;
    }

    std::optional<XLSXDocument::Cell> readCell(const XMLScanner::Element &element)
    {
        XLSXDocument::Cell cell;
        QByteArrayView type;
        QByteArray decodedType;
        std::optional<std::pair<int, int>> reference;
        for (const XMLScanner::Attribute &attribute : element.attributes) {
            if (attribute.name == "r") {
                reference = XLSXDocument::parseReference(attribute.rawValue);
            } else if (attribute.name == "t") {
                type = attribute.rawValue;
                if (type.contains('&'))
                    type = decodedType = XMLScanner::decode(type).toUtf8();
            }
        }
        if (reference)
            m_row = reference->first;
        cell.row = m_row;
        cell.column = reference ? reference->second : m_column;
        m_column = cell.column + 1;
        if (!element.content || cell.row < 0)
            return std::nullopt;

        std::optional<ByteRange> value, inlineString, inlineContent;
        XMLScanner scanner(m_xml, *element.content, skipCellParts);
        while (const XMLScanner::Element *part = scanner.next()) {
            if (part->localName == "v" && !value)
                value = part->content.value_or(ByteRange{part->range.end, part->range.end});
            else if (part->localName == "is" && !inlineString)
                inlineString = part->range, inlineContent = part->content;
        }
        if (type == "inlineStr") {
            if (!inlineString)
                return std::nullopt;
            cell.source = XLSXDocument::Cell::Inline{*inlineString};
            cell.text = inlineContent ? stringItemText(m_xml, *inlineContent) : QString();
        } else {
            if (!value)
                return std::nullopt;
            if (type == "s") {
                const std::optional<int> index = sharedIndex(slice(m_xml, *value));
                if (!index)
                    return std::nullopt;
                cell.source = XLSXDocument::Cell::Shared{*index, *value};
                if (*index >= 0 && *index < m_shared.size())
                    cell.text = m_shared[*index].text;
            } else if (type == "str") {
                cell.source = XLSXDocument::Cell::FormulaText{*value};
                cell.text = XMLScanner::decode(slice(m_xml, *value));
            } else if (type == "b") {
                cell.text = XMLScanner::decode(slice(m_xml, *value)) == u"1" ? u"TRUE"_s : u"FALSE"_s;
            } else {
                cell.text = XMLScanner::decode(slice(m_xml, *value));
            }
        }
        if (!element.prefix.isEmpty())
            cell.prefix = QString::fromUtf8(element.prefix);
        return cell;
    }

    const QByteArray &m_xml;
    const QList<XLSXDocument::SharedString> &m_shared;
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
    qint64 column = 0, row = 0;
    bool sawLetter = false, sawDigit = false;
    for (char c : reference) {
        if (c == '$')
            continue;
        const char upper = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
        if (upper >= 'A' && upper <= 'Z') {
            if (sawDigit)
                return std::nullopt;
            sawLetter = true;
            column = column * 26 + (upper - 'A' + 1);
            if (column > largestColumn)
                return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            sawDigit = true;
            row = row * 10 + (c - '0');
            if (row > largestRow)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!sawLetter || !sawDigit || row == 0)
        return std::nullopt;
    return std::pair<int, int>(int(row - 1), int(column - 1));
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
        if (element->localName != "si")
            continue;
        const QString text = element->content ? stringItemText(m_sharedXML, *element->content) : QString();
        m_shared.append(SharedString{element->range, text});
    }
}

void XLSXDocument::readSheet(const QString &name, const QString &path)
{
    const std::optional<ZipArchive::Entry> entry = m_archive.entry(path);
    if (!entry)
        return;
    Sheet sheet{name, entry->path, {}, {}};
    try {
        sheet.xml = m_archive.data(*entry);
    } catch (const ZipArchive::Failure &) {
        return; // an unreadable sheet is left out; the others still open
    }
    sheet.cells = CellReader(sheet.xml, m_shared).cells();
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
                if ((element->localName == "creator" || element->localName == "lastModifiedBy") && element->content
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
    QList<bool> referenced(m_shared.size(), false);
    for (const Sheet &sheet : m_sheets)
        for (const Cell &cell : sheet.cells)
            if (const auto *shared = std::get_if<Cell::Shared>(&cell.source))
                if (shared->index >= 0 && shared->index < m_shared.size())
                    referenced[shared->index] = true;
    QStringList texts;
    for (qsizetype i = 0; i < m_shared.size(); ++i)
        if (!referenced[i])
            texts.append(m_shared[i].text);
    return texts;
}

QByteArray XLSXDocument::data(const Transform &replacing) const
{
    const qsizetype sharedCount = m_shared.size();
    QList<bool> claimed(sharedCount, false);
    QList<bool> rewrite(sharedCount, false);
    QStringList current;
    current.reserve(sharedCount);
    for (const SharedString &string : m_shared)
        current.append(string.text);
    QStringList added;
    QHash<QString, int> addedIndex;

    QHash<QString, QByteArray> parts;
    for (int s = 0; s < m_sheets.size(); ++s) {
        const Sheet &sheet = m_sheets[s];
        QList<Splice> splices;
        for (const Cell &cell : sheet.cells) {
            if (!cell.isText())
                continue;
            const std::optional<QString> answer = replacing(CellRef{s, cell.row, cell.column}, cell.text);
            const QString &text = answer ? *answer : cell.text;
            const QByteArray prefix = cell.prefix.toUtf8();
            if (const auto *inlineString = std::get_if<Cell::Inline>(&cell.source)) {
                if (text != cell.text)
                    splices.append({inlineString->element, stringItem(prefix, "is", text)});
            } else if (const auto *formula = std::get_if<Cell::FormulaText>(&cell.source)) {
                if (text != cell.text)
                    splices.append({formula->value, XMLScanner::escape(text)});
            } else if (const auto *shared = std::get_if<Cell::Shared>(&cell.source)) {
                const int i = shared->index;
                if (i < 0 || i >= sharedCount)
                    continue;
                if (!claimed[i]) {
                    // The first cell showing a string decides its text for every cell.
                    claimed[i] = true;
                    if (text != m_shared[i].text) {
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
                    splices.append({shared->value, QByteArray::number(index)});
                }
            }
        }
        if (!splices.isEmpty())
            parts.insert(sheet.path, applySplices(sheet.xml, std::move(splices)));
    }

    for (qsizetype i = 0; i < sharedCount; ++i) {
        if (claimed[i])
            continue;
        const std::optional<QString> answer = replacing(std::nullopt, m_shared[i].text);
        if (answer && *answer != m_shared[i].text) {
            current[i] = *answer;
            rewrite[i] = true;
        }
    }

    if (m_sharedPath && (!added.isEmpty() || rewrite.contains(true))) {
        QByteArray prefix;
        XMLScanner scanner(m_sharedXML, skipStringItems);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (element->localName == "sst") {
                prefix = element->prefix.toByteArray();
                break;
            }
        }
        QList<Splice> splices;
        for (qsizetype i = 0; i < sharedCount; ++i)
            if (rewrite[i])
                splices.append({m_shared[i].element, stringItem(prefix, "si", current[i])});
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
