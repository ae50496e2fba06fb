#include "kit/swap/Scan.h"

#include "kit/FreedMemory.h"
#include "kit/ProgressMeter.h"
#include "kit/files/Spreadsheet.h"
#include "kit/find/ColumnGuess.h"
#include "kit/find/Detector.h"
#include "kit/find/TextRules.h"
#include "kit/keys/PhoneStandIns.h"
#include "kit/swap/SearchAhead.h"
#include "kit/swap/StandInPlan.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// Where one record's findings lie among every record's.
struct FoundPlace
{
    int32_t block = 0;
    int32_t first = 0; // within the block
    int32_t count = 0;
};

// One text that may hold values: a cell, or a text outside any cell. Its
// findings lie in large blocks with other records': a list of its own would
// cost each record a block of the heap, which a large file's reading leaves
// scattered among the blocks that planning keeps.
struct Record
{
    std::optional<CellRef> cell;
    QString text;
    FoundPlace found;
    bool freeText = false;
};

// Large lists are kept as blocks of a list each (see below); their items in order.
template<typename T, typename Visit>
void forEachInBlocks(const QList<QList<T>> &blocks, Visit visit)
{
    for (const QList<T> &block : blocks) {
        for (const T &item : block)
            visit(item);
    }
}

// The findings of every record, each record's together in one block, the
// records' in the order they are added. The blocks lie apart from the heap;
// those before a record's can go once the records before it are done with,
// so that the findings are not held twice while planning lists them anew.
class FoundFindings
{
public:
    FoundPlace append(QList<Finding> findings)
    {
        const auto count = findings.size();
        if (m_blocks.isEmpty() || m_blocks.last().size() + count > m_blocks.last().capacity()) {
            m_blocks.emplaceBack();
            m_blocks.last().reserve(std::max(blockSize, count));
        }
        QList<Finding> &block = m_blocks.last();
        const FoundPlace place{int32_t(m_blocks.size() - 1), int32_t(block.size()), int32_t(count)};
        block.append(std::move(findings));
        return place;
    }

    std::span<Finding> at(const FoundPlace &place)
    {
        return std::span(m_blocks[place.block].data() + place.first, size_t(place.count));
    }
    std::span<const Finding> at(const FoundPlace &place) const
    {
        return std::span(m_blocks.at(place.block).constData() + place.first, size_t(place.count));
    }

    // Findings appended from now on are a record's anew, after all others.
    void markEnd() { m_end = qsizetype(m_blocks.size()); }

    // Frees the blocks before the place's, unless the place may be one
    // appended after the end was marked. Records come in the order their
    // findings were appended, but for those, so none after a record appended
    // before the mark has findings in an earlier block.
    void releaseBefore(const FoundPlace &place)
    {
        if (place.block >= m_end - 1 && m_end > 0)
            return;
        for (; m_released < place.block; ++m_released)
            QList<Finding>().swap(m_blocks[m_released]);
    }

    template<typename Visit>
    void forEach(Visit visit) const
    {
        forEachInBlocks(m_blocks, visit);
    }

private:
    static constexpr qsizetype blockSize = qsizetype(1) << 14;
    QList<QList<Finding>> m_blocks;
    qsizetype m_end = 0;
    int32_t m_released = 0;
};

// A text with its findings, as names known from elsewhere are added to them.
struct FoundIn
{
    const QString &text;
    QList<Finding> &findings;
};

} // namespace
} // namespace quorvane

// A large file's records are many, and grow by moving their bytes.
Q_DECLARE_TYPEINFO(quorvane::Record, Q_RELOCATABLE_TYPE);

namespace quorvane {
namespace {

// The records in the order they were added, in blocks that lie apart from
// the heap: planning frees each block once it has taken its records'
// findings, where a single list would stay whole until the last.
class RecordList
{
public:
    void append(Record record)
    {
        if (m_blocks.isEmpty() || m_blocks.last().size() == blockSize) {
            m_blocks.emplaceBack();
            m_blocks.last().reserve(blockSize);
        }
        m_blocks.last().append(std::move(record));
    }

    template<typename Visit>
    void forEach(Visit visit)
    {
        for (QList<Record> &block : m_blocks) {
            for (Record &record : block)
                visit(record);
        }
    }
    template<typename Visit>
    void forEach(Visit visit) const
    {
        forEachInBlocks(m_blocks, visit);
    }

    // Visits every record and frees each block once visited.
    template<typename Visit>
    void takeEach(Visit visit)
    {
        for (QList<Record> &block : m_blocks) {
            for (Record &record : block)
                visit(record);
            QList<Record>().swap(block);
        }
        m_blocks = {};
    }

    template<typename Test>
    void removeIf(Test test)
    {
        for (QList<Record> &block : m_blocks)
            block.removeIf(test);
    }

    // The records one after another, for a reader that walks them beside the cells.
    class Reader
    {
    public:
        explicit Reader(const RecordList &list) : m_blocks(list.m_blocks) {}
        // The next record when it matches, which the reader then passes.
        template<typename Matches>
        const Record *nextIf(Matches matches)
        {
            while (m_block < m_blocks.size() && m_index >= m_blocks.at(m_block).size()) {
                ++m_block;
                m_index = 0;
            }
            if (m_block == m_blocks.size() || !matches(m_blocks.at(m_block).at(m_index)))
                return nullptr;
            return &m_blocks.at(m_block).at(m_index++);
        }

    private:
        const QList<QList<Record>> &m_blocks;
        qsizetype m_block = 0;
        qsizetype m_index = 0;
    };

private:
    // Large enough to lie apart from the heap, in memory handed back when freed.
    static constexpr qsizetype blockSize = qsizetype(1) << 15;
    QList<QList<Record>> m_blocks;
};

QString collapsedLower(const QString &text)
{
    return lowerCased(text).simplified();
}

bool isGreek(QChar c)
{
    return (c.unicode() >= 0x0370 && c.unicode() <= 0x03FF) || (c.unicode() >= 0x1F00 && c.unicode() <= 0x1FFF);
}

// Greek capitals drop the accents, and lower-casing them gives no final
// sigma: "ΝΙΚΟΣ" is "Νίκος". Greek words are known by their letters alone.
QString knownForm(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), isGreek))
        return text;
    QString folded = lowerCased(text).normalized(QString::NormalizationForm_D);
    folded.removeIf([](QChar c) { return c.unicode() == 0x0301 || c.unicode() == 0x0308; });
    return folded.normalized(QString::NormalizationForm_C).replace(u'ς', u'σ');
}

