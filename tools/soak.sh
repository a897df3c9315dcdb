#!/bin/bash
# Builds the soak program with AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer in build-asan/ and lets the automated player play a new
# game for years: every day's checks, a save and load every month, and per
# in-game year the resident memory, the city and the year's books; at the
# end what the player did and reached (unlocks, fires, services).
#
#   tools/soak.sh [-y years] [-s seed]
#
#   -y  in-game years to play (default 10); -s  seed of the game and the player (default 1)
#
# The game's log goes to build-asan/soak-<seed>.log. Exits non-zero when a
# check fails or a sanitizer reports anything, leaks included.
set -eu
cd "$(dirname "$0")/.."

years=10
seed=1
while getopts "y:s:" option; do
    case $option in
        y) years=$OPTARG ;;
        s) seed=$OPTARG ;;
        *) echo "usage: tools/soak.sh [-y years] [-s seed]" >&2; exit 2 ;;
    esac
done

cmake -S . -B build-asan -DQUILLFENN_SANITIZE=address,undefined -DQUILLFENN_BENCHMARKS=OFF > /dev/null
cmake --build build-asan -j4 --target quillfenn_soak > /dev/null

log=build-asan/soak-$seed.log
start=$SECONDS
status=0
env ALSOFT_DRIVERS=null \
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build-asan/tests/quillfenn_soak -y "$years" -s "$seed" -l "$log" || status=$?
echo "wall time $((SECONDS - start)) s, exit status $status, game log in $log"
if [ "$status" -ne 0 ]; then
    echo "SOAK FAILED (seed $seed)"
    exit 1
fi
echo "SOAK PASSED (seed $seed, $years years)"
