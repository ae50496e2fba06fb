#include "kit/find/NameLexicon.h"

#include "kit/find/WordClasses.h"
#include "kit/find/WordSet.h"
#include "kit/keys/Pools.h"

#include <QFile>
#include <QLocale>

#include <limits>
#include <map>
#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane::nameLexicon {

namespace {

QSet<QString> setOf(QStringView words)
{
    QSet<QString> set;
    for (QStringView word : words.split(u' ', Qt::SkipEmptyParts))
        set.insert(word.toString());
    return set;
}

// One of the bundled name lists: words separated by white space, "#" lines are notes.
QSet<QString> bundledList(const QString &name)
{
    QSet<QString> set;
    QFile file(u":/quorvane/find/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        return set;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.startsWith('#'))
            set.unite(setOf(QString::fromUtf8(line)));
    return set;
}

bool isAlsoAWord(const QString &word)
{
    return WordClasses::shared().isEverydayWord(word) || isNonPersonWord(word) || isPlaceNoun(word);
}

// A list ranked by how many people bear each name, one a line, in rank
// order, each name with whether it is also an everyday word, place, month or
// brand, and whether it is one counting particles and lead words as words.
struct RankedName
{
    QString word;
    bool alsoAWord = false;
    bool alsoAWordStrictly = false;
};
using RankedNames = std::vector<RankedName>;

RankedNames readRanked(const QString &name)
{
    RankedNames names;
    QFile file(u":/quorvane/find/"_s + name);
    if (!file.open(QIODevice::ReadOnly))
        return names;
    const QByteArray data = file.readAll();
    for (qsizetype start = 0; start < data.size();) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line = QByteArrayView(data).sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        RankedName ranked{QString::fromUtf8(line)};
        ranked.alsoAWord = isAlsoAWord(ranked.word);
        ranked.alsoAWordStrictly = ranked.alsoAWord || isNameParticle(ranked.word) || isLeadWord(ranked.word);
        names.push_back(std::move(ranked));
    }
    return names;
}

// Each list is read once: several sets draw on it, and its names are looked
// up in the dictionary, tens of thousands at every start of the program.
const RankedNames &rankedNames(const QString &name)
{
    static const std::map<QString, RankedNames> &lists = *new std::map<QString, RankedNames>{
        {u"givennames-us.txt"_s, readRanked(u"givennames-us.txt"_s)},
        {u"givennames-world.txt"_s, readRanked(u"givennames-world.txt"_s)},
        {u"surnames-us.txt"_s, readRanked(u"surnames-us.txt"_s)},
        {u"surnames-world.txt"_s, readRanked(u"surnames-world.txt"_s)},
    };
    return lists.at(name);
}

// The names of a ranked list that are also words (`ambiguous`) or the others.
// Of the ambiguous ones only the commoner names are kept: a rare surname that
// is a word ("Polo", "Dress") is far more often the word.
//
// The many-country lists also count particles and lead words among the words
// (`strict`): "Per" and "Van" are names there, "per" and "van" far more often not.
QSet<QString> rankedList(const QString &name, bool ambiguous, qsizetype commonNames = 3000, bool strict = false)
{
    const RankedNames &names = rankedNames(name);
    QSet<QString> set;
    set.reserve(ambiguous ? qMin(commonNames, qsizetype(names.size())) : qsizetype(names.size()));
    qsizetype rank = 0;
    for (const RankedName &ranked : names) {
        if (ambiguous && rank >= commonNames)
            break;
        if ((strict ? ranked.alsoAWordStrictly : ranked.alsoAWord) == ambiguous)
            set.insert(ranked.word);
        ++rank;
    }
    return set;
}

// The first `count` names of a ranked list, whatever else they are.
QSet<QString> mostCommon(const QString &name, qsizetype count)
{
    const RankedNames &names = rankedNames(name);
    QSet<QString> set;
    for (const RankedName &ranked : names) {
        if (set.size() >= count)
            break;
        set.insert(ranked.word);
    }
    return set;
}

} // namespace

