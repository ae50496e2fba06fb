#!/usr/bin/env bash
# Rebuilds the workbook fixtures of tests/data/files from the hand-written flat
# OpenDocument sources next to them, with LibreOffice (libreoffice-calc-nogui):
#   people.fods  several sheets, a string shown by several cells, rich text,
#                a text formula, numbers, dates, booleans, a comment, an author
#   rows.xlsx    one sheet of 10 000 rows, from a source generated here
set -euo pipefail
cd "$(dirname "$0")/../tests/data/files"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN {
    split("Ann Bob Carla Dev Emma Finn Gus Hana", first, " ");
    split("Lee Miller Novak Ortiz Patel Quinn", last, " ");
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    print "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"";
    print "  xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"";
    print "  xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"";
    print "  office:version=\"1.3\" office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">";
    print "<office:body><office:spreadsheet><table:table table:name=\"Rows\">";
    for (i = 1; i <= 10000; i++) {
        name = first[i % 8 + 1] " " last[i % 6 + 1];
        printf "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"%d\"><text:p>%d</text:p></table:table-cell>", i, i;
        printf "<table:table-cell office:value-type=\"string\"><text:p>%s</text:p></table:table-cell>", name;
        printf "<table:table-cell office:value-type=\"string\"><text:p>group %d</text:p></table:table-cell></table:table-row>\n", i % 40;
    }
    print "</table:table></office:spreadsheet></office:body></office:document>";
}' > "$work/rows.fods"

soffice -env:UserInstallation="file://$work/profile" --headless --convert-to xlsx --outdir . \
    source/people.fods "$work/rows.fods"
