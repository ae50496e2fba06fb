#include "Printing.h"

#include "kit/find/Detector.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace quorvane;

namespace {

struct Case
{
    QString text;
    QStringList names;
};

// The name findings of a free-text cell, as written.
QStringList namesIn(const QString &text)
{
    Detector detector;
    QStringList names;
    for (const Finding &finding : detector.findings(text, ColumnKind::autoDetect))
        if (finding.kind == ValueKind::name)
            names.append(finding.text);
    return names;
}

void expectNames(const QList<Case> &cases)
{
    for (const Case &c : cases)
        EXPECT_EQ(namesIn(c.text), c.names) << c.text.toStdString();
}

} // namespace

TEST(NameKinds, GivenNamesThatAreAlsoPlacesMonthsOrWords)
{
    expectNames({{u"Brighton Dunmore called about the pallet."_s, {u"Brighton Dunmore"_s}},
                 {u"Please ask Sydney about the invoice."_s, {u"Sydney"_s}},
                 {u"Forrest Gale said the van is late."_s, {u"Forrest Gale"_s}},
                 {u"Thanks August Brinkley for the quote."_s, {u"August Brinkley"_s}},
                 {u"India Halvorsen is out until Monday."_s, {u"India Halvorsen"_s}},
                 {u"Sterling Okafor approved the refund."_s, {u"Sterling Okafor"_s}},
                 {u"Paris Whitcombe sent the Paris figures."_s, {u"Paris Whitcombe"_s}},
                 {u"Blessing Mwangi paid by card."_s, {u"Blessing Mwangi"_s}},
                 {u"Waiting on Mr Clement Osei to sign."_s, {u"Clement Osei"_s}},
                 {u"Wednesday Holloway phoned about the invoice."_s, {u"Wednesday Holloway"_s}},
                 {u"Thursday Obuya is covering the phones today."_s, {u"Thursday Obuya"_s}},
                 {u"Our new tenant Christmas Okorie moves in on the 1st."_s, {u"Christmas Okorie"_s}},
                 {u"Friday Standup is cancelled."_s, {}},
                 {u"Bill forwarded to accounts for approval."_s, {}},
                 {u"Bill sent Ayesha the revised quote."_s, {u"Bill"_s, u"Ayesha"_s}},
                 {u"Monday Dispatch was late again."_s, {}},
                 {u"Sunday Obiekwe dropped off the keys."_s, {u"Sunday Obiekwe"_s}},
                 {u"Madison will call back after lunch."_s, {u"Madison"_s}},
                 {u"Georgia from the kitchen is off today."_s, {u"Georgia"_s}},
                 {u"can Summer call me back? she has the details"_s, {u"Summer"_s}},
                 {u"Will Sinclair confirm the order?"_s, {u"Sinclair"_s}},
                 {u"Autumn handles all the refunds now."_s, {u"Autumn"_s}},
                 {u"Will Apple release it?"_s, {}},
                 {u"Chicago handles the returns."_s, {}},
                 {u"Our driver Dallas will bring the pallets."_s, {u"Dallas"_s}},
                 {u"Maria and Luis will join."_s, {u"Maria"_s, u"Luis"_s}},
                 {u"As Dragović pointed out, the meter is wrong."_s, {u"Dragović"_s}},
                 {u"Victoria from HR called."_s, {u"Victoria"_s}},
                 {u"Lunch with Sunday Adebayo moved."_s, {u"Sunday Adebayo"_s}},
                 {u"Morning Tadhg - invoice attached."_s, {u"Tadhg"_s}},
                 {u"Contract with Brightwater signed; quote from Halden to follow."_s, {}},
                 {u"per convo w ravi they'll reship monday"_s, {u"ravi"_s}},
                 {u"Ivory Tremlett is our contact at the agency."_s, {u"Ivory Tremlett"_s}},
                 {u"ok so yesenia is out today, kwabena is covering the phones"_s, {u"yesenia"_s, u"kwabena"_s}},
                 {u"lol oksana already fixed it"_s, {u"oksana"_s}},
                 {u"bjørn and solveig both called"_s, {u"bjørn"_s, u"solveig"_s}},
                 {u"told the customer that rashida would call back"_s, {u"rashida"_s}},
                 {u"waiting for yusuf, left a note for oisin"_s, {u"yusuf"_s, u"oisin"_s}},
                 {u"ok so vpn is out again, outlook already crashed twice"_s, {}},
                 {u"The printer driver Update failed."_s, {}},
                 {u"Paris is expensive in June."_s, {}},
                 {u"Sydney will be hot next week."_s, {}},
                 {u"We ship to India and Kenya."_s, {}},
                 {u"Customer moved from Memphis to Denver."_s, {}},
                 {u"Grace period ends Friday."_s, {}},
                 {u"Monday Standup moved to 10, Google Meet link sent."_s, {}}});
}