bool isBlankOfSpacesAndTabs(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

bool overlapsAny(const TextRange &range, const QList<Finding> &findings)
{
    return std::any_of(findings.cbegin(), findings.cend(),
                       [&](const Finding &f) { return f.range.overlaps(range); });
}

void addWords(const QString &text, CaselessWords &words)
{
    forEachNameWordRange(text,
                         [&](const TextRange &range) { words.add(QStringView(text).sliced(range.start, range.length())); });
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
    KnownNames(const ProjectKey &key, const FoundFindings &found) : m_key(key)
    {
        for (const ProjectKey::Entry &entry : key.entries()) {
            if (entry.kind == EntryKind::firstName)
                setRole(entry.real, NameRole::first);
            else if (entry.kind == EntryKind::lastName)
                setRole(entry.real, NameRole::last);
        }
        found.forEach([&](const Finding &finding) {
            if (finding.kind != ValueKind::name)
                return;
            // The first role met stays.
            for (const NamePart &part : finding.nameParts) {
                if (m_names.add(knownForm(part.word)) == qsizetype(m_roles.size()))
                    m_roles.push_back(part.role);
            }
            if (finding.nameParts.size() >= 2)
                addFullName(finding.text);
        });
    }

    void addTo(const FoundIn &record) const
    {
        const QList<Word> words = nameWords(record.text);
        const qsizetype n = words.size();
        for (qsizetype i = 0; i < n;) {
            const qsizetype run = fullNameRunAt(record, words, i);
            if (run > 0) {
                i += run;
                continue;
            }
            if (!startsCompanyName(record.text, words, i))
                addSingleName(record, words.at(i));
            addStandInWord(record, words.at(i));
            ++i;
        }
        const auto byStart = [](const Finding &a, const Finding &b) { return a.range.start < b.range.start; };
        if (!std::is_sorted(record.findings.cbegin(), record.findings.cend(), byStart))
            std::stable_sort(record.findings.begin(), record.findings.end(), byStart);
    }

private:
    void setRole(const QString &name, NameRole role)
    {
        const qsizetype number = m_names.add(knownForm(name));
        if (number == qsizetype(m_roles.size()))
            m_roles.push_back(role);
        else
            m_roles[size_t(number)] = role;
    }

    // Kept lower-cased with its runs of white space made one space, and its
    // first word apart. Nearly every name is plain ASCII spaced that way
    // already, and goes in as it is written.
    void addFullName(const QString &text)
    {
        if (isSingleSpacedAscii(text)) {
            m_fullNames.add(text);
            m_fullNameStarts.add(QStringView(text).first(firstWordLength(text)));
            return;
        }
        const QString fullName = knownForm(collapsedLower(text));
        m_fullNames.addLowered(fullName);
        m_fullNameStarts.addLowered(QStringView(fullName).first(firstWordLength(fullName)));
    }

    static qsizetype firstWordLength(QStringView text)
    {
        const qsizetype space = text.indexOf(u' ');
        return space < 0 ? text.size() : space;
    }

    // Whether the text is ASCII, its words parted by single spaces, with
    // none at either end: what collapsedLower leaves but for the case.
    static bool isSingleSpacedAscii(QStringView text)
    {
        bool previousSpace = true;
        for (QChar c : text) {
            const char16_t u = c.unicode();
            const bool space = u == u' ';
            if (u >= 0x80 || (u >= 0x09 && u <= 0x0D) || (space && previousSpace))
                return false;
            previousSpace = space;
        }
        return !previousSpace;
    }

    std::optional<NameRole> roleOf(const QString &word) const
    {
        const qsizetype number = m_names.indexOf(knownForm(word));
        return number < 0 ? std::nullopt : std::optional(m_roles[size_t(number)]);
    }

    // The length of the longest known full name starting at word i (added to
    // the record), or 0.
    qsizetype fullNameRunAt(const FoundIn &record, const QList<Word> &words, qsizetype i) const
    {
        // Most words start no full name of the file; those are told by their
        // first word alone.
        const qsizetype longest = std::min<qsizetype>(4, words.size() - i);
        if (longest < 2 || !m_fullNameStarts.contains(knownForm(words.at(i).word)))
            return 0;
        // The runs of 2 to 4 words from i, as far as only spaces part them.
        QStringList runs{knownForm(lowerCased(words.at(i).word))};
        for (qsizetype j = i + 1; j < i + longest; ++j) {
            if (!onlySpacesBetween(record.text, words.at(j - 1).range.end, words.at(j).range.start))
                break;
            runs.append(runs.last() + u' ' + knownForm(lowerCased(words.at(j).word)));
        }
        for (qsizetype length = runs.size(); length >= 2; --length) {
            const TextRange range{words.at(i).range.start, words.at(i + length - 1).range.end};
            if (!m_fullNames.containsLowered(runs.at(length - 1)) || overlapsAny(range, record.findings))
                continue;
            const QString text = range.of(record.text);
            record.findings.append(
                {ValueKind::name, range, text, Detector::nameParts(text, ColumnKind::fullName), std::nullopt});
            return length;
        }
        return 0;
    }

    // "Green" in "Green Granite Co." belongs to a company, even where Green is
    // someone's name elsewhere in the file.
    static bool startsCompanyName(const QString &text, const QList<Word> &words, qsizetype i)
    {
        for (qsizetype j = i + 1; j < words.size() && j <= i + 4; ++j) {
            if (!onlySpacesBetween(text, words.at(j - 1).range.end, words.at(j).range.start)
                || !isCapitalised(words.at(j).word))
                return false;
            if (isCompanySuffix(words.at(j).word))
                return true;
        }
        return false;
    }

    // A word of the text that is already one of the key's stand-ins ("moreau",
    // given to Whitfield in an earlier file) would be restored to that other
    // person. Swapped as a name of its own, it comes back as it was written.
    void addStandInWord(const FoundIn &record, const Word &word) const
    {
        if (m_key.valueCount() == 0 || word.word.size() < 2 || overlapsAny(word.range, record.findings)
            || !m_key.isSubstitute(word.word, EntryKind::firstName))
            return;
        const NameRole role = roleOf(word.word).value_or(NameRole::last);
        const NamePart part{{0, word.word.size()}, word.word, role};
        record.findings.append({ValueKind::name, word.range, word.word, {part}, std::nullopt});
    }

    void addSingleName(const FoundIn &record, const Word &word) const
    {
        const std::optional<NameRole> role = roleOf(word.word);
        if (!role || !isNameWord(word.word) || word.word.size() < 2
            || isRegionCode(word.word) || isCompanySuffix(word.word) || overlapsAny(word.range, record.findings))
            return;
        const NamePart part{{0, word.word.size()}, word.word, *role};
        record.findings.append({ValueKind::name, word.range, word.word, {part}, std::nullopt});
    }

    const ProjectKey &m_key;
    CaselessWords m_names;
    std::vector<NameRole> m_roles; // by the numbers of m_names
    CaselessWords m_fullNames;
    CaselessWords m_fullNameStarts; // the first words of m_fullNames
};

bool isAlreadyInKey(const Finding &finding, const ProjectKey &key)
{
    // A fresh key holds nothing; a name without parts has nothing to lack.
    if (key.valueCount() == 0)
        return finding.kind == ValueKind::name && finding.nameParts.isEmpty();
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
void addReservedValues(const Finding &finding, CaselessWords &values)
{
    // Keyed in one buffer: a large file holds a value or two in every row.
    thread_local QString key;
    const auto add = [&](const QString &value, EntryKind kind) {
        ProjectKey::writeSubstituteKey(key, value, kind);
        values.addLowered(key);
    };
    switch (finding.kind) {
    case ValueKind::name: break;
    case ValueKind::email: add(finding.text, EntryKind::email); break;
    case ValueKind::phone: add(finding.text, EntryKind::phone); break;
    case ValueKind::address:
        if (finding.address && finding.address->street)
            add(*finding.address->street, EntryKind::street);
        if (finding.address && finding.address->zip)
            add(*finding.address->zip, EntryKind::zip);
        break;
    }
}

bool isDigitAt(const QString &text, qsizetype at)
{
    return at >= 0 && at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9';
}

// Whether five digits at `at` follow a state code as a restore reads one:
// two capitals on a word's edge, then one or two spaces.
bool followsStateCode(const QString &text, qsizetype at)
{
    const auto isGap = [&](qsizetype i) { return i >= 0 && (text.at(i) == u' ' || text.at(i) == u'\u00A0'); };
    const auto isCapital = [&](qsizetype i) { return i >= 0 && text.at(i) >= u'A' && text.at(i) <= u'Z'; };
    const auto isWordEdge = [&](qsizetype i) {
        return i < 0 || !(text.at(i).isLetterOrNumber() || text.at(i) == u'_');
    };
    for (qsizetype gap = 1; gap <= 2; ++gap) {
        const qsizetype state = at - gap - 2;
        bool spaces = true;
        for (qsizetype i = at - gap; i < at; ++i)
            spaces = spaces && isGap(i);
        if (spaces && isCapital(state) && isCapital(state + 1) && isWordEdge(state - 1))
            return true;
    }
    return false;
}

// Every ZIP code written after a state code, swapped or not: a restore takes
// each such number for a stand-in, so a new stand-in must be none of them.
// Numbers of the stand-ins' form that the swap leaves in the text ("0161 555
// 0192", not a number of this region): a restore would read them as stand-ins,
// so none may become one.
void addStandInLikePhones(const QString &text, CaselessWords &values)
{
    if (!text.contains(u"555"))
        return;
    thread_local QString key;
    for (auto matches = phoneStandInPattern().globalMatch(text); matches.hasNext();) {
        const auto match = matches.next();
        const qsizetype end = match.capturedLength(1) > 0 ? match.capturedStart(1) : match.capturedEnd();
        ProjectKey::writeSubstituteKey(key, QStringView(text).sliced(match.capturedStart(), end - match.capturedStart()),
                                       EntryKind::phone);
        values.addLowered(key);
    }
}

void addStateZips(const QString &text, CaselessWords &values)
{
    thread_local QString key;
    for (qsizetype start = 3; start + 5 <= text.size(); ++start) {
        if (!isDigitAt(text, start) || isDigitAt(text, start - 1) || isDigitAt(text, start + 5))
            continue;
        bool five = true;
        for (qsizetype i = start + 1; five && i < start + 5; ++i)
            five = isDigitAt(text, i);
        if (five && followsStateCode(text, start)) {
            ProjectKey::writeSubstituteKey(key, QStringView(text).sliced(start, 5), EntryKind::zip);
            values.addLowered(key);
        }
    }
}

QString phoneWarning(int count, const QString &label)
{
    return QLocale().toString(count) + u" phone numbers in “"_s + label
        + u"” are stored as numbers, which aren’t changed. In Excel, format that column as Text and type them again, or save the sheet as CSV."_s;
}

// Review items by id. Ids are kept nowhere: a probe whose hash matches makes
// the item's id again from its text, which only values met twice pay for.
class ItemIndex
{
public:
    ItemIndex(const QList<ReviewItem> &items, qsizetype most) : m_items(items)
    {
        qsizetype slots = 16;
        while (slots < 2 * most)
            slots *= 2;
        // Made at its size: growing to it would round the block up to twice that.
        m_slots = QList<Slot>(slots);
    }

    // The item's index, or -1; the hash is qHash(id).
    qsizetype find(const QString &id, size_t hash) const { return m_slots.at(slotFor(id, hash)).item; }

    void prefetch(size_t hash) const
    {
        __builtin_prefetch(m_slots.constData() + (qsizetype(hash) & (m_slots.size() - 1)));
    }

    // Takes the last of the items, whose id no other holds; the hash is qHash of its id.
    void addLast(size_t hash)
    {
        if (2 * ++m_count > m_slots.size())
            grow();
        const qsizetype item = m_items.size() - 1;
        m_slots[emptySlotFor(hash)] = {check(hash), int32_t(item)};
    }

private:
    struct Slot
    {
        uint32_t check = 0; // part of the id's hash, so most probes compare no text
        int32_t item = -1;
    };

    static uint32_t check(size_t hash) { return uint32_t(quint64(hash) >> 32); }

    qsizetype slotFor(const QString &id, size_t hash) const
    {
        const qsizetype mask = m_slots.size() - 1;
        for (qsizetype at = qsizetype(hash) & mask;; at = (at + 1) & mask) {
            const Slot &slot = m_slots.at(at);
            if (slot.item < 0 || (slot.check == check(hash) && m_items.at(slot.item).id() == id))
                return at;
        }
    }

    // Where an id that no item holds goes.
    qsizetype emptySlotFor(size_t hash) const
    {
        const qsizetype mask = m_slots.size() - 1;
        qsizetype at = qsizetype(hash) & mask;
        while (m_slots.at(at).item >= 0)
            at = (at + 1) & mask;
        return at;
    }

    void grow()
    {
        QList<Slot> old(2 * m_slots.size());
        old.swap(m_slots);
        for (const Slot &slot : std::as_const(old)) {
            if (slot.item >= 0)
                m_slots[emptySlotFor(qHash(m_items.at(slot.item).id()))] = slot;
        }
    }

    const QList<ReviewItem> &m_items;
    QList<Slot> m_slots;
    qsizetype m_count = 0;
};

// One finding to plan, with what planning needs of its record, and where
// its replacement goes. A large file lists hundreds of thousands at once,
// so a cell is named by its slot alone, and found from it when needed.
struct Listed
{
    Finding finding;
    int32_t place; // a cell's slot, or -1 - a loose text's number among the loose texts
    bool freeText;
};

} // namespace
} // namespace quorvane

