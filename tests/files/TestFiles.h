#pragma once

// Helpers the file tests share.

#include "kit/Failure.h"
#include "kit/files/CSVDocument.h"
#include "kit/files/ZipArchive.h"
#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvane::test {

// The field texts of a CSV file, row by row.
inline QList<QStringList> csvTexts(const QByteArray &bytes)
{
    QList<QStringList> rows;
    for (const CSVDocument::Row &row : CSVDocument(bytes).rows) {
        rows.append(QStringList());
        for (const CSVDocument::Field &field : row)
            rows.last().append(field.text());
    }
    return rows;
}

// A file of tests/data/files.
inline QByteArray fixture(const QString &name)
{
    return readBytes(QStringLiteral(QUORVANE_TEST_DATA "/files/") + name);
}

// The message of the failure `action` throws; empty when it succeeds.
inline QString failureOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return {};
}

// Every entry of `rewritten` keeps the stored bytes and the recorded facts of
// the same entry in `original`.
inline void expectSameEntries(const ZipArchive &original, const ZipArchive &rewritten)
{
    ASSERT_EQ(original.entries().size(), rewritten.entries().size());
    for (qsizetype i = 0; i < original.entries().size(); ++i) {
        const ZipArchive::Entry &a = original.entries()[i];
        const ZipArchive::Entry &b = rewritten.entries()[i];
        EXPECT_EQ(std::tie(a.path, a.method, a.crc32, a.size, a.time, a.date, a.externalAttributes),
                  std::tie(b.path, b.method, b.crc32, b.size, b.time, b.date, b.externalAttributes));
        EXPECT_EQ(original.storedBytes(a), rewritten.storedBytes(b)) << a.path.toStdString();
    }
}

} // namespace quorvane::test