TEST(NameKinds, CapitalsAndLowerCase)
{
    expectNames({{u"CALLED GRETA MALMQVIST AGAIN, NO ANSWER"_s, {u"GRETA MALMQVIST"_s}},
                 {u"called anjali yesterday"_s, {u"anjali"_s}},
                 {u"bcc: ezra"_s, {u"ezra"_s}},
                 {u"hey wojtek, can you check the invoice?"_s, {u"wojtek"_s}},
                 {u"will loop in marisol tmrw"_s, {u"marisol"_s}},
                 {u"dispatch note: mateo swapping shifts today"_s, {u"mateo"_s}},
                 {u"waiting on okafor-lund to confirm, not on fedex"_s, {u"okafor-lund"_s}},
                 {u"spoke to maria about the refund"_s, {u"maria"_s}},
                 {u"meeting w jonas at 3, tell mike"_s, {u"jonas"_s, u"mike"_s}},
                 {u"mark the ticket as done, grace period ends in june"_s, {}},
                 {u"Courier left it with OYELARAN in reception."_s, {u"OYELARAN"_s}},
                 {u"pls mark as urgent"_s, {}},
                 {u"cc d.k. okafor on the reply"_s, {u"d.k. okafor"_s}},
                 {u"sanne n pieter both off today"_s, {u"sanne"_s, u"pieter"_s}},
                 {u"cc jonas, wiebke"_s, {u"jonas"_s, u"wiebke"_s}},
                 {u"Thanks Mark, I've closed it."_s, {u"Mark"_s}},
                 {u"april at reception says the fax is down"_s, {u"april"_s}},
                 {u"called june yesterday about the lease"_s, {u"june"_s}},
                 {u"kirsi from the helsinki office confirmed"_s, {u"kirsi"_s}},
                 {u"from will hargreaves: ok with the dates"_s, {u"will hargreaves"_s}},
                 {u"payment due by june 5, invoice from accounts says net 30"_s, {}},
                 {u"CUSTOMER DESMOND OKAFOR WANTS A CALLBACK"_s, {u"DESMOND OKAFOR"_s}},
                 {u"KOWALCZYK TO REVIEW BEFORE RELEASE"_s, {u"KOWALCZYK"_s}},
                 {u"SHIP VIA FEDEX GROUND"_s, {}},
                 {u"left msg for RADOMÍR PROCHÁZKA re invoice"_s, {u"RADOMÍR PROCHÁZKA"_s}},
                 {u"Payee: Olena Shevchuk, IBAN UA21 3223 1300"_s, {u"Olena Shevchuk"_s}},
                 {u"who can cover for ingrid on friday?"_s, {u"ingrid"_s}},
                 {u"i'm filling in for tomasz until he's back"_s, {u"tomasz"_s}},
                 {u"Yusuf is standing in for Marguerite this week."_s, {u"Yusuf"_s, u"Marguerite"_s}},
                 {u"no one to cover for lunch today"_s, {}},
                 {u"CUSTOMER PAID AT HALF PRICE, NO REFUND DUE"_s, {}},
                 {u"SOLD AT COST TO THE BAKER STREET BRANCH"_s, {}},
                 {u"RETURNED BY MARGIT HALVORSEN, REFUNDED AT FULL PRICE"_s, {u"MARGIT HALVORSEN"_s}},
                 {u"soren u there? need the deck"_s, {u"soren"_s}},
                 {u"hey mika you around?"_s, {u"mika"_s}},
                 {u"anyone u there? printer's down"_s, {}},
                 {u"lmk if oksana still needs the login"_s, {u"oksana"_s}}});
}