bool isGivenName(const QString &word)
{
    // One set for one look-up: the lists here, the bundled list and the pools.
    static const WordSet names = [] {
        QSet<QString> set = setOf(
        u"jim jimmy bob bobby rob robbie bill mike mikey dave steve stevie chris tony dan danny sam "
        u"ben alex kate katie kat jen jenny liz lizzie beth meg sue pat jess nick matt tim greg jeff "
        u"ken kenny ron ronnie don donnie rick ricky ted teddy ed eddie jon josh zach nate andy drew "
        u"tina gina vicky vickie becky debbie deb cathy kathy cindy mandy sandy wendy kim tom tommy "
        u"joey phil pete charlie chuck hank fred freddie harry harriet ollie olly max abby abbie "
        u"maddie molly polly sally jill jake luke mitch marcus marco leon ivan igor sergei dmitri "
        u"yuri boris olga svetlana natasha anya hiroshi yuki kenji haruto sakura aiko wei chen ming "
        u"jun hui xin raj rahul anil sunil sunita anita deepak vikram arjun neha pooja ananya "
        u"mohammed muhammad mohamed ahmad hassan hussein khalid fatima aisha layla noor omar yusuf "
        u"chinedu olu oluwaseun tunde ngozi amara kwame kofi ama thabo sipho lars sven björn bjorn "
        u"jürgen jurgen klaus dieter hans petra heike françois francois pierre jacques amélie "
        u"amelie chloé zoë zoé josé jose maría mariana lucía lucia joão joao gonçalo siobhan "
        u"aoife niamh sinead seamus ciaran declan fergus angus morag ailsa hamish connor conor "
        u"aidan brendan kieran liam noel colin colleen maureen eileen bridget kathleen tara "
        u"erin shannon megan meghan kaitlyn caitlin brittany tiffany crystal heather ashley "
        u"courtney chelsea lindsey lindsay whitney morgan taylor jordan casey jamie robin "
        u"leslie lesley dana kelsey kendra keisha tanisha latoya shanice darnell tyrone "
        u"deshawn jamal malik andre terrell marquis dominic vincent vince sal gino carmine "
        u"angelo giuseppe giovanni francesca alessandro matteo luigi paolo stefano sofia "
        u"elena irina katarzyna agnieszka piotr tomasz pawel marek jan jana petr eva "
        u"ingrid astrid freja magnus erik anders nils johan henrik mats ola kari "
        u"ruth esther miriam rebecca rachel leah sarah hannah naomi deborah judith "
        u"aaron abraham isaac jacob levi eli ezra micah caleb joel amos "
        u"gwen gwendolyn rhys owen dylan evan megan bronwyn carys cerys "
        u"derek derrick dwayne duane shane shawn sean travis trevor troy wade warren "
        u"wesley wyatt clint clayton cody cole colton dalton garrett grant gavin "
        u"glen glenn gordon howard hugh ian irene iris ivy jade janelle jasmine "
        u"joanna joanne jocelyn josephine june karla kristen kristin krista kylie lana "
        u"leah lena lillian lorraine louise lucy lydia mabel marcia marjorie marlene "
        u"maxine melanie melinda miranda monica nadine nina norma paige paula "
        u"peggy priscilla regina renee rita roberta rosa rosemary roxanne sabrina "
        u"selena sheila sherry sonia stacy stacey suzanne sylvia tamara tanya tracy "
        u"valerie vanessa veronica vivian wanda yvonne allison alison alicia alyssa "
        u"april audrey autumn bonnie brooke camille carla carrie cassandra claire "
        u"claudia colette connie daisy darlene dawn della desiree dolores edith "
        u"eleanor elaine ellen elsie erica erika estelle eunice faith felicia flora "
        u"florence gail georgia geraldine gina ginger gladys gwen harriet holly hope "
        u"ida inez irma jan janine jeanette jeanne jenna jo jodi josie joy juanita "
        u"leticia lila lola loretta lorna lou luz lynn mae marcy margo marian marie "
        u"marla marsha maura mavis maxine mercedes mildred millie minnie misty nellie "
        u"nora olive opal pearl penny phyllis rae ramona rhonda rosalie rosie ruby "
        u"sadie sallie shelly shelley sonya stella sue susie tammy terri thelma tonya "
        u"trudy ursula velma viola violet virgil wilma adrian alan alfred alvin andres "
        u"angel armando arnold barry bernard bert bradford brett bryce byron calvin "
        u"cecil cedric clarence claude clifford clyde cornelius curtis dale darrell "
        u"darren dean delbert dewey dexter dominick earl edgar edwin elmer emmett "
        u"ernest ervin everett felix floyd forrest francis franklin gene gilbert "
        u"gregg guy harvey herbert herman homer horace hubert ira irving jared jay "
        u"jerome jessie jody johnnie julian julius kirk kurt lance leroy lester lewis "
        u"lionel lloyd lonnie louis lowell lucas luther lyle mack malcolm marc marion "
        u"marshall marvin maurice melvin milton morris murray myron neil nelson "
        u"norman orlando otis percy perry preston quincy ralph ramon randall reginald "
        u"rex ricardo roderick rodney roland roman ross rudolph rudy rufus salvador "
        u"sergio seth sherman sidney simon stanley stuart sylvester terrance "
        u"theodore toby todd tracy tyler vernon victor wallace ward wendell wilbur "
        u"willard willis wilson winston woodrow caroline madeline adeline charlene francine pauline "
        u"jocelyn rosalyn evelyn marilyn gwendolyn kathryn"_s);
        set.unite(bundledList(u"givennames.txt"_s));
        set.unite(rankedList(u"givennames-us.txt"_s, false));
        set.unite(rankedList(u"givennames-world.txt"_s, false, 0, true));
        for (const QStringList *list : {&pools::firstNames(), &commonFirstNames()})
            for (const QString &name : *list)
                set.insert(name.toLower());
        return set;
    }();
    return names.contains(word);
}

bool isSurname(const QString &word)
{
    static const WordSet names = [] {
        QSet<QString> set = setOf(
            u"smith johnson williams brown jones garcia miller davis rodriguez martinez hernandez "
            u"lopez gonzalez wilson anderson thomas taylor moore jackson martin lee perez thompson "
            u"white harris sanchez clark ramirez lewis robinson walker young allen king wright scott "
            u"torres nguyen hill flores green adams nelson baker hall rivera campbell mitchell "
            u"carter roberts gomez phillips evans turner diaz parker cruz edwards collins reyes "
            u"stewart morris morales murphy cook rogers gutierrez ortiz morgan cooper peterson "
            u"bailey reed kelly howard ramos kim cox ward richardson watson brooks chavez wood "
            u"james bennett gray mendoza ruiz hughes price alvarez castillo sanders patel myers "
            u"long ross foster jimenez powell jenkins perry russell sullivan bell coleman butler "
            u"henderson barnes gonzales fisher vasquez simmons romero jordan patterson alexander "
            u"hamilton graham reynolds griffin wallace moreno west cole hayes bryant herrera gibson "
            u"ellis tran medina aguilar stevens murray ford castro marshall owens harrison "
            u"fernandez mcdonald woods washington kennedy wells vargas henry chen freeman webb "
            u"tucker guzman burns crawford olson simpson porter hunter gordon mendez silva shaw "
            u"snyder mason dixon munoz hunt hicks holmes palmer wagner black robertson boyd rose "
            u"stone salazar fox warren mills meyer rice schmidt garza daniels ferguson nichols "
            u"stephens soto weaver ryan gardner payne grant dunn kelley spencer hawkins arnold "
            u"pierce vazquez hansen peters santos hart bradley knight elliott cunningham duncan "
            u"armstrong hudson carroll lane riley andrews alvarado ray delgado berry perkins "
            u"hoffman johnston matthews pena richards willis carpenter lawrence sandoval guerrero "
            u"george chapman rios estrada ortega watkins greene nunez wheeler valdez harper burke "
            u"larson santiago maldonado morrison franklin carlson austin dominguez carr lawson "
            u"jacobs obrien o'brien o’brien lynch singh vega bishop montgomery oliver jensen "
            u"harvey williamson gilbert dean sims espinoza howell li wong reid hanson le mccoy "
            u"garrett burton fuller wang weber welch rojas lucas marquez fields park yang little "
            u"banks padilla day walsh bowman schultz luna fowler mejia davidson acosta brewer may "
            u"holland juarez newman pearson curtis cortez douglas schneider joseph barrett navarro "
            u"figueroa keller avila wade molina stanley hopkins campos barnett bates chambers "
            u"caldwell beck lambert miranda byrd craig ayala lowe frazier powers neal leonard "
            u"gregory carrillo sutton fleming rhodes shelton schwartz norris jennings watts "
            u"duran walters cohen mcdaniel moran parks steele vaughn becker holt deleon barker "
            u"terry hale leon hail benson haynes horton miles lyons pham graves bush thornton "
            u"wolfe warner cabrera mckinney mann zimmerman dawson lara fletcher page mccarthy "
            u"love robles cervantes solis erickson reeves chang klein salinas fuentes baldwin "
            u"daniel simon velasquez hardy higgins aguirre lin cummings chandler sharp barber "
            u"bowen ochoa dennis robbins liu ramsey francis griffith paul blair oconnor o'connor "
            u"cardenas pacheco cross calderon quinn moss swanson chan rivas khan rodgers serrano "
            u"fitzgerald rosales stevenson christensen manning gill curry mclaughlin harmon "
            u"mcgee gross doyle garner newton burgess reese walton blake trujillo adkins brady "
            u"goodman roman webster goodwin fischer huang potter delacruz montoya todd wu hines "
            u"mullins castaneda malone cannon tate mack sherman hubbard hodges zhang guerra wolf "
            u"valencia saunders franco rowe gallagher farmer hammond hampton townsend ingram "
            u"wise gallegos clarke barton schroeder maxwell waters logan camacho strickland "
            u"norman person colon mccormick bauer rowland shah gupta sharma kumar reddy iyer "
            u"rao nair mehta joshi desai kapoor malhotra chopra banerjee chatterjee mukherjee "
            u"das bose ali ahmed hussain rahman hassan ibrahim okafor okonkwo adeyemi mensah "
            u"nakamura tanaka suzuki watanabe sato yamamoto kobayashi ito kato yoshida "
            u"schulz koch richter neumann schwarz zimmermann krüger kruger hofmann hartmann "
            u"dubois lefebvre moreau laurent bernard rousseau fontaine rossi russo ferrari "
            u"esposito bianchi romano colombo ricci marino greco conti costa ferreira "
            u"oliveira pereira almeida carvalho nowak kowalski wiśniewski wisniewski "
            u"kowalczyk ivanov petrov smirnov popov sokolov novak horvat kovacs nagy "
            u"andersson johansson karlsson nilsson eriksson larsson hansen olsen "
            u"o'neil o’neil oneil o'neill o’neill mcallister macdonald mackenzie "
            u"fitzpatrick donnelly gallagher kavanagh brennan byrne kennedy "
            u"whitfield whitaker hargrove ashford pemberton holloway"_s);
        for (const QString &name : pools::lastNames())
            set.insert(name.toLower());
        set.unite(bundledList(u"surnames.txt"_s));
        set.unite(rankedList(u"surnames-us.txt"_s, false));
        set.unite(rankedList(u"surnames-world.txt"_s, false, 0, true));
        return set;
    }();
    return names.contains(word);
}

