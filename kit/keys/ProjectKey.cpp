#include "kit/keys/ProjectKey.h"

#include "kit/FreedMemory.h"
#include "kit/RawStrings.h"
#include "kit/keys/CandidateSets.h"
#include "kit/keys/CodePoints.h"
#include "kit/keys/ValueKind.h"
#include "kit/keys/Candidates.h"
#include "kit/keys/Crypto.h"
#include "kit/keys/WrittenForm.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <string_view>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// The pieces between whitespace joined by one space; most values already are.
QString collapsedWhitespace(const QString &text)
{
    bool previousSpace = true;
    for (QChar c : text) {
        const bool space = c.isSpace();
        if (space && (previousSpace || c != u' '))
            return splitAtWhitespace(text).join(u' ');
        previousSpace = space;
    }
    if (previousSpace && !text.isEmpty())
        return splitAtWhitespace(text).join(u' ');
    return text;
}

// "word|mateo" straight from "Mateo", in one allocation: every candidate
// tried and every stand-in read is keyed this way, and nearly all are plain
// ASCII words already spaced as the key writes them. Nothing for any other
// text, which takes the general rule.
std::optional<QString> plainWordKey(const QString &value)
{
    static const QString prefix = entryNamespace(EntryKind::firstName) + u'|';
    QString key(prefix.size() + value.size(), Qt::Uninitialized);
    QChar *out = std::copy(prefix.cbegin(), prefix.cend(), key.begin());
    bool previousSpace = true;
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (u >= 0x09 && u <= 0x0D) || (u == u' ' && previousSpace))
            return std::nullopt;
        previousSpace = u == u' ';
        *out++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u);
    }
    if (previousSpace)
        return std::nullopt;
    return key;
}

bool isAsciiSpace(char16_t c)
{
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}

// Whether the ASCII text lower-cased is `lowered`; false for any other text.
bool isAsciiLoweredAs(QStringView text, QStringView lowered)
{
    return text.size() == lowered.size()
        && std::equal(text.begin(), text.end(), lowered.begin(), [](QChar t, QChar l) {
               const char16_t u = t.unicode();
               return u < 0x80 && (u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u) == l.unicode();
           });
}

// Writes prefix, '|' and the value lower-cased into out, for a plain ASCII
// value whose whitespace is single spaces between words already; false for
// any other, which the general rule must take. `stops` are characters the
// kind's rule would change, which send the value there too.
bool writePlainLowered(QString &out, QStringView prefix, QStringView value, QStringView stops = {})
{
    out.resize(prefix.size() + 1 + value.size());
    QChar *at = std::copy(prefix.begin(), prefix.end(), out.begin());
    *at++ = u'|';
    bool previousSpace = true;
    for (QChar c : value) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (isAsciiSpace(u) && (u != u' ' || previousSpace)))
            return false;
        // Every key of a large key file comes through here: the stops, none
        // or two, are compared without a search call per character.
        if (std::find(stops.begin(), stops.end(), c) != stops.end())
            return false;
        previousSpace = u == u' ';
        *at++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u - u'A' + u'a') : u);
    }
    return !previousSpace;
}

// Writes prefix, '|' and the value's digits into out, as the phone and ZIP
// rules keep them.
void writeDigits(QString &out, QStringView prefix, QStringView value, EntryKind kind)
{
    out.resize(prefix.size() + 1);
    std::copy(prefix.begin(), prefix.end(), out.begin());
    out[prefix.size()] = u'|';
    const qsizetype start = out.size();
    for (QChar c : value) {
        if (c >= u'0' && c <= u'9')
            out.append(c);
    }
    const qsizetype count = out.size() - start;
    if (kind == EntryKind::phone && count == 11 && out.at(start) == u'1')
        out.remove(start, 1);
    else if (kind == EntryKind::zip && count > 5)
        out.truncate(start + 5);
}

// The stand-in key of a phone stand-in, as phoneSpaceDigits has it, written
// into out: a large key holds many stand-ins with an extension.
void writePhoneStandInKey(QString &out, QStringView prefix, QStringView value)
{
    const qsizetype x = value.indexOf(u'x');
    writeDigits(out, prefix, x < 0 ? value : value.first(x), EntryKind::phone);
    if (x < 0)
        return;
    for (QChar c : value.sliced(x)) {
        if (c >= u'0' && c <= u'9')
            out.append(c);
    }
}

// "kind|normalized" or "namespace|normalized" written into out without the
// copies the general rule makes, for the values nearly every key holds;
// false for the others.
bool writePlainKey(QString &out, QStringView prefix, QStringView value, EntryKind kind)
{
    switch (kind) {
    case EntryKind::firstName:
    case EntryKind::lastName:
    case EntryKind::city:
    case EntryKind::email: return writePlainLowered(out, prefix, value);
    case EntryKind::street: return writePlainLowered(out, prefix, value, u".,");
    case EntryKind::phone:
    case EntryKind::zip: writeDigits(out, prefix, value, kind); return true;
    }
    return false;
}

[[noreturn]] void malformed(const char *what)
{
    throw std::runtime_error(what);
}

QJsonValue member(const QJsonObject &object, const QString &name)
{
    const auto it = object.constFind(name);
    if (it == object.constEnd())
        malformed("missing member");
    return *it;
}

QString stringMember(const QJsonObject &object, const QString &name)
{
    const QJsonValue value = member(object, name);
    if (!value.isString())
        malformed("member is not text");
    return value.toString();
}

QList<ProjectKey::Entry> decodeEntries(const QJsonValue &value)
{
    if (!value.isArray())
        malformed("entries is not an array");
    QList<ProjectKey::Entry> entries;
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isObject())
            malformed("entry is not an object");
        const QJsonObject object = item.toObject();
        const std::optional<EntryKind> kind = entryKindFromRaw(stringMember(object, u"kind"_s));
        if (!kind)
            malformed("unknown entry kind");
        entries.append({*kind, stringMember(object, u"real"_s), stringMember(object, u"standIn"_s)});
    }
    return entries;
}

