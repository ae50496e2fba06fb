// Stand-ins are the product's promise: one key and one value give the same
// stand-in on every run and machine. The expected values below come from the
// separate implementation in scripts/standins.py, run with the same secret.
#include "kit/keys/Candidates.h"
#include "kit/keys/ProjectKey.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>

#include <numeric>

using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

// The secret 00 01 02 … 1f.
ProjectKey fixedKey()
{
    QByteArray secret(32, '\0');
    std::iota(secret.begin(), secret.end(), char(0));
    return ProjectKey(u"Golden"_s, QUuid(), QDateTime(), secret);
}

// John → Mateo and Smith → Okafor are in the key, so e-mail addresses built
// from them take the name-based form.
using K = EntryKind;
// Kind, real value, attempt, stand-in.
const QList<std::tuple<EntryKind, QString, int, QString>> goldenCandidates{
    {K::firstName, u"John"_s, 0, u"Nina"_s}, {K::firstName, u"MARIA"_s, 0, u"AYLA"_s},
    {K::firstName, u"maria"_s, 0, u"ayla"_s}, {K::firstName, u"J"_s, 0, u"Felipe"_s},
    {K::firstName, u"  Mary   Ann "_s, 0, u"Tessa"_s}, {K::firstName, u"John"_s, 531, u"Desmond"_s},
    {K::firstName, u"John"_s, 532, u"Emilia-Josefina"_s}, {K::firstName, u"john"_s, 533, u"lionel-alina"_s},
    {K::lastName, u"Smith"_s, 0, u"Ibarra"_s}, {K::lastName, u"VAN DER BERG"_s, 0, u"SODERBERG"_s},
    {K::lastName, u"o'neil"_s, 0, u"yilmaz"_s}, {K::lastName, u"Smith"_s, 479, u"Rahman"_s},
    {K::lastName, u"Smith"_s, 480, u"Santoro-Orozco"_s}, {K::lastName, u"SMITH"_s, 480, u"SANTORO-OROZCO"_s},
    {K::city, u"Boston"_s, 0, u"Stonedale"_s}, {K::city, u"new york"_s, 0, u"coppercrest"_s},
    {K::city, u"Boston"_s, 599, u"Quillbrook"_s}, {K::city, u"Boston"_s, 600, u"Copperfield Springs"_s},
    {K::city, u"Boston"_s, 601, u"Ivydale Heights"_s}, {K::city, u"Boston"_s, 602, u"Millbury Junction"_s},
    {K::city, u"Boston"_s, 603, u"Copperhaven Corners"_s}, {K::city, u"Boston"_s, 604, u"Ivyford Mills"_s},
    {K::city, u"BOSTON"_s, 605, u"IVYPORT SPRINGS"_s}, {K::street, u"12 Main St."_s, 0, u"5221 Evergreen Trl"_s},
    {K::street, u"7 Elm Street"_s, 0, u"4932 Elderberry Court"_s},
    {K::street, u"7 Elm Way"_s, 0, u"2988 Quailrun Boulevard"_s},
    {K::street, u"12 MAIN ST"_s, 0, u"5221 EVERGREEN TRL"_s}, {K::street, u"   "_s, 0, u"7326 Saltmarsh Street"_s},
    {K::street, u"4 Oak blvd."_s, 0, u"7143 Wisteria Ave"_s},
    {K::street, u"Apt 4, 12 Main St"_s, 0, u"601 Driftwood Trl"_s}, {K::phone, u"867-5309"_s, 0, u"5550167"_s},
    {K::phone, u"+1 (415) 867-5309"_s, 0, u"5025550117"_s}, {K::phone, u"415.867.5309"_s, 0, u"5025550117"_s},
    {K::phone, u"12345"_s, 0, u"2135550189"_s}, {K::phone, u"4158675309"_s, 1999, u"5135550145"_s},
    {K::phone, u"4158675309"_s, 2000, u"2795550183"_s}, {K::phone, u"867-5309"_s, 2000, u"5550190"_s},
    {K::zip, u"02139"_s, 0, u"40567"_s}, {K::zip, u"02139-4307"_s, 0, u"40567-6206"_s},
    {K::zip, u"2139"_s, 0, u"85371"_s}, {K::zip, u"021394307"_s, 0, u"40567-6206"_s},
    {K::email, u"john.smith42@mail.com"_s, 0, u"mateo.okafor78@example.net"_s},
    {K::email, u"jsmith@x.org"_s, 0, u"keriksen@example.org"_s},
    {K::email, u"john_smith@x.org"_s, 0, u"mateo_okafor@example.org"_s},
    {K::email, u"averyverylongname@x.org"_s, 0, u"theodorabhatt@example.com"_s},
    {K::email, u"JOHN.SMITH@X.COM"_s, 0, u"mateo.okafor@example.net"_s},
    {K::email, u"12345@x.org"_s, 0, u"eulloa4142@example.org"_s},
    {K::email, u"@@@"_s, 0, u"zzielinski@example.com"_s},
    {K::email, u"john.doe@x.org"_s, 0, u"eliana.underwood@example.com"_s},
    {K::email, u"smith+1234567890123@x.org"_s, 0, u"okafor+5940895690777@example.net"_s},
    {K::email, u".john@x.org"_s, 0, u".mateo@example.com"_s},
    {K::email, u"john.smith42@mail.com"_s, 1, u"mateo.okafor381@example.com"_s},
    {K::email, u"john.smith42@mail.com"_s, 49, u"mateo.okafor2949@example.net"_s},
    {K::email, u"john.smith42@mail.com"_s, 50, u"sanjay.jorgensen50@example.net"_s},
    {K::email, u"bob12345678@x.org"_s, 50, u"mirairizarry7601@example.org"_s},
    {K::email, u"bob@x.org"_s, 50, u"wherrera@example.com"_s},
    {K::email, u"x@y"_s, 3000, u"aacosta3000@example.com"_s},
    {K::email, u"mike.2@x"_s, 3000, u"leona.kapoor93000@example.com"_s},
    // The widened families, from attempt 4000 on.
    {K::firstName, u"John"_s, 4000, u"Corrine-Magnus-Omar"_s}, {K::lastName, u"SMITH"_s, 4000, u"TRAN-YILMAZ-SCHREIBER"_s},
    {K::city, u"Boston"_s, 4000, u"Elderridge-Stonewick Hills"_s}, {K::phone, u"867-5309"_s, 4000, u"4035550138"_s},
    {K::phone, u"867-5309"_s, 7999, u"7875550184"_s}, {K::phone, u"867-5309"_s, 8000, u"5345550185x4433"_s},
    {K::phone, u"4158675309"_s, 4000, u"4675550102x3615"_s}, {K::zip, u"02139"_s, 4000, u"54693"_s},
    {K::zip, u"02139-4307"_s, 4000, u"54693-9982"_s},
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
    for (const auto &[kind, real, attempt, expected] : goldenCandidates) {
        const QString norm = ProjectKey::normalized(real, kind);
        EXPECT_EQ(candidate(key, kind, real, norm, rawString(kind) + u'|' + norm, attempt), expected)
            << rawString(kind).toStdString() << " " << real.toStdString() << " at attempt " << attempt;
    }
}