bool isAmbiguousGivenName(const QString &word)
{
    // The first four thousand of the many-country list are those that two or
    // more countries list ("Per", "Rune").
    static const WordSet names =
        rankedList(u"givennames-us.txt"_s, true) | rankedList(u"givennames-world.txt"_s, true, 4000, true);
    return names.contains(word);
}

bool isCommonGivenName(const QString &word)
{
    // Past the first fifteen hundred, the lists hold surnames given as first
    // names ("Johnson", "Hale") more than names people are called by.
    static const WordSet names = bundledList(u"givennames.txt"_s) | mostCommon(u"givennames-us.txt"_s, 1500)
        | mostCommon(u"givennames-world.txt"_s, 1500);
    return names.contains(word);
}

bool isRareAmbiguousGivenName(const QString &word)
{
    // Virtues, birds, plants and stones that parents pick as names: too rare
    // for the census lists, too often the word to be a name on their own.
    static const WordSet names = rankedList(u"givennames-us.txt"_s, true, std::numeric_limits<qsizetype>::max())
        | setOf(u"hero clemency temperance verity prudence patience charity mercy honor honour felicity constance "
                u"modesty unity liberty harmony serenity trinity linnet wren lark robin juniper briar bryony saffron "
                u"sorrel marigold primrose daisy iris jasmine posy clover fern holly rowan laurel ruby pearl opal "
                u"jade coral garnet beryl");
    return names.contains(word);
}

bool isAmbiguousSurname(const QString &word)
{
    static const WordSet names =
        rankedList(u"surnames-us.txt"_s, true) | rankedList(u"surnames-world.txt"_s, true, 3000, true);
    return names.contains(word);
}

bool isTitle(const QString &word)
{
    static const WordSet words = setOf(
        u"mr mrs ms miss mx dr prof professor sir madam dame lady lord rev revd reverend fr father "
        u"sister brother capt captain sgt sergeant lt officer detective judge coach nurse "
        u"uncle aunt auntie grandma grandpa pt np rn attorney atty engineer "
        u"cllr councillor col colonel cpl corporal insp inspector supt hhj rabbi imam pte cmdr "
        u"frau herr señor señora senhor senhora monsieur madame mme mlle signor signora "
        u"pastor deacon elder г-н г-на г-ну г-жа г-жи г-же господин господина господину госпожа госпожи "
        u"пан пана пану панові пані κ κα κος κυρία κύριος κυρίου κυρίας"_s);
    return words.contains(word);
}

bool isLeadWord(const QString &word)
{
    static const WordSet words = setOf(
        u"with from per by cc bcc attn via to for ask asked asking tell told telling call called "
        u"calling knows met meet meeting thanks thank ty sister brother mom dad mother father "
        u"wife husband son daughter friend boss colleague coworker neighbor neighbour cousin "
        u"partner fiancé fiance fiancee girlfriend boyfriend cover covering pair paired and "
        u"emailed texted messaged pinged phoned spoke speak speaking talked talking reached "
        u"contacted contact client customer tenant patient owner rep agent tech technician "
        u"manager supervisor assigned assignee escalated forwarded introduced invited "
        u"reminded remind tag cc'd cc’d thx congrats welcome visiting visited seeing saw "
        u"ping email text dm reply replied sign signed let loop looped under "
        u"hi hello hey dear greetings congratulations ring rang best regards cheers "
        u"proposed seconded nominated"_s);
    return words.contains(word);
}

bool isActionVerb(const QString &word)
{
    static const WordSet words = setOf(
        u"said says wrote writes called calls asked asks told tells replied replies mentioned "
        u"mentions emailed texted messaged phoned rang confirmed confirms wants wanted needs "
        u"needed will would can could should might must is was has had left leaves paid pays "
        u"signed agreed agrees prefers preferred loves loved likes liked cancelled canceled "
        u"booked reported reports complained complains requested requests approved approves "
        u"noted notes thinks thought explained explains added adds suggested suggests sent "
        u"sends dropped picked came comes stopped returned joined started finished handled "
        u"took takes gave gives got gets noticed promised declined accepted ordered visited "
        u"responded answered wondered worried moved lives lived works worked decided decides "
        u"forgot forgets remembered arrived arrives missed misses owes owed spoke speaks "
        u"recommended referred approved disputed claimed insisted insists checked checks "
        u"signed scheduled rescheduled shared shares uploaded submitted filed opened closed "
        u"reviewed updated fixed broke found met meets hopes hoped feels felt "
        u"seems seemed knows knew understands understood did does isn't wasn't doesn't didn't "
        u"won't can't hasn't elected re-elected appointed chaired "
        // Reporting what someone said: "as Branwen pointed out".
        u"pointed argued warned stressed reminded clarified recalled admitted acknowledged "
        // Irregular pasts, which the dictionary lists only as their verbs.
        u"went flew drove rode ran brought bought caught taught sold held kept stood lost made spent wore woke shook "
        u"saw heard"_s);
    return words.contains(word);
}

bool isOpener(const QString &word)
{
    static const WordSet words = setOf(
        u"hi hello hey hiya heya howdy dear thanks thank cheers regards best sincerely yo greetings morning "
        u"afternoon evening good ok okay yes no please pls fyi fwiw note update re fwd fw "
        u"ps urgent important reminder todo done also but and so then later maybe "
        u"called call ask asked tell told met spoke emailed texted per attn cc"_s);
    return words.contains(word);
}

