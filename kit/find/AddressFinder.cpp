#include "kit/find/AddressFinder.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// The postal service's street suffixes: each primary name with its standard
// abbreviation, and a few spellings people commonly write.
const QStringList &streetSuffixes()
{
    static const QStringList suffixes{
        u"Alley"_s, u"Aly"_s, u"Annex"_s, u"Anx"_s, u"Arcade"_s, u"Arc"_s, u"Avenue"_s, u"Ave"_s,
        u"Av"_s, u"Bayou"_s, u"Byu"_s, u"Beach"_s, u"Bch"_s, u"Bend"_s, u"Bnd"_s, u"Bluff"_s,
        u"Blf"_s, u"Bluffs"_s, u"Blfs"_s, u"Bottom"_s, u"Btm"_s, u"Boulevard"_s, u"Blvd"_s,
        u"Branch"_s, u"Br"_s, u"Bridge"_s, u"Brg"_s, u"Brook"_s, u"Brk"_s, u"Brooks"_s,
        u"Burg"_s, u"Bypass"_s, u"Byp"_s, u"Camp"_s, u"Cp"_s, u"Canyon"_s, u"Cyn"_s, u"Cape"_s,
        u"Cpe"_s, u"Causeway"_s, u"Cswy"_s, u"Center"_s, u"Ctr"_s, u"Circle"_s, u"Cir"_s,
        u"Cliff"_s, u"Clf"_s, u"Cliffs"_s, u"Clfs"_s, u"Club"_s, u"Clb"_s, u"Common"_s,
        u"Commons"_s, u"Cmns"_s, u"Corner"_s, u"Cor"_s, u"Corners"_s, u"Cors"_s, u"Course"_s,
        u"Crse"_s, u"Court"_s, u"Ct"_s, u"Courts"_s, u"Cts"_s, u"Cove"_s, u"Cv"_s, u"Creek"_s,
        u"Crk"_s, u"Crescent"_s, u"Cres"_s, u"Crest"_s, u"Crst"_s, u"Crossing"_s, u"Xing"_s,
        u"Crossroad"_s, u"Xrd"_s, u"Curve"_s, u"Curv"_s, u"Dale"_s, u"Dl"_s, u"Dam"_s, u"Dm"_s,
        u"Divide"_s, u"Dv"_s, u"Drive"_s, u"Dr"_s, u"Drives"_s, u"Drs"_s, u"Estate"_s, u"Est"_s,
        u"Estates"_s, u"Ests"_s, u"Expressway"_s, u"Expy"_s, u"Extension"_s, u"Ext"_s,
        u"Falls"_s, u"Fls"_s, u"Ferry"_s, u"Fry"_s, u"Field"_s, u"Fld"_s, u"Fields"_s,
        u"Flds"_s, u"Flat"_s, u"Flt"_s, u"Flats"_s, u"Flts"_s, u"Ford"_s, u"Frd"_s,
        u"Forest"_s, u"Frst"_s, u"Forge"_s, u"Frg"_s, u"Fork"_s, u"Frk"_s, u"Forks"_s,
        u"Frks"_s, u"Fort"_s, u"Ft"_s, u"Freeway"_s, u"Fwy"_s, u"Garden"_s, u"Gdn"_s,
        u"Gardens"_s, u"Gdns"_s, u"Gateway"_s, u"Gtwy"_s, u"Glen"_s, u"Gln"_s, u"Green"_s,
        u"Grn"_s, u"Grove"_s, u"Grv"_s, u"Harbor"_s, u"Hbr"_s, u"Haven"_s, u"Hvn"_s,
        u"Heights"_s, u"Hts"_s, u"Highway"_s, u"Hwy"_s, u"Hill"_s, u"Hl"_s, u"Hills"_s,
        u"Hls"_s, u"Hollow"_s, u"Holw"_s, u"Inlet"_s, u"Inlt"_s, u"Island"_s, u"Is"_s,
        u"Islands"_s, u"Iss"_s, u"Isle"_s, u"Junction"_s, u"Jct"_s, u"Key"_s, u"Ky"_s,
        u"Knoll"_s, u"Knl"_s, u"Knolls"_s, u"Knls"_s, u"Lake"_s, u"Lk"_s, u"Lakes"_s, u"Lks"_s,
        u"Landing"_s, u"Lndg"_s, u"Lane"_s, u"Ln"_s, u"Light"_s, u"Lgt"_s, u"Lock"_s, u"Lck"_s,
        u"Lodge"_s, u"Ldg"_s, u"Loop"_s, u"Mall"_s, u"Manor"_s, u"Mnr"_s, u"Meadow"_s,
        u"Mdw"_s, u"Meadows"_s, u"Mdws"_s, u"Mews"_s, u"Mill"_s, u"Ml"_s, u"Mills"_s, u"Mls"_s,
        u"Mission"_s, u"Msn"_s, u"Motorway"_s, u"Mtwy"_s, u"Mount"_s, u"Mt"_s, u"Mountain"_s,
        u"Mtn"_s, u"Neck"_s, u"Nck"_s, u"Orchard"_s, u"Orch"_s, u"Oval"_s, u"Overpass"_s,
        u"Opas"_s, u"Park"_s, u"Parkway"_s, u"Pkwy"_s, u"Pky"_s, u"Pass"_s, u"Passage"_s,
        u"Psge"_s, u"Path"_s, u"Pike"_s, u"Pine"_s, u"Pne"_s, u"Pines"_s, u"Pnes"_s, u"Place"_s,
        u"Pl"_s, u"Plain"_s, u"Pln"_s, u"Plains"_s, u"Plns"_s, u"Plaza"_s, u"Plz"_s, u"Point"_s,
        u"Pt"_s, u"Points"_s, u"Pts"_s, u"Port"_s, u"Prt"_s, u"Prairie"_s, u"Pr"_s, u"Radial"_s,
        u"Radl"_s, u"Ramp"_s, u"Ranch"_s, u"Rnch"_s, u"Rapids"_s, u"Rpds"_s, u"Rest"_s,
        u"Rst"_s, u"Ridge"_s, u"Rdg"_s, u"River"_s, u"Riv"_s, u"Road"_s, u"Rd"_s, u"Roads"_s,
        u"Rds"_s, u"Route"_s, u"Rte"_s, u"Row"_s, u"Rue"_s, u"Run"_s, u"Shoal"_s, u"Shl"_s,
        u"Shore"_s, u"Shr"_s, u"Shores"_s, u"Shrs"_s, u"Skyway"_s, u"Skwy"_s, u"Spring"_s,
        u"Spg"_s, u"Springs"_s, u"Spgs"_s, u"Spur"_s, u"Square"_s, u"Sq"_s, u"Station"_s,
        u"Sta"_s, u"Stravenue"_s, u"Stra"_s, u"Stream"_s, u"Strm"_s, u"Street"_s, u"St"_s,
        u"Str"_s, u"Streets"_s, u"Sts"_s, u"Summit"_s, u"Smt"_s, u"Terrace"_s, u"Ter"_s,
        u"Throughway"_s, u"Trwy"_s, u"Trace"_s, u"Trce"_s, u"Track"_s, u"Trak"_s,
        u"Trafficway"_s, u"Trfy"_s, u"Trail"_s, u"Trl"_s, u"Trailer"_s, u"Trlr"_s, u"Tunnel"_s,
        u"Tunl"_s, u"Turnpike"_s, u"Tpke"_s, u"Underpass"_s, u"Upas"_s, u"Union"_s, u"Un"_s,
        u"Valley"_s, u"Vly"_s, u"Viaduct"_s, u"Via"_s, u"View"_s, u"Vw"_s, u"Village"_s,
        u"Vlg"_s, u"Ville"_s, u"Vl"_s, u"Vista"_s, u"Vis"_s, u"Walk"_s, u"Wall"_s, u"Way"_s,
        u"Wy"_s, u"Well"_s, u"Wl"_s, u"Wells"_s, u"Wls"_s,
    };
    return suffixes;
}

