#include "kit/files/ZipArchive.h"

#include <zlib.h>

#include <cstring>
#include <limits>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

constexpr quint32 endSignature = 0x06054B50;
constexpr quint32 zip64LocatorSignature = 0x07064B50;
constexpr quint32 zip64EndSignature = 0x06064B50;
constexpr quint32 centralSignature = 0x02014B50;
constexpr quint32 localSignature = 0x04034B50;
constexpr qsizetype endRecordSize = 22;
constexpr qsizetype largestComment = 65'535;
constexpr quint64 largestEntry = 512ull * 1024 * 1024;
constexpr quint64 largestWritable = 0xFFFFFFFEull;
constexpr qsizetype mostWritableEntries = 0xFFFE;

// Little-endian reads; callers have checked the bounds.
quint16 u16(const QByteArray &data, quint64 at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}
quint32 u32(const QByteArray &data, quint64 at)
{
    return quint32(u16(data, at)) | quint32(u16(data, at + 2)) << 16;
}
quint64 u64(const QByteArray &data, quint64 at)
{
    return quint64(u32(data, at)) | quint64(u32(data, at + 4)) << 32;
}

void put16(QByteArray &out, quint32 value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8 & 0xFF));
}
void put32(QByteArray &out, quint32 value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// True when [at, at + length) lies inside a buffer of `size` bytes, without
// overflowing on hostile values.
bool fits(quint64 at, quint64 length, quint64 size)
{
    return at <= size && length <= size - at;
}

[[noreturn]] void fail(const QString &message)
{
    throw ZipArchive::Failure(message);
}

[[noreturn]] void failDamaged(const QString &path)
{
    fail(u"“"_s + path + u"” is damaged."_s);
}

qsizetype findEndRecord(const QByteArray &data)
{
    if (data.size() < endRecordSize)
        return -1;
    const qsizetype windowStart = std::max<qsizetype>(0, data.size() - (endRecordSize + largestComment));
    for (qsizetype at = data.size() - 4; at >= windowStart; --at) {
        if (data[at] == 'P' && u32(data, at) == endSignature)
            return at + endRecordSize <= data.size() ? at : -1;
    }
    return -1;
}

struct Directory
{
    quint64 count = 0;
    quint64 size = 0;
    quint64 offset = 0;
};

Directory readDirectoryLocation(const QByteArray &data)
{
    const qsizetype end = findEndRecord(data);
    if (end < 0)
        fail(u"It isn’t a zip archive."_s);
    Directory directory{u16(data, end + 10), u32(data, end + 12), u32(data, end + 16)};
    const bool saturated = directory.count == 0xFFFF || directory.size == 0xFFFFFFFF
                           || directory.offset == 0xFFFFFFFF;
    if (saturated && end >= 20 && u32(data, end - 20) == zip64LocatorSignature) {
        const quint64 record = u64(data, end - 20 + 8);
        const quint64 size = quint64(data.size());
        if (size == 0 || record >= size || !fits(record, 56, size) || u32(data, record) != zip64EndSignature)
            fail(u"The file’s ZIP64 record is damaged."_s);
        directory = {u64(data, record + 32), u64(data, record + 40), u64(data, record + 48)};
    }
    if (!fits(directory.offset, directory.size, quint64(data.size())))
        fail(u"The file is damaged (its directory is cut off)."_s);
    return directory;
}

// Replaces the saturated 32-bit values with those of the ZIP64 extra block.
void applyZip64Extra(const QByteArray &data, quint64 extraStart, quint64 extraLength, ZipArchive::Entry &entry)
{
    const quint64 extraEnd = extraStart + extraLength;
    quint64 at = extraStart;
    while (extraEnd - at >= 4) {
        const quint16 id = u16(data, at);
        const quint16 length = u16(data, at + 2);
        const quint64 blockStart = at + 4;
        if (id == 0x0001) {
            quint64 next = blockStart;
            for (quint64 *field : {&entry.size, &entry.compressedSize, &entry.headerOffset}) {
                if (*field == 0xFFFFFFFF && fits(next, 8, extraEnd)) {
                    *field = u64(data, next);
                    next += 8;
                }
            }
        }
        at = blockStart + length;
        if (at > extraEnd)
            break;
    }
}

QString decodeName(QByteArrayView bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

QByteArray inflateRaw(QByteArrayView stored, quint64 size)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {};
    // The declared size may lie: grow towards it instead of trusting it at once.
    QByteArray out;
    qsizetype capacity = qsizetype(std::min<quint64>(size, quint64(stored.size()) * 4 + 65'536));
    out.resize(capacity);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stored.data()));
    qsizetype produced = 0;
    qsizetype remainingIn = stored.size();
    while (true) {
        const uInt inChunk = uInt(std::min<qsizetype>(remainingIn, std::numeric_limits<uInt>::max()));
        const uInt outChunk = uInt(std::min<qsizetype>(capacity - produced, std::numeric_limits<uInt>::max()));
        stream.avail_in = inChunk;
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        stream.avail_out = outChunk;
        const int status = inflate(&stream, Z_NO_FLUSH);
        remainingIn -= inChunk - stream.avail_in;
        produced += outChunk - stream.avail_out;
        if (status == Z_STREAM_END || (status != Z_OK && status != Z_BUF_ERROR))
            break;
        if (produced == capacity) {
            if (quint64(capacity) >= size)
                break;
            capacity = qsizetype(std::min<quint64>(size, quint64(capacity) * 2));
            out.resize(capacity);
        } else if (stream.avail_in == 0 && remainingIn == 0) {
            break;
        }
    }
    inflateEnd(&stream);
    out.truncate(produced);
    return out;
}

// One entry as it is written: its record with the values written, its name
// in UTF-8 and its payload.
struct WrittenEntry
{
    ZipArchive::Entry record;
    QByteArray name;
    QByteArrayView storedPayload; // the archive's own bytes, for a kept entry
    std::optional<QByteArray> replacedPayload;

    QByteArrayView payload() const { return replacedPayload ? QByteArrayView(*replacedPayload) : storedPayload; }
};

// An entry kept as it is stored, or its replacement, deflated when that
// makes it smaller. Names are marked UTF-8, and the data-descriptor and
// encryption flags dropped, since sizes and CRC stand in the headers.
WrittenEntry writtenEntry(const ZipArchive &archive, const ZipArchive::Entry &entry,
                          const QHash<QString, QByteArray> &replacing)
{
    WrittenEntry written{entry, entry.path.toUtf8(), {}, {}};
    if (written.name.size() > 0xFFFF)
        fail(u"“"_s + entry.path.left(80) + u"…” has too long a name to write."_s);
    written.record.flags = (entry.flags & ~0x0009) | 0x0800;
    const auto replaced = replacing.constFind(entry.path);
    if (replaced == replacing.cend()) {
        written.storedPayload = archive.storedBytes(entry);
    } else {
        const QByteArray &content = *replaced;
        const std::optional<QByteArray> deflated = ZipArchive::deflate(content);
        const bool shrinks = deflated && deflated->size() < content.size();
        written.replacedPayload = shrinks ? *deflated : content;
        written.record.method = shrinks ? 8 : 0;
        written.record.crc32 = ZipArchive::crc32(content);
        written.record.size = quint64(content.size());
    }
    if (written.record.size > largestWritable || quint64(written.payload().size()) > largestWritable)
        fail(u"The workbook is too big to write (over 4 GB)."_s);
    return written;
}

// The fields the local header and the directory share, from the version
// needed to extract to the extra field's length.
void putSharedFields(QByteArray &out, const WrittenEntry &entry)
{
    const ZipArchive::Entry &record = entry.record;
    put16(out, 20);
    put16(out, record.flags);
    put16(out, record.method);
    put16(out, record.time);
    put16(out, record.date);
    put32(out, record.crc32);
    put32(out, quint32(entry.payload().size()));
    put32(out, quint32(record.size));
    put16(out, quint32(entry.name.size()));
    put16(out, 0); // extra field
}

void putLocalEntry(QByteArray &out, const WrittenEntry &entry)
{
    put32(out, localSignature);
    putSharedFields(out, entry);
    out.append(entry.name).append(entry.payload());
}

void putDirectoryEntry(QByteArray &out, const WrittenEntry &entry, quint32 offset)
{
    put32(out, centralSignature);
    put16(out, 20); // version made by
    putSharedFields(out, entry);
    put16(out, 0); // comment
    put16(out, 0); // disk number
    put16(out, 0); // internal attributes
    put32(out, entry.record.externalAttributes);
    put32(out, offset);
    out.append(entry.name);
}

void putEndRecord(QByteArray &out, qsizetype entries, qsizetype directorySize, quint64 directoryOffset)
{
    if (directoryOffset > 0xFFFFFFFF || quint64(directorySize) > 0xFFFFFFFF)
        fail(u"The workbook is too big to write (over 4 GB)."_s);
    put32(out, endSignature);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(entries));
    put16(out, quint32(entries));
    put32(out, quint32(directorySize));
    put32(out, quint32(directoryOffset));
    put16(out, 0);
}

} // namespace