TEST(NameKinds, InitialsParticlesAndHyphens)
{
    expectNames({{u"Signed by R. Thackeray at the gate."_s, {u"R. Thackeray"_s}},
                 {u"J. K. Asamoah wants a copy."_s, {u"J. K. Asamoah"_s}},
                 {u"Anna P. Wisniewska approved it."_s, {u"Anna P. Wisniewska"_s}},
                 {u"Signed by H.-J. Oltmanns today."_s, {u"H.-J. Oltmanns"_s}},
                 {u"Met Pieter van den Bosch on site."_s, {u"Pieter van den Bosch"_s}},
                 {u"Omar bin Zayed confirmed the order."_s, {u"Omar bin Zayed"_s}},
                 {u"Met Ilse ter Braak at the fair."_s, {u"Ilse ter Braak"_s}},
                 {u"Karim el-Masri will call back."_s, {u"Karim el-Masri"_s}},
                 {u"Jan-Willem van der Berg is on leave."_s, {u"Jan-Willem van der Berg"_s}},
                 {u"Seo-hyun sent the mockups."_s, {u"Seo-hyun"_s}},
                 {u"Handover notes are with Yu-ji."_s, {u"Yu-ji"_s}},
                 {u"Pham Van Duc asked for samples."_s, {u"Pham Van Duc"_s}},
                 {u"Lorenzo ten Velde wants a callback."_s, {u"Lorenzo ten Velde"_s}},
                 {u"Keys returned by du Plessis, Hendrik on Friday"_s, {u"du Plessis, Hendrik"_s}},
                 {u"de Oliveira, Marta – renewal due"_s, {u"de Oliveira, Marta"_s}},
                 {u"Ticket forwarded to van der Velde for sign-off."_s, {u"van der Velde"_s}},
                 {u"Please ask de la Fuente about the refund."_s, {u"de la Fuente"_s}},
                 {u"cc du Toit on the reply"_s, {u"du Toit"_s}},
                 {u"Spoke with von Arnim this morning."_s, {u"von Arnim"_s}},
                 {u"Invoice queried by dos Reis, sent again."_s, {u"dos Reis"_s}},
                 {u"von der heyden wants a call back"_s, {u"von der heyden"_s}},
                 {u"pls ask marieke van den berg for the keys"_s, {u"marieke van den berg"_s}}});
}

