#pragma once

#include "kit/files/ZipArchive.h"

#include <gtest/gtest.h>

namespace quorvane::test {

// Every entry of `rewritten` keeps the stored bytes and the recorded facts of
// the same entry in `original`.
inline void expectSameEntries(const ZipArchive &original, const ZipArchive &rewritten)
{
    ASSERT_EQ(original.entries().size(), rewritten.entries().size());
    for (qsizetype i = 0; i < original.entries().size(); ++i) {
        const ZipArchive::Entry &a = original.entries()[i];
        const ZipArchive::Entry &b = rewritten.entries()[i];
        EXPECT_EQ(a.path, b.path);
        EXPECT_EQ(a.method, b.method);
        EXPECT_EQ(a.crc32, b.crc32);
        EXPECT_EQ(a.size, b.size);
        EXPECT_EQ(a.time, b.time);
        EXPECT_EQ(a.date, b.date);
        EXPECT_EQ(a.externalAttributes, b.externalAttributes);
        EXPECT_EQ(original.storedBytes(a), rewritten.storedBytes(b)) << a.path.toStdString();
        EXPECT_EQ(rewritten.data(b), original.data(a));
    }
}

} // namespace quorvane::test