ZipArchive::ZipArchive(QByteArray data) : m_data(std::move(data))
{
    const Directory directory = readDirectoryLocation(m_data);
    const quint64 directoryEnd = directory.offset + directory.size;
    quint64 at = directory.offset;
    m_entries.reserve(qsizetype(std::min<quint64>(directory.count, directory.size / 46)));
    for (quint64 i = 0; i < directory.count; ++i) {
        if (!fits(at, 46, directoryEnd) || u32(m_data, at) != centralSignature)
            fail(u"The file’s directory is damaged."_s);
        const quint64 nameLength = u16(m_data, at + 28);
        const quint64 extraLength = u16(m_data, at + 30);
        const quint64 commentLength = u16(m_data, at + 32);
        if (!fits(at + 46, nameLength + extraLength, directoryEnd))
            fail(u"The file’s directory is damaged."_s);
        Entry entry;
        entry.flags = u16(m_data, at + 8);
        entry.method = u16(m_data, at + 10);
        entry.time = u16(m_data, at + 12);
        entry.date = u16(m_data, at + 14);
        entry.crc32 = u32(m_data, at + 16);
        entry.compressedSize = u32(m_data, at + 20);
        entry.size = u32(m_data, at + 24);
        entry.externalAttributes = u32(m_data, at + 38);
        entry.headerOffset = u32(m_data, at + 42);
        entry.path = decodeName(QByteArrayView(m_data).sliced(qsizetype(at + 46), qsizetype(nameLength)),
                                entry.flags & 0x0800);
        applyZip64Extra(m_data, at + 46 + nameLength, extraLength, entry);
        m_entries.append(std::move(entry));
        at += 46 + nameLength + extraLength + commentLength;
    }
}