// Blocks of findings grow and go by moving their bytes.
Q_DECLARE_TYPEINFO(quorvane::Listed, Q_RELOCATABLE_TYPE);

namespace quorvane {
namespace {

// One kind's findings to plan, in order, held in blocks that go as soon as
// their findings are planned: the list of the last kind would otherwise
// stay whole while the key, at its largest, takes its last entries.
class ListedKind
{
public:
    void reserve(qsizetype count) { m_reserved = count; }
    void append(Listed listed)
    {
        if (m_blocks.isEmpty() || m_blocks.last().size() == blockSize) {
            m_blocks.emplaceBack();
            m_blocks.last().reserve(std::min(blockSize, m_reserved - m_size));
        }
        m_blocks.last().append(std::move(listed));
        ++m_size;
    }

    qsizetype size() const { return m_size; }
    const Listed &at(qsizetype i) const { return m_blocks.at(i / blockSize).at(i % blockSize); }
    Listed &operator[](qsizetype i) { return m_blocks[i / blockSize][i % blockSize]; }
    // Frees the block that ends before the finding, if one does; its findings are planned.
    void releaseBefore(qsizetype i)
    {
        if (i > 0 && i % blockSize == 0)
            QList<Listed>().swap(m_blocks[i / blockSize - 1]);
    }

