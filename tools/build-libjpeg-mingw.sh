#!/usr/bin/env bash
# Cross-builds libjpeg-turbo for 64-bit Windows from Debian's own source package, the same
# version as the native libjpeg62-turbo-dev, into PREFIX (a static library, its headers and, in
# notices/, its licence texts). Its version string's build date is SOURCE_DATE_EPOCH's day.
# Usage: build-libjpeg-mingw.sh PREFIX TOOLCHAIN_FILE
set -euo pipefail
prefix=$1
toolchain=$2
work="$prefix.work"

if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/notices/LICENSE.md" ]; then
    exit 0
fi
source "$(dirname "$0")/debian-source.sh"
enter_work_folder "$work"
fetch_debian_source libjpeg62-turbo-dev libjpeg-turbo
tar xzf libjpeg-turbo_*.orig.tar.gz
source_dir=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)

cmake -S "$source_dir" -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=." \
    -DBUILD="$(date -u -d "@${SOURCE_DATE_EPOCH:-0}" +%Y%m%d)" >/dev/null
cmake --build build -j2 >/dev/null
cmake --install build >/dev/null
# Its notices, for the release's third-party notices.
mkdir -p "$prefix/notices"
cp "$source_dir/LICENSE.md" "$source_dir/README.ijg" "$prefix/notices/"
cd /
rm -rf "$work"
