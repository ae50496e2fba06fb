#include "kit/restore/PlainKeyBytes.h"

#include <algorithm>
#include <array>

namespace quorvane {

namespace {

using Names = std::array<QByteArray, 7>;

Names namesOf(QString (*name)(EntryKind))
{
    Names names;
    for (const EntryKind kind : allEntryKinds())
        names[size_t(kind)] = name(kind).toLatin1() + '|';
    return names;
}

const QByteArray &namespacePrefix(EntryKind kind)
{
    static const Names prefixes = namesOf(entryNamespace);
    return prefixes[size_t(kind)];
}

const QByteArray &kindPrefix(EntryKind kind)
{
    static const Names prefixes = namesOf(rawString);
    return prefixes[size_t(kind)];
}

// Each byte lower-cased, or 0 for the bytes that need a second look: the
// space, the other whitespace and every byte beyond ASCII (which end a plain
// value), and for a street the full stop and comma (which end its plain value).
constexpr std::array<char, 256> plainLowered(bool street)
{
    std::array<char, 256> lowered{};
    for (int c = 0x21; c < 0x80; ++c)
        lowered[size_t(c)] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (street)
        lowered['.'] = lowered[','] = 0;
    return lowered;
}

// A byte or a UTF-16 unit as a number: every one beyond ASCII ends a plain value.
unsigned unitOf(char c)
{
    return uchar(c);
}

unsigned unitOf(QChar c)
{
    return c.unicode();
}

// Single spaces between words only; a street's full stops and commas are
// the general rule's to drop.
template<typename View>
qsizetype writeLowered(char *const out, const QByteArray &prefix, View value, bool street)
{
    static constexpr std::array<char, 256> streetLowered = plainLowered(true);
    static constexpr std::array<char, 256> otherLowered = plainLowered(false);
    const std::array<char, 256> &lowered = street ? streetLowered : otherLowered;
    char *at = std::copy(prefix.cbegin(), prefix.cend(), out);
    bool previousSpace = true;
    for (const auto unit : value) {
        const unsigned u = unitOf(unit);
        const char plain = u < lowered.size() ? lowered[u] : char(0);
        if (plain != 0) {
            *at++ = plain;
            previousSpace = false;
            continue;
        }
        if (u != ' ' || previousSpace)
            return -1;
        *at++ = ' ';
        previousSpace = true;
    }
    return previousSpace ? -1 : at - out;
}

template<typename View>
char *copyDigits(char *at, View value)
{
    for (const auto unit : value) {
        const unsigned u = unitOf(unit);
        if (u >= '0' && u <= '9')
            *at++ = char(u);
    }
    return at;
}

// A phone's number drops the country code of an 11-digit number; a ZIP code
// keeps its first five digits.
template<typename View>
char *writeDigits(char *const out, const QByteArray &prefix, View value, EntryKind kind)
{
    char *const start = std::copy(prefix.cbegin(), prefix.cend(), out);
    char *end = copyDigits(start, value);
    if (kind == EntryKind::phone && end - start == 11 && *start == '1')
        end = std::copy(start + 1, end, start);
    else if (kind == EntryKind::zip && end - start > 5)
        end = start + 5;
    return end;
}

template<typename View>
qsizetype writeKey(char *out, const QByteArray &prefix, EntryKind kind, View value)
{
    switch (kind) {
    case EntryKind::firstName:
    case EntryKind::lastName:
    case EntryKind::city:
    case EntryKind::email: return writeLowered(out, prefix, value, false);
    case EntryKind::street: return writeLowered(out, prefix, value, true);
    case EntryKind::phone:
    case EntryKind::zip: return writeDigits(out, prefix, value, kind) - out;
    }
    return -1;
}

template<typename View>
qsizetype writeStandInKeyOf(char *out, EntryKind kind, View standIn)
{
    if (kind != EntryKind::phone)
        return writeKey(out, namespacePrefix(kind), kind, standIn);
    // An extension's digits follow the number's, which lose a country code.
    const qsizetype x = standIn.indexOf('x');
    char *const end = writeDigits(out, namespacePrefix(kind), x < 0 ? standIn : standIn.first(x), kind);
    return (x < 0 ? end : copyDigits(end, standIn.sliced(x))) - out;
}

} // namespace

qsizetype PlainKeyBytes::writeStandInKey(char *out, EntryKind kind, QByteArrayView standIn)
{
    return writeStandInKeyOf(out, kind, standIn);
}

qsizetype PlainKeyBytes::writeSubstituteKey(char *out, EntryKind kind, QStringView text)
{
    return kind == EntryKind::phone ? -1 : writeStandInKeyOf(out, kind, text);
}

qsizetype PlainKeyBytes::writeRealKey(char *out, EntryKind kind, QByteArrayView real)
{
    return writeKey(out, kindPrefix(kind), kind, real);
}

} // namespace quorvane
