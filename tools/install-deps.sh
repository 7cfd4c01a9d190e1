#!/usr/bin/env bash
# Installs what building and testing Quorlan needs on Debian 12 (run as root). Does nothing
# when everything is there already.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    libgtest-dev libbenchmark-dev libjpeg62-turbo-dev libisal-dev libpng-dev
    libtesseract-dev libleptonica-dev tesseract-ocr-jpn tesseract-ocr-eng
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    wine64 wine xvfb x11-utils xdotool nasm yasm autoconf automake libtool fonts-ipafont-gothic
    locales imagemagick dpkg-dev faketime
    clang libclang-rt-14-dev xserver-xorg-core xserver-xorg-video-dummy
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Wine reads Japanese file names and arguments correctly only with the glibc locale present.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen
fi

# The Windows build compiles libjpeg-turbo and ISA-L from Debian's source packages: their
# entries are made from the machine's own package sources (same addresses, suites and components).
derive_source_entries() {
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] && [ "$(basename "$file")" != quorlan-deb-src.sources ] || continue
        # deb822 paragraphs of type deb, repeated as deb-src.
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*(^|[ \t])deb([ \t]|\n|$)/ {
                 sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
    done >/etc/apt/sources.list.d/quorlan-deb-src.sources
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] && [ "$(basename "$file")" != quorlan-deb-src.list ] || continue
        sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$file"
    done >/etc/apt/sources.list.d/quorlan-deb-src.list
    [ -s /etc/apt/sources.list.d/quorlan-deb-src.sources ] ||
        rm -f /etc/apt/sources.list.d/quorlan-deb-src.sources
    [ -s /etc/apt/sources.list.d/quorlan-deb-src.list ] ||
        rm -f /etc/apt/sources.list.d/quorlan-deb-src.list
}
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
    ! grep -rqs '^[[:space:]]*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    derive_source_entries
    apt-get update
fi
