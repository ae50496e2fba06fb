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
    quint16 time = 0x6B2A;
    quint16 date = 0x5A86;
    quint32 externalAttributes = 0x01B60000;
    bool dataDescriptor = false; // sizes and CRC after the data, zero in the local header
    bool zip64 = false;          // 0xFFFFFFFF sizes and offset, real ones in a 0x0001 block
    std::optional<QByteArray> stored; // overrides the compressed bytes
    std::optional<quint64> declaredSize;
};

class ZipBuilder
{
public:
    ZipBuilder &add(ZipItem item)
    {
        m_items.append(std::move(item));
        return *this;
    }
    ZipBuilder &add(const QByteArray &name, const QByteArray &content)
    {
        return add(ZipItem{name, content});
    }

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
            const quint32 small = item.zip64 ? 0xFFFFFFFF : 0;
            QByteArray extra;
            if (item.zip64) {
                put16(extra, 0x0001);
                put16(extra, 24);
                put64(extra, size);
                put64(extra, quint64(payload.size()));
                put64(extra, offset);
            }
            put32(out, 0x04034B50);
            put16(out, 20);
            put16(out, item.flags | (item.dataDescriptor ? 0x0008 : 0));
            put16(out, item.method);
            put16(out, item.time);
            put16(out, item.date);
            put32(out, item.dataDescriptor ? 0 : crc);
            put32(out, item.dataDescriptor ? 0 : small ? small : quint32(payload.size()));
            put32(out, item.dataDescriptor ? 0 : small ? small : quint32(size));
            put16(out, quint16(item.name.size()));
            put16(out, quint16(extra.size()));
            out.append(item.name).append(extra).append(payload);
            if (item.dataDescriptor) {
                put32(out, 0x08074B50);
                put32(out, crc);
                put32(out, quint32(payload.size()));
                put32(out, quint32(size));
            }
            put32(directory, 0x02014B50);
            put16(directory, 45);
            put16(directory, 20);
            put16(directory, item.flags | (item.dataDescriptor ? 0x0008 : 0));
            put16(directory, item.method);
            put16(directory, item.time);
            put16(directory, item.date);
            put32(directory, crc);
            put32(directory, small ? small : quint32(payload.size()));
            put32(directory, small ? small : quint32(size));
            put16(directory, quint16(item.name.size()));
            put16(directory, quint16(extra.size()));
            put16(directory, 0);
            put16(directory, 0);
            put16(directory, 0);
            put32(directory, item.externalAttributes);
            put32(directory, small ? small : quint32(offset));
            directory.append(item.name).append(extra);
        }
        const quint64 directoryOffset = quint64(out.size());
        out.append(directory);
        if (zip64Directory) {
            const quint64 record = quint64(out.size());
            put32(out, 0x06064B50);
            put64(out, 44);
            put16(out, 45);
            put16(out, 45);
            put32(out, 0);
            put32(out, 0);
            put64(out, quint64(m_items.size()));
            put64(out, quint64(m_items.size()));
            put64(out, quint64(directory.size()));
            put64(out, directoryOffset);
            put32(out, 0x07064B50);
            put32(out, 0);
            put64(out, record);
            put32(out, 1);
        }
        put32(out, 0x06054B50);
        put16(out, 0);
        put16(out, 0);
        put16(out, zip64Directory ? 0xFFFF : quint16(m_items.size()));
        put16(out, zip64Directory ? 0xFFFF : quint16(m_items.size()));
        put32(out, zip64Directory ? 0xFFFFFFFF : quint32(directory.size()));
        put32(out, zip64Directory ? 0xFFFFFFFF : quint32(directoryOffset));
        put16(out, quint16(comment.size()));
        out.append(comment);
        return out;
    }

    static void put16(QByteArray &out, quint32 value)
    {
        out.append(char(value & 0xFF)).append(char(value >> 8 & 0xFF));
    }
    static void put32(QByteArray &out, quint32 value)
    {
        put16(out, value & 0xFFFF);
        put16(out, value >> 16);
    }
    static void put64(QByteArray &out, quint64 value)
    {
        put32(out, quint32(value));
        put32(out, quint32(value >> 32));
    }

private:
    QList<ZipItem> m_items;
};

} // namespace quorvane::test