TEST(NameKinds, OtherScripts)
{
    expectNames({{u"张伟说发票金额不对。"_s, {u"张伟"_s}},
                 {u"联系人：李娜"_s, {u"李娜"_s}},
                 {u"山田太郎様よりお問い合わせ"_s, {u"山田太郎"_s}},
                 {u"담당자: 김민준"_s, {u"김민준"_s}},
                 {u"Позвонить Ольге Смирновой до пятницы."_s, {u"Ольге Смирновой"_s}},
                 {u"Please reply to Ελένη Νικολάου today."_s, {u"Ελένη Νικολάου"_s}},
                 {u"राहुल शर्मा ने ऑर्डर रद्द कर दिया।"_s, {u"राहुल शर्मा"_s}},
                 {u"请把合同寄给王建国先生。"_s, {u"王建国"_s}},
                 {u"鈴木 花子様からのご依頼です。"_s, {u"鈴木 花子"_s}},
                 {u"박지훈 고객님 문의"_s, {u"박지훈"_s}},
                 {u"Beneficiary: أحمد الحربي بن سعيد"_s, {u"أحمد الحربي بن سعيد"_s}},
                 {u"Νίκος Παππάς και Ελπίδα ήρθαν χθες."_s, {u"Νίκος Παππάς"_s, u"Ελπίδα"_s}},
                 {u"Ирина сказала, что оплатит завтра."_s, {u"Ирина"_s}},
                 {u"Клиент сказал, что заплатит завтра."_s, {}},
                 {u"गौरी देशपांडे joined the Pune team."_s, {u"गौरी देशपांडे"_s}},
                 {u"发票已开，请查收。"_s, {}},
                 {u"Сидоренко Анна Викторовна - запись на среду."_s, {u"Сидоренко Анна Викторовна"_s}},
                 {u"Тимур Ильдарович Сафин - консультация в четверг."_s, {u"Тимур Ильдарович Сафин"_s}},
                 {u"सुरेखा नामदेव पवार जी का फ़ोन आया था।"_s, {u"सुरेखा नामदेव पवार"_s}},
                 {u"श्री अमोल पाटिल को बिल भेजें।"_s, {u"अमोल पाटिल"_s}},
                 {u"コバヤシ ユウト 様 予約確認"_s, {u"コバヤシ ユウト"_s}},
                 {u"営業の北川さんから電話がありました。"_s, {u"北川"_s}},
                 {u"桜井課長へ資料を送りました。"_s, {u"桜井"_s}},
                 {u"收件人 司马文静，电话已确认"_s, {u"司马文静"_s}},
                 {u"받는분 유하린 연락처 확인"_s, {u"유하린"_s}}});
}

