#!/usr/bin/env bash
# Cross-builds ISA-L (Intel's Intelligent Storage Acceleration Library) for 64-bit Windows from
# Debian's own source package, the same version as the native libisal-dev, into PREFIX: the
# static library, its headers and, in notices/, its licence. Its assembly (the SSE, AVX2 and
# AVX-512 kernels picked at run time) is built with yasm, as its configure does for MinGW.
# Usage: build-isal-mingw.sh PREFIX C_COMPILER
set -euo pipefail
prefix=$1
compiler=$2
work="$prefix.work"

if [ -f "$prefix/lib/libisal.a" ] && [ -f "$prefix/notices/LICENSE" ]; then
    exit 0
fi
source "$(dirname "$0")/debian-source.sh"
enter_work_folder "$work"
fetch_debian_source libisal-dev libisal
tar xJf libisal_*.orig.tar.xz
source_dir=$(cd "$(find . -maxdepth 1 -type d -name '*isa*l-*' | head -n 1)" && pwd)

(cd "$source_dir" && ./autogen.sh >/dev/null 2>&1)
mkdir -p build
cd build
# The same bytes from every build: no build folder reaches the objects, archives carry no
# time stamps.
"$source_dir/configure" --host="$(basename "${compiler%-gcc*}")" --enable-static \
    --disable-shared --prefix="$prefix" CC="$compiler" \
    CFLAGS="-O2 -ffile-prefix-map=$work=." AR_FLAGS=crD >/dev/null
# Its own warnings go to a log, shown only when the build fails.
make -j2 libisal.la >"$work/make.log" 2>&1 || { tail -n 50 "$work/make.log" >&2; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include/isa-l" "$prefix/notices"
cp .libs/libisal.a "$prefix/lib/"
cp "$source_dir"/include/*.h "$prefix/include/isa-l/"
cp "$source_dir/LICENSE" "$prefix/notices/"
cd /
rm -rf "$work"