bool isNonPersonWord(const QString &word)
{
    static const WordSet words = setOf(
        // Calendar.
        u"january february march april may june july august september october november "
        u"december jan feb mar apr jun jul aug sep sept oct nov dec monday tuesday wednesday "
        u"thursday friday saturday sunday mon tue tues wed thu thur thurs fri sat sun "
        u"christmas easter thanksgiving halloween hanukkah ramadan diwali eid "
        // What ends or names an organisation.
        u"inc llc ltd corp corporation co company companies group bank university college "
        u"school academy hospital clinic center centre services service solutions systems "
        u"technologies technology tech labs lab partners associates foundation institute "
        u"hotel motel inn airlines airline airways insurance realty properties holdings "
        u"industries international consulting logistics pharmacy dental medical health "
        u"church library museum department dept office agency council committee club "
        u"restaurant cafe café bakery market store shop mall plaza studio studios media "
        u"news press times journal gmbh ag sa plc llp pc "
        // Bank and tax codes written in capitals before a number.
        u"iban bic vat ein ssn "
        // Brands and services people name in notes.
        u"google gmail apple iphone ipad mac macbook microsoft windows outlook excel word "
        u"teams amazon aws prime netflix spotify facebook instagram whatsapp twitter tiktok "
        u"linkedin youtube zoom slack salesforce hubspot zendesk jira confluence trello "
        u"asana notion dropbox github gitlab paypal venmo zelle stripe square shopify ebay "
        u"etsy uber lyft doordash grubhub airbnb fedex ups usps dhl walmart target costco "
        u"kroger walgreens cvs ikea starbucks mcdonalds verizon comcast xfinity "
        u"t-mobile sprint tesla toyota honda ford chevy chevrolet nissan bmw audi volvo "
        u"visa mastercard amex chase wells fargo citi citibank android samsung dell lenovo "
        u"hp intel nvidia adobe oracle sap ibm cisco "
        // Places.
        u"america usa us uk england britain scotland wales ireland canada mexico france "
        u"germany spain italy portugal china japan india brazil australia europe asia africa "
        u"alabama alaska arizona arkansas california colorado connecticut delaware florida "
        u"hawaii idaho illinois indiana iowa kansas kentucky louisiana maine maryland "
        u"massachusetts michigan minnesota mississippi missouri montana nebraska nevada "
        u"ohio oklahoma oregon pennsylvania tennessee texas utah vermont wisconsin wyoming "
        u"new york la los angeles san francisco diego jose antonio chicago houston phoenix "
        u"philadelphia dallas austin seattle denver boston atlanta miami portland detroit "
        u"nashville memphis baltimore milwaukee albuquerque tucson fresno sacramento "
        u"oakland minneapolis cleveland tampa orlando pittsburgh cincinnati london paris "
        u"berlin madrid rome tokyo toronto vancouver sydney dublin amsterdam brooklyn "
        u"manhattan queens bronx jersey vegas brighton georgia jordan lincoln madison dakota kent "
        u"chelsea preston memphis milan india egypt sonoma cheyenne adelaide victoria lorraine "
        u"singapore dubai doha abu dhabi reykjavík reykjavik lagos abuja nairobi cairo tehran "
        u"tbilisi kyiv moscow warsaw prague vienna zurich geneva munich hamburg lyon milano roma "
        u"osaka kyoto seoul beijing shanghai hanoi bangkok manila jakarta mumbai delhi bangalore "
        u"karachi lahore riyadh jeddah istanbul ankara athens lisbon porto barcelona valencia "
        u"seville bogotá bogota lima santiago caracas havana montreal quebec québec ottawa calgary "
        u"edmonton winnipeg perth melbourne brisbane auckland wellington honolulu maui oaxaca "
        u"tallahassee kissimmee durham raleigh charlotte savannah aspen vail boulder cupertino "
        u"paradise normal nice bath bristol leeds manchester liverpool glasgow edinburgh cardiff "
        u"belfast cork galway utrecht rotterdam antwerp brussels ghent gent kraków krakow gdynia "
        u"belgrade tirana innsbruck lebanon amman kuala lumpur penang kwun tong addis ababa "
        u"hollywood harley davidson lamborghini urus kia sorento bonvoy marriott mcdonald navigator "
        u"quietcomfort ecotank vertuo nespresso epson bose canon guinness nike dior cartier "
        u"tesla valentine's valentine cyber tet losar fy "
        // Large banks, insurers, software firms, grocers, chains, carriers and
        // makers of food and drink, leaving out those that are also names or words.
        u"barclays hsbc natwest santander nationwide revolut rbs allianz axa prudential metlife geico allstate "
        u"aetna cigna humana bupa hiscox generali mapfre rabobank bnp paribas unicredit intesa commerzbank ubs "
        u"blackrock nasdaq atlassian fujitsu accenture deloitte kpmg pwc capgemini infosys wipro cognizant "
        u"workday servicenow twilio cloudflare datadog splunk vmware citrix autodesk intuit quickbooks xero "
        u"paychex docusign canva figma mailchimp squarespace godaddy albertsons safeway publix wegmans aldi "
        u"lidl tesco asda morrisons waitrose ocado argos currys primark uniqlo ulta macys kohls menards "
        u"petsmart petco chewy wayfair rakuten alibaba taobao lazada shopee flipkart panera chipotle dominos "
        u"popeyes chickfila nandos pret wagamama itsu krispy vodafone telstra optus tmobile telefonica movistar "
        u"lufthansa ryanair easyjet emirates qantas klm aeroflot iberia alitalia etihad jetblue exxon "
        u"exxonmobil chevron conocophillips petrobras aramco totalenergies equinor unilever nestle nestlé "
        u"danone heineken carlsberg diageo pepsico pepsi cocacola "
        // Other large cities of the United States, Canada, Britain, Ireland and
        // Oceania, leaving out those that are also given names or surnames.
        u"aberdeen allentown arlington bloomington bournemouth brampton canberra chesapeake "
        u"christchurch clarksville coventry duluth dundee dunedin exeter fayetteville frankfort "
        u"geelong halifax joliet kelowna kenosha laval leicester lexington limerick mississauga "
        u"murfreesboro naperville newcastle norwich ontario peoria plymouth portsmouth provo "
        u"rockford saskatoon southampton surrey swansea syracuse waterford wilmington wollongong "
        u"wolverhampton yonkers moines "
        // Countries and regions, some of them also given names.
        u"afghanistan albania algeria andorra angola argentina armenia austria azerbaijan bahamas "
        u"bahrain bangladesh barbados belarus belgium belize benin bhutan bolivia bosnia botswana "
        u"brunei bulgaria burundi cambodia cameroon chad chile colombia comoros congo croatia cuba "
        u"cyprus czechia denmark djibouti dominica ecuador eritrea estonia eswatini ethiopia fiji "
        u"finland gabon gambia ghana greece grenada guatemala guinea guyana haiti honduras hungary "
        u"iceland indonesia iran iraq israel jamaica kazakhstan kenya kiribati kosovo kuwait "
        u"kyrgyzstan laos latvia lesotho liberia libya liechtenstein lithuania luxembourg madagascar "
        u"malawi malaysia maldives mali malta mauritania mauritius micronesia moldova monaco "
        u"mongolia montenegro morocco mozambique myanmar namibia nauru nepal netherlands nicaragua "
        u"niger nigeria norway oman pakistan palau palestine panama paraguay peru philippines poland "
        u"qatar romania russia rwanda samoa senegal serbia seychelles slovakia slovenia somalia "
        u"sudan suriname sweden switzerland syria taiwan tajikistan tanzania thailand togo tonga "
        u"trinidad tunisia turkey turkmenistan tuvalu uganda ukraine uruguay uzbekistan vanuatu "
        u"venezuela vietnam yemen zambia zimbabwe africa antarctica arctic caribbean siberia "
        u"scandinavia bavaria tuscany provence catalonia andalusia patagonia kashmir punjab bengal "
        u"aurora helena savannah brooklyn cheyenne phoenix denver siena verona geneva sierra "
        // Countries as their own people write them.
        u"italia deutschland españa espana sverige norge danmark suomi polska nederland schweiz suisse "
        u"österreich osterreich brasil méxico magyarország česko hrvatska türkiye éire "
        // State capitals and large cities of the United States.
        u"juneau hartford honolulu boise springfield indianapolis topeka annapolis trenton albany "
        u"bismarck harrisburg montpelier tallahassee sacramento louisville jacksonville omaha tulsa "
        u"wichita bakersfield anaheim riverside scottsdale glendale spokane tacoma anchorage toledo "
        u"akron newark chattanooga knoxville greensboro norfolk hialeah huntsville shreveport lubbock "
        u"laredo amarillo plano fremont modesto oxnard pasadena sunnyvale flagstaff tempe fresno "
        u"charleston providence lauderdale petersburg corpus christi baton rouge moines "
        // Large cities elsewhere.
        u"shenzhen guangzhou chengdu wuhan tianjin chongqing hangzhou nanjing suzhou taipei kaohsiung "
        u"saigon dhaka kolkata chennai hyderabad pune ahmedabad kinshasa johannesburg casablanca "
        u"tunis algiers accra dakar luanda khartoum baghdad kabul tashkent almaty baku yerevan minsk "
        u"bucharest budapest zagreb ljubljana bratislava helsinki stockholm oslo copenhagen riga "
        u"tallinn vilnius marseille toulouse nantes bordeaux lille strasbourg frankfurt cologne köln "
        u"stuttgart düsseldorf dusseldorf dresden leipzig napoli naples torino turin bologna palermo "
        u"guadalajara monterrey tijuana quito guayaquil montevideo medellín medellin"_s);
    return words.contains(word);
}

