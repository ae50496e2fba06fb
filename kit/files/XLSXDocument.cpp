#include "kit/files/XLSXDocument.h"

#include "kit/files/SheetReader.h"

#include <QHash>

#include <algorithm>
#include <future>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr QByteArrayView skipStringItems[] = {"si"};

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

// A small archive can unpack to far more than the memory there is.
void checkUnpackedSize(const ZipArchive &archive, const QList<ListedSheet> &sheets, const QString &sharedPath)
{
    quint64 total = 0;
    QStringList paths{sharedPath};
    for (const ListedSheet &sheet : sheets)
        paths.append(sheet.path);
    for (const QString &path : paths) {
        if (const std::optional<ZipArchive::Entry> entry = archive.entry(path))
            total += entry->size;
    }
    if (total > XLSXDocument::largestUnpacked)
        fail(u"The workbook unpacks to more than 500 MB, the most Quorvane reads. Save its sheets as smaller "
             u"workbooks or CSV files and swap each with the same key."_s);
}

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

// The part a workbook relationship names by its file name, or its usual place.
QString partPath(const QList<Relationship> &relationships, const QString &fileName)
{
    for (const Relationship &relationship : relationships)
        if (relationship.target.endsWith(fileName, Qt::CaseInsensitive))
            return resolveTarget(relationship.target);
    return u"xl/"_s + fileName;
}