QStringList decodeFiles(const QJsonObject &object)
{
    const auto it = object.constFind(u"files"_s);
    if (it == object.constEnd())
        return {};
    if (!it->isArray())
        malformed("files is not an array");
    QStringList files;
    for (const QJsonValue &item : it->toArray()) {
        if (!item.isString())
            malformed("file name is not text");
        files.append(item.toString());
    }
    return files;
}

// The entries of a key file as this program writes it, read without the JSON
// classes, which take several times as long on a large key. Only texts
// without escapes, of printable ASCII and well-formed UTF-8, are read here;
// anything else, or any other layout, is left to the JSON classes.
class PlainEntries
{
public:
    explicit PlainEntries(const QByteArray &json) : m_json(json) {}

    // Room for as many of the shortest entries as the JSON could hold,
    // {"kind":"zip","real":"","standIn":""} and a comma: a large key's
    // bytes are not read twice, and the room never filled is never touched.
    static constexpr qsizetype shortestEntry = 38;

    // The entries, and the JSON with an empty entries array in their place.
    std::optional<std::pair<QList<ProjectKey::Entry>, QByteArray>> read()
    {
        QList<ProjectKey::Entry> entries;
        entries.reserve(m_json.size() / shortestEntry + 1);
        auto rest = readEach([&](EntryKind kind, const Text &real, const Text &standIn) {
            entries.append({kind, real.toString(), standIn.toString()});
        });
        if (!rest)
            return std::nullopt;
        return std::pair{std::move(entries), std::move(*rest)};
    }

    // The bytes of a text between its quotes, and whether any lie beyond ASCII.
    struct Text
    {
        QByteArrayView bytes;
        bool wide = false;
        QString toString() const { return ProjectKey::EntryBytes::text(bytes, wide); }
    };

    // Hands each entry's kind and texts to `take` as it is read; the JSON
    // with an empty entries array in their place.
    template<typename Take>
    std::optional<QByteArray> readEach(Take take)
    {
        if (!skip("{\"created\":\"") || !plainBytes() || !skip(",\"entries\":["))
            return std::nullopt;
        const qsizetype arrayStart = m_at;
        for (bool first = true; peek() != ']'; first = false) {
            if (!first && !skip(","))
                return std::nullopt;
            if (!readEntry(take))
                return std::nullopt;
        }
        return m_json.first(arrayStart) + QByteArrayView(m_json).sliced(m_at);
    }

private:
    template<typename Take>
    bool readEntry(Take &take)
    {
        if (!skip("{\"kind\":\""))
            return false;
        const auto kind = plainBytes();
        if (!kind || !skip(",\"real\":\""))
            return false;
        Text real;
        const auto realBytes = plainBytes(&real.wide);
        if (!realBytes || !skip(",\"standIn\":\""))
            return false;
        real.bytes = *realBytes;
        Text standIn;
        const auto standInBytes = plainBytes(&standIn.wide);
        const auto entryKind = kindNamed(*kind);
        if (!standInBytes || !entryKind || !skip("}"))
            return false;
        standIn.bytes = *standInBytes;
        take(*entryKind, real, standIn);
        return true;
    }

    // The bytes up to the closing quote, which it passes; `wide` tells
    // whether any of them lie beyond ASCII.
    std::optional<QByteArrayView> plainBytes(bool *wide = nullptr)
    {
        // Nearly every text is printable ASCII up to its quote: found with
        // a search and checked without a branch a byte. A quote never lies
        // inside a character beyond ASCII, whose bytes are all above it.
        const char *const bytes = m_json.constData();
        const auto *quote = static_cast<const char *>(std::memchr(bytes + m_at, '"', size_t(m_json.size() - m_at)));
        if (quote) {
            const qsizetype start = m_at, end = quote - bytes;
            unsigned other = 0;
            for (qsizetype i = start; i < end; ++i)
                other |= unsigned(uchar(bytes[i] - 0x20) >= 0x5F) | unsigned(bytes[i] == '\\');
            if (other == 0) {
                m_at = end + 1;
                if (wide)
                    *wide = false;
                return QByteArrayView(bytes + start, end - start);
            }
        }
        return checkedBytes(wide);
    }

    // plainBytes for a text with bytes beyond ASCII, or any it refuses.
    std::optional<QByteArrayView> checkedBytes(bool *wide)
    {
        const char *const bytes = m_json.constData();
        const qsizetype start = m_at, size = m_json.size();
        // Read in a local, which the compiler keeps apart from the bytes.
        qsizetype at = m_at;
        bool beyondAscii = false;
        while (at < size) {
            const auto c = uchar(bytes[at]);
            // Printable ASCII other than the quote and the backslash, nearly every byte.
            if (uchar(c - 0x20) < 0x5F && c != '"' && c != '\\') {
                ++at;
                continue;
            }
            if (c == '"')
                break;
            if (c < 0x80)
                return std::nullopt;
            const qsizetype length = plainSequenceLength(at);
            if (length == 0)
                return std::nullopt;
            beyondAscii = true;
            at += length;
        }
        if (at >= size)
            return std::nullopt;
        m_at = at + 1;
        if (wide)
            *wide = beyondAscii;
        return QByteArrayView(bytes + start, at - start);
    }

    // Names written beyond ASCII ("García") are common in a real key, which
    // the JSON classes write as plain UTF-8. The length of the well-formed
    // sequence at `at`, or 0: ill-formed bytes, a byte order mark and the
    // noncharacters are left to the JSON classes to judge.
    qsizetype plainSequenceLength(qsizetype at) const
    {
        const auto byte = [&](qsizetype i) { return i < m_json.size() ? uchar(m_json[i]) : uchar(0); };
        const uchar lead = byte(at);
        qsizetype length = 0;
        char32_t low = 0x80;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = 0x800;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = 0x10000;
            code = lead & 0x07;
        } else {
            return 0;
        }
        for (qsizetype i = 1; i < length; ++i) {
            const uchar next = byte(at + i);
            if ((next & 0xC0) != 0x80)
                return 0;
            code = (code << 6) | (next & 0x3F);
        }
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        const bool noncharacter = (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
        if (code < low || code > 0x10FFFF || surrogate || noncharacter || code == 0xFEFF)
            return 0;
        return length;
    }