namespace {

const WordSet &personNamedBrands()
{
    static const WordSet brands{
        u"calvin klein"_s, u"hugo boss"_s, u"kate spade"_s, u"vera wang"_s, u"charles schwab"_s,
        u"paul smith"_s, u"harry potter"_s, u"tim hortons"_s, u"sara lee"_s, u"walt disney"_s,
        u"johns hopkins"_s, u"ronald mcdonald"_s, u"jack daniel"_s, u"captain morgan"_s, u"morgan stanley"_s,
        u"wells fargo"_s, u"martens"_s, u"uncle ben"_s, u"king arthur"_s, u"queen elizabeth"_s,
        u"prince albert"_s, u"george washington"_s, u"charles de gaulle"_s, u"simón bolívar"_s,
        // A lone given name ("thanks Lloyd", "ask Wendy") is a person; the
        // brand it starts or ends is listed whole.
        u"marks"_s, u"young"_s, u"dunkin donuts"_s, u"trader joe"_s,
        u"arby"_s, u"victoria's"_s, u"victoria secret"_s, u"lloyd's"_s, u"tommy hilfiger"_s,
        u"ralph lauren"_s, u"estée lauder"_s, u"estee lauder"_s, u"louis vuitton"_s, u"coco chanel"_s,
        u"ben jerry"_s, u"aston martin"_s, u"land rover"_s, u"winnie the pooh"_s, u"wallace gromit"_s, u"gromit"_s,
        u"little caesars"_s, u"uncle bud"_s, u"mother"_s, u"grandma"_s, u"holiday inn"_s, u"carnegie"_s,
        u"empire state"_s, u"marriott"_s, u"trump"_s, u"levi strauss"_s, u"navy federal"_s,
        // Fashion and beauty.
        u"ben sherman"_s,
        u"stella mccartney"_s, u"vivienne westwood"_s, u"alexander mcqueen"_s, u"tory burch"_s,
        u"marc jacobs"_s, u"giorgio armani"_s, u"donna karan"_s, u"oscar de la renta"_s,
        u"yves saint laurent"_s, u"christian louboutin"_s, u"jimmy choo"_s,
        u"karl lagerfeld"_s, u"anne klein"_s, u"betsey johnson"_s, u"vera bradley"_s, u"steve madden"_s,
        u"kenneth cole"_s, u"eddie bauer"_s, u"laura ashley"_s, u"tom ford"_s, u"alexander wang"_s,
        u"elizabeth arden"_s, u"mary kay"_s, u"max factor"_s, u"helena rubinstein"_s,
        u"charlotte tilbury"_s, u"bobbi brown"_s, u"salvatore ferragamo"_s, u"van cleef"_s,
        u"harry winston"_s, u"david yurman"_s, u"tommy bahama"_s, u"helly hansen"_s, u"jack wolfskin"_s,
        u"jack wills"_s, u"dolce gabbana"_s, u"emilio pucci"_s, u"john varvatos"_s, u"ted lapidus"_s,
        // Banks, insurers and firms.
        u"merrill lynch"_s, u"john hancock"_s, u"arthur andersen"_s, u"price waterhouse"_s, u"franklin templeton"_s,
        u"fannie mae"_s, u"freddie mac"_s, u"sallie mae"_s, u"charles river"_s, u"jp morgan"_s,
        u"lloyds"_s, u"baker mckenzie"_s, u"allen overy"_s, u"clifford chance"_s, u"ernst young"_s,
        u"benjamin moore"_s, u"black decker"_s, u"smith wesson"_s, u"smith nephew"_s, u"john deere"_s,
        u"hewlett packard"_s, u"hewlett-packard"_s, u"rolls royce"_s, u"rolls-royce"_s,
        u"alfa romeo"_s, u"warner bros"_s, u"thomas cook"_s, u"william hill"_s, u"paddy power"_s, u"barnes noble"_s,
        u"marks spencer"_s, u"james hardie"_s, u"johnson matthey"_s,
        // Food, drink and restaurants.
        u"ben jerry"_s, u"papa john"_s,
        u"betty crocker"_s, u"aunt jemima"_s, u"chef boyardee"_s,
        u"orville redenbacher"_s, u"jimmy dean"_s, u"marie callender"_s, u"duncan hines"_s,
        u"jim beam"_s, u"johnnie walker"_s, u"jose cuervo"_s, u"baskin robbins"_s, u"bob evans"_s,
        u"ruth chris"_s, u"colonel sanders"_s, u"carl jr"_s,
        // Shops and brands written with a possessive.
        u"dillard's"_s, u"sainsbury's"_s,
        u"sotheby's"_s, u"christie's"_s, u"arby's"_s, u"denny's"_s, u"applebee's"_s, u"hardee's"_s,
        u"culver's"_s, u"mcdonald's"_s, u"wendy's"_s, u"selfridge's"_s, u"harrod's"_s, u"kiehl's"_s,
        u"newman's"_s,
        // More shops, makers and days named after people.
        u"herman miller"_s, u"ferrero rocher"_s, u"harvey nichols"_s, u"harvey norman"_s, u"david jones"_s,
        u"lane bryant"_s, u"ann taylor"_s, u"eileen fisher"_s, u"brooks brothers"_s, u"tommy john"_s,
        u"john frieda"_s, u"paul mitchell"_s, u"charles tyrwhitt"_s, u"thomas pink"_s, u"mary quant"_s,
        u"ann summers"_s, u"rebecca minkoff"_s, u"michael hill"_s, u"dick smith"_s, u"gerry weber"_s,
        u"emporio armani"_s, u"roberto cavalli"_s, u"christian lacroix"_s, u"pierre cardin"_s,
        u"jean paul gaultier"_s, u"paco rabanne"_s, u"nina ricci"_s, u"guy laroche"_s, u"max mara"_s,
        u"wolfgang puck"_s, u"gordon ramsay"_s, u"jamie oliver"_s, u"jenny craig"_s, u"mrs fields"_s,
        u"williams sonoma"_s, u"williams-sonoma"_s, u"joseph joseph"_s, u"martin luther king"_s,
        u"walt disney world"_s, u"guy fawkes"_s, u"dave thomas"_s, u"papa murphy"_s,
        // Department stores, fashion and homeware.
        u"john lewis"_s, u"michael kors"_s, u"ted baker"_s, u"karen millen"_s,
        u"jo malone"_s, u"kurt geiger"_s, u"fred perry"_s, u"joe fresh"_s,
        u"thomas sabo"_s, u"georg jensen"_s, u"perry ellis"_s, u"liz claiborne"_s, u"stuart weitzman"_s,
        u"sam edelman"_s, u"diane von furstenberg"_s, u"carolina herrera"_s, u"jil sander"_s,
        u"tom tailor"_s, u"john smedley"_s, u"laura mercier"_s, u"vidal sassoon"_s,
        u"toni guy"_s, u"nicky clarke"_s, u"russell hobbs"_s, u"morphy richards"_s, u"neiman marcus"_s,
        u"bergdorf goodman"_s, u"fortnum mason"_s, u"marshall field"_s,
        u"harris scarfe"_s, u"peek cloppenburg"_s, u"oliver peoples"_s,
        // Food and drink.
        u"jimmy john"_s, u"long john silver"_s, u"samuel adams"_s,
        u"oscar mayer"_s, u"little debbie"_s, u"jack link"_s,
        u"william lawson"_s, u"jack daniels"_s, u"dave busters"_s, u"peter pan"_s,
        // Cars and machines.
        u"mercedes benz"_s, u"mercedes-benz"_s, u"harley davidson"_s, u"harley-davidson"_s,
        u"bang olufsen"_s, u"philip morris"_s, u"procter gamble"_s,
        u"johnson johnson"_s, u"colgate palmolive"_s, u"stanley black decker"_s,
        // Banks, brokers, law and accounting firms.
        u"goldman sachs"_s, u"lehman brothers"_s,
        u"salomon brothers"_s, u"bear stearns"_s, u"paine webber"_s, u"dean witter"_s,
        u"hargreaves lansdown"_s, u"brown brothers harriman"_s,
        u"grant thornton"_s, u"booz allen"_s, u"booz allen hamilton"_s,
        u"norton rose"_s, u"simmons simmons"_s, u"pinsent masons"_s, u"hogan lovells"_s,
        u"latham watkins"_s, u"sullivan cromwell"_s, u"skadden arps"_s, u"davis polk"_s,
        u"kirkland ellis"_s, u"slaughter may"_s, u"eversheds sutherland"_s, u"dla piper"_s};
    return brands;
}

} // namespace

