#!/usr/bin/env bash
# Runs the libFuzzer targets of fuzz/ (sources fuzz/fuzz_TARGET.cpp).
#
#   fuzz/run.sh TARGET SECONDS        fuzz one target for SECONDS
#   fuzz/run.sh all SECONDS           every target; QM_FUZZ_JOBS=2 runs two at a time
#   fuzz/run.sh --replay TARGET|all   run every input of the seed corpus once, then stop
#   fuzz/run.sh --list                the target names
#
# The targets are built into build-fuzz (CMake preset "fuzz": clang, QM_FUZZ=ON) when they are
# missing; QM_FUZZ_BUILD names another build directory. Seeds are read from fuzz/corpus/TARGET
# and never written: inputs the fuzzer finds go to BUILD/fuzz-work/TARGET/corpus, findings
# (crash-*, leak-*, timeout-*, oom-*) to BUILD/fuzz-work/TARGET/, the full log to
# BUILD/fuzz-work/TARGET/last.log. QM_FUZZ_ARGS adds libFuzzer flags.
# Every run ends with one line: "fuzz TARGET: N executions in S s, ..." and the status of the
# target (non-zero on a finding).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QM_FUZZ_BUILD:-$root/build-fuzz}

targets=()
for source in "$root"/fuzz/fuzz_*.cpp; do
    name=${source##*/fuzz_}
    targets+=("${name%.cpp}")
done

usage() {
    sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
}

ensure_built() {
    local missing=0 t
    for t in "$@"; do
        [ -x "$build/fuzz/fuzz_$t" ] || missing=1
    done
    [ "$missing" -eq 0 ] && return 0
    if [ -n "${QM_FUZZ_BUILD:-}" ] && [ ! -f "$build/CMakeCache.txt" ]; then
        echo "fuzz: no fuzz build in $build" >&2
        exit 2
    fi
    if [ ! -f "$build/CMakeCache.txt" ]; then
        (cd "$root" && cmake --preset fuzz >/dev/null)
    fi
    cmake --build "$build" --target "${@/#/fuzz_}" >/dev/null
}

# run_one TARGET MODE [SECONDS]; MODE is fuzz or replay.
run_one() {
    local t=$1 mode=$2 seconds=${3:-0}
    local bin=$build/fuzz/fuzz_$t
    local seeds=$root/fuzz/corpus/$t
    local work=$build/fuzz-work/$t
    mkdir -p "$work/corpus" "$work/tmp" "$seeds"
    local opts=(-timeout=25 -rss_limit_mb=2560 -print_final_stats=1 "-artifact_prefix=$work/")
    [ -f "$root/fuzz/dict/$t.dict" ] && opts+=("-dict=$root/fuzz/dict/$t.dict")
    # shellcheck disable=SC2206
    opts+=(${QM_FUZZ_ARGS:-})
    local dirs=("$seeds")
    if [ "$mode" = fuzz ]; then
        opts+=("-max_total_time=$seconds")
        dirs=("$work/corpus" "$seeds")
    else
        opts+=(-runs=0)
    fi

    local start end status=0
    start=$(date +%s)
    TMPDIR=$work/tmp ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} \
        UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
        "$bin" "${opts[@]}" "${dirs[@]}" >"$work/last.log" 2>&1 || status=$?
    end=$(date +%s)

    local runs corpus
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/last.log" | tail -1)
    corpus=$(find "$work/corpus" -type f | wc -l)
    echo "fuzz $t: ${runs:-?} executions in $((end - start)) s ($mode), scratch corpus $corpus inputs, status $status"
    if [ "$status" -ne 0 ]; then
        echo "---- fuzz $t: last lines of $work/last.log" >&2
        tail -n 60 "$work/last.log" >&2
        ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null >&2 || true
    fi
    printf '%s %s %s %s %s\n' "$(date -u +%FT%TZ)" "$t" "$mode" "${runs:-?}" "$((end - start))" \
        >>"$build/fuzz-work/runs.log"
    return "$status"
}

run_many() {
    local mode=$1 seconds=$2
    shift 2
    local jobs=${QM_FUZZ_JOBS:-1} status=0 t
    for t in "$@"; do
        while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
            wait -n || status=1
        done
        run_one "$t" "$mode" "$seconds" &
    done
    while [ "$(jobs -rp | wc -l)" -gt 0 ]; do
        wait -n || status=1
    done
    return "$status"
}

pick() {
    if [ "$1" = all ]; then
        echo "${targets[@]}"
        return
    fi
    local t
    for t in "${targets[@]}"; do
        if [ "$t" = "$1" ]; then
            echo "$t"
            return
        fi
    done
    echo "fuzz: unknown target '$1' (known: ${targets[*]})" >&2
    exit 2
}

case "${1:-}" in
--list)
    printf '%s\n' "${targets[@]}"
    ;;
--replay)
    [ $# -eq 2 ] || usage
    read -r -a chosen <<<"$(pick "$2")"
    ensure_built "${chosen[@]}"
    run_many replay 0 "${chosen[@]}"
    ;;
"" | -h | --help)
    usage
    ;;
*)
    [ $# -eq 2 ] || usage
    [[ "$2" =~ ^[0-9]+$ ]] || usage
    read -r -a chosen <<<"$(pick "$1")"
    ensure_built "${chosen[@]}"
    run_many fuzz "$2" "${chosen[@]}"
    ;;
esac
