#!/usr/bin/env bash
# The demo itself, given the built command-line tool: swap the sample customer
# list for stand-ins, restore it and a pasted AI-style reply, and check that
# every real value came back.
set -euo pipefail
cli=$(realpath "${1:?usage: demo-run.sh PATH-TO-quorvane}")
examples=$(realpath "$(dirname "$0")/../examples")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples/customers.csv" "$examples/customers.xlsx" "$work/"
cd "$work"
export QUORVANE_PASSPHRASE="correct horse battery staple demo"

say() { printf '\n== %s\n' "$*"; }
# The first N data rows of a sheet, as a Markdown table.
rows() { "$cli" markdown "$1" --rows "$2"; }
# The value in column $2 (counted from 1) of data row $3 of a sheet.
cell() {
    "$cli" markdown "$1" --range "$3-$3" | tail -n 1 |
        awk -v c="$2" -F ' \\| ' '{ gsub(/^\| | \|$/, ""); split($0, f, / \| /); print f[c] }'
}

say "A new project key (kept sealed with a passphrase) in $work"
"$cli" key new --name "Demo customers" --out demo.quorvanekey >/dev/null
"$cli" key show demo.quorvanekey

say "What a swap of customers.csv would replace (the first values of the review list)"
"$cli" scan customers.csv --key demo.quorvanekey | sed -n '1,14p'
echo "..."
"$cli" scan customers.csv --key demo.quorvanekey | sed -n '/^Columns:/,$p'

say "Swapping the CSV file and the Excel workbook with the same key"
"$cli" swap customers.csv --key demo.quorvanekey
"$cli" swap customers.xlsx --key demo.quorvanekey

say "Before: the first three customers"
rows customers.csv 3
say "After: the same rows in the swapped copy, ready for a contractor or an AI chat"
rows "customers (stand-ins).csv" 3

say "The workbook got the same stand-ins for the same people"
rows "customers (stand-ins).xlsx" 1

say "Restoring the swapped copies"
"$cli" restore "customers (stand-ins).csv" --key demo.quorvanekey -o restored.csv
"$cli" restore "customers (stand-ins).xlsx" --key demo.quorvanekey -o restored.xlsx

say "The copy came back sorted by name, with a row added and a note edited"
{
    head -n 1 "customers (stand-ins).csv"
    tail -n +2 "customers (stand-ins).csv" | sort -t, -k2 |
        sed '1s/$/ Checked by the contractor./'
    echo "1025,New Lead,,,,Basic,Found through $(cell "customers (stand-ins).csv" 2 2)."
} > returned.csv
"$cli" restore returned.csv --key demo.quorvanekey -o returned-restored.csv
grep -c "" returned-restored.csv | xargs printf '%s lines in the restored copy; the added row now reads:\n'
tail -n 1 returned-restored.csv

say "An AI's reply written with stand-ins, pasted back"
name=$(cell "customers (stand-ins).csv" 2 1)
email=$(cell "customers (stand-ins).csv" 3 1)
phone=$(cell "customers (stand-ins).csv" 4 1)
other=$(cell "customers (stand-ins).csv" 2 3)
reply="Here is a follow-up plan:
1. Call $name at $phone this week and confirm the renewal; send the summary to $email.
2. ${other%% *} asked for a call back on Friday — put it on ${name%% *}'s list too."
echo "$reply"
echo "-- restored:"
echo "$reply" | "$cli" restore-text --key demo.quorvanekey

say "Checking that the restored files hold exactly the original values"
status=0
for kind in csv xlsx; do
    if diff <("$cli" markdown "customers.$kind") <("$cli" markdown "restored.$kind") >/dev/null; then
        echo "customers.$kind: every cell of the restored copy equals the original."
    else
        echo "customers.$kind: the restored copy differs from the original:"
        diff <("$cli" markdown "customers.$kind") <("$cli" markdown "restored.$kind") || true
        status=1
    fi
done
say "A generated export of 3 000 customers, with a key of its own: names in title case, capitals and lower case, companies, ZIP+4"
# Its own key: the export's town column is left as it is, and a town that
# happened to be a stand-in of the sample's key would be reported as such.
"$cli" key new --name "Demo export" --out export.quorvanekey >/dev/null
python3 "$examples/../scripts/make-customers.py" 3000 > export.csv
"$cli" swap export.csv --key export.quorvanekey -o export-swapped.csv
"$cli" restore export-swapped.csv --key export.quorvanekey -o export-restored.csv
if cmp -s export.csv export-restored.csv; then
    echo "export.csv: every cell of the restored copy equals the original."
else
    echo "export.csv: the restored copy differs from the original:"
    diff export.csv export-restored.csv | head -n 20 || true
    status=1
fi

if diff <("$cli" markdown customers.csv) <("$cli" markdown "customers (stand-ins).csv") >/dev/null; then
    echo "The swapped copy is identical to the original; nothing was swapped."
    status=1
fi
exit $status