bool isFirmEnding(const QString &word)
{
    static const WordSet words{
        u"inc"_s, u"llc"_s, u"ltd"_s, u"limited"_s, u"corp"_s, u"gmbh"_s, u"plc"_s, u"llp"_s, u"pty"_s,
        u"plumbing"_s, u"roofing"_s, u"electrical"_s, u"electric"_s, u"heating"_s, u"motors"_s,
        u"construction"_s, u"cleaning"_s, u"landscaping"_s, u"builders"_s, u"joinery"_s, u"carpentry"_s,
        u"decorating"_s, u"removals"_s, u"haulage"_s, u"transport"_s, u"freight"_s, u"flooring"_s,
        u"glazing"_s, u"interiors"_s, u"catering"_s, u"autos"_s, u"accountants"_s, u"surveyors"_s,
        u"estates"_s, u"lettings"_s, u"furniture"_s, u"textiles"_s, u"foods"_s, u"farms"_s, u"brewery"_s,
        u"roasters"_s, u"florist"_s, u"florists"_s, u"opticians"_s, u"solicitors"_s, u"bros"_s,
        u"brothers"_s, u"contractors"_s, u"supplies"_s, u"supply"_s, u"hardware"_s, u"printing"_s,
        u"legal"_s, u"law"_s, u"architects"_s, u"design"_s, u"digital"_s, u"consultancy"_s, u"recruitment"_s,
        u"property"_s, u"homes"_s, u"developments"_s, u"engineering"_s, u"electronics"_s, u"pharma"_s,
        u"bakery"_s, u"dairy"_s, u"tires"_s, u"tyres"_s, u"windows"_s, u"doors"_s, u"kitchens"_s, u"garage"_s,
        u"pharmacy"_s, u"dental"_s, u"insurance"_s, u"logistics"_s, u"couriers"_s, u"security"_s, u"tiles"_s,
        u"timber"_s, u"fencing"_s, u"rentals"_s, u"hire"_s, u"storage"_s, u"systems"_s, u"solutions"_s,
        u"technologies"_s, u"software"_s, u"labs"_s, u"partners"_s, u"associates"_s, u"group"_s,
        u"holdings"_s, u"consulting"_s, u"services"_s, u"brokers"_s, u"jewellers"_s, u"jewelers"_s,
        u"chemists"_s, u"tailors"_s, u"veterinary"_s, u"coaches"_s, u"studios"_s, u"publishing"_s,
        u"investments"_s, u"advisers"_s, u"advisors"_s, u"wealth"_s, u"capital"_s, u"works"_s,
        u"homecare"_s, u"healthcare"_s, u"chandlery"_s, u"chandlers"_s, u"nurseries"_s, u"cleaners"_s,
        u"upholstery"_s, u"scaffolding"_s, u"launderette"_s, u"laundrette"_s};
    return words.contains(word);
}

