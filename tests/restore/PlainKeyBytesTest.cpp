#include "kit/restore/PlainKeyBytes.h"
#include "kit/restore/StandInTable.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

std::optional<QByteArray> written(qsizetype (*write)(char *, EntryKind, QByteArrayView), EntryKind kind,
                                  const QByteArray &value)
{
    std::vector<char> out(size_t(PlainKeyBytes::roomFor(value)));
    const qsizetype length = write(out.data(), kind, value);
    if (length < 0)
        return std::nullopt;
    return QByteArray(out.data(), length);
}

} // namespace

// A key written from bytes must be the very key the text's rule writes, or
// none: a stand-in filed under another key is never found again.
TEST(PlainKeyBytes, WritesTheKeysOfTheTextRulesOrLeavesThemToThem)
{
    const QList<QByteArray> values = {
        "Mateo", "OKAFOR", "Cedarhaven Springs", " Mateo", "Mateo ", "Mateo  Oren", "Mateo\tOren", "O'Brien-Smith",
        "mateo.okafor@Example.com", "4821 Larkspur Ave", "12 St. Mark Rd", "4821 Larkspur Ave, Apt 2",
        "(212) 555-0142", "1-212-555-0142", "+1 212 555 0142", "2125550143x77", "1 212 555 0143 x 77",
        "31415", "31415-2653", "", "x",
    };
    int plain = 0;
    for (const EntryKind kind : allEntryKinds()) {
        for (const QByteArray &value : values) {
            const QString text = QString::fromLatin1(value);
            QString standInKey;
            ProjectKey::writeStandInKey(standInKey, kind, text);
            if (const auto bytes = written(PlainKeyBytes::writeStandInKey, kind, value)) {
                EXPECT_EQ(*bytes, standInKey.toLatin1()) << value.constData();
                ++plain;
            }
            if (const auto bytes = written(PlainKeyBytes::writeRealKey, kind, value)) {
                EXPECT_EQ(*bytes, ProjectKey::realKey(text, kind).toLatin1()) << value.constData();
                ++plain;
            }
            for (const QString &found : {text, QString(text + u"é"_s)}) {
                std::vector<char> out(size_t(PlainKeyBytes::roomFor(found.size())));
                const qsizetype length = PlainKeyBytes::writeSubstituteKey(out.data(), kind, found);
                QString substituteKey;
                ProjectKey::writeSubstituteKey(substituteKey, found, kind);
                if (length >= 0) {
                    EXPECT_EQ(QByteArray(out.data(), length), substituteKey.toLatin1()) << value.constData();
                    ++plain;
                }
            }
        }
        EXPECT_TRUE(written(PlainKeyBytes::writeStandInKey, kind, "Mateo")) << rawString(kind).toStdString();
        EXPECT_TRUE(written(PlainKeyBytes::writeRealKey, kind, "2125550142")) << rawString(kind).toStdString();
    }
    EXPECT_GT(plain, 250);
}

TEST(PlainKeyBytes, LatinOneTextsHashAsTheirUnits)
{
    const QByteArray text = "word|cedarhaven springs\xE9";
    for (qsizetype length = 0; length <= text.size(); ++length) {
        const QByteArrayView bytes = QByteArrayView(text).first(length);
        EXPECT_EQ(StandInTable::hashOfLatin1(bytes), StandInTable::hashOf(QString::fromLatin1(bytes))) << length;
    }
}
