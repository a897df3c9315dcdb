#!/bin/bash
# The seeded automated player plays seeds 1, 2 and 3 for ten years in the
# plain build and each last day's save must be, byte for byte, the golden
# file in tests/data/golden: changes that must not alter how the city plays
# prove it here. The unit test GoldenSaveTest checks the first year of each.
#
#   tools/golden.sh            compare (builds build/ first)
#   tools/golden.sh --update   write the golden files anew from this tree
set -eu
cd "$(dirname "$0")/.."

update=0
case "${1:-}" in
    "") ;;
    --update) update=1 ;;
    *) echo "usage: tools/golden.sh [--update]" >&2; exit 2 ;;
esac

cmake -S . -B build > /dev/null
cmake --build build -j"$(nproc)" --target quillfenn_soak > /dev/null

golden=tests/data/golden
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
pids=()
for seed in 1 2 3; do
    for years in 1 10; do
        env ALSOFT_DRIVERS=null build/tests/quillfenn_soak -y "$years" -s "$seed" \
            -o "$out/seed-$seed-year-$years.sav" > "$out/seed-$seed-year-$years.txt" &
        pids+=($!)
    done
done
status=0
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
if [ $status -ne 0 ]; then
    cat "$out"/*.txt | grep -F 'soak FAILED' >&2 || true
    echo "GOLDEN: a run failed its checks" >&2
    exit 1
fi

for file in "$out"/*.sav; do
    name=$(basename "$file")
    if [ $update -eq 1 ]; then
        cp "$file" "$golden/$name"
        echo "wrote $golden/$name"
    elif cmp -s "$file" "$golden/$name"; then
        echo "same: $name"
    else
        echo "DIFFERS: $name ($(cmp "$file" "$golden/$name" 2>&1 | head -n1))" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "GOLDEN: all saves byte-identical"
exit $status
