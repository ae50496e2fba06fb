// Stand-ins are the product's promise: one key and one value give the same
// stand-in on every run and machine. The expected values below come from the
// separate implementation in scripts/standins.py, run with the same secret.
#include "kit/keys/Candidates.h"
#include "kit/keys/ProjectKey.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

QByteArray fixedSecret()
{
    QByteArray secret;
    for (char i = 0; i < 32; ++i)
        secret.append(i);
    return secret;
}

ProjectKey fixedKey()
{
    return ProjectKey(u"Golden"_s, QUuid(), QDateTime(), fixedSecret());
}

struct Golden
{
    EntryKind kind;
    QString real;
    int attempt;
    QString expected;
};

// John → Mateo and Smith → Okafor are in the key, so e-mail addresses built
// from them take the name-based form.
const QList<Golden> goldenCandidates{
    {EntryKind::firstName, u"John"_s, 0, u"Nina"_s},
    {EntryKind::firstName, u"MARIA"_s, 0, u"AYLA"_s},
    {EntryKind::firstName, u"maria"_s, 0, u"ayla"_s},
    {EntryKind::firstName, u"J"_s, 0, u"Felipe"_s},
    {EntryKind::firstName, u"  Mary   Ann "_s, 0, u"Tessa"_s},
    {EntryKind::firstName, u"John"_s, 531, u"Desmond"_s},
    {EntryKind::firstName, u"John"_s, 532, u"Emilia-Josefina"_s},
    {EntryKind::firstName, u"john"_s, 533, u"lionel-alina"_s},
    {EntryKind::lastName, u"Smith"_s, 0, u"Ibarra"_s},
    {EntryKind::lastName, u"VAN DER BERG"_s, 0, u"SODERBERG"_s},
    {EntryKind::lastName, u"o'neil"_s, 0, u"yilmaz"_s},
    {EntryKind::lastName, u"Smith"_s, 479, u"Rahman"_s},
    {EntryKind::lastName, u"Smith"_s, 480, u"Santoro-Orozco"_s},
    {EntryKind::lastName, u"SMITH"_s, 480, u"SANTORO-OROZCO"_s},
    {EntryKind::city, u"Boston"_s, 0, u"Stonedale"_s},
    {EntryKind::city, u"new york"_s, 0, u"coppercrest"_s},
    {EntryKind::city, u"Boston"_s, 599, u"Quillbrook"_s},
    {EntryKind::city, u"Boston"_s, 600, u"Copperfield Springs"_s},
    {EntryKind::city, u"Boston"_s, 601, u"Ivydale Heights"_s},
    {EntryKind::city, u"Boston"_s, 602, u"Millbury Junction"_s},
    {EntryKind::city, u"Boston"_s, 603, u"Copperhaven Corners"_s},
    {EntryKind::city, u"Boston"_s, 604, u"Ivyford Mills"_s},
    {EntryKind::city, u"BOSTON"_s, 605, u"IVYPORT SPRINGS"_s},
    {EntryKind::street, u"12 Main St."_s, 0, u"5221 Evergreen Trl"_s},
    {EntryKind::street, u"7 Elm Street"_s, 0, u"4932 Elderberry Court"_s},
    {EntryKind::street, u"7 Elm Way"_s, 0, u"2988 Quailrun Boulevard"_s},
    {EntryKind::street, u"12 MAIN ST"_s, 0, u"5221 EVERGREEN TRL"_s},
    {EntryKind::street, u"   "_s, 0, u"7326 Saltmarsh Street"_s},
    {EntryKind::street, u"4 Oak blvd."_s, 0, u"7143 Wisteria Ave"_s},
    {EntryKind::street, u"Apt 4, 12 Main St"_s, 0, u"601 Driftwood Trl"_s},
    {EntryKind::phone, u"867-5309"_s, 0, u"5550167"_s},
    {EntryKind::phone, u"+1 (415) 867-5309"_s, 0, u"5025550117"_s},
    {EntryKind::phone, u"415.867.5309"_s, 0, u"5025550117"_s},
    {EntryKind::phone, u"12345"_s, 0, u"2135550189"_s},
    {EntryKind::phone, u"4158675309"_s, 1999, u"5135550145"_s},
    {EntryKind::phone, u"4158675309"_s, 2000, u"2795550183"_s},
    {EntryKind::phone, u"867-5309"_s, 2000, u"5550190"_s},
    {EntryKind::zip, u"02139"_s, 0, u"40567"_s},
    {EntryKind::zip, u"02139-4307"_s, 0, u"40567-6206"_s},
    {EntryKind::zip, u"2139"_s, 0, u"85371"_s},
    {EntryKind::zip, u"021394307"_s, 0, u"40567-6206"_s},
    {EntryKind::email, u"john.smith42@mail.com"_s, 0, u"mateo.okafor78@example.net"_s},
    {EntryKind::email, u"jsmith@x.org"_s, 0, u"keriksen@example.org"_s},
    {EntryKind::email, u"john_smith@x.org"_s, 0, u"mateo_okafor@example.org"_s},
    {EntryKind::email, u"averyverylongname@x.org"_s, 0, u"theodorabhatt@example.com"_s},
    {EntryKind::email, u"JOHN.SMITH@X.COM"_s, 0, u"mateo.okafor@example.net"_s},
    {EntryKind::email, u"12345@x.org"_s, 0, u"eulloa4142@example.org"_s},
    {EntryKind::email, u"@@@"_s, 0, u"zzielinski@example.com"_s},
    {EntryKind::email, u"john.doe@x.org"_s, 0, u"eliana.underwood@example.com"_s},
    {EntryKind::email, u"smith+1234567890123@x.org"_s, 0, u"okafor+5940895690777@example.net"_s},
    {EntryKind::email, u".john@x.org"_s, 0, u".mateo@example.com"_s},
    {EntryKind::email, u"john.smith42@mail.com"_s, 1, u"mateo.okafor381@example.com"_s},
    {EntryKind::email, u"john.smith42@mail.com"_s, 49, u"mateo.okafor2949@example.net"_s},
    {EntryKind::email, u"john.smith42@mail.com"_s, 50, u"sanjay.jorgensen50@example.net"_s},
    {EntryKind::email, u"bob12345678@x.org"_s, 50, u"mirairizarry7601@example.org"_s},
    {EntryKind::email, u"bob@x.org"_s, 50, u"wherrera@example.com"_s},
    {EntryKind::email, u"x@y"_s, 3000, u"aacosta3000@example.com"_s},
    {EntryKind::email, u"mike.2@x"_s, 3000, u"leona.kapoor93000@example.com"_s},
};

} // namespace