// Words for a road that is known by its number rather than a name.
const QStringList &numberedRoads()
{
    static const QStringList roads{
        u"Route"_s, u"Rte"_s, u"Highway"_s, u"Hwy"_s, u"County Road"_s, u"County Rd"_s,
        u"State Route"_s, u"State Road"_s, u"State Rd"_s, u"State Highway"_s, u"State Hwy"_s,
        u"US Highway"_s, u"US Hwy"_s, u"US Route"_s, u"Farm to Market Road"_s, u"Interstate"_s,
    };
    return roads;
}

const QStringList &stateCodes()
{
    static const QStringList codes{
        u"AL"_s, u"AK"_s, u"AZ"_s, u"AR"_s, u"CA"_s, u"CO"_s, u"CT"_s, u"DE"_s, u"DC"_s, u"FL"_s,
        u"GA"_s, u"HI"_s, u"ID"_s, u"IL"_s, u"IN"_s, u"IA"_s, u"KS"_s, u"KY"_s, u"LA"_s, u"ME"_s,
        u"MD"_s, u"MA"_s, u"MI"_s, u"MN"_s, u"MS"_s, u"MO"_s, u"MT"_s, u"NE"_s, u"NV"_s, u"NH"_s,
        u"NJ"_s, u"NM"_s, u"NY"_s, u"NC"_s, u"ND"_s, u"OH"_s, u"OK"_s, u"OR"_s, u"PA"_s, u"RI"_s,
        u"SC"_s, u"SD"_s, u"TN"_s, u"TX"_s, u"UT"_s, u"VT"_s, u"VA"_s, u"WA"_s, u"WV"_s, u"WI"_s,
        u"WY"_s, u"PR"_s, u"VI"_s, u"GU"_s, u"AS"_s, u"MP"_s,
    };
    return codes;
}

