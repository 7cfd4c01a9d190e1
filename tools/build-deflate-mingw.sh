#!/usr/bin/env bash
# Cross-builds libdeflate for 64-bit Windows from Debian's own source package, the same version
# as the native libdeflate-dev, into PREFIX (a static library, its header and, in notices/, its
# licence).
# Usage: build-deflate-mingw.sh PREFIX C_COMPILER
set -euo pipefail
prefix=$1
compiler=$2
work="$prefix.work"

if [ -f "$prefix/lib/libdeflate.a" ] && [ -f "$prefix/notices/COPYING" ]; then
    exit 0
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"

version=$(dpkg-query -W -f='${source:Version}' libdeflate-dev)
apt-get source --download-only "libdeflate=$version" >/dev/null 2>&1 ||
    apt-get source --download-only libdeflate >/dev/null
tar xzf libdeflate_*.orig.tar.gz
source_dir=$(find . -maxdepth 1 -type d -name 'libdeflate-*' | head -n 1)

# Its own makefile names a MinGW static library libdeflatestatic.lib.
make -C "$source_dir" -j2 CC="$compiler" AR="${compiler%-gcc*}-ar" CFLAGS="-O2 -ffile-prefix-map=$work=." \
    libdeflatestatic.lib >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp "$source_dir/libdeflatestatic.lib" "$prefix/lib/libdeflate.a"
cp "$source_dir/libdeflate.h" "$prefix/include/"
mkdir -p "$prefix/notices"
cp "$source_dir/COPYING" "$prefix/notices/"
cd /
rm -rf "$work"
