#include "kit/files/Spreadsheet.h"
#include "kit/restore/ClipboardRestore.h"
#include "kit/restore/Restorer.h"
#include "tests/ProgressLog.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// A key whose stand-ins are fixed by hand, so each expectation can name them.
ProjectKey handMadeKey()
{
    ProjectKey key(u"Clinic"_s);
    key.record({EntryKind::firstName, u"Maria"_s, u"Mateo"_s});
    key.record({EntryKind::lastName, u"Lopez"_s, u"Okafor"_s});
    key.record({EntryKind::city, u"Portland"_s, u"Cedarhaven"_s});
    key.record({EntryKind::city, u"Salem"_s, u"Cedarhaven Springs"_s});
    key.record({EntryKind::email, u"maria.lopez@acme.com"_s, u"mateo.okafor@example.com"_s});
    key.record({EntryKind::phone, u"415-867-5309"_s, u"2125550142"_s});
    key.record({EntryKind::phone, u"867-5310"_s, u"5550177"_s});
    key.record({EntryKind::phone, u"1-503-867-2841"_s, u"3125550199"_s});
    key.record({EntryKind::phone, u"+44 20 7946 0958"_s, u"6465550123"_s});
    key.record({EntryKind::street, u"12 Main St."_s, u"4821 Larkspur Ave"_s});
    key.record({EntryKind::street, u"9 Elm Road"_s, u"77 Birch Ln"_s});
    key.record({EntryKind::zip, u"97201"_s, u"31415"_s});
    return key;
}

} // namespace

// Each row: a text with stand-ins, how many it holds, and the real text.
TEST(Restorer, EachKindComesBackInTheFormItIsWritten)
{
    const QList<std::tuple<QString, int, QString>> cases{
        {u"Mateo Okafor called; MATEO OKAFOR again."_s, 4, u"Maria Lopez called; MARIA LOPEZ again."_s},
        {u"Ask Mateo’s sister and Mateo's aunt."_s, 2, u"Ask Maria’s sister and Maria's aunt."_s},
        {u"mateo okafor"_s, 2, u"maria lopez"_s},
        // Text that leaves no space between words takes the stand-in as it was put in.
        {u"Mateo先生来电，Okafor様より、Cedarhaven駅で"_s, 3, u"Maria先生来电，Lopez様より、Portland駅で"_s},
        {u"คุณMateoโทรมา, Mateo가, لـMateo, לMateo"_s, 4, u"คุณMariaโทรมา, Maria가, لـMaria, לMaria"_s},
        {u"Okafor-san and Mateo-SAMA; Mateo-Okafor"_s, 2, u"Lopez-san and Maria-SAMA; Mateo-Okafor"_s},
        // A stand-in of two words is one town, whatever its case.
        {u"Moved to Cedarhaven Springs."_s, 1, u"Moved to Salem."_s},
        {u"CEDARHAVEN SPRINGS, cedarhaven springs"_s, 2, u"SALEM, salem"_s},
        {u"Write to mateo.okafor@example.com."_s, 1, u"Write to maria.lopez@acme.com."_s},
        {u"MATEO.OKAFOR@EXAMPLE.COM"_s, 1, u"MARIA.LOPEZ@ACME.COM"_s},
        // A whole cell that is one stand-in: its name words stay inside it.
        {u"Mateo.Okafor@example.com"_s, 1, u"maria.lopez@acme.com"_s},
        {u"4821 Larkspur Ave"_s, 1, u"12 Main St."_s},
        {u"mateo.okafor@example.org"_s, 0, u"mateo.okafor@example.org"_s},
        {u"Call (212) 555-0142 now"_s, 1, u"Call (415) 867-5309 now"_s},
        {u"Call 212.555.0142 or 555-0177"_s, 2, u"Call 415.867.5309 or 867-5310"_s},
        {u"Call 2125550142"_s, 1, u"Call 4158675309"_s},
        // The real number takes the stand-in's layout, country code and all,
        // unless its digits do not fit it.
        {u"Call +1 212 555 0142 or 312-555-0199"_s, 2, u"Call +1 415 867 5309 or 503-867-2841"_s},
        {u"Fax 1 (312) 555-0199, (646) 555-0123"_s, 2, u"Fax 1 (503) 867-2841, +44 20 7946 0958"_s},
        // A 10-digit stand-in written without its area code is another number.
        {u"ext 555-0142"_s, 0, u"ext 555-0142"_s}, {u"ID 21255501420"_s, 0, u"ID 21255501420"_s},
        // Streets and ZIP codes need their context.
        {u"we met at 4821 Larkspur Ave."_s, 1, u"we met at 12 Main St."_s},
        {u"at 48210 Larkspur Ave or 4821 larkspur ave"_s, 1, u"at 48210 Larkspur Ave or 12 main st."_s},
        // A reply may spell the stand-in's street type out; another type is another street.
        {u"4821 Larkspur Avenue, 4821 Larkspur Road"_s, 1, u"12 Main St., 4821 Larkspur Road"_s},
        // A period after the stand-in ends the sentence when the real street has none.
        {u"Sent to 77 Birch Ln. Then 77 Birch Lane."_s, 2, u"Sent to 9 Elm Road. Then 9 Elm Road."_s},
        {u"Cedarhaven, OR\u00A0\u00A031415"_s, 2, u"Portland, OR\u00A0\u00A097201"_s},
        {u"invoice 31415"_s, 0, u"invoice 31415"_s},
    };
    const Restorer restorer(handMadeKey());
    QStringList texts, reals;
    int total = 0;
    for (const auto &[text, count, real] : cases) {
        const Restorer::TextResult result = restorer.restore(text);
        EXPECT_EQ(std::pair(result.text, result.count), std::pair(real, count)) << text.toStdString();
        texts.append(text);
        reals.append(real);
        total += count;
    }
    // All in one pasted text, each pass's finds interleaved with the others'.
    const Restorer::TextResult all = restorer.restore(texts.join(u"\n;\n"_s));
    EXPECT_EQ(std::pair(all.text, all.count), std::pair(reals.join(u"\n;\n"_s), total));
}

