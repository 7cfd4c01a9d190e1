#!/usr/bin/env bash
# Cross-builds the Tesseract text recogniser for 64-bit Windows from Debian's own source
# package, the same version as the native libtesseract-dev, into PREFIX: the static library
# alone (its programs are not built), its headers and, in notices/, its licence and authors.
# The LSTM engine only, no OpenMP, training tools, archives, curl, OpenCL or graphics; no
# -march=native (the build machine's instructions would end up in users' exes): its dot
# products pick their code by the CPU at run time. Images stay Leptonica's own in memory, and
# no debug font is looked for.
# Usage: build-tesseract-mingw.sh PREFIX TOOLCHAIN_FILE LEPTONICA_PREFIX
set -euo pipefail
prefix=$1
toolchain=$2
leptonica=$3
work="$prefix.work"

source "$(dirname "$0")/debian-source.sh"
enter_work_folder "$work"
fetch_debian_source libtesseract-dev tesseract
tar xzf "$(ls tesseract_*.orig.tar.gz | grep -v -- -test)"
source_dir=$(find . -maxdepth 1 -type d -name 'tesseract-*' | head -n 1)

flags="-ffile-prefix-map=$work=. -DTESSERACT_IMAGEDATA_AS_PIX -DTESSERACT_DISABLE_DEBUG_FONTS"
cmake -S "$source_dir" -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DSW_BUILD=OFF -DOPENMP_BUILD=OFF -DBUILD_TRAINING_TOOLS=OFF -DBUILD_TESTS=OFF \
    -DDISABLED_LEGACY_ENGINE=ON -DDISABLE_ARCHIVE=ON -DDISABLE_CURL=ON -DENABLE_OPENCL=OFF \
    -DGRAPHICS_DISABLED=ON -DENABLE_LTO=OFF -DINSTALL_CONFIGS=OFF \
    -DCOMPILER_SUPPORTS_MARCH_NATIVE=OFF \
    -DLeptonica_DIR="$leptonica/lib/cmake/leptonica" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" >"$work/cmake.log" 2>&1 ||
    { tail -n 40 "$work/cmake.log" >&2; exit 1; }
cmake --build build -j2 --target libtesseract >"$work/make.log" 2>&1 ||
    { tail -n 50 "$work/make.log" >&2; exit 1; }
mkdir -p "$prefix/lib" "$prefix/include/tesseract" "$prefix/notices"
find build -name 'libtesseract*.a' -exec cp {} "$prefix/lib/libtesseract.a" \;
cp "$source_dir"/include/tesseract/*.h build/include/tesseract/*.h "$prefix/include/tesseract/"
cp "$source_dir/LICENSE" "$source_dir/AUTHORS" "$prefix/notices/"
cd /
rm -rf "$work"
