#!/usr/bin/env python3
"""Writes an invented customer export as CSV, the way real exports look: names
mostly in title case, some in capitals, some in lower case; companies, state
codes, ZIP and ZIP+4 codes, phones in several layouts, and free-text notes that
mention people.

    python3 scripts/make-customers.py ROWS [SEED] > customers.csv
"""
import csv
import random
import sys

FIRST = """Emeka Rose Tariq Anjali Greta Brighton Autumn Ines Omar Mei Sofia Liam Noah Olivia
Ava Lucas Ethan Isabella Mason Harper Elijah Amelia Logan Evelyn Aiden Abigail Jackson Emily
Sebastian Ella Mateo Scarlett Jack Grace Owen Chloe Wyatt Camila Levi Aria Julian Riley Hudson
Nora Grayson Lily Ezra Zoey Hannah Leo Layla Carter Stella Luke Hazel Daniel Aurora Michael
Savannah David Audrey Joseph Brooklyn Samuel Bella Henry Claire Isaac Skylar Anthony Lucy
Jayden Paisley Thomas Everly Charles Anna Caleb Caroline Josiah Nova Christopher Genesis Andrew
Emilia Joshua Kennedy Nathan Maya Aaron Willow Eli Kinsley Adrian Naomi Jonathan Elena Nolan
Sarah Jeremiah Ariana Easton Allison Elias Gabriella Colton Alice Cameron Madelyn Carson Cora
Robert Ruby Angel Eva Maverick Serenity Nicholas Autumn Dominic Adeline Xavier Hailey Jaxon
Gianna Greyson Valentina Ian Isla Austin Eliana Adam Quinn Jose Nevaeh Jace Ivy Jordan Sadie
Cooper Piper Ryan Lydia Santiago Alexa Kai Josephine Bryson Emery Jason Delilah Kevin Arianna
Priya Wei Fatima Yusuf Kenji Svetlana Dmitri Aisha Chidi Ngozi Raj Deepa Hiroshi Yuki Lars
Ingrid Pierre Amelie Giovanni Chiara Juan Lucia Miguel Carmen""".split()
LAST = """Akana Garcia García Smith Johnson Williams Brown Jones Miller Davis Rodriguez Martinez
Hernandez Lopez Gonzalez Wilson Anderson Thomas Taylor Moore Jackson Martin Lee Perez Thompson
White Harris Sanchez Clark Ramirez Lewis Robinson Walker Young Allen King Wright Scott Torres
Nguyen Hill Flores Green Adams Nelson Baker Hall Rivera Campbell Mitchell Carter Roberts Gomez
Phillips Evans Turner Diaz Parker Cruz Edwards Collins Reyes Stewart Morris Morales Murphy Cook
Rogers Gutierrez Ortiz Morgan Cooper Peterson Bailey Reed Kelly Howard Ramos Kim Cox Ward
Richardson Watson Brooks Chavez Wood James Bennett Gray Mendoza Ruiz Hughes Price Alvarez
Castillo Sanders Patel Myers Long Ross Foster Jimenez Zhang Malmqvist Ridley Dunmore Zelenko
Asamoah Wisniewska Thackeray Okonjo Haddad Kowalski Novak Schmidt Fischer Weber Rossi Bianchi
Tanaka Suzuki Sato Ivanov Petrov Kaur Singh Sharma Gupta Chen Wang Li Liu Yang Huang Zhao Wu
Okafor Mensah Boateng Adeyemi Dubois Moreau Laurent Lefebvre Fontaine Bergstrom Lindqvist
Whitfield Abernathy Pemberton Fairchild Holloway""".split()
CITIES = """Springfield Portland Salem Austin Denver Boulder Madison Albany Dayton Fresno Tulsa
Omaha Reno Boise Tacoma Eugene Spokane Plano Irvine Tempe Mesa Provo Ogden Akron Toledo Flint
Lansing Peoria Joliet Naperville Evanston Duluth Fargo Bismarck Billings Helena Missoula Casper
Cheyenne Pueblo Durango Laramie Topeka Wichita Lawrence Savannah Macon Athens Augusta Columbia""".split()
TWO_WORD_CITIES = ["Palm Desert", "Santa Fe", "San Jose", "Las Cruces", "Fort Collins", "Ann Arbor",
                   "Cedar Rapids", "Grand Forks", "Rapid City", "Sioux Falls", "Baton Rouge", "El Paso"]
