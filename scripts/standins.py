#!/usr/bin/env python3
"""A second, separate implementation of Quorvane's stand-in rules and key files.

Used by the tests to check that the C++ code gives the same stand-ins and reads
key files written by other code. The stand-in part needs only the standard
library; reading and writing key files needs python3-cryptography (AES-GCM).

  standins.py candidate --secret-hex HEX --kind KIND --attempt N [--known KIND:REAL:STANDIN]... VALUE...
      print VALUE<TAB>CANDIDATE for one attempt
  standins.py assign (--secret-hex HEX | --key FILE --passphrase-file FILE) [--kind KIND] VALUE...
      print VALUE<TAB>STANDIN, assigning in order on a copy of the key
  standins.py new-key --name NAME --out FILE --passphrase-file FILE [--rounds N] [--secret-hex HEX]
                      [--entry KIND:REAL:STANDIN]... [--file NAME]...
      write a passphrase-protected key file
"""

import argparse
import base64
import datetime
import hashlib
import hmac
import json
import os
import sys
import unicodedata
import uuid

FIRST_NAMES = [
    "Aaliyah", "Abel", "Adele", "Adrian", "Aiden", "Aisha", "Alana", "Alberto", "Alec", "Alejandra",
    "Alina", "Alma", "Alonzo", "Amara", "Amelia", "Amir", "Anaya", "Andre", "Anika", "Annika",
    "Anton", "Ariana", "Arjun", "Arlo", "Arturo", "Asher", "Astrid", "Aubrey", "Ayla", "Beatriz",
    "Benito", "Bianca", "Bodhi", "Brenna", "Bryce", "Caleb", "Camila", "Carmen", "Cassius",
    "Celeste", "Cesar", "Chiara", "Cyrus", "Dalia", "Damian", "Dante", "Darius", "Delia", "Desmond",
    "Diego", "Dimitri", "Elena", "Eliana", "Elias", "Elio", "Eloise", "Emeka", "Emil", "Emilia",
    "Enzo", "Esme", "Esteban", "Evander", "Ezra", "Fabian", "Farah", "Felipe", "Fiona", "Freya",
    "Gabriela", "Gemma", "Gideon", "Giulia", "Hamza", "Hana", "Hector", "Helena", "Hiro", "Ibrahim",
    "Ida", "Ignacio", "Imani", "Ines", "Ingrid", "Isadora", "Ismael", "Ivana", "Jasper", "Javier",
    "Jensen", "Joaquin", "Jonas", "Josefina", "Kai", "Kalani", "Kamal", "Kavya", "Keanu", "Kenji",
    "Keziah", "Kiara", "Kofi", "Lachlan", "Laila", "Lars", "Leandro", "Leila", "Lena", "Leona",
    "Lionel", "Liora", "Lorenzo", "Luca", "Lucia", "Lucian", "Mabel", "Maeve", "Magnus", "Maia",
    "Malik", "Mara", "Marco", "Mariana", "Mateo", "Matilda", "Maya", "Mei", "Milo", "Mina", "Mira",
    "Nadia", "Naomi", "Nasir", "Nell", "Niamh", "Nico", "Nikhil", "Nina", "Noemi", "Odette", "Olga",
    "Omar", "Orla", "Oscar", "Otto", "Paloma", "Pavel", "Phoebe", "Pilar", "Priya", "Quentin",
    "Rafael", "Ramona", "Ravi", "Reza", "Rhea", "Rocco", "Rohan", "Romy", "Rosalind", "Rufus",
    "Saanvi", "Sabine", "Salma", "Samir", "Santiago", "Selma", "Seraphina", "Silas", "Simone",
    "Soren", "Stellan", "Talia", "Tamsin", "Tariq", "Tessa", "Thea", "Theo", "Tobias", "Tomas",
    "Uma", "Valentina", "Vera", "Viggo", "Wren", "Xavier", "Yara", "Yasmin", "Yusuf", "Zara",
    "Zelda", "Zion", "Zofia", "Annette", "Bruno", "Clara", "Dorian", "Elodie", "Florian", "Greta",
    "Hugo", "Ilse", "Jovan", "Katya", "Leopold", "Marisol", "Nils", "Ottilie", "Perrin", "Rosalie",
    "Stefan", "Tatiana", "Ulrich", "Vivienne", "Wilhelm", "Ximena", "Yvette", "Zeke", "Adaeze",
    "Bashir", "Chidi", "Delphine", "Eamon", "Fatima", "Goran", "Hollis", "Isolde", "Jarrah",
    "Kwame", "Lucinda", "Mireille", "Nkechi", "Oren", "Penelope", "Quinn", "Renata", "Sanjay",
    "Thandiwe", "Umberto", "Valeria", "Wendell", "Yolanda", "Zainab", "Anders", "Beatrix",
    "Corrine", "Dashiell", "Evangeline", "Fernando", "Genevieve", "Horatio", "Imogen", "Juliana",
    "Kiran", "Leonora", "Marguerite", "Nathaniel", "Octavia", "Percival", "Rosamund", "Sebastian",
    "Theodora", "Vasco", "Winona", "Aurelio", "Calla",
]