    // The kind named by its raw text, read without making a string of it.
    static std::optional<EntryKind> kindNamed(QByteArrayView raw)
    {
        // As rawString writes them.
        static constexpr std::array<std::pair<std::string_view, EntryKind>, 7> names = {{
            {"firstName", EntryKind::firstName},
            {"lastName", EntryKind::lastName},
            {"email", EntryKind::email},
            {"phone", EntryKind::phone},
            {"street", EntryKind::street},
            {"city", EntryKind::city},
            {"zip", EntryKind::zip},
        }};
        const std::string_view text(raw.data(), size_t(raw.size()));
        for (const auto &[name, kind] : names) {
            if (name == text)
                return kind;
        }
        return std::nullopt;
    }

    // Called several times for every entry of a large key: a plain compare.
    bool skip(QByteArrayView expected)
    {
        if (m_json.size() - m_at < expected.size()
            || std::memcmp(m_json.constData() + m_at, expected.data(), size_t(expected.size())) != 0)
            return false;
        m_at += expected.size();
        return true;
    }

    char peek() const { return m_at < m_json.size() ? m_json[m_at] : '\0'; }

    const QByteArray &m_json;
    qsizetype m_at = 0;
};

QDateTime wholeSeconds(const QDateTime &date)
{
    // Fractions are dropped, so the time written equals the time read back.
    const qint64 ms = date.toMSecsSinceEpoch();
    return QDateTime::fromMSecsSinceEpoch(ms - ms % 1000, Qt::UTC);
}

} // namespace

const QList<EntryKind> &allEntryKinds()
{
    static const QList<EntryKind> kinds{EntryKind::firstName, EntryKind::lastName, EntryKind::email, EntryKind::phone,
                                        EntryKind::street, EntryKind::city, EntryKind::zip};
    return kinds;
}

QString rawString(EntryKind kind)
{
    switch (kind) {
    case EntryKind::firstName: return u"firstName"_s;
    case EntryKind::lastName: return u"lastName"_s;
    case EntryKind::email: return u"email"_s;
    case EntryKind::phone: return u"phone"_s;
    case EntryKind::street: return u"street"_s;
    case EntryKind::city: return u"city"_s;
    case EntryKind::zip: return u"zip"_s;
    }
    return {};
}

std::optional<EntryKind> entryKindFromRaw(const QString &raw)
{
    return fromRawString(raw, allEntryKinds());
}

QString entryNamespace(EntryKind kind)
{
    switch (kind) {
    case EntryKind::firstName:
    case EntryKind::lastName:
    case EntryKind::city: return u"word"_s;
    case EntryKind::email: return u"email"_s;
    case EntryKind::phone: return u"phone"_s;
    case EntryKind::street: return u"street"_s;
    case EntryKind::zip: return u"zip"_s;
    }
    return {};
}

ValueKind valueKind(EntryKind kind)
{
    switch (kind) {
    case EntryKind::firstName:
    case EntryKind::lastName: return ValueKind::name;
    case EntryKind::email: return ValueKind::email;
    case EntryKind::phone: return ValueKind::phone;
    case EntryKind::street:
    case EntryKind::city:
    case EntryKind::zip: return ValueKind::address;
    }
    return ValueKind::name;
}

