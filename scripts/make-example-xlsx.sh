#!/usr/bin/env bash
# Makes the workbooks that are committed next to their CSV sources, with
# LibreOffice (package libreoffice-calc-nogui):
#   examples/customers.xlsx             the sample customer list
#   tests/data/swap/mobile-numbers.xlsx a list whose mobile numbers are stored as numbers
set -euo pipefail
cd "$(dirname "$0")/.."
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

# CSV import options: comma separator, double quotes, UTF-8, start at row 1,
# then column/format pairs (1 standard, 2 text).
convert() {
    local source=$1 formats=$2
    soffice -env:UserInstallation="file://$profile" --headless --infilter="CSV:44,34,76,1,$formats" \
        --convert-to xlsx --outdir "$(dirname "$source")" "$source" >/dev/null 2>&1
    echo "wrote ${source%.csv}.xlsx"
}

# The customer number stays a number; every other column is text, so phone
# numbers and ZIP codes keep their layout the way a careful user keeps them.
convert examples/customers.csv 1/1/2/2/3/2/4/2/5/2/6/2/7/2
# Here the mobile numbers are left to the import, which stores them as numbers.
convert tests/data/swap/mobile-numbers.csv 1/2/2/2/3/1