LAST_NAMES = [
    "Abernathy", "Acosta", "Adeyemi", "Agarwal", "Alvarado", "Amundsen", "Andersen", "Aranda",
    "Ashworth", "Babcock", "Bachmann", "Balogun", "Barrientos", "Beaumont", "Bellamy", "Bergstrom",
    "Bhatt", "Blackwood", "Bocelli", "Brandt", "Bustamante", "Calloway", "Camacho", "Castellanos",
    "Chakraborty", "Chandler", "Cheng", "Cisneros", "Colombo", "Contreras", "Cordova", "Costa",
    "Dalton", "Darrow", "Delacroix", "Desai", "Dimitrov", "Dominguez", "Donovan", "Dubois",
    "Eastwood", "Echeverria", "Eklund", "Ellison", "Espinoza", "Esposito", "Falkner", "Farrow",
    "Fennimore", "Ferraro", "Figueroa", "Fitzwilliam", "Fonseca", "Fujimoto", "Galloway", "Garrido",
    "Gallagher", "Gaskell", "Giordano", "Goldberg", "Goncalves", "Greenfield", "Grimaldi",
    "Guerrero", "Gustafsson", "Halvorsen", "Hargrove", "Hashimoto", "Hawthorne", "Hendricks",
    "Herrera", "Holloway", "Hollister", "Huang", "Ibarra", "Iglesias", "Ivanova", "Iwasaki",
    "Jablonski", "Jaramillo", "Jorgensen", "Juarez", "Kaminski", "Kapoor", "Karlsson", "Kaur",
    "Kavanagh", "Kowalczyk", "Kristiansen", "Kurosawa", "Lachance", "Lindqvist", "Lombardi",
    "Lozano", "Lundgren", "Macintyre", "Magnusson", "Maldonado", "Marchetti", "Markovic", "Mbeki",
    "McAllister", "McCready", "Medina", "Mendoza", "Moreau", "Moretti", "Nakagawa", "Navarro",
    "Ndiaye", "Nguyen", "Novak", "Nwosu", "Oakley", "Obi", "Okafor", "Okonkwo", "Olsen", "Ortega",
    "Osei", "Pacheco", "Padilla", "Palmieri", "Pellegrino", "Petrov", "Pham", "Quintero", "Rahman",
    "Ramirez", "Rasmussen", "Reinholt", "Renner", "Rinaldi", "Rios", "Rocha", "Rosales", "Rossi",
    "Sadowski", "Salazar", "Santoro", "Sato", "Schreiber", "Sepulveda", "Shapiro", "Sinclair",
    "Soderberg", "Solano", "Sorensen", "Takahashi", "Tanaka", "Thibodeaux", "Toledo", "Torres",
    "Tran", "Trujillo", "Underwood", "Urquhart", "Valdez", "Valencia", "Vasquez", "Vega",
    "Villanueva", "Volkov", "Wakefield", "Waldron", "Westbrook", "Whitaker", "Whitfield", "Winslow",
    "Wojcik", "Yamamoto", "Yilmaz", "Zamora", "Zielinski", "Achebe", "Barlowe", "Castellano",
    "Dunleavy", "Engstrom", "Fairbanks", "Galvez", "Holmgren", "Ishikawa", "Jankowski",
    "Kensington", "Laurent", "Montague", "Nordstrom", "Ostrowski", "Pemberton", "Quiroga",
    "Radcliffe", "Strickland", "Tolliver", "Vanderberg", "Wexler", "Yoshida", "Zavala", "Abbasi",
    "Benavides", "Caruso", "Delgado", "Esquivel", "Fairweather", "Gutierrez", "Hadley", "Ingram",
    "Jovanovic", "Kimura", "Larkin", "Mahoney", "Nakamura", "Oyelaran", "Pruitt", "Ravenscroft",
    "Saldana", "Thorne", "Ulloa", "Varga", "Whitmore", "Ybarra", "Zeller", "Aldridge", "Bianchi",
    "Cortez", "Dragomir", "Eriksen", "Fischer", "Gallardo", "Haddad", "Irizarry", "Jaffe",
    "Kessler", "Lindgren", "Mancini", "Nikolaidis", "Orozco", "Prentice", "Quarles", "Rourke",
]

