#!/usr/bin/env bash
# The demo itself, given the built command-line tool: makes a project key in a
# temporary folder and shows the stand-ins it gives a few sample values.
set -euo pipefail
cli=${1:?usage: demo-run.sh PATH-TO-quorvane}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

say() { printf '\n== %s\n' "$*"; }

# The demo's passphrase; a real one would be typed at the prompt instead.
printf 'demo passphrase 2024\n' > "$work/passphrase"
pass=(--passphrase-file "$work/passphrase")
key=$work/Demo.tesselkey

say "Making a new project key, protected by a passphrase, in $key"
id=$("$cli" key new --name "Demo clients" --out "$key" "${pass[@]}")
echo "The key's id is $id."

say "What the key file says about itself"
"$cli" key show "$key" "${pass[@]}"

say "Stand-ins for some real values (real value, then its stand-in)"
"$cli" key standin "$key" "${pass[@]}" --save --kind firstName John MARIA
"$cli" key standin "$key" "${pass[@]}" --save --kind lastName Smith
"$cli" key standin "$key" "${pass[@]}" --save --kind email john.smith@mail.com
"$cli" key standin "$key" "${pass[@]}" --save --kind phone "+1 (415) 867-5309"
"$cli" key standin "$key" "${pass[@]}" --save --kind street "12 Main St."
"$cli" key standin "$key" "${pass[@]}" --save --kind city Boston
"$cli" key standin "$key" "${pass[@]}" --save --kind zip 02139-4307
echo "The e-mail address reuses the stand-ins John and Smith got; the phone number"
echo "lies in the fictional 555-0100 to 555-0199 range; MARIA stays in capitals."

say "The key now remembers them: asking again gives the same stand-ins"
"$cli" key standin "$key" "${pass[@]}" --kind firstName "john" "JOHN"
"$cli" key show "$key" "${pass[@]}" --json
echo
echo "Without the key's secret (and its passphrase) the real values can't be recovered."