    template<typename Visit>
    void forEach(Visit visit) const
    {
        forEachInBlocks(m_blocks, visit);
    }

private:
    // A block is large enough to lie apart from the heap, and go back to
    // the system when freed, but a small part of a kind's findings.
    static constexpr qsizetype blockSize = qsizetype(1) << 14;
    QList<QList<Listed>> m_blocks;
    qsizetype m_reserved = 0;
    qsizetype m_size = 0;
};

class Scanner
{
public:
    Scanner(const Spreadsheet &spreadsheet, const ProjectKey &key, const ScanOptions &options,
            const ProgressReport &progress)
        : m_spreadsheet(spreadsheet), m_key(key), m_options(options), m_detector(std::in_place, options.extraTerms),
          m_cellCount(spreadsheet.cellCount()),
          m_meter(progress, Progress::Stage::scanning, m_cellCount + m_cellCount / planningShare)
    {
    }

    Scan run()
    {
        const QStringList sheets = m_spreadsheet.sheetNames();
        for (int sheet = 0; sheet < sheets.size(); ++sheet)
            readSheet(sheet);
        for (const QString &text : m_spreadsheet.unreferencedSharedStrings()) {
            if (isBlankOfSpacesAndTabs(text))
                continue; // a workbook may hold millions of them
            addWords(text, m_reserved.words);
            addStateZips(text, m_reserved.values);
            addStandInLikePhones(text, m_reserved.values);
            addRecord(std::nullopt, text, m_detector->findings(text, ColumnKind::autoDetect), true);
        }
        // Its memory of the free texts it searched would last through planning.
        m_detector.reset();

        m_found.markEnd();
        addKnownNames();
        m_records.removeIf([](const Record &record) { return record.found.count == 0; });
        m_records.forEach([this](Record &record) {
            if (record.freeText && nameWordCount(record.text) < 4)
                record.freeText = false;
            for (const Finding &finding : findingsOf(record))
                addReservedValues(finding, m_reserved.values);
        });

        // Planning frees the findings it has used, and these need them.
        m_scan.conflicts = conflicts();
        planAll();
        m_scan.warnings = m_spreadsheet.warnings();
        for (auto it = m_phoneCounts.cbegin(); it != m_phoneCounts.cend(); ++it)
            m_scan.warnings.append(phoneWarning(it.value(), it.key()));
        m_meter.finish();
        return std::move(m_scan);
    }

private:
    void addRecord(const std::optional<CellRef> &cell, const QString &text, QList<Finding> findings, bool freeText)
    {
        m_records.append({cell, text, m_found.append(std::move(findings)), freeText});
    }

    std::span<Finding> findingsOf(const Record &record)
    {
        return m_found.at(record.found);
    }
    std::span<const Finding> findingsOf(const Record &record) const
    {
        return m_found.at(record.found);
    }

    // A record's findings become these: in their place when as many, else
    // after every other record's.
    void setFindings(Record &record, const QList<Finding> &findings)
    {
        if (findings.size() != record.found.count) {
            for (Finding &old : findingsOf(record))
                old = {};
            record.found = m_found.append(findings);
            return;
        }
        std::copy(findings.cbegin(), findings.cend(), findingsOf(record).begin());
    }