STREET_NAMES = [
    "Juniper", "Larkspur", "Wisteria", "Sycamore", "Hawthorn", "Magnolia", "Alder", "Chestnut",
    "Linden", "Cypress", "Briarwood", "Foxglove", "Kingfisher", "Meadowlark", "Thistle", "Bramble",
    "Sagebrush", "Quarry", "Tamarack", "Saltmarsh", "Heron", "Copperleaf", "Driftwood",
    "Elderberry", "Fernbrook", "Goldenrod", "Hollyhock", "Ironwood", "Lavender", "Marigold",
    "Nightingale", "Orchard", "Primrose", "Quailrun", "Rosemary", "Silverbell", "Tanglewood",
    "Upland", "Verbena", "Whistler", "Yarrow", "Zephyr", "Amberwood", "Bluebonnet", "Cobblestone",
    "Dovetail", "Evergreen", "Fieldstone", "Glenhaven", "Harrowgate", "Inglewood", "Juneberry",
    "Kestrel", "Lantern", "Millbrook", "Northwind", "Oakmont", "Pebblebrook", "Ravenwood",
    "Stillwater", "Timberline", "Valleyview", "Willowbend",
]

CITY_STARTS = [
    "Cedar", "Maple", "Willow", "Birch", "Silver", "Clear", "Stone", "Amber", "Glen", "Brook",
    "Mill", "Briar", "Fern", "Heather", "Holly", "Ivy", "Laurel", "Moss", "Raven", "Thorn", "Wren",
    "Ash", "Copper", "Elder", "Hazel", "Juniper", "Linden", "Marble", "Quill", "Rush",
]

CITY_ENDS = [
    "dale", "haven", "ford", "wick", "mere", "stead", "brook", "crest", "ridge", "hollow", "field",
    "bury", "ton", "port", "vale", "moor",
]

CITY_EXTRAS = [
    "Springs", "Heights", "Junction", "Corners", "Mills",
]

TOWN_WORDS = CITY_EXTRAS + [
    "Falls", "Crossing", "Landing", "Hills", "Valley", "Station", "Harbor", "Grove", "Park", "Lake",
    "Creek",
]

# From this attempt on, candidates come from each kind's widened family.
WIDENED_FROM = 4000
# A seven-digit phone takes ten-digit stand-ins from WIDENED_FROM, and from
# here on, like every other phone past WIDENED_FROM, one with an extension.
PHONE_EXTENSION_FROM = 8000