QStringList splitAtWhitespace(const QString &text)
{
    QStringList pieces;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        // QChar::isSpace covers exactly the Unicode White_Space characters.
        const bool space = i == text.size() || text.at(i).isSpace();
        if (space && start >= 0) {
            pieces.append(text.mid(start, i - start));
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    return pieces;
}

ProjectKey::ProjectKey(const QString &name, const QUuid &id, const QDateTime &created, const QByteArray &secret)
    : m_id(id.isNull() ? QUuid::createUuid() : id)
    , m_name(name)
    , m_created(wholeSeconds(created.isValid() ? created : QDateTime::currentDateTimeUtc()))
    , m_secret(secret.isEmpty() ? crypto::randomBytes(32) : secret)
    , m_mac(std::make_shared<const crypto::HmacSha256Key>(m_secret))
{
}

ProjectKey::~ProjectKey()
{
    // Copies share the bytes; only the last holder may clear them.
    if (m_secret.isDetached())
        crypto::wipe(m_secret);
}

void ProjectKey::reserve(qsizetype entries)
{
    ensureByReal();
    ensureByStandIn();
    m_entries.reserve(entries);
    // The indexes' tables grow as they fill, without hashing anything again:
    // made for the most entries the caller may add, which a file's repeated
    // values keep far from reached, a large key's tables would take twice
    // the memory. Room for the texts is made at more than nearly any value
    // takes: grown by doubling, a large key's buffers would be copied over
    // and over, and room never written to costs no memory.
    constexpr qsizetype unitsPerText = 32;
    m_byReal.reserveUnits(entries * unitsPerText);
    m_byStandIn.reserveUnits(entries * unitsPerText);
    // Most taken texts share the tables' records; a name's or town's real one does not.
    m_taken.reserveUnits(entries * unitsPerText);
}

void ProjectKey::addFile(const QString &fileName)
{
    if (!m_files.contains(fileName))
        m_files.append(fileName);
}

QString ProjectKey::normalized(const QString &value, EntryKind kind)
{
    switch (kind) {
    case EntryKind::firstName:
    case EntryKind::lastName:
    case EntryKind::city: return collapsedWhitespace(lowerCased(value));
    case EntryKind::email: return lowerCased(value.trimmed());
    case EntryKind::street: {
        QString text = lowerCased(value);
        if (text.contains(u'.') || text.contains(u','))
            text.remove(u'.').replace(u',', u' ');
        return collapsedWhitespace(text);
    }
    case EntryKind::phone: {
        QString number = digits(value);
        if (number.size() == 11 && number.startsWith(u'1'))
            number.remove(0, 1);
        return number;
    }
    case EntryKind::zip: return digits(value).left(5);
    }
    return value;
}

QString ProjectKey::realKey(const QString &value, EntryKind kind)
{
    return rawString(kind) + u'|' + normalized(value, kind);
}

QString ProjectKey::spaceKey(const QString &value, EntryKind kind)
{
    if (kind == EntryKind::firstName || kind == EntryKind::lastName || kind == EntryKind::city) {
        if (auto key = plainWordKey(value))
            return *key;
    }
    if (kind == EntryKind::phone)
        return entryNamespace(kind) + u'|' + phoneSpaceDigits(value);
    return entryNamespace(kind) + u'|' + normalized(value, kind);
}

// A stand-in past the plain numbers carries an extension ("4815550137x2261"),
// and a file may write it with the country code in front ("+1 481 555 0137
// x2261"). The code is dropped from the number before the x, so that both
// spellings name the same stand-in; without an x this is the plain rule.
QString ProjectKey::phoneSpaceDigits(const QString &value)
{
    const qsizetype x = value.indexOf(u'x');
    if (x < 0)
        return normalized(value, EntryKind::phone);
    return normalized(value.left(x), EntryKind::phone) + digits(QStringView(value).mid(x));
}

std::optional<QString> ProjectKey::storedSubstitute(const QString &real, EntryKind kind) const
{
    ensureByReal();
    const qsizetype at = m_byReal.find(realKey(real, kind));
    if (at < 0)
        return std::nullopt;
    return m_entries.at(at).standIn;
}

const ProjectKey::Entry *ProjectKey::entryForReal(QStringView real, EntryKind kind) const
{
    ensureByReal();
    // Built in one buffer: every name of every e-mail address being swapped is looked up.
    thread_local QString key;
    if (!writePlainKey(key, rawString(kind), real, kind))
        key = realKey(real.toString(), kind);
    const qsizetype at = m_byReal.find(key);
    return at < 0 ? nullptr : &m_entries.at(at);
}

bool ProjectKey::preferSpelling(const QString &spelling, EntryKind kind)
{
    if (!isBetterSpelling(spelling, kind))
        return false;
    const Entry *entry = entryForReal(spelling, kind);
    if (!entry || entry->real == spelling || isBetterSpelling(entry->real, kind)
        || entry->real.compare(spelling, Qt::CaseInsensitive) != 0)
        return false;
    m_entries[entry - m_entries.constData()].real = spelling;
    ++m_respellings;
    return true;
}

// A restore writes an e-mail address in capitals or as stored, and a name,
// town or street in capitals, in lower case or as stored.
bool ProjectKey::isBetterSpelling(const QString &spelling, EntryKind kind)
{
    switch (kind) {
    case EntryKind::email: return letterCaseOf(spelling) != LetterCase::upper;
    case EntryKind::firstName:
    case EntryKind::lastName:
    case EntryKind::city:
    case EntryKind::street:
        return !spelling.isEmpty() && spelling.front().isUpper() && letterCaseOf(spelling) == LetterCase::mixed;
    default: return false;
    }
}

const ProjectKey::Entry *ProjectKey::entryForSubstitute(QStringView text, EntryKind kind) const
{
    // Built in one buffer: a file being restored looks up every address,
    // number and street it holds.
    thread_local QString key;
    writeSubstituteKey(key, text, kind);
    return entryForStandInKey(key);
}

void ProjectKey::writeSubstituteKey(QString &out, QStringView text, EntryKind kind)
{
    const bool extension = kind == EntryKind::phone && text.contains(u'x');
    if (extension || !writePlainKey(out, entryNamespace(kind), text, kind))
        out = spaceKey(text.toString(), kind);
}

void ProjectKey::writeStandInKey(QString &out, EntryKind kind, QStringView standIn)
{
    if (kind == EntryKind::phone)
        writePhoneStandInKey(out, entryNamespace(kind), standIn);
    else if (!writePlainKey(out, entryNamespace(kind), standIn, kind))
        out = spaceKey(standIn.toString(), kind);
}

const ProjectKey::Entry *ProjectKey::entryForStandInKey(const QString &key) const
{
    ensureByStandIn();
    const qsizetype at = m_byStandIn.find(key);
    return at < 0 ? nullptr : &m_entries.at(at);
}

bool ProjectKey::isSubstitute(const QString &text, EntryKind kind) const
{
    ensureByStandIn();
    return m_byStandIn.contains(spaceKey(text, kind));
}

// The two index keys of an entry, built in buffers that are used again for
// later entries, with their hashes.
struct ProjectKey::IndexKeys
{
    QString real;
    QString standIn;
    size_t realHash = 0;
    size_t standInHash = 0;

    void build(const Entry &entry)
    {
        buildReal(entry);
        buildStandIn(entry);
    }

    void buildReal(const Entry &entry)
    {
        writeReal(entry.real, entry.kind);
        realHash = TextIndex::hashOf(real);
    }

    void writeReal(QStringView value, EntryKind kind)
    {
        if (!writePlainKey(real, rawString(kind), value, kind))
            real = realKey(value.toString(), kind);
    }

    void buildStandIn(const Entry &entry)
    {
        writeStandInKey(standIn, entry.kind, entry.standIn);
        standInHash = TextIndex::hashOf(standIn);
    }
};

void ProjectKey::recordWithoutTaken(Entry entry, const IndexKeys &keys)
{
    const qsizetype index = m_entries.size();
    if (m_byRealFilled && m_byReal.insertNew(keys.real, keys.realHash, index) >= 0)
        return;
    m_entries.append(std::move(entry));
    if (m_byStandInFilled)
        m_byStandIn.insert(keys.standIn, keys.standInHash, index);
}

void ProjectKey::recordAllWithoutTaken(QList<Entry> &entries)
{
    // Without a by-real index no entry repeats an earlier one, so a key read
    // into an empty table keeps the list whole instead of copying it over.
    if (!m_byRealFilled && m_entries.isEmpty() && !m_byStandInFilled) {
        m_entries = std::move(entries);
        return;
    }
    // Each entry's keys are built a few entries ahead and their slots fetched,
    // so the waits for memory overlap.
    constexpr qsizetype ahead = 8;
    std::array<IndexKeys, ahead> keys;
    for (qsizetype i = 0; i < entries.size() + ahead; ++i) {
        // The entry due and the one starting share their place in the ring.
        IndexKeys &place = keys[size_t(i % ahead)];
        if (i >= ahead)
            recordWithoutTaken(std::move(entries[i - ahead]), place);
        if (i >= entries.size())
            continue;
        if (m_byRealFilled) {
            place.buildReal(entries.at(i));
            m_byReal.prefetch(place.realHash);
        }
        if (m_byStandInFilled) {
            place.buildStandIn(entries.at(i));
            m_byStandIn.prefetch(place.standInHash);
        }
    }
}

void ProjectKey::ensureByStandIn() const
{
    if (m_byStandInFilled)
        return;
    m_byStandInFilled = true;
    m_byStandIn.reserve(m_entries.size());
    qsizetype units = 0;
    for (const Entry &entry : m_entries)
        units += entry.standIn.size() + 8;
    m_byStandIn.reserveUnits(units);
    constexpr qsizetype ahead = 8;
    std::array<IndexKeys, ahead> keys;
    for (qsizetype i = 0; i < m_entries.size() + ahead; ++i) {
        IndexKeys &place = keys[size_t(i % ahead)];
        // A stand-in filed twice keeps the later entry, as recording has it.
        if (i >= ahead)
            m_byStandIn.insert(place.standIn, place.standInHash, i - ahead);
        if (i < m_entries.size()) {
            place.buildStandIn(m_entries.at(i));
            m_byStandIn.prefetch(place.standInHash);
        }
    }
}

void ProjectKey::record(const Entry &entry)
{
    ensureByReal();
    ensureByStandIn();
    if (!m_takenFilled) {
        // Only the two index keys are needed until an assignment fills the taken set.
        thread_local IndexKeys keys;
        keys.build(entry);
        recordWithoutTaken(entry, keys);
        return;
    }
    const QString norm = normalized(entry.real, entry.kind);
    const QString realKey = rawString(entry.kind) + u'|' + norm;
    const size_t realHash = TextIndex::hashOf(realKey);
    const QString realSpaceKey = ownSpaceKey(realKey, entry.kind, norm);
    const QString standInKey = spaceKey(entry.standIn, entry.kind);
    record(entry, {realKey, realHash}, {realSpaceKey, spaceKeyHash(realSpaceKey, realKey, realHash)},
           {standInKey, TextIndex::hashOf(standInKey)});
}

void ProjectKey::record(Entry entry, Hashed realKey, Hashed realSpaceKey, Hashed standInKey)
{
    ensureByStandIn();
    // The two probes most likely to wait for memory start together.
    m_byStandIn.prefetch(standInKey.hash);
    m_taken.prefetch(realSpaceKey.hash);
    // One probe both finds a value already held (the first entry stays) and
    // takes the slot of a new one.
    const qsizetype index = m_entries.size();
    if (m_byReal.insertNew(realKey.text, realKey.hash, index) >= 0)
        return;
    m_entries.append(std::move(entry));
    m_byStandIn.insert(standInKey.text, standInKey.hash, index);
    if (m_takenFilled) {
        // Nearly every taken text is also a key of one of the two tables
        // just written, whose record the taken set then shares.
        take(realSpaceKey, realSpaceKey.text == realKey.text ? lentByReal : -1);
        take(standInKey, lentByStandIn);
    }
}

size_t ProjectKey::spaceKeyHash(const QString &spaceKey, const QString &realKey, size_t realHash)
{
    return spaceKey == realKey ? realHash : TextIndex::hashOf(spaceKey);
}

// A kind named like its namespace has a realKey equal to its spaceKey, and
// a large key saves one text per entry by sharing it.
QString ProjectKey::ownSpaceKey(const QString &realKey, EntryKind kind, const QString &norm)
{
    const QString space = entryNamespace(kind);
    return space == rawString(kind) ? realKey : space + u'|' + norm;
}

bool ProjectKey::realsApart(const QList<Entry> &entries)
{
    std::vector<size_t> hashes;
    hashes.reserve(size_t(entries.size()));
    IndexKeys keys;
    for (const Entry &entry : entries) {
        keys.buildReal(entry);
        hashes.push_back(keys.realHash);
    }
    return hashesApart(std::move(hashes));
}

bool ProjectKey::hashesApart(std::vector<size_t> hashes)
{
    // Equal hashes share their top bits, so they meet in one small bucket:
    // two passes and a sort of a few hashes each, where sorting them all
    // costs a large key several times as long.
    constexpr int bucketBits = 16;
    const auto bucketOf = [](size_t hash) { return size_t(uint64_t(hash) >> (64 - bucketBits)); };
    std::vector<size_t> starts((size_t(1) << bucketBits) + 1, 0);
    for (const size_t hash : hashes)
        ++starts[bucketOf(hash) + 1];
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<size_t> bucketed(hashes.size());
    std::vector<size_t> next(starts.begin(), starts.end() - 1);
    for (const size_t hash : hashes)
        bucketed[next[bucketOf(hash)]++] = hash;
    for (size_t bucket = 0; bucket + 1 < starts.size(); ++bucket) {
        const auto first = bucketed.begin() + qsizetype(starts[bucket]);
        const auto last = bucketed.begin() + qsizetype(starts[bucket + 1]);
        std::sort(first, last);
        if (std::adjacent_find(first, last) != last)
            return false;
    }
    return true;
}

void ProjectKey::ensureByReal() const
{
    if (m_byRealFilled)
        return;
    m_byRealFilled = true;
    m_byReal.reserve(m_entries.size());
    IndexKeys keys;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        keys.buildReal(m_entries.at(i));
        m_byReal.insertNew(keys.real, keys.realHash, i);
    }
}