TEST(NameKinds, LoneNamesTheTextMarksAsPeople)
{
    expectNames({{u"Ines said the scan was unreadable."_s, {u"Ines"_s}},
                 {u"ok per Zelenko"_s, {u"Zelenko"_s}},
                 {u"Per our call, Zelenko approves."_s, {u"Zelenko"_s}},
                 {u"Spoke with Per Lindqvist today."_s, {u"Per Lindqvist"_s}},
                 {u"Per Smith the refund is approved."_s, {u"Smith"_s}},
                 {u"Per Johnson & Johnson the recall is over."_s, {}},
                 {u"Reviewed with Fairbrother and Tsang."_s, {u"Fairbrother"_s, u"Tsang"_s}},
                 {u"Helga Brandt und Quillon kommen morgen."_s, {u"Helga Brandt"_s, u"Quillon"_s}},
                 {u"Harlan Wojcik's order is on hold."_s, {u"Harlan Wojcik"_s}},
                 {u"Tanaka-san prefers email."_s, {u"Tanaka"_s}},
                 {u"@Quillon can you approve the PO?"_s, {u"Quillon"_s}},
                 {u"Forward it to sales@Example.com today."_s, {}},
                 {u"Handed over to Pellinger for the night."_s, {u"Pellinger"_s}},
                 {u"Left the forms on Ingegerd's desk."_s, {u"Ingegerd"_s}},
                 {u"Linnea from the front desk signed for it."_s, {u"Linnea"_s}},
                 {u"Oskarsson, can you resend it?"_s, {u"Oskarsson"_s}},
                 {u"can you resend the march figures, dmitri"_s, {u"dmitri"_s}},
                 {u"thanks for sorting it, priyanka!"_s, {u"priyanka"_s}},
                 {u"did rosalind ever sign the lease?"_s, {u"rosalind"_s}},
                 {u"did vpn ever work from home?"_s, {}},
                 {u"Deliver to 12 High St, Austin"_s, {}},
                 {u"Arrears: unit 4 (Lincoln), unit 12 (Ebuwa)."_s, {u"Lincoln"_s, u"Ebuwa"_s}},
                 {u"tenant in 3C (ilkay) says the boiler is out"_s, {u"ilkay"_s}},
                 {u"Keys lost by flat 2 (Marigold Ashcombe)."_s, {u"Marigold Ashcombe"_s}},
                 {u"Leak in unit 5 (Vacant) and unit 6 (Storage)."_s, {}},
                 {u"Panel: Ottilie Marsh (CFO), Brandauer (IT lead), Ruaridh (ops)."_s,
                  {u"Ottilie Marsh"_s, u"Brandauer"_s, u"Ruaridh"_s}},
                 {u"Hi Freya & Solveig — deck attached."_s, {u"Freya"_s, u"Solveig"_s}},
                 {u"Ostrowski himself signed the lease."_s, {u"Ostrowski"_s}},
                 {u"Thornton raised concerns about the lease."_s, {u"Thornton"_s}},
                 {u"Escalated to Priyanka; she'll chase Ostrander."_s, {u"Priyanka"_s, u"Ostrander"_s}},
                 {u"Quillon here from the Leeds store, we can hold it."_s, {u"Quillon"_s}},
                 {u"Parking here from 9 is free."_s, {}},
                 {u"Box arrived damaged, refund sent. - Brannagh"_s, {u"Brannagh"_s}},
                 {u"Thanks!\nQuillon"_s, {u"Quillon"_s}},
                 {u"Best wishes, Theodosia"_s, {u"Theodosia"_s}},
                 {u"Order status — Delivered. New stock from Guangzhou - Ningbo"_s, {}},
                 {u"Moved to Basingstoke and I will follow."_s, {}},
                 {u"Caller: Rook Adomako | Company: Adomako Freight Ltd"_s, {u"Rook Adomako"_s}},
                 {u"Pricing changed, Shopify updated the API."_s, {}},
                 {u"Thandeka (night nurse) logged the fall."_s, {u"Thandeka"_s}},
                 {u"Kristjana (HR) approved the leave."_s, {u"Kristjana"_s}},
                 {u"At the counter, ask for Dimitra."_s, {u"Dimitra"_s}},
                 {u"Left it at Ngozi's desk."_s, {u"Ngozi"_s}},
                 {u"asked for swedish-language invoices"_s, {}},
                 {u"Need Vaszary's order number."_s, {u"Vaszary"_s}},
                 {u"Need Helga Mast's approval first."_s, {u"Helga Mast"_s}},
                 {u"Tobiah's flight lands at 6."_s, {u"Tobiah"_s}},
                 {u"Ingólfur and I will cover."_s, {u"Ingólfur"_s}},
                 {u"Okonkwo to send the revised quote."_s, {u"Okonkwo"_s}},
                 {u"Warehouse to ship the rest, Kenwood to replace the mixer."_s, {}},
                 {u"Olusegun – please call back re deposit."_s, {u"Olusegun"_s}},
                 {u"Sorry Ngaire, no stock until May."_s, {u"Ngaire"_s}},
                 {u"Driver: Yusupov"_s, {u"Yusupov"_s}},
                 {u"Caller “Ifeoluwa” wouldn't give a surname."_s, {u"Ifeoluwa"_s}},
                 {u"Zsófia, Bence and Réka attended."_s, {u"Zsófia"_s, u"Bence"_s, u"Réka"_s}},
                 {u"Sales and I agreed."_s, {}},
                 {u"Chair: Tobias Lindqvist. Tobias to send the agenda."_s, {u"Tobias Lindqvist"_s, u"Tobias"_s}},
                 {u"agent Rose: happy to help, may I have the order number?"_s, {u"Rose"_s}},
                 {u"Block C: tenant Haldane reports a leak."_s, {u"Haldane"_s}},
                 {u"Stock short by 3 at the depot, Haugland to recount."_s, {u"Haugland"_s}},
                 {u"Seals intact; Okafor to check the labels."_s, {u"Okafor"_s}},
                 {u"Whitlock from the cleaning company said Tuesday is fine."_s, {u"Whitlock"_s}},
                 {u"Sierra from the front desk says the lift is fixed."_s, {u"Sierra"_s}},
                 {u"Olive from payroll is off until Monday."_s, {u"Olive"_s}},
                 {u"Skye in accounts will chase the invoice."_s, {u"Skye"_s}},
                 {u"Oriel from the print shop says the proofs are ready."_s, {u"Oriel"_s}},
                 {u"Brisa from the Porto distributor confirmed the order."_s, {u"Brisa"_s}},
                 {u"Left VM for Ngaio about the lease."_s, {u"Ngaio"_s}},
                 {u"Stock from the Leeds depot arrived late."_s, {}},
                 {u"Feedback from the sales team says the form is too long."_s, {}},
                 {u"Support from the IT team is limited on weekends."_s, {}},
                 {u"bea said she'd cover saturday"_s, {u"bea"_s}},
                 {u"April says she never got the refund."_s, {u"April"_s}},
                 {u"ok so fenwick told me he'd sign today"_s, {u"fenwick"_s}},
                 {u"caller said she'd ring back"_s, {}},
                 {u"Requested by Ms Chester for the Leeds site."_s, {u"Chester"_s}},
                 {u"Mrs Lincoln called about the boiler."_s, {u"Lincoln"_s}},
                 {u"Sra. Valencia pidió la factura."_s, {u"Valencia"_s}},
                 {u"Dr. Ilsabet Marr’s Monday clinic is full."_s, {u"Ilsabet Marr"_s}},
                 {u"Dr Pepper is out of stock."_s, {}},
                 {u"Logitech MX Keys arrived."_s, {}},
                 {u"mum said she'd pay the balance"_s, {}},
                 {u"Shipped the first half from Leeds, Manchester to follow."_s, {}},
                 {u"Boxes arrived, Returns to follow."_s, {}},
                 {u"Marquez takes the early run, Pettersson stays local."_s, {u"Marquez"_s, u"Pettersson"_s}},
                 {u"Van loaded and Haraldsen drives the second load."_s, {u"Haraldsen"_s}},
                 {u"Okonkwo prefers mornings for the handover."_s, {u"Okonkwo"_s}},
                 {u"Ashdown routes need new signs."_s, {}},
                 {u"Northgate branches are closed on Sunday."_s, {}}});
}