// More values than a pool has single entries: later values are pushed into
// double-barrelled names, town extras, and for seven-digit phones (only 100
// stand-ins exist) into ten-digit numbers past attempt 4000.
TEST(StandInGolden, AssigningPastEveryPoolMatchesTheReferenceSequence)
{
    const std::tuple<EntryKind, QString, int, int, QString> runs[]{
        {EntryKind::firstName, u"Person"_s, 1, 300, {}}, {EntryKind::city, u"Town"_s, 1, 500, {}},
        {EntryKind::phone, u"555-0"_s, 100, 204, {}},    {EntryKind::lastName, u"Family"_s, 1, 250, {}},
        {EntryKind::email, u"user"_s, 1, 60, u"@mail.com"_s}};
    // One "real<TAB>stand-in" line a value, as the reference script prints them.
    ProjectKey key = fixedKey();
    QByteArray transcript;
    for (const auto &[kind, prefix, first, last, suffix] : runs)
        for (int i = first; i <= last; ++i) {
            const QString real = prefix + QString::number(i) + suffix;
            transcript += (real + u'\t' + key.assignSubstitute(real, kind, {}) + u'\n').toUtf8();
        }
    EXPECT_EQ(QCryptographicHash::hash(transcript, QCryptographicHash::Sha256).toHex(),
              "040e3c300cd680ff27801be2c8db77446489d1c42b0d4c285fca094b53eccc9e");
}