void ProjectKey::ensureTaken() const
{
    if (m_takenFilled)
        return;
    m_takenFilled = true;
    m_taken.reserve(m_entries.size() * 2);
    for (const Entry &entry : m_entries) {
        for (const QString &key : {spaceKey(entry.real, entry.kind), spaceKey(entry.standIn, entry.kind)})
            take({key, TextIndex::hashOf(key)});
    }
}

void ProjectKey::releaseTaken()
{
    m_taken = TextIndex();
    m_held = CandidateHoldings();
    m_refused = ReservedHoldings();
    m_takenFilled = false;
}

void ProjectKey::take(Hashed spaceKey, int lender) const
{
    const qsizetype held = lender < 0
        ? m_taken.insertNew(spaceKey.text, spaceKey.hash, m_taken.size(), takenLenders())
        : m_taken.insertLent(spaceKey.text, spaceKey.hash, m_taken.size(), lender, takenLenders());
    if (held >= 0)
        return;
    candidateSets::count(spaceKey.text, m_held, m_refused.valid ? &m_refused.held : nullptr);
}

const CandidateHoldings &ProjectKey::refusedMembers(const Reserved &reserved) const
{
    if (reserved.values.isEmpty())
        return m_held;
    // A scan passes the same reserved set for every value, so this is counted once a scan.
    if (!m_refused.valid || m_refused.values != reserved.values.stamp()) {
        m_refused.held = m_held;
        reserved.values.forEach([&](QStringView value) { candidateSets::count(value, m_refused.held); });
        m_refused.values = reserved.values.stamp();
        m_refused.valid = true;
    }
    return m_refused.held;
}

