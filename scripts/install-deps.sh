#!/usr/bin/env bash
# Installs the Debian packages Quorvane builds and tests with. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libxcb1-dev libxcb-keysyms1-dev libqt6svg6
    qtkeychain-qt6-dev libphonenumber-dev
    libssl-dev zlib1g-dev libgtest-dev libgmock-dev
    python3 python3-cryptography
    gnome-keyring dbus dbus-x11 libsecret-tools
    libreoffice-calc-nogui
    xvfb xdotool xclip
)
if [ -n "${QUORVANE_EXTRA_PACKAGES:-}" ]; then
    read -r -a extra <<< "$QUORVANE_EXTRA_PACKAGES"
    packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
