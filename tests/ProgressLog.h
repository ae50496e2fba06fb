#pragma once

// Collects the progress reports of long work, for checking them.

#include "kit/Progress.h"

#include <QList>

#include <gtest/gtest.h>

namespace quorvane::test {

struct ProgressLog
{
    QList<Progress> reports;

    ProgressReport report()
    {
        return [this](const Progress &progress) { reports.append(progress); };
    }

    // One stage from 0 to its total, never going back, with a bounded number
    // of reports however many cells there are.
    void expectRanToItsEnd(Progress::Stage stage) const
    {
        ASSERT_FALSE(reports.isEmpty());
        const qint64 total = reports.last().total;
        EXPECT_EQ(reports.first().done, 0);
        EXPECT_EQ(reports.last().done, total);
        EXPECT_LE(reports.size(), 110);
        for (qsizetype i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].stage, stage);
            EXPECT_EQ(reports[i].total, total);
            if (i > 0) {
                EXPECT_GT(reports[i].done, reports[i - 1].done) << "report " << i;
            }
        }
    }
};

} // namespace quorvane::test
