#pragma once

#include "kit/Failure.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

// The zip container of a workbook, read whole from memory. Entries are
// inflated on demand; a rewritten archive copies every entry it does not
// replace in its stored (compressed) form, byte for byte. Reads ZIP64
// archives; writes plain ones.
class ZipArchive
{
public:
    class Failure : public quorvane::Failure
    {
    public:
        using quorvane::Failure::Failure;
    };

    // One central directory record, with any ZIP64 values applied.
    struct Entry
    {
        QString path;
        quint16 flags = 0;
        quint16 method = 0; // 0 stored, 8 deflated; others are listed but unreadable
        quint16 time = 0;   // MS-DOS time and date, as stored
        quint16 date = 0;
        quint64 compressedSize = 0;
        quint64 size = 0;
        quint32 crc32 = 0;
        quint64 headerOffset = 0;
        quint32 externalAttributes = 0;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    explicit ZipArchive(QByteArray data);

    const QByteArray &bytes() const { return m_data; }
    const QList<Entry> &entries() const { return m_entries; }
    QStringList paths() const;
    // The entry with exactly this path, else the first one matching it
    // ignoring case.
    std::optional<Entry> entry(const QString &named) const;

    // The uncompressed content, checked against its size and CRC-32.
    QByteArray data(const Entry &entry) const;
    // A new archive with the same entries in the same order, the content of
    // those named in the map replaced. Names the map has but the archive
    // lacks are ignored.
    QByteArray data(const QHash<QString, QByteArray> &replacing) const;

    // The stored bytes of an entry, exactly as they are in the archive.
    QByteArrayView storedBytes(const Entry &entry) const;

    static quint32 crc32(QByteArrayView bytes, quint32 running = 0);
    // Raw DEFLATE; nothing for empty input or when the compressor fails.
    static std::optional<QByteArray> deflate(QByteArrayView bytes);

private:
    QByteArray m_data;
    QList<Entry> m_entries;
};

} // namespace quorvane
