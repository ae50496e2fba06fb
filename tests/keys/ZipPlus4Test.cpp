#include "kit/keys/ZipPlus4.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

// Each row: the entry the key holds, and every spelling of its five digits a
// file may hold. A spelling must come back from what the copy shows for it,
// and the stored spelling must show as the key's stand-in.
TEST(ZipPlus4, EverySpellingOfAZipCodeComesBackFromItsCopy)
{
    const ProjectKey key(u"Zips"_s, QUuid(), QDateTime(), QByteArray(32, '\x07'));
    const QList<std::pair<QString, QString>> entries{
        {u"97201-1234"_s, u"31415-0042"_s}, // met first with a +4 part
        {u"97201"_s, u"31415"_s},           // met first without one
        {u"00501-9999"_s, u"10000-0000"_s}, // offsets wrap round
    };
    const QStringList spellings{u"97201"_s, u"97201-1234"_s, u"97201-0000"_s, u"97201-9999"_s, u"97201-5678"_s};
    for (const auto &[stored, standIn] : entries) {
        const std::optional<int> standInPlus4 = zipPlus4::of(standIn);
        EXPECT_EQ(zipPlus4::written(stored, stored, standIn, key), standIn);
        for (QString real : spellings) {
            real.replace(0, 5, stored.first(5));
            const QString copy = zipPlus4::written(real, stored, standIn, key);
            EXPECT_TRUE(copy.startsWith(standIn.first(5)) && copy.size() == real.size()) << copy.toStdString();
            EXPECT_EQ(zipPlus4::restored(copy, stored, standInPlus4, key), real) << stored.toStdString();
        }
    }
    // A copy made before +4 parts were offset showed the stand-in as the key holds it.
    EXPECT_EQ(zipPlus4::restored(u"31415-0042"_s, u"97201-1234"_s, 42, key), u"97201-1234"_s);
    EXPECT_EQ(zipPlus4::restored(u"31415"_s, u"97201"_s, std::nullopt, key), u"97201"_s);
    // The copy of a +4 part the key has no +4 part for shows no real digits.
    EXPECT_NE(zipPlus4::written(u"97201-1234"_s, u"97201"_s, u"31415"_s, key), u"31415-1234"_s);
}