bool isPersonNamedBrand(const QString &words)
{
    return personNamedBrands().contains(words);
}

bool mayStartPersonNamedBrand(const QString &word)
{
    static const WordSet firstWords = [] {
        QSet<QString> set;
        personNamedBrands().forEach([&](QStringView brand) { set.insert(brand.toString().section(u' ', 0, 0)); });
        return set;
    }();
    return firstWords.contains(word);
}

namespace {

// Words of a place joined by "_" so that one space-separated list holds them.
QSet<QString> phrasesOf(QStringView words)
{
    QSet<QString> phrases;
    for (const QString &phrase : setOf(words))
        phrases.insert(QString(phrase).replace(u'_', u' '));
    return phrases;
}

// Every country in English and in each of its languages, as Qt's locale data
// writes them ("deutschland", "sverige", "việt nam").
QSet<QString> countryNames()
{
    QSet<QString> names;
    const auto locales = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        names.insert(QLocale::territoryToString(locale.territory()).toLower());
        names.insert(locale.nativeTerritoryName().toLower());
    }
    names.remove(QString());
    return names;
}

} // namespace

bool isWorldPlace(const QString &words)
{
    static const WordSet places = [] {
        QSet<QString> set = countryNames();
        set.unite(phrasesOf(
            // Europe.
            u"wien münchen muenchen köln koeln nürnberg nuernberg göteborg goteborg malmö malmo københavn kobenhavn "
            u"aarhus århus uppsala sevilla málaga zaragoza córdoba valència bilbao a_coruña donostia alicante murcia "
            u"las_palmas lisboa coimbra firenze venezia genova napoli torino milano roma bologna palermo catania "
            u"trieste padova bruxelles brussel antwerpen gent liège luik den_haag 's-gravenhage eindhoven groningen "
            u"tilburg almere praha brno ostrava warszawa kraków łódź lodz wrocław wroclaw poznań poznan gdańsk gdansk "
            u"szczecin bydgoszcz lublin katowice bucurești bucuresti cluj-napoca timișoara timisoara iași constanța "
            u"sofiya beograd novi_sad zagreb ljubljana sarajevo skopje tiranë athína athina thessaloníki thessaloniki "
            u"lefkosia izmir bursa antalya moskva sankt-peterburg kyiv kiev kharkiv odesa odessa lviv dnipro minsk "
            u"vilnius kaunas rīga tallinn tartu helsinki helsingfors espoo tampere turku åbo oslo trondheim stavanger "
            u"reykjavík genève geneve genf zürich zurich basel bâle bern lausanne luzern lugano salzburg graz linz "
            u"innsbruck luxemburg marseille lyon toulouse nantes strasbourg montpellier rennes reims le_havre "
            u"grenoble dijon nîmes aix-en-provence frankfurt_am_main düsseldorf dortmund essen bremen hannover "
            u"duisburg bochum wuppertal bielefeld bonn münster mannheim karlsruhe augsburg wiesbaden mainz "
            u"freiburg kiel lübeck rostock erfurt magdeburg potsdam chemnitz debrecen szeged pécs bratislava košice "
            // Asia and the Middle East.
            u"hà_nội ha_noi hồ_chí_minh ho_chi_minh sài_gòn đà_nẵng da_nang danang hải_phòng hai_phong cần_thơ "
            u"can_tho nha_trang vũng_tàu hạ_long ha_long phnom_penh siem_reap vientiane yangon mandalay naypyidaw "
            u"chiang_mai phuket pattaya kuala_lumpur johor_bahru ipoh kota_kinabalu kuching surabaya bandung medan "
            u"semarang yogyakarta denpasar makassar quezon_city cebu davao makati taichung tainan kaohsiung "
            u"hong_kong kowloon macau macao yokohama nagoya sapporo fukuoka kobe kawasaki sendai hiroshima busan "
            u"incheon daegu daejeon gwangju ulsan ulaanbaatar astana bishkek dushanbe ashgabat samarkand kathmandu "
            u"thimphu colombo kandy chittagong chattogram islamabad rawalpindi faisalabad peshawar new_delhi "
            u"bengaluru jaipur lucknow kanpur nagpur indore bhopal patna vadodara ludhiana agra nashik kochi cochin "
            u"thiruvananthapuram coimbatore madurai visakhapatnam chandigarh guwahati kandahar herat mashhad "
            u"isfahan esfahan tabriz shiraz basra mosul erbil damascus dimashq aleppo beirut bayrut tel_aviv haifa "
            u"makkah mecca medina madinah dammam kuwait_city manama sharjah muscat "
            // Africa.
            u"giza rabat marrakech marrakesh fès tanger tangier alger tripoli benghazi addis_ababa addis_abeba "
            u"mombasa kampala kigali dar_es_salaam dodoma zanzibar lusaka harare bulawayo maputo lilongwe blantyre "
            u"gaborone windhoek pretoria tshwane durban cape_town kaapstad gqeberha bloemfontein ibadan "
            u"port_harcourt kumasi abidjan yamoussoukro bamako ouagadougou niamey conakry freetown monrovia lomé "
            u"cotonou douala yaoundé yaounde libreville brazzaville antananarivo mogadishu asmara "
            // The Americas and Oceania.
            u"ciudad_de_méxico cdmx puebla cancún cancun mérida san_salvador tegucigalpa managua la_habana "
            u"santo_domingo port-au-prince barranquilla cartagena maracaibo arequipa cusco cuzco la_paz "
            u"asunción asuncion buenos_aires rosario valparaíso são_paulo sao_paulo rio_de_janeiro brasília "
            u"brasilia fortaleza belo_horizonte manaus curitiba recife porto_alegre belém goiânia campinas "
            u"florianópolis montréal hobart gold_coast suva port_moresby nouméa papeete apia"_s));
        return set;
    }();
    return places.contains(words);
}

