#!/bin/bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each
# for a bounded time, from a seed corpus of the game's own files.
#
#   tools/fuzz.sh [-t seconds] [-n runs] [-j targets at once] [--check] [target...]
#
#   -t  time per target (default 60); -n  stop a target after this many runs
#   -j  targets fuzzed side by side (default 1)
#   --check  only replay the seeds and the inputs of earlier findings
#
# The corpus each target grows is kept in build-fuzz/corpus/<target>; inputs
# that crash, hang, leak or trip a sanitizer land in build-fuzz/artifacts/.
# Exits non-zero when any target found something.
set -eu
cd "$(dirname "$0")/.."
root=$PWD

# One line per target: the name (fuzz/fuzz_<name>.cpp), the longest input, a
# dictionary in fuzz/ or "-", then its seeds: files or folders of the
# repository; run/... is the run folder of the plain build and gen/<name> the
# seeds fuzz/seeds/make_seeds.cpp (glyphs) and make_save_seeds.cpp (save
# files) build. The inputs of earlier findings, tests/data/fuzz/<name>/,
# always join. A save file of the largest map a new game makes, grown, is
# about 200 KB.
targets="
settings         4096   settings.dict         run/conf.dat fuzz/seeds/settings
font_definition  8192   font_definition.dict  run/fonts/*.dat
glyphs           65536  font_definition.dict  gen/glyphs
utf8             4096   -                     run/fonts/*.dat run/conf.dat fuzz/seeds/utf8
save_file        262144 save_file.dict        gen/save_file fuzz/seeds/save_file
"

seconds=60
runs=""
parallel=1
check=0
selected=()
while [ $# -gt 0 ]; do
    case "$1" in
        -t) seconds=$2; shift 2 ;;
        -n) runs=$2; shift 2 ;;
        -j) parallel=$2; shift 2 ;;
        --check) check=1; shift ;;
        -h|--help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
        *) selected+=("$1"); shift ;;
    esac
done
for name in "${selected[@]+"${selected[@]}"}"; do
    if ! awk -v n="$name" '$1 == n { found = 1 } END { exit !found }' <<<"$targets"; then
        echo "fuzz.sh: no target $name" >&2
        exit 2
    fi
done
jobs=${FUZZ_BUILD_JOBS:-3}
out=$root/build-fuzz

bash tools/install-deps.sh --fuzz

# Seeds: the generated fonts and the default conf.dat of a plain build.
cmake -S . -B build >/dev/null
cmake --build build -j"$jobs" --target quillfenn_fonts >/dev/null
cmake -DCONF="$root/build/run/conf.dat" -P cmake/DefaultConf.cmake

cmake -S fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j"$jobs"
rm -rf "$out/gen/glyphs"
mkdir -p "$out/gen/glyphs"
"$out/make_seeds" "$root/build/run" "$out/gen/glyphs"
rm -rf "$out/gen/save_file"
mkdir -p "$out/gen/save_file" "$out/logs"
"$out/make_save_seeds" "$out/gen/save_file" >"$out/logs/make_save_seeds.log" 2>&1 ||
    { echo "fuzz.sh: make_save_seeds failed (log: $out/logs/make_save_seeds.log)" >&2; exit 1; }

# Copies a target's seeds (files, folders or patterns) into one fresh folder.
gather_seeds() {
    local dest=$1 source path found
    shift
    rm -rf "$dest"
    mkdir -p "$dest"
    for source in "$@"; do
        case "$source" in
            run/*) path=$root/build/$source ;;
            gen/*) path=$out/$source ;;
            *) path=$root/$source ;;
        esac
        found=0
        for match in $path; do
            if [ -d "$match" ]; then
                find "$match" -maxdepth 1 -type f -exec cp {} "$dest/" \;
                found=1
            elif [ -f "$match" ]; then
                cp "$match" "$dest/"
                found=1
            fi
        done
        if [ $found -eq 0 ]; then
            echo "fuzz.sh: no seeds at $source" >&2
            return 1
        fi
    done
}

# Fuzzes (or, with --check, replays) one target; its log goes to logs/<name>.log.
run_target() {
    local name=$1 maxlen=$2 dict=$3 log
    shift 3
    set +f
    local regressions=tests/data/fuzz/$name
    [ -d "$regressions" ] && set -- "$@" "$regressions"
    gather_seeds "$out/seeds/$name" "$@" || return 1
    mkdir -p "$out/corpus/$name" "$out/artifacts/$name" "$out/logs"
    log=$out/logs/$name.log
    # A run of the save file target's new-game seed alone takes 6-10 s:
    # the per-input limit leaves room for a busy machine.
    local args=(-max_len="$maxlen" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1
                -artifact_prefix="$out/artifacts/$name/")
    [ "$dict" != "-" ] && args+=(-dict="$root/fuzz/$dict")
    if [ $check -eq 1 ]; then
        args+=(-runs=0 "$out/seeds/$name")
    else
        args+=(-max_total_time="$seconds" "$out/corpus/$name" "$out/seeds/$name")
        [ -n "$runs" ] && args+=(-runs="$runs")
    fi
    if "$out/fuzz_$name" "${args[@]}" >"$log" 2>&1; then
        local executed
        executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "fuzz $name: clean, ${executed:-?} executions (log: $log)"
    else
        echo "fuzz $name: FOUND A FAULT (log: $log)"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|.*runtime error)' "$log" | head -5 || true
        ls "$out/artifacts/$name" | sed "s|^|    $out/artifacts/$name/|"
        return 1
    fi
}

status=0
pids=()
while read -r name maxlen dict seeds; do
    [ -z "$name" ] && continue
    if [ ${#selected[@]} -gt 0 ] && [[ ! " ${selected[*]} " == *" $name "* ]]; then
        continue
    fi
    # The seeds are split into words here and their patterns expanded later.
    set -f
    # shellcheck disable=SC2086
    run_target "$name" "$maxlen" "$dict" $seeds &
    set +f
    pids+=($!)
    if [ ${#pids[@]} -ge "$parallel" ]; then
        wait "${pids[0]}" || status=1
        pids=("${pids[@]:1}")
    fi
done <<<"$targets"
for pid in "${pids[@]}"; do
    wait "$pid" || status=1
done
exit $status
