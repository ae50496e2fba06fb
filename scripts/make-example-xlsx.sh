#!/usr/bin/env bash
# Makes examples/customers.xlsx from examples/customers.csv with LibreOffice
# (package libreoffice-calc-nogui). The customer number stays a number; every
# other column is imported as text, so phone numbers and ZIP codes keep their
# layout and leading zeros the way a careful spreadsheet user would keep them.
set -euo pipefail
cd "$(dirname "$0")/.."
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# CSV import options: comma separator, double quotes, UTF-8, start at row 1,
# then column/format pairs (1 standard, 2 text).
filter='CSV:44,34,76,1,1/1/2/2/3/2/4/2/5/2/6/2/7/2'
soffice -env:UserInstallation="file://$profile" --headless --infilter="$filter" \
    --convert-to xlsx --outdir examples examples/customers.csv >/dev/null
echo "wrote examples/customers.xlsx"