TEST(NameKinds, SurnameCommaGivenRecords)
{
    expectNames({{u"Waitlist: ROSSI, GIULIA; ADEBAYO, FEMI"_s, {u"ROSSI, GIULIA"_s, u"ADEBAYO, FEMI"_s}},
                 {u"Refund for Castellanos, Miriam J. approved."_s, {u"Castellanos, Miriam J"_s}},
                 {u"Seating: Brandt, Helga; Oduya, Kwabena; Lund, Sigrid."_s,
                  {u"Brandt, Helga"_s, u"Oduya, Kwabena"_s, u"Lund, Sigrid"_s}},
                 {u"cc: Ruth Abernathy, Desmond Achebe"_s, {u"Ruth Abernathy"_s, u"Desmond Achebe"_s}},
                 {u"BOYLE, JOHN M. - duplicate record"_s, {u"BOYLE, JOHN M"_s}},
                 {u"GUNDERSEN, TORILL – new starter"_s, {u"GUNDERSEN, TORILL"_s}},
                 {u"Reviewer: Lindgren, K. J. — approved"_s, {u"Lindgren, K. J"_s}},
                 {u"Post for Van Rensburg, Annelie came back."_s, {u"Van Rensburg, Annelie"_s}},
                 {u"Cc Radhika, Tomasz, Efua"_s, {u"Radhika"_s, u"Tomasz"_s, u"Efua"_s}},
                 {u"Seat 14C for OKAFOR/CHIDI MR, rebooked"_s, {u"OKAFOR/CHIDI"_s}},
                 {u"Fares in USD/EUR, N/A for CEO/CFO"_s, {}},
                 {u"TREMAINE, OSWIN onboarding docs received"_s, {u"TREMAINE, OSWIN"_s}},
                 {u"Patient: Kettering, Idris (date of birth on file)"_s, {u"Kettering, Idris"_s}},
                 {u"Ó Súilleabháin, Peadar – renewal"_s, {u"Ó Súilleabháin, Peadar"_s}},
                 {u"Paris, Texas office is closed."_s, {}},
                 {u"Seating: Lindqvist, Per; Brandt, Helga."_s, {u"Lindqvist, Per"_s, u"Brandt, Helga"_s}},
                 {u"Seen 10:40 VUKOVIĆ, MIRELA — bloods taken"_s, {u"VUKOVIĆ, MIRELA"_s}},
                 {u"OYELARAN-PRICE, JUNE - follow-up booked"_s, {u"OYELARAN-PRICE, JUNE"_s}},
                 {u"Refund queried by KOWALCZYK, APRIL on the phone"_s, {u"KOWALCZYK, APRIL"_s}},
                 {u"Shipped to DENVER, CO and AUSTIN, TX"_s, {}},
                 {u"Closed LONDON, MAY 2025 accounts"_s, {}}});
}

