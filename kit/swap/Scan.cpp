#include "kit/swap/Scan.h"

#include "kit/files/Spreadsheet.h"
#include "kit/find/ColumnGuess.h"
#include "kit/find/Detector.h"
#include "kit/find/TextRules.h"
#include "kit/swap/StandInPlan.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// One text that may hold values: a cell, or a text outside any cell.
struct Record
{
    std::optional<CellRef> cell;
    QString text;
    QList<Finding> findings;
    bool freeText = false;
};

QString collapsedLower(const QString &text)
{
    return text.toLower().simplified();
}

bool isBlankOfSpacesAndTabs(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

bool isBlankRow(const QList<GridCell> &row)
{
    return std::all_of(row.cbegin(), row.cend(), [](const GridCell &cell) { return isBlankOfSpacesAndTabs(cell.text); });
}

// Between two words of one name there may be one or two plain or no-break spaces.
bool onlySpacesBetween(const QString &text, qsizetype from, qsizetype to)
{
    if (from >= to || to - from > 2)
        return false;
    for (qsizetype i = from; i < to; ++i) {
        if (text.at(i) != u' ' && text.at(i) != QChar(0x00A0))
            return false;
    }
    return true;
}

bool overlapsAny(const TextRange &range, const QList<Finding> &findings)
{
    return std::any_of(findings.cbegin(), findings.cend(),
                       [&](const Finding &f) { return f.range.overlaps(range); });
}

void addWords(const QString &text, QSet<QString> &words)
{
    for (const Word &word : nameWords(text))
        words.insert(word.word.toLower());
}

EntryKind entryKind(NameRole role)
{
    return role == NameRole::first ? EntryKind::firstName : EntryKind::lastName;
}

// Names met anywhere in the file (or already in the key) are found again in
// free text, where the detector's own rules may have missed them.
class KnownNames
{
public:
    KnownNames(const ProjectKey &key, const QList<Record> &records)
    {
        for (const ProjectKey::Entry &entry : key.entries()) {
            if (entry.kind == EntryKind::firstName)
                m_roles.insert(entry.real.toLower(), NameRole::first);
            else if (entry.kind == EntryKind::lastName)
                m_roles.insert(entry.real.toLower(), NameRole::last);
        }
        for (const Record &record : records) {
            for (const Finding &finding : record.findings) {
                if (finding.kind != ValueKind::name)
                    continue;
                for (const NamePart &part : finding.nameParts) {
                    const QString word = part.word.toLower();
                    if (!m_roles.contains(word))
                        m_roles.insert(word, part.role);
                }
                if (finding.nameParts.size() >= 2)
                    m_fullNames.insert(collapsedLower(finding.text));
            }
        }
    }

    void addTo(Record &record) const
    {
        const QList<Word> words = nameWords(record.text);
        const qsizetype n = words.size();
        for (qsizetype i = 0; i < n;) {
            const qsizetype run = fullNameRunAt(record, words, i);
            if (run > 0) {
                i += run;
                continue;
            }
            addSingleName(record, words.at(i));
            ++i;
        }
        std::stable_sort(record.findings.begin(), record.findings.end(),
                         [](const Finding &a, const Finding &b) { return a.range.start < b.range.start; });
    }

private:
    // The length of the longest known full name starting at word i (added to
    // the record), or 0.
    qsizetype fullNameRunAt(Record &record, const QList<Word> &words, qsizetype i) const
    {
        for (qsizetype length = std::min<qsizetype>(4, words.size() - i); length >= 2; --length) {
            QStringList lowered{words.at(i).word.toLower()};
            bool spaced = true;
            for (qsizetype j = i + 1; j < i + length && spaced; ++j) {
                spaced = onlySpacesBetween(record.text, words.at(j - 1).range.end, words.at(j).range.start);
                lowered.append(words.at(j).word.toLower());
            }
            const TextRange range{words.at(i).range.start, words.at(i + length - 1).range.end};
            if (!spaced || !m_fullNames.contains(lowered.join(u' ')) || overlapsAny(range, record.findings))
                continue;
            const QString text = range.of(record.text);
            record.findings.append(
                {ValueKind::name, range, text, Detector::nameParts(text, ColumnKind::fullName), std::nullopt});
            return length;
        }
        return 0;
    }

    void addSingleName(Record &record, const Word &word) const
    {
        const auto role = m_roles.constFind(word.word.toLower());
        if (role == m_roles.cend() || !isNameWord(word.word) || word.word.size() < 2
            || overlapsAny(word.range, record.findings))
            return;
        const NamePart part{{0, word.word.size()}, word.word, *role};
        record.findings.append({ValueKind::name, word.range, word.word, {part}, std::nullopt});
    }

    QHash<QString, NameRole> m_roles;
    QSet<QString> m_fullNames;
};

bool isAlreadyInKey(const Finding &finding, const ProjectKey &key)
{
    switch (finding.kind) {
    case ValueKind::name:
        return std::all_of(finding.nameParts.cbegin(), finding.nameParts.cend(), [&](const NamePart &part) {
            return key.storedSubstitute(part.word, entryKind(part.role)).has_value();
        });
    case ValueKind::email: return key.storedSubstitute(finding.text, EntryKind::email).has_value();
    case ValueKind::phone: return key.storedSubstitute(finding.text, EntryKind::phone).has_value();
    case ValueKind::address: {
        const QString street = finding.address && finding.address->street ? *finding.address->street : finding.text;
        return key.storedSubstitute(street, EntryKind::street).has_value();
    }
    }
    return false;
}

// Real values of the file that no stand-in may take.
void addReservedValues(const Finding &finding, QSet<QString> &values)
{
    switch (finding.kind) {
    case ValueKind::name: break;
    case ValueKind::email: values.insert(ProjectKey::spaceKey(finding.text, EntryKind::email)); break;
    case ValueKind::phone: values.insert(ProjectKey::spaceKey(finding.text, EntryKind::phone)); break;
    case ValueKind::address:
        if (finding.address && finding.address->street)
            values.insert(ProjectKey::spaceKey(*finding.address->street, EntryKind::street));
        if (finding.address && finding.address->zip)
            values.insert(ProjectKey::spaceKey(*finding.address->zip, EntryKind::zip));
        break;
    }
}

QString phoneWarning(int count, const QString &label)
{
    return QLocale().toString(count) + u" phone numbers in “"_s + label
        + u"” are stored as numbers, which aren’t changed. In Excel, format that column as Text and type them again, or save the sheet as CSV."_s;
}

class Scanner
{
public:
    Scanner(const Spreadsheet &spreadsheet, const ProjectKey &key, const ScanOptions &options)
        : m_spreadsheet(spreadsheet), m_key(key), m_options(options), m_detector(options.extraTerms)
    {
    }

    Scan run()
    {
        const QStringList sheets = m_spreadsheet.sheetNames();
        for (int sheet = 0; sheet < sheets.size(); ++sheet)
            readSheet(sheet);
        for (const QString &text : m_spreadsheet.unreferencedSharedStrings()) {
            addWords(text, m_reserved.words);
            m_records.append({std::nullopt, text, m_detector.findings(text, ColumnKind::autoDetect), true});
        }

        const KnownNames known(m_key, m_records);
        for (Record &record : m_records) {
            if (record.freeText)
                known.addTo(record);
        }
        m_records.removeIf([](const Record &record) { return record.findings.isEmpty(); });
        for (Record &record : m_records) {
            if (record.freeText && nameWords(record.text).size() < 4)
                record.freeText = false;
            for (const Finding &finding : record.findings)
                addReservedValues(finding, m_reserved.values);
        }

        planAll();
        m_scan.conflicts = conflicts();
        m_scan.warnings = m_spreadsheet.warnings();
        for (auto it = m_phoneCounts.cbegin(); it != m_phoneCounts.cend(); ++it)
            m_scan.warnings.append(phoneWarning(it.value(), it.key()));
        return std::move(m_scan);
    }

private:
    void readSheet(int sheet)
    {
        const Grid grid = m_spreadsheet.grid(sheet);
        qsizetype columnCount = 0;
        for (const auto &row : grid)
            columnCount = std::max(columnCount, row.size());

        qsizetype headerRow = -1;
        if (m_options.headerRow) {
            const auto found = std::find_if(grid.cbegin(), grid.cend(), [](const QList<GridCell> &row) {
                return std::any_of(row.cbegin(), row.cend(), [](const GridCell &c) { return !c.text.isEmpty(); });
            });
            if (found != grid.cend())
                headerRow = found - grid.cbegin();
        }

        QList<ColumnKind> kinds;
        QStringList headers;
        for (int column = 0; column < columnCount; ++column) {
            const ColumnID id{sheet, column};
            const QString header =
                headerRow >= 0 && column < grid.at(headerRow).size() ? grid.at(headerRow).at(column).text : QString();
            headers.append(header);
            m_scan.headers.insert(id, header);
            kinds.append(columnKind(id, header, grid, headerRow));
            m_scan.columns.insert(id, kinds.last());
        }

        for (const auto &row : grid) {
            for (const GridCell &cell : row)
                addWords(cell.text, m_reserved.words);
        }

        for (qsizetype r = 0; r < grid.size(); ++r) {
            if (r == headerRow || isBlankRow(grid.at(r)))
                continue;
            ++m_scan.dataRows;
            const QList<GridCell> &row = grid.at(r);
            for (int column = 0; column < row.size(); ++column)
                readCell(CellRef{sheet, int(r), column}, row.at(column), kinds.at(column), headers.at(column));
        }
    }

    ColumnKind columnKind(const ColumnID &id, const QString &header, const Grid &grid, qsizetype headerRow)
    {
        const auto set = m_options.columnKinds.constFind(id);
        if (set != m_options.columnKinds.cend())
            return *set;
        m_scan.guessed.insert(id);
        if (auto kind = guessFromHeader(header))
            return *kind;
        QStringList texts;
        for (qsizetype r = 0; r < grid.size(); ++r) {
            if (r != headerRow && id.column < grid.at(r).size())
                texts.append(grid.at(r).at(id.column).text);
        }
        return guessFromContents(texts, m_detector);
    }

    void readCell(const CellRef &cell, const GridCell &content, ColumnKind kind, const QString &header)
    {
        if (!content.editable) {
            // Numbers can't be rewritten; the user is told how many phones are stuck.
            if (kind == ColumnKind::phone) {
                const qsizetype count = digits(content.text).size();
                if (count >= 7 && count <= 15)
                    ++m_phoneCounts[header.isEmpty() ? columnLetters(cell.column) : header];
            }
            return;
        }
        if (content.text.isEmpty() || kind == ColumnKind::skip)
            return;
        const bool freeText = kind == ColumnKind::autoDetect;
        if (freeText && nameWords(content.text).size() >= 4)
            ++m_scan.freeTextCells;
        QList<Finding> findings = m_detector.findings(content.text, kind);
        const auto names = m_options.cellNames.constFind(cell);
        if (names != m_options.cellNames.cend())
            findings = m_detector.addingCellNames(*names, content.text, std::move(findings));
        // Free-text cells are kept even without findings: known names are added later.
        if (!findings.isEmpty() || freeText)
            m_records.append({cell, content.text, std::move(findings), freeText});
    }

    void planAll()
    {
        struct Listed
        {
            const Record *record;
            const Finding *finding;
        };
        QList<Listed> listed;
        for (const Record &record : m_records) {
            for (const Finding &finding : record.findings)
                listed.append({&record, &finding});
        }
        // Names first: e-mail stand-ins are built from the names' stand-ins.
        std::stable_sort(listed.begin(), listed.end(), [](const Listed &a, const Listed &b) {
            return int(a.finding->kind) < int(b.finding->kind);
        });

        ProjectKey working = m_key;
        QHash<QString, qsizetype> itemIndex;
        for (const Listed &entry : listed)
            plan(*entry.record, *entry.finding, working, itemIndex);
        m_scan.keyValueCount = m_key.valueCount();
        if (m_plannedKeyExact)
            m_scan.plannedKey = std::move(working);
    }

    void plan(const Record &record, const Finding &finding, ProjectKey &working, QHash<QString, qsizetype> &itemIndex)
    {
        const QString id = itemID(finding);
        const qsizetype entriesBefore = working.valueCount();
        const StandInPlan plan = StandInPlan::of(finding, working, m_reserved);
        if (plan.text == finding.text) {
            // Entries no item lists: the writer must build its key itself.
            m_plannedKeyExact = m_plannedKeyExact && working.valueCount() == entriesBefore;
            return;
        }
        const auto known = itemIndex.constFind(id);
        if (known == itemIndex.cend()) {
            itemIndex.insert(id, m_scan.items.size());
            m_scan.items.append({id, finding.kind, finding.text, plan.text, 1, record.cell, record.freeText,
                                 isAlreadyInKey(finding, m_key)});
        } else {
            ReviewItem &item = m_scan.items[*known];
            ++item.count;
            item.inFreeText = item.inFreeText || record.freeText;
        }
        QList<ProjectKey::Entry> &entries = m_scan.entriesByItem[id];
        for (const ProjectKey::Entry &e : plan.entries) {
            if (!entries.contains(e))
                entries.append(e);
        }
        const Scan::Planned planned{finding.range, id, plan.text};
        if (record.cell)
            m_scan.planned[*record.cell].append(planned);
        else
            m_scan.loosePlanned[record.text].append(planned);
    }

    QStringList conflicts() const
    {
        QSet<QString> words = m_reserved.words;
        for (const Record &record : m_records) {
            for (const Finding &finding : record.findings) {
                for (const Word &word : nameWords(finding.text))
                    words.remove(word.word.toLower());
            }
        }
        QSet<QString> shown;
        for (const QString &word : std::as_const(words)) {
            if (auto entry = m_key.entryForSubstitute(word, EntryKind::firstName))
                shown.insert(entry->standIn);
        }
        QStringList sorted(shown.cbegin(), shown.cend());
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    const Spreadsheet &m_spreadsheet;
    const ProjectKey &m_key;
    const ScanOptions &m_options;
    Detector m_detector;
    Scan m_scan;
    ProjectKey::Reserved m_reserved;
    QList<Record> m_records;
    QMap<QString, int> m_phoneCounts;
    bool m_plannedKeyExact = true;
};

} // namespace

QString itemID(const Finding &finding)
{
    switch (finding.kind) {
    case ValueKind::name: return u"name|"_s + collapsedLower(finding.text);
    case ValueKind::email: return u"email|"_s + finding.text.trimmed().toLower();
    case ValueKind::phone: {
        QString number = digits(finding.text);
        if (number.size() == 11 && number.startsWith(u'1'))
            number.remove(0, 1);
        return u"phone|"_s + number;
    }
    case ValueKind::address: return u"address|"_s + collapsedLower(finding.text);
    }
    return {};
}

Scan scan(const Spreadsheet &spreadsheet, const ProjectKey &key, const ScanOptions &options)
{
    return Scanner(spreadsheet, key, options).run();
}

} // namespace quorvane