// The key keeps the first spelling it met; each occurrence comes back in its own.
TEST(Restorer, RealValuesTakeTheCaseOfWhatTheyReplace)
{
    ProjectKey key(u"Shop"_s);
    key.record({EntryKind::lastName, u"GARCÍA"_s, u"Alvarado"_s});
    key.record({EntryKind::firstName, u"anjali"_s, u"Wren"_s});
    key.record({EntryKind::firstName, u"Tariq"_s, u"Silas"_s});
    key.record({EntryKind::lastName, u"McDonald"_s, u"Costa"_s});
    const QList<std::pair<QString, QString>> cases{
        {u"Rose Alvarado, ROSE ALVARADO, alvarado"_s, u"Rose García, ROSE GARCÍA, garcía"_s},
        {u"Wren called; WREN too"_s, u"Anjali called; ANJALI too"_s},
        // "wren" and "costa" are everyday words: only a name beside them, or a
        // text of nothing but names, shows they are stand-ins.
        {u"a wren sang by the costa"_s, u"a wren sang by the costa"_s},
        {u"silas wren; wren silas"_s, u"tariq anjali; anjali tariq"_s},
        {u"met wren costa today"_s, u"met anjali mcdonald today"_s},
        // ...or words around it that show a person, as they showed the scan.
        {u"Called wren re invoice"_s, u"Called anjali re invoice"_s},
        {u"thx, wren"_s, u"thx, anjali"_s},
        {u"costa, wren"_s, u"mcdonald, anjali"_s},
        {u"k. costa"_s, u"k. mcdonald"_s},
        {u"Costa"_s, u"McDonald"_s},
        {u"silas.costa@example.com"_s, u"silas.costa@example.com"_s},
    };
    const Restorer restorer(key);
    for (const auto &[text, real] : cases)
        EXPECT_EQ(restorer.restore(text).text, real) << text.toStdString();
}

TEST(Restorer, EarlierPassesWinOverlapsAndRepeatsAllCount)
{
    ProjectKey key = handMadeKey();
    key.record({EntryKind::email, u"desk@acme.com"_s, u"555-0177@example.net"_s});
    const auto result = Restorer(key).restore(u"555-0177@example.net, 555-0177 and 555-0177"_s);
    EXPECT_EQ(result.text, u"desk@acme.com, 867-5310 and 867-5310");
    EXPECT_EQ(result.count, 3);
}

