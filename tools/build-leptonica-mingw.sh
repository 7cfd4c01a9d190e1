#!/usr/bin/env bash
# Cross-builds Leptonica for 64-bit Windows from Debian's own source package (leptonlib), the
# same version as the native libleptonica-dev, into PREFIX: a static library without any image
# file library (the text recogniser gets its pictures from memory), its headers, its CMake
# package and, in notices/, its licence.
# Usage: build-leptonica-mingw.sh PREFIX TOOLCHAIN_FILE
set -euo pipefail
prefix=$1
toolchain=$2
work="$prefix.work"

source "$(dirname "$0")/debian-source.sh"
enter_work_folder "$work"
fetch_debian_source libleptonica-dev leptonlib
tar xzf leptonlib_*.orig.tar.gz
source_dir=$(find . -maxdepth 1 -type d -name 'leptonica-*' | head -n 1)

no_files=()
for package in GIF JPEG PNG TIFF ZLIB PkgConfig; do
    no_files+=("-DCMAKE_DISABLE_FIND_PACKAGE_$package=ON")
done
cmake -S "$source_dir" -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_PROG=OFF -DSW_BUILD=OFF "${no_files[@]}" \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=." >"$work/cmake.log" 2>&1 ||
    { tail -n 40 "$work/cmake.log" >&2; exit 1; }
cmake --build build -j2 >"$work/make.log" 2>&1 || { tail -n 50 "$work/make.log" >&2; exit 1; }
cmake --install build >/dev/null
# One name whatever the version: the library is found as libleptonica.a.
cp "$prefix"/lib/libleptonica-*.a "$prefix/lib/libleptonica.a.tmp"
mv "$prefix/lib/libleptonica.a.tmp" "$prefix/lib/libleptonica.a"
mkdir -p "$prefix/notices"
cp "$source_dir/leptonica-license.txt" "$prefix/notices/"
cd /
rm -rf "$work"