// An alternation of the words, longest first so that "Street" is tried before "St",
// each in title case and in capitals.
QString alternation(const QStringList &words)
{
    QStringList forms;
    for (const QString &word : words) {
        forms.append(word);
        forms.append(word.toUpper());
    }
    forms.removeDuplicates();
    std::stable_sort(forms.begin(), forms.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return forms.join(u'|');
}

const QRegularExpression &addressPattern()
{
    static const QRegularExpression pattern = [] {
        const QString direction = u"(?:N|S|E|W|NE|NW|SE|SW|North|South|East|West)\\.?"_s;
        const QString nameWord = u"(?:\\p{Lu}[\\p{L}'’]*(?:-\\p{L}+)*|\\d{1,4}(?:st|nd|rd|th))"_s;
        const QString unit = u"(?:Apt|Apartment|Suite|Ste|Unit|Fl|Floor|Rm|Room|Bldg|Building|Lot|#)"_s;
        // Words that are themselves suffixes can run on ("Old Mill Rd", "Mill Creek Rd"): the
        // street takes them all, where the shortest name would stop at "Mill".
        const QString suffix = u"(?:"_s % alternation(streetSuffixes()) % u")(?![\\p{L}\\p{N}])\\.?"_s;
        const QString namedWay = u"(?:"_s % nameWord % u"[ \\t]+){1,4}?"_s % suffix % u"(?:[ \\t]+"_s % suffix % u")*"_s;
        // Roads known by a number ("1364 Route 9", "88 County Rd 12A").
        const QString numberedWay = u"(?:"_s % alternation(numberedRoads())
            % u")[ \\t]+\\d{1,4}[A-Z]?(?![\\p{L}\\p{N}])"_s;
        const QString street =
            u"(?<street>\\d{1,6}(?:-?[A-Za-z](?![\\p{L}]))?[ \\t]+(?:"_s % direction % u"[ \\t]+)?"_s
            % u"(?:"_s % numberedWay % u"|"_s % namedWay % u")(?:[ \\t]+"_s % direction % u"(?![\\p{L}\\p{N}]))?"_s
            % u"(?:,?[ \\t]*(?i:"_s % unit % u")\\.?[ \\t]*#?[ \\t]*[A-Za-z0-9][A-Za-z0-9\\-]*)?)"_s;
        const QString city = u"(?<city>\\p{Lu}[\\p{L}'’.\\-]*(?:[ \\t]+\\p{Lu}[\\p{L}'’.\\-]*){0,2})"_s;
        const QString state = u"(?<state>"_s % stateCodes().join(u'|') % u")"_s;
        const QString zip = u"(?<zip>\\d{5}(?:-\\d{4})?)"_s;
        const QString region = u"(?:[ \\t]*[,\\n][ \\t]*|[ \\t]+)(?:"_s % city
            % u"(?:[ \\t]*,[ \\t]*|[ \\t]+))?"_s % state % u"(?:[ \\t]*,?[ \\t]+"_s % zip % u")?(?![\\p{L}\\p{N}])"_s;
        return QRegularExpression(u"(?<![\\p{L}\\p{N}$#.,\\-])"_s % street % u"(?:"_s % region % u")?"_s,
                                  QRegularExpression::UseUnicodePropertiesOption);
    }();
    return pattern;
}

// Streets as the rest of Europe writes them, house number and all: the
// German and Dutch name with its way glued on or after it ("Hauptstraße 12",
// "Berliner Str. 5", "Prinsengracht 263"), the way before the name in the
// south ("Calle Mayor 98", "Via Roma 107", "ul. Długa 4") and the French
// number before the way ("12 rue de la Paix"). Only the street is taken: a
// postcode without a state code could not be found again in a reply.
const QRegularExpression &continentalStreetPattern()
{
    static const QRegularExpression pattern = [] {
        const QString capWord = u"\\p{Lu}[\\p{L}'’\\-]*"_s;
        const QString house = u"\\d{1,4}(?:[ \\t]?[a-zA-Z](?![\\p{L}\\p{N}]))?(?![\\p{L}\\p{N}])"_s;
        const QString gluedWay = u"\\p{Lu}[\\p{L}\\-]*(?:straße|strasse|str\\.|gasse|weg|allee|platz|damm|ufer|"
                                 u"chaussee|straat|laan|plein|gracht|kade|singel|dijk|vej|gatan|vägen|veien)"_s;
        const QString ownWay = u"(?:"_s % capWord % u"[ \\t]+){1,2}(?:Straße|Strasse|Str\\.|Gasse|Weg|Allee|Platz|Damm)"_s;
        const QString northern = u"(?:"_s % gluedWay % u"|"_s % ownWay % u")[ \\t]*"_s % house;
        const QString joiner = u"(?:de|del|de la|de las|de los|della|delle|dei|di|da|do|dos|das|y|e)"_s;
        // A house number ends the street: a comma, the line's end or a postcode follows.
        const QString southern = u"(?:Calle|C/|Avenida|Avda\\.|Paseo|Plaza|Carrer|Camino|Via|Viale|Piazza|Corso|"
                                 u"Largo|Vicolo|Rua|Praça|Travessa|Rue|Chemin|ul\\.|Ul\\.)[ \\t]+(?:"_s
            % joiner % u"[ \\t]+|d['’]|dell['’])?"_s % capWord % u"(?:[ \\t]+(?:"_s % joiner % u"[ \\t]+)?"_s % capWord
            % u"){0,3},?[ \\t]+(?:n[º°o]\\.?[ \\t]*)?"_s % house % u"(?=[ \\t]*(?:[,;.)\\n]|$|\\d{4,5}[ \\t]+\\p{Lu}))"_s;
        const QString french = u"\\d{1,4}(?:[ \\t]?(?:bis|ter))?,?[ \\t]+(?:rue|avenue|boulevard|bd|impasse|allée|quai|"
                               u"Rue|Avenue|Boulevard|Place|Impasse|Allée|Quai|Chemin)[ \\t]+(?:(?:de la|de|du|des|la|le|les)"
                               u"[ \\t]+|d['’]|l['’])?"_s
            % capWord % u"(?:[ \\t]+(?:(?:de|du|des|la|le|et)[ \\t]+)?"_s % capWord % u"){0,3}"_s;
        return QRegularExpression(u"(?<![\\p{L}\\p{N}])(?:"_s % northern % u"|"_s % southern % u"|"_s % french % u")"_s,
                                  QRegularExpression::UseUnicodePropertiesOption);
    }();
    return pattern;
}

std::optional<QString> captured(const QRegularExpressionMatch &match, QStringView name)
{
    const QString text = match.captured(name);
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

void addContinentalStreets(const QString &text, QList<AddressFinder::Match> &found)
{
    const qsizetype american = found.size();
    for (auto matches = continentalStreetPattern().globalMatch(text); matches.hasNext();) {
        const auto match = matches.next();
        const TextRange range{match.capturedStart(), match.capturedEnd()};
        if (std::none_of(found.cbegin(), found.cbegin() + american,
                         [&](const AddressFinder::Match &other) { return other.range.overlaps(range); }))
            found.append({range, AddressParts{match.captured(), {}, {}, {}}});
    }
    if (found.size() > american)
        std::stable_sort(found.begin(), found.end(), [](const AddressFinder::Match &a, const AddressFinder::Match &b) {
            return a.range.start < b.range.start;
        });
}

} // namespace

QList<AddressFinder::Match> AddressFinder::find(const QString &text) const
{
    QList<Match> found;
    // Every address starts with a house number and has a street word.
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); })
        || std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter() || c.isSurrogate(); }))
        return found;
    auto matches = addressPattern().globalMatch(text);
    while (matches.hasNext()) {
        const auto match = matches.next();
        AddressParts parts;
        parts.street = captured(match, u"street");
        parts.city = captured(match, u"city");
        parts.state = captured(match, u"state");
        parts.zip = captured(match, u"zip");
        TextRange range{match.capturedStart(), match.capturedEnd()};
        // "Mailed to 12 Oak St. Then…": the period most often ends the
        // sentence too. It stays in the text, so the copy keeps its sentences
        // and "12 Oak St." is the same street as "12 Oak St".
        if (parts.street && parts.street->endsWith(u'.')) {
            parts.street->chop(1);
            if (range.end == match.capturedEnd(u"street"))
                --range.end;
        }
        found.append({range, parts});
    }
    addContinentalStreets(text, found);
    return found;
}

} // namespace quorvane