    // Its tables hold every name word of the file; they go before planning.
    void addKnownNames()
    {
        const KnownNames known(m_key, m_found);
        // Free texts repeat down their columns (a company, a stock phrase),
        // and what a text gains depends on nothing but it and its findings.
        constexpr qsizetype remembered = 1 << 16;
        QHash<QString, std::pair<QList<Finding>, QList<Finding>>> gained;
        m_records.forEach([&](Record &record) {
            if (!record.freeText)
                return;
            const std::span<const Finding> had = findingsOf(record);
            const auto seen = gained.constFind(record.text);
            if (seen != gained.cend() && std::equal(had.begin(), had.end(), seen->first.cbegin(), seen->first.cend())) {
                setFindings(record, seen->second);
                return;
            }
            const QList<Finding> found(had.begin(), had.end());
            QList<Finding> findings = found;
            known.addTo({record.text, findings});
            if (findings != found)
                setFindings(record, findings);
            if (gained.size() < remembered)
                gained.insert(record.text, {found, std::move(findings)});
        });
    }

    void readSheet(int sheet)
    {
        const int headerRow = m_spreadsheet.headerRowIndex(sheet, m_options.headerRow);
        QMap<int, QString> headers;
        QHash<int, QStringList> samples;
        readColumns(sheet, headerRow, headers, samples);
        QHash<int, ColumnKind> kinds;
        for (auto it = samples.cbegin(); it != samples.cend(); ++it)
            kinds.insert(it.key(), columnKind({sheet, it.key()}, headers.value(it.key()), it.value()));
        for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
            if (!kinds.contains(it.key()))
                kinds.insert(it.key(), columnKind({sheet, it.key()}, it.value(), {}));
        }
        m_spreadsheet.cellsInParts(sheet, cellsInPart, [&](const QList<PlacedCell> &cells) {
            readPart(sheet, cells, headerRow, kinds, headers);
        });
    }

    // The header row's texts and the first texts of every other column.
    // Columns are those that hold a cell, and every column up to the
    // header's last: a cell far off to the right adds one column, not
    // thousands.
    void readColumns(int sheet, int headerRow, QMap<int, QString> &headers, QHash<int, QStringList> &samples) const
    {
        m_spreadsheet.cellsInParts(sheet, cellsInPart, [&](const QList<PlacedCell> &cells) {
            for (const PlacedCell &placed : cells) {
                if (placed.row == headerRow) {
                    for (int column = headers.isEmpty() ? 0 : headers.lastKey() + 1; column < placed.column; ++column)
                        headers.insert(column, QString());
                    headers.insert(placed.column, placed.cell.text);
                } else {
                    addSample(samples[placed.column], placed.cell.text);
                }
            }
        });
    }

    // Whole rows of a sheet, with the kinds of its columns.
    void readPart(int sheet, const QList<PlacedCell> &cells, int headerRow, const QHash<int, ColumnKind> &kinds,
                  const QMap<int, QString> &headers)
    {
        SearchAhead ahead(cells, [&](const PlacedCell &placed) -> std::optional<ColumnKind> {
            return placed.row == headerRow ? std::nullopt : searchedAs(placed.cell, kinds.value(placed.column));
        }, m_options.extraTerms);
        // While the second thread searches: the words and codes no stand-in may be.
        for (const PlacedCell &placed : cells) {
            addWords(placed.cell.text, m_reserved.words);
            addStateZips(placed.cell.text, m_reserved.values);
            addStandInLikePhones(placed.cell.text, m_reserved.values);
        }
        for (qsizetype from = 0; from < cells.size();) {
            qsizetype to = from;
            while (to < cells.size() && cells.at(to).row == cells.at(from).row)
                ++to;
            readRow(sheet, {std::span(cells).subspan(from, to - from), from, &ahead}, headerRow, kinds, headers);
            from = to;
        }
    }

    // The kind a cell is searched as, or nothing when it is not searched.
    static std::optional<ColumnKind> searchedAs(const GridCell &content, ColumnKind kind)
    {
        if (!content.editable || content.text.isEmpty() || (kind == ColumnKind::skip && !content.freeText))
            return std::nullopt;
        return content.freeText ? ColumnKind::autoDetect : kind;
    }

    // Up to the number of texts a guess looks at, blanks left out.
    static void addSample(QStringList &sample, const QString &text)
    {
        constexpr qsizetype guessSample = 60;
        if (sample.size() < guessSample && !isBlankOfSpacesAndTabs(text))
            sample.append(text);
    }

    // A row's cells, where the first stands among the sheet's, and what was searched ahead.
    struct Row
    {
        std::span<const PlacedCell> cells;
        qsizetype first;
        SearchAhead *ahead;
    };

    void readRow(int sheet, const Row &cells, int headerRow, const QHash<int, ColumnKind> &kinds,
                 const QMap<int, QString> &headers)
    {
        const std::span<const PlacedCell> row = cells.cells;
        const bool blank = std::all_of(row.begin(), row.end(),
                                       [](const PlacedCell &placed) { return isBlankOfSpacesAndTabs(placed.cell.text); });
        if (row.empty() || row.front().row == headerRow || blank) {
            m_cellsRead += row.size();
            return;
        }
        ++m_scan.dataRows;
        for (size_t i = 0; i < row.size(); ++i) {
            const PlacedCell &placed = row[i];
            m_meter.advanceTo(++m_cellsRead);
            const qsizetype index = cells.first + qsizetype(i);
            const auto search = [&](ColumnKind kind) {
                return index >= cells.ahead->from() ? cells.ahead->take(index)
                                                    : m_detector->findings(placed.cell.text, kind);
            };
            readCell(CellRef{sheet, placed.row, placed.column}, placed.cell, kinds.value(placed.column), headers,
                     search);
        }
    }

    ColumnKind columnKind(const ColumnID &id, const QString &header, const QStringList &sample)
    {
        m_scan.headers.insert(id, header);
        ColumnKind kind = ColumnKind::autoDetect;
        if (const auto set = m_options.columnKinds.constFind(id); set != m_options.columnKinds.cend()) {
            kind = *set;
        } else {
            m_scan.guessed.insert(id);
            const std::optional<ColumnKind> fromHeader = guessFromHeader(header);
            kind = fromHeader ? *fromHeader : guessFromContents(sample, *m_detector);
        }
        m_scan.columns.insert(id, kind);
        return kind;
    }

