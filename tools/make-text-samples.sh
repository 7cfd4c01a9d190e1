#!/usr/bin/env bash
# Renders the text recogniser's samples (tests/ocr/samples/NAME.txt) as screens draw text: the
# Japanese font the end-to-end tests use, grey anti-aliasing, dark on light and light on dark,
# at SIZE pixels. Usage: make-text-samples.sh OUT_FOLDER SIZE...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
shift
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
mkdir -p "$out"
for size in "$@"; do
    for sample in "$root"/tests/ocr/samples/*.txt; do
        name=$(basename "$sample" .txt)
        for scheme in "black white dark" "white #202830 light"; do
            read -r fill background look <<<"$scheme"
            convert -background "$background" -fill "$fill" -font "$font" -density 72 \
                -pointsize "$size" -interline-spacing $((size / 3)) label:"$(cat "$sample")" \
                -bordercolor "$background" -border 12 -type TrueColor \
                "$out/$name-$size-$look.png"
        done
    done
done
