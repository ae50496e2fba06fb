#!/usr/bin/env python3
"""Builds kit/find/data/wordclasses.txt from Princeton WordNet 3.0.

The portable text services need two facts about English words: which lexical
class a word most often has, and whether a capitalised word is an everyday word
or a proper noun. This keeps just that, so builds need no WordNet install.

Usage: scripts/make-wordclasses.py [WORDNET_DIR]   (default /usr/share/wordnet,
from the Debian package wordnet-base).

Each output line is a lower-case word, a space and its classes, most frequent
first: n noun, v verb, a adjective, r adverb; p marks a noun that WordNet only
spells capitalised (places, people, brands). Rare nouns (no tagged sense and a
single meaning) are left out to keep the list small, unless they are long and
no name list holds them: a capitalised "Template" is then still known as a word.
"""
import collections
import os
import re
import sys

WORDNET = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/wordnet"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "kit", "find", "data", "wordclasses.txt")
# Short rare nouns are as often names no list holds ("kat", "oriel", "begum").
SHORTEST_RARE_NOUN = 7
WORD = re.compile(r"^[a-z][a-z'\-]*$")

NOTICE = """\
# Word classes derived from Princeton WordNet 3.0 by scripts/make-wordclasses.py.
#
# WordNet Release 3.0 This software and database is being provided to you, the
# LICENSEE, by Princeton University under the following license. By obtaining,
# using and/or copying this software and database, you agree that you have
# read, understood, and will comply with these terms and conditions.:
# Permission to use, copy, modify and distribute this software and database and
# its documentation for any purpose and without fee or royalty is hereby
# granted, provided that you agree to comply with the following copyright
# notice and statements, including the disclaimer, and that the same appear on
# ALL copies of the software, database and documentation, including
# modifications that you make for internal use or for distribution. WordNet 3.0
# Copyright 2006 by Princeton University. All rights reserved. THIS SOFTWARE AND
# DATABASE IS PROVIDED "AS IS" AND PRINCETON UNIVERSITY MAKES NO
# REPRESENTATIONS OR WARRANTIES, EXPRESS OR IMPLIED. BY WAY OF EXAMPLE, BUT NOT
# LIMITATION, PRINCETON UNIVERSITY MAKES NO REPRESENTATIONS OR WARRANTIES OF
# MERCHANT- ABILITY OR FITNESS FOR ANY PARTICULAR PURPOSE OR THAT THE USE OF
# THE LICENSED SOFTWARE, DATABASE OR DOCUMENTATION WILL NOT INFRINGE ANY THIRD
# PARTY PATENTS, COPYRIGHTS, TRADEMARKS OR OTHER RIGHTS. The name of Princeton
# University or Princeton may not be used in advertising or publicity
# pertaining to distribution of the software and/or database. Title to
# copyright in this software, database and any associated documentation shall
# at all times remain with Princeton University and LICENSEE agrees to
# preserve same.
"""


def read_index(pos):
    """lemma -> (tagged sense count, sense count)"""
    entries = {}
    with open(os.path.join(WORDNET, "index." + pos), encoding="latin-1") as f:
        for line in f:
            if line.startswith(" "):
                continue
            fields = line.split()
            lemma = fields[0]
            if not WORD.match(lemma):
                continue
            pointer_count = int(fields[3])
            sense_count = int(fields[4 + pointer_count])
            tagged = int(fields[5 + pointer_count])
            entries[lemma] = (tagged, sense_count)
    return entries


def spellings_in_nouns():
    """lower-cased lemma -> set of the spellings WordNet uses for it"""
    spellings = collections.defaultdict(set)
    with open(os.path.join(WORDNET, "data.noun"), encoding="latin-1") as f:
        for line in f:
            if line.startswith(" "):
                continue
            fields = line.split()
            count = int(fields[3], 16)
            for i in range(count):
                word = fields[4 + 2 * i]
                spellings[word.lower()].add(word)
    return spellings


def names():
    """Every given name and surname of the bundled lists, lower case."""
    found = set()
    data = os.path.join(ROOT, "kit", "find", "data")
    for name in ("givennames.txt", "givennames-us.txt", "givennames-world.txt",
                 "surnames.txt", "surnames-us.txt", "surnames-world.txt"):
        with open(os.path.join(data, name), encoding="utf-8") as f:
            for line in f:
                if not line.startswith("#"):
                    found.update(line.split())
    return found


def main():
    classes = {"n": read_index("noun"), "v": read_index("verb"),
               "a": read_index("adj"), "r": read_index("adv")}
    spellings = spellings_in_nouns()
    people = names()
    words = sorted(set().union(*classes.values()))
    lines = []
    for word in words:
        ranked = []
        for letter in "nvar":
            if word in classes[letter]:
                tagged, senses = classes[letter][word]
                ranked.append((tagged, senses, letter))
        proper = all(s[:1].isupper() for s in spellings.get(word, {word}))
        if proper and any(r[2] == "n" for r in ranked):
            ranked = [(t, s, "p" if l == "n" else l) for t, s, l in ranked]
        ranked.sort(key=lambda r: (-r[0], -r[1], "nvarp".index(r[2])))
        rare = len(ranked) == 1 and ranked[0][2] == "n" and ranked[0][0] == 0 and ranked[0][1] == 1
        if rare and (word in people or len(word) < SHORTEST_RARE_NOUN or "-" in word or "'" in word):
            continue
        lines.append(word + " " + "".join(r[2] for r in ranked))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w", encoding="utf-8") as f:
        f.write(NOTICE)
        f.write("\n".join(lines) + "\n")
    print(f"{len(lines)} words written to {OUT}")


if __name__ == "__main__":
    main()