bool ProjectKey::isFree(const QString &cand, EntryKind kind, const Reserved &reserved) const
{
    ensureTaken();
    const QString key = spaceKey(cand, kind);
    return isFree(cand, {key, TextIndex::hashOf(key)}, kind, reserved);
}

bool ProjectKey::isFree(const QString &cand, Hashed hashedKey, EntryKind kind, const Reserved &reserved) const
{
    const QString &key = hashedKey.text;
    const bool ofWords =
        (kind == EntryKind::firstName || kind == EntryKind::lastName || kind == EntryKind::city)
        && !reserved.words.isEmpty();
    const QStringView word = QStringView(key).mid(key.indexOf(u'|') + 1);
    // The three probes, each likely to wait for memory in a large file, start together.
    m_taken.prefetch(hashedKey.hash);
    const uint64_t valueHash = CaselessWords::hashOfLowered(key);
    reserved.values.prefetch(valueHash);
    const uint64_t wordHash = ofWords ? CaselessWords::hashOfLowered(word) : 0;
    if (ofWords)
        reserved.words.prefetch(wordHash);
    if (m_taken.find(key, hashedKey.hash, takenLenders()) >= 0 || reserved.values.containsLowered(key, valueHash))
        return false;
    if (!ofWords)
        return true;
    if (reserved.words.containsLowered(word, wordHash))
        return false;
    for (const QStringView part : QStringView(cand).tokenize(u'-', Qt::SkipEmptyParts)) {
        // A candidate of one piece is nearly always the word tested above.
        if (!isAsciiLoweredAs(part, word) && reserved.words.contains(part))
            return false;
    }
    return true;
}

QString ProjectKey::assignSubstitute(const QString &real, EntryKind kind, const Reserved &reserved, Walk walk)
{
    // The seed is the value's realKey, written over the last one: a file's
    // values are nearly all plain, and most of its names are held already.
    thread_local QString seed;
    QString norm;
    if (!writePlainKey(seed, rawString(kind), real, kind)) {
        norm = normalized(real, kind);
        seed = rawString(kind) + u'|' + norm;
    }
    // Hashed once for the lookup here and for recording the value.
    const size_t seedHash = TextIndex::hashOf(seed);
    ensureByReal();
    if (const qsizetype stored = m_byReal.find(seed, seedHash); stored >= 0) {
        m_lastAssigned = stored;
        return m_entries.at(stored).standIn;
    }
    if (norm.isNull())
        norm = normalized(real, kind);
    ensureTaken();
    const QString ownKey = ownSpaceKey(seed, kind, norm);
    const size_t ownHash = spaceKeyHash(ownKey, seed, seedHash);
    // Needed only when the value is recorded; fetched while candidates are made.
    m_taken.prefetch(ownHash);
    const SeedDigest digests = seedDigest(seed);
    const ValueCandidates candidates(*this, kind, real, norm);
    const int shape = candidateSets::shapeOf(kind, real, norm, candidates.nameBasedEmail());
    const CandidateHoldings &refused = refusedMembers(reserved);
    std::optional<QString> chosen;
    // Each candidate's spaceKey is written over the last one's.
    thread_local QString chosenKey;
    size_t chosenHash = 0;
    for (int attempt = 0; !chosen && attempt < lastAttempt; ++attempt) {
        const std::optional<int> open = candidateSets::firstOpenAttempt(kind, shape, attempt, refused);
        if (!open)
            break;
        if (walk == Walk::skipping) {
            attempt = *open;
            if (candidateSets::isHeld(kind, shape, attempt, digests, refused))
                continue;
        }
        QString cand = candidates(digests, attempt);
        writeStandInKey(chosenKey, kind, cand);
        const size_t hash = TextIndex::hashOf(chosenKey);
        // A candidate is nearly always free by now, and then recorded here:
        // this wait overlaps the one for its probe of the taken set.
        m_byStandIn.prefetch(hash);
        if (isFree(cand, {chosenKey, hash}, kind, reserved)) {
            chosen = std::move(cand);
            chosenHash = hash;
        }
    }
    // Only a key whose every five-digit ZIP code is taken gets here; a value
    // then shares a stand-in rather than going without one.
    if (!chosen) {
        chosen = candidates(digests, maxAttempts + int(valueCount()));
        writeStandInKey(chosenKey, kind, *chosen);
        chosenHash = TextIndex::hashOf(chosenKey);
    }
    record({kind, real, *chosen}, {seed, seedHash}, {ownKey, ownHash}, {chosenKey, chosenHash});
    m_lastAssigned = m_entries.size() - 1;
    return *chosen;
}

uint64_t ProjectKey::digest(const QString &seed, int attempt, QStringView variant) const
{
    return seedDigest(seed)(attempt, variant);
}

ProjectKey::SeedDigest ProjectKey::seedDigest(const QString &seed) const
{
    return SeedDigest(m_mac, seed);
}

ProjectKey::SeedDigest::SeedDigest(std::shared_ptr<const crypto::HmacSha256Key> mac, const QString &seed)
    : m_mac(std::move(mac)), m_prefix(prefixOf(*m_mac, seed))
{
}