// Minutes, rosters and logs: who stands in a list of people or opens a timed entry.
TEST(NameKinds, ListsOfPeopleAndTimedEntries)
{
    expectNames({{u"Attendees: Eiríkur, Hjördís, Sölvi"_s, {u"Eiríkur"_s, u"Hjördís"_s, u"Sölvi"_s}},
                 {u"Guests: Losaline, Tavita and Sione"_s, {u"Losaline"_s, u"Tavita"_s, u"Sione"_s}},
                 {u"Participants: Okwuosa, Brannigan"_s, {u"Okwuosa"_s, u"Brannigan"_s}},
                 {u"0910 Okonkwo called back, wants a refund"_s, {u"Okonkwo"_s}},
                 {u"09:05 Adaeze rang about the lease"_s, {u"Adaeze"_s}},
                 {u"0745 Stanislav says the dock is full"_s, {u"Stanislav"_s}},
                 {u"0830 Standup moved to room B"_s, {}},
                 {u"Deliver to 1200 Kingsley Rd before noon"_s, {}},
                 {u"Visitors: 14 today, 3 from Leeds"_s, {}}});
}

TEST(NameKinds, PlacesCompaniesAndStreetsAreNotPeople)
{
    expectNames({{u"Palm Desert store closed until March."_s, {}},
                 {u"Navy Federal declined the transfer."_s, {}},
                 {u"Marcus Oyelowo works at Dunkin Donuts on Grove Rd."_s, {u"Marcus Oyelowo"_s}},
                 {u"Calvin Klein underwear returned."_s, {}},
                 {u"Bought a John Lewis gift card; Long John Silver's coupon failed."_s, {}},
                 {u"Michael Kors handbag returned to Ted Baker."_s, {}},
                 {u"Goldman Sachs statement attached."_s, {}},
                 {u"Merrill Lynch statement attached."_s, {}},
                 {u"Barnes & Noble gift card refunded."_s, {}},
                 {u"Dillard's sent a credit note."_s, {}},
                 {u"Renfrew depot is closed Monday."_s, {}},
                 {u"Meeting room Kilimanjaro is booked."_s, {}},
                 {u"Santa Barbara orders ship Friday."_s, {}},
                 {u"Orlando FL returns go to the depot."_s, {}},
                 {u"Washington Blvd & Lincoln Ave, leave at the desk."_s, {}},
                 {u"Referral from Hollis & Hollis, client in Leeds."_s, {}},
                 {u"Quote from Pruitt & Dunleavy Roofing attached."_s, {}},
                 {u"Called Castellano Plumbing, then Pemberton Legal."_s, {}},
                 {u"Invoice from Hallett & Ogundipe Ltd attached."_s, {}},
                 {u"Deliver to 14 Rue Lafayette, Paris."_s, {}},
                 {u"Labor Day sale ends Monday."_s, {}},
                 {u"Returned the Maren Sollie dress, wrong size."_s, {}},
                 {u"Deliveries to Tijuana resume Friday."_s, {}},
                 {u"Wilson tennis rackets x 6."_s, {}},
                 {u"Workaround applied, user happy."_s, {}},
                 {u"Renewed via DocuSign, laptop reimaged with Win11."_s, {}},
                 {u"Signed off by DeShawn Carter and McAllister."_s, {u"DeShawn Carter"_s, u"McAllister"_s}},
                 {u"will unassign and rebook, then ping ravi"_s, {u"ravi"_s}},
                 {u"Replacement part: Hoover H30 filter, 2x Heavy Duty bags."_s, {}},
                 {u"Moved to Calle de Serrano 41, Madrid; closed on Columbus Day."_s, {}},
                 {u"Marketing wants the banner live by June 1."_s, {}},
                 {u"Returned a Dyson Airwrap; flight to Queenstown cancelled."_s, {}},
                 {u"Rechnung an Frau Hannelore Schübel, zahlbar bis Freitag."_s, {u"Hannelore Schübel"_s}},
                 {u"Van parked on Maple Ave behind the shop."_s, {}},
                 {u"Water leak at Ivy Lane, flat 4."_s, {}},
                 {u"Stall 12 at Old Spitalfields Market needs a new awning."_s, {}},
                 {u"Flat 3, Regent Mansions: boiler serviced."_s, {}},
                 {u"Spoke to Wanjiru Kamau from Dalton Kerr about the delay."_s, {u"Wanjiru Kamau"_s}},
                 {u"Callum at Pryce Whitley confirmed the repair."_s, {u"Callum"_s}},
                 {u"Ingrid Solheim from Bergen is visiting."_s, {u"Ingrid Solheim"_s}},
                 {u"Noor at Tomas Brandt's desk left a note."_s, {u"Noor"_s, u"Tomas Brandt"_s}},
                 {u"Quote from Hallam Tyres and Okoro Logistics attached."_s, {}},
                 {u"Brennan Partners sent the engagement letter."_s, {}},
                 {u"Driving to Yakima tomorrow for the audit."_s, {}},
                 {u"Lorries stuck just north of Harrogate, expect delays."_s, {}},
                 {u"Femi flew back from Kisumu on Sunday."_s, {u"Femi"_s}},
                 {u"Escalated to Imogen Dalby, heading to Grimsby after lunch."_s, {u"Imogen Dalby"_s}},
                 {u"Customer found glass in the Kellerman's cereal box."_s, {}},
                 {u"Two jars of Hollister's mayo arrived broken."_s, {}},
                 {u"Ordered Pemberton's soup x 12 for the canteen."_s, {}},
                 {u"Mrs Brennan's soup order is late."_s, {u"Brennan"_s}},
                 {u"Delivery to the rue de Rivoli shop is late."_s, {}},
                 {u"Scaffolding crew from Brackwell on site Mondays."_s, {}},
                 {u"Badge for a contractor from Veltrona, 3 months."_s, {}},
                 {u"Court reporter from Deponex booked; Ilse Warrender to attend."_s, {u"Ilse Warrender"_s}},
                 {u"Linnea from the depot says it left."_s, {u"Linnea"_s}},
                 {u"4 cartons of Hartwell TVs and 2 Orbis PCs short."_s, {}},
                 {u"Offices shut for the Presidents Day holiday; Columbus Day closure too."_s, {}},
                 {u"HOA fees are due; ask the HOA board."_s, {}},
                 {u"Outlook keeps asking for password after the update."_s, {}},
                 {u"Induction trainer: Vashti. Room: Carnegie 2."_s, {u"Vashti"_s}}});
}