std::optional<int> integerAttribute(const XMLScanner::Element &element, QByteArrayView name)
{
    bool ok = false;
    const int value = element.attribute(name).value_or(QString()).toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// Whether the part ends with its root element's end tag (or is one
// self-closing element), as a whole part does.
bool endsWithRootEndTag(const QByteArray &xml)
{
    const QByteArray tail = xml.right(256).trimmed();
    return tail.endsWith('>') && (tail.contains("</") || tail.endsWith("/>"));
}

// The shared strings as a rewrite leaves them. The first cell showing a
// string decides its text for every cell that shows it; a later cell given
// other text gets a string of its own, added at the end.
class SharedStringEdits
{
public:
    explicit SharedStringEdits(const QStringList &texts)
        : m_original(texts), m_current(texts), m_claimed(texts.size(), false), m_rewrite(texts.size(), false)
    {
    }

    // Records the text a cell showing string `index` is to show; answers the
    // index of the string added for it when the cell must point elsewhere.
    std::optional<int> show(int index, const QString &text)
    {
        if (index < 0 || index >= m_original.size())
            return std::nullopt;
        if (!m_claimed[index]) {
            m_claimed[index] = true;
            if (text != m_original[index]) {
                m_current[index] = text;
                m_rewrite[index] = true;
            }
            return std::nullopt;
        }
        if (text == m_current[index])
            return std::nullopt;
        int added = m_addedIndex.value(text, -1);
        if (added < 0) {
            added = int(m_original.size() + m_added.size());
            m_added.append(text);
            m_addedIndex.insert(text, added);
        }
        return added;
    }

    // Strings no cell showed are offered without a cell.
    void replaceUnshown(const XLSXDocument::Transform &replacing)
    {
        for (qsizetype i = 0; i < m_original.size(); ++i) {
            if (m_claimed[i])
                continue;
            const std::optional<QString> answer = replacing(std::nullopt, m_original[i]);
            if (answer && *answer != m_original[i]) {
                m_current[i] = *answer;
                m_rewrite[i] = true;
            }
        }
    }

    bool changed() const { return !m_added.isEmpty() || m_rewrite.contains(true); }

    // The shared strings part with the changed items replaced and the added
    // ones appended; `elements` are the whole <si> items of `xml`.
    QByteArray rewritten(const QByteArray &xml, const QList<ByteRange> &elements) const
    {
        const QByteArray prefix = rootPrefix(xml);
        QList<Splice> splices;
        for (qsizetype i = 0; i < m_original.size(); ++i) {
            if (m_rewrite[i])
                splices.append({elements[i], stringItem(prefix, "si", m_current[i])});
        }
        if (!m_added.isEmpty()) {
            const qsizetype endTag = xml.lastIndexOf(QByteArray("</" + prefix + "sst>"));
            if (endTag < 0)
                fail(u"The workbook’s shared strings are damaged."_s);
            QByteArray items;
            for (const QString &text : m_added)
                items += stringItem(prefix, "si", text);
            splices.append({ByteRange{endTag, endTag}, items});
        }
        return applySplices(xml, std::move(splices));
    }

private:
    static QByteArray rootPrefix(const QByteArray &xml)
    {
        XMLScanner scanner(xml, skipStringItems);
        while (const XMLScanner::Element *element = scanner.next()) {
            if (element->is("sst"))
                return element->prefix.toByteArray();
        }
        return {};
    }

    const QStringList &m_original;
    QStringList m_current;
    QList<bool> m_claimed;
    QList<bool> m_rewrite;
    QStringList m_added;
    QHash<QString, int> m_addedIndex;
};

// The changes to one sheet's XML: inline and formula texts in place, and
// shared-string cells pointed at a string of their own where they differ.
QList<Splice> sheetSplices(const XLSXDocument &document, int s, const XLSXDocument::Transform &replacing,
                           SharedStringEdits &shared)
{
    const XLSXDocument::Sheet &sheet = document.sheets()[s];
    QList<Splice> splices;
    for (const XLSXDocument::Cell &cell : sheet.cells) {
        if (!cell.isText())
            continue;
        const QString &shown = document.text(sheet, cell);
        const std::optional<QString> answer = replacing(CellRef{s, cell.row, cell.column}, shown);
        const QString &text = answer ? *answer : shown;
        using Source = XLSXDocument::Cell::Source;
        if (cell.source == Source::shared) {
            if (const std::optional<int> added = shared.show(cell.index, text))
                splices.append({cell.range, QByteArray::number(*added)});
        } else if (text != shown && cell.source == Source::inlineString) {
            splices.append({cell.range, stringItem(sheet.prefixes.value(cell.prefix), "is", text)});
        } else if (text != shown && cell.source == Source::formulaText) {
            splices.append({cell.range, XMLScanner::escape(text)});
        }
    }
    return splices;
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

    const QString sharedPath = partPath(relationships, u"sharedStrings.xml"_s);
    readDateStyles(partPath(relationships, u"styles.xml"_s), workbook);
    checkUnpackedSize(m_archive, listed, sharedPath);
    // Cells hold only the index of their shared string, so the strings can be
    // read while the sheets are.
    std::future<void> sharedStrings = std::async(std::launch::async, [&] { readSharedStrings(sharedPath); });
    for (const ListedSheet &sheet : listed)
        readSheet(sheet.name, sheet.path);
    sharedStrings.get();
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
        const QString text = element->content ? SheetReader::stringItemText(m_sharedXML, *element->content) : QString();
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
    SheetReader::read(sheet);
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
    for (const Sheet &sheet : m_sheets)
        collectSheetWarnings(sheet);
}

void XLSXDocument::collectSheetWarnings(const Sheet &sheet)
{
    bool missingString = false, outsideExcel = false;
    for (const Cell &cell : sheet.cells) {
        if (cell.source == Cell::Source::shared && (cell.index < 0 || cell.index >= m_sharedTexts.size()))
            missingString = true;
        if (cell.row >= excelRows || cell.column >= excelColumns)
            outsideExcel = true;
    }
    const QString name = u"“"_s + sheet.name + u"”"_s;
    if (sheet.brokenMarkup || !endsWithRootEndTag(sheet.xml))
        m_warnings.append(name + u" holds broken markup, so some of its cells may not have been read and "
                                 u"swapped. Open the workbook in Excel, save it again and swap that copy."_s);
    if (missingString)
        m_warnings.append(u"Some cells of "_s + name + u" point to shared strings the workbook doesn’t have; "
                                                    u"they show nothing and aren’t changed."_s);
    if (sheet.oddReferences)
        m_warnings.append(u"Some cells of "_s + name + u" name places no sheet has (such as row 0 or a row past "
                                                    u"2,000,000); they were placed after the cell before them and "
                                                    u"searched all the same."_s);
    if (outsideExcel)
        m_warnings.append(name + u" has cells past the last row or column Excel allows (row 1,048,576, column XFD). "
                                 u"Excel doesn’t show them; they were searched and swapped all the same."_s);
}

// Only the date and time formats matter here: the number each cell format
// uses, and the custom codes, read from the cell formats (cellXfs) alone.
void XLSXDocument::readDateStyles(const QString &path, const QByteArray &workbook)
{
    XMLScanner properties(workbook);
    while (const XMLScanner::Element *element = properties.next()) {
        if (element->is("workbookPr")) {
            const QString value = element->attribute("date1904").value_or(QString());
            m_from1904 = value == u"1" || value.compare(u"true", Qt::CaseInsensitive) == 0;
            break;
        }
    }
    QByteArray xml;
    try {
        if (const std::optional<ZipArchive::Entry> entry = m_archive.entry(path))
            xml = m_archive.data(*entry);
    } catch (const ZipArchive::Failure &) {
        return; // without styles every number shows as stored
    }
    QHash<int, qsizetype> byNumber;
    const auto dateFormat = [&](int number, const std::optional<DateFormat> &format) {
        if (format && !byNumber.contains(number)) {
            byNumber.insert(number, m_dateFormats.size());
            m_dateFormats.append(*format);
        }
    };
    bool inCellFormats = false;
    XMLScanner scanner(xml);
    while (const XMLScanner::Element *element = scanner.next()) {
        if (element->is("numFmt")) {
            const std::optional<int> number = integerAttribute(*element, "numFmtId");
            if (number)
                dateFormat(*number, DateFormat::fromCode(element->attribute("formatCode").value_or(QString())));
        } else if (element->is("cellXfs")) {
            inCellFormats = true;
        } else if (element->is("xf") && inCellFormats) {
            const int number = integerAttribute(*element, "numFmtId").value_or(0);
            if (!byNumber.contains(number))
                dateFormat(number, DateFormat::builtIn(number));
            m_styleDates.append(byNumber.value(number, -1));
        } else if (!element->is("alignment") && !element->is("protection") && !element->is("extLst")) {
            inCellFormats = false;
        }
    }
}

QString XLSXDocument::displayText(const Sheet &sheet, const Cell &cell) const
{
    const QString &stored = text(sheet, cell);
    if (cell.source != Cell::Source::other || cell.style < 0 || cell.style >= m_styleDates.size()
        || m_styleDates[cell.style] < 0)
        return stored;
    bool number = false;
    const double serial = stored.toDouble(&number);
    if (!number)
        return stored;
    return m_dateFormats[m_styleDates[cell.style]].display(serial, m_from1904).value_or(stored);
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
    SharedStringEdits shared(m_sharedTexts);
    QHash<QString, QByteArray> parts;
    for (int s = 0; s < m_sheets.size(); ++s) {
        QList<Splice> splices = sheetSplices(*this, s, replacing, shared);
        if (!splices.isEmpty())
            parts.insert(m_sheets[s].path, applySplices(m_sheets[s].xml, std::move(splices)));
    }
    shared.replaceUnshown(replacing);
    if (m_sharedPath && shared.changed())
        parts.insert(*m_sharedPath, shared.rewritten(m_sharedXML, m_sharedElements));
    return m_archive.data(parts);
}

} // namespace quorvane