AREA_CODES = [
    "201", "202", "203", "205", "206", "207", "208", "212", "213", "214", "215", "216", "217",
    "218", "301", "302", "303", "304", "305", "307", "308", "309", "312", "313", "314", "315",
    "316", "317", "319", "401", "402", "404", "405", "406", "407", "408", "410", "412", "413",
    "414", "415", "417", "419", "423", "501", "502", "503", "504", "505", "507", "508", "509",
    "512", "513", "515", "516", "517", "518", "601", "602", "603", "605", "606", "607", "608",
    "609", "612", "614", "615", "616", "617", "618", "619", "702", "703", "704", "706", "707",
    "708", "712", "713", "714", "715", "716", "717", "718", "719", "720", "802", "803", "804",
    "805", "806", "808", "810", "812", "813", "814", "815", "816", "817", "818", "901", "903",
    "904", "907", "908", "909", "910", "912", "913", "914", "915", "916", "917", "918", "919",
    "920",
]

STREET_TYPES = [("Street", "St"), ("Avenue", "Ave"), ("Road", "Rd"), ("Lane", "Ln"), ("Drive", "Dr"), ("Court", "Ct"), ("Place", "Pl"), ("Boulevard", "Blvd"), ("Terrace", "Ter"), ("Way", "Way"), ("Circle", "Cir"), ("Trail", "Trl")]
EMAIL_DOMAINS = ["example.com", "example.net", "example.org"]

NAMESPACES = {
    "firstName": "word", "lastName": "word", "city": "word",
    "email": "email", "phone": "phone", "street": "street", "zip": "zip",
}

# The characters with the Unicode White_Space property.
WHITE_SPACE = set(chr(c) for c in list(range(0x09, 0x0E)) + [0x20, 0x85, 0xA0, 0x1680]
                  + list(range(0x2000, 0x200B)) + [0x2028, 0x2029, 0x202F, 0x205F, 0x3000])


def split_white(text):
    words, word = [], ""
    for ch in text:
        if ch in WHITE_SPACE:
            if word:
                words.append(word)
            word = ""
        else:
            word += ch
    if word:
        words.append(word)
    return words


def only_digits(text):
    return "".join(ch for ch in text if "0" <= ch <= "9")


def normalize(value, kind):
    if kind in ("firstName", "lastName", "city"):
        return " ".join(split_white(value.lower()))
    if kind == "email":
        text = value
        while text and text[0] in WHITE_SPACE:
            text = text[1:]
        while text and text[-1] in WHITE_SPACE:
            text = text[:-1]
        return text.lower()
    if kind == "street":
        return " ".join(split_white(value.lower().replace(".", "").replace(",", " ")))
    if kind == "phone":
        d = only_digits(value)
        return d[1:] if len(d) == 11 and d[0] == "1" else d
    if kind == "zip":
        return only_digits(value)[:5]
    raise ValueError(kind)


def real_key(value, kind):
    return kind + "|" + normalize(value, kind)


def space_key(value, kind):
    return NAMESPACES[kind] + "|" + normalize(value, kind)


def matching_case(value, like):
    letters = "".join(ch for ch in like if ch.isalpha())
    if len(letters) <= 1:
        return value
    if letters == letters.upper() and letters != letters.lower():
        return value.upper()
    if letters == letters.lower() and letters != letters.upper():
        return value.lower()
    return value


def digit_string(number, k):
    text = str(number % 10_000_000_000)[-k:]
    return text + "7" * (k - len(text))