    // The header is looked up only for the rare cell that needs it.
    void readCell(const CellRef &cell, const GridCell &content, ColumnKind kind, const QMap<int, QString> &headers,
                  const std::function<QList<Finding>(ColumnKind)> &search)
    {
        if (!content.editable) {
            // Numbers can't be rewritten; the user is told how many phones are stuck.
            if (kind == ColumnKind::phone) {
                const qsizetype count = digits(content.text).size();
                const QString header = headers.value(cell.column);
                if (count >= 7 && count <= 15)
                    ++m_phoneCounts[header.isEmpty() ? columnLetters(cell.column) : header];
            }
            return;
        }
        if (content.text.isEmpty() || (kind == ColumnKind::skip && !content.freeText))
            return;
        if (content.freeText)
            kind = ColumnKind::autoDetect;
        const bool freeText = kind == ColumnKind::autoDetect;
        const qsizetype wordCount = freeText ? nameWordCount(content.text) : 0;
        if (wordCount >= 4)
            ++m_scan.freeTextCells;
        QList<Finding> findings = search(kind);
        const auto names = m_options.cellNames.constFind(cell);
        if (names != m_options.cellNames.cend())
            findings = m_detector->addingCellNames(*names, content.text, std::move(findings));
        // Free-text cells with words are kept even without findings: known
        // names are added to them later.
        if (!findings.isEmpty() || wordCount > 0)
            addRecord(cell, content.text, std::move(findings), freeText);
    }

    void planAll()
    {
        // Names first: e-mail stand-ins are built from the names' stand-ins.
        // Within a kind, findings keep the file's order. Each kind's findings
        // are moved out of their records, which go, into a list of their own,
        // freed as soon as that kind is planned: the key grows all the while,
        // and the findings of a large file weigh as much as its key.
        std::array<qsizetype, kindCount> counts{};
        qsizetype inCells = 0;
        std::as_const(m_records).forEach([&](const Record &record) {
            for (const Finding &finding : findingsOf(record))
                ++counts[int(finding.kind)];
            inCells += record.cell ? 1 : 0;
        });
        std::array<ListedKind, kindCount> byKind;
        for (int kind = 0; kind < kindCount; ++kind)
            byKind[kind].reserve(counts[kind]);
        const qsizetype total = std::accumulate(counts.cbegin(), counts.cend(), qsizetype(0));
        // A cell's replacements go to slots of their own, so that they come
        // out in cell order; within a record, slots are handed out in
        // planning order. Each cell is listed with one past its last slot.
        qsizetype slots = 0;
        QList<CellPlans::Cell> &cells = m_cells;
        cells.reserve(inCells);
        m_records.takeEach([&](Record &record) {
            // Records come in the order their findings were added, but for
            // those that gained some, which lie after all others.
            m_found.releaseBefore(record.found);
            const auto loose = int32_t(m_looseTexts.size());
            if (!record.cell)
                m_looseTexts.append(record.text);
            for (int kind = 0; kind < kindCount; ++kind) {
                for (Finding &finding : findingsOf(record)) {
                    if (int(finding.kind) == kind)
                        byKind[kind].append(
                            {std::move(finding), int32_t(record.cell ? slots++ : -1 - loose), record.freeText});
                }
            }
            if (record.cell)
                cells.append({*record.cell, slots});
        });
        m_found = {};

        // Sized once for the most the findings can need: growing these tables
        // step by step would hash every id again at each step.
        ProjectKey working = m_key;
        working.reserve(working.valueCount() + total);
        m_scan.entries.reserve(total, mostEntries(byKind));
        m_scan.items.reserve(total);
        m_slots = QList<Scan::Planned>(slots);
        qsizetype planned = 0;
        for (ListedKind &listed : byKind) {
            keepReservedFrom(ValueKind(&listed - byKind.data()));
            // Ids carry their kind, so no finding is compared with the items
            // of another kind: the index and the first findings are the
            // kind's own, and go with it.
            m_firstItem = m_scan.items.size();
            ItemIndex itemIndex(m_scan.items, listed.size());
            std::vector<size_t>().swap(m_firstParts);
            m_firstParts.reserve(size_t(listed.size()));
            // Each finding's id is made one finding ahead and its slot fetched,
            // so that the wait for it overlaps the planning of the one before.
            ItemID next;
            if (listed.size() > 0)
                next = ItemID::of(listed.at(0).finding, itemIndex);
            for (qsizetype i = 0; i < listed.size(); ++i) {
                const ItemID id = std::exchange(next, {});
                if (i + 1 < listed.size())
                    next = ItemID::of(listed.at(i + 1).finding, itemIndex);
                plan(listed.at(i), id, working, itemIndex);
                // Planning keeps what it needs of a finding (its item's text,
                // the digest of its parts); the rest goes now, and the key's
                // new texts take its place in memory.
                listed[i].finding = {};
                listed.releaseBefore(i + 1);
                ++planned;
                m_meter.advanceTo(m_cellCount + planned * (m_cellCount / planningShare) / total);
            }
            std::vector<size_t>().swap(m_firstParts);
            listed = {};
            // The findings just planned leave holes that the next kind's
            // stand-ins only partly fill. After the last kind, the writer
            // hands back what planning left.
            if (&listed != &byKind.back())
                returnFreedMemory();
        }
        working.releaseTaken();
        placeInCells(std::exchange(m_cells, {}));
        m_scan.keyValueCount = m_key.valueCount();
        m_scan.entries.setKeyEntries(working.entries());
        if (m_plannedKeyExact)
            m_scan.plannedKey = std::move(working);
    }

    // The file's values of the kinds planned already are never looked at
    // again, and a large file holds one or two in every row: only those whose
    // namespace a kind still to come draws from stay. Copying those costs
    // about what letting the rest go saves, so it waits until most would go.
    void keepReservedFrom(ValueKind first)
    {
        QStringList prefixes;
        for (EntryKind kind : allEntryKinds()) {
            if (int(valueKind(kind)) >= int(first))
                prefixes.append(entryNamespace(kind) + u'|');
        }
        const auto stays = [&](QStringView value) {
            return std::any_of(prefixes.cbegin(), prefixes.cend(),
                               [&](const QString &prefix) { return value.startsWith(prefix); });
        };
        qsizetype staying = 0;
        m_reserved.values.forEach([&](QStringView value) { staying += stays(value) ? 1 : 0; });
        if (2 * staying > m_reserved.values.size() || staying == m_reserved.values.size())
            return;
        CaselessWords kept;
        kept.reserve(staying);
        m_reserved.values.forEach([&](QStringView value) {
            if (stays(value))
                kept.addLowered(value);
        });
        m_reserved.values = std::move(kept);
    }

