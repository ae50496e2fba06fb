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

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Each byte lower-cased, or 0 for the bytes that need a second look: the
// space, the other whitespace and every byte beyond ASCII (which end a plain
// value), and the full stop and comma (which end a street's).
constexpr std::array<char, 256> plainLowered()
{
    std::array<char, 256> lowered{};
    for (int c = 0x21; c < 0x80; ++c)
        lowered[size_t(c)] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    lowered['.'] = lowered[','] = 0;
    return lowered;
}

// Single spaces between words only; a street's full stops and commas are
// the general rule's to drop.
qsizetype writeLowered(char *const out, const QByteArray &prefix, QByteArrayView value, bool street)
{
    static constexpr std::array<char, 256> lowered = plainLowered();
    char *at = std::copy(prefix.cbegin(), prefix.cend(), out);
    bool previousSpace = true;
    for (const char c : value) {
        const char plain = lowered[uchar(c)];
        const bool stop = c == '.' || c == ',';
        if (plain != 0 || (stop && !street)) {
            *at++ = plain != 0 ? plain : c;
            previousSpace = false;
        } else if (c == ' ' && !previousSpace) {
            *at++ = c;
            previousSpace = true;
        } else {
            return -1;
        }
    }
    return previousSpace ? -1 : at - out;
}

char *copyDigits(char *at, QByteArrayView value)
{
    return std::copy_if(value.begin(), value.end(), at, isDigit);
}

// A phone's number drops the country code of an 11-digit number; a ZIP code
// keeps its first five digits.
char *writeDigits(char *const out, const QByteArray &prefix, QByteArrayView value, EntryKind kind)
{
    char *const start = std::copy(prefix.cbegin(), prefix.cend(), out);
    char *end = copyDigits(start, value);
    if (kind == EntryKind::phone && end - start == 11 && *start == '1')
        end = std::copy(start + 1, end, start);
    else if (kind == EntryKind::zip && end - start > 5)
        end = start + 5;
    return end;
}

qsizetype writeKey(char *out, const QByteArray &prefix, EntryKind kind, QByteArrayView value)
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

} // namespace

qsizetype PlainKeyBytes::writeStandInKey(char *out, EntryKind kind, QByteArrayView standIn)
{
    if (kind != EntryKind::phone)
        return writeKey(out, namespacePrefix(kind), kind, standIn);
    // An extension's digits follow the number's, which lose a country code.
    const qsizetype x = standIn.indexOf('x');
    char *const end = writeDigits(out, namespacePrefix(kind), x < 0 ? standIn : standIn.first(x), kind);
    return (x < 0 ? end : copyDigits(end, standIn.sliced(x))) - out;
}

qsizetype PlainKeyBytes::writeRealKey(char *out, EntryKind kind, QByteArrayView real)
{
    return writeKey(out, kindPrefix(kind), kind, real);
}

} // namespace quorvane
