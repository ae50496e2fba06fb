#include "kit/keys/Pools.h"


using namespace Qt::StringLiterals;

namespace quorvane::pools {

const QStringList &firstNames()
{
    static const QStringList list{
        u"Aaliyah"_s, u"Abel"_s, u"Adele"_s, u"Adrian"_s, u"Aiden"_s, u"Aisha"_s, u"Alana"_s,
        u"Alberto"_s, u"Alec"_s, u"Alejandra"_s, u"Alina"_s, u"Alma"_s, u"Alonzo"_s, u"Amara"_s,
        u"Amelia"_s, u"Amir"_s, u"Anaya"_s, u"Andre"_s, u"Anika"_s, u"Annika"_s, u"Anton"_s,
        u"Ariana"_s, u"Arjun"_s, u"Arlo"_s, u"Arturo"_s, u"Asher"_s, u"Astrid"_s, u"Aubrey"_s,
        u"Ayla"_s, u"Beatriz"_s, u"Benito"_s, u"Bianca"_s, u"Bodhi"_s, u"Brenna"_s, u"Bryce"_s,
        u"Caleb"_s, u"Camila"_s, u"Carmen"_s, u"Cassius"_s, u"Celeste"_s, u"Cesar"_s, u"Chiara"_s,
        u"Cyrus"_s, u"Dalia"_s, u"Damian"_s, u"Dante"_s, u"Darius"_s, u"Delia"_s, u"Desmond"_s,
        u"Diego"_s, u"Dimitri"_s, u"Elena"_s, u"Eliana"_s, u"Elias"_s, u"Elio"_s, u"Eloise"_s,
        u"Emeka"_s, u"Emil"_s, u"Emilia"_s, u"Enzo"_s, u"Esme"_s, u"Esteban"_s, u"Evander"_s,
        u"Ezra"_s, u"Fabian"_s, u"Farah"_s, u"Felipe"_s, u"Fiona"_s, u"Freya"_s, u"Gabriela"_s,
        u"Gemma"_s, u"Gideon"_s, u"Giulia"_s, u"Hamza"_s, u"Hana"_s, u"Hector"_s, u"Helena"_s,
        u"Hiro"_s, u"Ibrahim"_s, u"Ida"_s, u"Ignacio"_s, u"Imani"_s, u"Ines"_s, u"Ingrid"_s,
        u"Isadora"_s, u"Ismael"_s, u"Ivana"_s, u"Jasper"_s, u"Javier"_s, u"Jensen"_s, u"Joaquin"_s,
        u"Jonas"_s, u"Josefina"_s, u"Kai"_s, u"Kalani"_s, u"Kamal"_s, u"Kavya"_s, u"Keanu"_s,
        u"Kenji"_s, u"Keziah"_s, u"Kiara"_s, u"Kofi"_s, u"Lachlan"_s, u"Laila"_s, u"Lars"_s,
        u"Leandro"_s, u"Leila"_s, u"Lena"_s, u"Leona"_s, u"Lionel"_s, u"Liora"_s, u"Lorenzo"_s,
        u"Luca"_s, u"Lucia"_s, u"Lucian"_s, u"Mabel"_s, u"Maeve"_s, u"Magnus"_s, u"Maia"_s, u"Malik"_s,
        u"Mara"_s, u"Marco"_s, u"Mariana"_s, u"Mateo"_s, u"Matilda"_s, u"Maya"_s, u"Mei"_s, u"Milo"_s,
        u"Mina"_s, u"Mira"_s, u"Nadia"_s, u"Naomi"_s, u"Nasir"_s, u"Nell"_s, u"Niamh"_s, u"Nico"_s,
        u"Nikhil"_s, u"Nina"_s, u"Noemi"_s, u"Odette"_s, u"Olga"_s, u"Omar"_s, u"Orla"_s, u"Oscar"_s,
        u"Otto"_s, u"Paloma"_s, u"Pavel"_s, u"Phoebe"_s, u"Pilar"_s, u"Priya"_s, u"Quentin"_s,
        u"Rafael"_s, u"Ramona"_s, u"Ravi"_s, u"Reza"_s, u"Rhea"_s, u"Rocco"_s, u"Rohan"_s, u"Romy"_s,
        u"Rosalind"_s, u"Rufus"_s, u"Saanvi"_s, u"Sabine"_s, u"Salma"_s, u"Samir"_s, u"Santiago"_s,
        u"Selma"_s, u"Seraphina"_s, u"Silas"_s, u"Simone"_s, u"Soren"_s, u"Stellan"_s, u"Talia"_s,
        u"Tamsin"_s, u"Tariq"_s, u"Tessa"_s, u"Thea"_s, u"Theo"_s, u"Tobias"_s, u"Tomas"_s, u"Uma"_s,
        u"Valentina"_s, u"Vera"_s, u"Viggo"_s, u"Wren"_s, u"Xavier"_s, u"Yara"_s, u"Yasmin"_s,
        u"Yusuf"_s, u"Zara"_s, u"Zelda"_s, u"Zion"_s, u"Zofia"_s, u"Annette"_s, u"Bruno"_s, u"Clara"_s,
        u"Dorian"_s, u"Elodie"_s, u"Florian"_s, u"Greta"_s, u"Hugo"_s, u"Ilse"_s, u"Jovan"_s,
        u"Katya"_s, u"Leopold"_s, u"Marisol"_s, u"Nils"_s, u"Ottilie"_s, u"Perrin"_s, u"Rosalie"_s,
        u"Stefan"_s, u"Tatiana"_s, u"Ulrich"_s, u"Vivienne"_s, u"Wilhelm"_s, u"Ximena"_s, u"Yvette"_s,
        u"Zeke"_s, u"Adaeze"_s, u"Bashir"_s, u"Chidi"_s, u"Delphine"_s, u"Eamon"_s, u"Fatima"_s,
        u"Goran"_s, u"Hollis"_s, u"Isolde"_s, u"Jarrah"_s, u"Kwame"_s, u"Lucinda"_s, u"Mireille"_s,
        u"Nkechi"_s, u"Oren"_s, u"Penelope"_s, u"Quinn"_s, u"Renata"_s, u"Sanjay"_s, u"Thandiwe"_s,
        u"Umberto"_s, u"Valeria"_s, u"Wendell"_s, u"Yolanda"_s, u"Zainab"_s, u"Anders"_s, u"Beatrix"_s,
        u"Corrine"_s, u"Dashiell"_s, u"Evangeline"_s, u"Fernando"_s, u"Genevieve"_s, u"Horatio"_s,
        u"Imogen"_s, u"Juliana"_s, u"Kiran"_s, u"Leonora"_s, u"Marguerite"_s, u"Nathaniel"_s,
        u"Octavia"_s, u"Percival"_s, u"Rosamund"_s, u"Sebastian"_s, u"Theodora"_s, u"Vasco"_s,
        u"Winona"_s, u"Aurelio"_s, u"Calla"_s,
    };
    return list;
}

const QStringList &lastNames()
{
    static const QStringList list{
        u"Abernathy"_s, u"Acosta"_s, u"Adeyemi"_s, u"Agarwal"_s, u"Alvarado"_s, u"Amundsen"_s,
        u"Andersen"_s, u"Aranda"_s, u"Ashworth"_s, u"Babcock"_s, u"Bachmann"_s, u"Balogun"_s,
        u"Barrientos"_s, u"Beaumont"_s, u"Bellamy"_s, u"Bergstrom"_s, u"Bhatt"_s, u"Blackwood"_s,
        u"Bocelli"_s, u"Brandt"_s, u"Bustamante"_s, u"Calloway"_s, u"Camacho"_s, u"Castellanos"_s,
        u"Chakraborty"_s, u"Chandler"_s, u"Cheng"_s, u"Cisneros"_s, u"Colombo"_s, u"Contreras"_s,
        u"Cordova"_s, u"Costa"_s, u"Dalton"_s, u"Darrow"_s, u"Delacroix"_s, u"Desai"_s, u"Dimitrov"_s,
        u"Dominguez"_s, u"Donovan"_s, u"Dubois"_s, u"Eastwood"_s, u"Echeverria"_s, u"Eklund"_s,
        u"Ellison"_s, u"Espinoza"_s, u"Esposito"_s, u"Falkner"_s, u"Farrow"_s, u"Fennimore"_s,
        u"Ferraro"_s, u"Figueroa"_s, u"Fitzwilliam"_s, u"Fonseca"_s, u"Fujimoto"_s, u"Galloway"_s,
        u"Garrido"_s, u"Gallagher"_s, u"Gaskell"_s, u"Giordano"_s, u"Goldberg"_s, u"Goncalves"_s,
        u"Greenfield"_s, u"Grimaldi"_s, u"Guerrero"_s, u"Gustafsson"_s, u"Halvorsen"_s, u"Hargrove"_s,
        u"Hashimoto"_s, u"Hawthorne"_s, u"Hendricks"_s, u"Herrera"_s, u"Holloway"_s, u"Hollister"_s,
        u"Huang"_s, u"Ibarra"_s, u"Iglesias"_s, u"Ivanova"_s, u"Iwasaki"_s, u"Jablonski"_s,
        u"Jaramillo"_s, u"Jorgensen"_s, u"Juarez"_s, u"Kaminski"_s, u"Kapoor"_s, u"Karlsson"_s,
        u"Kaur"_s, u"Kavanagh"_s, u"Kowalczyk"_s, u"Kristiansen"_s, u"Kurosawa"_s, u"Lachance"_s,
        u"Lindqvist"_s, u"Lombardi"_s, u"Lozano"_s, u"Lundgren"_s, u"Macintyre"_s, u"Magnusson"_s,
        u"Maldonado"_s, u"Marchetti"_s, u"Markovic"_s, u"Mbeki"_s, u"McAllister"_s, u"McCready"_s,
        u"Medina"_s, u"Mendoza"_s, u"Moreau"_s, u"Moretti"_s, u"Nakagawa"_s, u"Navarro"_s, u"Ndiaye"_s,
        u"Nguyen"_s, u"Novak"_s, u"Nwosu"_s, u"Oakley"_s, u"Obi"_s, u"Okafor"_s, u"Okonkwo"_s,
        u"Olsen"_s, u"Ortega"_s, u"Osei"_s, u"Pacheco"_s, u"Padilla"_s, u"Palmieri"_s, u"Pellegrino"_s,
        u"Petrov"_s, u"Pham"_s, u"Quintero"_s, u"Rahman"_s, u"Ramirez"_s, u"Rasmussen"_s,
        u"Reinholt"_s, u"Renner"_s, u"Rinaldi"_s, u"Rios"_s, u"Rocha"_s, u"Rosales"_s, u"Rossi"_s,
        u"Sadowski"_s, u"Salazar"_s, u"Santoro"_s, u"Sato"_s, u"Schreiber"_s, u"Sepulveda"_s,
        u"Shapiro"_s, u"Sinclair"_s, u"Soderberg"_s, u"Solano"_s, u"Sorensen"_s, u"Takahashi"_s,
        u"Tanaka"_s, u"Thibodeaux"_s, u"Toledo"_s, u"Torres"_s, u"Tran"_s, u"Trujillo"_s,
        u"Underwood"_s, u"Urquhart"_s, u"Valdez"_s, u"Valencia"_s, u"Vasquez"_s, u"Vega"_s,
        u"Villanueva"_s, u"Volkov"_s, u"Wakefield"_s, u"Waldron"_s, u"Westbrook"_s, u"Whitaker"_s,
        u"Whitfield"_s, u"Winslow"_s, u"Wojcik"_s, u"Yamamoto"_s, u"Yilmaz"_s, u"Zamora"_s,
        u"Zielinski"_s, u"Achebe"_s, u"Barlowe"_s, u"Castellano"_s, u"Dunleavy"_s, u"Engstrom"_s,
        u"Fairbanks"_s, u"Galvez"_s, u"Holmgren"_s, u"Ishikawa"_s, u"Jankowski"_s, u"Kensington"_s,
        u"Laurent"_s, u"Montague"_s, u"Nordstrom"_s, u"Ostrowski"_s, u"Pemberton"_s, u"Quiroga"_s,
        u"Radcliffe"_s, u"Strickland"_s, u"Tolliver"_s, u"Vanderberg"_s, u"Wexler"_s, u"Yoshida"_s,
        u"Zavala"_s, u"Abbasi"_s, u"Benavides"_s, u"Caruso"_s, u"Delgado"_s, u"Esquivel"_s,
        u"Fairweather"_s, u"Gutierrez"_s, u"Hadley"_s, u"Ingram"_s, u"Jovanovic"_s, u"Kimura"_s,
        u"Larkin"_s, u"Mahoney"_s, u"Nakamura"_s, u"Oyelaran"_s, u"Pruitt"_s, u"Ravenscroft"_s,
        u"Saldana"_s, u"Thorne"_s, u"Ulloa"_s, u"Varga"_s, u"Whitmore"_s, u"Ybarra"_s, u"Zeller"_s,
        u"Aldridge"_s, u"Bianchi"_s, u"Cortez"_s, u"Dragomir"_s, u"Eriksen"_s, u"Fischer"_s,
        u"Gallardo"_s, u"Haddad"_s, u"Irizarry"_s, u"Jaffe"_s, u"Kessler"_s, u"Lindgren"_s,
        u"Mancini"_s, u"Nikolaidis"_s, u"Orozco"_s, u"Prentice"_s, u"Quarles"_s, u"Rourke"_s,
    };
    return list;
}

const QStringList &streetNames()
{
    static const QStringList list{
        u"Juniper"_s, u"Larkspur"_s, u"Wisteria"_s, u"Sycamore"_s, u"Hawthorn"_s, u"Magnolia"_s,
        u"Alder"_s, u"Chestnut"_s, u"Linden"_s, u"Cypress"_s, u"Briarwood"_s, u"Foxglove"_s,
        u"Kingfisher"_s, u"Meadowlark"_s, u"Thistle"_s, u"Bramble"_s, u"Sagebrush"_s, u"Quarry"_s,
        u"Tamarack"_s, u"Saltmarsh"_s, u"Heron"_s, u"Copperleaf"_s, u"Driftwood"_s, u"Elderberry"_s,
        u"Fernbrook"_s, u"Goldenrod"_s, u"Hollyhock"_s, u"Ironwood"_s, u"Lavender"_s, u"Marigold"_s,
        u"Nightingale"_s, u"Orchard"_s, u"Primrose"_s, u"Quailrun"_s, u"Rosemary"_s, u"Silverbell"_s,
        u"Tanglewood"_s, u"Upland"_s, u"Verbena"_s, u"Whistler"_s, u"Yarrow"_s, u"Zephyr"_s,
        u"Amberwood"_s, u"Bluebonnet"_s, u"Cobblestone"_s, u"Dovetail"_s, u"Evergreen"_s,
        u"Fieldstone"_s, u"Glenhaven"_s, u"Harrowgate"_s, u"Inglewood"_s, u"Juneberry"_s, u"Kestrel"_s,
        u"Lantern"_s, u"Millbrook"_s, u"Northwind"_s, u"Oakmont"_s, u"Pebblebrook"_s, u"Ravenwood"_s,
        u"Stillwater"_s, u"Timberline"_s, u"Valleyview"_s, u"Willowbend"_s,
    };
    return list;
}

const QStringList &cityStarts()
{
    static const QStringList list{
        u"Cedar"_s, u"Maple"_s, u"Willow"_s, u"Birch"_s, u"Silver"_s, u"Clear"_s, u"Stone"_s,
        u"Amber"_s, u"Glen"_s, u"Brook"_s, u"Mill"_s, u"Briar"_s, u"Fern"_s, u"Heather"_s, u"Holly"_s,
        u"Ivy"_s, u"Laurel"_s, u"Moss"_s, u"Raven"_s, u"Thorn"_s, u"Wren"_s, u"Ash"_s, u"Copper"_s,
        u"Elder"_s, u"Hazel"_s, u"Juniper"_s, u"Linden"_s, u"Marble"_s, u"Quill"_s, u"Rush"_s,
    };
    return list;
}

const QStringList &cityEnds()
{
    static const QStringList list{
        u"dale"_s, u"haven"_s, u"ford"_s, u"wick"_s, u"mere"_s, u"stead"_s, u"brook"_s, u"crest"_s,
        u"ridge"_s, u"hollow"_s, u"field"_s, u"bury"_s, u"ton"_s, u"port"_s, u"vale"_s, u"moor"_s,
    };
    return list;
}

const QStringList &cityExtras()
{
    static const QStringList list{
        u"Springs"_s, u"Heights"_s, u"Junction"_s, u"Corners"_s, u"Mills"_s,
    };
    return list;
}

const QStringList &townWords()
{
    // The first five are cityExtras, in their order.
    static const QStringList list{
        u"Springs"_s, u"Heights"_s, u"Junction"_s, u"Corners"_s, u"Mills"_s, u"Falls"_s, u"Crossing"_s, u"Landing"_s,
        u"Hills"_s, u"Valley"_s, u"Station"_s, u"Harbor"_s, u"Grove"_s, u"Park"_s, u"Lake"_s, u"Creek"_s,
    };
    return list;
}

const QStringList &areaCodes()
{
    static const QStringList list{
        u"201"_s, u"202"_s, u"203"_s, u"205"_s, u"206"_s, u"207"_s, u"208"_s, u"212"_s, u"213"_s,
        u"214"_s, u"215"_s, u"216"_s, u"217"_s, u"218"_s, u"301"_s, u"302"_s, u"303"_s, u"304"_s,
        u"305"_s, u"307"_s, u"308"_s, u"309"_s, u"312"_s, u"313"_s, u"314"_s, u"315"_s, u"316"_s,
        u"317"_s, u"319"_s, u"401"_s, u"402"_s, u"404"_s, u"405"_s, u"406"_s, u"407"_s, u"408"_s,
        u"410"_s, u"412"_s, u"413"_s, u"414"_s, u"415"_s, u"417"_s, u"419"_s, u"423"_s, u"501"_s,
        u"502"_s, u"503"_s, u"504"_s, u"505"_s, u"507"_s, u"508"_s, u"509"_s, u"512"_s, u"513"_s,
        u"515"_s, u"516"_s, u"517"_s, u"518"_s, u"601"_s, u"602"_s, u"603"_s, u"605"_s, u"606"_s,
        u"607"_s, u"608"_s, u"609"_s, u"612"_s, u"614"_s, u"615"_s, u"616"_s, u"617"_s, u"618"_s,
        u"619"_s, u"702"_s, u"703"_s, u"704"_s, u"706"_s, u"707"_s, u"708"_s, u"712"_s, u"713"_s,
        u"714"_s, u"715"_s, u"716"_s, u"717"_s, u"718"_s, u"719"_s, u"720"_s, u"802"_s, u"803"_s,
        u"804"_s, u"805"_s, u"806"_s, u"808"_s, u"810"_s, u"812"_s, u"813"_s, u"814"_s, u"815"_s,
        u"816"_s, u"817"_s, u"818"_s, u"901"_s, u"903"_s, u"904"_s, u"907"_s, u"908"_s, u"909"_s,
        u"910"_s, u"912"_s, u"913"_s, u"914"_s, u"915"_s, u"916"_s, u"917"_s, u"918"_s, u"919"_s,
        u"920"_s,
    };
    return list;
}

const QList<StreetType> &streetTypes()
{
    static const QList<StreetType> list{
        {u"Street"_s, u"St"_s},
        {u"Avenue"_s, u"Ave"_s},
        {u"Road"_s, u"Rd"_s},
        {u"Lane"_s, u"Ln"_s},
        {u"Drive"_s, u"Dr"_s},
        {u"Court"_s, u"Ct"_s},
        {u"Place"_s, u"Pl"_s},
        {u"Boulevard"_s, u"Blvd"_s},
        {u"Terrace"_s, u"Ter"_s},
        {u"Way"_s, u"Way"_s},
        {u"Circle"_s, u"Cir"_s},
        {u"Trail"_s, u"Trl"_s},
    };
    return list;
}

const QStringList &emailDomains()
{
    // RFC 2606 reserves these for documentation and examples.
    static const QStringList list{u"example.com"_s, u"example.net"_s, u"example.org"_s};
    return list;
}

} // namespace quorvane::pools