STATES = "AL AK AZ AR CA CO CT DE FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY".split()
STREETS = """Oak Maple Pine Cedar Elm Washington Lake Hill Park Main Sunset Ridge Meadow River
Forest Highland Church Spring Mill Walnut Willow Chestnut Franklin Jefferson Lincoln Madison
Jackson Adams Cherry Dogwood Magnolia Birch Hickory Laurel Poplar Sycamore""".split()
TYPES = ["St", "Street", "Ave", "Avenue", "Rd", "Road", "Ln", "Lane", "Dr", "Drive", "Ct", "Blvd", "Way", "Pl"]
UNITS = ["", "", "", "", " Apt 4B", " Suite 210", " Unit 7", " #12"]
COMPANY_WORDS = """Mountain Dental Summit Legal Harbor Freight Blue River Analytics Green Valley
Farms Northwind Traders Pioneer Logistics Silver Oak Consulting Bright Path Learning Cedar
Point Realty Evergreen Health Atlas Machine Redwood Partners Keystone Builders Lakeside
Bakery Prairie Wind Energy Coastal Marine Supply Granite Peak Outfitters""".split()
SUFFIXES = ["Co.", "Inc.", "LLC", "Ltd", "Corp.", "LLP", "Co", "Inc", "PLC", "GmbH", "Group", "Partners"]
DOMAINS = ["gmail.com", "yahoo.com", "outlook.com", "fastmail.com", "acme-mail.net", "proton.me"]
NOTES = [
    "Called {first} about the renewal; follow up next week.",
    "Spoke with {name} — prefers e-mail.",
    "VIP since 2019. Ask {first} about the referral program.",
    "Left voicemail for {upper}.",
    "per {last}, invoice goes to accounts payable",
    "met {lower} at the trade show",
    "",
    "",
    "Paid by check.",
    "Referred by {other}.",
    "{first} {last} asked for a quote on 40 units.",
    "Do not call before 10am.",
    "Shipping to {city}, {state} {zip} from now on.",
    "cc {other_lower} on all orders",
]


def cased(rng, text):
    roll = rng.random()
    if roll < 0.1:
        return text.upper()
    if roll < 0.2:
        return text.lower()
    return text


def phone(rng):
    a, b, c = rng.randint(201, 989), rng.randint(200, 999), rng.randint(0, 9999)
    layouts = [f"({a}) {b}-{c:04d}", f"{a}-{b}-{c:04d}", f"{a}.{b}.{c:04d}", f"+1 {a} {b} {c:04d}",
               f"{a}{b}{c:04d}", f"{b}-{c:04d}"]
    return rng.choice(layouts)


def zip_code(rng):
    z = f"{rng.randint(1001, 99950):05d}"
    return z + f"-{rng.randint(0, 9999):04d}" if rng.random() < 0.3 else z


def person(rng):
    first, last = rng.choice(FIRST), rng.choice(LAST)
    return first, last


def row(rng, index):
    first, last = person(rng)
    name = cased(rng, f"{first} {last}")
    other_first, other_last = person(rng)
    city = rng.choice(CITIES) if rng.random() < 0.85 else rng.choice(TWO_WORD_CITIES)
    state, zipc = rng.choice(STATES), zip_code(rng)
    email = f"{first.lower()}.{last.lower()}{rng.choice(['', '', str(rng.randint(1, 99))])}@{rng.choice(DOMAINS)}"
    street = f"{rng.randint(1, 9999)} {rng.choice(STREETS)} {rng.choice(TYPES)}{rng.choice(UNITS)}"
    company = f"{rng.choice(COMPANY_WORDS)} {rng.choice(COMPANY_WORDS)} {rng.choice(SUFFIXES)}"
    note = rng.choice(NOTES).format(first=first, last=last, name=f"{first} {last}", upper=f"{first} {last}".upper(),
                                    lower=f"{first} {last}".lower(), other=f"{other_first} {other_last}",
                                    other_lower=f"{other_first} {other_last}".lower(), city=city, state=state,
                                    zip=zipc)
    date = f"20{rng.randint(18, 25)}-{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}"
    amount = f"{rng.randint(10, 99999)}.{rng.randint(0, 99):02d}"
    return [str(1000 + index), name, email, phone(rng), street, city, state, zipc, company, note, date, amount]


def main():
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 7)
    out = csv.writer(sys.stdout, lineterminator="\r\n")
    out.writerow(["Customer ID", "Full Name", "Email", "Phone", "Street", "City", "State", "ZIP", "Company",
                  "Notes", "Since", "Amount"])
    for i in range(rows):
        out.writerow(row(rng, i))


if __name__ == "__main__":
    main()