class Key:
    def __init__(self, secret, entries=()):
        self.secret = secret
        self.entries = []
        self.by_real = {}
        self.by_stand_in = {}
        self.taken = set()
        for kind, real, stand_in in entries:
            self.record(kind, real, stand_in)

    def record(self, kind, real, stand_in):
        k = real_key(real, kind)
        if k in self.by_real:
            return
        self.entries.append((kind, real, stand_in))
        i = len(self.entries) - 1
        self.by_real[k] = i
        self.by_stand_in[space_key(stand_in, kind)] = i
        self.taken.add(space_key(real, kind))
        self.taken.add(space_key(stand_in, kind))

    def stored(self, real, kind):
        i = self.by_real.get(real_key(real, kind))
        return None if i is None else self.entries[i][2]

    def d(self, seed, attempt, variant=""):
        message = (seed + "|" + str(attempt) + "|" + variant).encode("utf-8")
        mac = hmac.new(self.secret, message, hashlib.sha256).digest()
        return int.from_bytes(mac[:8], "big")

    def candidate(self, kind, real, norm, seed, attempt):
        def d(variant=""):
            return self.d(seed, attempt, variant)

        if attempt >= WIDENED_FROM and kind not in ("street", "email"):
            return self.widened(kind, real, norm, attempt, d("w"))
        if kind in ("firstName", "lastName"):
            pool = FIRST_NAMES if kind == "firstName" else LAST_NAMES
            n = len(pool)
            if attempt < 2 * n:
                name = pool[d() % n]
            else:
                name = pool[d("a") % n] + "-" + pool[d("b") % n]
            return matching_case(name, real)
        if kind == "city":
            town = CITY_STARTS[d("s") % 30] + CITY_ENDS[d("e") % 16]
            if attempt > 599:
                town += " " + CITY_EXTRAS[attempt % 5]
            return matching_case(town, real)
        if kind == "street":
            house = 10 + d("n") % 9980
            pair = STREET_TYPES[d("t") % 12]
            words = split_white(real)
            last = words[-1].lower().replace(".", "") if words else ""
            short = any(s.lower() == last and l.lower() != last for l, s in STREET_TYPES)
            street_type = pair[1] if short else pair[0]
            name = STREET_NAMES[d("s") % 63]
            return matching_case("%d %s %s" % (house, name, street_type), real)
        if kind == "phone":
            if attempt <= 1999:
                area = AREA_CODES[d() % 118]
            else:
                area = str(200 + d("x") % 800)
            line = "01" + "%02d" % (d("l") % 100)
            if len(norm) == 7:
                return "555" + line
            return area + "555" + line
        if kind == "zip":
            z = "%05d" % (10000 + d() % 89900)
            if len(only_digits(real)) == 9:
                z += "-%04d" % (d("4") % 10000)
            return z
        if kind == "email":
            return self.email_candidate(real, attempt, d)
        raise ValueError(kind)

    @staticmethod
    def widened(kind, real, norm, attempt, w):
        # Every part comes from one number, read as mixed-radix digits.

        def take(radix):
            nonlocal w
            digit = w % radix
            w //= radix
            return digit

        if kind in ("firstName", "lastName"):
            pool = FIRST_NAMES if kind == "firstName" else LAST_NAMES
            return matching_case("-".join(pool[take(len(pool))] for _ in range(3)), real)
        if kind == "city":
            towns = []
            for _ in range(2):
                start = CITY_STARTS[take(30)]
                towns.append(start + CITY_ENDS[take(16)])
            return matching_case("-".join(towns) + " " + TOWN_WORDS[take(16)], real)
        if kind == "phone":
            area = 200 + take(800)
            number = "%d55501%02d" % (area, take(100))
            if len(norm) != 7 or attempt >= PHONE_EXTENSION_FROM:
                number += "x%d" % (1000 + take(9000))
            return number
        if kind == "zip":
            z = "%05d" % take(100000)
            if len(only_digits(real)) == 9:
                z += "-%04d" % take(10000)
            return z
        raise ValueError(kind)

    def email_candidate(self, real, attempt, d):
        pieces = [p for p in real.split("@") if p]
        local = pieces[0].lower() if pieces else real.lower()
        domain = EMAIL_DOMAINS[d("d") % 3]
        tokens, separators, current = [], [], ""
        for ch in local:
            if ch in ".-_+":
                tokens.append(current)
                separators.append(ch)
                current = ""
            else:
                current += ch
        tokens.append(current)

        if attempt < 50:
            named = self.name_based(tokens, separators, attempt, d)
            if named is not None:
                return named + "@" + domain

        first = FIRST_NAMES[d("f") % 266].lower()
        last = LAST_NAMES[d("l") % 240].lower()
        if separators:
            out = first + separators[0] + last
        elif len(local) <= 8:
            out = first[0] + last
        else:
            out = first + last
        trailing = len(local) - len(local.rstrip("0123456789"))
        if trailing > 0:
            out += digit_string(d("t"), min(trailing, 4))
        if attempt >= 3000:
            out += str(attempt)
        return out + "@" + domain

    def name_based(self, tokens, separators, attempt, d):
        parts = []
        had_letters = False
        for i, token in enumerate(tokens):
            j = 0
            while j < len(token) and token[j].isalpha():
                j += 1
            letters, rest = token[:j], token[j:]
            if any(not ("0" <= ch <= "9") for ch in rest):
                return None
            part = ""
            if letters:
                had_letters = True
                found = self.stored(letters, "firstName")
                if found is None:
                    found = self.stored(letters, "lastName")
                if found is None:
                    return None
                part = found.lower()
            if rest:
                part += digit_string(d("p" + str(i)), len(rest))
            parts.append(part)
        if not had_letters:
            return None
        out = parts[0]
        for sep, part in zip(separators, parts[1:]):
            out += sep + part
        if attempt > 0:
            out += str(attempt)
        return out

    def all_zip_codes_taken(self):
        return sum(1 for k in self.taken if k.startswith("zip|") and len(k) == 9) >= 100000

    def is_free(self, cand, kind, words=frozenset(), values=frozenset()):
        k = space_key(cand, kind)
        if k in self.taken or k in values:
            return False
        if kind in ("firstName", "lastName", "city"):
            if normalize(cand, kind) in words:
                return False
            if any(p.lower() in words for p in cand.split("-") if p):
                return False
        return True

    def assign(self, real, kind):
        found = self.stored(real, kind)
        if found is not None:
            return found
        norm = normalize(real, kind)
        seed = kind + "|" + norm
        chosen = None
        attempt = 0
        while chosen is None:
            if kind == "zip" and attempt >= WIDENED_FROM and self.all_zip_codes_taken():
                # Five digits hold no more; the value shares a stand-in.
                chosen = self.candidate(kind, real, norm, seed, WIDENED_FROM + len(self.entries))
                break
            cand = self.candidate(kind, real, norm, seed, attempt)
            if self.is_free(cand, kind):
                chosen = cand
            attempt += 1
        self.record(kind, real, chosen)
        return chosen