    // The most key entries the findings can rely on: a name's parts, an
    // address's street, town and ZIP code, one for any other value.
    static qsizetype mostEntries(const auto &byKind)
    {
        qsizetype most = 0;
        for (const ListedKind &listed : byKind) {
            listed.forEach([&](const Listed &one) {
                const Finding &finding = one.finding;
                most += finding.kind == ValueKind::name ? finding.nameParts.size()
                    : finding.kind == ValueKind::address ? 3 : 1;
            });
        }
        return most;
    }

    // Hands the slots' replacements to the scan, in cell order, in the
    // slots' own array: a copy would double the largest table of the scan.
    void placeInCells(QList<CellPlans::Cell> cells)
    {
        qsizetype kept = 0, slot = 0, cellsKept = 0;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const CellPlans::Cell cell = cells.at(c);
            const qsizetype before = kept;
            for (; slot < cell.end; ++slot) {
                if (m_slots.at(slot).item < 0)
                    continue;
                if (kept != slot)
                    m_slots[kept] = std::move(m_slots[slot]);
                ++kept;
            }
            if (kept > before)
                cells[cellsKept++] = {cell.ref, kept};
        }
        cells.resize(cellsKept);
        m_slots.resize(kept);
        m_scan.planned.assign(std::exchange(m_slots, {}), std::move(cells));
    }

    // A value met again, written the same way, takes the stand-in of its
    // first occurrence: the key holds its entries by then, so planning it
    // again would only look them up and list the same entries. The first
    // occurrence is gone by then, but for its text, which its item holds,
    // and the digest of its parts.
    bool writtenAlike(qsizetype item, const Finding &finding) const
    {
        return m_scan.items.at(item).text == finding.text
            && m_firstParts.at(item - m_firstItem) == partsDigest(finding);
    }

    // The name parts and address parts of a finding in 64 bits, none when it
    // has none: two sets of parts of one text that differ share a digest only
    // by a chance too small to meet.
    static size_t partsDigest(const Finding &finding)
    {
        if (finding.nameParts.isEmpty() && !finding.address)
            return 0;
        thread_local QString parts;
        parts.clear();
        const auto addNumber = [&](qsizetype n) { parts.append(QChar(char16_t(n))).append(QChar(char16_t(n >> 16))); };
        // Each text goes with its length, so that no two lists of parts read alike.
        const auto addText = [&](const QString &text) {
            addNumber(text.size());
            parts.append(text);
        };
        for (const NamePart &part : finding.nameParts) {
            addNumber(part.range.start);
            addNumber(part.range.end);
            addNumber(qsizetype(part.role));
            addText(part.word);
        }
        if (const OptionalAddress &address = finding.address) {
            for (const std::optional<QString> *part : {&address->street, &address->city, &address->state, &address->zip}) {
                addNumber(part->has_value() ? 1 : 0);
                if (*part)
                    addText(**part);
            }
        }
        return qHash(parts) | 1;
    }

    // A finding's review item id, with its hash.
    struct ItemID
    {
        QString text;
        size_t hash = 0;

        static ItemID of(const Finding &finding, const ItemIndex &itemIndex)
        {
            ItemID id{itemID(finding)};
            id.hash = qHash(id.text);
            itemIndex.prefetch(id.hash);
            return id;
        }
    };

    void plan(const Listed &listed, const ItemID &itemId, ProjectKey &working, ItemIndex &itemIndex)
    {
        const Finding &finding = listed.finding;
        const QString &id = itemId.text;
        qsizetype index = itemIndex.find(id, itemId.hash);
        if (index >= 0 && writtenAlike(index, finding)) {
            addOccurrence(listed, index, m_scan.items.at(index).standIn);
            return;
        }
        const qsizetype entriesBefore = working.valueCount();
        StandInPlan plan = StandInPlan::of(finding, working, m_reserved);
        for (const auto &[at, before] : std::as_const(plan.respelled))
            m_scan.entries.respelling(at, before);
        if (plan.text == finding.text) {
            // Entries no item lists: the writer must build its key itself.
            m_plannedKeyExact = m_plannedKeyExact && working.valueCount() == entriesBefore;
            return;
        }
        if (index < 0) {
            index = m_scan.items.size();
            m_firstParts.push_back(partsDigest(finding));
            m_scan.items.append({sharedWithKey(finding.text, plan, working, &ProjectKey::Entry::real),
                                 sharedWithKey(plan.text, plan, working, &ProjectKey::Entry::standIn), cellOf(listed), 0,
                                 finding.kind, listed.freeText, isAlreadyInKey(finding, m_key)});
            itemIndex.addLast(itemId.hash);
            m_scan.entries.append(plan.entries, plan.keyIndexes, working.entries());
        } else {
            m_scan.entries.add(index, plan.entries, working.entries());
        }
        addOccurrence(listed, index, plan.text);
    }

    std::optional<CellRef> cellOf(const Listed &listed) const
    {
        if (listed.place < 0)
            return std::nullopt;
        // The first cell whose slots end past this one.
        const auto cell = std::upper_bound(m_cells.cbegin(), m_cells.cend(), listed.place,
                                           [](int32_t slot, const CellPlans::Cell &c) { return slot < c.end; });
        return cell->ref;
    }

    // The key's own copy of an equal text, which outlives the finding's: a
    // large file's items would otherwise hold a second copy of many texts.
    static QString sharedWithKey(const QString &text, const StandInPlan &plan, const ProjectKey &working,
                                 QString ProjectKey::Entry::*member)
    {
        for (qsizetype at : plan.keyIndexes) {
            const QString &held = working.entries().at(at).*member;
            if (held == text)
                return held;
        }
        return text;
    }