crypto::HmacSha256Key::Prefixed ProjectKey::SeedDigest::prefixOf(const crypto::HmacSha256Key &mac, const QString &seed)
{
    // "seed|": every new value of a large file has its seed absorbed, and
    // nearly every seed is short ASCII, written on the stack.
    char bytes[128];
    const bool ascii = std::all_of(seed.cbegin(), seed.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii || seed.size() >= qsizetype(sizeof bytes))
        return mac.prefixed(QByteArray(seed.toUtf8() + '|'));
    char *end = std::transform(seed.cbegin(), seed.cend(), bytes, [](QChar c) { return char(c.unicode()); });
    *end++ = '|';
    return mac.prefixed(QByteArrayView(bytes, end - bytes));
}

uint64_t ProjectKey::SeedDigest::operator()(int attempt, QStringView variant) const
{
    // "attempt|variant"; variants are short ASCII tags, so the message fits
    // on the stack and nothing is allocated.
    char message[64];
    qsizetype length = 0;
    char digits[20];
    int count = 0;
    uint64_t value = attempt < 0 ? uint64_t(-int64_t(attempt)) : uint64_t(attempt);
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (attempt < 0)
        message[length++] = '-';
    while (count > 0)
        message[length++] = digits[--count];
    message[length++] = '|';
    const bool ascii = variant.size() <= 40
        && std::all_of(variant.begin(), variant.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii)
        return m_mac->leading64(m_prefix, QByteArray(QByteArray(message, length) + variant.toUtf8()));
    const qsizetype variantStart = length;
    for (QChar c : variant)
        message[length++] = char(c.unicode());
    const QByteArrayView tag(message + variantStart, variant.size());
    const bool kept = variant.size() <= qsizetype(sizeof(Recent::variant));
    if (kept) {
        for (const Recent &recent : m_recent) {
            if (recent.attempt == attempt && recent.size == tag.size()
                && QByteArrayView(recent.variant, recent.size) == tag)
                return recent.value;
        }
    }
    const uint64_t digest = m_mac->leading64(m_prefix, QByteArrayView(message, length));
    if (kept) {
        Recent &recent = m_recent[m_nextRecent++ % m_recent.size()];
        recent.attempt = attempt;
        recent.size = int(tag.size());
        std::copy(tag.begin(), tag.end(), recent.variant);
        recent.value = digest;
    }
    return digest;
}

QString ProjectKey::dateText(const QDateTime &date)
{
    return wholeSeconds(date).toString(u"yyyy-MM-dd'T'HH:mm:ss'Z'"_s);
}

std::optional<QDateTime> ProjectKey::dateFromText(const QString &text)
{
    static const QRegularExpression form(
        u"^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(\\.\\d+)?(Z|[+-]\\d{2}:?\\d{2})$"_s);
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!date.isValid())
        return std::nullopt;
    return wholeSeconds(date);
}

QString ProjectKey::uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> ProjectKey::uuidFromText(const QString &text)
{
    static const QRegularExpression form(u"^[0-9A-Fa-f]{8}(-[0-9A-Fa-f]{4}){3}-[0-9A-Fa-f]{12}$"_s);
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

std::optional<QByteArray> ProjectKey::bytesFromBase64(const QString &text)
{
    auto result = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || text.size() % 4 != 0)
        return std::nullopt;
    return *result;
}

namespace {

// The bytes a text takes between its quotes when written as it is, as the
// JSON writer writes it: printable ASCII but quotes and backslashes, and any
// well-formed text beyond ASCII in UTF-8 (names such as "García" are common
// in a real key); -1 for a text with anything that writer escapes.
qsizetype directJsonSize(QStringView text)
{
    // Nearly every text is printable ASCII without quotes or backslashes,
    // told in one pass without a branch per character.
    bool plain = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        plain &= u >= 0x20 && u < 0x7F && u != u'"' && u != u'\\';
    }
    if (plain)
        return text.size();
    qsizetype size = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x80) {
            if (u < 0x20 || u == 0x7F || c == u'"' || c == u'\\')
                return -1;
            size += 1;
        } else if (!c.isSurrogate()) {
            size += u < 0x800 ? 2 : 3;
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            size += 4;
            ++i;
        } else {
            return -1;
        }
    }
    return size;
}

// Writes plain ASCII text as its bytes, one per unit.
char *writeAscii(char *out, QStringView text)
{
    return std::transform(text.begin(), text.end(), out, [](QChar c) { return char(c.unicode()); });
}

char *writeBytes(char *out, QByteArrayView bytes)
{
    return std::copy(bytes.begin(), bytes.end(), out);
}

// Writes a text as the JSON writer writes it when it needs no escaping, in
// UTF-8: nearly every text is printable ASCII throughout, and the rest are
// encoded from their first other character. Null for a text that needs
// escaping.
char *writeDirect(char *out, QStringView text)
{
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x20 || u >= 0x7F || u == u'"' || u == u'\\')
            break;
        *out++ = char(u);
    }
    if (i == text.size())
        return out;
    const QStringView rest = text.sliced(i);
    if (directJsonSize(rest) < 0)
        return nullptr;
    return writeBytes(out, rest.toUtf8());
}

constexpr QByteArrayView entryStart = "{\"kind\":\"";
constexpr QByteArrayView realStart = "\",\"real\":\"";
constexpr QByteArrayView standInStart = "\",\"standIn\":\"";
constexpr QByteArrayView entryEnd = "\"}";

// The most bytes the entries can take written straight, commas between them
// included: three bytes of UTF-8 at most for each unit of UTF-16. Only the
// texts' sizes are read, not the texts.
qsizetype mostEntriesSize(const QList<ProjectKey::Entry> &entries)
{
    constexpr qsizetype longestKind = 9;
    constexpr qsizetype fixed = entryStart.size() + longestKind + realStart.size() + standInStart.size()
        + entryEnd.size() + 1;
    qsizetype size = 0;
    for (const ProjectKey::Entry &entry : entries)
        size += fixed + 3 * (entry.real.size() + entry.standIn.size());
    return size;
}

