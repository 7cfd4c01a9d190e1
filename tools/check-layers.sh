#!/usr/bin/env bash
# The layers and rooms as the code must keep them: only the Windows layer and the exe include
# <windows.h>; the Windows layer never includes the app; a room of the app includes no other
# room; directly in src/app only the composition root (the main form and the program's start).
set -euo pipefail

src=$(cd "$(dirname "$0")/../src" && pwd)
cd "$src"
failed=0
fail() {
    echo "layers: $*" >&2
    failed=1
}

while IFS= read -r file; do
    case "$file" in
    win32/* | exe/*) ;;
    *) fail "$file includes <windows.h>" ;;
    esac
done < <(grep -rlE '#include <windows\.h>' --include='*.h' --include='*.cpp' . | sed 's#^\./##')

while IFS= read -r file; do
    fail "$file includes the app"
done < <(grep -rlE '#include "app/' win32 --include='*.h' --include='*.cpp' || true)

for room in app/*/; do
    room=${room%/}
    name=${room#app/}
    while IFS=: read -r file _ include; do
        target=$(sed -E 's#.*"app/([^/"]+)/.*#\1#' <<<"$include")
        if [[ "$include" =~ \"app/[^/\"]+\.h\" ]]; then
            fail "$file includes the main form's $include"
        elif [[ "$target" != "$name" ]]; then
            fail "$file (room $name) includes room $target: $include"
        fi
    done < <(grep -rnE '#include "app/' "$room" || true)
done

count=$(find app -maxdepth 1 -type f | wc -l)
if ((count > 6)); then
    fail "src/app holds $count files beside its rooms (at most six: the main form and the start)"
fi
exit $failed