    void addOccurrence(const Listed &listed, qsizetype index, const QString &text)
    {
        ReviewItem &item = m_scan.items[index];
        ++item.count;
        item.inFreeText = item.inFreeText || listed.freeText;
        qsizetype respelling = -1;
        if (text.constData() != item.standIn.constData() && text != item.standIn) {
            respelling = m_scan.respellings.size();
            m_scan.respellings.append(text);
        }
        const Scan::Planned planned{listed.finding.range, index, respelling};
        if (listed.place >= 0)
            m_slots[listed.place] = planned;
        else
            m_scan.loosePlanned[m_looseTexts.at(-1 - listed.place)].append(planned);
    }

    // Stand-ins of the key that the copy would keep as the file has them,
    // outside every finding: a restore would turn them into real values. A
    // town column left as it is ("Toledo") can hold one though the notes'
    // "Toledo" is swapped.
    QStringList conflicts() const
    {
        // Few words of a file are stand-ins already, so the cells are only
        // read again when one is.
        if (m_key.valueCount() == 0)
            return {};
        QSet<QString> standInWords;
        m_reserved.words.forEach([&](QStringView word) {
            if (m_key.entryForSubstitute(word, EntryKind::firstName))
                standInWords.insert(word.toString());
        });
        if (standInWords.isEmpty())
            return {};
        QSet<QString> kept;
        const auto keepUncovered = [&](const QString &text, const Record *record) {
            for (const Word &word : nameWords(text)) {
                QString lower = lowerCased(word.word);
                if (!standInWords.contains(lower) || kept.contains(lower))
                    continue;
                const std::span<const Finding> findings = record ? findingsOf(*record) : std::span<const Finding>();
                const bool covered = std::any_of(findings.begin(), findings.end(),
                                                 [&](const Finding &f) { return f.range.overlaps(word.range); });
                if (!covered)
                    kept.insert(std::move(lower));
            }
        };
        // The records follow the cells in the order they were read.
        RecordList::Reader records(m_records);
        const auto recordOf = [&](const auto &matches) { return records.nextIf(matches); };
        for (int sheet = 0; sheet < m_spreadsheet.sheetNames().size(); ++sheet) {
            m_spreadsheet.cellsInParts(sheet, cellsInPart, [&](const QList<PlacedCell> &cells) {
                for (const PlacedCell &placed : cells) {
                    const CellRef ref{sheet, placed.row, placed.column};
                    keepUncovered(placed.cell.text, recordOf([&](const Record &r) { return r.cell == ref; }));
                }
            });
        }
        for (const QString &text : m_spreadsheet.unreferencedSharedStrings())
            keepUncovered(text, recordOf([&](const Record &r) { return !r.cell && r.text == text; }));
        QSet<QString> shown;
        for (const QString &word : std::as_const(kept)) {
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
    std::optional<Detector> m_detector; // gone once every text is searched
    Scan m_scan;
    ProjectKey::Reserved m_reserved;
    RecordList m_records;
    FoundFindings m_found; // the records' findings
    QStringList m_looseTexts; // the texts outside any cell, while planning
    QMap<QString, int> m_phoneCounts;
    bool m_plannedKeyExact = true;
    // While planning: each finding's replacement, none where it keeps its text.
    QList<Scan::Planned> m_slots;
    QList<CellPlans::Cell> m_cells; // each with one past its last slot, while planning
    // Per review item of the kind being planned, from m_firstItem on, the
    // digest of the parts of the finding that made it.
    std::vector<size_t> m_firstParts;
    qsizetype m_firstItem = 0;
    static constexpr int kindCount = int(ValueKind::address) + 1;
    // Planning the stand-ins counts as a quarter of the cells' work.
    static constexpr qint64 planningShare = 4;
    // A sheet is read in parts of whole rows of about this many cells: the
    // list of a large sheet's cells, all at once, weighed as much as the
    // sheet, and came on top of everything found in it.
    static constexpr qsizetype cellsInPart = 1 << 15;
    const qint64 m_cellCount;
    qint64 m_cellsRead = 0;
    ProgressMeter m_meter;
};

} // namespace

namespace {

bool isAsciiSpace(char16_t c)
{
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}

// The prefix, then the text lower-cased with its runs of white space made one
// space and none at either end, or with none at either end only: in one pass
// and one allocation when the text is ASCII, as nearly every value is.
std::optional<QString> asciiID(QStringView prefix, const QString &text, bool collapse)
{
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x80; }))
        return std::nullopt;
    QString id(prefix.size() + text.size(), Qt::Uninitialized);
    QChar *out = std::copy(prefix.begin(), prefix.end(), id.begin());
    const QChar *const start = out;
    qsizetype from = 0, to = text.size();
    while (from < to && isAsciiSpace(text.at(from).unicode()))
        ++from;
    while (to > from && isAsciiSpace(text.at(to - 1).unicode()))
        --to;
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = text.at(i).unicode();
        if (collapse && isAsciiSpace(c)) {
            if (!isAsciiSpace(text.at(i - 1).unicode()))
                *out++ = u' ';
            continue;
        }
        *out++ = QChar(c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c);
    }
    id.truncate(prefix.size() + (out - start));
    return id;
}

} // namespace

QString itemID(ValueKind kind, const QString &text)
{
    switch (kind) {
    case ValueKind::name:
        if (auto id = asciiID(u"name|", text, true))
            return *id;
        return u"name|"_s + collapsedLower(text);
    case ValueKind::email:
        if (auto id = asciiID(u"email|", text, false))
            return *id;
        return u"email|"_s + lowerCased(text.trimmed());
    case ValueKind::phone: {
        QString number = digits(text);
        if (number.size() == 11 && number.startsWith(u'1'))
            number.remove(0, 1);
        return u"phone|"_s + number;
    }
    case ValueKind::address:
        if (auto id = asciiID(u"address|", text, true))
            return *id;
        return u"address|"_s + collapsedLower(text);
    }
    return {};
}

QString itemID(const Finding &finding)
{
    return itemID(finding.kind, finding.text);
}

Scan scan(const Spreadsheet &spreadsheet, const ProjectKey &key, const ScanOptions &options,
          const ProgressReport &progress)
{
    keepLargeBlocksApart();
    shareOneHeap();
    return Scanner(spreadsheet, key, options, progress).run();
}

} // namespace quorvane
