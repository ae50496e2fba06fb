#!/usr/bin/env python3
"""Build the labelled free-text notes corpus from its hand-written source.

Source: tests/data/find/notes-source.txt, one note per line. A person's name
is written [[like this]]; the text holds no other [[ or ]]. Blank lines and
lines starting with # are skipped.

Split: notes are numbered 1, 2, 3 ... in file order (comments and blank lines
not counted). Odd numbers go to notes-tune.jsonl, even numbers to
notes-heldout.jsonl. Notes are written so that neighbours use different names.

Extra notes: tests/data/find/notes-extra-source.txt, when present, is written
the same way and goes whole to notes-extra.jsonl (no split), so that more
tuning notes never shift the numbering of the held-out half. A note may not
repeat one of the main source. notes-extra2-source.txt, a further set, goes
whole to notes-extra2.jsonl the same way, and notes-extra3-source.txt whole to
notes-extra3.jsonl, notes-extra4-source.txt whole to notes-extra4.jsonl,
notes-extra5-source.txt whole to notes-extra5.jsonl,
notes-extra6-source.txt whole to notes-extra6.jsonl,
notes-extra7-source.txt whole to notes-extra7.jsonl, and
notes-extra8-source.txt whole to notes-extra8.jsonl.
notes-fresh-source.txt, a set written for measuring only,
goes whole to notes-fresh.jsonl, and notes-measure2-source.txt, a second
measuring set, whole to notes-measure2.jsonl.

Notes in other European languages: notes-europe-source.txt, when present, is
split like the main source but numbered on its own (1, 2, 3 ... in its file
order): odd numbers go to notes-europe-tune.jsonl, even numbers to
notes-europe-heldout.jsonl. Its languages are interleaved, so each half holds
every language.

notes-extra9-source.txt, a further set from other kinds of logs, is split the
same way on its own numbering: odd numbers to notes-extra9-tune.jsonl, even
numbers to notes-extra9-heldout.jsonl. notes-extra10-source.txt, notes from
yet other desks, is split the same way: odd numbers to notes-extra10-tune.jsonl,
even numbers to notes-extra10-heldout.jsonl. notes-extra11-source.txt, from
further desks again, is split the same way into notes-extra11-tune.jsonl and
notes-extra11-heldout.jsonl, notes-extra12-source.txt likewise into
notes-extra12-tune.jsonl and notes-extra12-heldout.jsonl, and
notes-extra13-source.txt into notes-extra13-tune.jsonl and
notes-extra13-heldout.jsonl. notes-scripts-source.txt, notes naming people in
scripts other than Latin, is split the same way into notes-scripts-tune.jsonl
and notes-scripts-heldout.jsonl.

Output: one JSON object per line, {"text": ..., "names": [[start, end], ...]},
offsets in UTF-16 code units, half-open, in text order.

Usage: python3 scripts/make-notes-corpus.py [source-dir]
"""
import json
import os
import re
import sys

MARK = re.compile(r"\[\[(.*?)\]\]")


def u16(s):
    return len(s.encode("utf-16-le")) // 2


def parse(line, where):
    text, spans, pos = [], [], 0
    for m in MARK.finditer(line):
        text.append(line[pos:m.start()])
        name = m.group(1)
        start = u16("".join(text))
        text.append(name)
        spans.append([start, start + u16(name)])
        pos = m.end()
        if not name or name != name.strip():
            sys.exit(f"{where}: empty or padded name [[{name}]]")
        if "[" in name or "]" in name:
            sys.exit(f"{where}: nested brackets in [[{name}]]")
        if re.search(r"['’]s?$", name):
            sys.exit(f"{where}: possessive inside [[{name}]]")
    text.append(line[pos:])
    text = "".join(text)
    if "[[" in text or "]]" in text:
        sys.exit(f"{where}: leftover brackets")
    for (a, b), (c, _) in zip(spans, spans[1:]):
        if c < b:
            sys.exit(f"{where}: overlapping names")
    return text, spans


def read_notes(path, seen):
    notes = []
    with open(path, encoding="utf-8") as f:
        for i, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            where = f"{os.path.basename(path)} line {i}"
            text, spans = parse(line, where)
            if text in seen:
                sys.exit(f"{where}: duplicate note")
            seen.add(text)
            notes.append({"text": text, "names": spans})
    return notes


def write_notes(root, label, notes):
    with open(os.path.join(root, f"notes-{label}.jsonl"), "w", encoding="utf-8") as out:
        for note in notes:
            out.write(json.dumps(note, ensure_ascii=False) + "\n")
    names = sum(len(x["names"]) for x in notes)
    empty = sum(1 for x in notes if not x["names"])
    print(f"{label}: {len(notes)} notes, {names} names, {empty} notes without names")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "find")
    seen = set()
    notes = read_notes(os.path.join(root, "notes-source.txt"), seen)
    write_notes(root, "tune", notes[0::2])
    write_notes(root, "heldout", notes[1::2])
    print(f"total: {len(notes)} notes")
    for label in ("extra", "extra2", "extra3", "extra4", "extra5", "extra6", "extra7",
                  "extra8", "fresh", "measure2"):
        extra = os.path.join(root, f"notes-{label}-source.txt")
        if os.path.exists(extra):
            write_notes(root, label, read_notes(extra, seen))
    europe = os.path.join(root, "notes-europe-source.txt")
    if os.path.exists(europe):
        notes = read_notes(europe, seen)
        write_notes(root, "europe-tune", notes[0::2])
        write_notes(root, "europe-heldout", notes[1::2])
    for label in ("extra9", "extra10", "extra11", "extra12", "extra13", "scripts"):
        source = os.path.join(root, f"notes-{label}-source.txt")
        if os.path.exists(source):
            notes = read_notes(source, seen)
            write_notes(root, f"{label}-tune", notes[0::2])
            write_notes(root, f"{label}-heldout", notes[1::2])


if __name__ == "__main__":
    main()