TEST(StandInGolden, DigestIsTheFirstEightMacBytesBigEndian)
{
    EXPECT_EQ(fixedKey().digest(u"firstName|john"_s, 0, {}), 17341349158900119917ULL);
}

TEST(StandInGolden, CandidatesAtEveryFormSwitch)
{
    ProjectKey key = fixedKey();
    key.record({EntryKind::firstName, u"John"_s, u"Mateo"_s});
    key.record({EntryKind::lastName, u"Smith"_s, u"Okafor"_s});
    for (const Golden &golden : goldenCandidates) {
        const QString norm = ProjectKey::normalized(golden.real, golden.kind);
        const QString seed = rawString(golden.kind) + u'|' + norm;
        EXPECT_EQ(candidate(key, golden.kind, golden.real, norm, seed, golden.attempt), golden.expected)
            << rawString(golden.kind).toStdString() << " " << golden.real.toStdString() << " at attempt "
            << golden.attempt;
    }
}

// More values than a pool has single entries: later values are pushed into
// double-barrelled names, town extras, and for seven-digit phones (only 100
// stand-ins exist) past the 4000-attempt bound.
TEST(StandInGolden, AssigningPastEveryPoolMatchesTheReferenceSequence)
{
    QList<std::pair<EntryKind, QString>> values;
    for (int i = 1; i <= 300; ++i)
        values.append({EntryKind::firstName, u"Person"_s + QString::number(i)});
    for (int i = 1; i <= 500; ++i)
        values.append({EntryKind::city, u"Town"_s + QString::number(i)});
    for (int i = 100; i <= 204; ++i)
        values.append({EntryKind::phone, u"555-0"_s + QString::number(i)});
    for (int i = 1; i <= 250; ++i)
        values.append({EntryKind::lastName, u"Family"_s + QString::number(i)});
    for (int i = 1; i <= 60; ++i)
        values.append({EntryKind::email, u"user"_s + QString::number(i) + u"@mail.com"_s});

    ProjectKey key = fixedKey();
    QByteArray transcript;
    QStringList lines;
    for (const auto &[kind, real] : values) {
        lines.append(real + u'\t' + key.assignSubstitute(real, kind, {}));
        transcript += lines.last().toUtf8() + '\n';
    }
    ASSERT_EQ(lines.size(), 1215);
    EXPECT_EQ(lines.at(265), u"Person266\tValeria-Leopold");
    EXPECT_EQ(lines.at(266), u"Person267\tJavier");
    EXPECT_EQ(lines.at(299), u"Person300\tYvette-Lucinda");
    EXPECT_EQ(lines.at(779), u"Town480\tCopperhaven");
    EXPECT_EQ(lines.at(780), u"Town481\tAmberbrook Springs");
    EXPECT_EQ(lines.at(793), u"Town494\tHollyton Heights");
    EXPECT_EQ(lines.at(900), u"555-0200\t5550122");
    EXPECT_EQ(lines.at(904), u"555-0204\t5550178");
    EXPECT_EQ(lines.at(1154), u"Family250\tPellegrino-Bocelli");
    EXPECT_EQ(lines.at(1214), u"user60@mail.com\tpnikolaidis06@example.net");
    EXPECT_EQ(QCryptographicHash::hash(transcript, QCryptographicHash::Sha256).toHex(),
              "f13ccdad3b865e03c186d07d643fde149df9328a3a2b9cecf87c67995bd41396");
}