bool isModelMaker(const QString &word)
{
    static const WordSet makers = setOf(
        // Cars, vans and lorries.
        u"abarth acura alfa audi bentley bmw bugatti buick cadillac chevrolet chevy chrysler citroen citroën "
        u"cupra dacia daewoo daihatsu dodge ferrari fiat gmc holden honda hummer hyundai infiniti isuzu jaguar "
        u"jeep kia lada lamborghini lancia lexus maserati maybach mazda mclaren mitsubishi nissan opel peugeot "
        u"polestar pontiac porsche renault rivian saab skoda škoda subaru suzuki tesla toyota vauxhall volkswagen "
        u"vw volvo byd geely chery scania iveco daf "
        // Appliances, boilers and electronics.
        u"bosch siemens miele neff aeg electrolux whirlpool beko hotpoint indesit zanussi smeg dyson kenwood "
        u"delonghi panasonic philips sony samsung hisense haier toshiba hitachi braun fujitsu daikin vaillant "
        u"nespresso breville sage ninja vax hoover shark roomba garmin fitbit logitech canon nikon epson "
        // Instruments.
        u"fender gibson yamaha roland korg ibanez steinway"_s);
    return makers.contains(word);
}

bool isAnimalCareWord(const QString &word)
{
    static const WordSet words = setOf(
        u"neuter neutered neutering spay spayed spaying castrate castration lepto leptospirosis kennel kennels "
        u"cattery microchip microchipped worming wormer dewormer flea fleas veterinary groomer groomers kibble "
        u"walkies grooming groomed harness leash muzzle vet vets"_s);
    return words.contains(word);
}

bool isFestival(const QString &words)
{
    static const WordSet festivals = phrasesOf(
        u"mardi_gras shrove_tuesday ash_wednesday good_friday easter_monday holy_week palm_sunday whitsun pentecost "
        u"lent advent epiphany candlemas hogmanay bonfire_night guy_fawkes_night burns_night oktoberfest carnival "
        u"carnaval karneval fasching passover pesach rosh_hashanah yom_kippur sukkot purim shavuot hanukkah "
        u"chanukah kwanzaa juneteenth cinco_de_mayo día_de_los_muertos dia_de_los_muertos semana_santa "
        u"chinese_new_year lunar_new_year golden_week obon chuseok seollal songkran holi navratri dussehra "
        u"diwali deepavali onam pongal vesak nowruz eid_al-fitr eid_al-adha eid_ul-fitr eid_ul-adha "
        u"midsummer walpurgis sinterklaas saint_nicholas st_nicholas all_saints all_souls"_s);
    return festivals.contains(words);
}

bool isBookOfScripture(const QString &word)
{
    static const WordSet books = setOf(
        u"genesis exodus leviticus numbers deuteronomy joshua judges ruth samuel kings chronicles ezra nehemiah "
        u"esther job psalm psalms proverbs ecclesiastes isaiah jeremiah lamentations ezekiel daniel hosea joel amos "
        u"obadiah jonah micah nahum habakkuk zephaniah haggai zechariah malachi matthew mark luke john acts romans "
        u"corinthians galatians ephesians philippians colossians thessalonians timothy titus philemon hebrews "
        u"james peter jude revelation"_s);
    return books.contains(word);
}

bool isPlaceNoun(const QString &word)
{
    static const WordSet words = setOf(
        u"st street rd road ave avenue ln lane dr drive blvd boulevard pl place cres crescent ct court "
        u"way hwy highway sq square ter terrace pkwy parkway park hill hills bay cove pier station "
        u"airport bridge marina winery dealership center centre hall hospital house tower building "
        u"garden gardens valley beach heights falls springs island islands county city town village "
        u"district depot branch office warehouse store shop mall plaza resort hotel stadium arena "
        u"university college school church cathedral museum theatre theater library square market mansions "
        u"manor quay wharf mews clinic palace abbey priory gallery pavilion "
        u"harbour harbor docks cemetery racecourse "
        // Farms and the rural ends of lanes: "Long Meadow Farm", "Lane End".
        u"farm farms cottage cottages barn orchard estate end yard "
        // Public services named after their town, and the lines and stops of transit.
        u"pd fd precinct borough parish junction terminal campus line"_s);
    return words.contains(word);
}

bool isPlacePreposition(const QString &word)
{
    static const WordSet words = setOf(u"in at near into across outside inside around toward towards"_s);
    return words.contains(word);
}

bool isNameParticle(const QString &word)
{
    static const WordSet words = setOf(u"van von der den de del della da di du la le las los al el bin ibn bint abu ter ten te op do dos das mac ap dei degli zu y ó ní nic uí"_s);
    return words.contains(word);
}

const QStringList &commonFirstNames()
{
    static const QStringList list = QString(
        u"James John Robert Michael William David Richard Joseph Thomas Charles Christopher Daniel "
        u"Matthew Anthony Mark Donald Steven Paul Andrew Joshua Kenneth Kevin Brian George Timothy Ronald "
        u"Edward Jason Jeffrey Ryan Jacob Gary Nicholas Eric Jonathan Stephen Larry Justin Scott Brandon "
        u"Benjamin Samuel Gregory Alexander Frank Patrick Raymond Jack Dennis Jerry Tyler Aaron Jose Adam "
        u"Nathan Henry Douglas Zachary Peter Kyle Noah Ethan Jeremy Walter Christian Keith Roger Terry "
        u"Austin Sean Gerald Carl Harold Dylan Arthur Lawrence Jordan Jesse Bryan Billy Bruce Gabriel Joe "
        u"Logan Alan Juan Albert Willie Elijah Wayne Randy Vincent Mason Roy Ralph Bobby Russell Bradley "
        u"Philip Eugene Tom Mary Patricia Jennifer Linda Elizabeth Barbara Susan Jessica Sarah Karen Lisa "
        u"Nancy Betty Sandra Margaret Ashley Kimberly Emily Donna Michelle Carol Amanda Melissa Deborah "
        u"Stephanie Dorothy Rebecca Sharon Laura Cynthia Amy Kathleen Angela Shirley Brenda Emma Anna "
        u"Pamela Nicole Samantha Katherine Christine Helen Debra Rachel Carolyn Janet Maria Catherine "
        u"Heather Diane Olivia Julie Joyce Victoria Ruth Virginia Lauren Kelly Christina Joan Evelyn "
        u"Judith Andrea Hannah Megan Cheryl Jacqueline Martha Madison Teresa Gloria Sara Janice Ann "
        u"Kathryn Abigail Sophia Frances Jean Alice Judy Isabella Julia Grace Amber Denise Danielle "
        u"Marilyn Beverly Charlotte Natalie Theresa Diana Brittany Doris Kayla Alexis Lori Jane Wei Li "
        u"Mohammed Ahmed Ali Fatima Ana Luis Carlos Miguel Sofia Lucas Liam Ava Mia Chloe Zoe Lily Ella "
        u"Aria Riley Nora Hazel Leo Owen Jayden"_s).split(u' ', Qt::SkipEmptyParts);
    return list;
}

bool isKnownFirstName(const QString &lowercasedWord)
{
    // A function-local static is initialised exactly once, even when several
    // threads touch it first at the same time.
    static const WordSet known = [] {
        QSet<QString> set;
        for (const QStringList *list : {&pools::firstNames(), &commonFirstNames()})
            for (const QString &name : *list)
                set.insert(name.toLower());
        return set;
    }();
    return known.contains(lowercasedWord);
}

} // namespace quorvane::nameLexicon
