#pragma once

// Builds zip archives byte by byte for the tests, including the forms the
// writer never produces: data descriptors, ZIP64 records, Latin-1 names,
// unknown methods and sizes that lie.

#include "kit/files/ZipArchive.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace quorvane::test {

struct ZipItem
{
    ZipItem(QByteArray itemName, QByteArray itemContent, quint16 itemMethod = 8, quint16 itemFlags = 0x0800)
        : name(std::move(itemName)), content(std::move(itemContent)), method(itemMethod), flags(itemFlags)
    {
    }

    QByteArray name; // raw bytes as stored
    QByteArray content;
    quint16 method = 8;
    quint16 flags = 0x0800;
    bool dataDescriptor = false;      // sizes and CRC after the data, zero in the local header
    bool zip64 = false;               // 0xFFFFFFFF sizes and offset, real ones in a 0x0001 block
    std::optional<QByteArray> stored; // overrides the compressed bytes
    std::optional<quint64> declaredSize;
};

// Appends each value little-endian, in as many bytes as its type has.
template <typename... Values>
void put(QByteArray &out, Values... values)
{
    const auto one = [&out](auto value) {
        for (size_t i = 0; i < sizeof(value); ++i)
            out.append(char(quint64(value) >> (8 * i) & 0xFF));
    };
    (one(values), ...);
}

class ZipBuilder
{
public:
    ZipBuilder &add(ZipItem item)
    {
        m_items.append(std::move(item));
        return *this;
    }
    ZipBuilder &add(const QByteArray &name, const QByteArray &content) { return add(ZipItem{name, content}); }

    QByteArray build(bool zip64Directory = false, const QByteArray &comment = {}) const
    {
        QByteArray out, directory;
        for (const ZipItem &item : m_items) {
            const QByteArray payload = item.stored ? *item.stored
                                       : item.method == 8 ? ZipArchive::deflate(item.content).value_or(QByteArray())
                                                          : item.content;
            const quint32 crc = ZipArchive::crc32(item.content);
            const quint64 size = item.declaredSize.value_or(quint64(item.content.size()));
            const quint64 offset = quint64(out.size());
            const quint16 flags = item.flags | (item.dataDescriptor ? 0x0008 : 0);
            const auto narrow = [&](quint64 value) { return item.zip64 ? 0xFFFFFFFFu : quint32(value); };
            QByteArray extra;
            if (item.zip64)
                put(extra, quint16(1), quint16(24), size, quint64(payload.size()), offset);
            const bool late = item.dataDescriptor;
            put(out, quint32(0x04034B50), quint16(20), flags, item.method, quint16(0x6B2A), quint16(0x5A86),
                late ? 0u : crc, late ? 0u : narrow(payload.size()), late ? 0u : narrow(size),
                quint16(item.name.size()), quint16(extra.size()));
            out.append(item.name).append(extra).append(payload);
            if (late)
                put(out, quint32(0x08074B50), crc, quint32(payload.size()), quint32(size));
            put(directory, quint32(0x02014B50), quint16(45), quint16(20), flags, item.method, quint16(0x6B2A),
                quint16(0x5A86), crc, narrow(payload.size()), narrow(size), quint16(item.name.size()),
                quint16(extra.size()), quint16(0), quint16(0), quint16(0), quint32(0x01B60000), narrow(offset));
            directory.append(item.name).append(extra);
        }
        const quint64 directoryOffset = quint64(out.size());
        const quint64 count = quint64(m_items.size());
        out.append(directory);
        if (zip64Directory) {
            const quint64 record = quint64(out.size());
            put(out, quint32(0x06064B50), quint64(44), quint16(45), quint16(45), quint32(0), quint32(0), count, count,
                quint64(directory.size()), directoryOffset);
            put(out, quint32(0x07064B50), quint32(0), record, quint32(1));
        }
        const quint16 shortCount = zip64Directory ? 0xFFFF : quint16(count);
        put(out, quint32(0x06054B50), quint16(0), quint16(0), shortCount, shortCount,
            zip64Directory ? 0xFFFFFFFFu : quint32(directory.size()),
            zip64Directory ? 0xFFFFFFFFu : quint32(directoryOffset), quint16(comment.size()));
        return out + comment;
    }

private:
    QList<ZipItem> m_items;
};

} // namespace quorvane::test
