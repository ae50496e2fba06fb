#include "kit/find/PortableNameTagger.h"

#include "kit/find/EuropeanWords.h"
#include "kit/find/NameLexicon.h"
#include "kit/find/ScriptNameFinder.h"
#include "kit/find/TextRules.h"
#include "kit/find/WordClasses.h"
#include "kit/find/WordSet.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// The weights of the evidence for and against a run of words being a name.
namespace weight {
// A run is a name once its evidence reaches this score.
constexpr double threshold = 2.0;
// A known given name opening a run is the strongest hint a word alone gives.
constexpr double givenFirst = 2.0;
// ...less when it is also an everyday word ("Will", "Grace").
constexpr double ambiguousGivenFirst = 1.2;
// A given name further in is a middle name, or a surname that is also a given name.
constexpr double givenLater = 0.8;
// A known surname alone at the front: often a person called by surname.
constexpr double surnameFirst = 1.2;
// A known surname after other words of the run completes a full name.
constexpr double surnameLater = 1.5;
// A capitalised word no dictionary knows is, in notes, most often a name.
constexpr double unknownWord = 0.8;
// An everyday word is capitalised for another reason (a heading, a product).
constexpr double everydayWord = -1.5;
// Proper nouns that are not names are places and things.
constexpr double properNoun = -1.0;
// Two or more unknown words in a row read as a full name from abroad.
constexpr double unusualPair = 1.0;
// A particle opening a run stands before a surname ("Ter Stegen", "Van Nguyen").
constexpr double particleLed = 1.2;
// Initials stand before surnames only ("J. K. Asamoah").
constexpr double initial = 1.5;
// A title ("Dr", "Mrs") says a name follows.
constexpr double title = 3.0;
// Lead words like "with" or "asked" usually stand before a person...
constexpr double strongLead = 1.5;
// ...while "and", "to" and "for" stand before anything.
constexpr double weakLead = 0.7;
// "in Brighton", "at Lincoln": a place.
constexpr double placePreposition = -2.0;
// Speech and action verbs after a run ("said", "confirmed") follow people.
constexpr double strongVerb = 1.5;
// Any other verb done or being done: things do less than people do.
constexpr double verbForm = 1.0;
// "is", "was", "has" follow things as often as people.
constexpr double weakVerb = 1.2;
// Things own less than people do ("Harlan's order").
constexpr double possessive = 0.8;
// ...and a desk, a wife or a signature only people have.
constexpr double belonging = 1.0;
// "Rose from the front desk", "Farah in accounts".
constexpr double department = 1.2;
// "Oskarsson, can you resend it?"
constexpr double addressed = 1.2;
// "Allen key", "Murphy bed".
constexpr double compoundNoun = -1.2;
// A single word opening a sentence is capitalised whatever it is.
constexpr double sentenceStart = -0.3;
// A lone word that is also a place, month or brand ("Sydney", "June") needs more.
constexpr double placeLikeLoneWord = -1.5;
// A lone dictionary word opening a sentence with nothing around it that
// speaks of a person ("Stanley tools order", "Reed switch").
constexpr double bareSentenceStart = -0.5;
// "Workaround", "Handover" opening a sentence: two everyday words written as one.
constexpr double compoundWord = -1.5;
// Names joined by "and", "&" or "+" to a name are names too.
constexpr double coordinated = 1.0;
// A capitalised everyday word right after the run makes it a product or a
// company ("Virginia Tire", "Hugo Boss suits").
constexpr double trailingWord = -1.5;
// Lower-case words are names only with a known name or clear context.
constexpr double lowerCase = -1.0;
// ...such as a word that only people follow ("called meenakshi").
constexpr double lowerCaseCalled = 0;
// An unknown word opening a sentence, then a particle: maybe another language.
constexpr double foreignSentenceStart = -1.0;
// "the Paris account", "her June statement": a thing named after a place or person.
constexpr double determinerLone = -2.5;
// "the Lincoln Navigator", but also "the Ann Morris file".
constexpr double determiner = -1.0;
// "Ines Falk dress", "Otto Brandt kettles": a name right before goods is a label.
constexpr double goods = -3.0;
// A place, month, brand or company word, or a brand named after a person.
constexpr double notPerson = -10;
} // namespace weight

char32_t codePointAt(const QString &text, qsizetype i, qsizetype *width)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *width = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *width = 1;
    return c.unicode();
}

bool isWordCharacter(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

bool isJoiner(char32_t c)
{
    return c == u'\'' || c == u'’' || c == u'-';
}

QStringView withoutPossessive(QStringView word)
{
    if (word.size() > 2 && (word.endsWith(u"'s", Qt::CaseInsensitive) || word.endsWith(u"’s", Qt::CaseInsensitive)))
        return word.chopped(2);
    return word;
}

bool isPossessive(QStringView word)
{
    return withoutPossessive(word).size() != word.size();
}


// Pronouns, conjunctions and the like, which the dictionary leaves out, and
// the abbreviations of quick notes.
bool isFunctionWord(const QString &base)
{
    static const WordSet functionWords{
        u"if"_s, u"we"_s, u"us"_s, u"our"_s, u"you"_s, u"your"_s, u"he"_s, u"she"_s, u"his"_s, u"her"_s,
        u"him"_s, u"they"_s, u"them"_s, u"their"_s, u"it"_s, u"its"_s, u"i"_s, u"me"_s, u"my"_s, u"whether"_s,
        u"until"_s, u"till"_s, u"the"_s, u"a"_s, u"an"_s, u"of"_s, u"on"_s, u"off"_s, u"or"_s, u"nor"_s,
        u"but"_s, u"than"_s, u"then"_s, u"this"_s, u"that"_s, u"these"_s, u"those"_s, u"what"_s,
        u"which"_s, u"who"_s, u"whom"_s, u"whose"_s, u"when"_s, u"where"_s, u"why"_s, u"how"_s, u"into"_s,
        u"onto"_s, u"upon"_s, u"about"_s, u"above"_s, u"below"_s, u"over"_s, u"under"_s, u"again"_s,
        u"pls"_s, u"plz"_s, u"tmrw"_s, u"tmr"_s, u"ooo"_s, u"asap"_s, u"fyi"_s, u"lol"_s, u"thx"_s,
        u"are"_s, u"be"_s, u"been"_s, u"am"_s, u"do"_s, u"have"_s, u"there"_s, u"here"_s, u"not"_s,
        u"no"_s, u"yes"_s, u"so"_s, u"too"_s, u"very"_s, u"just"_s, u"also"_s, u"any"_s, u"some"_s, u"all"_s,
        u"msg"_s, u"acct"_s, u"qty"_s, u"eta"_s, u"eod"_s, u"wfh"_s, u"btw"_s, u"imo"_s, u"re"_s,
        u"could"_s, u"would"_s, u"should"_s, u"might"_s, u"must"_s, u"shall"_s, u"does"_s, u"did"_s,
        u"convo"_s, u"lmk"_s, u"appt"_s, u"approx"_s, u"info"_s, u"ppl"_s, u"idk"_s, u"tbh"_s, u"rn"_s,
        u"nvm"_s, u"afaik"_s, u"iirc"_s, u"ofc"_s, u"pic"_s, u"pics"_s, u"mgr"_s, u"dept"_s, u"sched"_s,
        u"asst"_s, u"tmw"_s, u"wknd"_s, u"rcvd"_s, u"recd"_s, u"pkg"_s, u"ttyl"_s, u"brb"_s, u"omw"_s,
        u"tbc"_s, u"tbd"_s, u"tba"_s, u"n/a"_s, u"everything"_s, u"something"_s, u"anything"_s,
        u"everyone"_s, u"someone"_s, u"anyone"_s, u"everybody"_s, u"somebody"_s, u"anybody"_s, u"itself"_s,
        u"himself"_s, u"herself"_s, u"themselves"_s, u"yourself"_s, u"ourselves"_s, u"myself"_s, u"whoever"_s,
        u"whichever"_s, u"whenever"_s, u"although"_s, u"unless"_s, u"because"_s, u"since"_s, u"whereas"_s,
        u"hers"_s, u"ours"_s, u"yours"_s, u"theirs"_s};
    return functionWords.contains(base);
}

// "Сергею", "Наталье", "Ивану", "Γιώργο": Russian and Greek decline given names,
// so the lists' nominative is found behind the common case endings.
bool isDeclinedGivenName(const QString &word)
{
    if (word.size() < 4)
        return false;
    const QChar last = word.back();
    QStringList stems;
    if (last.unicode() >= 0x400 && last.unicode() < 0x500) {
        static const QList<std::pair<QStringView, QStringView>> endings{
            {u"ею", u"ей"}, {u"ем", u"ей"}, {u"ея", u"ей"}, {u"ье", u"ья"}, {u"ьи", u"ья"}, {u"ью", u"ья"},
            {u"ой", u"а"}, {u"ом", u""}, {u"ы", u"а"}, {u"е", u"а"}, {u"у", u""}, {u"у", u"а"}, {u"и", u"а"},
            {u"а", u""}};
        for (const auto &[ending, nominative] : endings)
            if (word.endsWith(ending))
                stems.append(word.chopped(ending.size()) + nominative);
    } else if (last.unicode() >= 0x370 && last.unicode() < 0x400) {
        stems.append(word + u'ς'); // "Γιώργο", "Νίκο", "Γιάννη"
    }
    return std::any_of(stems.cbegin(), stems.cend(), [](const QString &stem) { return nameLexicon::isGivenName(stem); });
}

// Past forms of irregular verbs, which the dictionary lists only by their stem.
bool isIrregularVerbForm(const QString &word)
{
    static const WordSet words{u"seen"_s, u"shown"_s, u"eaten"_s, u"ridden"_s, u"stolen"_s, u"flown"_s, u"begun"_s,
                               u"swum"_s, u"bought"_s, u"brought"_s, u"caught"_s, u"taught"_s, u"fought"_s, u"met"_s,
                               u"told"_s, u"meant"_s, u"fled"_s, u"bled"_s, u"bred"_s, u"slept"_s, u"wept"_s};
    return words.contains(word);
}

// Everyday words of computing that came after the dictionary was made.
bool isNewWord(const QString &word)
{
    static const WordSet words{
        u"password"_s, u"passwords"_s, u"username"_s, u"usernames"_s, u"login"_s, u"logins"_s, u"laptop"_s,
        u"laptops"_s, u"app"_s, u"apps"_s, u"website"_s, u"websites"_s, u"webpage"_s, u"voicemail"_s,
        u"voicemails"_s, u"smartphone"_s, u"inbox"_s, u"screenshot"_s, u"screenshots"_s, u"webinar"_s,
        u"signup"_s, u"dropdown"_s, u"popup"_s, u"chatbot"_s, u"wifi"_s, u"hotspot"_s, u"firmware"_s,
        u"malware"_s, u"phishing"_s, u"spam"_s, u"captcha"_s, u"checkbox"_s, u"timesheet"_s, u"timesheets"_s,
        u"spreadsheet"_s, u"spreadsheets"_s, u"dashboard"_s, u"dashboards"_s, u"podcast"_s, u"livestream"_s,
        u"bluetooth"_s, u"touchscreen"_s, u"tablet"_s, u"ebook"_s, u"emails"_s, u"online"_s, u"offline"_s,
        u"onboarding"_s, u"offboarding"_s, u"onboarded"_s, u"offboarded"_s, u"upskilling"_s, u"reskilling"_s};
    return words.contains(word);
}

// Three-letter abbreviations that offices, help desks and developers write in
// lower case, and that no dictionary lists.
bool isChatAbbreviation(const QString &word)
{
    static const WordSet words{
        u"api"_s, u"sdk"_s, u"cli"_s, u"ssh"_s, u"ssl"_s, u"tls"_s, u"dns"_s, u"vpn"_s, u"lan"_s, u"wan"_s,
        u"usb"_s, u"cpu"_s, u"gpu"_s, u"ram"_s, u"ssd"_s, u"hdd"_s, u"ios"_s, u"sso"_s, u"mfa"_s, u"otp"_s,
        u"url"_s, u"uri"_s, u"pdf"_s, u"csv"_s, u"xls"_s, u"doc"_s, u"ppt"_s, u"png"_s, u"jpg"_s, u"gif"_s,
        u"sla"_s, u"kpi"_s, u"okr"_s, u"roi"_s, u"crm"_s, u"erp"_s, u"pos"_s, u"sku"_s, u"rma"_s, u"eta"_s,
        u"etd"_s, u"eod"_s, u"cob"_s, u"pto"_s, u"ooo"_s, u"wfh"_s, u"fyi"_s, u"tbh"_s, u"imo"_s, u"idk"_s,
        u"btw"_s, u"lol"_s, u"omg"_s, u"pls"_s, u"plz"_s, u"thx"_s, u"msg"_s, u"txt"_s, u"ceo"_s, u"cto"_s,
        u"cfo"_s, u"coo"_s, u"svp"_s, u"mgr"_s, u"dev"_s, u"ops"_s, u"sre"_s, u"uat"_s, u"prd"_s, u"env"_s,
        u"cfg"_s, u"tmp"_s, u"pwd"_s, u"amt"_s, u"qty"_s, u"ref"_s, u"inv"_s, u"req"_s, u"tkt"_s, u"aws"_s,
        u"gcp"_s, u"utc"_s, u"gmt"_s, u"est"_s, u"pst"_s, u"cet"_s, u"bst"_s, u"faq"_s, u"tba"_s, u"tbc"_s,
        u"tbd"_s, u"asap"_s, u"nda"_s, u"sow"_s, u"rfp"_s, u"rfq"_s, u"poc"_s, u"mvp"_s, u"wip"_s, u"qa"_s,
        u"ppe"_s, u"hse"_s, u"iso"_s, u"ipo"_s, u"ide"_s, u"ocr"_s, u"seo"_s, u"ota"_s, u"eol"_s, u"ui"_s,
        u"ux"_s, u"pr"_s, u"ci"_s, u"hr"_s, u"it"_s, u"pm"_s, u"am"_s};
    return words.contains(word);
}

// Languages, which CVs, bookings and interpreters' notes list; some are surnames too.
bool isLanguage(const QString &word)
{
    static const WordSet words{
        u"english"_s, u"french"_s, u"german"_s, u"spanish"_s, u"italian"_s, u"portuguese"_s, u"dutch"_s,
        u"polish"_s, u"russian"_s, u"ukrainian"_s, u"turkish"_s, u"arabic"_s, u"hindi"_s, u"urdu"_s,
        u"bengali"_s, u"punjabi"_s, u"mandarin"_s, u"cantonese"_s, u"chinese"_s, u"japanese"_s, u"korean"_s,
        u"vietnamese"_s, u"thai"_s, u"greek"_s, u"swedish"_s, u"norwegian"_s, u"danish"_s, u"finnish"_s,
        u"czech"_s, u"slovak"_s, u"hungarian"_s, u"romanian"_s, u"bulgarian"_s, u"serbian"_s, u"croatian"_s,
        u"hebrew"_s, u"persian"_s, u"farsi"_s, u"swahili"_s, u"yoruba"_s, u"igbo"_s, u"hausa"_s, u"tagalog"_s,
        u"filipino"_s, u"malay"_s, u"indonesian"_s, u"tamil"_s, u"telugu"_s, u"gujarati"_s, u"marathi"_s,
        u"welsh"_s, u"irish"_s, u"gaelic"_s, u"somali"_s, u"amharic"_s, u"pashto"_s, u"dari"_s, u"kurdish"_s,
        u"albanian"_s, u"lithuanian"_s, u"latvian"_s, u"estonian"_s, u"slovenian"_s, u"catalan"_s, u"basque"_s};
    return words.contains(word);
}

// "I've", "they’re": the word a contraction is made of, or nothing.
QString contracted(const QString &word)
{
    for (qsizetype i = 1; i < word.size(); ++i)
        if (word.at(i) == u'\'' || word.at(i) == u'’')
            return word.first(i);
    return {};
}

// "Nguyen-Marsh", "Okonjo-Adeyemi": a double surname with a known half.
bool isHyphenatedSurname(const QString &word)
{
    if (!word.contains(u'-'))
        return false;
    const QStringList parts = word.split(u'-', Qt::SkipEmptyParts);
    return std::any_of(parts.cbegin(), parts.cend(), [](const QString &part) { return nameLexicon::isSurname(part); });
}

// What people have and places and brands seldom do: "Gunhild's desk".
bool isBelonging(const QString &word)
{
    static const WordSet words{
        u"desk"_s, u"laptop"_s, u"phone"_s, u"mobile"_s, u"team"_s, u"wife"_s, u"husband"_s, u"son"_s,
        u"daughter"_s, u"mother"_s, u"father"_s, u"mum"_s, u"mom"_s, u"dad"_s, u"kids"_s, u"child"_s,
        u"children"_s, u"partner"_s, u"boss"_s, u"manager"_s, u"assistant"_s, u"colleague"_s, u"family"_s,
        u"car"_s, u"signature"_s, u"certificate"_s, u"email"_s, u"inbox"_s, u"calendar"_s, u"birthday"_s,
        u"request"_s, u"contract"_s, u"passport"_s, u"visa"_s, u"address"_s, u"number"_s, u"badge"_s,
        u"house"_s, u"flat"_s, u"apartment"_s, u"timesheet"_s, u"payslip"_s, u"salary"_s, u"leave"_s,
        u"doctor"_s, u"lawyer"_s, u"sister"_s, u"brother"_s, u"friend"_s, u"parents"_s, u"replacement"_s,
        u"approval"_s, u"sign-off"_s, u"notes"_s, u"keys"_s, u"login"_s, u"password"_s, u"schedule"_s,
        u"shift"_s, u"rota"_s, u"absence"_s, u"appointment"_s, u"claim"_s, u"application"_s, u"order"_s,
        u"account"_s, u"booking"_s, u"payment"_s, u"refund"_s, u"ticket"_s, u"cv"_s, u"resume"_s,
        u"flight"_s, u"trip"_s, u"holiday"_s, u"vacation"_s, u"wedding"_s, u"surgery"_s, u"visit"_s,
        u"fiancé"_s, u"fiance"_s, u"fiancée"_s, u"mother-in-law"_s, u"dbs"_s, u"licence"_s, u"license"_s};
    return words.contains(word);
}

// What a firm has and a person seldom does: "Hallworth's rep", "Brenner's app".
bool isFirmsBelonging(const QString &word)
{
    static const WordSet words{
        u"rep"_s, u"reps"_s, u"representative"_s, u"coupon"_s, u"coupons"_s, u"website"_s, u"site"_s, u"app"_s,
        u"store"_s, u"stores"_s, u"branch"_s, u"branches"_s, u"outlet"_s, u"outlets"_s, u"shares"_s, u"brand"_s,
        u"logo"_s, u"franchise"_s, u"hq"_s, u"headquarters"_s, u"catalogue"_s, u"catalog"_s, u"products"_s,
        u"packaging"_s, u"recall"_s, u"helpline"_s, u"hotline"_s, u"loyalty"_s, u"checkout"_s, u"warehouse"_s,
        u"depot"_s, u"factory"_s, u"stockists"_s, u"distributor"_s, u"merchandise"_s, u"promo"_s,
        u"promotion"_s, u"vouchers"_s, u"voucher"_s};
    return words.contains(word);
}

// Things sold under a label: a name right before one of these is a brand.
// "the Yale reps", "Tesco drivers": the staff of a firm or a college, named by
// it; families are named by a person ("the Adeyemi kids").
bool isStaffOf(const QString &word)
{
    static const WordSet words{u"reps"_s, u"representatives"_s, u"staff"_s, u"engineers"_s, u"drivers"_s,
                               u"technicians"_s, u"employees"_s, u"workers"_s, u"recruiters"_s, u"auditors"_s,
                               u"inspectors"_s, u"installers"_s, u"fitters"_s, u"couriers"_s, u"alumni"_s,
                               u"customers"_s, u"users"_s, u"shoppers"_s, u"admissions"_s};
    return words.contains(word);
}

bool isGoods(const QString &word)
{
    static const WordSet words{
        u"dress"_s, u"dresses"_s, u"shirt"_s, u"shirts"_s, u"blouse"_s, u"skirt"_s, u"jeans"_s, u"trousers"_s,
        u"jacket"_s, u"jackets"_s, u"coat"_s, u"coats"_s, u"suit"_s, u"suits"_s, u"polo"_s, u"polos"_s,
        u"sweater"_s, u"jumper"_s, u"hoodie"_s, u"scarf"_s, u"tie"_s, u"belt"_s, u"belts"_s, u"shoes"_s,
        u"boots"_s, u"trainers"_s, u"sneakers"_s, u"sandals"_s, u"bag"_s, u"bags"_s, u"handbag"_s,
        u"wallet"_s, u"purse"_s, u"watch"_s, u"watches"_s, u"sunglasses"_s, u"perfume"_s, u"fragrance"_s,
        u"cologne"_s, u"candle"_s, u"candles"_s, u"lipstick"_s, u"mascara"_s, u"moisturiser"_s,
        u"moisturizer"_s, u"shampoo"_s, u"kettle"_s, u"kettles"_s, u"toaster"_s, u"toasters"_s, u"mixer"_s,
        u"mixers"_s, u"blender"_s, u"blenders"_s, u"vacuum"_s, u"iron"_s, u"fryer"_s, u"microwave"_s,
        u"fridge"_s, u"freezer"_s, u"dishwasher"_s, u"drill"_s, u"drills"_s, u"saw"_s, u"saws"_s,
        u"sander"_s, u"sanders"_s, u"mattress"_s, u"sofa"_s, u"armchair"_s, u"headphones"_s,
        u"earbuds"_s, u"speaker"_s, u"speakers"_s, u"luggage"_s, u"suitcase"_s, u"backpack"_s, u"app"_s,
        u"apps"_s};
    return words.contains(word);
}

// Words that open the names of places ("Santa Clara", "Fort Worth", "Little Bramford").
bool isPlacePrefix(const QString &word)
{
    static const WordSet words{u"san"_s, u"santa"_s, u"st"_s, u"saint"_s, u"port"_s, u"fort"_s, u"new"_s,
                                     u"north"_s, u"south"_s, u"east"_s, u"west"_s, u"upper"_s, u"lower"_s,
                                     u"lake"_s, u"mount"_s, u"mt"_s, u"little"_s, u"great"_s, u"old"_s,
                                     u"queen"_s, u"king"_s, u"prince"_s, u"princess"_s, u"outer"_s, u"inner"_s,
                                     u"mont"_s, u"puerto"_s,
                                     // Streets and squares in other languages.
                                     u"são"_s, u"santo"_s, u"sankt"_s, u"bad"_s,
                                     u"calle"_s, u"rue"_s, u"avenida"_s, u"rua"_s, u"piazza"_s, u"carrer"_s,
                                     u"via"_s, u"corso"_s, u"largo"_s, u"vicolo"_s, u"allée"_s, u"chemin"_s,
                                     u"praça"_s, u"plaza"_s, u"calea"_s, u"ulitsa"_s, u"boulevard"_s,
                                     u"paseo"_s, u"camino"_s, u"strada"_s, u"viale"_s, u"ulica"_s, u"odos"_s,
                                     u"straße"_s, u"strasse"_s, u"platz"_s,
                                     // Greek saints' towns ("Άγιος Νικόλαος") and Slavic towns
                                     // opened by "new", "old", "lower", "great" ("Нови Сад").
                                     u"άγιος"_s, u"άγιο"_s, u"αγίου"_s, u"αγία"_s, u"αγίας"_s, u"άγια"_s,
                                     u"αγίων"_s, u"нови"_s, u"нова"_s, u"ново"_s, u"новый"_s, u"новая"_s,
                                     u"нижний"_s, u"великий"_s, u"стара"_s, u"старый"_s,
                                     u"улица"_s, u"ул"_s, u"проспект"_s, u"переулок"_s, u"площадь"_s,
                                     u"бульвар"_s, u"шоссе"_s, u"набережная"_s, u"вулиця"_s, u"вул"_s,
                                     u"провулок"_s, u"майдан"_s, u"οδός"_s, u"οδ"_s, u"λεωφόρος"_s, u"πλατεία"_s,
                                     // Vietnamese districts, wards, provinces, cities and streets.
                                     u"quận"_s, u"phường"_s, u"huyện"_s, u"tỉnh"_s, u"tp"_s, u"đường"_s, u"phố"_s};
    return words.contains(word);
}

// "the", "her", "our": words before things, which people's names seldom follow.
bool isDeterminer(const QString &word)
{
    static const WordSet words{u"the"_s, u"a"_s, u"an"_s, u"this"_s, u"that"_s, u"these"_s, u"those"_s,
                                     u"our"_s, u"your"_s, u"their"_s, u"his"_s, u"her"_s, u"its"_s, u"my"_s,
                                     u"every"_s, u"each"_s, u"any"_s, u"some"_s};
    return words.contains(word);
}

// Words after a place's name that say it is a site, not a person.
bool isSiteNoun(const QString &word)
{
    static const WordSet words{u"store"_s, u"stores"_s, u"depot"_s, u"office"_s, u"offices"_s, u"plant"_s,
                                     u"site"_s, u"location"_s, u"branch"_s, u"warehouse"_s, u"campus"_s,
                                     u"factory"_s, u"facility"_s, u"mall"_s, u"airport"_s, u"station"_s,
                                     u"area"_s, u"region"_s, u"county"_s, u"showroom"_s, u"outlet"_s,
                                     u"headquarters"_s, u"hq"_s, u"dealer"_s, u"dealership"_s, u"stall"_s,
                                     u"branches"_s, u"depots"_s, u"sites"_s, u"warehouses"_s, u"stations"_s};
    return words.contains(word);
}

// "O'Donoghue", "McAllister": Irish and Scottish surnames by their prefix.
bool isSurnameByForm(const QString &word)
{
    const bool irish = (word.startsWith(u"o'"_s) || word.startsWith(u"o’"_s)) && word.size() >= 5;
    if (irish || (word.startsWith(u"mc"_s) && word.size() >= 5))
        return true;
    // Endings that mark surnames across eastern and southern Europe and beyond
    // ("Vuković", "Kowalski", "Shevchenko", "Popescu", "Papadopoulos", "Yılmazoğlu").
    static const QStringList endings{u"ović"_s, u"ovic"_s, u"ević"_s, u"evic"_s, u"owski"_s, u"ewski"_s,
                                     u"owska"_s, u"ewska"_s, u"enko"_s, u"chuk"_s, u"czuk"_s, u"escu"_s,
                                     u"opoulos"_s, u"poulou"_s, u"akis"_s, u"oglu"_s, u"oğlu"_s,
                                     u"shvili"_s, u"adze"_s, u"yan"_s};
    if (word.size() < 6 || !WordClasses::shared().classesOf(word).isEmpty())
        return false;
    return std::any_of(endings.cbegin(), endings.cend(), [&](const QString &ending) { return word.endsWith(ending); });
}

// "Bjørn", "Rubén", "Łukasz" as the lists may write them: "bjorn", "ruben",
// "lukasz". Empty when the word has no letter to change or is short.
QString withoutAccents(const QString &word)
{
    static const QHash<QChar, QString> letters{{u'ø', u"o"_s}, {u'æ', u"ae"_s}, {u'œ', u"oe"_s}, {u'ß', u"ss"_s},
                                               {u'ł', u"l"_s}, {u'đ', u"d"_s}, {u'ð', u"d"_s}, {u'þ', u"th"_s},
                                               {u'ı', u"i"_s}};
    if (std::all_of(word.cbegin(), word.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return {};
    QString plain;
    for (QChar c : word.normalized(QString::NormalizationForm_D)) {
        if (c.isMark())
            continue;
        const auto letter = letters.constFind(c);
        if (letter != letters.cend())
            plain += *letter;
        else
            plain += c;
    }
    // Short syllables ("để", "đơn") fold onto unrelated names.
    return plain == word || plain.size() < 4 ? QString() : plain;
}

// "Ильдарович", "Викторовна": a Russian father's name, which only a full name holds.
bool isPatronymic(const QString &word)
{
    static const QStringList endings{u"ович"_s, u"евич"_s, u"ьич"_s, u"овна"_s, u"евна"_s, u"ична"_s, u"инична"_s};
    return word.size() >= 7 && word.front().unicode() >= 0x400 && word.front().unicode() < 0x500
        && std::any_of(endings.cbegin(), endings.cend(), [&](const QString &ending) { return word.endsWith(ending); });
}

// Chinese, Vietnamese and Korean family names as written in Latin letters.
bool isEastAsianFamilyName(const QString &word)
{
    static const WordSet familyNames{
        u"nguyen"_s, u"nguyễn"_s, u"tran"_s, u"trần"_s, u"pham"_s, u"phạm"_s, u"hoang"_s, u"hoàng"_s,
        u"huynh"_s, u"huỳnh"_s, u"phan"_s, u"vu"_s, u"vũ"_s, u"vo"_s, u"võ"_s, u"dang"_s, u"đặng"_s,
        u"bui"_s, u"bùi"_s, u"do"_s, u"đỗ"_s, u"ho"_s, u"hồ"_s, u"ngo"_s, u"ngô"_s, u"duong"_s, u"dương"_s,
        u"ly"_s, u"lý"_s, u"wang"_s, u"zhang"_s, u"liu"_s, u"chen"_s, u"yang"_s, u"huang"_s, u"zhao"_s,
        u"wu"_s, u"zhou"_s, u"xu"_s, u"sun"_s, u"zhu"_s, u"guo"_s, u"lin"_s, u"zheng"_s, u"liang"_s,
        u"xie"_s, u"tang"_s, u"chan"_s, u"wong"_s, u"leung"_s, u"lam"_s, u"cheung"_s, u"tan"_s, u"lim"_s,
        u"ong"_s, u"goh"_s, u"teo"_s, u"ng"_s, u"kim"_s, u"park"_s, u"choi"_s, u"jung"_s, u"kang"_s,
        u"cho"_s, u"yoon"_s, u"jang"_s, u"lee"_s};
    return familyNames.contains(word);
}

// "Jan-Willem", "Marie-Claire": a double given name of two known halves.
bool isHyphenatedGivenName(const QString &word)
{
    if (!word.contains(u'-'))
        return false;
    const QStringList parts = word.split(u'-', Qt::SkipEmptyParts);
    return parts.size() == 2 && std::all_of(parts.cbegin(), parts.cend(), [](const QString &part) {
        return nameLexicon::isGivenName(part);
    });
}

// "dates", "boxes", "signed": a dictionary word with an ending the dictionary leaves out.
bool isInflectedWord(const QString &word)
{
    const WordClasses &words = WordClasses::shared();
    for (QStringView ending : {u"s", u"es", u"ed", u"d", u"ing"})
        if (word.size() > ending.size() + 2 && word.endsWith(ending)
            && !words.classesOf(word.chopped(ending.size())).isEmpty())
            return true;
    return false;
}

// "rebook", "unassign", "preorder": a dictionary word behind a prefix.
bool isPrefixedWord(const QString &word)
{
    for (QStringView prefix : {u"re", u"un", u"pre", u"de", u"dis", u"mis", u"co"})
        if (word.size() > prefix.size() + 3 && word.startsWith(prefix)
            && !WordClasses::shared().classesOf(word.sliced(prefix.size())).isEmpty())
            return true;
    return false;
}

// "raised", "swapping": a verb's past or ongoing form, which follows who does
// things; "building", "meeting" and "shipping" are read as the nouns they mostly are.
bool isVerbForm(const QString &word)
{
    const WordClasses &words = WordClasses::shared();
    const bool past = word.endsWith(u"ed"_s);
    if (word.size() < 5 || (!past && !word.endsWith(u"ing"_s)))
        return false;
    const QByteArray own = words.classesOf(word);
    if (!own.isEmpty() && (own.front() == WordClasses::noun || own.front() == WordClasses::properNoun))
        return false;
    const qsizetype ending = past ? 2 : 3;
    const QString stem = word.chopped(ending);
    const bool doubled = stem.size() > 2 && stem.back() == stem.at(stem.size() - 2);
    const QStringList candidates{stem, stem + u'e', doubled ? stem.chopped(1) : stem};
    for (const QString &candidate : candidates)
        if (words.classesOf(candidate).contains(WordClasses::verb))
            return true;
    return false;
}

// "stays", "prefers", "handles": a verb's present form, which follows who does
// it; "works" and "goods", which the dictionary lists as nouns, are not.
bool isPresentVerb(const QString &word)
{
    if (word.size() < 4 || !word.endsWith(u's') || word.endsWith(u"ss"_s) || word.endsWith(u"us"_s))
        return false;
    const WordClasses &words = WordClasses::shared();
    const QByteArray own = words.classesOf(word);
    if (!own.isEmpty() && own.front() != WordClasses::verb)
        return false;
    const bool es = word.endsWith(u"es"_s) && words.classesOf(word.chopped(2)).contains(WordClasses::verb);
    const bool ies = word.endsWith(u"ies"_s) && words.classesOf(word.chopped(3) + u'y').contains(WordClasses::verb);
    return es || ies || words.classesOf(word.chopped(1)).contains(WordClasses::verb);
}

// "covering", "swapping", "making": a verb's ongoing form, even one the dictionary also lists as a noun.
// What someone on a rota is doing ("doing deliveries", "covering Sun"); ivy
// grows and brooks cross too, so only the tasks people are given count.
bool isTask(const QString &word)
{
    static const WordSet tasks{u"doing"_s, u"covering"_s, u"handling"_s, u"collecting"_s, u"helping"_s,
                               u"sorting"_s, u"taking"_s, u"bringing"_s, u"driving"_s, u"working"_s,
                               u"cleaning"_s, u"serving"_s, u"manning"_s, u"leading"_s, u"teaching"_s,
                               u"coaching"_s, u"delivering"_s, u"picking"_s, u"checking"_s, u"answering"_s};
    return tasks.contains(word);
}

bool isOngoingVerb(const QString &word)
{
    if (word.size() < 6 || !word.endsWith(u"ing"_s))
        return false;
    const QString stem = word.chopped(3);
    const bool doubled = stem.back() == stem.at(stem.size() - 2);
    const QStringList candidates{stem, stem + u'e', doubled ? stem.chopped(1) : stem};
    for (const QString &candidate : candidates)
        if (WordClasses::shared().classesOf(candidate).contains(WordClasses::verb))
            return true;
    return false;
}

// What people say and do, in the languages notes are most often written in
// besides English ("Jarosław powiedział", "Ирина сказала").
bool isForeignActionVerb(const QString &word)
{
    static const WordSet words{
        // Russian and Ukrainian
        u"сказал"_s, u"сказала"_s, u"сказав"_s, u"написал"_s, u"написала"_s, u"написав"_s, u"позвонил"_s,
        u"позвонила"_s, u"звонил"_s, u"звонила"_s, u"попросил"_s, u"попросила"_s, u"просил"_s, u"просила"_s,
        u"подтвердил"_s, u"подтвердила"_s, u"хочет"_s, u"хотел"_s, u"хотела"_s, u"оплатил"_s, u"оплатила"_s,
        u"прислал"_s, u"прислала"_s, u"отправил"_s, u"отправила"_s, u"спросил"_s, u"спросила"_s,
        u"приедет"_s, u"придёт"_s, u"придет"_s, u"зателефонував"_s, u"зателефонувала"_s,
        // Greek
        u"είπε"_s, u"πήρε"_s, u"τηλεφώνησε"_s, u"ζήτησε"_s, u"έστειλε"_s, u"επιβεβαίωσε"_s, u"θέλει"_s,
        u"έγραψε"_s, u"ρώτησε"_s, u"πλήρωσε"_s,
        // Spanish and Portuguese
        u"dijo"_s, u"llamó"_s, u"escribió"_s, u"pidió"_s, u"confirmó"_s, u"quiere"_s, u"pagó"_s, u"envió"_s,
        u"preguntó"_s, u"disse"_s, u"ligou"_s, u"escreveu"_s, u"pediu"_s, u"confirmou"_s, u"pagou"_s,
        u"enviou"_s, u"perguntou"_s,
        // German, Dutch, Polish
        u"sagte"_s, u"schrieb"_s, u"rief"_s, u"bestätigte"_s, u"möchte"_s, u"fragte"_s, u"zahlte"_s,
        u"schickte"_s, u"zei"_s, u"belde"_s, u"schreef"_s, u"vroeg"_s, u"bevestigde"_s, u"betaalde"_s,
        u"stuurde"_s, u"powiedział"_s, u"powiedziała"_s, u"dzwonił"_s, u"dzwoniła"_s, u"napisał"_s,
        u"napisała"_s, u"prosi"_s, u"zapłacił"_s, u"zapłaciła"_s};
    return words.contains(word);
}

// A Russian past tense ("приходил", "оставила"), unless a given name ends so ("Михаил").
bool isRussianPastVerb(const QString &word)
{
    static const QStringList past{u"ил"_s, u"ила"_s, u"ал"_s, u"ала"_s, u"ел"_s, u"ела"_s, u"или"_s, u"али"_s};
    return word.size() > 5 && word.front().unicode() >= 0x400 && word.front().unicode() < 0x500
        && std::any_of(past.cbegin(), past.cend(), [&](const QString &e) { return word.endsWith(e); })
        && !nameLexicon::isGivenName(word);
}

// Trades sent out by firms, in the languages of the European notes.
bool isTradeNoun(const QString &word)
{
    static const WordSet words{
        u"técnico"_s, u"técnica"_s, u"repartidor"_s, u"mensajero"_s, u"transportista"_s, u"fontanero"_s,
        u"electricista"_s, u"instalador"_s, u"tecnico"_s, u"corriere"_s, u"fattorino"_s, u"idraulico"_s,
        u"elettricista"_s, u"technicien"_s, u"livreur"_s, u"coursier"_s, u"plombier"_s, u"électricien"_s,
        u"techniker"_s, u"monteur"_s, u"fahrer"_s, u"kurier"_s, u"handwerker"_s, u"bezorger"_s,
        u"koerier"_s, u"loodgieter"_s, u"elektricien"_s, u"entregador"_s, u"canalizador"_s, u"eletricista"_s};
    return words.contains(word);
}

// "Клиент сказал", "Cliente llamó": who a person is in those languages, capitalised
// only because a sentence starts with it.
bool isForeignRoleNoun(const QString &word)
{
    static const WordSet words{
        u"клиент"_s, u"клиентка"_s, u"менеджер"_s, u"курьер"_s, u"директор"_s, u"покупатель"_s,
        u"бухгалтер"_s, u"водитель"_s, u"оператор"_s, u"заказчик"_s, u"пользователь"_s, u"арендатор"_s,
        u"клієнт"_s, u"клієнтка"_s, u"πελάτης"_s, u"πελάτισσα"_s, u"υπάλληλος"_s, u"οδηγός"_s,
        u"διευθυντής"_s, u"cliente"_s, u"gerente"_s, u"mensajero"_s, u"repartidor"_s, u"usuario"_s,
        u"inquilino"_s, u"oficina"_s, u"empresa"_s, u"proveedor"_s, u"fornecedor"_s, u"usuário"_s,
        u"kunde"_s, u"kundin"_s, u"fahrer"_s, u"kurier"_s, u"lieferant"_s, u"klant"_s, u"chauffeur"_s,
        u"klient"_s, u"klientka"_s, u"kierowca"_s, u"dostawca"_s};
    return words.contains(word);
}

// "Ayuntamiento de Toledo", "Landkreis Kassel": public bodies and
// institutions in other languages, named after the place they serve.
bool isForeignInstitution(const QString &word)
{
    static const WordSet words{
        u"ayuntamiento"_s, u"ministerio"_s, u"ministère"_s, u"ministero"_s, u"ministério"_s, u"ministerium"_s,
        u"bundesministerium"_s, u"landkreis"_s, u"landratsamt"_s, u"bezirksamt"_s, u"gemeinde"_s,
        u"stadtverwaltung"_s, u"finanzamt"_s, u"bundesamt"_s, u"rathaus"_s, u"amtsgericht"_s, u"landgericht"_s,
        u"consejería"_s, u"conselleria"_s, u"diputación"_s, u"generalitat"_s, u"juzgado"_s, u"tribunale"_s,
        u"universidad"_s, u"université"_s, u"università"_s, u"universität"_s, u"universidade"_s, u"hôpital"_s,
        u"ospedale"_s, u"krankenhaus"_s, u"klinikum"_s, u"instituto"_s, u"istituto"_s, u"préfecture"_s,
        u"mairie"_s, u"comune"_s, u"provincia"_s, u"prefeitura"_s, u"câmara"_s, u"gemeente"_s, u"rechtbank"_s,
        u"agencia"_s, u"agenzia"_s, u"sparkasse"_s, u"stadtwerke"_s, u"colegio"_s, u"escuela"_s, u"école"_s,
        u"scuola"_s, u"iglesia"_s, u"église"_s, u"chiesa"_s, u"museo"_s, u"musée"_s, u"biblioteca"_s,
        u"bibliothèque"_s, u"hospital"_s, u"clínica"_s, u"clinique"_s, u"secretaría"_s, u"gobierno"_s,
        u"gouvernement"_s, u"regierung"_s, u"landesamt"_s, u"magistrat"_s};
    return words.contains(word);
}

// Days and months in the languages that write them with a capital: German and Greek.
bool isForeignCalendarWord(const QString &word)
{
    static const WordSet words{
        u"montag"_s, u"dienstag"_s, u"mittwoch"_s, u"donnerstag"_s, u"freitag"_s, u"samstag"_s, u"sonntag"_s,
        u"januar"_s, u"februar"_s, u"märz"_s, u"juni"_s, u"juli"_s, u"oktober"_s, u"dezember"_s,
        u"δευτέρα"_s, u"τρίτη"_s, u"τετάρτη"_s, u"πέμπτη"_s, u"παρασκευή"_s, u"σάββατο"_s, u"κυριακή"_s,
        u"ιανουάριος"_s, u"φεβρουάριος"_s, u"μάρτιος"_s, u"απρίλιος"_s, u"μάιος"_s, u"ιούνιος"_s,
        u"ιούλιος"_s, u"αύγουστος"_s, u"σεπτέμβριος"_s, u"οκτώβριος"_s, u"νοέμβριος"_s, u"δεκέμβριος"_s};
    return words.contains(word);
}

// Words that open Russian, Ukrainian and Greek sentences with a capital:
// times, articles and the larger cities ("Вчера звонила", "Η Αθήνα").
bool isForeignSentenceWord(const QString &word)
{
    static const WordSet words{
        u"вчера"_s, u"сегодня"_s, u"завтра"_s, u"утром"_s, u"вечером"_s, u"сейчас"_s, u"потом"_s, u"учора"_s,
        u"сьогодні"_s, u"завтра"_s, u"москва"_s, u"петербург"_s, u"киев"_s, u"київ"_s, u"минск"_s, u"казань"_s,
        u"новосибирск"_s, u"екатеринбург"_s, u"яндекс"_s, u"сбербанк"_s, u"χθες"_s, u"σήμερα"_s, u"αύριο"_s,
        // What Russian and Ukrainian notes open with: greetings, thanks, and the
        // things they are about, which may stand before the verb and its subject.
        u"спасибо"_s, u"благодарю"_s, u"привет"_s, u"здравствуйте"_s, u"добрый"_s, u"пожалуйста"_s,
        u"дякую"_s, u"вітаю"_s, u"будь"_s, u"счёт"_s, u"счет"_s, u"заказ"_s, u"оплата"_s, u"доставка"_s,
        u"договор"_s, u"посылка"_s, u"товар"_s, u"документы"_s, u"квитанция"_s, u"накладная"_s,
        u"встреча"_s, u"звонок"_s, u"письмо"_s, u"рахунок"_s, u"замовлення"_s, u"оплату"_s, u"посилка"_s,
        u"ευχαριστώ"_s, u"γεια"_s, u"παραγγελία"_s, u"τιμολόγιο"_s,
        u"η"_s, u"ο"_s, u"το"_s, u"οι"_s, u"τα"_s, u"αθήνα"_s, u"θεσσαλονίκη"_s, u"πάτρα"_s, u"κρήτη"_s};
    return words.contains(word);
}

// Particles of surnames that are no English words, so that one written in
// lower case before a capitalised word is part of the name.
bool isSurnameParticle(const QString &word)
{
    static const WordSet particles{u"van"_s, u"von"_s, u"der"_s, u"den"_s, u"de"_s, u"del"_s, u"della"_s,
                                         u"di"_s, u"du"_s, u"dos"_s, u"das"_s, u"ibn"_s, u"bint"_s, u"ter"_s,
                                         u"da"_s, u"dei"_s, u"degli"_s};
    return particles.contains(word);
}

// Articles that belong to a surname only after one of its particles ("de la Cruz", "de los Santos").
bool isArticleAfterParticle(const QString &word)
{
    static const WordSet articles{u"la"_s, u"le"_s, u"los"_s, u"las"_s, u"les"_s};
    return articles.contains(word);
}

// Packaged goods sold under a maker's name: "Hellmann's mayo", "Campbell's
// soup". Nobody's own soup is written with the surname alone and no title.
bool isPackagedGoods(const QString &word)
{
    static const WordSet goods{
        u"cereal"_s, u"cornflakes"_s, u"granola"_s, u"ketchup"_s, u"mayo"_s, u"mayonnaise"_s, u"mustard"_s,
        u"sauce"_s, u"soup"_s, u"crisps"_s, u"fries"_s, u"burger"_s, u"burgers"_s, u"nuggets"_s,
        u"chocolate"_s, u"chocolates"_s, u"biscuits"_s, u"cookies"_s, u"candy"_s, u"donuts"_s,
        u"doughnuts"_s, u"shampoo"_s, u"toothpaste"_s, u"detergent"_s, u"razors"_s, u"beer"_s,
        u"lager"_s, u"cider"_s, u"whisky"_s, u"whiskey"_s, u"gin"_s, u"vodka"_s, u"oats"_s, u"jam"_s,
        u"marmalade"_s, u"relish"_s, u"syrup"_s};
    return goods.contains(word);
}

// "and" as notes write it, in English shorthand and the languages of Europe.
bool isDay(const QString &word)
{
    static const WordSet days{u"mon"_s, u"tue"_s, u"tues"_s, u"wed"_s, u"weds"_s, u"thu"_s, u"thur"_s,
                              u"thurs"_s, u"fri"_s, u"sat"_s, u"sun"_s, u"monday"_s, u"tuesday"_s,
                              u"wednesday"_s, u"thursday"_s, u"friday"_s, u"saturday"_s, u"sunday"_s};
    return days.contains(word);
}

bool isPatronymicParticle(const QString &word)
{
    static const WordSet words{u"bin"_s, u"ibn"_s, u"bint"_s, u"binti"_s, u"ben"_s, u"bat"_s, u"ould"_s};
    return words.contains(word);
}

bool isAnd(const QString &word)
{
    static const WordSet words{u"and"_s, u"n"_s, u"und"_s, u"et"_s, u"y"_s, u"e"_s, u"och"_s, u"og"_s,
                                     u"и"_s, u"і"_s, u"та"_s, u"και"_s};
    return words.contains(word);
}


// "standup", "checkin", "rollout": a verb and its particle written as one word.
bool isVerbAndParticle(const QString &word)
{
    for (QStringView particle : {u"up", u"in", u"out", u"off", u"over", u"on"})
        if (word.size() > particle.size() + 2 && word.endsWith(particle)
            && WordClasses::shared().classesOf(word.chopped(particle.size())).contains(WordClasses::verb))
            return true;
    return false;
}

// "swedish-language", "follow-up": a compound of everyday words.
bool hasDictionaryPart(const QString &word)
{
    if (!word.contains(u'-'))
        return false;
    const QStringList parts = word.split(u'-', Qt::SkipEmptyParts);
    return std::any_of(parts.cbegin(), parts.cend(), [](const QString &part) {
        return part.size() > 2 && !WordClasses::shared().classesOf(part).isEmpty();
    });
}

// "pre-paid", "follow-up" but not "Sandqvist-Berg": each longer part an everyday word.
bool isCompoundOfEverydayWords(const QString &word)
{
    if (!word.contains(u'-'))
        return false;
    bool any = false;
    for (const QString &part : word.split(u'-', Qt::SkipEmptyParts)) {
        if (part.size() <= 3)
            continue;
        const QByteArray classes = WordClasses::shared().classesOf(part);
        if (classes.isEmpty() || classes.front() == WordClasses::properNoun)
            return false; // "AL-HIRA": a place's name is no everyday word
        any = true;
    }
    return any;
}

// "DocuSign", "ThinkPad": a capital inside a word makes a brand; "McAllister",
// "MacKenzie", "O'Neill" and "DeShawn" are names the lists know or the form shows.
bool isInnerCapital(QStringView word)
{
    for (qsizetype i = 1; i + 1 < word.size(); ++i)
        if (word.at(i).isUpper() && word.at(i - 1).isLower())
            return !word.startsWith(u"Mc") && !word.startsWith(u"Mac");
    return false;
}

// "TVs", "PCs": goods counted by their initials, after the maker's name.
bool isCountedInitials(QStringView word)
{
    return word.size() >= 3 && word.endsWith(u's')
        && std::all_of(word.cbegin(), word.cend() - 1, [](QChar c) { return c.isUpper(); });
}

// One or two letters and then digits: "V11", "S23", "j7", "ST16"; but "x2"
// counts what the one before it takes ("Hana Okoye x2" for tickets or seats).
bool isModelCode(QStringView word)
{
    if (word.size() > 1 && word.front() == u'x' && word.at(1).isDigit())
        return false;
    qsizetype letters = 0;
    while (letters < word.size() && word.at(letters).isLetter())
        ++letters;
    if (letters < 1 || letters > 2 || letters == word.size())
        return false;
    return std::all_of(word.cbegin() + letters, word.cend(), [](QChar c) { return c.isDigit(); });
}

bool hasLowerCase(QStringView word)
{
    for (QChar c : word)
        if (c.isLower())
            return true;
    return false;
}

// What a rota gives each person: "Tobias mornings, Halima afternoons".
bool isShiftWord(const QString &word)
{
    static const WordSet words{u"mornings"_s, u"afternoons"_s, u"evenings"_s, u"nights"_s, u"weekends"_s,
                                     u"weekdays"_s, u"lates"_s, u"earlies"_s, u"days"_s, u"am"_s, u"pm"_s};
    return words.contains(word);
}

bool isCount(const QString &word)
{
    return word.size() <= 4 && std::all_of(word.cbegin(), word.cend(), [](QChar c) { return c.isDigit(); });
}

// What ends a count in a tally: "Ottilie 12 votes".
bool isTallyUnit(const QString &word)
{
    static const WordSet words{u"votes"_s, u"vote"_s, u"points"_s, u"pts"_s, u"hours"_s, u"hrs"_s, u"h"_s,
                                     u"shifts"_s, u"sales"_s, u"calls"_s, u"tickets"_s};
    return words.contains(word);
}

// What a person is to a firm or a household: "(temp)", "our driver Dallas".
bool isRole(const QString &word)
{
    static const WordSet roles{
        u"temp"_s, u"intern"_s, u"contractor"_s, u"driver"_s, u"dispatcher"_s, u"manager"_s, u"supervisor"_s,
        u"nurse"_s, u"doctor"_s, u"tech"_s, u"technician"_s, u"engineer"_s, u"receptionist"_s, u"cleaner"_s,
        u"courier"_s, u"agent"_s, u"assistant"_s, u"volunteer"_s, u"trainee"_s, u"apprentice"_s, u"lead"_s,
        u"director"_s, u"accountant"_s, u"caretaker"_s, u"landlord"_s, u"landlady"_s, u"tenant"_s,
        u"owner"_s, u"buyer"_s, u"seller"_s, u"rep"_s, u"cashier"_s, u"clerk"_s, u"chef"_s, u"teacher"_s,
        u"cust"_s, u"consignee"_s, u"consignor"_s, u"addressee"_s, u"payee"_s, u"payer"_s, u"assignee"_s,
        u"requester"_s, u"requestor"_s, u"caller"_s, u"sender"_s, u"recipient"_s, u"customer"_s, u"client"_s};
    return roles.contains(word);
}

// Roles only people fill, unlike a customer or a courier that may be a firm.
bool isHumanRole(const QString &word)
{
    static const WordSet roles{u"agent"_s, u"nurse"_s, u"doctor"_s, u"technician"_s, u"receptionist"_s,
                                     u"cleaner"_s, u"intern"_s, u"trainee"_s, u"apprentice"_s, u"teacher"_s,
                                     u"tenant"_s, u"landlord"_s, u"landlady"_s, u"caretaker"_s, u"volunteer"_s,
                                     u"colleague"_s, u"coworker"_s, u"dispatcher"_s, u"cashier"_s, u"driver"_s,
                                     u"paralegal"_s, u"technician"_s, u"supervisor"_s, u"clerk"_s, u"chef"_s,
                                     u"temp"_s, u"pupil"_s, u"patient"_s, u"resident"_s, u"porter"_s, u"nanny"_s,
                                     u"handyman"_s, u"plumber"_s, u"electrician"_s, u"cust"_s, u"referee"_s, u"umpire"_s,
                                     u"lifeguard"_s, u"farmhand"_s, u"janitor"_s, u"custodian"_s, u"midwife"_s,
                                     u"paramedic"_s, u"pharmacist"_s, u"therapist"_s, u"physio"_s, u"dentist"_s,
                                     u"surgeon"_s, u"tutor"_s, u"lecturer"_s, u"student"_s, u"librarian"_s,
                                     u"housekeeper"_s, u"concierge"_s, u"doorman"_s, u"waiter"_s, u"waitress"_s,
                                     u"bartender"_s, u"barista"_s, u"hairdresser"_s, u"barber"_s, u"stylist"_s,
                                     u"mechanic"_s, u"gardener"_s, u"locksmith"_s, u"carpenter"_s, u"roofer"_s,
                                     u"interpreter"_s, u"translator"_s, u"bookkeeper"_s, u"chaplain"_s,
                                     u"groundskeeper"_s, u"steward"_s, u"stewardess"_s, u"foreman"_s,
                                     u"instructor"_s, u"counsellor"_s, u"counselor"_s, u"optician"_s, u"vet"_s,
                                     u"girl"_s, u"boy"_s,
                                     // Exams, courts, boats, sites, salerooms and choirs.
                                     u"candidate"_s, u"examiner"_s, u"invigilator"_s, u"moderator"_s,
                                     u"usher"_s, u"defendant"_s, u"claimant"_s, u"appellant"_s,
                                     u"skipper"_s, u"coxswain"_s, u"helm"_s, u"helmsman"_s, u"operative"_s,
                                     u"scaffolder"_s, u"banksman"_s, u"labourer"_s, u"groundworker"_s,
                                     u"bidder"_s, u"auditor"_s, u"investigator"_s, u"organist"_s,
                                     u"accompanist"_s, u"chorister"_s, u"soprano"_s, u"alto"_s, u"tenor"_s,
                                     u"baritone"_s};
    return roles.contains(word);
}

// "my colleague", "our plumber": people the writer or someone else has.
bool isPersonNoun(const QString &word)
{
    static const WordSet words{
        u"wife"_s, u"husband"_s, u"son"_s, u"daughter"_s, u"mother"_s, u"father"_s, u"mum"_s, u"mom"_s,
        u"dad"_s, u"sister"_s, u"brother"_s, u"partner"_s, u"friend"_s, u"colleague"_s, u"coworker"_s,
        u"co-worker"_s, u"boss"_s, u"neighbour"_s, u"neighbor"_s, u"cousin"_s, u"fiancé"_s, u"fiancée"_s,
        u"fiance"_s, u"girlfriend"_s, u"boyfriend"_s, u"aunt"_s, u"uncle"_s, u"niece"_s, u"nephew"_s,
        u"grandson"_s, u"granddaughter"_s, u"plumber"_s, u"electrician"_s, u"builder"_s, u"lawyer"_s,
        u"solicitor"_s, u"consultant"_s, u"advisor"_s, u"adviser"_s, u"coordinator"_s, u"contact"_s,
        u"housemate"_s, u"flatmate"_s, u"roommate"_s, u"carer"_s, u"caregiver"_s, u"childminder"_s,
        u"nanny"_s, u"au-pair"_s, u"guardian"_s, u"parent"_s, u"grandma"_s, u"grandad"_s, u"granny"_s,
        u"grandpa"_s, u"grandparent"_s, u"stepmum"_s, u"stepdad"_s, u"stepmom"_s};
    return isRole(word) || words.contains(word);
}

// Kinds of animal that people keep and bring in, as owners, groomers and vets name them.
bool isAnimal(const QString &word)
{
    static const WordSet animals{
        u"dog"_s, u"dogs"_s, u"cat"_s, u"cats"_s, u"puppy"_s, u"pup"_s, u"kitten"_s, u"kitty"_s, u"rabbit"_s,
        u"bunny"_s, u"hamster"_s, u"parrot"_s, u"budgie"_s, u"pony"_s, u"horse"_s, u"tortoise"_s, u"ferret"_s,
        u"canine"_s, u"feline"_s, u"gelding"_s, u"mare"_s, u"stallion"_s, u"pet"_s, u"pets"_s, u"hedgehog"_s,
        u"litter"_s, u"gerbil"_s, u"chinchilla"_s, u"cockatiel"_s, u"canary"_s, u"goldfish"_s, u"gecko"_s,
        u"lizard"_s, u"snake"_s, u"piglet"_s, u"lamb"_s, u"foal"_s,
        // ...and in the languages of the European notes.
        u"hond"_s, u"poes"_s, u"hund"_s, u"katze"_s, u"kater"_s, u"perro"_s, u"perra"_s, u"gato"_s, u"gata"_s,
        u"chien"_s, u"chienne"_s, u"chaton"_s, u"gatto"_s, u"cão"_s, u"cachorro"_s, u"cadela"_s};
    return animals.contains(word);
}

// Breeds name an animal in brackets after its name; some are also people's
// words ("boxer", "pointer"), so they count only there.
bool isBreed(const QString &word)
{
    static const WordSet breeds{
        u"beagle"_s, u"pug"_s, u"labrador"_s, u"lab"_s, u"spaniel"_s, u"terrier"_s, u"collie"_s, u"poodle"_s,
        u"retriever"_s, u"dachshund"_s, u"husky"_s, u"boxer"_s, u"bulldog"_s, u"greyhound"_s, u"whippet"_s,
        u"schnauzer"_s, u"chihuahua"_s, u"corgi"_s, u"cockapoo"_s, u"cavapoo"_s, u"labradoodle"_s, u"staffie"_s,
        u"rottweiler"_s, u"doberman"_s, u"pointer"_s, u"setter"_s, u"lurcher"_s, u"shih"_s, u"tabby"_s,
        u"siamese"_s, u"persian"_s, u"ragdoll"_s, u"moggy"_s, u"sphynx"_s, u"bengal"_s, u"mutt"_s,
        u"frenchie"_s, u"springer"_s, u"sprocker"_s, u"westie"_s, u"yorkie"_s, u"sheltie"_s, u"pomeranian"_s,
        u"dalmatian"_s, u"malamute"_s, u"vizsla"_s, u"weimaraner"_s, u"bichon"_s, u"cockerpoo"_s,
        u"goldendoodle"_s, u"cocker"_s, u"jack-russell"_s, u"mastiff"_s, u"samoyed"_s, u"newfoundland"_s};
    // "(both beagles)", "(springers)": several of a kind.
    return isAnimal(word) || breeds.contains(word) || (word.size() > 4 && word.endsWith(u's') && breeds.contains(word.chopped(1)));
}

} // namespace

void PortableNameTagger::setText(const QString &text)
{
    m_text = text;
    m_tokens.clear();
    m_words.clear();
    m_lowerWords.clear();
    m_names.clear();
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype width = 1;
        const char32_t c = codePointAt(text, i, &width);
        Token token;
        token.range.start = i;
        if (isWordCharacter(c)) {
            token.kind = Token::Kind::word;
            i += width;
            while (i < text.size()) {
                const char32_t next = codePointAt(text, i, &width);
                if (isWordCharacter(next)) {
                    i += width;
                    continue;
                }
                qsizetype afterWidth = 1;
                if (isJoiner(next) && i + 1 < text.size()
                    && isWordCharacter(codePointAt(text, i + 1, &afterWidth))) {
                    i += 1 + afterWidth;
                    continue;
                }
                break;
            }
        } else if (QChar::isSpace(c)) {
            token.kind = Token::Kind::whitespace;
            while (i < text.size() && text.at(i).isSpace())
                ++i;
        } else {
            token.kind = Token::Kind::punctuation;
            i += width;
        }
        token.range.end = i;
        if (token.kind == Token::Kind::word) {
            // "Tanaka-san" is the name "Tanaka"; the rest is tokenised on.
            const QStringView word = QStringView(text).sliced(token.range.start, token.range.length());
            // A stem of one syllable is a Korean given name ("Eun-ji"), no name with an honorific.
            for (const QString &honorific : hyphenHonorifics())
                if (word.size() > honorific.size() + 3 && word.contains(u'-') && word.endsWith(honorific, Qt::CaseInsensitive))
                    i = token.range.end = token.range.end - honorific.size();
            m_words.append(m_tokens.size());
        }
        m_tokens.append(token);
    }
    m_lowerWords.reserve(m_words.size());
    for (qsizetype token : std::as_const(m_words))
        m_lowerWords.append(withoutPossessive(QStringView(m_text).sliced(m_tokens.at(token).range.start,
                                                                        m_tokens.at(token).range.length())).toString().toLower());
    recallFacts();
    // The rules ask a word's shape again and again: read each once.
    m_shapes.clear();
    m_shapes.reserve(m_words.size());
    for (qsizetype word = 0; word < m_words.size(); ++word)
        m_shapes.push_back(readShape(word));
    qsizetype capitals = 0, cased = 0;
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        const Shape shape = shapeOf(word);
        capitals += shape == Shape::capitals;
        cased += shape == Shape::capitals || shape == Shape::capitalised || shape == Shape::lower;
    }
    m_shouting = capitals >= 2 && capitals * 3 > cased * 2;
    readEuropeanWords();
    tag();
    keepFacts();
}

// What the lists say of a word depends on the word alone, and notes repeat
// their words: what was learnt of a word is kept for the next texts.
PortableNameTagger::LearntFacts &PortableNameTagger::learntFacts()
{
    thread_local LearntFacts facts;
    return facts;
}

void PortableNameTagger::recallFacts()
{
    const LearntFacts &learnt = learntFacts();
    m_facts.assign(m_words.size(), Facts{});
    m_joins.assign(m_words.size(), -1);
    for (qsizetype word = 0; word < m_words.size(); ++word)
        if (const auto known = learnt.find(lower(word)); known != learnt.end())
            m_facts[word] = known->second;
    m_recalled = m_facts;
}

void PortableNameTagger::keepFacts() const
{
    // Bounded, so that a long run over varied text does not grow it without end.
    constexpr size_t maximumWords = 50'000;
    LearntFacts &learnt = learntFacts();
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        if (m_facts.at(word).asked == m_recalled.at(word).asked)
            continue;
        if (learnt.size() >= maximumWords)
            learnt.clear();
        learnt.insert_or_assign(lower(word), m_facts.at(word));
    }
}

// What the word lists and the dictionary say of a word, each looked up at
// most once per word and only when a rule asks.
bool PortableNameTagger::has(qsizetype word, Fact fact) const
{
    Facts &facts = m_facts[word];
    if (facts.asked & bit(fact))
        return facts.held & bit(fact);
    if (fact >= Fact::everyday) {
        // One dictionary look-up answers all three of its facts.
        const QByteArray listed = WordClasses::shared().classesOf(lower(word));
        QByteArray classes = listed;
        if (listed.isEmpty() && isNewWord(lower(word)))
            classes = QByteArray(1, WordClasses::noun);
        else if (listed.isEmpty() && isIrregularVerbForm(lower(word)))
            classes = QByteArray(1, WordClasses::verb);
        const bool proper = !classes.isEmpty() && classes.front() == WordClasses::properNoun;
        facts.asked |= bit(Fact::everyday) | bit(Fact::inDictionary) | bit(Fact::properNoun);
        facts.held |= (classes.isEmpty() ? 0 : bit(Fact::inDictionary)) | (proper ? bit(Fact::properNoun) : 0)
            | (!classes.isEmpty() && !proper ? bit(Fact::everyday) : 0);
    } else {
        facts.asked |= bit(fact);
        if (holds(lower(word), fact))
            facts.held |= bit(fact);
    }
    return facts.held & bit(fact);
}

bool PortableNameTagger::holds(const QString &word, Fact fact)
{
    using namespace nameLexicon;
    switch (fact) {
    case Fact::given:
        return isGivenName(word) || isHyphenatedGivenName(word) || isGivenName(withoutAccents(word))
            || isDeclinedGivenName(word);
    case Fact::surname:
        return isSurname(word) || isHyphenatedSurname(word) || isSurnameByForm(word) || isSurname(withoutAccents(word));
    case Fact::ambiguousGiven: return isAmbiguousGivenName(word);
    case Fact::rareAmbiguousGiven: return isRareAmbiguousGivenName(word);
    case Fact::ambiguousSurname: return isAmbiguousSurname(word);
    case Fact::title: return isTitle(word);
    case Fact::lead: return isLeadWord(word);
    case Fact::action: return isActionVerb(word) || isForeignActionVerb(word) || isRussianPastVerb(word);
    case Fact::opener: return isOpener(word);
    case Fact::nonPerson:
        return isNonPersonWord(word) || isForeignRoleNoun(word) || isForeignInstitution(word) || isForeignCalendarWord(word)
            || isForeignSentenceWord(word);
    case Fact::placePreposition: return isPlacePreposition(word);
    case Fact::particle: return isNameParticle(word);
    case Fact::placeNoun: return isPlaceNoun(word);
    case Fact::function: return isFunctionWord(word) || isFunctionWord(contracted(word));
    case Fact::cue: return cueWords().contains(word);
    case Fact::everyday:
    case Fact::inDictionary:
    case Fact::properNoun: break; // asked of the dictionary in has()
    }
    return false;
}

const QString &PortableNameTagger::lower(qsizetype word) const
{
    return m_lowerWords.at(word);
}

QStringView PortableNameTagger::gapBefore(qsizetype word) const
{
    const qsizetype end = word > 0 ? m_tokens.at(m_words.at(word - 1)).range.end : 0;
    const qsizetype start = m_tokens.at(m_words.at(word)).range.start;
    return QStringView(m_text).sliced(end, start - end);
}

QStringView PortableNameTagger::textOf(qsizetype word) const
{
    const TextRange range = m_tokens.at(m_words.at(word)).range;
    return QStringView(m_text).sliced(range.start, range.length());
}

bool PortableNameTagger::atSentenceStart(qsizetype word) const
{
    const QStringView before = QStringView(m_text).first(m_tokens.at(m_words.at(word)).range.start);
    qsizetype end = before.size();
    while (end > 0 && (before.at(end - 1) == u' ' || before.at(end - 1) == u'\t'))
        --end;
    if (end == 0)
        return true;
    static const QString openers = u".!?:;\n-*•(\"“>"_s;
    if (openers.contains(before.at(end - 1)))
        return true;
    // "0830 Standup moved": a log's entry opens after its time of day.
    if (word == 0 || gapBefore(word) != u" "_s || !isClockTime(word - 1))
        return false;
    const qsizetype clock = gapBefore(word - 1) == u":"_s ? word - 2 : word - 1;
    return atSentenceStart(clock);
}

PortableNameTagger::Shape PortableNameTagger::shapeOf(qsizetype word) const
{
    return m_shapes[word];
}

PortableNameTagger::Shape PortableNameTagger::readShape(qsizetype word) const
{
    const TextRange range = m_tokens.at(m_words.at(word)).range;
    const QStringView text = QStringView(m_text).sliced(range.start, range.length());
    if (isCapitalised(text))
        return text.size() == 1 ? Shape::initial : hasLowerCase(text) ? Shape::capitalised : Shape::capitals;
    // "el-Din", "al-Qahtani": the article is written in lower case before the name.
    const qsizetype hyphen = text.indexOf(u'-');
    if (hyphen > 0 && hyphen <= 3 && hyphen + 1 < text.size() && text.at(hyphen + 1).isUpper())
        return Shape::capitalised;
    return text.at(0).isLower() ? Shape::lower : Shape::other;
}

// Capitalised, and not written in capitals throughout (those are acronyms and
// shouting, not names) unless the whole text is; or a single letter: an initial.
// The runs are built by asking of each word several times; the answer stays.
bool PortableNameTagger::joinsRun(qsizetype word) const
{
    signed char &known = m_joins[word];
    if (known < 0)
        known = decidesJoin(word);
    return known;
}

bool PortableNameTagger::decidesJoin(qsizetype word) const
{
    // "MTR-88412", "Win11": codes, however they are written; "18°C": a unit.
    const QStringView text = textOf(word);
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }) || gapBefore(word).endsWith(u'°')
        || isVerbedAcronym(text))
        return false;
    if (isEuropeanWord(word))
        return false;
    switch (shapeOf(word)) {
    case Shape::initial:
        // "WANTS A CALLBACK": in text written in capitals "A" and "I" are words, not initials;
        // "C/O Halloran": nor is the "O" of "care of".
        if (word + 1 < m_words.size() && isCareOf(word + 1))
            return false;
        return !(m_shouting && (lower(word) == u"a"_s || lower(word) == u"i"_s)
                 && word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s);
    case Shape::capitals:
        if (!m_shouting)
            return isNameInCapitals(word) || isSlashedNamePart(word) || isSurnameInCapitalsBeforeGiven(word)
                || isBookingHead(word) || isCapitalsSurnameOfRecord(word) || isSurnameBeforeInitials(word);
        break;
    case Shape::lower:
        return isLowerCaseName(word) || isTrailingLowerCaseInitial(word);
    case Shape::capitalised:
        if (isCountedInitials(text))
            return false; // "TVs"
        if (isInnerCapital(textOf(word)) && !has(word, Fact::given) && !has(word, Fact::surname))
            return false;
        if (has(word, Fact::particle) || isAfterHonorific(word))
            return true; // "Van der Merwe"; a particle alone is no name
        // "Ahmad ibn Said": after "son of" or "daughter of" comes a name, whatever else it is.
        if (word > 0 && gapBefore(word) == u" "_s && isPatronymicParticle(lower(word - 1)))
            return true;
        if (isFamilyTitle(word))
            return false;
        break;
    case Shape::other:
        return false;
    }
    if (has(word, Fact::given) || isLeadGivenBeforeSurname(word))
        return true;
    return !has(word, Fact::function) && !has(word, Fact::title) && !has(word, Fact::lead) && !has(word, Fact::opener)
        && !has(word, Fact::cue) && !has(word, Fact::placePreposition);
}

// "Per Lindqvist" and "Lindqvist, Per", not "per Lindqvist" or "Per Sarah": a
// given name that is also a lead word is a name when capitalised and beside a
// known surname that is neither a word nor a given name.
bool PortableNameTagger::isLeadGivenBeforeSurname(qsizetype word) const
{
    const auto isPlainSurname = [&](qsizetype i) {
        return i >= 0 && i < m_words.size() && shapeOf(i) == Shape::capitalised && has(i, Fact::surname)
            && !has(i, Fact::given) && !has(i, Fact::everyday) && !has(i, Fact::nonPerson);
    };
    if (!has(word, Fact::ambiguousGiven) || shapeOf(word) != Shape::capitalised)
        return false;
    // "Per Procter & Gamble": the surname may open a brand.
    const bool surnameAfter = word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s && isPlainSurname(word + 1)
        && !brandFrom(word + 1);
    const bool closesRecord = word > 0 && gapBefore(word) == u", "_s && isPlainSurname(word - 1)
        && (word + 1 == m_words.size() || gapBefore(word + 1) != u" "_s);
    return surnameAfter || closesRecord;
}

// "GRETA MALMQVIST", "OKONJO, CHIDI" in text otherwise in lower case: a word
// in capitals is a name, not an acronym, when it or a neighbour in capitals is
// a known name that is no everyday word.
bool PortableNameTagger::isNameInCapitals(qsizetype word) const
{
    const auto isKnownName = [&](qsizetype i) {
        return lower(i).size() > 2 && (has(i, Fact::given) || has(i, Fact::surname)) && !has(i, Fact::everyday)
            && !has(i, Fact::nonPerson);
    };
    const auto isCapitalsWord = [&](qsizetype i) {
        return i >= 0 && i < m_words.size() && shapeOf(i) == Shape::capitals && lower(i).size() > 1
            && !has(i, Fact::everyday) && !has(i, Fact::nonPerson) && !has(i, Fact::function);
    };
    if (!isCapitalsWord(word))
        return isNamePairInCapitals(word, word - 1) || isNamePairInCapitals(word, word + 1);
    // "HOA meeting", "LEE ST": three capitals alone are an acronym more often than a name.
    return (isKnownName(word) && lower(word).size() > 3) || (isCapitalsWord(word - 1) && isKnownName(word - 1))
        || (isCapitalsWord(word + 1) && isKnownName(word + 1)) || isNamePairInCapitals(word, word - 1)
        || isNamePairInCapitals(word, word + 1);
}

// "GUO Shuheng", "MATSUDAIRA Kōsuke": rosters and papers write the family
// name in capitals before the given name, so that no one mistakes the order.
bool PortableNameTagger::isSurnameInCapitalsBeforeGiven(qsizetype word) const
{
    const qsizetype next = word + 1;
    if (next >= m_words.size() || gapBefore(next) != u" "_s || shapeOf(next) != Shape::capitalised
        || (has(next, Fact::inDictionary) && !has(next, Fact::given)) || has(next, Fact::nonPerson))
        return false;
    const QString &base = lower(word);
    if (base.size() < 2 || has(word, Fact::inDictionary) || has(word, Fact::function) || has(word, Fact::nonPerson)
        || has(word, Fact::title))
        return false;
    // "QIAO Zixuan": four letters are no acronym before a given name no dictionary or list knows.
    const bool unknownGiven = !has(next, Fact::inDictionary) && !has(next, Fact::given);
    return has(word, Fact::surname) || isEastAsianFamilyName(base) || base.size() >= 5 || (base.size() == 4 && unknownGiven);
}

// "BISHOP, ROSE", "MASON, JUNE": a surname that is also a word, in
// capitals, before a comma and a given name in capitals.
// "DE GROOT, Marleen", "VAN DAM, Pieter": a surname in capitals, particles
// and all, before a comma and a given name that is not, as records write it.
bool PortableNameTagger::isCapitalsSurnameOfRecord(qsizetype word) const
{
    qsizetype last = word;
    while (last + 1 < m_words.size() && last - word < 3 && gapBefore(last + 1) == u" "_s && shapeOf(last + 1) == Shape::capitals)
        ++last;
    const qsizetype given = last + 1;
    if (given >= m_words.size() || gapBefore(given) != u", "_s || shapeOf(given) != Shape::capitalised
        || !has(given, Fact::given) || has(given, Fact::everyday) || has(given, Fact::nonPerson))
        return false;
    // After a particle any word is the surname ("VAN DAM").
    for (qsizetype i = word; i <= last; ++i) {
        const bool afterParticle = i > 0 && gapBefore(i) == u" "_s && has(i - 1, Fact::particle);
        if (lower(i).size() < 2 || (!has(i, Fact::particle) && !afterParticle
                                    && (has(i, Fact::everyday) || has(i, Fact::nonPerson) || has(i, Fact::function))))
            return false;
    }
    return true;
}

bool PortableNameTagger::isCapitalsSurnameOfPair(qsizetype word) const
{
    return shapeOf(word) == Shape::capitals && has(word, Fact::ambiguousSurname) && word + 1 < m_words.size()
        && gapBefore(word + 1) == u", "_s && isNamePairInCapitals(word, word + 1)
        && (has(word + 1, Fact::given) || has(word + 1, Fact::ambiguousGiven));
}

// "TRINITY UCHENDU-LAMBLEY order": a name typed in capitals in a note that
// is not, both words of it, though the first is also a word.
bool PortableNameTagger::isNameInCapitalsPair(const Run &run) const
{
    return !m_shouting && run.last == run.first + 1 && gapBefore(run.last) == u" "_s
        && isNamePairInCapitals(run.first, run.last);
}

// "SMITH, JOHN", "JOHN SMITH", "GUNDERSEN, TORILL": two words in capitals side
// by side that are both names, even names that are also words, or a record's
// "SURNAME, GIVEN" of names or words no dictionary knows.
bool PortableNameTagger::isNamePairInCapitals(qsizetype word, qsizetype other) const
{
    if (other < 0 || other >= m_words.size() || shapeOf(word) != Shape::capitals || shapeOf(other) != Shape::capitals)
        return false;
    const QStringView gap = gapBefore(qMax(word, other));
    const bool comma = gap == u", "_s;
    if (!comma && gap != u" "_s)
        return false;
    const auto isName = [&](qsizetype i) {
        return lower(i).size() > 1 && !has(i, Fact::nonPerson) && !has(i, Fact::function) && !has(i, Fact::title)
            && (has(i, Fact::given) || has(i, Fact::surname) || has(i, Fact::rareAmbiguousGiven)
                || has(i, Fact::ambiguousSurname));
    };
    const auto isUnknown = [&](qsizetype i) {
        return lower(i).size() > 3 && !has(i, Fact::inDictionary) && !has(i, Fact::nonPerson);
    };
    if (isName(word) && isName(other))
        return true;
    // "NAKAHARA HIKARU & friends", "TRINITY UCHENDU-LAMBLEY order": opening the
    // text, two words no dictionary knows, or a given name and one, with lower
    // case after them.
    const qsizetype first = qMin(word, other);
    const qsizetype second = qMax(word, other);
    static const QString vowels = u"aeiouy"_s;
    const auto isSpoken = [&](qsizetype i) {
        return isUnknown(i) && std::any_of(lower(i).cbegin(), lower(i).cend(), [&](QChar c) { return vowels.contains(c); });
    };
    const bool opensText = first == 0 || gapBefore(first).contains(u'\n');
    const bool thenLower = second + 1 >= m_words.size() || shapeOf(second + 1) == Shape::lower
        || gapBefore(second + 1).trimmed() == u"&"_s;
    if (!comma && opensText && thenLower && isSpoken(second) && (isSpoken(first) || (isName(first) && has(first, Fact::given))
                                                                  || has(first, Fact::rareAmbiguousGiven)))
        return !m_shouting;
    if (!comma)
        return false;
    // "TERZIĆ, ANELA", "SHEPHERD, MAY": a record's surname, known or not, then
    // a given name, known or not, even one that is also a month.
    const qsizetype surname = qMin(word, other);
    const qsizetype given = qMax(word, other);
    const bool givenSide = isName(given) || isUnknown(given)
        || (lower(given).size() > 2 && has(given, Fact::ambiguousGiven) && !has(given, Fact::function));
    return (isName(surname) || isUnknown(surname)) && givenSide;
}

// "Present: Corliss, Gaynor, Ottavia, Tansy": three or more lone words in a row
// of commas are as many people; records surname first are split by semicolons.
bool PortableNameTagger::isInListOfSingleWords(const QList<ScoredRun> &runs, qsizetype i) const
{
    const auto single = [&](qsizetype k) { return k >= 0 && k < runs.size() && runs.at(k).run.first == runs.at(k).run.last; };
    const auto commaBetween = [&](qsizetype k) { // between runs k and k + 1
        return single(k) && single(k + 1) && runs.at(k + 1).run.first == runs.at(k).run.last + 1
            && gapBefore(runs.at(k + 1).run.first).trimmed() == u","_s;
    };
    return commaBetween(i) && (commaBetween(i + 1) || commaBetween(i - 1));
}

// "Crew: Halvorsen, Mbatha, Quispe": a row of lone words no dictionary knows,
// some of them known names, lists people; "Leeds, York, Hull" lists places.
void PortableNameTagger::markListOfNames(QList<ScoredRun> &runs) const
{
    const auto isItem = [&](qsizetype k) {
        const qsizetype word = runs.at(k).run.first;
        return runs.at(k).run.last == word && shapeOf(word) == Shape::capitalised && runs.at(k).score > weight::notPerson / 2
            && !has(word, Fact::nonPerson) && !has(word, Fact::properNoun) && !isPossessive(textOf(word))
            && (has(word, Fact::given) || has(word, Fact::surname) || !has(word, Fact::inDictionary));
    };
    qsizetype first = 0;
    while (first < runs.size()) {
        qsizetype last = first;
        while (last + 1 < runs.size() && isItem(last) && isInListOfSingleWords(runs, last) && isItem(last + 1))
            ++last;
        const auto known = [&](qsizetype k) { return has(runs.at(k).run.first, Fact::surname) || has(runs.at(k).run.first, Fact::given); };
        qsizetype names = 0;
        for (qsizetype k = first; k <= last; ++k)
            names += known(k);
        if (last - first >= 2 && names * 2 >= last - first + 1)
            for (qsizetype k = first; k <= last; ++k)
                runs[k].score = qMax(runs.at(k).score, weight::threshold);
        first = last + 1;
    }
}

// In lower-case text a name is a known name or a word no dictionary knows,
// never an everyday word.
// "tell chef", "ask the driver": a role, however it is cued, is no name.
bool PortableNameTagger::isLowerCaseName(qsizetype word) const
{
    return isLowerCaseNameWord(word) && !isPersonNoun(lower(word));
}

// "José prefiere correo", "Pierre préfère le courrier": a word no dictionary
// knows, then another in lower case that is no English word either (an
// article may come between), is a sentence in a language the dictionary
// doesn't know, and the first word its verb.
bool PortableNameTagger::isForeignClauseAfter(qsizetype word) const
{
    const auto isForeign = [&](qsizetype next) {
        return next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
            && !has(next, Fact::inDictionary) && !has(next, Fact::action) && !has(next, Fact::function);
    };
    const qsizetype next = word + 1;
    if (next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower && has(next, Fact::particle))
        return isForeign(next + 1);
    return isForeign(next);
}

bool PortableNameTagger::isLowerCaseNameWord(qsizetype word) const
{
    const QString &base = lower(word);
    if (base.size() < 2)
        return isLowerCaseInitial(word);
    // Words of the dictionary are hailed only when they are given names ("@will").
    if ((!has(word, Fact::everyday) || has(word, Fact::given)) && isChatHail(word))
        return true;
    // "flo & bex out sick": the pair, not a verb's particle ("carla's off today").
    if (isInActingPair(word))
        return true;
    const bool letters = std::all_of(base.cbegin(), base.cend(), [](QChar c) { return c.isLetter() || c == u'-' || c == u'\'' || c == u'’'; });
    const auto isListedWord = [&] {
        return has(word, Fact::title) || has(word, Fact::lead) || has(word, Fact::opener) || has(word, Fact::cue)
            || has(word, Fact::action);
    };
    if (isReportedSpeaker(word))
        return letters;
    // "van den berg": after these particles even an everyday word is a surname.
    if (isAfterNobiliary(word) && !has(word, Fact::function) && !has(word, Fact::particle))
        return letters;
    if (!has(word, Fact::given) && !has(word, Fact::surname) && !has(word, Fact::ambiguousSurname)) {
        // Most words of a note are the dictionary's: they are ruled out before any cue is looked for.
        // After a role a word only made of the dictionary's parts is still a name ("driver marvella").
        const bool afterRole = word > 0 && gapBefore(word) == u" "_s && isHumanRole(lower(word - 1));
        if (!letters || has(word, Fact::inDictionary) || has(word, Fact::particle) || has(word, Fact::function)
            || isListedWord() || has(word, Fact::nonPerson) || isAnd(base)
            || (!afterRole && (isInflectedWord(base) || isPrefixedWord(base) || hasDictionaryPart(base)
                               || isVerbAndParticle(base))))
            return false;
        // A word no dictionary knows counts only right after a given name or a lead word ("per soren").
        // ...or right before the team they are in ("kirsi from the helsinki office"),
        // or opening a clause and doing what people do ("ok so priyanka is out today").
        return (word > 0
                && ((has(word - 1, Fact::given) && (shapeOf(word - 1) == Shape::lower || !isForeignClauseAfter(word)))
                    || has(word - 1, Fact::lead) || has(word - 1, Fact::title) || isBroughtIn(word)))
            || isInDepartment(word + 1) || isLowerCaseSubject(word) || isFieldValue(word) || isHailed(word)
            || isResidentInBrackets({word, word}) || isInUnitCode({word, word}) || isGivingOwnName(word) || isChatHail(word)
            || isAskedWhereabouts(word) || isJoinedToLowerCaseName(word) || isThankedAtEnd(word)
            || isActionLabelled({word, word}) || isCalledBack(word) || isPointedTo(word) || isSigningOff(word)
            || (word > 0 && gapBefore(word) == u" "_s && isHumanRole(lower(word - 1))) || isBeforeLowerCaseSurname(word)
            || (word > 0 && lower(word - 1).size() == 1 && gapBefore(word) == u". "_s && isLowerCaseInitial(word - 1))
            || isDoubleBarrelledAfterName(word);
    }
    // "lmk if oksana still needs it": an adverb before a verb, though "Still" is a surname too.
    // "carla's off today": the particle follows "is", not a verb.
    const bool verbParticle = isBeforeVerbParticle(word) && !isPossessive(textOf(word));
    if (has(word, Fact::particle) || has(word, Fact::function) || verbParticle || isAdverbBeforeVerb(word))
        return false;
    if (has(word, Fact::everyday)) {
        const bool afterGivenName = word > 0 && shapeOf(word - 1) == Shape::lower && has(word - 1, Fact::given)
            && gapBefore(word) == u" "_s;
        // "lee wong": a given name that is also a word, before a surname that is nothing else.
        const qsizetype next = word + 1;
        // "we need to mark chen's work": after "to" or a verb's helper the word is the verb.
        const bool afterHelper = word > 0 && (has(word - 1, Fact::function) || isAuxiliary(word - 1) || lower(word - 1) == u"to"_s);
        const bool beforeSurname = (has(word, Fact::given) || has(word, Fact::ambiguousGiven)) && !afterHelper && next < m_words.size() && gapBefore(next) == u" "_s
            && shapeOf(next) == Shape::lower && has(next, Fact::surname) && !has(next, Fact::everyday)
            && !has(next, Fact::nonPerson) && !has(next, Fact::function);
        if (isCuedGivenName(word) || beforeSurname)
            return true;
        // "a.j. baker": initials before it make a surname of a word.
        const bool afterInitials = word > 0 && lower(word - 1).size() == 1 && gapBefore(word) == u". "_s
            && isLowerCaseInitial(word - 1);
        return (afterGivenName || afterInitials)
            && (has(word, Fact::surname) || has(word, Fact::ambiguousSurname)); // "mariana costa"
    }
    if (isCuedGivenName(word))
        return true;
    if (isListedWord() || (has(word, Fact::nonPerson) && !has(word, Fact::given)))
        return false;
    return letters;
}

// "chinasa umeh-bassey": a hyphenated word no dictionary knows, right after a
// word read as a name in lower case, is that name's double-barrelled surname.
bool PortableNameTagger::isDoubleBarrelledAfterName(qsizetype word) const
{
    return word > 0 && lower(word).contains(u'-') && gapBefore(word) == u" "_s && shapeOf(word - 1) == Shape::lower
        && isLowerCaseNameWord(word - 1);
}

// "gunnvor haugland": written in lower case, a word no dictionary knows right
// before a surname that is no word either is that surname's given name.
bool PortableNameTagger::isBeforeLowerCaseSurname(qsizetype word) const
{
    const qsizetype next = word + 1;
    return next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
        && has(next, Fact::surname) && !has(next, Fact::everyday) && !has(next, Fact::inDictionary)
        && !has(next, Fact::nonPerson) && lower(next).size() > 2;
}

// "Oswin from Brightpaws will walk the dog": opening the sentence, someone from
// a firm that is named, and what they will do or did; the firm is no person.
bool PortableNameTagger::isSpeakingForFirm(qsizetype word) const
{
    const qsizetype from = word + 1;
    const qsizetype firm = word + 2;
    // "Dakota from Greyfield Farms said": the firm's name may run to three words,
    // and a given name that is also a place speaks for it all the same.
    qsizetype verb = firm + 1;
    while (verb < m_words.size() && verb < firm + 3 && shapeOf(verb) == Shape::capitalised && gapBefore(verb) == u" "_s)
        ++verb;
    if (verb >= m_words.size() || !atSentenceStart(word) || shapeOf(word) != Shape::capitalised
        || (has(word, Fact::inDictionary) && !has(word, Fact::given)) || (has(word, Fact::nonPerson) && !has(word, Fact::given))
        || lower(from) != u"from"_s || gapBefore(from) != u" "_s || gapBefore(firm) != u" "_s
        || shapeOf(firm) != Shape::capitalised || has(firm, Fact::given) || gapBefore(verb) != u" "_s)
        return false;
    return has(verb, Fact::action) && shapeOf(verb) == Shape::lower;
}

// "anything urgent → wilhelmina": an arrow in a note points at who takes it
// over; between names it draws a route ("San Jose → Gilroy").
bool PortableNameTagger::isPointedTo(qsizetype word) const
{
    const QStringView gap = gapBefore(word).trimmed();
    return word > 0 && (gap == u"→"_s || gap == u"->"_s || gap == u"=>"_s) && shapeOf(word - 1) == Shape::lower
        && !has(word, Fact::function)
        && (has(word, Fact::given) || !has(word, Fact::inDictionary)) && !has(word, Fact::nonPerson)
        && !isDepartment(lower(word));
}

// "cheers – ottoline": the writer signs off after a dash, closing the note.
bool PortableNameTagger::isSigningOff(qsizetype word) const
{
    static const WordSet signOffs{u"cheers"_s, u"thanks"_s, u"thx"_s, u"ty"_s, u"regards"_s, u"best"_s, u"love"_s};
    const QStringView gap = gapBefore(word).trimmed();
    return word > 0 && word + 1 == m_words.size() && (gap == u"–"_s || gap == u"-"_s || gap == u"—"_s)
        && signOffs.contains(lower(word - 1)) && (has(word, Fact::given) || !has(word, Fact::inDictionary))
        && !has(word, Fact::function) && !isDepartment(lower(word));
}

// "jade said the printer is jammed", "mark wants the report": a given name that
// is also a word opens the sentence and says or wants something, as no jade or mark does.
bool PortableNameTagger::isSpeakingGivenName(qsizetype word) const
{
    static const WordSet speech{u"said"_s, u"says"_s, u"wants"_s, u"wanted"_s, u"asked"_s, u"asks"_s, u"thinks"_s,
                                u"told"_s, u"rang"_s, u"phoned"_s, u"emailed"_s, u"texted"_s, u"mentioned"_s,
                                u"replied"_s, u"confirmed"_s};
    const qsizetype verb = word + 1;
    return verb < m_words.size() && atSentenceStart(word) && has(word, Fact::given) && gapBefore(verb) == u" "_s
        && speech.contains(lower(verb));
}

// "c/o Halloran": post sent in someone's care names them.
bool PortableNameTagger::isCareOf(qsizetype word) const
{
    return word >= 2 && gapBefore(word) == u" "_s && lower(word - 1) == u"o"_s && gapBefore(word - 1) == u"/"_s
        && lower(word - 2) == u"c"_s;
}

// "call back ottoline", "ring back Tobias": the lead verb's particle stands between it and the name.
bool PortableNameTagger::isCalledBack(qsizetype word) const
{
    return word > 1 && gapBefore(word) == u" "_s && gapBefore(word - 1) == u" "_s && lower(word - 1) == u"back"_s
        && has(word - 2, Fact::lead) && !has(word, Fact::function) && !has(word, Fact::nonPerson)
        && !lower(word).front().isDigit();
}

// "ask noreen or kwabena", "viewed by tomasz & ilka": joined to a lower-case name before it.
bool PortableNameTagger::isJoinedToLowerCaseName(qsizetype word) const
{
    if (word > 0 && gapBefore(word).trimmed() == u"&"_s)
        return shapeOf(word - 1) == Shape::lower && isLowerCaseNameWord(word - 1);
    return word > 1 && gapBefore(word) == u" "_s && gapBefore(word - 1) == u" "_s
        && (lower(word - 1) == u"or"_s || isAnd(lower(word - 1))) && shapeOf(word - 2) == Shape::lower
        && isLowerCaseNameWord(word - 2);
}

// "thx for covering, dervla — owe u one": whom the writer thanks, named after a comma as the clause ends.
bool PortableNameTagger::isThankedAtEnd(qsizetype word) const
{
    if (word < 2 || gapBefore(word) != u", "_s || has(word, Fact::inDictionary))
        return false;
    const qsizetype next = word + 1;
    const QStringView after = next < m_words.size() ? gapBefore(next) : QStringView(m_text).sliced(m_tokens.at(m_words.at(word)).range.end);
    static const QString closers = u"—–-.!\n"_s;
    if (next < m_words.size() && (after.trimmed().isEmpty() || !closers.contains(after.trimmed().front())))
        return false;
    // ...and good wishes: "Get well soon, Tobenna.", "Welcome back, Kazimierz!"
    static const WordSet thanks{u"thanks"_s, u"thx"_s, u"thank"_s, u"ty"_s, u"cheers"_s, u"sorry"_s, u"soon"_s,
                                u"luck"_s, u"congrats"_s, u"congratulations"_s, u"welcome"_s, u"done"_s, u"care"_s,
                                u"birthday"_s};
    for (qsizetype i = word - 1; i >= 0 && i >= word - 6; --i) {
        if (thanks.contains(lower(i)))
            return true;
        if (atSentenceStart(i))
            break;
    }
    return false;
}

bool PortableNameTagger::hasParticle(const Run &run) const
{
    for (qsizetype i = run.first; i <= run.last; ++i)
        if (has(i, Fact::particle))
            return true;
    return false;
}

QList<PortableNameTagger::Run> PortableNameTagger::capitalisedRuns() const
{
    QList<Run> runs;
    qsizetype i = 0;
    while (i < m_words.size()) {
        if (!joinsRun(i)) {
            ++i;
            continue;
        }
        Run run{i, i};
        while (run.last + 1 < m_words.size()) {
            const qsizetype next = run.last + 1;
            const QStringView gap = gapBefore(next);
            const QStringView lastText = textOf(run.last);
            if (isPossessive(lastText))
                break; // "Nadia's laptop": the name ends with its owner
            const bool initialBefore = lastText.size() == 1;
            const bool spaced = gap == u" "_s || gap == u"\u00A0"_s || gap == u"  "_s;
            // "K.-H. Brandauer": German double initials keep the hyphen of "Karl-Heinz".
            const bool afterInitial = initialBefore && (gap == u". "_s || gap == u"."_s || gap == u".-"_s);
            if (!spaced && !afterInitial)
                break;
            // "June figures": a lower-case word is no surname of a capitalised name.
            // "Ilse grünwald" is still one name: a word no dictionary knows after a given name,
            // unless the sentence goes on in the same language ("José prefiere correo"). A
            // given name that is also a month or a word keeps it: "Jan wil graag" may be a
            // person only so.
            // Only Latin script is looked up: "к Ивану по счёту" has no surname in lower case.
            const bool latin = lower(next).front().unicode() < 0x250;
            const bool caseBreak = shapeOf(next) == Shape::lower && shapeOf(run.last) != Shape::lower
                && !(run.first == run.last && latin && has(run.last, Fact::given) && !has(next, Fact::inDictionary)
                     && !isInflectedWord(lower(next)) && !has(next, Fact::action)
                     && !isAnd(lower(next)) && !(isForeignClauseAfter(next) && !has(run.last, Fact::ambiguousGiven)));
            if (!caseBreak && joinsRun(next)) {
                run.last = next;
                continue;
            }
            // "Ana de Sousa e Silva", "José García y López": two surnames joined after a particle.
            const bool joinedSurname = (lower(next) == u"e"_s || lower(next) == u"y"_s) && spaced
                && next + 1 < m_words.size() && gapBefore(next + 1) == u" "_s
                && shapeOf(next + 1) == Shape::capitalised && hasParticle(run) && joinsRun(next + 1);
            if (joinedSurname) {
                run.last = next + 1;
                continue;
            }
            // "Maria de la Cruz": particles join when a capitalised word follows them.
            qsizetype after = next;
            // "van 't Hoff": the article written short after a particle.
            const auto isShortArticle = [&](qsizetype k) {
                return lower(k) == u"t"_s && k > next && (gapBefore(k) == u" '"_s || gapBefore(k) == u" ’"_s);
            };
            while (after < m_words.size() && (has(after, Fact::particle) || isShortArticle(after))
                   && !isCapitalised(textOf(after)) && !isConjunctionOfNames(after))
                ++after;
            // "Mubarak bin Jassim": "son of" between two capitalised words joins them, whatever the first one is.
            const bool patronymic = after == next + 1 && isPatronymicParticle(lower(next));
            const bool afterName = lower(run.last).size() == 1 || has(run.last, Fact::given) || has(run.last, Fact::surname)
                || !has(run.last, Fact::inDictionary) || has(run.last, Fact::particle) || patronymic;
            if (afterName && after > next && after < m_words.size() && gapBefore(after) == u" "_s && joinsRun(after)) {
                run.last = after;
                continue;
            }
            break;
        }
        // "von Stauffenberg, Clara", "met van der Berg": a surname's particles
        // in lower case before it, even where no given name leads them.
        const qsizetype previousEnd = runs.isEmpty() ? -1 : runs.back().last;
        if (shapeOf(run.first) != Shape::other && shapeOf(run.first) != Shape::initial)
            run.first = particlesBefore(run.first, previousEnd);
        runs.append(run);
        i = run.last + 1;
    }
    return runs;
}

// Everyday words at either end of a run are capitalised for another reason
// ("Later", "Support"); names that are also words ("Rose", "Hill") stay.
PortableNameTagger::Run PortableNameTagger::trimmed(Run run) const
{
    const auto isPlainWord = [&](qsizetype i) {
        if (lower(i).size() == 1)
            return false; // an initial
        if (has(i, Fact::given) || has(i, Fact::surname) || isGivenBeforeSurname(run, i) || isSurnameAfterGiven(run, i)
            || isFamilySurname(i) || isSurnameBeforeRole(i))
            return false;
        if (i < run.last && lower(i + 1).size() == 1 && has(i, Fact::ambiguousGiven))
            return false; // "Rosalind K."
        // "PRE-PAID", "Follow-Up": a compound of everyday words.
        return has(i, Fact::everyday) || has(i, Fact::nonPerson) || isCompoundOfEverydayWords(lower(i));
    };
    if (run.first == run.last && (isAfterHonorific(run.first) || isCapitalsSurnameOfPair(run.first)))
        return run;
    // "Name: Yaw Boateng": after a form's field for a person even a word is a given name.
    const bool field = run.first > 0 && gapBefore(run.first).trimmed() == u":"_s && isPeopleLabel(run.first - 1);
    while (!field && run.first < run.last && !has(run.first, Fact::particle) && isPlainWord(run.first))
        ++run.first;
    // "Приходил Иван": a verb opening the sentence before a given name.
    while (run.first < run.last && (has(run.first, Fact::action) || isRussianPastVerb(lower(run.first)))
           && !has(run.first, Fact::given) && !has(run.first, Fact::surname) && has(run.first + 1, Fact::given))
        ++run.first;
    // No dictionary speaks for other alphabets: a third capitalised word
    // opening a sentence is the sentence's first word ("Позвонить Ольге Смирновой").
    const QChar firstLetter = lower(run.first).at(0);
    // A patronymic among them makes all three one Russian name ("Сафин Тимур Ильдарович").
    // "Зинченко Т. В.": a surname before its initials stays.
    if (run.last - run.first >= 2 && firstLetter.unicode() >= 0x370 && atSentenceStart(run.first)
        && lower(run.first + 1).size() > 1
        && !has(run.first, Fact::given) && !isPatronymic(lower(run.first + 1)) && !isPatronymic(lower(run.first + 2)))
        ++run.first;
    if (run.first == run.last && isPlainWord(run.first))
        return {run.first, run.first - 1};
    // After a particle every word is part of the surname ("de La Tour").
    for (qsizetype i = run.first; i < run.last; ++i)
        if (has(i, Fact::particle))
            return run;
    // "on behalf of Cordelia Vane": a word closing the text after a given name is her surname.
    const bool endsText = run.last + 1 == m_words.size() || !gapBefore(run.last + 1).startsWith(u' ');
    if (endsText && run.last > run.first && has(run.last - 1, Fact::given) && shapeOf(run.last) == Shape::capitalised)
        return run;
    // "Ignatius Roe's signature": what owns a signature or a wife after a given name is a surname.
    if (run.last > run.first && has(run.last - 1, Fact::given) && shapeOf(run.last) == Shape::capitalised
        && !has(run.last, Fact::nonPerson) && isOwnerOfBelonging(run))
        return run;
    // "Ms Ffion Trellis": after a title and a given name, the surname, whatever else it means.
    const bool titled = run.first > 0 && gapBefore(run.first) == u" "_s && has(run.first - 1, Fact::title);
    if (titled && run.last == run.first + 1 && has(run.first, Fact::given) && !has(run.first, Fact::everyday)
        && shapeOf(run.last) == Shape::capitalised && !has(run.last, Fact::nonPerson) && !has(run.last, Fact::placeNoun))
        return run;
    if (isWordSurnameBeforeDoing(run))
        return run;
    if (isPairInPeopleField(run) && !isPlainWord(run.first))
        return run;
    while (run.last >= run.first && isPlainWord(run.last))
        --run.last;
    return run;
}

// "Readers: Bathsheba Brand, Eustaquio ...": two capitalised words right after
// a field for people are one person's name, whatever the second also means.
bool PortableNameTagger::isPairInPeopleField(const Run &run) const
{
    return run.last == run.first + 1 && run.first > 0 && gapBefore(run.first).trimmed() == u":"_s
        && isPeopleLabel(run.first - 1) && shapeOf(run.first) == Shape::capitalised
        && shapeOf(run.last) == Shape::capitalised && !has(run.last, Fact::nonPerson) && !has(run.last, Fact::placeNoun);
}

// "Bartholomew Quince drops Monty off": before what people do, a word after a
// given name is her surname.
bool PortableNameTagger::isWordSurnameBeforeDoing(const Run &run) const
{
    return run.last == run.first + 1 && isPlainGivenName(run.first) && shapeOf(run.last) == Shape::capitalised
        && !has(run.last, Fact::nonPerson) && !has(run.last, Fact::placeNoun) && !lower(run.last).endsWith(u's')
        && isDoneByPerson(run.last + 1); // "Jordan Shoes wants": a shop's wares
}

bool PortableNameTagger::isDoneByPerson(qsizetype word) const
{
    return word < m_words.size() && gapBefore(word) == u" "_s && shapeOf(word) == Shape::lower
        && (has(word, Fact::action) || isPresentVerb(lower(word)));
}

double PortableNameTagger::score(const Run &run) const
{
    const double before = contextBefore(run);
    // "and" joins things as often as people ("Yeti tumblers and Stanley mugs").
    // "Petra hat angerufen": a noun of English is a verb of the language the sentence goes on in.
    const double compound = before <= weight::weakLead && isCompoundNoun(run) && !europeanContextAfter(run.last + 1)
            && !isForeignClauseAfter(run.last + 1)
        ? weight::compoundNoun : 0;
    // "Contract with Brightwater signed": the verb is the paper's, not the run's.
    const bool paper = run.first > 0 && gapBefore(run.first) == u" "_s && isFromBusiness(run.first - 1);
    const double after = paper ? qMin(contextAfter(run), 0.0) : contextAfter(run);
    return wordEvidence(run) + before + after + shapeEvidence(run) + compound + europeanEvidence(run);
}

// "Allen key", "Murphy bed", "Parker pens": a lone name right before a noun,
// with nothing before it that speaks of a person, names a thing.
bool PortableNameTagger::isCompoundNoun(const Run &run) const
{
    const qsizetype next = run.last + 1;
    if (run.first != run.last || next >= m_words.size() || gapBefore(next) != u" "_s
        || shapeOf(next) != Shape::lower || has(next, Fact::action) || isPossessive(textOf(run.last)) || isFamilyName(run))
        return false;
    // Inflected words may be verbs the person does ("handles", "signed", "waiting"),
    // and "today" or "tonight" say when, not what ("sent it to Priya today").
    static const WordSet when{u"today"_s, u"yesterday"_s, u"tomorrow"_s, u"tonight"_s, u"now"_s,
                                    u"again"_s, u"later"_s, u"earlier"_s, u"too"_s};
    const QString &word = lower(next);
    if (word.size() < 3 || word.endsWith(u"ed"_s) || word.endsWith(u"ing"_s) || when.contains(word)
        || isGivenOffice(run))
        return false;
    // "Wilson tennis balls": an "s" ends nouns the dictionary lists as they are, but also verbs ("handles").
    const QByteArray classes = WordClasses::shared().classesOf(word);
    return !classes.isEmpty() && classes.front() == WordClasses::noun && (!word.endsWith(u's') || !classes.contains('v'));
}

// What the words themselves say: known given names and surnames for, everyday
// words and places against.
double PortableNameTagger::wordEvidence(const Run &run) const
{
    if (isSurnameFirstName(run) || isCalendarNamedPerson(run) || isNameInCapitalsPair(run))
        return weight::givenFirst + weight::surnameLater;
    double score = 0;
    bool hasInitial = false;
    bool allUnusual = true;
    qsizetype nameWordCount = 0;
    for (qsizetype i = run.first; i <= run.last; ++i) {
        const QString &base = lower(i);
        if (base.size() == 1) {
            hasInitial = true;
            continue;
        }
        if (has(i, Fact::particle))
            continue;
        ++nameWordCount;
        const bool given = has(i, Fact::given);
        const bool surname = has(i, Fact::surname);
        const bool everyday = has(i, Fact::everyday);
        if (i > run.first && has(i - 1, Fact::particle) && !has(i, Fact::particle) && !isForeignSentenceStart(run)) {
            score += weight::surnameLater; // "van der Berg", "de la Cruz"
            continue;
        }
        if (isGivenBeforeSurname(run, i)) {
            score += weight::ambiguousGivenFirst;
            continue;
        }
        if (isSurnameAfterGiven(run, i) || (i == run.last && isWordSurnameBeforeDoing(run))) {
            score += weight::surnameLater;
            continue;
        }
        // "Ms Dundee", "Mr Chester": after an honorific a place's name is a surname.
        if (has(i, Fact::nonPerson) && !given && !surname && !(i == run.first && isAfterHonorific(i)))
            return weight::notPerson;
        if (i == run.first)
            score += given ? (everyday ? weight::ambiguousGivenFirst : weight::givenFirst) : surname ? weight::surnameFirst : 0;
        else
            score += surname ? weight::surnameLater : given ? weight::givenLater : 0;
        if (given || surname)
            continue;
        if (everyday) {
            score += weight::everydayWord;
            allUnusual = false;
        } else if (has(i, Fact::properNoun) && !(i > run.first && (has(i - 1, Fact::given) || has(i - 1, Fact::particle)))
                   && !(i < run.last && !has(i + 1, Fact::inDictionary))) {
            // After a given name or a particle it is a surname ("von Bremen"),
            // and before a word no list knows a given name ("Anselm Bråthen").
            score += weight::properNoun;
            allUnusual = false;
        } else {
            score += weight::unknownWord;
        }
    }
    if (nameWordCount == 0 || (run.last > run.first && isPlacePrefix(lower(run.first))))
        return weight::notPerson;
    // "ex-Siemens", "ex-Harrison-Weller": where someone used to work.
    if (lower(run.first).startsWith(u"ex-"_s))
        return weight::notPerson;
    if (run.last > run.first && has(run.last, Fact::placeNoun) && !isPersonWithPlaceSurname(run))
        return weight::notPerson; // "Hyde Park", "Lincoln Ave"
    if (nameWordCount >= 2 && allUnusual)
        score += weight::unusualPair;
    if (hasInitial)
        score += weight::initial;
    static const WordSet leadingParticles{u"van"_s, u"von"_s, u"ter"_s, u"ten"_s, u"mac"_s, u"bin"_s, u"ibn"_s, u"abu"_s};
    if (leadingParticles.contains(lower(run.first)) && run.last > run.first)
        score += weight::particleLed;
    return score;
}

// "Gemma Hall is out sick", "ask Priya Park": a given name that is
// nothing else, then a surname that also ends places' names, with a person's
// doing after it or a word before it that only people follow.
bool PortableNameTagger::isPersonWithPlaceSurname(const Run &run) const
{
    if (run.last != run.first + 1 || !has(run.first, Fact::given) || has(run.first, Fact::everyday)
        || has(run.first, Fact::nonPerson) || !(has(run.last, Fact::surname) || has(run.last, Fact::ambiguousSurname))
        || shapeOf(run.last) != Shape::capitalised)
        return false;
    const qsizetype next = run.last + 1;
    const bool doing = next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
        && (has(next, Fact::action) || isVerbForm(lower(next)) || isPresentVerb(lower(next)));
    const bool led = run.first > 0 && gapBefore(run.first) == u" "_s
        && (followsPersonLead(run.first) || has(run.first - 1, Fact::title));
    return doing || led;
}

// "Wednesday Holloway phoned": a day or a month as a given name, shown by a
// known surname that is no everyday word and a verb of people after it.
bool PortableNameTagger::isCalendarNamedPerson(const Run &run) const
{
    const qsizetype after = run.last + 1;
    // "Менеджер Елена": a role or a body is no day or month.
    if (run.last != run.first + 1 || !has(run.first, Fact::nonPerson) || shapeOf(run.first) != Shape::capitalised
        || shapeOf(run.last) != Shape::capitalised || isForeignRoleNoun(lower(run.first))
        || isForeignInstitution(lower(run.first)) || isForeignSentenceWord(lower(run.first)))
        return false;
    static const WordSet weakVerbs{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"will"_s, u"can"_s};
    // A surname no list knows will do when no dictionary knows it either ("Sunday Adeyemi").
    const bool surname = has(run.last, Fact::surname)
        || (lower(run.last).size() > 3 && !has(run.last, Fact::inDictionary) && !isInflectedWord(lower(run.last))
            && !isPrefixedWord(lower(run.last)) && !isVerbAndParticle(lower(run.last)));
    // "with Sunday Adebayo", "new tenant Christmas Okafor": a lead word that
    // only people follow, or what the person is, will do instead of the verb.
    // "Courier: Tuesday Okonjo-Bright": the field of a form for a person will do as well.
    const bool led = (run.first > 0 && gapBefore(run.first) == u" "_s
                      && (followsPersonLead(run.first) || has(run.first - 1, Fact::title) || isPersonNoun(lower(run.first - 1))))
        || isFieldValue(run.first);
    const bool doing = after < m_words.size() && gapBefore(after) == u" "_s
        && ((has(after, Fact::action) && !weakVerbs.contains(lower(after))) || isAuxiliaryThenDoing(after));
    return surname && !has(run.last, Fact::everyday) && !has(run.last, Fact::nonPerson) && !has(run.last, Fact::placeNoun)
        && (led || doing);
}

// "India Marsh", "Sterling Mabry": a given name that is also a word or a place
// opens the run, and a surname follows it.
bool PortableNameTagger::isGivenBeforeSurname(const Run &run, qsizetype word) const
{
    const qsizetype next = word + 1;
    if (word != run.first || next > run.last || has(word, Fact::given) || shapeOf(word) != Shape::capitalised
        || shapeOf(next) != Shape::capitalised)
        return false;
    // "Cerise Dobbin": names that other countries' lists give and that are also words.
    if (!has(word, Fact::rareAmbiguousGiven) && !has(word, Fact::ambiguousGiven))
        return isWordBeforePlainSurname(run);
    if (has(next, Fact::nonPerson) || has(next, Fact::placeNoun))
        return false;
    // A rarer one ("Primrose", "Earnest") needs a surname that is no word,
    // or a word only people follow before it or a person's doing after it
    // ("Met Prudence Fowler", "Verity Fowler is our contact").
    if (!has(word, Fact::ambiguousGiven)) {
        const qsizetype after = next + 1;
        const bool doing = after < m_words.size() && gapBefore(after) == u" "_s
            && ((has(after, Fact::action) && !isAuxiliary(after)) || isPersonNounAfterCopula(after));
        return (has(next, Fact::surname) || !has(next, Fact::inDictionary))
            && (!has(next, Fact::everyday) || doing || (word > 0 && gapBefore(word) == u" "_s && followsPersonLead(word)));
    }
    return has(next, Fact::surname) || has(next, Fact::ambiguousSurname) || !has(next, Fact::inDictionary);
}

// "Thistle Hargreaves", "Clover Whitfield signed": a word no list gives as
// a given name, right before a surname that is nothing else, is one all the
// same, unless it is what the person is ("Manager Jones") or opens a
// sentence with nothing after that speaks of a person.
bool PortableNameTagger::isWordBeforePlainSurname(const Run &run) const
{
    const qsizetype word = run.first;
    const qsizetype surname = word + 1;
    if (run.last != surname || !has(surname, Fact::surname) || has(surname, Fact::everyday)
        || has(surname, Fact::nonPerson) || has(surname, Fact::given) || has(surname, Fact::placeNoun)
        || isPossessive(textOf(word)))
        return false;
    const QString &base = lower(word);
    if (base.size() < 3 || !has(word, Fact::everyday) || has(word, Fact::nonPerson) || has(word, Fact::title)
        || has(word, Fact::function) || has(word, Fact::lead) || has(word, Fact::opener) || isPersonNoun(base)
        || isDepartment(base) || isPlacePrefix(base) || nameLexicon::isFirmEnding(base) || isSiteNoun(base))
        return false;
    return !atSentenceStart(word) || contextAfter(run) > 0;
}

// "Rosalind Pike", "Demetrius Bright": a surname that is also a word, after a given name.
// "Khadidiatou Sow (childminder)": a word after a given name, before who the
// person is in brackets, is the surname whatever else it means.
bool PortableNameTagger::isSurnameBeforeRole(qsizetype word) const
{
    const qsizetype role = word + 1;
    return word > 0 && role < m_words.size() && gapBefore(word) == u" "_s && has(word - 1, Fact::given)
        && shapeOf(word) == Shape::capitalised && !has(word, Fact::nonPerson) && !has(word, Fact::placeNoun)
        && gapBefore(role) == u" ("_s && isPersonNoun(lower(role));
}

// "Nyasha Gumbo for Tatenda Gumbo's 50th": a word after two given names is
// their family's surname, whatever else it means.
bool PortableNameTagger::isFamilySurname(qsizetype word) const
{
    const auto isGivenLike = [&](qsizetype i) {
        return shapeOf(i) == Shape::capitalised && !has(i, Fact::nonPerson)
            && (has(i, Fact::given) || (!has(i, Fact::inDictionary) && lower(i).size() > 2));
    };
    const auto followsGiven = [&](qsizetype i) {
        return i > 0 && shapeOf(i) == Shape::capitalised && gapBefore(i) == u" "_s && isGivenLike(i - 1);
    };
    if (!followsGiven(word) || has(word, Fact::nonPerson) || has(word, Fact::placeNoun))
        return false;
    for (qsizetype other = 1; other < m_words.size(); ++other)
        if (other != word && lower(other) == lower(word) && followsGiven(other) && lower(other - 1) != lower(word - 1))
            return true;
    return false;
}

bool PortableNameTagger::isSurnameAfterGiven(const Run &run, qsizetype word) const
{
    // "Ottoline Marsh": a given name no list knows, but no dictionary either, will do.
    if (word <= run.first)
        return false;
    const bool afterGiven = has(word - 1, Fact::given)
        || (word - 1 == run.first && word == run.last && !has(word - 1, Fact::inDictionary) && lower(word - 1).size() > 2);
    return word > run.first && !has(word, Fact::surname) && has(word, Fact::ambiguousSurname) && afterGiven
        && shapeOf(word) == shapeOf(word - 1) && !has(word, Fact::nonPerson) && !has(word, Fact::placeNoun);
}

// Chinese, Vietnamese and Korean names written family name first in Latin
// letters: "Tan Wei Ming", "Dang Thu Thao". The short syllables after the
// family name are read as a given name even when they are English words.
bool PortableNameTagger::isSurnameFirstName(const Run &run) const
{

    const qsizetype count = run.last - run.first + 1;
    // "Thị" and "Văn" stand second in Vietnamese names, whatever family name leads them.
    static const WordSet vietnameseMiddleNames{u"thị"_s, u"thi"_s, u"văn"_s};
    const bool middleName = count >= 3 && vietnameseMiddleNames.contains(lower(run.first + 1))
        && lower(run.first).size() <= 6 && shapeOf(run.first) == Shape::capitalised;
    if (count < 2 || count > 4 || (!isEastAsianFamilyName(lower(run.first)) && !middleName))
        return false;
    for (qsizetype i = run.first + 1; i <= run.last; ++i) {
        const QString &syllable = lower(i);
        const bool shortPart = syllable.size() <= 6 || (syllable.contains(u'-') && syllable.size() <= 9);
        if (!shortPart || shapeOf(i) != Shape::capitalised || has(i, Fact::placeNoun))
            return false;
    }
    return true;
}

// Titles and lead words before the run for, a place preposition against.
double PortableNameTagger::contextBefore(const Run &run) const
{
    // "@Tamsin can you": a mention in a chat names a person, unlike "sales@Example".
    const QStringView mention = gapBefore(run.first);
    if (mention.endsWith(u'@') && (run.first == 0 || mention.size() > 1))
        return weight::title;
    if (run.first == 0)
        return 0;
    if (gapBefore(run.first) == u" "_s && isPersonsNumber(run.first - 1))
        return weight::strongLead;
    if (isAfterHouseNumber(run.first) || isAfterQuantity(run.first) || (run.first > 1 && isPlaceUpon(run.first - 1)))
        return weight::notPerson;
    const QString &previous = lower(run.first - 1);
    const QStringView gap = gapBefore(run.first).trimmed();
    const bool close = gap.isEmpty() || gap == u"."_s || gap == u","_s || gap == u":"_s || gap == u"!"_s;
    if (isFieldValue(run.first) || isNamedAs(run.first))
        return weight::title;
    if (gap.isEmpty() && has(run.first, Fact::particle) && isForeignInstitution(previous))
        return weight::notPerson; // "Prefeitura de Campelo": the place a public body serves
    // "El técnico de Movistar", "der Techniker von Vodafone": the firm a trade is sent from.
    if (gap.isEmpty() && has(run.first, Fact::particle) && shapeOf(run.first) == Shape::lower && run.last == run.first + 1
        && isTradeNoun(previous) && !isPlainGivenName(run.last))
        return weight::notPerson;
    // "Best wishes, Theodosia", "Yours sincerely\nBram": the writer signs.
    static const WordSet signOffs{u"wishes"_s, u"sincerely"_s, u"faithfully"_s, u"warmly"_s, u"truly"_s,
                                        u"regards"_s, u"cheers"_s, u"thanks"_s};
    if ((gap.isEmpty() || gap == u","_s) && signOffs.contains(previous))
        return weight::strongLead;
    if (isSignature(run))
        return weight::strongLead;
    static const WordSet towards{u"from"_s, u"to"_s, u"via"_s};
    if (gap.isEmpty() && run.first == run.last && towards.contains(previous) && has(run.first, Fact::nonPerson)
        && !isSpokenTo(run.first))
        return weight::notPerson; // "from Memphis"
    if (close && has(run.first - 1, Fact::title) && gap != u","_s)
        return weight::title;
    if (isActionLabelled(run) || isCareOf(run.first))
        return weight::title;
    if (run.first == run.last && (isPointedTo(run.first) || isSigningOff(run.first)))
        return weight::strongLead;
    if (run.first == run.last && run.first >= 2 && isSpeakingForFirm(run.first - 2))
        return weight::notPerson;
    // "call back Ruby": a word that is also a given name is one there, unlike "call back Monday".
    if (gap.isEmpty() && isCalledBack(run.first) && (!has(run.first, Fact::everyday) || has(run.first, Fact::given)))
        return weight::strongLead;
    if (gap.isEmpty() && isFamilyTitle(run.first - 1) && shapeOf(run.first) == Shape::capitalised
        && !has(run.first, Fact::nonPerson))
        return weight::title;
    if (const double lead = europeanLead(run); lead != 0)
        return lead;
    // "a delivery van from Brackwell", but "someone from Marta's team".
    if (gap.isEmpty() && isFromEmployer(run.first - 1) && !isPossessive(textOf(run.last)))
        return weight::placePreposition;
    if (gap.isEmpty() && previous == u"of"_s && run.first > 1 && lower(run.first - 2) == u"behalf"_s)
        return weight::strongLead; // "on behalf of"
    // "our driver Dallas", "her husband, Forrest,": a person noun after a possessive names whose it is.
    if ((gap.isEmpty() || gap == u","_s) && isPersonNoun(previous) && run.first >= 2
        && gapBefore(run.first - 1) == u" "_s && isDeterminer(lower(run.first - 2)))
        return lower(run.first - 2) == u"the"_s || lower(run.first - 2) == u"a"_s ? weight::strongLead : weight::title;
    // Firms are "known as" something too, so that counts only before a given name.
    const bool byName = isByName(run.first - 1)
        && (lower(run.first - 1) == u"by"_s || lower(run.first - 1) == u"prefers"_s || has(run.first, Fact::given));
    if ((!has(run.first - 1, Fact::lead) || byName) && followsPersonLead(run.first))
        return weight::strongLead; // "w/ jenny"
    if (gap.isEmpty() && isHumanRole(previous))
        return weight::strongLead; // "agent Temperance:", "nurse Adaeze"
    if (gap.isEmpty() && isPersonField(previous) && !has(run.first, Fact::everyday) && !has(run.first, Fact::nonPerson))
        return weight::strongLead; // "Guest LINDQVIST", "Applicant Okonjo"
    // "flight to Queenstown", and "he's moving to Kingston" even where Kingston is his name too.
    if (gap.isEmpty() && isJourneyEnd(run.first - 1) && !isPossessive(textOf(run.last)))
        return run.first == run.last ? weight::notPerson : weight::placePreposition;
    if (gap.isEmpty() && (isBearingFrom(run.first - 1) || isRouteStart(run)) && !isPossessive(textOf(run.last)))
        return weight::placePreposition;
    // "Via della Moscova 8": a street's opening word written as such, not the lead word "via".
    const bool numbered = run.last + 1 < m_words.size() && gapBefore(run.last + 1) == u" "_s
        && lower(run.last + 1).front().isDigit(); // "Via Roma 12" opening an address
    if (gap.isEmpty() && isPlacePrefix(previous) && isCapitalised(textOf(run.first - 1))
        && (!atSentenceStart(run.first - 1) || numbered) && (shapeOf(run.first) != Shape::lower || numbered))
        return weight::notPerson;
    // "refund issued by Zalando", "boiler serviced by Baxi": what firms do for customers.
    static const WordSet firmsDoing{u"issued"_s, u"processed"_s, u"fulfilled"_s, u"dispatched"_s, u"shipped"_s,
                                    u"sold"_s, u"manufactured"_s, u"made"_s, u"supplied"_s, u"provided"_s,
                                    u"operated"_s, u"sponsored"_s, u"underwritten"_s, u"serviced"_s, u"insured"_s,
                                    u"powered"_s, u"hosted"_s, u"published"_s, u"distributed"_s};
    if (gap.isEmpty() && previous == u"by"_s && run.first >= 2 && gapBefore(run.first - 1) == u" "_s
        && firmsDoing.contains(lower(run.first - 2)) && !isPlainGivenName(run.first))
        return weight::weakLead;
    if (close && has(run.first - 1, Fact::lead)) {
        // "via" comes before carriers and payment services as often as before people.
        // ...and what comes from a business comes from a firm, unless a plain given name says otherwise.
        const bool weak = previous == u"and"_s || previous == u"to"_s || previous == u"for"_s || previous == u"via"_s
            || (isFromBusiness(run.first - 1) && !isPlainGivenName(run.first));
        return weak && !isTowardsPerson(run.first - 1) ? weight::weakLead : weight::strongLead;
    }
    if (gap.isEmpty() && isBroughtIn(run.first))
        return weight::strongLead;
    if (gap.isEmpty() && isAskedAbout(run))
        return weight::strongLead;
    if (gap.isEmpty() && isSentOut(run))
        return weight::strongLead;
    if (gap.isEmpty() && has(run.first - 1, Fact::placePreposition) && !isOwnerOfBelonging(run))
        return weight::placePreposition;
    if ((gap.isEmpty() || gap == u":"_s) && (previous == u"room"_s || previous == u"rooms"_s))
        return weight::notPerson; // meeting rooms are named after places and people alike
    // "the Paris account", but "was that Saoirse's badge".
    // "a Dyson Airwrap", "an Epson": one of many things of that make. The
    // English "an" stands before vowels only; the German one before names too.
    const bool vowel = QStringView(u"aeiou").contains(lower(run.first).front());
    if (gap.isEmpty() && (previous == u"a"_s || (previous == u"an"_s && vowel)))
        return weight::notPerson;
    // "said that Rashida would call": "that" opening a clause whose subject is the run.
    const bool clause = previous == u"that"_s && run.last + 1 < m_words.size() && has(run.last + 1, Fact::action)
        && gapBefore(run.last + 1) == u" "_s;
    if (gap.isEmpty() && isDeterminer(previous) && !isOwnerOfBelonging(run) && !clause && !isFamilyName(run))
        return run.first == run.last ? weight::determinerLone : weight::determiner;
    const QStringView before = textOf(run.first - 1);
    if (gap.isEmpty() && isCapitalised(before) && isPossessive(before))
        return weight::notPerson; // "Mother's Day", "Ben's Original"
    // "Monday Standup", "Google Meet": the rest of a thing's name, unless a known name.
    // ...but "Rota: Mon Ada Obi, Tue ...": a day labels each entry of a list.
    if (gap.isEmpty() && isCapitalised(before) && hasLowerCase(before) && has(run.first - 1, Fact::nonPerson)
        && !has(run.first, Fact::given) && !has(run.first, Fact::surname)
        && !(run.last > run.first && opensEntry(run.first - 1) && isDay(lower(run.first - 1))))
        return weight::trailingWord;
    const bool sameCase = isCapitalised(textOf(run.first - 1)) || shapeOf(run.first) == Shape::lower;
    if ((gap.isEmpty() || gap == u"."_s) && isPlacePrefix(previous) && sameCase)
        return weight::notPerson;
    return 0;
}

// What is said of a person's health or presence, and of no place or thing.
bool PortableNameTagger::isPersonsState(const QString &word)
{
    static const WordSet states{u"absent"_s, u"unwell"_s, u"allergic"_s, u"diabetic"_s, u"asthmatic"_s,
                                u"epileptic"_s, u"pregnant"_s, u"poorly"_s, u"coeliac"_s, u"celiac"_s};
    return states.contains(word);
}

// "Boxing Day", "Mother's Day", "Canada Day", but "Doris Day".
bool PortableNameTagger::isHoliday(const Run &run) const
{
    const qsizetype last = run.last;
    if (lower(last) != u"day"_s || last == 0 || gapBefore(last) != u" "_s || !isCapitalised(textOf(last - 1)))
        return false;
    // "on Columbus Day", "until Victoria Day": a day named after someone is still a date.
    static const WordSet dated{u"on"_s, u"before"_s, u"after"_s, u"until"_s, u"till"_s, u"over"_s, u"since"_s};
    const bool onDay = last >= 2 && run.first == last - 1 && dated.contains(lower(last - 2));
    // "Wallace Day closure": the day names what happens on it.
    const qsizetype next = last + 1;
    const bool event = next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
        && WordClasses::shared().classesOf(lower(next)).startsWith(WordClasses::noun);
    return isPossessive(textOf(last - 1)) || !has(last - 1, Fact::given) || onDay || event;
}

// "in Ashcombe's absence", "at Ngozi's desk": a place owns no desk.
bool PortableNameTagger::isOwnerOfBelonging(const Run &run) const
{
    const qsizetype next = run.last + 1;
    return isPossessive(textOf(run.last)) && next < m_words.size() && gapBefore(next) == u" "_s
        && isBelonging(lower(next));
}

// A word no list knows that is two everyday words of four letters or more.
bool PortableNameTagger::isCompoundOfWords(qsizetype word) const
{
    const QString &text = lower(word);
    if (text.size() < 8 || has(word, Fact::inDictionary) || has(word, Fact::given) || has(word, Fact::surname))
        return false;
    const auto isEveryday = [](const QString &part) {
        const QByteArray classes = WordClasses::shared().classesOf(part);
        return !classes.isEmpty() && classes.front() != WordClasses::properNoun;
    };
    for (qsizetype cut = 4; cut + 4 <= text.size(); ++cut)
        if (isEveryday(text.first(cut)) && isEveryday(text.sliced(cut)))
            return true;
    return false;
}

// "Standup moved", "Rollout failed": a verb and its particle no list knows as a name.
bool PortableNameTagger::isUnlistedVerbAndParticle(qsizetype word) const
{
    return lower(word).size() >= 6 && !has(word, Fact::inDictionary) && !has(word, Fact::given)
        && !has(word, Fact::surname) && isVerbAndParticle(lower(word));
}

// "Madison will call back", "Georgia from the kitchen is off": a given name
// that is also a place, opening a sentence and doing what people do.
bool PortableNameTagger::isPlaceNamedPerson(const Run &run) const
{
    const qsizetype next = run.last + 1;
    if (run.first != run.last || !has(run.first, Fact::nonPerson) || !has(run.first, Fact::ambiguousGiven)
        || shapeOf(run.first) != Shape::capitalised || !atSentenceStart(run.first) || next >= m_words.size())
        return false;
    if (isInDepartment(next) || isSaidOfPerson(run))
        return true;
    if (gapBefore(next) != u" "_s || shapeOf(next) != Shape::lower)
        return false;
    if (!isAuxiliary(next))
        return has(next, Fact::action) && !has(next, Fact::function);
    return isAuxiliaryThenDoing(next);
}

bool PortableNameTagger::isAuxiliary(qsizetype word) const
{
    static const WordSet auxiliaries{u"is"_s, u"was"_s, u"will"_s};
    return auxiliaries.contains(lower(word));
}

// "is flying", "will cover": a verb of a person's doing after the auxiliary.
bool PortableNameTagger::isAuxiliaryThenDoing(qsizetype next) const
{
    if (!isAuxiliary(next))
        return false;
    const qsizetype verb = next + 1;
    if (verb >= m_words.size() || gapBefore(verb) != u" "_s || shapeOf(verb) != Shape::lower)
        return false;
    const QString &word = lower(verb);
    const QByteArray classes = WordClasses::shared().classesOf(word.endsWith(u"ing"_s) ? word.chopped(3) : word);
    return word != u"be"_s && (word.endsWith(u"ing"_s) || lower(next) == u"will"_s) && classes.contains('v');
}

// "Okonjo family", "the Brandauer household": a surname naming a household.
bool PortableNameTagger::isFamilyName(const Run &run) const
{
    // "the Nowak twins", "the Adeyemi kids": a family's children go by its name too.
    static const WordSet familyNouns{u"family"_s, u"household"_s, u"twins"_s, u"triplets"_s, u"kids"_s,
                                           u"children"_s, u"boys"_s, u"girls"_s, u"sisters"_s, u"brothers"_s};
    const qsizetype next = run.last + 1;
    return next < m_words.size() && gapBefore(next) == u" "_s && !isPossessive(textOf(run.last))
        && familyNouns.contains(lower(next)) && !has(run.last, Fact::nonPerson)
        && !has(run.last, Fact::everyday);
}

// "Biscuit (spaniel)", "2 dogs (Pip & Juno)", "our puppy Bramble", "a stray we
// named Oliver", "NAME: Rosie  SPECIES: feline": animals get people's names,
// and the word for the animal beside the name says which it is.
bool PortableNameTagger::isPet(const Run &run, bool brackets) const
{
    const qsizetype next = run.last + 1;
    if (brackets && next < m_words.size() && gapBefore(next).trimmed() == u"("_s && isAnimalInBrackets(next))
        return true;
    if (isCalledAnimalAfter(next))
        return true;
    if (run.first == 0)
        return false;
    const qsizetype before = run.first - 1;
    const QStringView gap = gapBefore(run.first);
    if ((gap == u" "_s || gap == u", "_s) && isAnimal(lower(before)))
        return true;
    // "De hond heet Max", "der Hund heißt Bruno", "el perro se llama Toby".
    static const WordSet naming{u"named"_s, u"called"_s, u"heet"_s, u"heißt"_s, u"heisst"_s, u"llama"_s,
                                u"chiama"_s, u"chama"_s, u"appelle"_s};
    const auto isNaming = [&](qsizetype i) { return naming.contains(lower(i)); };
    if (gap == u" "_s && isNaming(before) && isNamingAnimal(before))
        return true;
    if (gap == u" "_s && lower(before) == u"it"_s && before > 0 && isNaming(before - 1))
        return true; // "named it Pip"
    if (gap.trimmed() == u":"_s && lower(before) == u"name"_s
        && (m_text.contains(u"species"_s, Qt::CaseInsensitive) || m_text.contains(u"breed"_s, Qt::CaseInsensitive)))
        return true;
    return brackets && isInBracketsAfterAnimal(run.first);
}

// "(black lab)", "(one litter)": the kind within the first words of the brackets.
bool PortableNameTagger::isAnimalInBrackets(qsizetype first) const
{
    for (qsizetype i = first; i < m_words.size() && i < first + 3; ++i) {
        if (i > first && gapBefore(i) != u" "_s)
            return false;
        if (isBreed(lower(i)))
            return endsPhrase(i);
    }
    return false;
}

// "the lab manager", "(lab tech)": a kind of animal only when no noun follows it.
bool PortableNameTagger::endsPhrase(qsizetype word) const
{
    return word + 1 >= m_words.size() || gapBefore(word + 1) != u" "_s;
}

// "Pebble the tortoise", "Truffle is the dog", "Pip is a rescue greyhound".
bool PortableNameTagger::isCalledAnimalAfter(qsizetype next) const
{
    qsizetype word = next;
    if (word < m_words.size() && gapBefore(word) == u" "_s && lower(word) == u"is"_s)
        ++word;
    if (word + 1 >= m_words.size() || gapBefore(word).trimmed().size() > 1 || gapBefore(word + 1) != u" "_s
        || !isDeterminer(lower(word)))
        return false;
    for (qsizetype i = word + 1; i < m_words.size() && i <= word + 2; ++i) {
        if (gapBefore(i) != u" "_s)
            return false;
        if (isBreed(lower(i)))
            return endsPhrase(i);
    }
    return false;
}

// "a dog called Bramble", "(shy, named Poppy)": "called" may
// also be a phone call, so it needs the animal right before it.
bool PortableNameTagger::isNamingAnimal(qsizetype verb) const
{
    if (verb == 0)
        return false;
    if (gapBefore(verb) == u" "_s && isAnimal(lower(verb - 1)))
        return true;
    for (qsizetype i = verb - 1; i > 0 && i >= verb - 5 && lower(verb) != u"called"_s; --i) {
        if (gapBefore(i).contains(u'.'))
            return false;
        if (isAnimal(lower(i - 1)))
            return true;
    }
    return false;
}

// "cats (Luna & Sol)", "dogs (Max, Bella, Pip)": the animals' names in brackets.
bool PortableNameTagger::isInBracketsAfterAnimal(qsizetype word) const
{
    for (qsizetype i = word; i > 0 && i >= word - 4; --i) {
        const QStringView gap = gapBefore(i);
        if (gap.contains(u')'))
            return false;
        if (gap.contains(u'('))
            return gap.trimmed() == u"("_s && isAnimal(lower(i - 1));
    }
    return false;
}

// "Thaddeus and his parents", "Mrs Achebe and her sister": only a person
// comes with a family of their own.
bool PortableNameTagger::isWithOwnFamily(const Run &run) const
{
    static const WordSet families{u"parents"_s, u"kids"_s, u"children"_s, u"family"_s, u"sons"_s,
                                        u"daughters"_s, u"grandchildren"_s, u"friends"_s};
    const qsizetype link = run.last + 1;
    if (link + 2 >= m_words.size() || gapBefore(link) != u" "_s || gapBefore(link + 1) != u" "_s
        || gapBefore(link + 2) != u" "_s || !isAnd(lower(link)))
        return false;
    const QString &whose = lower(link + 1);
    const QString &who = lower(link + 2);
    return (whose == u"his"_s || whose == u"her"_s || whose == u"their"_s) && (families.contains(who) || isPersonNoun(who));
}

// "Ostrowski himself", "Thandeka (night nurse)": what only a person is.
bool PortableNameTagger::isSaidOfPerson(const Run &run) const
{
    static const WordSet reflexive{u"himself"_s, u"herself"_s, u"themself"_s, u"themselves"_s};
    const qsizetype next = run.last + 1;
    if (next >= m_words.size())
        return false;
    const QStringView gap = gapBefore(next);
    if (gap == u" "_s && reflexive.contains(lower(next)))
        return true;
    // "Kristjana (HR)", "Anselm (Finance)": a team named alone in brackets.
    const bool closes = next + 1 >= m_words.size() || gapBefore(next + 1).startsWith(u')');
    if (gap == u" ("_s && closes && isDepartment(lower(next)) && lower(next) != u"it"_s)
        return true;
    // "Marsh (CFO)", "Brandauer (finance lead)": an officer, or a team and a role in it.
    static const WordSet officers{u"ceo"_s, u"cfo"_s, u"cto"_s, u"coo"_s, u"cio"_s, u"cmo"_s, u"cpo"_s,
                                        u"vp"_s, u"svp"_s, u"evp"_s, u"md"_s, u"gm"_s, u"pa"_s, u"hrbp"_s};
    if (gap == u" ("_s && closes && officers.contains(lower(next)))
        return true;
    const bool closesAfterRole = next + 2 >= m_words.size() || gapBefore(next + 2).startsWith(u')');
    if (gap == u" ("_s && next + 1 < m_words.size() && gapBefore(next + 1) == u" "_s && closesAfterRole
        && isDepartment(lower(next)) && isRole(lower(next + 1)))
        return true;
    if (gap != u" ("_s)
        return false;
    // "(temp)", "(night dispatcher)", "(our Auckland agent)": a role or what
    // someone is to others, closing a short aside.
    qsizetype last = next;
    while (last + 1 < m_words.size() && last - next < 3 && gapBefore(last + 1) == u" "_s)
        ++last;
    const bool asideEnds = last + 1 >= m_words.size() || gapBefore(last + 1).startsWith(u')');
    const bool lowerRole = shapeOf(next) == Shape::lower && (isRole(lower(next)) || isRole(lower(qMin(last, next + 1))));
    const bool described = asideEnds && shapeOf(last) == Shape::lower && !isPossessive(textOf(last))
        && (isRole(lower(last)) || isPersonNoun(lower(last)));
    return lowerRole || described;
}

// "22 Via Roma", "3 Calle Mayor": a street named after its house number.
bool PortableNameTagger::isAfterHouseNumber(qsizetype word) const
{
    const auto isNumber = [&](qsizetype i) {
        const QString &text = lower(i);
        return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    };
    if (word < 1 || gapBefore(word) != u" "_s)
        return false;
    if (isNumber(word - 1))
        return !isClockTime(word - 1) && !isNumberedEntry(word - 1) && !isPersonsNumber(word - 1);
    // The street word before the name may be a word of its own ("Via", "Rue").
    // "10:40 Mr Goodacre": a log's time, not a house number.
    return word >= 2 && isCapitalised(textOf(word - 1)) && gapBefore(word - 1) == u" "_s && isNumber(word - 2)
        && !isClockTime(word - 2);
}

// "Horns: 1 Ada Obi, 2 Ben Roe": a number opening one of several entries of
// a list, each a number and a capitalised word, counts the entries.
// "candidate 4417 Olatunde Bakare", "guest 2 Ines Moura": the number a desk
// gives the person, who is named after it.
bool PortableNameTagger::isPersonsNumber(qsizetype number) const
{
    const QString &text = lower(number);
    if (number < 1 || gapBefore(number) != u" "_s || text.isEmpty()
        || !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }))
        return false;
    const QString &holder = lower(number - 1);
    return isHumanRole(holder) || (isPersonField(holder) && holder != u"name"_s);
}

bool PortableNameTagger::isNumberedEntry(qsizetype number) const
{
    const auto numberedEntry = [&](qsizetype i) {
        const QString &text = lower(i);
        return i + 1 < m_words.size() && !text.isEmpty() && text.size() <= 2
            && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }) && opensEntry(i)
            && gapBefore(i + 1) == u" "_s && shapeOf(i + 1) == Shape::capitalised;
    };
    if (!numberedEntry(number))
        return false;
    for (qsizetype i = 0; i < m_words.size(); ++i)
        if (i != number && numberedEntry(i))
            return true;
    return false;
}

bool PortableNameTagger::opensEntry(qsizetype word) const
{
    if (word == 0)
        return true;
    const QStringView gap = gapBefore(word);
    const QStringView mark = gap.trimmed();
    return gap.contains(u'\n') || (!mark.isEmpty() && (mark.endsWith(u':') || mark.endsWith(u',') || mark.endsWith(u';')));
}

// "0815 Kimani called", "08:15 Kimani called": a log's entries open with the
// time of day, which no house number is written as.
bool PortableNameTagger::isClockTime(qsizetype word) const
{
    const QString &text = lower(word);
    const QStringView gap = gapBefore(word);
    if (text.size() == 2 && word > 0 && gap == u":"_s)
        return lower(word - 1).size() <= 2 && text.toInt() < 60;
    return text.size() == 4 && text.startsWith(u'0') && text.sliced(2).toInt() < 60;
}

// "2x Hydro Flask", "4 x Russell Hobbs kettles", "1× Breville": goods counted out.
bool PortableNameTagger::isAfterQuantity(qsizetype word) const
{
    if (word < 1)
        return false;
    const auto isNumber = [&](const QString &text) {
        return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
    };
    const QString &previous = lower(word - 1);
    const QStringView gap = gapBefore(word);
    if (gap == u"× "_s || gap == u"×"_s || gap == u" × "_s)
        return isNumber(previous); // "1× Breville", "2 × Margherita"
    if (gap != u" "_s)
        return false;
    if (previous.endsWith(u'x') && previous.size() > 1 && isNumber(previous.chopped(1)))
        return true; // "2x Hydro Flask"
    return previous == u"x"_s && word >= 2 && isNumber(lower(word - 2)); // "4 x Russell Hobbs"
}

// "invoice from", "contract with": papers and goods come from firms more
// often than from people, unlike a call or a letter.
bool PortableNameTagger::isFromBusiness(qsizetype word) const
{
    static const WordSet papers{u"invoice"_s, u"invoices"_s, u"order"_s, u"orders"_s, u"po"_s, u"quote"_s,
                                      u"quotes"_s, u"contract"_s, u"statement"_s, u"bill"_s, u"account"_s,
                                      u"deal"_s, u"agreement"_s, u"renewal"_s, u"shipment"_s, u"parcel"_s,
                                      u"package"_s, u"subscription"_s, u"policy"_s, u"credit"_s, u"loan"_s,
                                      u"notice"_s, u"catalogue"_s, u"catalog"_s, u"samples"_s, u"stock"_s,
                                      u"sponsorship"_s, u"donation"_s, u"donations"_s, u"referral"_s, u"estimate"_s,
                                      u"proposal"_s, u"tender"_s, u"retainer"_s, u"parcels"_s,
                                      u"valuation"_s, u"shipments"_s, u"packages"_s,
                                      // Goods are bought from shops, seldom from people by name.
                                      u"ordered"_s, u"bought"_s, u"purchased"_s, u"sourced"_s, u"reordered"_s,
                                      u"ordering"_s, u"buy"_s, u"purchase"_s, u"rented"_s, u"leased"_s,
                                      // Cover and services are taken out with firms, goods sent with carriers.
                                      u"insurance"_s, u"insured"_s, u"membership"_s, u"mortgage"_s, u"warranty"_s,
                                      u"hire"_s, u"rental"_s, u"broadband"_s, u"shipped"_s, u"posted"_s,
                                      u"couriered"_s, u"dispatched"_s};
    const QString &preposition = lower(word);
    if (word == 0 || (preposition != u"from"_s && preposition != u"with"_s) || gapBefore(word) != u" "_s)
        return false;
    return papers.contains(lower(word - 1)) || (preposition == u"from"_s && isSuppliedThing(word - 1));
}

// "pump from Hanson", "harp from Salvi", "antibodies from Abcam": a thing
// comes from a supplier; what people send is words, cards and gifts.
bool PortableNameTagger::isSuppliedThing(qsizetype word) const
{
    static const WordSet sentByPeople{
        u"message"_s, u"messages"_s, u"call"_s, u"calls"_s, u"email"_s, u"emails"_s, u"note"_s, u"notes"_s,
        u"letter"_s, u"letters"_s, u"text"_s, u"texts"_s, u"voicemail"_s, u"complaint"_s, u"feedback"_s,
        u"request"_s, u"query"_s, u"reply"_s, u"update"_s, u"visit"_s, u"apology"_s, u"card"_s, u"cards"_s,
        u"gift"_s, u"gifts"_s, u"flowers"_s, u"present"_s, u"cheque"_s, u"check"_s, u"payment"_s,
        u"keys"_s, u"key"_s, u"lift"_s, u"ride"_s, u"help"_s, u"word"_s, u"news"_s, u"advice"_s, u"cover"_s,
        u"handover"_s, u"signature"_s, u"consent"_s, u"approval"_s, u"referral"_s, u"letterbox"_s};
    const QString &thing = lower(word);
    if (shapeOf(word) != Shape::lower || thing.size() < 3 || sentByPeople.contains(thing) || isPersonNoun(thing)
        || isHumanRole(thing) || has(word, Fact::function) || has(word, Fact::cue) || isDay(thing))
        return false;
    const QByteArray classes = WordClasses::shared().classesOf(thing);
    const bool plural = classes.isEmpty() && thing.endsWith(u's')
        && WordClasses::shared().classesOf(thing.chopped(1)).startsWith(WordClasses::noun);
    return (!classes.isEmpty() && classes.front() == WordClasses::noun) || plural;
}

// "crew from", "a contractor from": staff and vans are sent by a firm, which
// the word after "from" names; a person is "Ifeoma from the depot".
bool PortableNameTagger::isFromEmployer(qsizetype word) const
{
    static const WordSet sent{u"crew"_s, u"van"_s, u"truck"_s, u"lorry"_s, u"contractor"_s,
                                    u"contractors"_s, u"reporter"_s, u"technician"_s, u"engineer"_s, u"rep"_s,
                                    u"representative"_s, u"staff"_s, u"consultant"_s, u"consultants"_s,
                                    u"auditor"_s, u"auditors"_s, u"installer"_s, u"installers"_s, u"fitter"_s,
                                    u"fitters"_s, u"inspector"_s, u"surveyor"_s, u"cleaners"_s, u"temp"_s,
                                    u"temps"_s, u"someone"_s, u"somebody"_s, u"guy"_s, u"guys"_s, u"people"_s,
                                    // Trades sent out by their firms: "plumber from Mears came Thurs".
                                    u"plumber"_s, u"plumbers"_s, u"electrician"_s, u"electricians"_s, u"roofer"_s,
                                    u"roofers"_s, u"glazier"_s, u"joiner"_s, u"joiners"_s, u"builder"_s, u"builders"_s,
                                    u"locksmith"_s, u"decorator"_s, u"decorators"_s, u"painters"_s, u"movers"_s,
                                    u"removers"_s, u"driver"_s, u"drivers"_s, u"mechanic"_s, u"porters"_s};
    return word > 0 && lower(word) == u"from"_s && gapBefore(word) == u" "_s && sent.contains(lower(word - 1));
}

// "flight to", "shipment from": where something travels between, a place.
bool PortableNameTagger::isJourneyEnd(qsizetype word) const
{
    // Deliveries and shipments go to people as often as to places, so they are left out.
    static const WordSet journeys{u"flight"_s, u"flights"_s, u"trip"_s, u"train"_s, u"bus"_s, u"ferry"_s,
                                        u"route"_s, u"move"_s, u"relocation"_s, u"freight"_s, u"drive"_s,
                                        u"journey"_s, u"travel"_s, u"transit"_s, u"connection"_s, u"commute"_s,
                                        // Travelling oneself: "heading to", "flew back from".
                                        u"heading"_s, u"headed"_s, u"driving"_s, u"drove"_s, u"flying"_s, u"flew"_s,
                                        u"travelling"_s, u"traveling"_s, u"travelled"_s, u"traveled"_s,
                                        u"relocating"_s, u"relocated"_s, u"commuting"_s, u"moving"_s,
                                        u"emigrating"_s, u"emigrated"_s, u"fly"_s, u"flies"_s};
    const QString &preposition = lower(word);
    if (word < 1 || (preposition != u"to"_s && preposition != u"from"_s) || gapBefore(word) != u" "_s)
        return false;
    // "flew back from": the adverb stands between the verb and its preposition.
    const bool back = lower(word - 1) == u"back"_s && word >= 2 && gapBefore(word - 1) == u" "_s;
    return journeys.contains(lower(back ? word - 2 : word - 1));
}

// "from Chester to Manchester Airport": where a route starts, once it ends at a place.
bool PortableNameTagger::isRouteStart(const Run &run) const
{
    const qsizetype to = run.last + 1;
    const qsizetype end = to + 1;
    if (lower(run.first - 1) != u"from"_s || end >= m_words.size() || lower(to) != u"to"_s
        || gapBefore(to) != u" "_s || gapBefore(end) != u" "_s || shapeOf(end) != Shape::capitalised)
        return false;
    // "a lift from Tobias to Leeds": a plain given name is who gives it.
    if (has(run.first, Fact::given) && !has(run.first, Fact::ambiguousGiven) && !has(run.first, Fact::nonPerson))
        return false;
    const bool placeNounAfter = end + 1 < m_words.size() && gapBefore(end + 1) == u" "_s && has(end + 1, Fact::placeNoun);
    return isWorldPlace({end, end}) || placeNounAfter || (has(end, Fact::nonPerson) && !has(end, Fact::given));
}

// "west of Abilene", "just north of Leeds": a place measured from another.
bool PortableNameTagger::isBearingFrom(qsizetype word) const
{
    static const WordSet bearings{u"north"_s, u"south"_s, u"east"_s, u"west"_s, u"northeast"_s,
                                        u"northwest"_s, u"southeast"_s, u"southwest"_s, u"outskirts"_s};
    return word >= 1 && lower(word) == u"of"_s && gapBefore(word) == u" "_s && bearings.contains(lower(word - 1));
}

// "handed over to", "talked to", "according to": a "to" that only a person follows.
bool PortableNameTagger::isTowardsPerson(qsizetype word) const
{
    static const WordSet verbs{
        u"talk"_s, u"talked"_s, u"talking"_s, u"speak"_s, u"spoke"_s, u"speaking"_s, u"spoken"_s, u"reply"_s,
        u"replied"_s, u"replying"_s, u"hand"_s, u"handed"_s, u"pass"_s, u"passed"_s, u"escalate"_s,
        u"escalated"_s, u"according"_s, u"wrote"_s, u"write"_s, u"written"_s, u"forward"_s, u"forwarded"_s,
        u"assign"_s, u"assigned"_s, u"reassigned"_s, u"report"_s, u"reports"_s, u"reported"_s, u"explain"_s,
        u"explained"_s, u"mention"_s, u"mentioned"_s, u"apologise"_s, u"apologised"_s, u"apologize"_s,
        u"apologized"_s, u"introduce"_s, u"introduced"_s, u"over"_s, u"back"_s, u"out"_s, u"it"_s, u"them"_s,
        u"listen"_s, u"listened"_s, u"belongs"_s, u"belonged"_s, u"thanks"_s, u"married"_s, u"engaged"_s,
        u"related"_s, u"says"_s, u"said"_s, u"delegated"_s, u"lent"_s, u"gave"_s, u"give"_s, u"given"_s,
        u"copy"_s, u"copies"_s, u"copied"_s, u"transferred"_s, u"handover"_s,
        u"delegate"_s, u"reassign"_s};
    static const WordSet asking{u"ask"_s, u"asked"_s, u"asking"_s, u"asks"_s};
    // "ask for Dimitra", "a message for Oisín": what is left for someone.
    static const WordSet leftFor{u"note"_s, u"message"_s, u"voicemail"_s, u"vm"_s, u"memo"_s, u"card"_s, u"gift"_s,
                                       u"present"_s, u"flowers"_s};
    if (word >= 1 && lower(word) == u"for"_s && gapBefore(word) == u" "_s
        && (asking.contains(lower(word - 1)) || leftFor.contains(lower(word - 1)) || isStandingIn(word - 1)))
        return true;
    // "apologies from Pat and Des": minutes list who sent theirs.
    if (word >= 1 && lower(word) == u"from"_s && gapBefore(word) == u" "_s && lower(word - 1) == u"apologies"_s)
        return true;
    if (word < 1 || lower(word) != u"to"_s)
        return false;
    const QStringView gap = gapBefore(word);
    // "spoke briefly to Rautio": an adverb may stand between.
    const bool adverb = word >= 2 && lower(word - 1).endsWith(u"ly"_s) && gapBefore(word - 1) == u" "_s
        && verbs.contains(lower(word - 2));
    return (gap == u" "_s || gap == u"\n"_s) && (verbs.contains(lower(word - 1)) || adverb);
}

// "spoke to Santiago", "talked to Dallas": a given name that is also a place
// is the person when the verb says somebody was spoken to.
bool PortableNameTagger::isSpokenTo(qsizetype word) const
{
    static const WordSet speaking{u"talk"_s, u"talked"_s, u"talking"_s, u"speak"_s, u"spoke"_s,
                                        u"speaking"_s, u"spoken"_s, u"chat"_s, u"chatted"_s, u"explained"_s,
                                        u"mentioned"_s, u"apologised"_s, u"apologized"_s, u"replied"_s};
    return word >= 2 && has(word, Fact::given) && lower(word - 1) == u"to"_s && gapBefore(word - 1) == u" "_s
        && speaking.contains(lower(word - 2));
}

// "cover for", "filling in for": only a person is stood in for.
bool PortableNameTagger::isStandingIn(qsizetype word) const
{
    static const WordSet cover{u"cover"_s, u"covers"_s, u"covering"_s, u"covered"_s};
    static const WordSet standIn{u"fill"_s, u"fills"_s, u"filling"_s, u"filled"_s, u"stand"_s,
                                       u"stands"_s, u"standing"_s, u"stood"_s, u"sub"_s, u"subbing"_s};
    if (cover.contains(lower(word)))
        return true;
    return word >= 1 && lower(word) == u"in"_s && gapBefore(word) == u" "_s && standIn.contains(lower(word - 1));
}

// Speech and action verbs and a possessive after the run.
// "Quennell, our new intern,": who the person is, said between commas.
bool PortableNameTagger::isPersonInApposition(qsizetype word) const
{
    static const WordSet owners{u"our"_s, u"my"_s, u"your"_s, u"his"_s, u"her"_s, u"their"_s, u"the"_s};
    if (!owners.contains(lower(word)))
        return false;
    for (qsizetype noun = word + 1; noun < m_words.size() && noun <= word + 3; ++noun) {
        if (gapBefore(noun) != u" "_s)
            return false;
        if (isPersonNoun(lower(noun)) || isHumanRole(lower(noun)))
            return noun + 1 >= m_words.size() || !gapBefore(noun + 1).trimmed().isEmpty();
    }
    return false;
}

bool PortableNameTagger::isClauseBreak(QStringView gap)
{
    return gap == u", "_s || gap == u" – "_s || gap == u" - "_s || gap == u" — "_s;
}

// "Radomila saw a leak", "Ines irons the shirts": a word for goods that is
// also a verb is the verb when what is done follows it.
bool PortableNameTagger::isVerbWithObject(qsizetype word) const
{
    static const WordSet objects{u"a"_s, u"an"_s, u"the"_s, u"his"_s, u"her"_s, u"their"_s, u"my"_s, u"our"_s,
                                 u"your"_s, u"it"_s, u"them"_s, u"him"_s, u"me"_s, u"us"_s, u"this"_s, u"that"_s,
                                 u"some"_s, u"two"_s, u"three"_s};
    const qsizetype object = word + 1;
    return object < m_words.size() && gapBefore(object) == u" "_s && shapeOf(object) == Shape::lower
        && objects.contains(lower(object));
}

double PortableNameTagger::contextAfter(const Run &run) const
{
    double score = 0;
    qsizetype after = run.last + 1;
    if (const std::optional<double> foreign = europeanContextAfter(after))
        return *foreign == 0 && isUnlistedVerbAfterGivenName(run) ? weight::strongVerb : *foreign;
    // "Tanaka-san prefers": the verb comes after the honorific.
    if (after + 1 < m_words.size() && gapBefore(after) == u"-"_s && hyphenHonorifics().contains(u'-' + lower(after)))
        ++after;
    if (after < m_words.size()) {
        const QString &next = lower(after);
        const QStringView gap = gapBefore(after);
        const QStringView nextText = textOf(after);
        // "Orlando FL", "Whitley Bay", "Lincoln Center": a place.
        const QStringView lastText = textOf(run.last);
        const bool owner = isPossessive(lastText);
        // ...but "Dr. Marr's Tuesday clinic", "Signe's June rota" are a person's.
        const bool dated = has(after, Fact::nonPerson) && has(after, Fact::cue);
        if (owner && isCapitalised(nextText) && hasLowerCase(nextText) && gap == u" "_s && !dated)
            return weight::notPerson; // "Ben's Original", "Victoria's Secret"
        // "Boise ID", "Portland, OR", but not "Hamid Rezaei (ID checked)".
        const bool regionPlaced = (gap == u" "_s || gap == u", "_s) && isRegionCode(nextText) && !isIdentityDocument(after);
        // "J. Osei (Branch Mgr)": in brackets the place noun is the role's, not the run's.
        // "B. Lindgren, Dr Ilic": after a comma a title opens the next item.
        const bool placeNounAfter = isCapitalised(nextText) && has(after, Fact::placeNoun) && !gap.contains(u'(')
            && !(gap.contains(u',') && has(after, Fact::title));
        if ((regionPlaced && !m_shouting && !owner) || placeNounAfter)
            return weight::notPerson;
        if (!owner && gap == u" "_s && (isCountryArm(nextText) || isPlaceUpon(after)))
            return weight::notPerson;
        // "per Dean's office": the office of a post, not of a Dean.
        static const WordSet posts{u"dean"_s, u"principal"_s, u"provost"_s, u"registrar"_s, u"bursar"_s,
                                   u"chancellor"_s, u"mayor"_s, u"governor"_s, u"sheriff"_s, u"coroner"_s};
        if (owner && gap == u" "_s && run.first == run.last && next == u"office"_s && posts.contains(lower(run.first)))
            return weight::notPerson;
        // "Hallworth's rep", "Halvorsen's website": what a firm has, unless a given name owns it.
        if (owner && gap == u" "_s && run.first == run.last && isFirmsBelonging(next) && !has(run.first, Fact::given))
            return weight::notPerson;
        if (!owner && gap == u" "_s && isSiteNoun(next))
            return weight::notPerson; // "the Carmel store", "Dalton plant"
        if (!owner && gap == u" "_s && (isGoods(next) || isStaffOf(next)) && !isVerbWithObject(after))
            score += weight::goods;
        if (!owner && gap == u" "_s && isPassiveOfThing(run))
            return weight::everydayWord;
        // "Dyson V11", "Galaxy S23", "Stafford ST16": a model or a postcode, not a person.
        if (gap == u" "_s && (isModelCode(nextText) || isCountedInitials(nextText) || isNumberedLine(after)))
            return weight::notPerson;
        // "by June 1", "Oct 2025": a month before a number is a date.
        // "Quận 1", "Via 12": a district or a street's first word, numbered.
        // "Max 6 per room": the limit, not a person.
        const bool limit = lower(run.first) == u"max"_s || lower(run.first) == u"min"_s;
        if (run.first == run.last && gap == u" "_s && next.front().isDigit()
            && (has(run.first, Fact::nonPerson) || isPlacePrefix(lower(run.first)) || limit))
            return weight::notPerson;
        if (!owner && isSiteListed(run))
            return weight::notPerson;
        static const WordSet firmEndings{u"sons"_s, u"co"_s, u"company"_s, u"partners"_s, u"associates"_s};
        if (gap.trimmed() == u"&"_s && firmEndings.contains(next))
            return weight::notPerson; // "Fitzgerald & Sons"
        static const WordSet weakVerbs{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"will"_s, u"can"_s};
        if ((gap == u" "_s || gap == u", "_s) && has(after, Fact::action))
            score += weakVerbs.contains(next) ? weight::weakVerb : weight::strongVerb;
        else if (gap == u" "_s && isAdverbBeforeVerb(after))
            score += weight::strongVerb; // "Marisol already fixed it"
        else if (isClauseBreak(gap) && (next == u"she"_s || next == u"he"_s) && !m_shouting)
            score += weight::weakVerb; // "Spoke to Rose, she will pay", "by ottavia – she had it"
        else if (gap == u", "_s && (next == u"she"_s || next == u"he"_s))
            score += weight::strongVerb; // in capitals every word's case is lost, the pronoun's too
        else if (run.first == run.last && isSpeakingForFirm(run.first))
            score += weight::department + weight::strongVerb;
        else if (gap == u" "_s && isPersonsState(next) && shapeOf(after) == Shape::lower)
            score += weight::strongVerb; // "Abernethy absent", "lily-mae allergic to nuts"
        else if (gap == u" "_s && next == u"on"_s && isAway(after))
            score += weight::strongVerb; // "Oswin on leave"
        else if (gap == u" "_s && isPersonNounAfterCopula(after))
            score += weight::strongVerb; // "Verity Fowler is our contact"
        else if (gap == u", "_s && isPersonInApposition(after))
            score += weight::strongVerb; // "Quennell, our new intern, starts"
        else if (gap == u" "_s && shapeOf(after) == Shape::lower && isVerbForm(next))
            score += isUnknownSubjectActing(run) ? weight::strongVerb : weight::verbForm;
        else if (gap == u" "_s && isSubjectDoing(run))
            score += weight::verbForm;
        else if (gap == u" "_s && shapeOf(after) == Shape::lower && isTask(next) && has(run.first, Fact::given))
            score += weight::verbForm; // "Hale off, Ruth covering": the task may close the note
        else if (isDoingToSomething(run))
            score += weight::strongVerb;
    }
    const QStringView lastWord = textOf(run.last);
    const bool apostrophe = run.last + 1 < m_tokens.size() && m_tokens.at(m_words.at(run.last)).range.end < m_text.size()
        && (m_text.at(m_tokens.at(m_words.at(run.last)).range.end) == u'\''
            || m_text.at(m_tokens.at(m_words.at(run.last)).range.end) == u'’');
    if (isPossessive(lastWord) && isContractedIs(run.last + 1))
        score += weight::weakVerb; // "carla's on the phone"
    else if (isPossessive(lastWord) || apostrophe) {
        score += weight::possessive;
        if (run.last + 1 < m_words.size() && gapBefore(run.last + 1).trimmed().isEmpty()
            && isBelonging(lower(run.last + 1)))
            score += weight::belonging;
    }
    if (isSaidOfPerson(run) || isFamilyName(run) || isWithOwnFamily(run) || isSpeakerPlacedFirst(run))
        score += weight::strongVerb;
    // "Bought at Home Depot": a verb is in no department.
    if (isInDepartment(run.last + 1) && !has(run.last, Fact::action))
        score += weight::department + (isSpeakingForDepartment(run.last + 1) ? weight::strongVerb : 0);
    if (isAddressed(run)
        || (run.first == run.last && (isHailed(run.first) || isAddressedAtEnd(run.first) || isThankedAtEnd(run.first))))
        score += weight::addressed;
    if (isIntroducingSelf(run))
        score += weight::strongVerb;
    if (isRecordHead(run))
        score += weight::addressed;
    if (isGivenOffice(run))
        score += weight::strongVerb;
    if (isActionPoint(run))
        score += weight::verbForm; // brands too are to replace and refund things
    if (isWritersPartner(run))
        score += weight::strongVerb;
    return score;
}

// "Dunmore and Kelso branches", "the Leeds, York offices": places whose
// sites are named together after the last of them.
bool PortableNameTagger::isSiteListed(const Run &run) const
{
    qsizetype other = run.last + 1;
    if (run.first != run.last || other + 1 >= m_words.size())
        return false;
    if (gapBefore(other) == u" "_s && (isAnd(lower(other)) || lower(other) == u"or"_s))
        ++other;
    else if (other >= m_words.size() || gapBefore(other).trimmed() != u","_s)
        return false;
    const qsizetype site = other + 1;
    return run.first == run.last && site < m_words.size() && gapBefore(other).endsWith(u' ')
        && shapeOf(other) == Shape::capitalised && gapBefore(site) == u" "_s && isSiteNoun(lower(site));
}

// "Peugeot UK", "Acme EMEA": a firm's arm in a country or region.
bool PortableNameTagger::isCountryArm(QStringView word) const
{
    static const WordSet codes{u"UK"_s, u"GB"_s, u"EU"_s, u"USA"_s, u"UAE"_s, u"NZ"_s, u"AU"_s,
                                     u"IE"_s, u"EMEA"_s, u"APAC"_s, u"LATAM"_s};
    return !m_shouting && word.size() >= 2 && word.size() <= 5 && word.front().isUpper() && word.back().isUpper()
        && codes.contains(word.toString());
}

// "Walton upon Trent", "Newcastle upon Tyne": no person is upon a river.
bool PortableNameTagger::isPlaceUpon(qsizetype word) const
{
    return lower(word) == u"upon"_s && word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s
        && isCapitalised(textOf(word + 1));
}

// "Bill to:", "SHIP TO:" opening a line: an invoice's labels, unlike "From: Ann Lee To: Raj".
bool PortableNameTagger::isFormLabel(const Run &run) const
{
    // In capitals the "TO" may have joined the run.
    const qsizetype to = run.last > run.first && lower(run.last) == u"to"_s ? run.last : run.last + 1;
    return to == run.first + 1 && (run.first == 0 || gapBefore(run.first).contains(u'\n')) && to + 1 < m_words.size()
        && lower(to) == u"to"_s && gapBefore(to + 1).startsWith(u':');
}

// "speaks Dutch and Tamil", "Greek/English": a language, not Ms German.
bool PortableNameTagger::isSpokenLanguage(const Run &run) const
{
    // "Korean-language holds", "Leeds-based", "Swiss-made": a language or a place qualifying a word.
    const qsizetype hyphen = textOf(run.first).indexOf(u'-');
    if (run.first == run.last && hyphen > 0 && hyphen + 1 < textOf(run.first).size()
        && textOf(run.first).at(hyphen + 1).isLower()) {
        const QString &word = lower(run.first);
        const QString head = word.first(hyphen);
        const QString tail = word.sliced(hyphen + 1);
        static const WordSet qualified{u"language"_s, u"speaking"_s, u"speaker"_s, u"speakers"_s, u"based"_s,
                                       u"made"_s, u"born"_s, u"owned"_s, u"style"_s, u"registered"_s, u"built"_s,
                                       u"bound"_s, u"only"_s, u"wide"_s, u"specific"_s, u"themed"_s};
        if (qualified.contains(tail) && (isLanguage(head) || nameLexicon::isNonPersonWord(head)
                                         || WordClasses::shared().classesOf(head).startsWith(WordClasses::properNoun)))
            return true;
    }
    if (run.first != run.last || shapeOf(run.first) != Shape::capitalised || !has(run.first, Fact::inDictionary)
        || !isLanguage(lower(run.first)))
        return false;
    static const WordSet cues{u"speaks"_s, u"speak"_s, u"speaking"_s, u"fluent"_s, u"in"_s, u"native"_s,
                                    u"and"_s, u"or"_s, u"learning"_s, u"teaches"_s, u"interpreter"_s};
    const auto isLanguageAt = [&](qsizetype i) { return i >= 0 && i < m_words.size() && isLanguage(lower(i)); };
    const bool cued = run.first > 0 && (cues.contains(lower(run.first - 1)) || isLanguageAt(run.first - 1));
    const bool listed = run.last + 1 < m_words.size() && gapBefore(run.last + 1).trimmed() == u"/"_s
        && isLanguageAt(run.last + 1);
    return cued || listed;
}

// "Okafor - brake pads", "Da Silva — clutch, collect after 5": a job log's line
// opens with whose it is, when that is a surname and nothing else.
bool PortableNameTagger::isRecordHead(const Run &run) const
{
    const qsizetype next = run.last + 1;
    if (next >= m_words.size())
        return false;
    const QStringView dash = gapBefore(next).trimmed();
    if ((dash != u"-"_s && dash != u"–"_s && dash != u"—"_s)
        || (run.first > 0 && !gapBefore(run.first).contains(u'\n')) || (run.first == 0 && !gapBefore(0).trimmed().isEmpty()))
        return false;
    for (qsizetype i = run.first; i <= run.last; ++i)
        if (!has(i, Fact::particle) && (!has(i, Fact::surname) || has(i, Fact::everyday) || has(i, Fact::nonPerson)))
            return false;
    return true;
}

// "Ottoline elected chair, Brannock secretary": the office a vote gives.
// Not "chair", which as often follows makers ("an Aeron chair").
bool PortableNameTagger::isGivenOffice(const Run &run) const
{
    static const WordSet offices{u"secretary"_s, u"treasurer"_s, u"president"_s, u"captain"_s,
                                       u"chairperson"_s, u"chairwoman"_s, u"chairman"_s, u"vice-chair"_s,
                                       u"vice-captain"_s, u"convenor"_s, u"registrar"_s};
    const qsizetype office = run.last + 1;
    return office < m_words.size() && lower(office).size() >= 7 && gapBefore(office) == u" "_s
        && shapeOf(office) == Shape::lower && !isPossessive(textOf(run.last)) && endsPhrase(office)
        && offices.contains(lower(office));
}

// "Ms Dundee", "Sra. Valencia": right after a form of address, whatever the word.
// "Grandma Peony", "Aunt Hester", "baby Romilly": what a family calls its own
// goes before the name as a title does ("Baby Bjorn" is a maker's).
bool PortableNameTagger::isFamilyTitle(qsizetype word) const
{
    static const WordSet familyTitles{u"grandma"_s, u"grandpa"_s, u"grandad"_s, u"granddad"_s, u"nana"_s, u"aunt"_s, u"auntie"_s, u"aunty"_s, u"uncle"_s,
                                      u"cousin"_s, u"gran"_s};
    const QString &base = lower(word);
    const bool before = word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s
        && shapeOf(word + 1) == Shape::capitalised;
    return before && ((familyTitles.contains(base) && shapeOf(word) == Shape::capitalised)
                      || (base == u"baby"_s && shapeOf(word) == Shape::lower));
}

bool PortableNameTagger::isAfterHonorific(qsizetype word) const
{
    // Not "Dr": makers put it before their names ("Dr Pepper", "Dr. Oetker").
    static const WordSet honorifics{u"mr"_s, u"mrs"_s, u"ms"_s, u"miss"_s, u"mx"_s, u"prof"_s, u"professor"_s, u"sr"_s, u"sra"_s, u"herr"_s, u"frau"_s, u"mme"_s, u"monsieur"_s,
                                          u"madame"_s, u"señor"_s, u"señora"_s, u"senhor"_s, u"senhora"_s,
                                          // Ranks and offices used as titles: "Officer Frost", "Judge Moss".
                                          u"officer"_s, u"sergeant"_s, u"sgt"_s, u"inspector"_s, u"detective"_s,
                                          u"constable"_s, u"judge"_s, u"captain"_s, u"capt"_s, u"lieutenant"_s};
    const QStringView gap = word > 0 ? gapBefore(word) : QStringView();
    if (word > 0 && (gap == u" "_s || gap == u". "_s) && shapeOf(word) == Shape::capitalised && isEuropeanHonorific(word - 1))
        return true; // "Sig.ra Bianchi", "mevrouw Jansen"
    return word > 0 && (gap == u" "_s || gap == u". "_s)
        && ((honorifics.contains(lower(word - 1)) && shapeOf(word - 1) == Shape::capitalised) || isFamilyTitle(word - 1))
        && shapeOf(word) == Shape::capitalised;
}

// "Ms Dundee", "Mr Chester": a place's name after a form of address is the
// person's surname; "Dr Pepper" and other everyday words stay what they are.
bool PortableNameTagger::isAddressedByHonorific(const Run &run) const
{
    const qsizetype word = run.first;
    const bool name = has(word, Fact::given) || has(word, Fact::surname) || has(word, Fact::ambiguousSurname)
        || has(word, Fact::ambiguousGiven);
    return isAfterHonorific(word) && (name || !has(word, Fact::everyday)) && !isPersonNamedBrand(run);
}

// "Lindgren stays local", "..., Ilunga prefers mornings": a capitalised run
// opening a clause, then a verb in its present form. Plural nouns take that
// form too, but a verb of their own follows them ("Ashdown routes need").
bool PortableNameTagger::isSubjectDoing(const Run &run) const
{
    static const WordSet joins{u"and"_s, u"but"_s, u"so"_s, u"then"_s, u"while"_s, u"whereas"_s};
    const qsizetype verb = run.last + 1;
    if (verb >= m_words.size() || shapeOf(run.first) == Shape::lower || shapeOf(verb) != Shape::lower)
        return false;
    // "Heath doing deliveries", "Sunny covering Sun": a given name, then what she is doing to something.
    const bool ongoing = run.first == run.last && has(run.first, Fact::given) && isTask(lower(verb))
        && verb + 1 < m_words.size() && gapBefore(verb + 1) == u" "_s;
    if (!ongoing && !isPresentVerb(lower(verb)))
        return false;
    const QStringView gap = gapBefore(run.first);
    const bool opens = atSentenceStart(run.first) || gap.contains(u',') || gap.contains(u';')
        || (run.first > 0 && gap == u" "_s && joins.contains(lower(run.first - 1)));
    if (!opens)
        return false;
    const qsizetype then = verb + 1;
    if (ongoing || then >= m_words.size() || gapBefore(then) != u" "_s)
        return true;
    static const WordSet auxiliaries{u"are"_s, u"were"_s, u"have"_s, u"do"_s, u"did"_s, u"don't"_s,
                                           u"could"_s, u"would"_s, u"should"_s, u"might"_s, u"must"_s, u"shall"_s};
    const QString &word = lower(then);
    const bool bareVerb = !word.endsWith(u's') && !word.endsWith(u"ing"_s)
        && WordClasses::shared().classesOf(word).contains(WordClasses::verb);
    return !has(then, Fact::action) && !auxiliaries.contains(word) && !bareVerb;
}

// "Mark off the returns", "Rob out the old stock": a given name that is also a
// verb, opening a sentence before its particle and a thing.
bool PortableNameTagger::isVerbBeforeParticle(const Run &run) const
{
    static const WordSet particles{u"up"_s, u"out"_s, u"off"_s, u"back"_s, u"down"_s, u"over"_s};
    const qsizetype particle = run.last + 1;
    return run.first == run.last && atSentenceStart(run.first) && particle + 1 < m_words.size()
        && gapBefore(particle) == u" "_s && gapBefore(particle + 1) == u" "_s && particles.contains(lower(particle))
        && isDeterminer(lower(particle + 1));
}

// "Bill sent to the wrong address", "Notary needed for the deed": an everyday
// word opening a sentence, then what is done to things and no object.
bool PortableNameTagger::isPassiveOfThing(const Run &run) const
{
    static const WordSet doneToThings{u"sent"_s, u"needed"_s, u"required"_s, u"attached"_s, u"delivered"_s,
                                            u"shipped"_s, u"posted"_s, u"printed"_s, u"issued"_s, u"scanned"_s,
                                            u"forwarded"_s, u"enclosed"_s, u"included"_s};
    static const WordSet prepositions{u"to"_s, u"for"_s, u"by"_s, u"via"_s, u"at"_s, u"on"_s, u"in"_s,
                                            u"with"_s};
    const qsizetype verb = run.last + 1;
    if (run.first != run.last || !atSentenceStart(run.first) || !has(run.first, Fact::everyday)
        || (has(run.first, Fact::given) && !has(run.first, Fact::ambiguousGiven)) || verb >= m_words.size()
        || !doneToThings.contains(lower(verb)))
        return false;
    const qsizetype next = verb + 1;
    return next >= m_words.size() || gapBefore(next).trimmed().size() > 0
        || (gapBefore(next) == u" "_s && prepositions.contains(lower(next)));
}

// "Kobina to send the quote": an action point of a meeting's notes.
bool PortableNameTagger::isActionPoint(const Run &run) const
{
    const qsizetype verb = run.last + 2;
    // "..., Vasquez to recount": the points of a list are separated by commas too.
    const QStringView gap = gapBefore(run.first);
    const bool opens = atSentenceStart(run.first) || gap == u", "_s || gap == u"; "_s;
    return verb < m_words.size() && lower(run.last + 1) == u"to"_s && gapBefore(run.last + 1) == u" "_s
        && gapBefore(verb) == u" "_s && opens
        && (shapeOf(verb) == Shape::lower || (m_shouting && shapeOf(verb) == Shape::capitals)) // "OKAFOR TO SIGN"
        && WordClasses::shared().classesOf(lower(verb)).contains(WordClasses::verb);
}

// "Action: Bryony to chase the invoice": under a label for what is to be done,
// who is to do it opens the item, though the name is also a word.
bool PortableNameTagger::isActionLabelled(const Run &run) const
{
    static const WordSet labels{u"action"_s, u"actions"_s, u"todo"_s, u"to-do"_s, u"ap"_s, u"owner"_s, u"next"_s};
    // "Minutes: action on Carvalhal to chase the auditors".
    const bool actionOn = run.first >= 2 && gapBefore(run.first) == u" "_s && lower(run.first - 1) == u"on"_s
        && gapBefore(run.first - 1) == u" "_s && (lower(run.first - 2) == u"action"_s || lower(run.first - 2) == u"actions"_s);
    const bool labelled = run.first > 0 && gapBefore(run.first).trimmed() == u":"_s && labels.contains(lower(run.first - 1));
    const qsizetype verb = run.last + 2;
    const bool toDo = verb < m_words.size() && lower(run.last + 1) == u"to"_s && gapBefore(run.last + 1) == u" "_s
        && gapBefore(verb) == u" "_s && shapeOf(verb) == Shape::lower
        && WordClasses::shared().classesOf(lower(verb)).contains(WordClasses::verb);
    return (labelled && isActionPoint(run)) || (actionOn && toDo);
}

// "Ingólfur and I will cover": someone the writer works beside.
bool PortableNameTagger::isWritersPartner(const Run &run) const
{
    const qsizetype me = run.last + 2;
    return me < m_words.size() && atSentenceStart(run.first) && lower(run.last + 1) == u"and"_s
        && gapBefore(run.last + 1) == u" "_s && gapBefore(me) == u" "_s
        && (textOf(me) == u"I"_s || textOf(me) == u"me"_s);
}

// "Can Summer call me back?", "did Forrest sign": a question that puts its
// auxiliary before the one who is to do something, and the bare verb after.
bool PortableNameTagger::isAskedAbout(const Run &run) const
{
    static const WordSet auxiliaries{u"can"_s, u"could"_s, u"will"_s, u"would"_s, u"did"_s, u"does"_s,
                                           u"should"_s, u"has"_s, u"hasn't"_s, u"didn't"_s, u"can't"_s,
                                           u"won't"_s, u"doesn't"_s};
    static const WordSet adverbs{u"ever"_s, u"already"_s, u"still"_s, u"just"_s, u"actually"_s, u"even"_s};
    const qsizetype aux = run.first - 1;
    qsizetype verb = run.last + 1;
    if (verb + 1 < m_words.size() && adverbs.contains(lower(verb)) && gapBefore(verb + 1) == u" "_s)
        ++verb; // "did rosalind ever sign"
    // In lower case only a known given name is so asked about, not "did vpn ever work".
    const bool lowerName = shapeOf(run.first) == Shape::lower && run.first == run.last && has(run.first, Fact::given)
        && !has(run.first, Fact::everyday) && !has(run.first, Fact::nonPerson);
    if (aux < 0 || verb >= m_words.size() || run.last - run.first > 1 || !auxiliaries.contains(lower(aux))
        || gapBefore(verb) != u" "_s || shapeOf(verb) != Shape::lower || (shapeOf(run.first) == Shape::lower && !lowerName))
        return false;
    // The auxiliary opens the question, or follows a greeting or the one asked ("hi, can Summer").
    if (!atSentenceStart(aux) && !gapBefore(aux).contains(u',') && !(aux > 0 && has(aux - 1, Fact::opener)))
        return false;
    const QString &word = lower(verb);
    return word != u"be"_s && !has(verb, Fact::function) && !auxiliaries.contains(word)
        && WordClasses::shared().classesOf(word).contains(WordClasses::verb);
}

// The sentence holding the word ends with a question mark.
bool PortableNameTagger::isQuestion(qsizetype word) const
{
    static const QString ends = u".!?\n"_s;
    for (qsizetype i = m_tokens.at(m_words.at(word)).range.end; i < m_text.size(); ++i)
        if (ends.contains(m_text.at(i)))
            return m_text.at(i) == u'?';
    return false;
}

// "Jordan ships the orders", "Dallas handles all returns": a given name that
// does something now to a thing named after it.
bool PortableNameTagger::isDoingToSomething(const Run &run) const
{
    const qsizetype verb = run.last + 1;
    const qsizetype object = verb + 1;
    if (object >= m_words.size() || gapBefore(verb) != u" "_s || gapBefore(object) != u" "_s
        || shapeOf(verb) != Shape::lower || isPossessive(textOf(run.last)))
        return false;
    // "Chicago handles the returns": a place does things through the people there.
    if ((!has(run.first, Fact::given) && !has(run.first, Fact::ambiguousGiven)) || has(run.first, Fact::nonPerson))
        return false;
    static const WordSet objects{u"the"_s, u"a"_s, u"an"_s, u"all"_s, u"our"_s, u"their"_s, u"his"_s,
                                       u"her"_s, u"them"_s, u"it"_s, u"every"_s, u"each"_s, u"most"_s,
                                       u"any"_s, u"both"_s, u"these"_s, u"those"_s, u"this"_s, u"that"_s};
    const QString &word = lower(verb);
    if (word.size() < 4 || !word.endsWith(u's') || word.endsWith(u"ss"_s) || !objects.contains(lower(object)))
        return false;
    const WordClasses &words = WordClasses::shared();
    const bool es = word.endsWith(u"es"_s) && words.classesOf(word.chopped(2)).contains(WordClasses::verb);
    return es || words.classesOf(word.chopped(1)).contains(WordClasses::verb);
}

// How the run is written: where it stands and its letter case.
double PortableNameTagger::shapeEvidence(const Run &run) const
{
    double score = 0;
    if (atSentenceStart(run.first) && run.first == run.last && !has(run.first, Fact::given)
        && has(run.first, Fact::everyday))
        score += weight::sentenceStart;
    if (shapeOf(run.first) == Shape::lower && !isParticleLedSurname(run))
        score += isLowerCaseCalled(run) ? weight::lowerCaseCalled : weight::lowerCase;
    // "UNDER WARRANTY", "AT HALF PRICE": text in capitals hides which words
    // are names as lower case does.
    if (m_shouting && run.first == run.last && has(run.first, Fact::everyday))
        score += weight::lowerCase;
    if (isForeignSentenceStart(run))
        score += weight::foreignSentenceStart;
    if (run.first == run.last && has(run.first, Fact::nonPerson))
        score += weight::placeLikeLoneWord;
    if (run.first == run.last && run.first == 0 && has(run.first, Fact::everyday) && contextAfter(run) == 0)
        score += weight::bareSentenceStart;
    if (run.first == run.last && atSentenceStart(run.first)
        && (isCompoundOfWords(run.first) || isUnlistedVerbAndParticle(run.first)))
        score += weight::compoundWord;
    // "from Saint-Pierre", "Santa-Clara": a saint's name joined on names a place.
    const qsizetype hyphen = lower(run.first).indexOf(u'-');
    if (run.first == run.last && hyphen > 0 && isPlacePrefix(lower(run.first).first(hyphen)))
        score += weight::placeLikeLoneWord;
    // "easel from Hobbycraft", "booked with Blacklane": a trade name made of two words.
    static const WordSet dealtWith{u"from"_s, u"with"_s, u"by"_s, u"via"_s, u"per"_s, u"at"_s};
    if (run.first == run.last && run.first > 0 && !atSentenceStart(run.first) && gapBefore(run.first) == u" "_s
        && dealtWith.contains(lower(run.first - 1)) && isCompoundOfWords(run.first))
        score += weight::compoundWord;
    return score;
}

// The first of the lower-case particles written before `word` ("van der",
// "de la"), or `word` itself; none reaches back past `floor`.
qsizetype PortableNameTagger::particlesBefore(qsizetype word, qsizetype floor) const
{
    // "VAN DIJK, SANNE": in a name written in capitals the particle is in capitals too.
    const Shape shape = shapeOf(word) == Shape::capitals ? Shape::capitals : Shape::lower;
    const auto isParticleAt = [&](qsizetype i) {
        return i > floor && gapBefore(i + 1) == u" "_s && shapeOf(i) == shape;
    };
    qsizetype first = word;
    // "van 't Hof": the article written short after a particle.
    const bool shortArticle = first >= 2 && first - 2 > floor && lower(first - 1) == u"t"_s
        && (gapBefore(first - 1) == u" '"_s || gapBefore(first - 1) == u" ’"_s) && gapBefore(first) == u" "_s
        && shapeOf(first - 2) == shape && isSurnameParticle(lower(first - 2));
    // "de la Fuente": the article counts only with a particle before it.
    if (shortArticle)
        first -= 2;
    else if (isParticleAt(first - 1) && isArticleAfterParticle(lower(first - 1)) && isParticleAt(first - 2)
             && isSurnameParticle(lower(first - 2)))
        first -= 2;
    while (isParticleAt(first - 1) && isSurnameParticle(lower(first - 1)))
        --first;
    // "Frau zu Eltz": "zu" is "to" but after a title, where it opens the surname.
    if (isParticleAt(first - 1) && lower(first - 1) == u"zu"_s && first >= 2 && has(first - 2, Fact::title))
        --first;
    return first;
}

// "soren u there?", "mika you around?": a chat opening by calling someone.
bool PortableNameTagger::isHailed(qsizetype word) const
{
    static const WordSet you{u"u"_s, u"you"_s, u"ya"_s};
    static const WordSet present{u"there"_s, u"around"_s, u"free"_s, u"busy"_s, u"about"_s, u"awake"_s,
                                       u"online"_s, u"in"_s, u"up"_s};
    // The dictionary leaves out pronouns, so the ones that hail everybody are named here.
    static const WordSet everybody{u"anyone"_s, u"anybody"_s, u"someone"_s, u"somebody"_s, u"everyone"_s,
                                         u"everybody"_s, u"yall"_s, u"y'all"_s, u"guys"_s, u"all"_s, u"hello"_s,
                                         u"hi"_s, u"hey"_s, u"yo"_s, u"are"_s, u"r"_s};
    const bool opens = word == 0 || (word == 1 && has(0, Fact::opener));
    return opens && !everybody.contains(lower(word)) && !has(word, Fact::function) && word + 2 < m_words.size()
        && gapBefore(word + 1) == u" "_s && gapBefore(word + 2) == u" "_s && you.contains(lower(word + 1))
        && present.contains(lower(word + 2));
}

// "van der linde": in notes these two particles together open a surname,
// whatever word follows them.
bool PortableNameTagger::isAfterNobiliary(qsizetype word) const
{
    static const WordSet firsts{u"van"_s, u"von"_s};
    static const WordSet seconds{u"der"_s, u"den"_s};
    return word >= 2 && gapBefore(word) == u" "_s && gapBefore(word - 1) == u" "_s
        && seconds.contains(lower(word - 1)) && firsts.contains(lower(word - 2));
}

// "forwarded to van der Velde", "ask de la Fuente": particles kept in lower
// case before a capitalised surname are how such names are written, not
// text typed without capitals.
bool PortableNameTagger::isParticleLedSurname(const Run &run) const
{
    if (m_shouting || run.first == run.last || shapeOf(run.last) != Shape::capitalised)
        return false;
    for (qsizetype i = run.first; i < run.last; ++i)
        if (shapeOf(i) != Shape::lower || !(isSurnameParticle(lower(i)) || isArticleAfterParticle(lower(i))))
            return false;
    return !has(run.last, Fact::nonPerson) && !has(run.last, Fact::placeNoun) && !has(run.last, Fact::everyday);
}

// "Kellogg's cereal": a maker's name, not a person, when the goods follow it.
bool PortableNameTagger::isMakerOfGoods(const Run &run) const
{
    const qsizetype next = run.last + 1;
    if (run.first != run.last || !isPossessive(textOf(run.last)) || has(run.first, Fact::given)
        || next >= m_words.size() || gapBefore(next) != u" "_s || !isPackagedGoods(lower(next)))
        return false;
    return run.first == 0 || !has(run.first - 1, Fact::title);
}

// "shipped from Sevilla", "invoice to Den Haag": a place of the world as its
// own people spell it. A lone word that is also a given name may be a person.
bool PortableNameTagger::isWorldPlace(const Run &run) const
{
    if (run.first == run.last && (has(run.first, Fact::given) || has(run.first, Fact::surname)))
        return false;
    QStringList words;
    for (qsizetype i = run.first; i <= run.last; ++i)
        words.append(lower(i));
    return nameLexicon::isWorldPlace(words.join(u' '));
}

bool PortableNameTagger::isFestival(const Run &run) const
{
    QStringList words;
    for (qsizetype i = run.first; i <= run.last; ++i)
        words.append(lower(i));
    return nameLexicon::isFestival(words.join(u' '));
}

// "First reading Isaiah 40:1-11", "John 3:16": a book cited by chapter and verse.
bool PortableNameTagger::isScriptureReference(const Run &run) const
{
    const qsizetype chapter = run.last + 1;
    const qsizetype verse = chapter + 1;
    // "1-11" is a span of verses.
    const auto isNumber = [&](qsizetype i) {
        const QString &text = lower(i);
        return !text.isEmpty() && text.front().isDigit()
            && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit() || c == u'-'; });
    };
    if (run.first != run.last || verse >= m_words.size() || !nameLexicon::isBookOfScripture(lower(run.first))
        || gapBefore(chapter) != u" "_s || gapBefore(verse) != u":"_s || !isNumber(chapter) || !isNumber(verse))
        return false;
    // "Luke 9:00-17:00" on a rota is a shift: a reference that reads as a
    // clock time needs the note to speak of readings.
    const bool clockLike = lower(chapter).toInt() < 24 && lower(verse).size() >= 2 && lower(verse).at(0) <= u'5'
        && lower(verse).at(1).isDigit();
    static const QStringList readings{u"reading"_s, u"psalm"_s, u"gospel"_s, u"bible"_s, u"verse"_s,
                                      u"scripture"_s, u"sermon"_s, u"lesson"_s};
    return !clockLike || std::any_of(readings.cbegin(), readings.cend(), [&](const QString &word) {
        return m_text.contains(word, Qt::CaseInsensitive);
    });
}

// "silver Skoda Fabia", "Fender Telecaster": a maker and its model. A maker that is
// also a name leads a person's name when another name follows it
// ("Mercedes Alvarado", "Suzuki Yuki").
// "Lady Margaret" on a berth, "Miss Molly" in the key safe, "Sir Galahad"
// in the stable: a title quoted with one name is what a boat, a horse or a
// pub is called; a person quoted with a title is given in full ("Ms Ada Obi").
bool PortableNameTagger::isQuotedTitledThing(const Run &run) const
{
    const auto isQuote = [](QChar c) { return c == u'"' || c == u'\u201C' || c == u'\u201D'; };
    const qsizetype title = run.first - 1;
    if (title < 0 || run.first != run.last || !has(title, Fact::title) || gapBefore(run.first) != u" "_s || gapBefore(title).isEmpty()
        || !isQuote(gapBefore(title).back()))
        return false;
    const qsizetype end = rangeOf(run).end;
    return end < m_text.size() && isQuote(m_text.at(end));
}

bool PortableNameTagger::isMakersModel(const Run &run) const
{
    // "Rev. Canon Abiodun Ajayi": after a title the maker's name is a title too.
    if (run.first == run.last || !nameLexicon::isModelMaker(lower(run.first))
        || (run.first > 0 && has(run.first - 1, Fact::title)))
        return false;
    if (!has(run.first, Fact::given) && !has(run.first, Fact::surname))
        return true;
    for (qsizetype i = run.first + 1; i <= run.last; ++i)
        if (has(i, Fact::given) || has(i, Fact::surname) || has(i, Fact::ambiguousSurname))
            return false;
    return true;
}

bool PortableNameTagger::isInAnimalCareNote() const
{
    for (qsizetype i = 0; i < m_words.size(); ++i)
        if (nameLexicon::isAnimalCareWord(lower(i)))
            return true;
    return false;
}

// "Luna and Milo booked for neuter", "ask if Mochi can have the lepto jab":
// in a note about an animal's care a lone name with no title or role before it,
// and no person's doing after it, is the animal's.
bool PortableNameTagger::isPetInCareNote(const Run &run) const
{
    // "Luna, Milo" may have been read as a surname and a given name.
    const bool listed = run.last == run.first + 1 && gapBefore(run.last) == u", "_s;
    if ((run.first != run.last && !listed) || !isInAnimalCareNote())
        return false;
    const qsizetype before = run.first - 1;
    // "Luna and Milo": a name listed with another tells nothing of its own.
    const bool cuedAsPerson = before >= 0 && !isAnd(lower(before))
        && (has(before, Fact::title) || has(before, Fact::lead) || has(before, Fact::opener)
            || isPersonNoun(lower(before)) || isRole(lower(before)));
    if (cuedAsPerson)
        return false;
    // Animals do not speak, write or pay.
    static const WordSet peoplesDoings{
        u"said"_s, u"says"_s, u"asked"_s, u"asks"_s, u"called"_s, u"calls"_s, u"rang"_s, u"phoned"_s,
        u"emailed"_s, u"wrote"_s, u"writes"_s, u"replied"_s, u"confirmed"_s, u"agreed"_s, u"wants"_s,
        u"wanted"_s, u"signed"_s, u"paid"_s, u"pays"_s, u"will"_s, u"would"_s};
    const qsizetype next = run.last + 1;
    return next >= m_words.size() || gapBefore(next) != u" "_s || !peoplesDoings.contains(lower(next));
}

// "Pennington & Crosby", "sponsorship (Hallam & Grant)": two lone words
// joined by an ampersand name a firm after its partners, unless one of them is
// only ever a given name ("Ann & Bob").
void PortableNameTagger::markFirmsOfPartners(QList<ScoredRun> &runs) const
{
    const auto isGivenOnly = [&](qsizetype w) {
        return has(w, Fact::given) && !has(w, Fact::surname) && !has(w, Fact::everyday);
    };
    // "Hi Ama & Kofi": whoever is greeted or thanked is a person.
    const auto isHailedPair = [&](qsizetype w) {
        return w > 0 && (has(w - 1, Fact::opener) || has(w - 1, Fact::lead) || has(w - 1, Fact::title));
    };
    // "Patel & Singh both signed", "Chen & Wang are off": what the pair does, people do.
    static const WordSet together{u"are"_s, u"were"_s, u"both"_s, u"have"_s, u"will"_s};
    const auto isPairDoing = [&](qsizetype next) {
        return next < m_words.size() && gapBefore(next) == u" "_s
            && (has(next, Fact::action) || together.contains(lower(next)));
    };
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        const Run &left = runs.at(i).run;
        const Run &right = runs.at(i + 1).run;
        if (left.first != left.last || right.first != right.last || right.first != left.last + 1)
            continue;
        const QStringView gap = gapBefore(right.first);
        if (gap != u" & "_s && gap != u"&"_s)
            continue;
        if (isGivenOnly(left.first) || isGivenOnly(right.first) || isHailedPair(left.first) || isPairDoing(right.last + 1))
            continue;
        runs[i].score = weight::notPerson;
        runs[i + 1].score = weight::notPerson;
    }
}

// "called meenakshi yesterday", "hey bartek,": a word no list knows, in lower
// case, right after a word that only people follow.
// "can you resend the figures, dmitri": a known given name closing the text
// after a comma addresses its reader. After a capitalised word or a number
// the comma is an address's ("12 High St, Austin").
// "all sorted now. Ines", "see you then, Hope": a capitalised given name alone
// after the last sentence is the writer signing, or the reader, even one that is also a word.
bool PortableNameTagger::isAddressedAtEnd(qsizetype word) const
{
    if (word < 1 || !has(word, Fact::given) || has(word, Fact::nonPerson) || shapeOf(word - 1) != Shape::lower
        || lower(word - 1).front().isDigit())
        return false;
    const bool capitalised = shapeOf(word) == Shape::capitalised;
    const bool signs = capitalised && word >= 3 && (gapBefore(word) == u". "_s || gapBefore(word) == u"! "_s);
    if ((gapBefore(word) != u", "_s || (has(word, Fact::everyday) && !capitalised)) && !signs)
        return false;
    const QStringView rest = QStringView(m_text).sliced(m_tokens.at(m_words.at(word)).range.end);
    for (QChar c : rest) {
        if (c == u'\n')
            return true;
        if (!c.isSpace() && c != u'.' && c != u'!' && c != u'?')
            return false;
    }
    return true;
}

// "Oskarsson, can you resend it?": a note opening by addressing someone.
bool PortableNameTagger::isAddressed(const Run &run) const
{
    static const WordSet requests{u"can"_s, u"could"_s, u"would"_s, u"will"_s, u"please"_s, u"pls"_s,
                                        u"plz"_s, u"thanks"_s, u"thx"_s, u"fyi"_s, u"just"_s, u"quick"_s,
                                        u"any"_s, u"are"_s, u"did"_s, u"do"_s, u"have"_s, u"you"_s};
    const bool opens = run.first == 0 || has(run.first - 1, Fact::opener);
    static const QStringList gaps{u", "_s, u" - "_s, u" – "_s, u" — "_s, u": "_s};
    const qsizetype next = run.last + 1;
    if (!opens || next >= m_words.size() || !gaps.contains(gapBefore(next)))
        return false;
    return requests.contains(lower(next)) || (run.first == run.last && isTold(run.first, next));
}

// "Robin, ring the depot", "Sandy - chase the invoice": a given name, then
// what its reader is told to do, in the verb's bare form.
bool PortableNameTagger::isTold(qsizetype word, qsizetype verb) const
{
    if (!has(word, Fact::given) || has(word, Fact::nonPerson) || shapeOf(verb) != Shape::lower
        || has(verb, Fact::function))
        return false;
    const QByteArray classes = WordClasses::shared().classesOf(lower(verb));
    return !classes.isEmpty() && classes.front() == WordClasses::verb && !isInflectedWord(lower(verb))
        && !isVerbForm(lower(verb)) && !isPresentVerb(lower(verb));
}

// "Name: Yaw Boateng", "Caller: ...": the field of a form that holds a person.
bool PortableNameTagger::isPersonField(const QString &word)
{
    static const WordSet fields{u"name"_s, u"contact"_s, u"caller"_s, u"attendee"_s, u"passenger"_s,
                                      u"patient"_s, u"employee"_s, u"applicant"_s, u"requester"_s,
                                      u"requestor"_s, u"signatory"_s, u"cardholder"_s, u"driver"_s, u"courier"_s,
                                      u"approver"_s, u"reviewer"_s, u"sender"_s, u"landlord"_s, u"landlady"_s,
                                      u"guarantor"_s, u"witness"_s, u"host"_s, u"guest"_s, u"holder"_s,
                                      u"assignee"_s, u"organiser"_s, u"organizer"_s, u"visitor"_s,
                                      u"student"_s,
                                      // Fields that list several people: "Attendees: Thorvald, Ingibjörg".
                                      u"attendees"_s, u"participants"_s, u"invitees"_s, u"guests"_s, u"visitors"_s,
                                      u"passengers"_s, u"signatories"_s, u"witnesses"_s,
                                      // Minutes, rotas and panels: "Chair: Odile", "Apologies: Brannock, Futa".
                                      u"chair"_s, u"secretary"_s, u"treasurer"_s, u"apologies"_s, u"proposer"_s, u"seconder"_s, u"nominee"_s, u"nominees"_s,
                                      u"candidates"_s, u"panel"_s, u"interviewer"_s, u"interviewers"_s,
                                      u"umpire"_s, u"umpires"_s, u"referee"_s, u"referees"_s, u"scorers"_s,
                                      u"stewards"_s, u"helpers"_s, u"volunteers"_s, u"readers"_s, u"coach"_s,
                                      u"captain"_s, u"tutor"_s, u"mentor"_s, u"owner"_s, u"minute-taker"_s,
                                      // Tickets of a help desk: "User: o'callaghan".
                                      u"user"_s, u"reporter"_s,
                                      // Who signed, who was there, who read or took the pictures.
                                      u"sig"_s, u"signature"_s, u"signed"_s, u"present"_s, u"officiant"_s,
                                      u"celebrant"_s, u"presenter"_s, u"presenters"_s,
                                      u"speaker"_s, u"speakers"_s, u"author"_s, u"authors"_s};
    return fields.contains(word);
}

// "Host: ofelia", "Caller: bartek": the value of a form's field for a person.
bool PortableNameTagger::isFieldValue(qsizetype word) const
{
    // "User: admin": accounts that belong to nobody in particular.
    static const WordSet accounts{u"admin"_s, u"administrator"_s, u"root"_s, u"guest"_s, u"test"_s, u"system"_s,
                                  u"sysadmin"_s, u"anonymous"_s, u"unknown"_s, u"none"_s, u"nobody"_s, u"service"_s};
    return word > 0 && gapBefore(word).trimmed() == u":"_s && isPeopleLabel(word - 1)
        && !accounts.contains(lower(word));
}

// "Observers:", "Carers on the east round:": a label that ends in a form's
// field for a person, or whose few words name people in the plural.
bool PortableNameTagger::isPeopleLabel(qsizetype label) const
{
    if (isPersonField(lower(label)))
        return true;
    static const WordSet people{u"observer"_s, u"member"_s, u"player"_s, u"runner"_s, u"rider"_s, u"walker"_s,
                                u"winner"_s, u"finisher"_s, u"judge"_s, u"musician"_s, u"singer"_s, u"performer"_s,
                                u"mourner"_s, u"pallbearer"_s, u"usher"_s, u"bridesmaid"_s, u"groomsman"_s,
                                u"marshal"_s, u"leader"_s, u"instructor"_s, u"coach"_s, u"worker"_s};
    // "Carers on the round:", "Drivers this week:", but "Carers note:" labels a note.
    static const WordSet thenLabel{u"on"_s, u"in"_s, u"at"_s, u"for"_s, u"from"_s, u"of"_s, u"this"_s, u"today"_s,
                                   u"tonight"_s, u"list"_s, u"rota"_s, u"present"_s, u"attending"_s, u"up"_s};
    // "Nurse in charge:", "Plumber:": one person named by what they do will do
    // too, but a consignee, a client or a payee may be a firm.
    const auto isPeopleWord = [&](const QString &word) {
        return people.contains(word) || isHumanRole(word) || (isPersonNoun(word) && !isRole(word));
    };
    for (qsizetype word = label; word >= 0 && label - word < 5; --word) {
        const QString &base = lower(word);
        const QString single = base.endsWith(u's') ? base.chopped(1) : base;
        if (shapeOf(word) != Shape::other && (word == label || thenLabel.contains(lower(word + 1)))
            && (isPeopleWord(single) || isPeopleWord(base)))
            return true;
        if (word == 0 || gapBefore(word) != u" "_s)
            break;
    }
    return false;
}

// "table for 6, name Ottoline", "under the name Ottoline": a field written without its colon.
bool PortableNameTagger::isNamedAs(qsizetype word) const
{
    const qsizetype label = word - 1;
    if (label < 0 || gapBefore(word) != u" "_s || lower(label) != u"name"_s || shapeOf(word) == Shape::lower)
        return false;
    static const WordSet before{u"the"_s, u"under"_s, u"by"_s, u"first"_s, u"given"_s, u"last"_s, u"family"_s,
                                u"full"_s, u"maiden"_s};
    const QStringView gap = gapBefore(label).trimmed();
    return label == 0 || gap == u","_s || gap == u"("_s || atSentenceStart(label)
        || (gapBefore(label) == u" "_s && before.contains(lower(label - 1)));
}

// "KELLAWAY x2 20:15", "Holloway 2 @ 21:00": a booking sheet's line opens with
// whose table it is, then how many and when.
bool PortableNameTagger::isBookingHead(qsizetype word) const
{
    const qsizetype count = word + 1;
    if (count + 1 >= m_words.size() || !atSentenceStart(word) || gapBefore(count) != u" "_s
        || has(word, Fact::inDictionary) || has(word, Fact::function) || has(word, Fact::nonPerson) || lower(word).size() < 3)
        return false;
    static const QRegularExpression party(u"^[x×]?\\d{1,2}$"_s);
    if (!party.match(lower(count)).hasMatch())
        return false;
    const qsizetype time = count + 1;
    const bool at = gapBefore(time).trimmed() == u"@"_s;
    return at || (gapBefore(time) == u" "_s && time + 1 < m_words.size() && isClockTime(time + 1));
}

// "Refund sent. - Brann": one or two words after a dash close the text, as a writer signs.
bool PortableNameTagger::isSignature(const Run &run) const
{
    if (run.first == 0 || run.last - run.first > 1 || run.last + 1 != m_words.size())
        return false;
    // The gap holds the previous sentence's full stop too: ". - ".
    const QStringView gap = gapBefore(run.first).trimmed();
    static const QString dashes = u"-–—~"_s;
    qsizetype dash = gap.size();
    while (dash > 0 && dashes.contains(gap.at(dash - 1)))
        --dash;
    const bool spaced = dash < gap.size() && (dash == 0 || gap.at(dash - 1).isSpace());
    // On a line of its own or after a finished sentence: "sent to depot - Ningbo" is no signature.
    const QStringView before = gap.first(dash).trimmed();
    // "cheers – candela": a parting word before the dash closes the message as a full stop would.
    static const WordSet partings{u"cheers"_s, u"thanks"_s, u"thx"_s, u"ta"_s, u"regards"_s, u"best"_s,
                                  u"love"_s, u"later"_s, u"bye"_s};
    const bool parting = (before.isEmpty() || before == u","_s) && partings.contains(lower(run.first - 1));
    const bool signsOff = gapBefore(run.first).contains(u'\n') || before == u"."_s || before == u"!"_s
        || before == u"?"_s || parting;
    const QStringView after = QStringView(m_text).sliced(rangeOf(run).end).trimmed();
    return spaced && signsOff && gap.size() - dash <= 2 && (after.isEmpty() || after == u"."_s);
}

// "Jovana here from the Leeds store", "Hi, Brann here.": a writer naming themself.
bool PortableNameTagger::isIntroducingSelf(const Run &run) const
{
    const qsizetype here = run.last + 1;
    if (here >= m_words.size() || lower(here) != u"here"_s || gapBefore(here) != u" "_s)
        return false;
    // "hi team, jolene here": the greeting may name whom it greets first.
    const auto greetedBefore = [&] {
        if (gapBefore(run.first).trimmed() != u","_s)
            return false;
        for (qsizetype i = run.first - 1; i >= 0 && i >= run.first - 3; --i)
            if (lower(i) == u"hi"_s || lower(i) == u"hey"_s || lower(i) == u"hello"_s || lower(i) == u"morning"_s)
                return true;
        return false;
    };
    if (!atSentenceStart(run.first) && !has(run.first - 1, Fact::opener) && !greetedBefore())
        return false;
    const qsizetype next = here + 1;
    return next >= m_words.size() || !gapBefore(next).trimmed().isEmpty() || lower(next) == u"from"_s;
}

// "hey it's tiago again", "Hi, this is Marisela from accounts": a writer giving
// their name as a call or a chat opens.
bool PortableNameTagger::isGivingOwnName(qsizetype word) const
{
    qsizetype opener = -1;
    // "it's" without its "s", or "its" as quick notes write it.
    if (word >= 1 && ((lower(word - 1) == u"it"_s && isPossessive(textOf(word - 1))) || lower(word - 1) == u"its"_s)
        && gapBefore(word) == u" "_s)
        opener = word - 1;
    else if (word >= 2 && lower(word - 1) == u"is"_s && lower(word - 2) == u"this"_s && gapBefore(word) == u" "_s
             && gapBefore(word - 1) == u" "_s)
        opener = word - 2;
    if (opener < 0 || (!atSentenceStart(opener) && !(opener > 0 && has(opener - 1, Fact::opener))))
        return false;
    // "It's Cornwall again": a place the dictionary knows is no name given.
    const QString &base = lower(word);
    if (base.size() < 3 || has(word, Fact::function) || has(word, Fact::nonPerson) || has(word, Fact::opener)
        || (has(word, Fact::inDictionary) && !has(word, Fact::given)))
        return false;
    static const WordSet after{u"again"_s, u"here"_s, u"from"_s, u"calling"_s, u"with"_s};
    const qsizetype next = word + 1;
    return next >= m_words.size() || !gapBefore(next).trimmed().isEmpty() || after.contains(lower(next));
}

bool PortableNameTagger::isDepartment(const QString &word)
{
    static const WordSet departments{
        u"desk"_s, u"front"_s, u"office"_s, u"team"_s, u"accounts"_s, u"accounting"_s, u"shipping"_s,
        u"support"_s, u"reception"_s, u"sales"_s, u"hr"_s, u"it"_s, u"finance"_s, u"billing"_s, u"legal"_s,
        u"marketing"_s, u"ops"_s, u"operations"_s, u"admin"_s, u"procurement"_s, u"payroll"_s,
        u"compliance"_s, u"facilities"_s, u"dispatch"_s, u"helpdesk"_s, u"purchasing"_s, u"qa"_s,
        u"warehouse"_s, u"recruiting"_s, u"recruitment"_s, u"kitchen"_s, u"workshop"_s, u"stockroom"_s,
        u"hq"_s, u"headquarters"_s,
        // Whole firms someone speaks for: "Jenkins from the roofing company".
        u"company"_s, u"firm"_s, u"agency"_s, u"council"_s, u"bank"_s, u"insurer"_s, u"supplier"_s,
        u"distributor"_s, u"wholesaler"_s, u"manufacturer"_s, u"vendor"_s, u"carrier"_s, u"courier"_s,
        u"contractor"_s, u"landlord"_s, u"lab"_s, u"laboratory"_s, u"clinic"_s, u"surgery"_s, u"practice"_s,
        u"school"_s, u"depot"_s, u"branch"_s, u"store"_s, u"shop"_s, u"site"_s, u"plant"_s, u"garage"_s,
        u"dealership"_s, u"pharmacy"_s, u"hotel"_s, u"venue"_s, u"caterer"_s, u"printer"_s, u"printers"_s,
        // Clubs, charities and parishes: "Rhian from the walking group".
        u"group"_s, u"trust"_s, u"charity"_s, u"club"_s, u"society"_s, u"committee"_s, u"association"_s,
        u"foundation"_s, u"parish"_s, u"church"_s, u"choir"_s, u"hospital"_s, u"ward"_s,
        // Posts a person is put on for a shift: "Amber on till", "Joe on the door".
        u"till"_s, u"tills"_s, u"door"_s, u"phones"_s, u"switchboard"_s, u"counter"_s, u"checkout"_s,
        u"gate"_s, u"bar"_s, u"cafe"_s, u"café"_s, u"canteen"_s, u"restaurant"_s};
    return departments.contains(word);
}

// "Rose from the front desk", "FARAH IN ACCOUNTS": a person of a team.
bool PortableNameTagger::isInDepartment(qsizetype word) const
{
    static const WordSet linking{u"from"_s, u"in"_s, u"at"_s, u"of"_s, u"on"_s};
    if (word + 1 >= m_words.size() || !linking.contains(lower(word)) || gapBefore(word) != u" "_s)
        return false;
    qsizetype next = word + 1;
    if (lower(next) == u"the"_s && next + 1 < m_words.size())
        ++next;
    // "Marjolein at circ says": a desk's short name no dictionary knows, then what its person says.
    const bool deskSays = lower(word) == u"at"_s && shapeOf(next) == Shape::lower && lower(next).size() <= 5
        && !has(next, Fact::inDictionary) && !has(next, Fact::function) && next + 1 < m_words.size()
        && gapBefore(next + 1) == u" "_s && has(next + 1, Fact::action);
    // A shop is open on nights too, so a shift says so only after a given name.
    const bool onShift = lower(word) == u"on"_s && isShift(next) && word > 0 && has(word - 1, Fact::given);
    return isDepartment(lower(next)) || (next + 1 < m_words.size() && isDepartment(lower(next + 1))) || deskSays
        || onShift;
}

// "on nights", "on the late shift", "on FOH": a shift or a post someone works,
// as no place or product does; what comes before it is its person.
bool PortableNameTagger::isShift(qsizetype word) const
{
    static const WordSet shifts{u"nights"_s, u"lates"_s, u"earlies"_s, u"days"_s, u"shift"_s, u"duty"_s,
                                u"call"_s, u"foh"_s, u"rota"_s};
    static const WordSet times{u"late"_s, u"early"_s, u"night"_s, u"day"_s, u"morning"_s, u"evening"_s,
                               u"weekend"_s, u"back"_s, u"front"_s};
    if (word >= m_words.size())
        return false;
    if (shifts.contains(lower(word)))
        return true;
    return times.contains(lower(word)) && word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s
        && shifts.contains(lower(word + 1));
}

// "sent Zdzisiek ASAP", "send Dale over": whom a dispatcher sends goes somewhere
// now or in someone's place; a parcel is sent somewhere, a firm an e-mail.
bool PortableNameTagger::isSentOut(const Run &run) const
{
    static const WordSet sending{u"send"_s, u"sent"_s, u"sending"_s};
    static const WordSet off{u"asap"_s, u"today"_s, u"tonight"_s, u"tomorrow"_s, u"now"_s, u"over"_s, u"round"_s,
                             u"instead"_s, u"along"_s, u"first"_s, u"if"_s};
    const qsizetype next = run.last + 1;
    return run.first == run.last && run.first > 0 && sending.contains(lower(run.first - 1)) && next < m_words.size()
        && gapBefore(next) == u" "_s && off.contains(lower(next)) && !has(run.first, Fact::nonPerson)
        && !has(run.first, Fact::everyday);
}

// "Marguerite at flat 9 says", "Dale from number 4 rang": a given name opening
// the sentence, where its bearer is, then what she says; a firm or a place
// that speaks is seldom named by a given name.
bool PortableNameTagger::isSpeakerPlacedFirst(const Run &run) const
{
    static const WordSet where{u"from"_s, u"at"_s, u"in"_s, u"on"_s};
    static const WordSet speech{u"said"_s, u"says"_s, u"reckons"_s, u"thinks"_s, u"reported"_s, u"reports"_s,
                                u"confirmed"_s, u"asked"_s, u"told"_s, u"rang"_s, u"called"_s, u"phoned"_s,
                                u"emailed"_s, u"mentioned"_s, u"wants"_s};
    const qsizetype link = run.last + 1;
    if (run.first != run.last || !atSentenceStart(run.first) || !has(run.first, Fact::given)
        || has(run.first, Fact::nonPerson) || link + 2 >= m_words.size() || !where.contains(lower(link)))
        return false;
    for (qsizetype verb = link + 2; verb < m_words.size() && verb <= link + 5; ++verb) {
        if (gapBefore(verb) != u" "_s && !(verb > link + 1 && gapBefore(verb) == u", "_s))
            return false;
        if (speech.contains(lower(verb)) && shapeOf(verb) == Shape::lower)
            return true;
    }
    return false;
}

// "jade from recruiting says", "Rose at the front desk confirmed": the one
// of a team who speaks or acts for it.
bool PortableNameTagger::isSpeakingForDepartment(qsizetype word) const
{
    for (qsizetype verb = word + 2; verb < m_words.size() && verb <= word + 4; ++verb) {
        if (gapBefore(verb) != u" "_s)
            return false;
        static const WordSet weakVerbs{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"will"_s, u"can"_s};
        const bool shift = lower(word) == u"on"_s && isShift(verb - 1);
        if (!isDepartment(lower(verb - 1)) && !shift && !(verb == word + 2 && lower(word) == u"at"_s))
            continue;
        if ((has(verb, Fact::action) && !weakVerbs.contains(lower(verb))) || isAuxiliaryThenDoing(verb)
            || isAway(verb) || (shapeOf(verb) == Shape::lower && isPresentVerb(lower(verb))))
            return true;
    }
    return false;
}

// "carla's on the phone", "Aoife's off today": the "'s" of "is" before where
// or how someone is; a shop's is before its street ("Macy's on 34th").
bool PortableNameTagger::isContractedIs(qsizetype next) const
{
    static const WordSet states{u"on"_s, u"off"_s, u"out"_s, u"away"_s, u"back"_s, u"sick"_s, u"ill"_s,
                                      u"busy"_s, u"free"_s, u"late"_s, u"here"_s, u"gone"_s, u"not"_s,
                                      u"still"_s, u"already"_s, u"just"_s, u"now"_s, u"gonna"_s};
    if (next >= m_words.size() || gapBefore(next) != u" "_s || shapeOf(next) != Shape::lower || !has(next - 1, Fact::given))
        return false;
    const QString &word = lower(next);
    const bool street = next + 1 < m_words.size() && (lower(next + 1).front().isDigit() || has(next + 1, Fact::placeNoun));
    return (states.contains(word) && !street) || isOngoingVerb(word);
}

// "is off sick", "was out": away from work, as only people are.
bool PortableNameTagger::isAway(qsizetype word) const
{
    static const WordSet copulas{u"is"_s, u"was"_s, u"will"_s, u"'s"_s};
    static const WordSet away{u"off"_s, u"out"_s, u"away"_s, u"sick"_s, u"back"_s, u"ill"_s, u"unwell"_s,
                                    u"absent"_s, u"on"_s, u"be"_s};
    // "Oswin on vacation till the 20th": where people go that things do not.
    static const WordSet leave{u"vacation"_s, u"holiday"_s, u"holidays"_s, u"leave"_s, u"furlough"_s,
                               u"sabbatical"_s, u"annual"_s, u"maternity"_s, u"paternity"_s, u"parental"_s};
    if (word + 1 < m_words.size() && lower(word) == u"on"_s && gapBefore(word + 1) == u" "_s
        && leave.contains(lower(word + 1)))
        return true;
    const qsizetype state = word + 1;
    return state < m_words.size() && copulas.contains(lower(word)) && gapBefore(state) == u" "_s
        && away.contains(lower(state));
}

// "bea said she'd cover it", "April says she never got it": a word opening
// a clause, a verb of speech, and "he" or "she" as what was said begins: only a
// person reports so. Roles and other everyday words ("caller said she") are no names.
bool PortableNameTagger::isReportedSpeaker(qsizetype word) const
{
    static const WordSet speech{u"said"_s, u"says"_s, u"told"_s, u"tells"_s, u"mentioned"_s, u"thinks"_s,
                                      u"thought"_s, u"reckons"_s, u"claims"_s, u"claimed"_s, u"insists"_s,
                                      u"insisted"_s, u"confirmed"_s, u"explained"_s, u"replied"_s, u"wrote"_s,
                                      u"texted"_s, u"emailed"_s, u"called"_s, u"rang"_s, u"phoned"_s, u"swears"_s};
    static const WordSet subjects{u"he"_s, u"she"_s, u"he'd"_s, u"she'd"_s, u"he'll"_s, u"she'll"_s,
                                        u"he’d"_s, u"she’d"_s, u"he’ll"_s, u"she’ll"_s};
    static const WordSet clauseOpeners{u"and"_s, u"but"_s, u"so"_s, u"lol"_s, u"ok"_s, u"okay"_s, u"btw"_s};
    const qsizetype verb = word + 1;
    if (verb >= m_words.size() || lower(word).size() < 2 || !speech.contains(lower(verb))
        || (gapBefore(verb) != u" "_s && gapBefore(verb) != u", "_s) || isPossessive(textOf(word)))
        return false;
    const QStringView gap = gapBefore(word);
    const bool opens = atSentenceStart(word) || gap.contains(u',') || gap.contains(u';')
        || (gap == u" "_s && clauseOpeners.contains(lower(word - 1)));
    if (!opens || has(word, Fact::function) || has(word, Fact::title) || has(word, Fact::lead)
        || has(word, Fact::opener) || has(word, Fact::action) || isPersonNoun(lower(word)))
        return false;
    const bool name = has(word, Fact::given) || has(word, Fact::ambiguousGiven) || has(word, Fact::surname)
        || has(word, Fact::ambiguousSurname);
    // Firms and places are "they"; a day or month as a name is typed in chat ("june said she").
    const bool brandOrPlace = has(word, Fact::nonPerson) && shapeOf(word) != Shape::lower && !has(word, Fact::cue);
    if (!name && (has(word, Fact::everyday) || brandOrPlace))
        return false;
    // "said she'd", "told me she", "said that he": the pronoun within the next few words.
    for (qsizetype next = verb + 1; next < m_words.size() && next <= verb + 3; ++next) {
        if (gapBefore(next).contains(u'.') || gapBefore(next).contains(u'\n'))
            return false;
        if (subjects.contains(lower(next)))
            return true;
    }
    return false;
}

// "unit 4 (Lincoln)", "flat 3C (ilkay)", "flat 2 (Marigold Ashcombe)": who
// lives at a numbered home, in brackets after it. Rooms are left out: they are
// named after places and people alike.
bool PortableNameTagger::isResidentInBrackets(const Run &run) const
{
    static const WordSet homes{u"unit"_s, u"units"_s, u"apt"_s, u"apartment"_s, u"flat"_s, u"suite"_s,
                                     u"lot"_s, u"plot"_s, u"house"_s, u"cabin"_s, u"bed"_s, u"in"_s, u"no"_s,
                                     u"number"_s, u"berth"_s, u"pitch"_s,
                                     // "Team 4 (Radovan)", "table 9 (Abernathy)": who leads or holds it.
                                     u"group"_s, u"team"_s, u"table"_s, u"seat"_s, u"desk"_s, u"locker"_s, u"tent"_s,
                                     u"crew"_s};
    const qsizetype code = run.first - 1;
    const qsizetype end = m_tokens.at(m_words.at(run.last)).range.end;
    if (code < 1 || !gapBefore(run.first).endsWith(u'(') || end >= m_text.size() || m_text.at(end) != u')'
        || gapBefore(code) != u" "_s || !homes.contains(lower(code - 1)))
        return false;
    const QString &number = lower(code);
    if (number.size() > 4 || std::none_of(number.cbegin(), number.cend(), [](QChar c) { return c.isDigit(); }))
        return false;
    for (qsizetype i = run.first; i <= run.last; ++i) {
        const bool name = has(i, Fact::given) || has(i, Fact::surname) || has(i, Fact::ambiguousSurname)
            || has(i, Fact::ambiguousGiven) || has(i, Fact::rareAmbiguousGiven);
        // A given name that is also a word counts before a surname ("Marigold Ashcombe").
        const bool plain = has(i, Fact::everyday) && (i == run.last || shapeOf(i) != Shape::capitalised);
        if (has(i, Fact::function) || (!name && (plain || has(i, Fact::nonPerson)))
            || (shapeOf(i) == Shape::lower && !name && has(i, Fact::inDictionary)))
            return false;
    }
    return true;
}

// "Tobenna in 5C lost his card", "ilse in 2B went home early", "Haverford
// (9R) forgot the slip": one word, then the class or flat it is in, then what a
// person does or feels. Goods and leaks are in flats too, but they are words.
bool PortableNameTagger::isInUnitCode(const Run &run) const
{
    const auto isCode = [&](qsizetype i) {
        const QString &code = lower(i);
        const auto digit = [](QChar c) { return c.isDigit(); };
        const auto letter = [](QChar c) { return c.isLetter(); };
        return code.size() >= 2 && code.size() <= 4 && std::any_of(code.cbegin(), code.cend(), digit)
            && std::any_of(code.cbegin(), code.cend(), letter);
    };
    const qsizetype word = run.first;
    qsizetype code = word + 1;
    if (run.first != run.last || code >= m_words.size())
        return false;
    const bool inCode = gapBefore(code) == u" "_s && lower(code) == u"in"_s && code + 1 < m_words.size()
        && gapBefore(code + 1) == u" "_s;
    if (inCode)
        ++code;
    else if (gapBefore(code) != u" ("_s || code + 1 >= m_words.size() || gapBefore(code + 1) != u") "_s)
        return false;
    const qsizetype verb = code + 1;
    const QStringView gap = verb < m_words.size() ? gapBefore(verb) : QStringView();
    if (!isCode(code) || verb >= m_words.size() || shapeOf(verb) != Shape::lower || has(word, Fact::function)
        || (gap != u" "_s && gap != u", "_s && gap != u") "_s)
        || isPersonNoun(lower(word)))
        return false;
    const QString &doing = lower(verb);
    const bool acts = (has(verb, Fact::action) && doing != u"has"_s) || isVerbForm(doing) || isOngoingVerb(doing)
        || isPresentVerb(doing) || isAway(verb);
    // "Kitchen in 4B needs a tap": a surname that is an everyday word reads as the word.
    const bool name = has(word, Fact::given) || has(word, Fact::surname) || has(word, Fact::ambiguousGiven)
        || (has(word, Fact::ambiguousSurname) && !has(word, Fact::everyday));
    return acts && (name || (!has(word, Fact::inDictionary) && !has(word, Fact::nonPerson)));
}

// "called Fuller, no answer", "emailed Baker twice": someone phoned or
// written to is a person, even by a surname that is also a word.
bool PortableNameTagger::isContactedBySurname(const Run &run) const
{
    static const WordSet contacted{u"called"_s, u"phoned"_s, u"rang"_s, u"emailed"_s, u"texted"_s,
                                         u"messaged"_s, u"pinged"_s, u"chased"_s, u"rechased"_s};
    const qsizetype word = run.first;
    return run.first == run.last && word > 0 && gapBefore(word) == u" "_s && contacted.contains(lower(word - 1))
        && shapeOf(word) == Shape::capitalised && (has(word, Fact::surname) || has(word, Fact::ambiguousSurname))
        && !has(word, Fact::nonPerson) && !isDepartment(lower(word)) && !isPossessive(textOf(word));
}

// "Sierra from the front desk says", "Olive from payroll is off sick": one word opening a
// sentence, then the team it is of, then what a person does there, names a
// person even when the word is also a thing's or a brand's.
bool PortableNameTagger::isTeamMember(const Run &run) const
{
    const qsizetype word = run.first;
    if (run.first != run.last || shapeOf(word) != Shape::capitalised || !atSentenceStart(word)
        || isDepartment(lower(word)) || has(word, Fact::function) || isPossessive(textOf(word))
        || !isInDepartment(word + 1) || !isSpeakingForDepartment(word + 1))
        return false;
    // "Crew from the council", "Someone from IT": groups and anyone are no one named.
    static const WordSet groups{u"crew"_s, u"staff"_s, u"squad"_s, u"gang"_s, u"workers"_s, u"people"_s,
                                      u"someone"_s, u"somebody"_s, u"everyone"_s, u"everybody"_s, u"anyone"_s,
                                      u"nobody"_s, u"management"_s, u"folks"_s, u"guys"_s};
    if (groups.contains(lower(word)))
        return false;
    const bool name = has(word, Fact::given) || has(word, Fact::ambiguousGiven) || has(word, Fact::surname);
    return name || !has(word, Fact::everyday);
}

// "Paralegal Halifax confirmed", "Nurse Chester": a role only people fill,
// written as a title, makes the word after it a surname even where it is also
// a town's name; the town itself would have a site after it ("Nurse Chester office").
bool PortableNameTagger::isPlaceNamedAfterRole(const Run &run) const
{
    const qsizetype name = run.last;
    if (run.last != run.first + 1 || shapeOf(run.first) != Shape::capitalised || !isHumanRole(lower(run.first))
        || shapeOf(name) != Shape::capitalised || isPossessive(textOf(name)) || has(name, Fact::everyday)
        || has(name, Fact::placeNoun) || has(name, Fact::function))
        return false;
    const bool site = name + 1 < m_words.size() && gapBefore(name + 1) == u" "_s && isSiteNoun(lower(name + 1));
    return !site;
}

// "Tobias mornings, Halima afternoons", "Ottilie 12, Bram 9, Sefa 4": a rota or
// a tally lists people item by item, each with what they cover or got. One
// such item alone is as likely a product and its model.
bool PortableNameTagger::isTalliedInList(const Run &run) const
{
    if (run.first != run.last)
        return false;
    const bool counted = run.last + 1 < m_words.size() && isCount(lower(run.last + 1));
    if (!isTallyItem(run.first, counted))
        return false;
    // Counts follow models and sizes too ("Ryzen 7, Xeon 5"): a known name among the items says people.
    const auto isKnownName = [&](qsizetype word) { return has(word, Fact::given) || has(word, Fact::surname); };
    bool other = false, givenListed = isKnownName(run.first);
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        if (word == run.first || !isTallyItem(word, counted))
            continue;
        other = true;
        givenListed = givenListed || isKnownName(word);
    }
    return other && (givenListed || !counted);
}

bool PortableNameTagger::isTallyItem(qsizetype word, bool counted) const
{
    const qsizetype tally = word + 1;
    // "Okafor (4), Lindqvist (2)": a waiting list's party sizes.
    const bool bracketed = counted && tally < m_words.size() && gapBefore(tally) == u" ("_s;
    if (tally >= m_words.size() || shapeOf(word) != Shape::capitalised || (gapBefore(tally) != u" "_s && !bracketed)
        || (counted ? !isCount(lower(tally)) : !isShiftWord(lower(tally))) || has(word, Fact::function)
        || has(word, Fact::everyday) || (has(word, Fact::nonPerson) && !has(word, Fact::given))
        || isPossessive(textOf(word)) || isPlacePrefix(lower(word)))
        return false;
    static const QString openers = u",;:|/(\n"_s;
    const QStringView before = gapBefore(word).trimmed();
    const bool opens = word == 0 || gapBefore(word).contains(u'\n') || (!before.isEmpty() && openers.contains(before.back()));
    qsizetype end = tally + 1;
    if (end < m_words.size() && counted && gapBefore(end) == u" "_s && isTallyUnit(lower(end)))
        ++end;
    // "Okafor 9:30, Lindqvist 9:45": a day's appointments.
    if (end < m_words.size() && counted && !bracketed && gapBefore(end) == u":"_s && lower(end).size() == 2
        && isCount(lower(end)))
        ++end;
    if (!opens || end >= m_words.size())
        return opens;
    static const QString closers = u",;.|/)\n"_s;
    const QStringView after = gapBefore(end).trimmed();
    return gapBefore(end).contains(u'\n') || (!after.isEmpty() && closers.contains(after.front()));
}

// "already fixed", "still needs": an adverb, then what people do.
bool PortableNameTagger::isAdverbBeforeVerb(qsizetype word) const
{
    static const WordSet adverbs{u"already"_s, u"still"_s, u"just"_s, u"also"_s, u"never"_s, u"always"_s,
                                       u"finally"_s, u"really"_s, u"actually"_s, u"usually"_s, u"kindly"_s,
                                       u"personally"_s, u"apparently"_s};
    const qsizetype verb = word + 1;
    if (verb >= m_words.size() || !adverbs.contains(lower(word)) || gapBefore(verb) != u" "_s
        || shapeOf(verb) != Shape::lower)
        return false;
    static const WordSet weakVerbs{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"will"_s, u"can"_s};
    return (has(verb, Fact::action) && !weakVerbs.contains(lower(verb))) || isVerbForm(lower(verb));
}

// "is our contact", "was her landlord": who the person is to someone.
bool PortableNameTagger::isPersonNounAfterCopula(qsizetype word) const
{
    static const WordSet copulas{u"is"_s, u"was"_s, u"will"_s, u"'s"_s};
    qsizetype noun = word + 2;
    if (lower(word) == u"will"_s && noun < m_words.size() && lower(word + 1) == u"be"_s)
        ++noun;
    if (noun >= m_words.size() || !copulas.contains(lower(word)))
        return false;
    const QString &owner = lower(noun - 1);
    const bool possessive = owner == u"our"_s || owner == u"my"_s || owner == u"your"_s || owner == u"his"_s
        || owner == u"her"_s || owner == u"their"_s || owner == u"the"_s;
    const bool noun2 = noun + 1 < m_words.size() && gapBefore(noun + 1) == u" "_s && isPersonNoun(lower(noun + 1));
    return possessive && gapBefore(noun) == u" "_s && (isPersonNoun(lower(noun)) || noun2);
}

// "caller hung up", "driver pulled out": a verb, whatever lists it is in.
bool PortableNameTagger::isBeforeVerbParticle(qsizetype word) const
{
    static const WordSet particles{u"up"_s, u"out"_s, u"off"_s, u"down"_s, u"back"_s};
    // "marvella out sick", "kemi off today": where a person is, not what is done.
    static const WordSet absent{u"sick"_s, u"ill"_s, u"poorly"_s, u"unwell"_s, u"today"_s, u"tomorrow"_s,
                                u"tmrw"_s, u"tonight"_s};
    const qsizetype particle = word + 1;
    const bool away = particle + 1 < m_words.size() && gapBefore(particle + 1) == u" "_s && absent.contains(lower(particle + 1))
        && (lower(particle) == u"out"_s || lower(particle) == u"off"_s);
    return particle < m_words.size() && gapBefore(particle) == u" "_s && particles.contains(lower(particle)) && !away;
}

// "lol marisol already fixed it", "lorcan is covering the phones": a word
// opening a clause, then a person's doing.
// "hey is ngozika in today?", "is tobenna back yet": asked where someone is.
bool PortableNameTagger::isAskedWhereabouts(qsizetype word) const
{
    static const WordSet whereabouts{u"around"_s, u"back"_s, u"off"_s, u"free"_s, u"available"_s, u"online"_s};
    // "in" alone is where things are too ("is kubectl in the path"); people are in today.
    static const WordSet days{u"today"_s, u"tomorrow"_s, u"yet"_s, u"now"_s, u"later"_s};
    const qsizetype next = word + 1;
    if (word == 0 || next >= m_words.size() || (lower(word - 1) != u"is"_s && lower(word - 1) != u"was"_s)
        || gapBefore(word) != u" "_s || gapBefore(next) != u" "_s || isChatAbbreviation(lower(word)))
        return false;
    const bool inToday = lower(next) == u"in"_s && next + 1 < m_words.size() && days.contains(lower(next + 1));
    return inToday || whereabouts.contains(lower(next));
}

// "Signe Aaltonen, ID: driving licence", "ID ok": the papers that were
// checked, not Idaho.
bool PortableNameTagger::isIdentityDocument(qsizetype word) const
{
    static const WordSet checks{u"ok"_s, u"okay"_s, u"checked"_s, u"verified"_s, u"seen"_s, u"confirmed"_s,
                                u"shown"_s, u"provided"_s, u"number"_s, u"no"_s, u"card"_s, u"copied"_s,
                                u"scanned"_s, u"photocopied"_s, u"sighted"_s, u"taken"_s, u"required"_s, u"needed"_s};
    if (textOf(word) != u"ID"_s)
        return false;
    const qsizetype next = word + 1;
    return next < m_words.size() && (gapBefore(next).trimmed() == u":"_s
                                     || (gapBefore(next) == u" "_s && checks.contains(lower(next))));
}

// "is on the 6am pickup", "is on call": what a rota puts a person on.
bool PortableNameTagger::isOnRota(qsizetype word) const
{
    static const WordSet duties{u"call"_s, u"leave"_s, u"holiday"_s, u"nights"_s, u"days"_s, u"lates"_s,
                                u"earlies"_s, u"shift"_s, u"duty"_s, u"break"_s, u"lunch"_s, u"the"_s};
    const qsizetype duty = word + 1;
    return lower(word) == u"on"_s && duty < m_words.size() && gapBefore(duty) == u" "_s && duties.contains(lower(duty));
}

// "ok so dot and ari are on call", "flo & cy out sick", "viewed by yevhen &
// ola": two names in lower case joined, opening a clause that says where
// they are or what they did, or after a word only people follow. One of them
// must be a name no dictionary shares ("salt and pepper are on the table").
bool PortableNameTagger::isInActingPair(qsizetype word) const
{
    const auto partnerAfter = [&](qsizetype a) -> qsizetype {
        const QStringView gap = a + 1 < m_words.size() ? gapBefore(a + 1).trimmed() : QStringView();
        if (a + 1 < m_words.size() && (gap == u"&"_s || gap == u"+"_s))
            return a + 1;
        if (a + 2 < m_words.size() && gapBefore(a + 1) == u" "_s && isAnd(lower(a + 1)) && gapBefore(a + 2) == u" "_s)
            return a + 2;
        return -1;
    };
    qsizetype first = word;
    if (partnerAfter(word) < 0)
        first = word >= 1 && partnerAfter(word - 1) == word ? word - 1 : word >= 2 && partnerAfter(word - 2) == word ? word - 2 : -1;
    if (first < 0)
        return false;
    const qsizetype second = partnerAfter(first);
    const auto nameLike = [&](qsizetype i) {
        const QString &base = lower(i);
        return shapeOf(i) == Shape::lower && base.size() >= 2
            && std::all_of(base.cbegin(), base.cend(), [](QChar c) { return c.isLetter(); })
            && !has(i, Fact::function) && !has(i, Fact::particle) && !has(i, Fact::action) && !has(i, Fact::lead)
            && !has(i, Fact::title) && !has(i, Fact::cue) && !has(i, Fact::nonPerson)
            && (has(i, Fact::given) || !has(i, Fact::inDictionary));
    };
    const auto onlyName = [&](qsizetype i) { return !has(i, Fact::inDictionary) || isPlainGivenName(i); };
    if (!nameLike(first) || !nameLike(second) || !(onlyName(first) || onlyName(second)))
        return false;
    static const WordSet openers{u"so"_s, u"ok"_s, u"okay"_s, u"and"_s, u"but"_s, u"lol"_s, u"fyi"_s, u"btw"_s};
    const QStringView gap = gapBefore(first);
    const bool led = first > 0 && gap == u" "_s && has(first - 1, Fact::lead) && !isAnd(lower(first - 1))
        && lower(first - 1) != u"to"_s && lower(first - 1) != u"for"_s;
    if (led)
        return true;
    const bool opens = atSentenceStart(first) || gap.contains(u',') || gap.contains(u';')
        || (first > 0 && gap == u" "_s && openers.contains(lower(first - 1)));
    const qsizetype next = second + 1;
    if (!opens || next >= m_words.size() || gapBefore(next) != u" "_s)
        return false;
    static const WordSet away{u"out"_s, u"off"_s, u"away"_s, u"sick"_s, u"in"_s, u"back"_s, u"late"_s, u"here"_s,
                              u"both"_s, u"busy"_s};
    const QString &verb = lower(next);
    const bool state = next + 1 < m_words.size() && gapBefore(next + 1) == u" "_s
        && (away.contains(lower(next + 1)) || (isOnRota(next + 1) && lower(next + 2) != u"the"_s));
    static const WordSet weak{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"will"_s, u"can"_s, u"would"_s, u"could"_s};
    return ((verb == u"are"_s || verb == u"were"_s) && state) || (away.contains(verb) && verb != u"in"_s && verb != u"here"_s)
        || (has(next, Fact::action) && !weak.contains(verb));
}

bool PortableNameTagger::isLowerCaseSubject(qsizetype word) const
{
    static const WordSet clauseOpeners{u"so"_s, u"if"_s, u"and"_s, u"but"_s, u"lol"_s, u"ok"_s, u"okay"_s,
                                             u"because"_s, u"cos"_s, u"when"_s, u"since"_s, u"think"_s,
                                             u"guess"_s, u"hope"_s, u"lmk"_s, u"whether"_s, u"that"_s};
    const qsizetype verb = word + 1;
    // Only where a dictionary can say the word is none of its words.
    const QString &base = lower(word);
    if (verb >= m_words.size() || gapBefore(verb) != u" "_s || base.size() < 3 || base.front().unicode() >= 0x250
        || base.contains(u'-') || isPersonNoun(base))
        return false;
    const bool opens = atSentenceStart(word) || gapBefore(word).contains(u',')
        || (word > 0 && gapBefore(word) == u" "_s && clauseOpeners.contains(lower(word - 1)));
    if (!opens)
        return false;
    const QString &next = lower(verb);
    if (next == u"is"_s || next == u"was"_s) {
        // "is out today", "is covering the phones": away, or doing something to something.
        static const WordSet away{u"out"_s, u"off"_s, u"away"_s, u"sick"_s};
        const qsizetype then = verb + 1;
        if (then >= m_words.size() || gapBefore(then) != u" "_s)
            return false;
        if (isOnRota(then))
            return true;
        const bool object = then + 1 < m_words.size() && gapBefore(then + 1) == u" "_s && isDeterminer(lower(then + 1));
        // "ysolde is our new intern": what only a person is.
        return away.contains(lower(then)) || (object && isOngoingVerb(lower(then))) || isPersonNounAfterCopula(verb);
    }
    static const WordSet weakVerbs{u"has"_s, u"had"_s, u"will"_s, u"can"_s, u"would"_s, u"could"_s,
                                         u"should"_s, u"might"_s, u"must"_s};
    // "rashida would call back": a modal, then what people do.
    const bool modalThenVerb = weakVerbs.contains(next) && next != u"has"_s && next != u"had"_s && verb + 1 < m_words.size()
        && gapBefore(verb + 1) == u" "_s && shapeOf(verb + 1) == Shape::lower && !has(verb + 1, Fact::function)
        && WordClasses::shared().classesOf(lower(verb + 1)).contains(WordClasses::verb);
    // "caetano starts monday": a given name that is nothing else needs only a verb after it.
    const bool givenThenVerb = isPlainGivenName(word) && isPresentVerb(next);
    return isAdverbBeforeVerb(verb) || (has(verb, Fact::action) && !weakVerbs.contains(next)) || modalThenVerb
        || givenThenVerb;
}

// "spoke to maria", "called june yesterday", "april at reception says": a
// given name in lower case that is also a word or a month, where only a person fits.
// "Mercy said", "Emailed Sky the rates": a given name that is mostly a word
// ("Mercy", "Sky", "Blaze") is a name alone where a word only people follow
// stands before it or a person's speech after it.
bool PortableNameTagger::isCuedWordName(qsizetype word) const
{
    // ...or what only a mind does ("Mercy thought"); firms bring prices down, so nothing brought counts.
    static const WordSet speech{u"said"_s, u"says"_s, u"asked"_s, u"asks"_s, u"told"_s, u"emailed"_s, u"texted"_s,
                                u"called"_s, u"rang"_s, u"phoned"_s, u"replied"_s, u"confirmed"_s, u"wrote"_s,
                                u"messaged"_s, u"agreed"_s, u"explained"_s, u"thought"_s, u"thinks"_s, u"reckons"_s,
                                u"reckoned"_s, u"insisted"_s, u"disagreed"_s, u"apologised"_s,
                                u"apologized"_s, u"promised"_s, u"volunteered"_s, u"forgot"_s};
    if (shapeOf(word) != Shape::capitalised || !has(word, Fact::rareAmbiguousGiven) || has(word, Fact::nonPerson)
        || has(word, Fact::title) || has(word, Fact::lead) || has(word, Fact::function) || has(word, Fact::opener)
        || isDepartment(lower(word)) || isPersonNoun(lower(word)) || isPossessive(textOf(word)))
        return false;
    // Firms are paid, and "with" and "per" come before them too.
    static const WordSet leads{u"called"_s, u"rang"_s, u"phoned"_s, u"texted"_s, u"emailed"_s, u"messaged"_s,
                               u"pinged"_s, u"hey"_s, u"hi"_s, u"hello"_s, u"dear"_s, u"thanks"_s, u"thx"_s, u"cc"_s,
                               u"bcc"_s, u"ask"_s, u"asked"_s, u"tell"_s, u"told"_s, u"met"_s, u"attn"_s, u"remind"_s,
                               u"reminded"_s};
    const qsizetype verb = word + 1;
    if (verb < m_words.size() && gapBefore(verb) == u" "_s && shapeOf(verb) == Shape::lower && isCompoundNoun({word, word}))
        return false; // "Sky broadband"
    // "Primrose on reception says": a person of a desk speaks for it, but
    // "Crew from the council" and "Support from IT" are what comes from it.
    const bool atDesk = verb < m_words.size() && lower(verb) != u"from"_s && isInDepartment(verb) && isSpeakingForDepartment(verb);
    // "Heath doing deliveries": opening a clause, then a task only people are given.
    const bool opens = atSentenceStart(word) || gapBefore(word).contains(u',') || gapBefore(word).contains(u';');
    const bool tasked = opens && verb + 1 < m_words.size() && gapBefore(verb) == u" "_s && isTask(lower(verb))
        && gapBefore(verb + 1) == u" "_s;
    const bool speaks = verb < m_words.size() && gapBefore(verb) == u" "_s && (speech.contains(lower(verb)) || atDesk || tasked);
    const bool led = word > 0 && gapBefore(word) == u" "_s && (leads.contains(lower(word - 1)) || isTowardsPerson(word - 1));
    // "agent Temperance:", "name Linnet": what the person is, or a form's field for one.
    const bool labelled = word > 0 && (gapBefore(word) == u" "_s || gapBefore(word) == u": "_s)
        && (isHumanRole(lower(word - 1)) || isPeopleLabel(word - 1));
    return speaks || led || labelled || isPairedWithGivenName(word);
}

// "Brayden and Maverick": joined to a given name that is nothing else.
bool PortableNameTagger::isPairedWithGivenName(qsizetype word) const
{
    const auto isPlainGiven = [&](qsizetype i) {
        return i >= 0 && i < m_words.size() && shapeOf(i) == Shape::capitalised && has(i, Fact::given)
            && !has(i, Fact::inDictionary) && !has(i, Fact::nonPerson);
    };
    const auto joins = [&](qsizetype link) {
        return link >= 0 && link < m_words.size() && gapBefore(link) == u" "_s && isAnd(lower(link));
    };
    const bool after = joins(word - 1) && gapBefore(word) == u" "_s && isPlainGiven(word - 2);
    const bool before = joins(word + 1) && word + 2 < m_words.size() && gapBefore(word + 2) == u" "_s && isPlainGiven(word + 2);
    return after || before;
}

bool PortableNameTagger::isCuedGivenName(qsizetype word) const
{
    if (!has(word, Fact::given))
        return false;
    const bool dated = word + 1 < m_words.size() && lower(word + 1).front().isDigit(); // "by june 5"
    return (followsPersonLead(word) && !dated) || (isNamedByKin(word) && !dated) || isSpeakingForDepartment(word + 1) || isChatHail(word)
        || isSeasonNamedSubject(word) || isActionLabelled({word, word}) || isCalledBack(word) || isSpeakingGivenName(word);
}

// "april needs the lease signed", "june wants a callback": a month or season
// that people are named after opens the line and wants or says something to
// someone, which no month does ("april needs to be planned" stays a month).
bool PortableNameTagger::isSeasonNamedSubject(qsizetype word) const
{
    static const WordSet seasons{u"april"_s, u"june"_s, u"august"_s, u"summer"_s, u"autumn"_s};
    static const WordSet wanting{u"needs"_s, u"wants"_s, u"says"_s, u"said"_s, u"asked"_s, u"asks"_s,
                                       u"called"_s, u"rang"_s, u"emailed"_s, u"texted"_s, u"replied"_s,
                                       u"thinks"_s, u"prefers"_s, u"confirmed"_s, u"agreed"_s};
    const qsizetype verb = word + 1;
    if (shapeOf(word) != Shape::lower || verb + 1 >= m_words.size() || gapBefore(verb) != u" "_s
        || !seasons.contains(lower(word)) || !wanting.contains(lower(verb)))
        return false;
    const bool opens = word == 0 ? gapBefore(0).trimmed().isEmpty() : gapBefore(word).contains(u'\n');
    return opens && lower(verb + 1) != u"to"_s;
}

// "from will hargreaves", "cc mark oyelaran": in lower case a given name
// that is also a word reads as the word, unless a surname that is none follows it.
bool PortableNameTagger::isGivenWordBeforeSurname(qsizetype surname) const
{
    const qsizetype given = surname - 1;
    return given >= 0 && shapeOf(surname) == Shape::lower && shapeOf(given) == Shape::lower
        && gapBefore(surname) == u" "_s && has(given, Fact::given) && !joinsRun(given)
        && has(surname, Fact::surname) && !has(surname, Fact::everyday) && !has(surname, Fact::nonPerson)
        && !has(surname, Fact::given) && lower(surname).size() > 3;
}

// "pt says daughter briar will ring", "wife grace collecting the keys": a
// given name right after the relative it is.
bool PortableNameTagger::isNamedByKin(qsizetype word) const
{
    static const WordSet kin{u"wife"_s, u"husband"_s, u"son"_s, u"daughter"_s, u"mum"_s, u"mom"_s, u"dad"_s,
                             u"sister"_s, u"brother"_s, u"partner"_s, u"grandson"_s, u"granddaughter"_s,
                             u"niece"_s, u"nephew"_s, u"aunt"_s, u"uncle"_s, u"cousin"_s, u"fiancé"_s, u"fiancée"_s};
    // "the partner will ring back": a modal or a word of grammar is no name.
    return word > 0 && gapBefore(word) == u" "_s && kin.contains(lower(word - 1)) && has(word, Fact::given)
        && !has(word, Fact::action) && !has(word, Fact::function) && !has(word, Fact::cue);
}

bool PortableNameTagger::isLowerCaseCalled(const Run &run) const
{
    if (run.last == run.first + 1 && lower(run.first).size() == 1 && isLowerCaseInitial(run.first))
        return true; // "k. abernethie"
    return run.last - run.first <= 1 && (lower(run.first).size() >= 4 || isShortChatName(run.first))
        && (followsPersonLead(run.first) || isBroughtIn(run.first) || isLowerCaseSubject(run.first) || isHailed(run.first)
            || isLedGivenName(run.first) || isIntroducingSelf(run) || isOwningGivenName(run) || isSignedOrSentBy(run.first)
            || isNamedByKin(run.first));
}

// "signed by quennevaux", "message from ifeyinwa:": what only a person signs,
// or a message, came from whoever is named after it.
bool PortableNameTagger::isSignedOrSentBy(qsizetype word) const
{
    static const WordSet doneBy{u"signed"_s, u"countersigned"_s, u"approved"_s, u"checked"_s, u"collected"_s,
                                u"received"_s, u"entered"_s, u"reviewed"_s, u"requested"_s, u"reported"_s,
                                u"submitted"_s, u"authorised"_s, u"authorized"_s, u"witnessed"_s, u"accepted"_s,
                                u"logged"_s, u"raised"_s, u"initialled"_s, u"initialed"_s};
    static const WordSet messages{u"message"_s, u"msg"_s, u"note"_s, u"email"_s, u"e-mail"_s, u"text"_s,
                                  u"voicemail"_s, u"vm"_s, u"call"_s, u"letter"_s, u"reply"_s};
    // "message from hmrc": letters without a vowel are an acronym.
    static const QString vowels = u"aeiouyàáâãäåæèéêëìíîïòóôõöøùúûüýÿ"_s;
    const auto voiced = [&](QChar c) { return vowels.contains(c); };
    if (word < 2 || gapBefore(word) != u" "_s || gapBefore(word - 1) != u" "_s
        || std::none_of(lower(word).cbegin(), lower(word).cend(), voiced))
        return false;
    const QString &lead = lower(word - 1);
    return (lead == u"by"_s && doneBy.contains(lower(word - 2))) || (lead == u"from"_s && messages.contains(lower(word - 2)));
}

// "sent it to priya", "a reply from anjali", "ok tomasz": any lead word or
// chat reply will do before a given name that is no word and no place.
bool PortableNameTagger::isLedGivenName(qsizetype word) const
{
    static const WordSet replies{u"ok"_s, u"okay"_s, u"lmk"_s, u"np"_s, u"sure"_s, u"yes"_s, u"cheers"_s,
                                       u"yep"_s, u"nope"_s, u"ta"_s};
    const bool led = word > 0 && gapBefore(word) == u" "_s
        && ((has(word - 1, Fact::lead) && !isAnd(lower(word - 1))) || replies.contains(lower(word - 1)));
    return led && isPlainGivenName(word);
}

bool PortableNameTagger::isPlainGivenName(qsizetype word) const
{
    return has(word, Fact::given) && !has(word, Fact::everyday) && !has(word, Fact::nonPerson);
}

// "siobhan's branch has the fix": a given name that is no word owns what follows it.
bool PortableNameTagger::isOwningGivenName(const Run &run) const
{
    return run.first == run.last && isPossessive(textOf(run.first)) && isPlainGivenName(run.first);
}

// "lol zeb left his badge again", but "lmk if vpn still drops": three letters in
// lower case are a short name when they are no abbreviation of the trade and
// have a vowel to say.
// "@wenjing did u move my tubes": a word no dictionary knows, mentioned and
// then asked something, is a colleague; teams are mentioned by their words
// and bots by their kind ("@jirabot").
bool PortableNameTagger::isMentionAsked(qsizetype word) const
{
    static const WordSet asking{u"did"_s, u"can"_s, u"could"_s, u"would"_s, u"will"_s, u"are"_s, u"have"_s,
                                u"pls"_s, u"please"_s, u"u"_s, u"you"_s, u"do"_s};
    static const WordSet teams{u"devops"_s, u"oncall"_s, u"channel"_s, u"everyone"_s, u"here"_s, u"all"_s};
    const qsizetype next = word + 1;
    return next < m_words.size() && gapBefore(next) == u" "_s && asking.contains(lower(next)) && isChatName(word)
        && lower(word).size() >= 3 && !has(word, Fact::inDictionary) && !teams.contains(lower(word))
        && !lower(word).endsWith(u"bot"_s);
}

bool PortableNameTagger::isShortChatName(qsizetype word) const
{
    const QString &base = lower(word);
    return base.size() == 3 && !isChatAbbreviation(base) && std::any_of(base.cbegin(), base.cend(), [](QChar c) {
        return QStringView(u"aeiouy").contains(c);
    });
}

// "d.k. okafor", "s. lindqvist": initials in lower case, then a known surname.
// "sig: k ashdown-pryce", "cc m okafor": an initial without its stop, after a
// field or a word that leads to a person, before a surname or a word no
// dictionary knows. Chat's "u", "n" and "x" are words, not initials.
bool PortableNameTagger::isUndottedInitial(qsizetype word) const
{
    const qsizetype next = word + 1;
    if (word == 0 || next >= m_words.size() || lower(word).size() != 1 || !lower(word).at(0).isLetter()
        || QStringView(u"aiunxoy").contains(lower(word).at(0)) || gapBefore(next) != u" "_s
        || shapeOf(next) != Shape::lower || shapeOf(word) != Shape::lower)
        return false;
    const bool led = (gapBefore(word).trimmed() == u":"_s && isPeopleLabel(word - 1))
        || (gapBefore(word) == u" "_s && (followsPersonLead(word) || isSignedOrSentBy(word)));
    return led && ((has(next, Fact::surname) && !has(next, Fact::everyday)) || isUnknownWord(next));
}

// "can u ask priya s if", "agent kofi b - hold time": the surname's initial
// after a given name in lower case, closing the phrase.
bool PortableNameTagger::isTrailingLowerCaseInitial(qsizetype word) const
{
    const QString &letter = lower(word);
    if (word == 0 || letter.size() != 1 || !letter.front().isLetter() || QStringView(u"aiuxoy").contains(letter.front())
        || gapBefore(word) != u" "_s || shapeOf(word - 1) != Shape::lower || !has(word - 1, Fact::given)
        || !joinsRun(word - 1))
        return false;
    const qsizetype next = word + 1;
    return next == m_words.size() || gapBefore(next) != u" "_s || has(next, Fact::function);
}

bool PortableNameTagger::isLowerCaseInitial(qsizetype word) const
{
    if (isUndottedInitial(word))
        return true;
    qsizetype next = word;
    while (next < m_words.size() && lower(next).size() == 1 && lower(next).at(0).isLetter()) {
        if (next + 1 >= m_words.size())
            return false;
        const QStringView gap = gapBefore(next + 1);
        if (gap != u"."_s && gap != u". "_s)
            return false;
        ++next;
    }
    // After two initials a surname that is also a word is still the surname
    // ("a.j. baker"), unless the letters are "e.g." or "p.m.".
    qsizetype first = word;
    while (first > 0 && lower(first - 1).size() == 1 && gapBefore(first) == u"."_s)
        --first;
    QString letters;
    for (qsizetype i = first; i < next; ++i)
        letters += lower(i);
    static const WordSet abbreviations{u"eg"_s, u"ie"_s, u"ps"_s, u"am"_s, u"pm"_s, u"nb"_s, u"cc"_s, u"pp"_s};
    const bool initials = letters.size() >= 2 && !abbreviations.contains(letters);
    if (next == word || next >= m_words.size() || shapeOf(next) != Shape::lower)
        return false;
    const bool surname = has(next, Fact::surname) || (initials && has(next, Fact::ambiguousSurname));
    return (surname && (!has(next, Fact::everyday) || initials) && !has(next, Fact::nonPerson))
        || (!abbreviations.contains(letters) && isUnknownWord(next));
}

// "t. vandersloot": no dictionary or list knows the word after an initial, nor its parts.
bool PortableNameTagger::isUnknownWord(qsizetype word) const
{
    const QString &base = lower(word);
    return base.size() >= 4 && std::all_of(base.cbegin(), base.cend(), [](QChar c) { return c.isLetter(); })
        && !has(word, Fact::inDictionary) && !has(word, Fact::nonPerson) && !has(word, Fact::function)
        && !isInflectedWord(base) && !isPrefixedWord(base) && !isChatAbbreviation(base);
}

// "Donnchadh covered the desk": a capitalised word no list knows doing something
// is someone; "Copay waived by the manager" is something done to a thing.
bool PortableNameTagger::isUnknownSubjectActing(const Run &run) const
{
    const qsizetype verb = run.last + 1;
    return run.first == run.last && shapeOf(run.first) == Shape::capitalised && isUnknownWord(run.first)
        && !(verb + 1 < m_words.size() && lower(verb + 1) == u"by"_s);
}

// "@nadia the deploy failed", "zeb pls merge my branch", 'kat: "is it down?" raf:
// "yes"': in a team chat a person is mentioned, asked at the start of a line,
// or labels what they said. Only a known given name or a word no dictionary
// knows, or knows only as a name, qualifies, so that "note:" and "also pls" stay words.
bool PortableNameTagger::isChatHail(qsizetype word) const
{
    const QStringView gap = gapBefore(word);
    // The common case, asked of every lower-case word: none of "@", a line break or a quote before it.
    const auto isMark = [](QChar c) {
        return c == u'@' || c == u'\n' || c == u'"' || c == u'”' || c == u'—' || c == u'–' || c == u':';
    };
    if (word > 0 && std::none_of(gap.cbegin(), gap.cend(), isMark))
        return false;
    const QStringView spoken = gap.trimmed();
    const bool mention = gap.endsWith(u'@') && (gap.size() == 1 ? word == 0 : gap.at(gap.size() - 2).isSpace());
    // A chat line opens a text, a line, or follows a quote, a log's dash or a channel's label ("camp chat: ").
    const bool afterMark = spoken.endsWith(u'"') || spoken.endsWith(u'”') || spoken == u"—"_s || spoken == u"–"_s
        || spoken == u":"_s;
    const bool opensLine = word == 0 ? spoken.isEmpty() : gap.contains(u'\n') || afterMark;
    if ((!mention && !opensLine) || word + 1 >= m_words.size())
        return false;
    // Teams and channels are mentioned too ("@devops", "@here"), so a mention
    // needs a name some list knows, even one that is also a word ("@will").
    if (mention)
        return ((has(word, Fact::given) || has(word, Fact::properNoun)) && !has(word, Fact::nonPerson))
            || isMentionAsked(word);
    if (!isChatName(word))
        return false;
    const QStringView after = gapBefore(word + 1);
    // "Shopify can sync it": a product may open a line with what it can do, so
    // "can" and "could" hail only a word written in lower case or a given name.
    static const WordSet asks{u"pls"_s, u"plz"_s, u"please"_s};
    static const WordSet abilities{u"can"_s, u"could"_s};
    const bool asked = asks.contains(lower(word + 1))
        || (abilities.contains(lower(word + 1)) && (shapeOf(word) == Shape::lower || has(word, Fact::given)));
    const bool quoted = after.startsWith(u':') && (after.contains(u'"') || after.contains(u'“'));
    // "marek: on it": only a given name that is no word labels a line without quotes.
    const bool labelled = after.startsWith(u':') && isPlainGivenName(word);
    return quoted || labelled || (after == u" "_s && asked);
}

bool PortableNameTagger::isChatName(qsizetype word) const
{
    const QString &base = lower(word);
    return !has(word, Fact::everyday) && base.size() >= 2 && !isChatAbbreviation(base) && !has(word, Fact::nonPerson) && !has(word, Fact::function)
        && std::all_of(base.cbegin(), base.cend(), [](QChar c) { return c.isLetter(); });
}

// "loop in soraya", "waiting on Halloran": someone brought into the matter.
bool PortableNameTagger::isBroughtIn(qsizetype word) const
{
    static const WordSet bringingIn{u"loop"_s, u"looped"_s, u"looping"_s, u"bring"_s, u"brought"_s,
                                          u"fill"_s, u"filled"_s, u"keep"_s, u"kept"_s, u"waiting"_s, u"wait"_s,
                                          u"rely"_s, u"relying"_s, u"depends"_s, u"chase"_s, u"chasing"_s};
    if (word < 2 || gapBefore(word) != u" "_s || gapBefore(word - 1) != u" "_s)
        return false;
    const QString &previous = lower(word - 1);
    const bool waitingFor = previous == u"for"_s && (lower(word - 2) == u"waiting"_s || lower(word - 2) == u"wait"_s);
    return ((previous == u"in"_s || previous == u"on"_s) && bringingIn.contains(lower(word - 2))) || waitingFor;
}

// Right after "called", "hey", "cc", "w/", "spoke to": words only people follow.
bool PortableNameTagger::followsPersonLead(qsizetype word) const
{
    static const WordSet personLeads{
        u"called"_s, u"rang"_s, u"phoned"_s, u"texted"_s, u"emailed"_s, u"messaged"_s, u"pinged"_s, u"hey"_s,
        u"hi"_s, u"hello"_s, u"dear"_s, u"thx"_s, u"thanks"_s, u"ty"_s, u"cc"_s, u"bcc"_s, u"ask"_s, u"asked"_s,
        u"tell"_s, u"told"_s, u"per"_s, u"with"_s, u"w"_s, u"met"_s, u"spoke"_s, u"ping"_s, u"attn"_s,
        u"chase"_s, u"chased"_s, u"chasing"_s, u"nudge"_s, u"nudged"_s, u"thank"_s, u"thanked"_s,
        u"remind"_s, u"reminded"_s, u"notify"_s, u"notified"_s, u"inform"_s, u"informed"_s, u"sorry"_s,
        u"caller"_s, u"named"_s, u"pay"_s, u"paid"_s, u"reimburse"_s, u"reimbursed"_s, u"morning"_s, u"afternoon"_s, u"evening"_s, u"hiya"_s, u"howdy"_s, u"heya"_s};
    if (word == 0)
        return false;
    const QStringView gap = gapBefore(word);
    // 'caller "Mo"': a name given in quotes, as the person gave it.
    if (gap != u" "_s && gap != u"/ "_s && gap != u": "_s && gap != u" \""_s && gap != u" “"_s)
        return false;
    return personLeads.contains(lower(word - 1)) || isTowardsPerson(word - 1) || isByName(word - 1);
}

// 'goes by "Sal"', "known as Dede", "aka Teo": the name someone uses.
bool PortableNameTagger::isByName(qsizetype word) const
{
    if (lower(word) == u"aka"_s)
        return true;
    // "Hippolyta Vane (prefers Polly)": the name used, given in brackets.
    if (lower(word) == u"prefers"_s && word > 0 && gapBefore(word).trimmed() == u"("_s)
        return true;
    if (word == 0 || gapBefore(word) != u" "_s)
        return false;
    static const WordSet going{u"go"_s, u"goes"_s, u"going"_s, u"went"_s};
    static const WordSet known{u"known"_s, u"referred"_s};
    return (lower(word) == u"by"_s && going.contains(lower(word - 1)))
        || (lower(word) == u"as"_s && known.contains(lower(word - 1)));
}

// "Dostawa do Warszawy": a sentence opening with a word no list knows and a
// particle may be a sentence in another language rather than a name.
bool PortableNameTagger::isForeignSentenceStart(const Run &run) const
{
    if (run.last == run.first || !atSentenceStart(run.first) || has(run.first, Fact::given)
        || has(run.first, Fact::surname) || has(run.first, Fact::inDictionary))
        return false;
    // "Lorenzo ten Velde wants": the sentence goes on in English.
    if (run.last + 1 < m_words.size() && gapBefore(run.last + 1) == u" "_s && has(run.last + 1, Fact::action))
        return false;
    // "Eckhard von Pfuel — property in Bavaria, speaks English": a heading, the note English.
    static const WordSet english{u"the"_s, u"and"_s, u"is"_s, u"was"_s, u"with"_s, u"has"_s, u"wants"_s, u"needs"_s,
                                 u"will"_s, u"speaks"_s, u"from"_s, u"for"_s};
    for (qsizetype i = run.last + 1; i < m_words.size(); ++i)
        if (english.contains(lower(i)))
            return false;
    for (qsizetype i = run.first + 1; i < run.last; ++i)
        if (has(i, Fact::particle))
            return true;
    return false;
}

// Brands and places named after people ("Calvin Klein", "Harry Potter"),
// unless the text has the person act ("Paul Smith asked").
bool PortableNameTagger::isPersonNamedBrand(const Run &run) const
{
    QStringList words;
    for (qsizetype i = run.first; i <= run.last; ++i)
        words.append(lower(i));
    // "Sherwin-Williams" is looked up as "sherwin williams".
    const QString spaced = words.join(u' ').replace(u'-', u' ');
    if (run.last - run.first > 3 || !nameLexicon::mayStartPersonNamedBrand(spaced.section(u' ', 0, 0)))
        return false;
    if (!nameLexicon::isPersonNamedBrand(spaced) && !nameLexicon::isPersonNamedBrand(words.join(u' ')))
        return false;
    // "Victoria from HR called": one of a team who speaks is a person.
    const bool acts = run.last + 1 < m_words.size() && has(run.last + 1, Fact::action)
        && gapBefore(run.last + 1) == u" "_s && contextAfter(run) >= weight::strongVerb;
    return !acts && !(isInDepartment(run.last + 1) && isSpeakingForDepartment(run.last + 1));
}

// A brand named after a person that starts at `first` and runs on past the
// run's end ("Hugo Boss", "Ben & Jerry's", "Macy's"): its last word.
std::optional<qsizetype> PortableNameTagger::brandFrom(qsizetype first) const
{
    if (isPossessive(textOf(first)) && nameLexicon::isPersonNamedBrand(lower(first) + u"'s"_s))
        return first;
    if (!nameLexicon::mayStartPersonNamedBrand(lower(first)))
        return std::nullopt;
    QString words = lower(first);
    for (qsizetype last = first + 1; last < m_words.size() && last - first < 4; ++last) {
        const QStringView gap = gapBefore(last);
        if (gap != u" "_s && gap != u" & "_s && gap != u"&"_s && gap != u" + "_s)
            break;
        words += u' ' + lower(last);
        if (nameLexicon::isPersonNamedBrand(words) && isPersonNamedBrand({first, last}))
            return last;
    }
    return std::nullopt;
}

bool PortableNameTagger::endsPersonNamedBrand(const Run &run) const
{
    QString words = lower(run.first);
    for (qsizetype first = run.first - 1; first >= 0 && run.first - first < 4; --first) {
        const QStringView gap = gapBefore(first + 1);
        if (gap != u" "_s && gap != u" & "_s && gap != u"&"_s && gap != u" + "_s)
            return false;
        words.prepend(lower(first) + u' ');
        if (nameLexicon::isPersonNamedBrand(words))
            return true;
    }
    return false;
}

bool PortableNameTagger::isNamedByRole(const Run &run) const
{
    const qsizetype role = run.first - 1;
    return run.first == run.last && role >= 1 && gapBefore(run.first) == u" "_s && gapBefore(role) == u" "_s
        && (isPersonNoun(lower(role)) || isHumanRole(lower(role))) && isDeterminer(lower(role - 1))
        && (has(run.first, Fact::given) || has(run.first, Fact::ambiguousGiven)) && shapeOf(run.first) == Shape::capitalised;
}

TextRange PortableNameTagger::rangeOf(const Run &run) const
{
    return {m_tokens.at(m_words.at(run.first)).range.start, m_tokens.at(m_words.at(run.last)).range.end};
}

void PortableNameTagger::tag()
{
    QList<ScoredRun> runs;
    qsizetype brandEnd = -1;
    for (Run run : capitalisedRuns()) {
        const bool titled = run.first > 0 && has(run.first - 1, Fact::title);
        if (run.first <= brandEnd || isPersonNamedBrand(run) || endsPersonNamedBrand(run)
            || (titled && isPersonNamedBrand({run.first - 1, run.last})))
            continue;
        if (const auto end = brandFrom(run.first)) {
            brandEnd = *end;
            continue;
        }
        // "our courier Phoenix": a city's name after whose person it is names that person.
        if ((isWorldPlace(run) && !isNamedByRole(run)) || isMakersModel(run) || isFestival(run) || isScriptureReference(run)
            || isQuotedTitledThing(run)) {
            runs.append({run, weight::notPerson});
            continue;
        }
        if (isHoliday(run) || isMakerOfGoods(run) || isVerbBeforeParticle(run) || isFormLabel(run) || isSpokenLanguage(run))
            continue;
        // "Will Brighton Dunmore be there?": the question's auxiliary is no given name.
        if (run.first < run.last && atSentenceStart(run.first) && isAskedAbout({run.first + 1, run.last})
            && isQuestion(run.first))
            ++run.first;
        if (isGivenWordBeforeSurname(run.first))
            --run.first;
        const qsizetype untrimmedLast = run.last;
        const qsizetype untrimmedFirst = run.first;
        // Days and months are cue words, so they open no run of their own.
        if (run.first > 0 && gapBefore(run.first) == u" "_s && isCalendarNamedPerson({run.first - 1, run.last}))
            --run.first;
        // "Boateng Freight Ltd", "Harlow Pryce Insurance Brokers": a firm named
        // after its founders, not the founders.
        if (hasFirmWord(run)) {
            runs.append({run, weight::notPerson});
            continue;
        }
        // "on Laurel Ave", "Queen Victoria Market": the whole run names a place,
        // so no word of it is left over as a name once its everyday words go.
        if (run.last > run.first && has(run.last, Fact::placeNoun) && !has(run.first, Fact::given)) {
            runs.append({run, weight::notPerson});
            continue;
        }
        if (isPlaceNamedAfterRole(run)) {
            runs.append({{run.last, run.last}, weight::threshold});
            continue;
        }
        if (isTeamMember(run) || isTalliedInList(run) || isResidentInBrackets(run) || isInUnitCode(run) || isContactedBySurname(run) || (run.first == run.last && isGivingOwnName(run.first))
            || (run.first == run.last && (isReportedSpeaker(run.first) || isAddressedByHonorific(run) || isChatHail(run.first) || isSeasonNamedSubject(run.first)))
            || (run.first == run.last && shapeOf(run.first) == Shape::lower && isAskedWhereabouts(run.first))
            || (run.first == run.last && isBookingHead(run.first))
            || (run.first == run.last && shapeOf(run.first) == Shape::lower && isInActingPair(run.first))) {
            runs.append({run, weight::threshold});
            continue;
        }
        if (!isSurnameFirstName(run) && !isCalendarNamedPerson(run) && !isNameInCapitalsPair(run))
            run = trimmed(run);
        // A given name that is mostly a word is trimmed away as a word, unless cued as a person.
        if (run.first > run.last && untrimmedFirst == untrimmedLast && isCuedWordName(untrimmedFirst)) {
            runs.append({{untrimmedFirst, untrimmedLast}, weight::threshold});
            continue;
        }
        if (run.first > run.last || (run.last < untrimmedLast && isPersonNamedBrand(run)))
            continue;
        // "for the Coral Reef Gala": the article still names a thing once its everyday first word goes.
        if (run.first > untrimmedFirst && untrimmedFirst > 0 && gapBefore(untrimmedFirst) == u" "_s
            && lower(untrimmedFirst - 1) == u"the"_s && !has(run.first, Fact::given)) {
            runs.append({run, weight::notPerson});
            continue;
        }
        const bool textFollows = untrimmedLast + 1 < m_words.size() && gapBefore(untrimmedLast + 1) == u" "_s;
        const double trailing = run.last < untrimmedLast && textFollows ? weight::trailingWord : 0;
        const double evidence = isPlaceNamedPerson(run) ? weight::threshold : score(run) + trailing;
        runs.append({run, isPairInPeopleField(run) ? qMax(weight::threshold, evidence) : evidence});
    }
    markShopsNamedTogether(runs);
    pairSurnameFirst(runs);
    markListOfNames(runs);
    markStaffListed(runs);
    pairSlashed(runs);
    // Twice, so that a list's names reach back to its head ("Zsófia, Bence and Réka").
    addCoordinated(runs);
    addCoordinated(runs);
    markPets(runs);
    markListedWithPlaces(runs);
    markFirmsOfPartners(runs);
    addParallelItems(runs);
    addNamesSeenElsewhere(runs);
    markEmployers(runs);
    markFirmsUnderLabel(runs);
    markRolesOpeningSentences(runs);
    markTownsOfRegions(runs);
    markStretchEnds(runs);
    markSeasonsInLowerCase(runs);
    markDutyLists(runs);
    markKindsBeforePlural(runs);
    markHandedOn(runs);
    markNicknames(runs);
    for (const ScoredRun &run : std::as_const(runs))
        if (run.score >= weight::threshold)
            m_names.append(rangeOf(withoutLeadingPreposition(run.run)));
    for (const TextRange &range : ScriptNameFinder::names(m_text)) {
        const bool taken = std::any_of(m_names.cbegin(), m_names.cend(), [&](const TextRange &r) { return r.overlaps(range); });
        if (!taken)
            m_names.append(range);
    }
    std::sort(m_names.begin(), m_names.end(), [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
}


// "Rückruf von Jürgen", "un mensaje de Lucía": before a given name that is no
// surname, a particle is the word for "from" or "of", not part of the name.
PortableNameTagger::Run PortableNameTagger::withoutLeadingPreposition(Run run) const
{
    while (run.first < run.last && has(run.first, Fact::particle) && shapeOf(run.first) == Shape::lower
           && has(run.first + 1, Fact::given) && !has(run.first + 1, Fact::surname))
        ++run.first;
    return run;
}

// An animal's name is one wherever the note repeats it, and so are the
// names listed with it ("Mochi, Nori and Yuzu (one litter)").
void PortableNameTagger::markPets(QList<ScoredRun> &runs) const
{
    QSet<QString> pets;
    const bool brackets = m_text.contains(u'(');
    for (qsizetype i = runs.size() - 1; i >= 0; --i) {
        ScoredRun &run = runs[i];
        const bool listedWithPet = i + 1 < runs.size() && runs.at(i + 1).score == weight::notPerson
            && pets.contains(lower(runs.at(i + 1).run.first)) && isListedBefore(run.run, runs.at(i + 1).run);
        if (isPetInCareNote(run.run)) {
            run.score = weight::notPerson;
            continue;
        }
        if (run.run.first == run.run.last && (listedWithPet || isPet(run.run, brackets))) {
            run.score = weight::notPerson;
            pets.insert(lower(run.run.first));
        }
    }
    for (ScoredRun &run : runs)
        if (run.run.first == run.run.last && pets.contains(lower(run.run.first)))
            run.score = weight::notPerson;
}

// "Lisbon, Kestravo", "Muscat — Abu Dhabi — Amman": lists are of one kind, so an
// item listed next to a place or a firm is no person, unless a name of its own.
void PortableNameTagger::markListedWithPlaces(QList<ScoredRun> &runs) const
{
    for (ScoredRun &run : runs)
        if (run.score >= weight::threshold && run.score < weight::title && isListedWithPlace(run.run))
            run.score = weight::notPerson;
}

bool PortableNameTagger::isListedWithPlace(const Run &run) const
{
    static const QStringList separators{u", "_s, u" / "_s, u" — "_s, u" – "_s};
    const auto joined = [&](qsizetype right) { return separators.contains(gapBefore(right)); };
    const auto joinedByAnd = [&](qsizetype word) {
        return (isAnd(lower(word)) || lower(word) == u"or"_s) && gapBefore(word) == u" "_s;
    };
    // "Tom Reed, Leeds", "Priya, Doha": a person written with the town they are in.
    const auto personal = [&](qsizetype word) {
        return (has(word, Fact::given) || has(word, Fact::surname)) && !has(word, Fact::nonPerson);
    };
    if (shapeOf(run.first) != Shape::capitalised || personal(run.first) || personal(run.last)
        || !startsItem(run.first) || !endsItem(run.last))
        return false;
    const qsizetype before = run.first - 1;
    if (before >= 0 && joined(run.first) && isPlaceItem(before))
        return true;
    if (before >= 1 && joinedByAnd(before) && gapBefore(run.first) == u" "_s && isPlaceItem(before - 1))
        return true;
    const qsizetype after = run.last + 1;
    if (after < m_words.size() && joined(after) && isPlaceItem(after))
        return true;
    return after + 1 < m_words.size() && joinedByAnd(after) && gapBefore(after + 1) == u" "_s && isPlaceItem(after + 1);
}

// A whole item of a list that only names a place or a firm: not a day, not a
// name, and not the tail of a longer phrase ("Ana at Google, Tom said").
bool PortableNameTagger::isPlaceItem(qsizetype word) const
{
    const bool place = has(word, Fact::nonPerson) || nameLexicon::isWorldPlace(lower(word));
    return shapeOf(word) == Shape::capitalised && place && !has(word, Fact::given)
        && !has(word, Fact::surname) && !has(word, Fact::cue) && startsItem(word) && endsItem(word);
}

bool PortableNameTagger::startsItem(qsizetype word) const
{
    if (word == 0)
        return true;
    const QStringView gap = gapBefore(word).trimmed();
    if (gap.isEmpty())
        return isAnd(lower(word - 1)) || lower(word - 1) == u"or"_s;
    return gap.endsWith(u',') || gap.endsWith(u'(') || gap.endsWith(u':') || gap.endsWith(u'/') || gap.endsWith(u'—')
        || gap.endsWith(u'–');
}

bool PortableNameTagger::endsItem(qsizetype word) const
{
    if (word + 1 >= m_words.size())
        return true;
    const QStringView gap = gapBefore(word + 1).trimmed();
    if (gap.isEmpty())
        return isAnd(lower(word + 1)) || lower(word + 1) == u"or"_s;
    return gap.startsWith(u',') || gap.startsWith(u')') || gap.startsWith(u'/') || gap.startsWith(u';')
        || gap.startsWith(u'.') || gap.startsWith(u'—') || gap.startsWith(u'–');
}

// "Brandon, Manitoba", "Springfield, Illinois": a town and the state or
// province it lies in, unless the word is only a given name ("Sarah, Ohio").
void PortableNameTagger::markTownsOfRegions(QList<ScoredRun> &runs) const
{
    static const WordSet regions{
        u"alabama"_s, u"alaska"_s, u"arizona"_s, u"arkansas"_s, u"california"_s, u"colorado"_s, u"connecticut"_s,
        u"delaware"_s, u"florida"_s, u"hawaii"_s, u"idaho"_s, u"illinois"_s, u"indiana"_s, u"iowa"_s, u"kansas"_s,
        u"kentucky"_s, u"louisiana"_s, u"maine"_s, u"maryland"_s, u"massachusetts"_s, u"michigan"_s,
        u"minnesota"_s, u"mississippi"_s, u"missouri"_s, u"montana"_s, u"nebraska"_s, u"nevada"_s, u"ohio"_s,
        u"oklahoma"_s, u"oregon"_s, u"pennsylvania"_s, u"tennessee"_s, u"texas"_s, u"utah"_s, u"vermont"_s,
        u"wisconsin"_s, u"wyoming"_s, u"ontario"_s, u"quebec"_s, u"québec"_s, u"alberta"_s, u"manitoba"_s,
        u"saskatchewan"_s, u"queensland"_s, u"tasmania"_s};
    for (ScoredRun &run : runs) {
        const qsizetype word = run.run.first;
        const qsizetype region = run.run.last + 1;
        if (run.score < weight::threshold || word != run.run.last || region >= m_words.size()
            || gapBefore(region) != u", "_s || !regions.contains(lower(region)))
            continue;
        // "Priya, Ontario office": where someone works, not where a town lies.
        const qsizetype next = region + 1;
        if (next < m_words.size() && gapBefore(next) == u" "_s && (isSiteNoun(lower(next)) || has(next, Fact::placeNoun)))
            continue;
        const bool titled = word > 0 && has(word - 1, Fact::title);
        const bool givenOnly = has(word, Fact::given) && !has(word, Fact::surname) && !has(word, Fact::nonPerson);
        if (!titled && !givenOnly)
            run.score = weight::notPerson;
    }
}

// "Line suspended between Camden and Harrow", "High St closed between Mill
// and Carter": the ends of a stretch of road or track are places.
void PortableNameTagger::markStretchEnds(QList<ScoredRun> &runs) const
{
    const auto joined = [&](qsizetype left, qsizetype right) {
        return right == left + 2 && left >= 2 && isAnd(lower(left + 1)) && gapBefore(left + 1) == u" "_s
            && gapBefore(right) == u" "_s && lower(left - 1) == u"between"_s && gapBefore(left) == u" "_s
            && shapeOf(left) == Shape::capitalised && shapeOf(right) == Shape::capitalised;
    };
    for (ScoredRun &run : runs) {
        const qsizetype word = run.run.first;
        if (word != run.run.last)
            continue;
        const bool first = word + 2 < m_words.size() && joined(word, word + 2);
        const bool second = word >= 4 && joined(word - 2, word);
        if ((first && isClosedStretch(word - 1)) || (second && isClosedStretch(word - 3)))
            run.score = weight::notPerson;
    }
}

// "Poppy and Primrose plugs", "Holly and Ivy wreaths": everyday words
// joined before a plural noun name kinds of it. People joined by "and" take
// a verb without an "s" after them, so the "s" there makes a noun.
void PortableNameTagger::markKindsBeforePlural(QList<ScoredRun> &runs) const
{
    if (runs.size() < 2)
        return;
    for (qsizetype noun = 2; noun < m_words.size(); ++noun) {
        if (!lower(noun).endsWith(u's') || gapBefore(noun) != u" "_s || shapeOf(noun) != Shape::lower
            || shapeOf(noun - 1) != Shape::capitalised || !isPluralNoun(noun))
            continue;
        QList<qsizetype> items{noun - 1};
        for (qsizetype item = noun - 1;;) {
            const QStringView gap = gapBefore(item).trimmed();
            qsizetype before = -1;
            if (gap == u","_s || gap == u"&"_s || gap == u"+"_s)
                before = item - 1;
            else if (gap.isEmpty() && item >= 2 && isAnd(lower(item - 1)) && gapBefore(item - 1) == u" "_s)
                before = item - 2;
            if (before < 0 || shapeOf(before) != Shape::capitalised || isPossessive(textOf(before))
                || (before > 0 && has(before - 1, Fact::title)))
                break;
            items.append(before);
            item = before;
        }
        // "Marek and Iris tickets" are theirs: only words that are also words name kinds.
        const bool words = std::all_of(items.cbegin(), items.cend(), [&](qsizetype item) {
            return has(item, Fact::everyday) || has(item, Fact::nonPerson);
        });
        if (items.size() < 2 || !words)
            continue;
        for (ScoredRun &run : runs)
            if (run.run.first == run.run.last && items.contains(run.run.first))
                run.score = weight::notPerson;
    }
}

bool PortableNameTagger::isPluralNoun(qsizetype word) const
{
    const QString &base = lower(word);
    if (base.size() < 4 || !base.endsWith(u's') || base.endsWith(u"ss"_s) || has(word, Fact::cue) || has(word, Fact::function))
        return false;
    // The dictionary reads "plugs" as "plug", "always" as the adverb it lists.
    return WordClasses::shared().classesOf(base).contains(WordClasses::noun);
}

// 'Oluwaseun Bakare ("Seun")': the name a person goes by, quoted in brackets
// right after their name.
void PortableNameTagger::markNicknames(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 1; i < runs.size(); ++i) {
        ScoredRun &nick = runs[i];
        const ScoredRun &named = runs.at(i - 1);
        const qsizetype word = nick.run.first;
        if (nick.run.first != nick.run.last || named.score < weight::threshold || named.run.last + 1 != word
            || shapeOf(word) != Shape::capitalised || has(word, Fact::nonPerson))
            continue;
        const QStringView before = gapBefore(word).trimmed();
        const qsizetype end = m_tokens.at(m_words.at(word)).range.end;
        const QStringView after = QStringView(m_text).sliced(end).trimmed();
        const bool quotedIn = before == u"(\""_s || before == u"(“"_s || before == u"('"_s || before == u"(‘"_s;
        const bool quotedOut = after.startsWith(u"\")"_s) || after.startsWith(u"”)"_s) || after.startsWith(u"')"_s)
            || after.startsWith(u"’)"_s);
        if (quotedIn && quotedOut)
            nick.score = qMax(nick.score, weight::threshold);
    }
}

// "Handover from Yeon-woo to Da-eun": what passes from a person goes to a
// person, a word no list or dictionary knows as well.
void PortableNameTagger::markHandedOn(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        const ScoredRun &from = runs.at(i);
        ScoredRun &to = runs[i + 1];
        const qsizetype between = from.run.last + 1;
        if (from.score < weight::threshold || from.run.first == 0 || lower(from.run.first - 1) != u"from"_s
            || to.run.first != between + 1 || lower(between) != u"to"_s || gapBefore(between) != u" "_s
            || gapBefore(to.run.first) != u" "_s || to.run.first != to.run.last || to.score <= 0)
            continue;
        // "from Barnes to Putney": a surname that is also a word or a place may be where a move starts.
        const qsizetype word = to.run.first;
        const bool person = has(from.run.first, Fact::given) || !has(from.run.first, Fact::inDictionary);
        if (person && shapeOf(word) == shapeOf(from.run.first) && !has(word, Fact::inDictionary) && !has(word, Fact::nonPerson)
            && !has(word, Fact::placeNoun))
            to.score = qMax(to.score, weight::threshold);
    }
}

// "Rota: Esme reception, Tobiah stores, Gwilym deliveries": a list whose
// items each open with one capitalised word and go on in lower case names
// what each person does; when two of those words are given names and no
// dictionary knows the others, all are, whatever the duty after them would
// make of them alone.
void PortableNameTagger::markDutyLists(QList<ScoredRun> &runs) const
{
    if (runs.size() < 3)
        return;
    QList<qsizetype> heads;
    const auto close = [&] {
        qsizetype given = 0;
        qsizetype nameLike = 0;
        for (const qsizetype head : std::as_const(heads)) {
            const bool plainGiven = has(head, Fact::given) && !has(head, Fact::everyday) && !has(head, Fact::nonPerson);
            given += plainGiven;
            nameLike += plainGiven || (!has(head, Fact::inDictionary) && !has(head, Fact::nonPerson));
        }
        if (heads.size() >= 3 && given >= 2 && nameLike == heads.size())
            for (ScoredRun &run : runs)
                if (run.run.first == run.run.last && heads.contains(run.run.first) && !has(run.run.first, Fact::placeNoun))
                    run.score = qMax(run.score, weight::threshold);
        heads.clear();
    };
    qsizetype word = 0;
    while (word < m_words.size()) {
        const QStringView gap = word > 0 ? gapBefore(word).trimmed() : QStringView();
        const bool opens = !gap.isEmpty() && gap.size() <= 2
            && (gap.endsWith(u':') || gap.endsWith(u',') || gap.endsWith(u';') || gap.endsWith(u'+') || gap.endsWith(u'&'));
        const bool head = opens && shapeOf(word) == Shape::capitalised && !isPossessive(textOf(word));
        qsizetype end = word + 1; // the item's words after its head, all in lower case
        while (head && end < m_words.size() && end - word <= 3 && gapBefore(end) == u" "_s && shapeOf(end) == Shape::lower)
            ++end;
        const bool item = head && (end == m_words.size() || !gapBefore(end).trimmed().isEmpty());
        if (item)
            heads.append(word);
        else
            close();
        word = item ? end : word + 1;
    }
    close();
}

// "sublease for summer", "back in june": written in lower case after a word of
// time, a season or a month is the time of year, whoever else bears it.
void PortableNameTagger::markSeasonsInLowerCase(QList<ScoredRun> &runs) const
{
    static const WordSet seasons{u"spring"_s, u"summer"_s, u"autumn"_s, u"winter"_s, u"april"_s, u"may"_s,
                                 u"june"_s, u"july"_s, u"august"_s};
    static const WordSet timeWords{u"for"_s, u"in"_s, u"this"_s, u"next"_s, u"last"_s, u"over"_s, u"during"_s,
                                   u"until"_s, u"till"_s, u"since"_s, u"early"_s, u"late"_s, u"mid"_s, u"by"_s};
    for (ScoredRun &run : runs) {
        const qsizetype word = run.run.first;
        if (word == run.run.last && word > 0 && shapeOf(word) == Shape::lower && seasons.contains(lower(word))
            && gapBefore(word) == u" "_s && timeWords.contains(lower(word - 1)))
            run.score = weight::notPerson;
    }
}

// What closes, diverts or runs along a stretch, a few words before "between".
bool PortableNameTagger::isClosedStretch(qsizetype between) const
{
    static const WordSet transit{
        u"suspended"_s, u"closed"_s, u"closure"_s, u"closures"_s, u"diverted"_s, u"diversion"_s, u"roadworks"_s,
        u"line"_s, u"trains"_s, u"train"_s, u"buses"_s, u"bus"_s, u"tram"_s, u"trams"_s, u"shuttle"_s,
        u"service"_s, u"services"_s, u"traffic"_s, u"road"_s, u"rd"_s, u"street"_s, u"st"_s, u"ave"_s,
        u"avenue"_s, u"motorway"_s, u"highway"_s, u"lanes"_s, u"track"_s, u"route"_s, u"runs"_s, u"running"_s};
    constexpr qsizetype reach = 6;
    for (qsizetype w = between - 1; w >= 0 && between - w <= reach; --w) {
        if (transit.contains(lower(w)))
            return true;
        const QStringView gap = gapBefore(w + 1);
        if (gap.contains(u'.') || gap.contains(u'\n') || gap.contains(u';'))
            return false;
    }
    return false;
}

// "Estelle No. 7", "Symphony No 9": a numbered line of goods or works.
bool PortableNameTagger::isNumberedLine(qsizetype next) const
{
    const qsizetype number = next + 1;
    const QString &mark = lower(next);
    const bool numero = mark == u"no"_s || mark == u"nº"_s || mark == u"n°"_s;
    const QStringView gap = number < m_words.size() ? gapBefore(number) : QStringView();
    return numero && (gap == u". "_s || gap == u" "_s) && lower(number).front().isDigit();
}

// "Buyer says", "Surveyor needed", "Registrar's note:": a role opening a
// sentence is capitalised for that alone, unless it is also a given name.
void PortableNameTagger::markRolesOpeningSentences(QList<ScoredRun> &runs) const
{
    static const WordSet offices{u"notary"_s, u"warden"_s, u"churchwarden"_s, u"verger"_s, u"bailiff"_s,
                                 u"auditor"_s, u"assessor"_s, u"surveyor"_s, u"valuer"_s, u"registrar"_s,
                                 u"executor"_s, u"trustee"_s, u"guarantor"_s, u"inspector"_s, u"adjuster"_s,
                                 u"locksmith"_s, u"vendor"_s, u"purchaser"_s, u"lessee"_s, u"lessor"_s,
                                 u"claimant"_s, u"defendant"_s, u"applicant"_s, u"examiner"_s, u"invigilator"_s};
    for (ScoredRun &run : runs) {
        const qsizetype word = run.run.first;
        if (run.score < weight::threshold || word != run.run.last || !atSentenceStart(word)
            || shapeOf(word) != Shape::capitalised || has(word, Fact::given))
            continue;
        // "Porter asked": a common role that is a common surname too stays a person.
        const QString &noun = lower(word);
        const bool role = offices.contains(noun) || ((isRole(noun) || isHumanRole(noun)) && !has(word, Fact::surname));
        if (role)
            run.score = weight::notPerson;
    }
}

// "Carriers: Pedersen, Holt", "Preferred suppliers: Hartwell Brothers":
// what a label says are firms is firms, even when they bear a founder's name.
void PortableNameTagger::markFirmsUnderLabel(QList<ScoredRun> &runs) const
{
    for (ScoredRun &run : runs)
        if (run.score >= weight::threshold && isUnderFirmsLabel(run.run))
            run.score = weight::notPerson;
}

bool PortableNameTagger::isUnderFirmsLabel(const Run &run) const
{
    // Plurals mostly: one "partner" or "sponsor" is as often a person.
    static const WordSet firms{u"partners"_s, u"carriers"_s, u"carrier"_s, u"suppliers"_s, u"supplier"_s,
                               u"vendors"_s, u"vendor"_s, u"sponsors"_s, u"brands"_s, u"stockists"_s,
                               u"insurers"_s, u"insurer"_s, u"lenders"_s, u"banks"_s, u"firms"_s,
                               u"retailers"_s, u"distributors"_s, u"wholesalers"_s, u"manufacturers"_s,
                               u"hauliers"_s, u"couriers"_s, u"competitors"_s, u"exhibitors"_s};
    constexpr qsizetype reach = 20;
    if (run.first > 0 && has(run.first - 1, Fact::title))
        return false;
    for (qsizetype w = run.first; w > 0 && run.first - w < reach; --w) {
        const QStringView gap = gapBefore(w);
        const bool sentenceEnds = gap.contains(u". "_s) && lower(w - 1).size() > 1; // not after an initial
        if (gap.contains(u'\n') || gap.contains(u';') || sentenceEnds)
            return false;
        if (!gap.contains(u':'))
            continue;
        for (qsizetype k = w - 1; k >= 0 && w - k <= 4; --k) {
            if (firms.contains(lower(k)))
                return true;
            if (k > 0 && (gapBefore(k).contains(u'\n') || gapBefore(k).contains(u". "_s)))
                break;
        }
        return false;
    }
    return false;
}

// "Nala, Simba", "Simba and Kiara": one lone word listed right before another.
bool PortableNameTagger::isListedBefore(const Run &left, const Run &right) const
{
    if (left.first != left.last || right.first != right.last)
        return false;
    if (right.first == left.last + 1)
        return gapBefore(right.first) == u", "_s || gapBefore(right.first) == u" & "_s;
    return right.first == left.last + 2 && isAnd(lower(left.last + 1)) && gapBefore(right.first) == u" "_s;
}

bool PortableNameTagger::hasFirmWord(const Run &run) const
{
    for (qsizetype i = run.first + 1; i <= run.last; ++i)
        if (nameLexicon::isFirmEnding(lower(i)))
            return true;
    return false;
}

// "Action: Ifeoma to circulate; Tregarthen to book the room", "Mon - Aoife,
// Tue - Oluchi": items of one list are written alike, so a doubtful one
// written like an item that names a person names one too.
void PortableNameTagger::addParallelItems(QList<ScoredRun> &runs) const
{
    // Firms act in minutes too, and are often named by two words run together ("Brightwater").
    const auto isDoubtful = [&](const ScoredRun &run) {
        return run.score < weight::threshold && run.score > 0 && run.run.first == run.run.last
            && shapeOf(run.run.first) == Shape::capitalised && !has(run.run.first, Fact::everyday)
            && !has(run.run.first, Fact::nonPerson) && !isCompoundOfWords(run.run.first);
    };
    for (const ListSlot slot : {ListSlot::actionPoint, ListSlot::dayEntry}) {
        const bool named = std::any_of(runs.cbegin(), runs.cend(), [&](const ScoredRun &run) {
            return run.score >= weight::threshold && slotOf(run.run) == slot;
        });
        if (!named)
            continue;
        for (ScoredRun &run : runs)
            if (isDoubtful(run) && slotOf(run.run) == slot)
                run.score = weight::threshold;
    }
}

PortableNameTagger::ListSlot PortableNameTagger::slotOf(const Run &run) const
{
    if (run.last + 1 < m_words.size() && lower(run.last + 1) == u"to"_s && isActionPoint(run))
        return ListSlot::actionPoint;
    const QStringView gap = run.first > 0 ? gapBefore(run.first).trimmed() : QStringView();
    const bool labelled = gap == u":"_s || gap == u"-"_s || gap == u"–"_s || gap == u"—"_s;
    return labelled && isDay(lower(run.first - 1)) ? ListSlot::dayEntry : ListSlot::none;
}

// "Pryce's and Holloway's both refused it": two possessives joined, and nothing
// owned after the second, are shops; "Maria's and Ben's desks" are people's.
// "Yale, Princeton and Cornell reps": the staff named last belong to every
// place or firm listed before it.
void PortableNameTagger::markStaffListed(QList<ScoredRun> &runs) const
{
    for (qsizetype i = runs.size() - 1; i > 0; --i) {
        const qsizetype staff = runs.at(i).run.last + 1;
        if (staff >= m_words.size() || gapBefore(staff) != u" "_s || !isStaffOf(lower(staff)))
            continue;
        for (qsizetype j = i; j > 0; --j) {
            const Run &left = runs.at(j - 1).run;
            const QStringView gap = gapBefore(runs.at(j).run.first);
            const bool listed = (gap == u", "_s && runs.at(j).run.first == left.last + 1)
                || (gap == u" "_s && runs.at(j).run.first == left.last + 2 && isAnd(lower(left.last + 1)));
            if (!listed)
                break;
            runs[j - 1].score = weight::notPerson;
        }
    }
}

void PortableNameTagger::markShopsNamedTogether(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        const Run &left = runs.at(i).run;
        const Run &right = runs.at(i + 1).run;
        if (left.first != left.last || right.first != right.last || right.first != left.last + 2
            || !isPossessive(textOf(left.last)) || !isPossessive(textOf(right.last))
            || (!isAnd(lower(left.last + 1)) && lower(left.last + 1) != u"or"_s))
            continue;
        static const WordSet notOwned{u"both"_s, u"all"_s, u"each"_s, u"either"_s, u"neither"_s};
        const qsizetype next = right.last + 1;
        const QByteArray classes = next < m_words.size() ? WordClasses::shared().classesOf(lower(next)) : QByteArray();
        const bool owned = next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
            && !notOwned.contains(lower(next)) && !has(next, Fact::function) && !has(next, Fact::action)
            && !isVerbForm(lower(next)) && (classes.isEmpty() || classes.contains(WordClasses::noun));
        if (!owned)
            runs[i].score = runs[i + 1].score = weight::notPerson;
    }
}

// "Ifeoma Chukwu from Johnson Controls", "Hunter at Hunter Douglas": what
// follows a person and "from" or "at" is where they work, even when it bears
// a founder's name; a lone given name before a firm so named is the person.
void PortableNameTagger::markEmployers(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 1; i < runs.size(); ++i) {
        ScoredRun &person = runs[i - 1];
        ScoredRun &employer = runs[i];
        const qsizetype link = person.run.last + 1;
        if (employer.run.first != link + 1 || gapBefore(link) != u" "_s || gapBefore(employer.run.first) != u" "_s
            || (lower(link) != u"from"_s && lower(link) != u"at"_s) || isPossessive(textOf(employer.run.last))
            || shapeOf(employer.run.first) != Shape::capitalised)
            continue;
        const bool loneGiven = person.run.first == person.run.last && has(person.run.first, Fact::given)
            && !has(person.run.first, Fact::nonPerson) && shapeOf(person.run.first) == Shape::capitalised
            && atSentenceStart(person.run.first) && employer.run.last > employer.run.first;
        if (person.score < weight::threshold && !loneGiven)
            continue;
        person.score = qMax(person.score, weight::threshold);
        employer.score = weight::notPerson;
    }
}

// "Fairbrother and Tsang", "marisol & juanita": a doubtful run joined to a
// name, or two given names joined to each other, are names.
void PortableNameTagger::addCoordinated(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        ScoredRun &left = runs[i];
        ScoredRun &right = runs[i + 1];
        // "ask Noreen or Kwabena": either of two people.
        const bool spelledAnd = right.run.first == left.run.last + 2
            && (isAnd(lower(left.run.last + 1)) || lower(left.run.last + 1) == u"or"_s);
        if (right.run.first != left.run.last + 1 && !spelledAnd)
            continue;
        const QString gap = m_text.mid(m_tokens.at(m_words.at(left.run.last)).range.end,
                                       m_tokens.at(m_words.at(right.run.first)).range.start
                                           - m_tokens.at(m_words.at(left.run.last)).range.end).trimmed();
        if (gap == u","_s && isListedBeside(left, right)) {
            right.score = qMax(right.score, weight::threshold);
            continue;
        }
        if (gap == u","_s && isListedBeside(right, left)) {
            left.score = qMax(left.score, weight::threshold); // "Zsófia, Bence and Réka"
            continue;
        }
        if (gap != u"&"_s && gap != u"+"_s && !(spelledAnd && gap.toLower() == lower(left.run.last + 1)))
            continue;
        const bool firmJoined = left.score <= weight::notPerson || right.score <= weight::notPerson;
        if (gap == u"&"_s && (firmJoined || isFirm(left.run, right.run))) {
            left.score = right.score = weight::notPerson;
            continue;
        }
        // "in Charlotte and Austin": places joined to places.
        const qsizetype before = left.run.first - 1;
        if (before >= 0 && gapBefore(left.run.first) == u" "_s && has(before, Fact::placePreposition))
            continue;
        // "split between Adebowale and Tremaine": two lone words shared out between,
        // neither a place the lists know and one of them a known name.
        const auto isLoneNonPlace = [&](const Run &r) {
            return r.first == r.last && !has(r.first, Fact::nonPerson) && !has(r.first, Fact::properNoun)
                && !has(r.first, Fact::everyday) && shapeOf(r.first) == Shape::capitalised;
        };
        const auto isKnownName = [&](const Run &r) { return has(r.first, Fact::given) || has(r.first, Fact::surname); };
        if (spelledAnd && before >= 0 && lower(before) == u"between"_s && isLoneNonPlace(left.run) && isLoneNonPlace(right.run)
            && (isKnownName(left.run) || isKnownName(right.run))) {
            left.score = qMax(left.score, weight::threshold);
            right.score = qMax(right.score, weight::threshold);
            continue;
        }
        const bool bothGiven = has(left.run.first, Fact::given) && has(right.run.first, Fact::given);
        if (spelledAnd && arePeopleActing(left.run, right.run)) {
            left.score = qMax(left.score, weight::threshold);
            right.score = qMax(right.score, weight::threshold);
            continue;
        }
        // "Nkechi & Oyin", "Stavros Karas and Eleni": a lone word no list knows
        // joined to a given name or a full name.
        // "ask ysolde or Brannagh": the word that leads to a person leads to both.
        const bool led = left.run.first > 0 && followsPersonLead(left.run.first);
        const bool unknownRight = right.run.first == right.run.last && !has(right.run.first, Fact::inDictionary)
            && !has(right.run.first, Fact::nonPerson)
            && (has(left.run.first, Fact::given) || left.run.last > left.run.first || led);
        if (unknownRight && left.score >= weight::threshold)
            right.score = qMax(right.score, weight::threshold);
        // "Ifeanyi & Chiamaka are on leave": the same, the unknown word first.
        const bool unknownLeft = left.run.first == left.run.last && !has(left.run.first, Fact::inDictionary)
            && !has(left.run.first, Fact::nonPerson) && right.run.first == right.run.last && has(right.run.first, Fact::given)
            && !has(right.run.first, Fact::nonPerson);
        if (unknownLeft && right.score >= weight::threshold && left.score > 0)
            left.score = qMax(left.score, weight::threshold);
        // "Maria and Luis will join": a known given name beside a name found is one
        // too, unless either is also a place ("Jordan and Egypt").
        const bool givenPair = bothGiven && !has(left.run.first, Fact::nonPerson) && !has(right.run.first, Fact::nonPerson);
        if (givenPair && left.score >= weight::threshold && right.score > weight::notPerson / 2)
            right.score = weight::threshold;
        if (givenPair && right.score >= weight::threshold && left.score > weight::notPerson / 2)
            left.score = weight::threshold;
        // "Brayden and Maverick": a word the lists know as a given name too, joined to a person's given name.
        const auto isListedGiven = [&](const ScoredRun &r) {
            return r.run.first == r.run.last && has(r.run.first, Fact::ambiguousGiven) && !has(r.run.first, Fact::nonPerson)
                && shapeOf(r.run.first) == Shape::capitalised && r.score > weight::notPerson / 2;
        };
        const auto isGivenFound = [&](const ScoredRun &r) {
            return r.score >= weight::threshold && r.run.first == r.run.last && has(r.run.first, Fact::given);
        };
        if (isGivenFound(left) && isListedGiven(right))
            right.score = weight::threshold;
        if (isGivenFound(right) && isListedGiven(left))
            left.score = weight::threshold;
        const double floor = weight::threshold - weight::coordinated;
        if ((left.score >= weight::threshold || bothGiven) && right.score >= floor)
            right.score = qMax(right.score, weight::threshold);
        if ((right.score >= weight::threshold || bothGiven) && left.score >= floor)
            left.score = qMax(left.score, weight::threshold);
    }
}

// "Okoro and Lindahl are on call": two surnames, or words no dictionary knows,
// joined by "and" and then doing something together are two people; shops
// go by their owner's possessive ("Pryce's and Holloway's").
bool PortableNameTagger::arePeopleActing(const Run &left, const Run &right) const
{
    const auto isSurnameLike = [&](qsizetype i) {
        return shapeOf(i) == Shape::capitalised && !isPossessive(textOf(i)) && !has(i, Fact::nonPerson) && !has(i, Fact::everyday)
            && !has(i, Fact::properNoun) && (has(i, Fact::surname) || has(i, Fact::given) || !has(i, Fact::inDictionary));
    };
    const qsizetype verb = right.last + 1;
    static const WordSet plural{u"are"_s, u"were"_s, u"have"_s, u"both"_s, u"will"_s, u"can"_s, u"agreed"_s};
    return left.first == left.last && right.first == right.last && isSurnameLike(left.first) && isSurnameLike(right.first)
        && lower(left.first + 1) == u"and"_s && verb < m_words.size() && gapBefore(verb) == u" "_s
        && shapeOf(verb) == Shape::lower && (plural.contains(lower(verb)) || (has(verb, Fact::action) && isVerbForm(lower(verb))));
}

// "cc jonas, wiebke": a lone given name, or a word no dictionary knows, listed
// right beside a given name and written the same way.
bool PortableNameTagger::isListedBeside(const ScoredRun &named, const ScoredRun &other) const
{
    const qsizetype word = other.run.first;
    if (named.score < weight::threshold || named.run.first != named.run.last || word != other.run.last
        || (!has(named.run.first, Fact::given) && has(named.run.first, Fact::inDictionary))
        || shapeOf(word) != shapeOf(named.run.first))
        return false;
    const bool plain = std::all_of(lower(word).cbegin(), lower(word).cend(), [](QChar c) { return c.isLetter(); });
    return plain && !has(word, Fact::nonPerson) && (has(word, Fact::given) || !has(word, Fact::inDictionary));
}

// "Morgan & Morgan", "Brennan & Fox", "Harper & Lowe Plumbing": surnames
// joined by an ampersand name a firm; given names so joined are people.
bool PortableNameTagger::isFirm(const Run &left, const Run &right) const
{
    if (left.first != left.last || right.first != right.last)
        return false;
    const auto isSurnameWord = [&](qsizetype i) { return has(i, Fact::surname) || has(i, Fact::ambiguousSurname); };
    const auto isGivenWord = [&](qsizetype i) { return has(i, Fact::given) || has(i, Fact::ambiguousGiven); };
    if (lower(left.first) == lower(right.first))
        return true;
    const qsizetype next = right.last + 1;
    const bool namedBusiness = next < m_words.size() && gapBefore(next) == u" "_s && isCapitalised(textOf(next));
    const auto isCommonGiven = [&](qsizetype i) { return nameLexicon::isCommonGivenName(lower(i)); };
    // "a quote from Parker & Lane": what a firm sends names the firm.
    // ...and so does where one works or shops: "lunch at Parker & Lane", unlike "at Anna & Tom's".
    const bool sentByFirm = left.first > 0 && gapBefore(left.first) == u" "_s
        && (isFromBusiness(left.first - 1) || (lower(left.first - 1) == u"at"_s && !isPossessive(textOf(right.last))));
    return isSurnameWord(left.first) && isSurnameWord(right.first)
        && (namedBusiness || sentByFirm || !isGivenWord(left.first) || !isGivenWord(right.first)
            || (!isCommonGiven(left.first) && !isCommonGiven(right.first)));
}

// "Rivera, Ana Lucía", "OKONJO, CHIDI; BERGSTRÖM, ELIN": a surname, a comma
// and a given name, as lists and records write them, are one name. Read from
// the left, so that in "Abara, Ngozi, Lindahl, Per" each given name closes a pair.
void PortableNameTagger::pairSurnameFirst(QList<ScoredRun> &runs) const
{
    bool paired = false;
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        const Run &surname = runs.at(i).run;
        const Run &given = runs.at(i + 1).run;
        // In a list of pairs or a record opening the text, a surname may also be a given name.
        const bool inList = paired || surname.first == 0;
        // "OKONKWO, ADAEZE" amid lower-case text, "lindqvist-berg, maja" opening a record.
        const bool capitalsRecord = shapeOf(surname.last) == Shape::capitals && shapeOf(given.first) == Shape::capitals;
        const bool lowerRecord = surname.first == 0 && shapeOf(surname.last) == Shape::lower
            && has(surname.last, Fact::surname) && has(given.first, Fact::given) && !has(given.first, Fact::everyday);
        if (m_european && runs.at(i).score <= weight::notPerson / 2)
            continue; // "rue de la Paix, Paris": no surname before a given name
        // "MARSDEN, Obadiah, weaver": a record's surname in capitals, its given name not.
        const bool mixedRecord = !m_shouting && shapeOf(surname.last) == Shape::capitals
            && shapeOf(given.first) == Shape::capitalised && lower(surname.last).size() > 1;
        if (given.first != surname.last + 1 || !isSurnameBeforeComma(surname, inList) || isAfterHouseNumber(surname.first)
            || (shapeOf(given.first) == Shape::lower && !lowerRecord) || (isInListOfSingleWords(runs, i) && !mixedRecord))
            continue;
        // "Cc Radhika, Tomasz": given names listed after a word that addresses people.
        const bool addressedList = surname.first == surname.last && surname.first > 0
            && (has(surname.first, Fact::given) || !has(surname.first, Fact::surname))
            && (has(surname.first - 1, Fact::lead) || followsPersonLead(surname.first));
        // "Patient: Abernethy, Clive": a form's field holds one person, surname first.
        const bool field = surname.first > 0 && gapBefore(surname.first).trimmed() == u":"_s
            && isPersonField(lower(surname.first - 1));
        if (!paired && addressedList && !field && !(capitalsRecord && !m_shouting))
            continue;
        // An unknown given name after a known surname, at the start of the
        // text, or in a note that already lists a pair.
        const bool listed = inList || has(surname.last, Fact::surname) || surname.last > surname.first
            || (capitalsRecord && !m_shouting) || isItemRecord(surname, given);
        // "Zsófia, Bence and Réka": names listed, unless a known surname leads.
        const bool andFollows = given.last + 1 < m_words.size() && isAnd(lower(given.last + 1));
        if (andFollows && !has(surname.last, Fact::surname))
            continue;
        const bool capitalsInText = capitalsRecord && !m_shouting;
        if (!isGivenAfterComma(given) && !(listed && isUnknownGivenAfterComma(given, inList || field || capitalsInText))
            && !isEastAsianGivenAfterComma(surname, given) && !isCapitalsRecordClosed(surname, given))
            continue;
        runs[i] = {{surname.first, given.last}, qMax(weight::threshold, runs.at(i).score + runs.at(i + 1).score)};
        runs.removeAt(i + 1);
        paired = true;
    }
}

// "OKAFOR/CHIDI MR", as tickets and passenger lists write a name: the
// surname, a slash and the given names, in capitals.
bool PortableNameTagger::isSlashedNamePart(qsizetype word) const
{
    const auto isPart = [&](qsizetype i) {
        return i >= 0 && i < m_words.size() && lower(i).size() > 1 && shapeOf(i) == Shape::capitals
            && !has(i, Fact::function) && !has(i, Fact::title) && !has(i, Fact::nonPerson)
            && (has(i, Fact::given) || has(i, Fact::surname) || !has(i, Fact::inDictionary));
    };
    // The form of address that tickets put after the given names vouches for names no list knows.
    const auto isTitled = [&](qsizetype given) {
        static const WordSet addresses{u"mr"_s, u"mrs"_s, u"ms"_s, u"miss"_s, u"mstr"_s, u"dr"_s};
        const qsizetype next = given + 1;
        return next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::capitals
            && addresses.contains(lower(next));
    };
    const auto isPair = [&](qsizetype surname) {
        return isPart(surname) && isPart(surname + 1) && gapBefore(surname + 1) == u"/"_s
            && (has(surname, Fact::surname) || has(surname + 1, Fact::given) || isTitled(surname + 1));
    };
    return isPair(word) || isPair(word - 1);
}

void PortableNameTagger::pairSlashed(QList<ScoredRun> &runs) const
{
    for (qsizetype i = 0; i + 1 < runs.size(); ++i) {
        const Run &surname = runs.at(i).run;
        const Run &given = runs.at(i + 1).run;
        // "VAN DER WESTHUIZEN/GERTRUIDA": a surname's particles come with it.
        bool particlesOnly = !has(surname.last, Fact::particle);
        for (qsizetype word = surname.first; word < surname.last; ++word)
            particlesOnly = particlesOnly && has(word, Fact::particle);
        if (given.first != surname.last + 1 || !particlesOnly || given.last - given.first > 1
            || !isSlashedNamePart(surname.last) || !isSlashedNamePart(given.first)
            || gapBefore(given.first) != u"/"_s)
            continue;
        runs[i] = {{surname.first, given.last}, qMax(weight::threshold, runs.at(i).score)};
        runs.removeAt(i + 1);
    }
}

bool PortableNameTagger::isSurnameBeforeComma(const Run &run, bool inList) const
{
    const QStringView gap = gapBefore(run.last + 1);
    if ((gap != u", "_s && gap != u","_s) || run.last - run.first > 3)
        return false;
    for (qsizetype i = run.first; i < run.last; ++i)
        if (!has(i, Fact::particle))
            return false; // "Ruth Abernathy, Desmond Achebe": two people
    const qsizetype word = run.last;
    // "VAN DAM, Pieter": after a particle a word is the surname, whatever else it means.
    const bool afterParticle = run.last > run.first && has(run.last - 1, Fact::particle) && !has(word, Fact::nonPerson);
    if (has(word, Fact::surname) || isCapitalsSurnameOfPair(word) || afterParticle || isSurnameBeforeInitials(word))
        return true;
    return (inList || !has(word, Fact::given)) && !has(word, Fact::inDictionary) && !has(word, Fact::nonPerson)
        && lower(word).size() > 1;
}

// "Volunteers: Quealy, Saorla (desk)", "Lesson log — Kumagai, Sosuke:": a
// record that makes a whole item after its label, unlike the given names
// a field lists ("Attendees: Eiríkur, Hjördís, Sölvi").
bool PortableNameTagger::isItemRecord(const Run &surname, const Run &given) const
{
    static const QString openers = u":;(–—-"_s;
    static const QString closers = u":;(–—-."_s;
    // "Venue: Brixworth, Northants": a place's label gives a town and its county.
    static const WordSet placeLabels{u"venue"_s, u"address"_s, u"destination"_s, u"origin"_s, u"route"_s,
                                     u"town"_s, u"city"_s, u"village"_s, u"to"_s, u"from"_s, u"via"_s};
    const QStringView before = gapBefore(surname.first).trimmed();
    if (surname.first == 0 || before.isEmpty() || !openers.contains(before.back()))
        return false;
    const QString &label = lower(surname.first - 1);
    if (before == u":"_s && (isPersonField(label) || isSiteNoun(label) || placeLabels.contains(label)))
        return false;
    if (given.last + 1 == m_words.size())
        return true;
    const QStringView after = gapBefore(given.last + 1).trimmed();
    return !after.isEmpty() && closers.contains(after.front());
}

// "HOLLINGWORTH-PRYCE, CASPIAN – key lost": in text not written in capitals, a
// record in capitals that opens the text or an item and closes with a dash or
// a stop is a surname and a given name, whatever the dictionary says of them.
bool PortableNameTagger::isCapitalsRecordClosed(const Run &surname, const Run &given) const
{
    if (m_shouting || given.first != given.last || shapeOf(surname.last) != Shape::capitals
        || shapeOf(given.first) != Shape::capitals || lower(given.first).size() < 3 || lower(surname.last).size() < 3
        || has(given.first, Fact::nonPerson) || has(given.first, Fact::function) || has(surname.last, Fact::nonPerson))
        return false;
    static const QString openers = u":;(–—-"_s;
    static const QString closers = u";.(–—-:"_s;
    const QStringView before = surname.first > 0 ? gapBefore(surname.first).trimmed() : QStringView();
    const bool opens = surname.first == 0 || (!before.isEmpty() && openers.contains(before.back()));
    const QStringView after = given.last + 1 < m_words.size() ? gapBefore(given.last + 1).trimmed() : QStringView(u".");
    return opens && !after.isEmpty() && closers.contains(after.front());
}

// "Czerny, T. J.", "OBI, U.": a word before a comma and dotted initials is a
// surname, as rolls and ballots write them, unless it names a place or a thing;
// an everyday word only in a list of such records.
bool PortableNameTagger::isSurnameBeforeInitials(qsizetype word) const
{
    const auto opensRecord = [&](qsizetype i) {
        const qsizetype initial = i + 1;
        return initial < m_words.size() && lower(i).size() > 1 && gapBefore(initial) == u", "_s
            && shapeOf(initial) == Shape::initial && (initial + 1 == m_words.size() || gapBefore(initial + 1).startsWith(u'.'))
            && (shapeOf(i) == Shape::capitalised || shapeOf(i) == Shape::capitals) && !has(i, Fact::function)
            && !has(i, Fact::title) && !has(i, Fact::nonPerson) && !has(i, Fact::placeNoun);
    };
    if (!opensRecord(word))
        return false;
    if (!has(word, Fact::everyday))
        return true;
    for (qsizetype i = 0; i < m_words.size(); ++i)
        if (i != word && opensRecord(i) && !has(i, Fact::everyday))
            return true;
    return false;
}

// A known given name, perhaps with a middle name or initials, and no more.
bool PortableNameTagger::isGivenAfterComma(const Run &run) const
{
    if (run.last - run.first > 2)
        return false;
    const auto isInitial = [&](qsizetype i) { return lower(i).size() == 1; };
    bool initialsOnly = true;
    for (qsizetype i = run.first; i <= run.last; ++i)
        initialsOnly = initialsOnly && isInitial(i);
    if (initialsOnly)
        return shapeOf(run.first) != Shape::lower; // "Østergaard, H. P."
    if (!has(run.first, Fact::given) && !has(run.first, Fact::ambiguousGiven))
        return false;
    // Middle names and initials only: a surname makes it a full name of its own.
    for (qsizetype i = run.first + 1; i <= run.last; ++i)
        if (lower(i).size() > 1 && !has(i, Fact::given))
            return false;
    return true;
}

// "PHAM, MINH KHOA", "Tran, Thi Mai": after a Vietnamese, Chinese or Korean
// family name, two or three short syllables are the given name.
bool PortableNameTagger::isEastAsianGivenAfterComma(const Run &surname, const Run &given) const
{
    if (surname.first != surname.last || !isEastAsianFamilyName(lower(surname.first)) || given.last - given.first > 2
        || given.last == given.first)
        return false;
    for (qsizetype i = given.first; i <= given.last; ++i)
        if (lower(i).size() > 6 || has(i, Fact::function) || shapeOf(i) != shapeOf(given.first))
            return false;
    return true;
}

// "Ngata, Hemi –", "Yilmaz, Deniz (+2)": one word no list knows, closing a
// record or an item of a list.
bool PortableNameTagger::isUnknownGivenAfterComma(const Run &run, bool inList) const
{
    // "Castellanos, Rubén A.": initials may follow the given name.
    for (qsizetype i = run.first + 1; i <= run.last; ++i)
        if (lower(i).size() != 1)
            return false;
    if (has(run.first, Fact::inDictionary) || has(run.first, Fact::nonPerson) || lower(run.first).size() < 2)
        return false;
    // "Zsófia, Bence and Réka": a list of given names, not a record.
    if (run.last + 1 < m_words.size() && isAnd(lower(run.last + 1)) && gapBefore(run.last + 1) == u" "_s)
        return false;
    if (inList || run.last + 1 == m_words.size())
        return true;
    const QStringView gap = gapBefore(run.last + 1).trimmed();
    static const QString closers = u";.,(–—-/|:"_s;
    return (!gap.isEmpty() && closers.contains(gap.front())) || has(run.last + 1, Fact::action);
}

// "Lark Okonedo joined; Lark sits by the printer", "Verity Fowler ... Fowler
// said": a word that is also an everyday word is the person again where the
// note gives their name in full and a person's doing or a lead word stands by it.
bool PortableNameTagger::isWordOfFullName(const QList<ScoredRun> &runs, qsizetype word) const
{
    const bool inName = std::any_of(runs.cbegin(), runs.cend(), [&](const ScoredRun &named) {
        if (named.score < weight::threshold || named.run.last == named.run.first)
            return false;
        for (qsizetype i = named.run.first; i <= named.run.last; ++i)
            if (i != word && lower(i) == lower(word) && shapeOf(i) == Shape::capitalised)
                return true;
        return false;
    });
    // "Amber Okonkwo ... Amber light is on": the word heads a noun of its own.
    return inName && shapeOf(word) == Shape::capitalised && !isCompoundNoun({word, word})
        && contextBefore({word, word}) + contextAfter({word, word}) > 0;
}

// "Rainier Hartsock, Sawyer Hartsock": a capitalised word trimmed off before a
// surname that the note gives with another given name is this one's given name.
qsizetype PortableNameTagger::withGivenBeforeSharedSurname(const QList<ScoredRun> &runs, const Run &run) const
{
    const qsizetype word = run.first - 1;
    if (run.first != run.last || word < 0 || gapBefore(run.first) != u" "_s || shapeOf(word) != Shape::capitalised
        || has(word, Fact::function) || has(word, Fact::title) || has(word, Fact::lead) || has(word, Fact::nonPerson)
        || has(word, Fact::placeNoun) || has(word, Fact::placePreposition) || has(word, Fact::cue) || isPossessive(textOf(word)))
        return run.first;
    const bool inRun = std::any_of(runs.cbegin(), runs.cend(), [&](const ScoredRun &r) {
        return r.run.first <= word && word <= r.run.last;
    });
    const bool shared = std::any_of(runs.cbegin(), runs.cend(), [&](const ScoredRun &r) {
        return r.score >= weight::threshold && r.run.last > r.run.first && r.run.last != run.last
            && lower(r.run.last) == lower(run.last);
    });
    return !inRun && shared ? word : run.first;
}

// A person named once with good evidence is the same person when the text
// names them again by one of those words ("Keiko Fujimoto ... Keiko to book").
void PortableNameTagger::addNamesSeenElsewhere(QList<ScoredRun> &runs) const
{
    const auto isNamed = [&](const ScoredRun &run) { return run.score >= weight::threshold; };
    const auto seenInName = [&](qsizetype word) {
        return std::any_of(runs.cbegin(), runs.cend(), [&](const ScoredRun &named) {
            if (!isNamed(named))
                return false;
            // A word in lower case in a text that capitalises the name may be the word ("Mark ... mark as done").
            for (qsizetype i = named.run.first; i <= named.run.last; ++i)
                if (i != word && lower(i) == lower(word)
                    && (shapeOf(word) != Shape::lower || shapeOf(i) == Shape::lower))
                    return true;
            return false;
        });
    };
    if (std::none_of(runs.cbegin(), runs.cend(), isNamed))
        return;
    for (ScoredRun &run : runs) {
        if (isNamed(run) || run.score <= weight::notPerson / 2)
            continue;
        // ...even after an article where the note speaks of that family ("the Sfeir side").
        const qsizetype next = run.run.last + 1;
        // "the Jacobs' tickets": what a family has, its plural written with a bare apostrophe.
        const qsizetype end = m_tokens.at(m_words.at(run.run.last)).range.end;
        const bool familyOwns = lower(run.run.last).endsWith(u's') && end < m_text.size()
            && (m_text.at(end) == u'\'' || m_text.at(end) == u'’');
        const bool family = isFamilyName(run.run) || familyOwns
            || (next < m_words.size() && gapBefore(next) == u" "_s && lower(next) == u"side"_s);
        // "Kingston Obi ... lives in Kingston": where someone is, named like them.
        if (contextBefore(run.run) <= weight::placePreposition && !family)
            continue;
        // A word that is also a place or a brand may be both in one note
        // ("April Dunleavy ... the April invoice").
        bool allSeen = run.run.first == 0 || !isDeterminer(lower(run.run.first - 1)) || family;
        for (qsizetype i = run.run.first; i <= run.run.last && allSeen; ++i)
            allSeen = lower(i).size() == 1 || has(i, Fact::particle)
                || (!has(i, Fact::nonPerson) && (!has(i, Fact::everyday) || isWordOfFullName(runs, i)) && seenInName(i));
        if (allSeen)
            run.score = weight::threshold;
    }
    for (ScoredRun &run : runs)
        if (isNamed(run))
            run.run.first = withGivenBeforeSharedSurname(runs, run.run);
    // Everyday words alone were dropped before they became runs at all.
    const bool fullName = std::any_of(runs.cbegin(), runs.cend(),
                                      [&](const ScoredRun &r) { return isNamed(r) && r.run.last > r.run.first; });
    QList<ScoredRun> again;
    for (qsizetype word = 0; word < m_words.size() && fullName; ++word) {
        if (shapeOf(word) != Shape::capitalised)
            continue;
        const bool inRun = std::any_of(runs.cbegin(), runs.cend(),
                                       [&](const ScoredRun &r) { return r.run.first <= word && word <= r.run.last; });
        if (!inRun && shapeOf(word) == Shape::capitalised && isWordOfFullName(runs, word) && has(word, Fact::everyday)
            && !has(word, Fact::nonPerson))
            again.append({{word, word}, weight::threshold});
    }
    runs += again;
}

// What the lists of those languages say of each word, and whether the text is
// written in one of them: two of their words that English does not share, or
// a short note made mostly of them ("Chiamare Giulia", "Herrn Schmidt").
void PortableNameTagger::readEuropeanWords()
{
    m_europeanKinds.assign(m_words.size(), 0);
    qsizetype marks = 0, german = 0, english = 0, cues = 0, lowerCase = 0, unknown = 0;
    for (qsizetype word = 0; word < m_words.size(); ++word) {
        m_europeanKinds[word] = europeanWords::kindsOf(lower(word));
        const bool inLowerCase = shapeOf(word) == Shape::lower && lower(word).size() > 1;
        lowerCase += inLowerCase;
        if (m_europeanKinds[word] == 0) {
            english += inLowerCase && has(word, Fact::function);
            unknown += inLowerCase && !has(word, Fact::inDictionary) && !isListedName(word);
            continue;
        }
        if ((lower(word).size() < 2 && !isConjunctionOfNames(word)) || !isEuropeanMark(word))
            continue;
        // "Rückruf", "Straße": no English note spells a word so, where it
        // may borrow "café" or "señora".
        const QString &lowered = lower(word);
        marks += std::any_of(lowered.cbegin(), lowered.cend(), [](QChar c) { return u"äöüß"_s.contains(c); }) ? 2 : 1;
        german += (m_europeanKinds[word] & europeanWords::german) != 0;
        cues += (m_europeanKinds[word] & (europeanWords::call | europeanWords::honorific)) != 0;
    }
    // "Gracias from Señora Díaz, she wants the receipt": English with a few words of Spanish.
    // "Tarde Okonkwo" may be a name, "Chiamare Giulia" is a call.
    // "Ana prefiere correo": the other words in lower case are in no dictionary here.
    const bool brief = english == 0
        && ((cues >= 1 && marks * 2 >= m_words.size()) || marks == m_words.size()
            || (marks >= 1 && lowerCase >= 2 && marks + unknown >= lowerCase));
    m_european = (marks >= 2 && marks >= english) || brief;
    m_german = german >= 2 && german * 2 >= marks;
}

// A listed word that English notes do not use as well, nor names: "la" before
// a noun, but not "la" in "de la Cruz", nor "per" or "Morgen".
bool PortableNameTagger::isEuropeanMark(qsizetype word) const
{
    // "Pablo y Lucía": English joins two people with "and".
    if (has(word, Fact::particle))
        return (word + 1 < m_words.size() && gapBefore(word + 1) == u" "_s && shapeOf(word + 1) == Shape::lower
                && !has(word + 1, Fact::particle))
            || isConjunctionOfNames(word);
    const Shape shape = shapeOf(word);
    if (shape != Shape::lower && shape != Shape::capitalised && !(shape == Shape::capitals && m_shouting))
        return false;
    // "Hr. Wohlfahrt": English writes no such form of address.
    const qsizetype next = word + 1;
    if ((m_europeanKinds.at(word) & europeanWords::honorific) && !has(word, Fact::title) && shape == Shape::capitalised
        && next < m_words.size() && gapBefore(next) == u". "_s && shapeOf(next) == Shape::capitalised)
        return true;
    // English words the dictionary leaves out, as it leaves out all such small words.
    static const WordSet english{u"is"_s, u"was"_s, u"has"_s, u"had"_s, u"mon"_s};
    const bool englishToo = english.contains(lower(word)) || has(word, Fact::everyday) || has(word, Fact::function)
        || has(word, Fact::lead) || has(word, Fact::cue) || has(word, Fact::title);
    // "bel morgen": written in lower case, a word that is also a name is the word.
    return !englishToo && (shapeOf(word) == Shape::lower || !isListedName(word));
}

// A given name or surname the lists know, even one that is also a word.
bool PortableNameTagger::isListedName(qsizetype word) const
{
    return has(word, Fact::given) || has(word, Fact::surname) || has(word, Fact::ambiguousGiven)
        || has(word, Fact::ambiguousSurname);
}

// "Rückruf", "Bitte", "ist", "Llamar" in a note in those languages: never a
// name nor part of one. A capital letter alone stays an initial, and particles
// ("von", "de la") keep their place in names.
bool PortableNameTagger::isEuropeanWord(qsizetype word) const
{
    if (!m_european)
        return false;
    // "Pablo y Lucía vienen": their verbs are too many to list, and no
    // dictionary knows them; a lower-case word is a name there only if known as one.
    if (m_europeanKinds.at(word) == 0 && shapeOf(word) == Shape::lower && lower(word).size() > 1
        && !has(word, Fact::particle) && !has(word, Fact::given) && !has(word, Fact::surname))
        return true;
    // "Bitte Rückr. bzgl. Lieferadresse": a listed word cut short.
    const qsizetype end = m_tokens.at(m_words.at(word)).range.end;
    if (end < m_text.size() && m_text.at(end) == u'.' && shapeOf(word) != Shape::capitals && !isListedName(word)
        && europeanWords::isAbbreviation(lower(word)))
        return true;
    static const WordSet ambiguous{u"don"_s, u"dona"_s, u"m"_s, u"me"_s};
    if (m_europeanKinds.at(word) == 0 || ambiguous.contains(lower(word)) || isEuropeanHonorific(word))
        return isEuropeanHonorific(word);
    const Shape shape = shapeOf(word);
    // "VA", "DE": in text not written in capitals these are abbreviations.
    if (has(word, Fact::particle) || (lower(word).size() == 1 && shape != Shape::lower)
        || (shape == Shape::capitals && !m_shouting))
        return false;
    return true;
}

// "Herrn", "Sra.", "mevrouw", "Sig.ra": a form of address before a name.
// "Don", "Dona", "M." and "Me" are one only before a capitalised word, being
// given names, initials or a pronoun elsewhere.
bool PortableNameTagger::isEuropeanHonorific(qsizetype word) const
{
    if (!m_european)
        return false;
    if (word > 0 && gapBefore(word) == u"."_s && europeanWords::isHonorificEnding(lower(word - 1), lower(word)))
        return true;
    if (!(m_europeanKinds.at(word) & europeanWords::honorific))
        return false;
    static const WordSet ambiguous{u"don"_s, u"dona"_s, u"m"_s, u"me"_s};
    if (!ambiguous.contains(lower(word)))
        return true;
    const qsizetype next = word + 1;
    if (next >= m_words.size() || shapeOf(next) != Shape::capitalised)
        return false;
    // "Anna M. Kowalska", "J. M. Aguirre" keep their initials.
    if (lower(word) == u"m"_s)
        return gapBefore(next) == u". "_s
            && (word == 0 || (lower(word - 1).size() > 1 && !has(word - 1, Fact::given)));
    return shapeOf(word) == Shape::capitalised && gapBefore(next) == u" "_s;
}

// "Herrn Schmidt", "Bel Jan", "Llamar a Carlos", "avec Sophie": what a note
// in those languages puts before a person.
double PortableNameTagger::europeanLead(const Run &run) const
{
    const qsizetype before = run.first - 1;
    const QStringView gap = gapBefore(run.first).trimmed();
    if (!m_european || before < 0 || (!gap.isEmpty() && gap != u"."_s))
        return 0;
    if (isEuropeanHonorific(before))
        return weight::title;
    if (!gap.isEmpty())
        return 0;
    const auto isCall = [&](qsizetype i) {
        return i >= 0 && (m_europeanKinds.at(i) & europeanWords::call) && isEuropeanWord(i) && atSentenceStart(i);
    };
    if (isCall(before))
        return weight::title;
    // "Llamar a Carlos", "Ligar para a Beatriz".
    static const WordSet towards{u"a"_s, u"à"_s, u"ad"_s, u"para"_s, u"com"_s, u"con"_s, u"met"_s, u"mit"_s, u"an"_s, u"aan"_s};
    qsizetype verb = before;
    while (verb > before - 2 && verb > 0 && towards.contains(lower(verb)) && gapBefore(verb) == u" "_s)
        --verb;
    if ((verb < before && isCall(verb)) || ((m_europeanKinds.at(before) & europeanWords::lead) && isEuropeanWord(before)))
        return weight::strongLead;
    // "Dice Iñaki que...", "Sagt Jörg": the verb before its subject.
    if ((m_europeanKinds.at(before) & europeanWords::doing) && isEuropeanWord(before) && atSentenceStart(before))
        return weight::strongLead;
    // "rue de la Paix", "Via Roma": a street; but "via Anna" in Dutch is through her.
    if (isPlacePrefix(lower(before)) && (lower(before) != u"via"_s || isCapitalised(textOf(before))))
        return weight::notPerson;
    // "Mandare il listino a Vittoria": "a" is "to" there, no English article.
    if (lower(before) == u"a"_s || lower(before) == u"à"_s)
        return weight::weakLead;
    // "die Heizung", "het Contract": their nouns, capitalised or not, follow an article.
    static const WordSet articles{u"der"_s, u"die"_s, u"das"_s, u"den"_s, u"dem"_s, u"des"_s, u"ein"_s, u"eine"_s,
                                  u"einen"_s, u"einem"_s, u"einer"_s, u"het"_s, u"een"_s, u"le"_s, u"la"_s, u"les"_s,
                                  u"un"_s, u"une"_s, u"el"_s, u"los"_s, u"las"_s, u"il"_s, u"lo"_s, u"gli"_s, u"uno"_s, u"una"_s};
    const bool noun = run.first == run.last && !has(run.first, Fact::given) && !has(run.first, Fact::surname);
    return noun && articles.contains(lower(before)) ? weight::determinerLone : 0;
}

// "Mevrouw de Vries belt", "Jürgen ist": in those languages what follows a run
// is read by their lists, not by the English dictionary ("belt" is no goods there).
std::optional<double> PortableNameTagger::europeanContextAfter(qsizetype after) const
{
    if (!m_european || after >= m_words.size() || (gapBefore(after) != u" "_s && gapBefore(after) != u", "_s)
        || !isEuropeanWord(after))
        return std::nullopt;
    return m_europeanKinds.at(after) & europeanWords::doing ? weight::strongVerb : 0;
}

// "Ana prefiere correo", "Giulia preferisce": a given name opening a sentence
// of those languages, then a word in lower case that no list knows, which is
// most often its verb: their verbs are too many to list.
bool PortableNameTagger::isUnlistedVerbAfterGivenName(const Run &run) const
{
    const qsizetype next = run.last + 1;
    return run.first == run.last && atSentenceStart(run.first) && shapeOf(run.first) == Shape::capitalised
        && (has(run.first, Fact::given) || has(run.first, Fact::ambiguousGiven)) && !has(run.first, Fact::nonPerson)
        && next < m_words.size() && gapBefore(next) == u" "_s && shapeOf(next) == Shape::lower
        && m_europeanKinds.at(next) == 0 && !isListedName(next) && !has(next, Fact::inDictionary);
}

// "Bäckerei Weber", "Van Houten B.V.", "Lorenz & Söhne KG": a firm; in German
// text a capitalised word no list knows as a name is as likely one of its nouns.
double PortableNameTagger::europeanEvidence(const Run &run) const
{
    if (!m_european)
        return 0;
    const auto isFirmWord = [&](qsizetype i) {
        if (i < 0 || i >= m_words.size())
            return false;
        const bool letters = lower(i).size() == 1 && i + 1 < m_words.size() && gapBefore(i + 1) == u"."_s;
        return (m_europeanKinds.at(i) & europeanWords::firm && shapeOf(i) != Shape::lower)
            || (letters && europeanWords::kindsOf(lower(i) + lower(i + 1)) & europeanWords::firm);
    };
    const qsizetype next = run.last + 1;
    const QStringView after = next < m_words.size() ? gapBefore(next) : QStringView();
    const bool closed = after == u" "_s || after.trimmed() == u"&"_s;
    bool firm = (run.first > 0 && gapBefore(run.first) == u" "_s && isFirmWord(run.first - 1)) || (closed && isFirmWord(next));
    for (qsizetype i = run.first; i <= run.last && !firm; ++i)
        firm = isFirmWord(i);
    if (firm)
        return weight::notPerson;
    if (!m_german)
        return 0;
    for (qsizetype i = run.first; i <= run.last; ++i)
        if (shapeOf(i) == Shape::capitalised && !isListedName(i) && !(i > run.first && has(i - 1, Fact::particle)))
            return weight::everydayWord;
    return 0;
}

// "Pablo y Lucía": two people, in whatever note, though "y" joins the
// surnames of "Ortega y Gasset".
bool PortableNameTagger::isConjunctionOfNames(qsizetype word) const
{
    return word > 0 && word + 1 < m_words.size() && isAnd(lower(word)) && has(word - 1, Fact::given)
        && has(word + 1, Fact::given);
}

// Names need not begin or end where tokens do: a Chinese name is part of a
// longer run of characters. Tokens are cut at the names' edges.
QList<NameToken> PortableNameTagger::tokens(const TokenOptions &options) const
{
    QList<NameToken> result;
    qsizetype name = 0;
    for (const Token &token : m_tokens) {
        qsizetype at = token.range.start;
        while (at < token.range.end) {
            while (name < m_names.size() && m_names.at(name).end <= at)
                ++name;
            const bool inName = name < m_names.size() && m_names.at(name).start <= at;
            if (inName && options.joinNames) {
                if (at == m_names.at(name).start)
                    result.append({m_names.at(name), true});
                at = qMin(token.range.end, m_names.at(name).end);
                continue;
            }
            const qsizetype end = inName ? qMin(token.range.end, m_names.at(name).end)
                : name < m_names.size() ? qMin(token.range.end, m_names.at(name).start) : token.range.end;
            const bool omitted = (token.kind == Token::Kind::whitespace && options.omitWhitespace)
                || (token.kind == Token::Kind::punctuation && options.omitPunctuation);
            if (!omitted)
                result.append({{at, end}, inName && token.kind == Token::Kind::word});
            at = end;
        }
    }
    return result;
}

} // namespace quorvane