QStringList ZipArchive::paths() const
{
    QStringList paths;
    paths.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        paths.append(entry.path);
    return paths;
}

std::optional<ZipArchive::Entry> ZipArchive::entry(const QString &named) const
{
    for (const Entry &entry : m_entries)
        if (entry.path == named)
            return entry;
    for (const Entry &entry : m_entries)
        if (entry.path.compare(named, Qt::CaseInsensitive) == 0)
            return entry;
    return std::nullopt;
}

QByteArrayView ZipArchive::storedBytes(const Entry &entry) const
{
    const quint64 size = quint64(m_data.size());
    const quint64 header = entry.headerOffset;
    if (size == 0 || header >= size || !fits(header, 30, size) || u32(m_data, header) != localSignature)
        failDamaged(entry.path);
    const quint64 start = header + 30 + u16(m_data, header + 26) + u16(m_data, header + 28);
    if (!fits(start, entry.compressedSize, size))
        failDamaged(entry.path);
    return QByteArrayView(m_data).sliced(qsizetype(start), qsizetype(entry.compressedSize));
}

QByteArray ZipArchive::data(const Entry &entry) const
{
    const QByteArrayView stored = storedBytes(entry);
    if (entry.size > largestEntry)
        failDamaged(entry.path);
    QByteArray content;
    if (entry.method == 0) {
        content = stored.toByteArray();
    } else if (entry.method == 8) {
        if (entry.size == 0)
            content = QByteArray();
        else if (stored.isEmpty())
            failDamaged(entry.path);
        else
            content = inflateRaw(stored, entry.size);
    } else {
        fail(u"“"_s + entry.path + u"” uses a kind of compression that can’t be read."_s);
    }
    if (quint64(content.size()) != entry.size || crc32(content) != entry.crc32)
        fail(u"“"_s + entry.path + u"” didn’t check out (the file may be damaged)."_s);
    return content;
}

quint32 ZipArchive::crc32(QByteArrayView bytes, quint32 running)
{
    // zlib's CRC-32 is the reflected 0xEDB88320 one of the zip format.
    uLong value = running;
    const auto *p = reinterpret_cast<const Bytef *>(bytes.data());
    for (qsizetype left = bytes.size(); left > 0;) {
        const uInt chunk = uInt(std::min<qsizetype>(left, std::numeric_limits<uInt>::max()));
        value = ::crc32(value, p, chunk);
        p += chunk;
        left -= chunk;
    }
    return quint32(value);
}

std::optional<QByteArray> ZipArchive::deflate(QByteArrayView bytes)
{
    if (bytes.isEmpty() || quint64(bytes.size()) > std::numeric_limits<uInt>::max() / 2)
        return std::nullopt;
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    QByteArray out(bytes.size() + bytes.size() / 10 + 1024, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int status = ::deflate(&stream, Z_FINISH);
    const qsizetype written = qsizetype(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END || written == 0)
        return std::nullopt;
    out.truncate(written);
    return out;
}

QByteArray ZipArchive::data(const QHash<QString, QByteArray> &replacing) const
{
    QByteArray out;
    QByteArray directory;
    out.reserve(m_data.size() + 1024);
    for (const Entry &entry : m_entries) {
        const WrittenEntry written = writtenEntry(*this, entry, replacing);
        const quint64 offset = quint64(out.size());
        if (offset > largestWritable)
            fail(u"The workbook is too big to write (over 4 GB)."_s);
        putLocalEntry(out, written);
        putDirectoryEntry(directory, written, quint32(offset));
    }
    if (m_entries.size() > mostWritableEntries)
        fail(u"The workbook has too many parts to write."_s);
    const quint64 directoryOffset = quint64(out.size());
    out.append(directory);
    putEndRecord(out, m_entries.size(), directory.size(), directoryOffset);
    return out;
}

} // namespace quorvane