// The entries of a key that needs no escaping, written between the JSON
// around them in one buffer, in one pass over the texts: a large key has
// hundreds of thousands, each text in a block of its own, and a second
// buffer for them alone would double the largest thing a save holds. The
// buffer is made for the most the entries can take; the room never written
// to costs no memory. Nothing when a text needs escaping.
std::optional<QByteArray> plainEntriesJson(QByteArrayView before, const QList<ProjectKey::Entry> &entries,
                                           QByteArrayView after)
{
    QByteArray json(before.size() + mostEntriesSize(entries) + after.size(), Qt::Uninitialized);
    char *out = writeBytes(json.data(), before);
    for (qsizetype i = 0; i < entries.size() && out; ++i) {
        const ProjectKey::Entry &entry = entries.at(i);
        if (i > 0)
            *out++ = ',';
        out = writeBytes(out, entryStart);
        out = writeAscii(out, rawString(entry.kind));
        out = writeBytes(out, realStart);
        out = writeDirect(out, entry.real);
        if (out) {
            out = writeBytes(out, standInStart);
            out = writeDirect(out, entry.standIn);
        }
        if (out)
            out = writeBytes(out, entryEnd);
    }
    if (!out) {
        crypto::wipe(json);
        return std::nullopt;
    }
    out = writeBytes(out, after);
    json.resize(out - json.constData());
    return json;
}

} // namespace

QByteArray ProjectKey::toJson() const
{
    // A swap has just let go of its plan; the key's text goes on top of
    // what is still held, not of that.
    returnFreedMemory();
    // A large key's entries are written straight out when they need no
    // escaping (nearly always), which the JSON classes take many times as
    // long to build; the rest of the object is theirs either way.
    QByteArray json = jsonWithEntries(QList<Entry>());
    if (m_entries.isEmpty())
        return json;
    // The created date comes first and holds no brackets, so the first empty
    // entries array is the key's own.
    const QByteArray empty = "\"entries\":[]";
    const qsizetype at = json.indexOf(empty) + empty.size() - 1;
    if (auto plain = plainEntriesJson(QByteArrayView(json).first(at), m_entries, QByteArrayView(json).sliced(at)))
        return std::move(*plain);
    return jsonWithEntries(m_entries);
}

QByteArray ProjectKey::jsonWithEntries(const QList<Entry> &written) const
{
    QJsonArray entries;
    for (const Entry &entry : written)
        entries.append(QJsonObject{
            {u"kind"_s, rawString(entry.kind)},
            {u"real"_s, entry.real},
            {u"standIn"_s, entry.standIn},
        });
    // QJsonObject keeps its members sorted by name, which is the order written.
    const QJsonObject object{
        {u"created"_s, dateText(m_created)},
        {u"entries"_s, entries},
        {u"files"_s, QJsonArray::fromStringList(m_files)},
        {u"id"_s, uuidText(m_id)},
        {u"name"_s, m_name},
        {u"secret"_s, QString::fromLatin1(m_secret.toBase64())},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<ProjectKey> ProjectKey::fromJsonEntryByEntry(const QByteArray &json,
                                                           const std::function<size_t(const EntryBytes &)> &take)
{
    PlainEntries reader(json);
    std::vector<size_t> realHashes;
    realHashes.reserve(size_t(json.size() / PlainEntries::shortestEntry + 1));
    auto rest = reader.readEach([&](EntryKind kind, const PlainEntries::Text &real, const PlainEntries::Text &standIn) {
        realHashes.push_back(take(EntryBytes{kind, real.bytes, standIn.bytes, real.wide, standIn.wide}));
    });
    if (!rest || !hashesApart(std::move(realHashes)))
        return std::nullopt;
    QList<Entry> none;
    return parsed(*rest, &none);
}

ProjectKey ProjectKey::fromJson(const QByteArray &json)
{
    if (auto plain = PlainEntries(json).read()) {
        if (auto key = parsed(plain->second, &plain->first))
            return std::move(*key);
    }
    return *parsed(json, nullptr);
}

std::optional<ProjectKey> ProjectKey::parsed(const QByteArray &json, QList<Entry> *entriesRead)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        malformed("not a JSON object");
    const QJsonObject object = document.object();
    const std::optional<QUuid> id = uuidFromText(stringMember(object, u"id"_s));
    const QString name = stringMember(object, u"name"_s);
    const std::optional<QDateTime> created = dateFromText(stringMember(object, u"created"_s));
    const std::optional<QByteArray> secret = bytesFromBase64(stringMember(object, u"secret"_s));
    if (!id || !created || !secret)
        malformed("malformed id, date or secret");
    const QStringList files = decodeFiles(object);
    QList<Entry> entries = decodeEntries(member(object, u"entries"_s));
    if (entriesRead) {
        // A second entries member is the JSON classes' to judge.
        if (!entries.isEmpty())
            return std::nullopt;
        entries = std::move(*entriesRead);
    }

    ProjectKey key(name, *id, *created, *secret);
    // A nil UUID is a valid id; the constructor would have replaced it.
    key.m_id = *id;
    key.m_secret = *secret;
    key.m_mac = std::make_shared<const crypto::HmacSha256Key>(key.m_secret);
    key.m_files = files;
    // Repeated values keep only their first entry, which takes the by-real
    // index to find; a key without any builds that index when it is needed.
    key.m_byRealFilled = !realsApart(entries);
    if (key.m_byRealFilled) {
        key.m_entries.reserve(entries.size());
        key.m_byReal.reserve(entries.size());
    }
    if (key.m_byRealFilled) {
        // Each index key is the text with a short name and a bar in front.
        qsizetype realUnits = 0;
        for (const Entry &entry : entries)
            realUnits += entry.real.size() + 12;
        key.m_byReal.reserveUnits(realUnits);
    }
    // A key that only restores builds its own table of stand-ins; the key's
    // index waits for its first lookup.
    key.m_byStandInFilled = false;
    key.m_takenFilled = false;
    key.recordAllWithoutTaken(entries);
    return key;
}

void ProjectKey::wipeSecret()
{
    crypto::wipe(m_secret);
    m_mac = std::make_shared<const crypto::HmacSha256Key>(m_secret);
}

} // namespace quorvane