# Key files ------------------------------------------------------------------

def read_passphrase(path):
    with open(path, "rb") as f:
        line = f.read().split(b"\n", 1)[0]
    if line.endswith(b"\r"):
        line = line[:-1]
    return line.decode("utf-8")


def file_secret(passphrase, salt, rounds):
    data = unicodedata.normalize("NFC", passphrase).encode("utf-8")
    return hashlib.pbkdf2_hmac("sha256", data, salt, rounds, 32)


def header(fmt, key_id, created_seconds, salt, rounds):
    return ("%d|%s|%d|passphrase|%s|%d" % (fmt, key_id, created_seconds,
                                            base64.b64encode(salt).decode("ascii"), rounds)).encode("utf-8")


def open_key_file(path, passphrase):
    from cryptography.hazmat.primitives.ciphers.aead import AESGCM
    with open(path, "rb") as f:
        doc = json.load(f)
    protection = doc["protection"]["passphrase"]
    salt = base64.b64decode(protection["salt"], validate=True)
    rounds = protection["rounds"]
    created = datetime.datetime.strptime(doc["created"], "%Y-%m-%dT%H:%M:%SZ").replace(
        tzinfo=datetime.timezone.utc)
    box = base64.b64decode(doc["box"], validate=True)
    aad = header(doc["format"], doc["id"].upper(), int(created.timestamp()), salt, rounds)
    plain = AESGCM(file_secret(passphrase, salt, rounds)).decrypt(box[:12], box[12:], aad)
    inner = json.loads(plain)
    key = Key(base64.b64decode(inner["secret"], validate=True))
    for e in inner["entries"]:
        key.record(e["kind"], e["real"], e["standIn"])
    return key


