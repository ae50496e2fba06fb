#include "../find/FakeTextServices.h"
#include "SheetFixtures.h"

#include "kit/swap/ScanOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;
using SecondOpinion::Cell;
using SecondOpinion::ModelGate;

namespace {

QStringList located(const QString &name, const QString &text, const QList<TextRange> &covered = {})
{
    return textsOf(text, SecondOpinion::locate(name, Cell{{0, 1, 0}, u"Notes"_s, text, covered}));
}

} // namespace

TEST(LocateModelNames, FindsWholeOccurrencesOfPlausibleNames)
{
    EXPECT_EQ(located(u" \"ANA   Ruiz!\" "_s, u"met Ana Ruiz."_s), QStringList{u"Ana Ruiz"_s});
    EXPECT_EQ(located(u"ana"_s, u"Ana and ana, Banana"_s), (QStringList{u"Ana"_s, u"ana"_s}));
    EXPECT_EQ(located(u"Dr. Ana"_s, u"saw Dr. Ana today"_s), QStringList{u"Ana"_s});
    EXPECT_EQ(located(u"O’Neil"_s, u"ask o’neil first"_s), QStringList{u"o’neil"_s});
    EXPECT_EQ(located(u"ana"_s, u"Ana met ana"_s, {{0, 3}}), QStringList{u"ana"_s});

    for (const QString &rejected : {u"Ana2"_s, u"ana@x"_s, u"Ana & Bo"_s, u"Ana Bo Cy Di Ed"_s, u"Monday"_s,
                                    u"the desk"_s, u"J"_s, u"Mr. Jr."_s}) {
        EXPECT_EQ(located(rejected, u"Ana2 ana@x Ana & Bo Ana Bo Cy Di Ed Monday the desk J Mr. Jr."_s), QStringList{})
            << rejected.toStdString();
    }
}

TEST(ModelGates, EachGateIsStricterThanTheOneBefore)
{
    FakeTextServices services;
    services.names = {u"Ana"_s, u"Quick"_s, u"Rose"_s};
    services.notBefore = {u"garden"_s};
    services.classes.insert(u"quick"_s, LexicalClass::adjective);
    SecondOpinion::Taggers taggers(services);

    // Text, name, and whether it passes each gate: none, filters, tagger, context.
    const QList<std::tuple<QString, QString, QList<bool>>> cases{
        {u"met Ana at the loading gate"_s, u"Ana"_s, {true, true, true, true}},
        {u"Quick said the order is late"_s, u"Quick"_s, {true, false, false, false}},
        {u"Zork sent the order late again"_s, u"Zork"_s, {true, true, false, false}},
        {u"water the rose garden before noon"_s, u"rose"_s, {true, true, true, false}},
        {u"rose"_s, u"rose"_s, {true, true, true, true}},
    };
    for (const auto &[text, name, passes] : cases) {
        const Cell cell{{0, 1, 0}, u"Notes"_s, text, {}};
        const QList<TextRange> spans = SecondOpinion::locate(name, cell);
        ASSERT_EQ(spans.size(), 1) << text.toStdString();
        for (ModelGate gate : SecondOpinion::allModelGates())
            EXPECT_EQ(SecondOpinion::passesGate(gate, cell, spans[0], taggers), passes.at(static_cast<int>(gate)))
                << text.toStdString() << " at gate " << SecondOpinion::rawString(gate).toStdString();
    }
}

TEST(ModelSuggestions, TurnAnswersIntoSuggestionsForTheCellsAsTheyAreNow)
{
    const Spreadsheet sheet = csvSheet({u"Notes,Company"_s, u"met ANA today,Ana Inc"_s, u"call Bo,x"_s,
                                        u"met ANA today,y"_s, u"Bo is new here,z"_s,
                                        u"all good,v"_s, u"sent the parcel,w"_s});
    const Scan scan = guessedScan(sheet, {ColumnKind::autoDetect, ColumnKind::autoDetect});
    FakeTextServices services;
    services.names = {u"Ana"_s, u"Bo"_s};
    using Answer = SecondOpinion::ModelAnswer;
    const QList<Answer> answers{
        {u"Notes"_s, u"met ANA today"_s, {u"ana"_s, u"Ana"_s}, std::nullopt, 5},
        {u"Notes"_s, u"call Bo"_s, {}, u"timeout"_s, 5},
        {u"Notes"_s, u"Bo is old here"_s, {u"Bo"_s}, std::nullopt, 5}, // the cell has changed since
        {u"Company"_s, u"Ana Inc"_s, {u"Ana"_s}, std::nullopt, 5},    // never a candidate
    };
    const QList<NameSuggestion> list =
        SecondOpinion::suggestions(answers, sheet, scan, ScanOptions{}, ModelGate::context, services);
    ASSERT_EQ(idsOf(list), QStringList{u"model|name|ana"_s});
    EXPECT_EQ(list[0].text, u"ANA"_s);
    EXPECT_EQ(list[0].target.cellRefs(), (QList<CellRef>{{0, 1, 0}, {0, 3, 0}}));
}
