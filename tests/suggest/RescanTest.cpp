#include "../find/FakeTextServices.h"
#include "SheetFixtures.h"

#include "kit/keys/ProjectKey.h"
#include "kit/swap/ScanOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

// The swap screen's cycle: scan, suggest, the user adds one and dismisses
// another, scan again.
TEST(SuggestionsAcrossRescans, KeepIdsAndStayDismissed)
{
    const Spreadsheet sheet = csvSheet({u"Notes"_s, u"left the roof check for zoltar"_s,
                                        u"a word from quimby about the call"_s, u"call zoltar, the roof is fine"_s,
                                        u"all good"_s, u"parcel sent"_s, u"nothing new"_s, u"roof is fine"_s});
    FakeTextServices services;
    services.names = {u"Zoltar"_s, u"Quimby"_s};
    const ProjectKey key(u"Test"_s);
    ScanOptions options;

    const Scan first = scan(sheet, key, options);
    const QList<NameSuggestion> before = SecondOpinion::taggerSuggestions(sheet, first, options, services);
    ASSERT_EQ(idsOf(before), (QStringList{u"tagger|name|zoltar"_s, u"tagger|name|quimby"_s}));
    EXPECT_EQ(before[0].target.cellRefs(), (QList<CellRef>{{0, 1, 0}, {0, 3, 0}}));

    const QSet<QString> dismissed{before[1].id};
    before[0].apply(options);
    const Scan second = scan(sheet, key, options);
    EXPECT_FALSE(second.planned.at({0, 1, 0}).empty()) << "the added name is replaced now";

    const QList<NameSuggestion> after = SecondOpinion::taggerSuggestions(sheet, second, options, services);
    EXPECT_EQ(idsOf(after), QStringList{u"tagger|name|quimby"_s});
    EXPECT_EQ(idsOf(SecondOpinion::shown(after, {}, dismissed)), QStringList{});
}