TEST(ClipboardRestore, OutcomesAndTheirMessages)
{
    const ProjectKey key = handMadeKey();
    using Outcome = ClipboardRestore::Outcome;

    EXPECT_EQ(ClipboardRestore::restore(u"Mateo"_s, nullptr), Outcome::noKey());
    EXPECT_EQ(ClipboardRestore::restore(std::nullopt, &key), Outcome::noText());
    EXPECT_EQ(ClipboardRestore::restore(u" \n\t "_s, &key), Outcome::noText());
    EXPECT_EQ(ClipboardRestore::restore(u"nothing here"_s, &key), Outcome::nothingFound());

    const Outcome one = ClipboardRestore::restore(u"\n  Dear Mateo,\n"_s, &key);
    EXPECT_EQ(one, Outcome::restored(u"\n  Dear Maria,\n"_s, 1));
    EXPECT_EQ(one.message(key.name()), u"Restored 1 value. The clipboard has the real text.");
    const Outcome two = ClipboardRestore::restore(u"Mateo Okafor"_s, &key);
    EXPECT_EQ(two.message(key.name()), u"Restored 2 values. The clipboard has the real text.");

    EXPECT_EQ(Outcome::noKey().message(u""_s), u"Choose a key, and unlock it if it has a passphrase.");
    EXPECT_EQ(Outcome::noText().message(u"Clinic"_s), u"The clipboard has no text. Copy the reply first.");
    EXPECT_EQ(Outcome::nothingFound().message(u"Clinic"_s), u"No stand-ins from “Clinic” in the clipboard.");
}

namespace {

// Each text holds one stand-in and comes back as the real text.
void expectEachRestoredOnce(ProjectKey &key, const QList<std::pair<QString, QString>> &cases)
{
    for (const auto &[text, real] : cases) {
        const ClipboardRestore::Outcome outcome = ClipboardRestore::restore(text, &key);
        EXPECT_EQ(std::pair(outcome.text, outcome.count), std::pair(real, 1)) << text.toStdString();
    }
}

} // namespace

// Past the hundred fictional lines a seven-digit number gets a ten-digit
// stand-in, and past the 80 000 ten-digit ones a stand-in with an extension.
TEST(Restorer, PhoneStandInsOfTheWidenedFormsComeBack)
{
    ProjectKey key(u"Many phones"_s);
    key.record({EntryKind::phone, u"867-5309"_s, u"4155550142"_s});
    key.record({EntryKind::phone, u"415-867-5309"_s, u"2125550142x1234"_s});
    key.record({EntryKind::phone, u"415-867-5310"_s, u"2125550142"_s});
    const QList<std::pair<QString, QString>> cases{
        {u"Call (415) 555-0142."_s, u"Call 867-5309."_s},
        {u"Call 212-555-0142 x1234 today"_s, u"Call 415-867-5309 today"_s},
        {u"Call (212) 555-0142x1234"_s, u"Call (415) 867-5309"_s},
        // The country code in front does not hide the extension's stand-in.
        {u"Call +1 212 555 0142 x1234"_s, u"Call +1 415 867 5309"_s},
        {u"Call 1-212-555-0142x1234"_s, u"Call 1-415-867-5309"_s},
        // An extension the key does not know stays with the text.
        {u"Call 212-555-0142 x9999"_s, u"Call 415-867-5310 x9999"_s},
    };
    expectEachRestoredOnce(key, cases);
}

// A number from abroad never has its digits laid over the stand-in's country
// code, however a reply writes the stand-in.
TEST(Restorer, ANumberFromAbroadComesBackAsStored)
{
    ProjectKey key(u"Abroad"_s);
    key.record({EntryKind::phone, u"+34 612 345 678"_s, u"9195550158"_s});
    key.record({EntryKind::phone, u"06 12 34 56 78"_s, u"3175550135"_s});
    key.record({EntryKind::phone, u"0819-500"_s, u"5550111"_s});
    const QList<std::pair<QString, QString>> cases{
        {u"Ring +1 919-555-0158."_s, u"Ring +34 612 345 678."_s},
        {u"Ring +1 919 555 0158."_s, u"Ring +34 612 345 678."_s},
        {u"Ring (317) 555-0135."_s, u"Ring 06 12 34 56 78."_s},
        // A layout of its own that the real number fits is still followed.
        {u"Ring 317.555.0135."_s, u"Ring 061.234.5678."_s},
        // Digits in front that are no area code of a stand-in stay with the text.
        {u"Ring (822) 555-0111 3"_s, u"Ring (822) 0819-500 3"_s},
    };
    expectEachRestoredOnce(key, cases);
}

TEST(Restorer, AFileRestoreReportsItsCellsFromNothingToAll)
{
    QByteArray csv = "Name,Phone\n";
    for (int r = 0; r < 2000; ++r)
        csv += "Mateo Okafor," + QByteArray::number(r % 2 ? 5550177 : 2125550142) + "\n";
    const Spreadsheet file(csv, u"returned.csv"_s);
    test::ProgressLog log;
    const Restorer::FileResult result = Restorer(handMadeKey()).restore(file, log.report());
    log.expectRanToItsEnd(Progress::Stage::restoring);
    EXPECT_EQ(log.reports.last().total, file.offeredCellCount());
    EXPECT_EQ(result.count, 6000);
}