def write_key_file(path, name, passphrase, rounds, secret, entries, files):
    from cryptography.hazmat.primitives.ciphers.aead import AESGCM
    key_id = str(uuid.uuid4()).upper()
    now = int(datetime.datetime.now(datetime.timezone.utc).timestamp())
    created = datetime.datetime.fromtimestamp(now, datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")
    inner = {
        "id": key_id, "name": name, "created": created,
        "secret": base64.b64encode(secret).decode("ascii"),
        "entries": [{"kind": k, "real": r, "standIn": s} for k, r, s in entries],
        "files": files,
    }
    plain = json.dumps(inner, sort_keys=True, separators=(",", ":")).encode("utf-8")
    salt = os.urandom(16)
    nonce = os.urandom(12)
    aad = header(1, key_id, now, salt, rounds)
    box = nonce + AESGCM(file_secret(passphrase, salt, rounds)).encrypt(nonce, plain, aad)
    outer = {
        "box": base64.b64encode(box).decode("ascii"), "created": created, "format": 1,
        "id": key_id, "name": name,
        "protection": {"passphrase": {"rounds": rounds, "salt": base64.b64encode(salt).decode("ascii")}},
    }
    with open(path, "w", encoding="utf-8") as f:
        f.write(json.dumps(outer, sort_keys=True, separators=(",", ":")))
    return key_id


# Command line ----------------------------------------------------------------

def triple(text):
    kind, real, stand_in = text.split(":", 2)
    return kind, real, stand_in


def main():
    parser = argparse.ArgumentParser(description="stand-ins and key files, a second implementation")
    sub = parser.add_subparsers(dest="command", required=True)

    c = sub.add_parser("candidate")
    c.add_argument("--secret-hex", required=True)
    c.add_argument("--kind", required=True)
    c.add_argument("--attempt", type=int, default=0)
    c.add_argument("--known", action="append", default=[], type=triple)
    c.add_argument("values", nargs="+")

    a = sub.add_parser("assign")
    a.add_argument("--secret-hex")
    a.add_argument("--key")
    a.add_argument("--passphrase-file")
    a.add_argument("--kind", help="without it, each value is written KIND:VALUE")
    a.add_argument("values", nargs="+")

    n = sub.add_parser("new-key")
    n.add_argument("--name", required=True)
    n.add_argument("--out", required=True)
    n.add_argument("--passphrase-file", required=True)
    n.add_argument("--rounds", type=int, default=600000)
    n.add_argument("--secret-hex")
    n.add_argument("--entry", action="append", default=[], type=triple)
    n.add_argument("--file", action="append", default=[])

    args = parser.parse_args()
    out = sys.stdout
    if args.command == "candidate":
        key = Key(bytes.fromhex(args.secret_hex), args.known)
        for value in args.values:
            norm = normalize(value, args.kind)
            cand = key.candidate(args.kind, value, norm, args.kind + "|" + norm, args.attempt)
            out.write("%s\t%s\n" % (value, cand))
    elif args.command == "assign":
        if args.key:
            key = open_key_file(args.key, read_passphrase(args.passphrase_file))
        else:
            key = Key(bytes.fromhex(args.secret_hex))
        for value in args.values:
            kind = args.kind
            if kind is None:
                kind, value = value.split(":", 1)
            out.write("%s\t%s\n" % (value, key.assign(value, kind)))
    else:
        secret = bytes.fromhex(args.secret_hex) if args.secret_hex else os.urandom(32)
        out.write(write_key_file(args.out, args.name, read_passphrase(args.passphrase_file),
                                 args.rounds, secret, args.entry, args.file) + "\n")


if __name__ == "__main__":
    main()
