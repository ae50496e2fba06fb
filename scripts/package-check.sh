#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it on this
# machine with apt-get, and swaps and restores the sample with the installed
# command-line tool. Root, or sudo, is needed for the install.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

(cd build && cpack -G DEB >/dev/null 2>&1)
deb=$(ls build/quorvane_*.deb)
remove() { cd / && DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq quorvane >/dev/null 2>&1; }
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb" >/dev/null 2>&1 ||
    { echo "package check: apt-get could not install $deb" >&2; exit 1; }
trap remove EXIT

for file in /usr/bin/quorvane /usr/bin/quorvane-app /usr/share/applications/org.quorvane.Quorvane.desktop \
    /usr/share/metainfo/org.quorvane.Quorvane.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.quorvane.Quorvane.svg; do
    [ -e "$file" ] || { echo "package check: $file is missing" >&2; exit 1; }
done
/usr/bin/quorvane --help >/dev/null

work=$(mktemp -d)
trap 'remove; rm -rf "$work"' EXIT
cp examples/customers.csv "$work/"
cd "$work"
export QUORVANE_PASSPHRASE="package check passphrase 42"
/usr/bin/quorvane key new --name "Package check" --out check.key >/dev/null
/usr/bin/quorvane swap customers.csv --key check.key -o swapped.csv >/dev/null
/usr/bin/quorvane restore swapped.csv --key check.key -o restored.csv >/dev/null
if cmp -s customers.csv swapped.csv || ! cmp -s customers.csv restored.csv; then
    echo "package check: the installed tool did not swap and restore the sample" >&2
    exit 1
fi
echo "package check: $(basename "$deb") installs, and its quorvane swaps and restores the sample."