// Columns whose texts repeat restore each text once; every cell must still
// come out as it would alone, in a column that repeats, one whose texts are
// all new and one that changes its mind after many rows.
TEST(Restorer, AFileRestoresEachCellAsItsTextAlone)
{
    const QStringList repeating{u"Mateo Okafor"_s, u"Cedarhaven"_s, u"nobody"_s, u"(212) 555-0142"_s, u""_s};
    QByteArray csv;
    QByteArray expected;
    int count = 0;
    const Restorer restorer(handMadeKey());
    for (int r = 0; r < 300; ++r) {
        const QStringList row{repeating.at(r % repeating.size()), u"Mateo %1"_s.arg(r),
                              r < 200 ? repeating.at(r % 2) : u"Okafor %1"_s.arg(r)};
        for (qsizetype c = 0; c < row.size(); ++c) {
            const Restorer::TextResult alone = restorer.restore(row.at(c));
            csv += (c ? "," : "") + row.at(c).toUtf8();
            expected += (c ? "," : "") + alone.text.toUtf8();
            count += alone.count;
        }
        csv += "\n";
        expected += "\n";
    }
    const Restorer::FileResult result = restorer.restore(Spreadsheet(csv, u"returned.csv"_s));
    EXPECT_EQ(result.data, expected);
    EXPECT_EQ(result.count, count);
}

// A key read straight into the restorer's table restores as the key it was
// read into, in every layout the quick reader takes or leaves to the JSON
// classes: repeated stand-ins, scripts beyond ASCII, escapes, repeated values.
TEST(Restorer, AKeyReadForRestoringAloneRestoresAsTheWholeKey)
{
    ProjectKey key = handMadeKey();
    key.record({EntryKind::firstName, u"Łukasz"_s, u"Oren"_s});
    key.record({EntryKind::lastName, u"李娜"_s, u"Øksendal"_s});
    key.record({EntryKind::city, u"Kraków"_s, u"Łęczyca"_s});
    key.record({EntryKind::phone, u"415-867-5311"_s, u"2125550143x77"_s});
    key.record({EntryKind::lastName, u"Brown"_s, u"Okafor"_s});
    key.record({EntryKind::zip, u"62704-1234"_s, u"27182-0042"_s});
    const QByteArray plain = key.toJson();
    QByteArray repeated = plain;
    repeated.replace("{\"kind\":\"firstName\",\"real\":\"Maria\",\"standIn\":\"Mateo\"}",
                     "{\"kind\":\"firstName\",\"real\":\"Maria\",\"standIn\":\"Mateo\"},"
                     "{\"kind\":\"firstName\",\"real\":\"MARIA\",\"standIn\":\"Oren\"}");
    ASSERT_NE(repeated, plain);
    // The same real value written two ways, one only the general rule reads.
    QByteArray spaced = plain;
    spaced.replace("{\"kind\":\"firstName\",\"real\":\"Maria\",\"standIn\":\"Mateo\"}",
                   "{\"kind\":\"firstName\",\"real\":\"Maria\",\"standIn\":\"Mateo\"},"
                   "{\"kind\":\"firstName\",\"real\":\" Maria\",\"standIn\":\"Ansel\"}");
    ASSERT_NE(spaced, plain);
    ProjectKey escaping = key;
    escaping.record({EntryKind::street, u"1 \"Old\" Rd"_s, u"77 Quay Lane"_s});
    const QString text = u"Mateo Okafor of Cedarhaven Springs, mateo.okafor@example.com, (212) 555-0142, "
                         "212-555-0143 x77, 5550177, 4821 Larkspur Ave, OR 31415. Oren Øksendal, ŁĘCZYCA; "
                         "77 Quay Lane. Ansel. IL 27182-0043, IL 27182"_s;
    for (const QByteArray &json : {plain, repeated, spaced, escaping.toJson()}) {
        const Restorer whole(ProjectKey::fromJson(json));
        const Restorer quick = Restorer::fromKeyJson(json);
        EXPECT_EQ(quick.restore(text).text, whole.restore(text).text);
        EXPECT_TRUE(quick.restore(text).text.endsWith(u"IL 62704-1235, IL 62704"_s)) << json.constData();
        EXPECT_EQ(quick.restore(text).count, whole.restore(text).count);
        EXPECT_EQ(quick.key().name(), whole.key().name());
    }
    EXPECT_NE(Restorer::fromKeyJson(plain).restore(text).text, text);
}
