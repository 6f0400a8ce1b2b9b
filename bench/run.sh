#!/usr/bin/env bash
# Builds qm-bench and quillomorph-cli, runs the benchmarks on the reference lists of
# tests/fixtures/reference and prints one table: load time, throughput, line length, 200-byte
# lines, peak memory, and quillomorph-cli timed beside ICU's uconv (Russian-Latin/BGN on the
# same Russian text, zh_Latn_PINYIN-ru on the same pinyin). Not part of the tests.
#
#   bench/run.sh [BUILD-DIR]        (default build/; QM_BENCH_MIN_TIME seconds per benchmark)
#
# quillomorph-cli runs as users run it (its threads share a big input: -j as the machine
# has); its one-thread figures (-j1) are printed beside.
#
# QM_REFERENCE names the reference folder when it is not ../shared/reference. QM_BENCH_BASELINE
# names the qm-bench of an earlier build: its steady figures for english, deutsch and francais
# are taken in the same run, taking turns with this build's, and the gain over them printed.
#
# uconv comes with Debian's icu-devtools: installed when missing and running as root, else
# its columns are left empty. Timings are the best of several runs, the commands compared
# taking turns; MB/s counts input bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
reference=${QM_REFERENCE:-tests/fixtures/reference}
baseline=${QM_BENCH_BASELINE:-}
min_time=${QM_BENCH_MIN_TIME:-0.5}

if [ ! -d "$reference" ]; then
    echo "run.sh: no reference lists in $reference" >&2
    exit 1
fi
if ! command -v python3 >/dev/null; then
    echo "run.sh: python3 is needed to read the benchmark results" >&2
    exit 1
fi
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target qm-bench quillomorph-cli >/dev/null
if [ ! -x "$build/bench/qm-bench" ]; then
    echo "run.sh: qm-bench was not built (Google Benchmark missing: scripts/setup-deps.sh)" >&2
    exit 1
fi
if ! command -v uconv >/dev/null && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "run.sh: installing icu-devtools for uconv" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq icu-devtools >/dev/null 2>&1 || true
fi

reference=$(cd "$reference" && pwd)
export QM_REFERENCE=$reference
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(cd "$build/cli" && pwd)/quillomorph-cli

"$build/bench/qm-bench" --benchmark_format=json --benchmark_min_time="$min_time" \
    >"$work/bench.json" 2>"$work/bench.err" || {
    cat "$work/bench.err" >&2
    exit 1
}

# The baseline beside this build: the two take turns, five rounds, and the best round of each
# counts, so that a slow spell of the machine weighs on both alike.
echo '{"benchmarks": []}' >"$work/baseline.json"
echo '{"benchmarks": []}' >"$work/beside.json"
if [ -n "$baseline" ]; then
    for round in 1 2 3 4 5; do
        for which in baseline beside; do
            binary=$baseline
            [ $which = beside ] && binary=$build/bench/qm-bench
            "$binary" --benchmark_format=json --benchmark_min_time="$min_time" \
                --benchmark_filter='Steady/(english|deutsch|francais)$' \
                >"$work/$which-$round.json" 2>"$work/$which.err" || {
                cat "$work/$which.err" >&2
                exit 1
            }
        done
    done
    python3 - "$work" <<'EOF'
import glob, json, sys
for which in ('baseline', 'beside'):
    best = {}
    for path in glob.glob(f'{sys.argv[1]}/{which}-*.json'):
        for b in json.load(open(path))['benchmarks']:
            if b['name'] not in best or b['bytes_per_second'] > best[b['name']]['bytes_per_second']:
                best[b['name']] = b
    json.dump({'benchmarks': list(best.values())}, open(f'{sys.argv[1]}/{which}.json', 'w'))
EOF
fi

# Column 1 of the lists, as the benchmarks read them; the big files repeat them.
column1() { grep -hv '^#' "$@" | cut -f1 | grep -v '^[[:space:]]*$'; }
column1 "$reference/translit/icao-dev.tsv" >"$work/ru.txt"
column1 "$reference/chineese/names-dev.tsv" "$reference/chineese/syllables.tsv" >"$work/zh.txt"
for i in $(seq 40); do cat "$work/ru.txt"; done >"$work/ru-big.txt"
for i in $(seq 400); do cat "$work/zh.txt"; done >"$work/zh-big.txt"
head -n 1 "$work/ru.txt" >"$work/ru-one.txt"
head -n 1 "$work/zh.txt" >"$work/zh-one.txt"

# Best wall times, in seconds, of commands that take turns over the same input, seven runs
# each: best INPUT NAME=COMMAND... [-- NAME=COMMAND...]; prints "NAME seconds" lines. Taking
# turns makes a slow spell of the machine weigh on each command alike.
best() {
    python3 - "$@" <<'EOF'
import subprocess, sys, time
path, commands, current = sys.argv[1], [], None
for arg in sys.argv[2:]:
    if arg == '--':
        current = None
    elif current is None:
        name, first = arg.split('=', 1)
        current = [first]
        commands.append((name, current))
    else:
        current.append(arg)
best = {}
for _ in range(7):
    for name, command in commands:
        with open(path, 'rb') as f:
            start = time.perf_counter()
            subprocess.run(command, stdin=f, stdout=subprocess.DEVNULL, check=True)
            took = time.perf_counter() - start
        best[name] = min(best.get(name, took), took)
for name, _ in commands:
    print(name, best[name])
EOF
}

{
    for lang in ru zh; do
        key=2translit
        transform=Russian-Latin/BGN
        if [ $lang = zh ]; then
            key=chineese
            transform=zh_Latn_PINYIN-ru
        fi
        echo "$lang bytes $(wc -c <"$work/$lang-big.txt")"
        for size in big one; do
            if command -v uconv >/dev/null; then
                best "$work/$lang-$size.txt" "cli-$size=$cli" -l $key -- \
                    "uconv-$size=uconv" -x $transform
            else
                best "$work/$lang-$size.txt" "cli-$size=$cli" -l $key
            fi | sed "s/^/$lang /"
        done
        best "$work/$lang-big.txt" "cli-big-j1=$cli" -l $key -j1 | sed "s/^/$lang /"
    done
    # Peak resident memory of the command line over each language's list.
    if [ -x /usr/bin/time ]; then
        for key in 2translit 4translit chineese deutsch english espanol francais italiano \
            nihongo polski; do
            case $key in
            2translit) lists="$reference/translit/icao-dev.tsv" ;;
            4translit) lists="$reference/translit/reverse-dev.tsv" ;;
            chineese) lists="$reference/chineese/names-dev.tsv $reference/chineese/syllables.tsv" ;;
            *) lists="$reference/$key/names-dev.tsv" ;;
            esac
            # shellcheck disable=SC2086
            column1 $lists >"$work/list.txt"
            /usr/bin/time -f "%M" -o "$work/rss" "$cli" -l $key <"$work/list.txt" >/dev/null
            echo "$key peak-kb $(cat "$work/rss")"
        done
    fi
} >"$work/side.txt"

python3 - "$work/bench.json" "$work/side.txt" "$work/baseline.json" "$work/beside.json" <<'EOF'
import json, sys

runs = {b['name']: b for b in json.load(open(sys.argv[1]))['benchmarks']}
before = {b['name']: b for b in json.load(open(sys.argv[3]))['benchmarks']}
beside = {b['name']: b for b in json.load(open(sys.argv[4]))['benchmarks']}
side = {}
for line in open(sys.argv[2]):
    lang, what, value = line.split()
    side[(lang, what)] = float(value)
keys = ['2translit', '4translit', 'chineese', 'deutsch', 'english', 'espanol', 'francais',
        'italiano', 'nihongo', 'polski']

def ms(name):
    b = runs.get(name)
    if not b: return None
    scale = {'ns': 1e-6, 'us': 1e-3, 'ms': 1.0, 's': 1e3}[b.get('time_unit', 'ns')]
    return b['real_time'] * scale

def counter(name, field):
    b = runs.get(name)
    return b.get(field) if b else None

def fmt(value, digits=2):
    return '-' if value is None else f'{value:.{digits}f}'

rows = [
    ('load, text files (ms)', lambda k: fmt(ms(f'Load/{k}'))),
    ('reference list, steady (MB/s)',
     lambda k: fmt((counter(f'Steady/{k}', 'bytes_per_second') or 0) / 1e6)),
    ('reference list, steady (words/s)',
     lambda k: fmt(counter(f'Steady/{k}', 'items_per_second'), 0)),
    ('reference list, first pass (MB/s)',
     lambda k: fmt((counter(f'FirstPass/{k}', 'bytes_per_second') or 0) / 1e6)),
    ('200-byte line, fresh engine (ms)', lambda k: fmt(ms(f'Line200/{k}'), 3)),
    ('200-byte line, variants', lambda k: fmt(counter(f'Line200/{k}', 'variants'), 0)),
    ('peak memory, reference list (MB)',
     lambda k: fmt(side[(k, 'peak-kb')] / 1024, 1) if (k, 'peak-kb') in side else '-'),
]
width = 36
print(f"{'Figure':<{width}}" + ''.join(f'{k:>11}' for k in keys))
for title, value in rows:
    print(f'{title:<{width}}' + ''.join(f'{value(k):>11}' for k in keys))

print()
print(f"{'Line of one variant (ns per byte)':<{width}}{'1 KB':>11}{'10 KB':>11}{'100 KB':>11}"
      f"{'max/min':>11}")
flat = {}
for key in ['2translit', 'english']:
    values = [counter(f'Length/{key}/{size}', 'ns_per_byte') for size in (1024, 10240, 102400)]
    if None in values:
        continue
    # ns_per_byte is counted in seconds per byte
    values = [v * 1e9 for v in values]
    flat[key] = max(values) / min(values)
    print(f'{key:<{width}}' + ''.join(f'{v:>11.1f}' for v in values) + f'{flat[key]:>11.2f}')

print()
print(f"{'Beside uconv (same input, MB/s)':<{width}}{'qm-cli':>11}{'uconv':>11}{'ratio':>11}"
      f"{'qm (net)':>11}{'uconv (net)':>12}{'ratio':>8}")
ratios = {}
for lang, title in (('ru', '2translit / Russian-Latin/BGN'), ('zh', 'chineese / zh_Latn_PINYIN-ru')):
    size = side[(lang, 'bytes')] / 1e6
    qm, qm1 = side[(lang, 'cli-big')], side[(lang, 'cli-one')]
    if (lang, 'uconv-big') in side:
        uc, uc1 = side[(lang, 'uconv-big')], side[(lang, 'uconv-one')]
        # "net": the time of a one-line run (start-up, loading) taken off
        r, rn = uc / qm, (uc - uc1) / (qm - qm1)
        ratios[lang] = (r, rn)
        print(f'{title:<{width}}{size / qm:>11.2f}{size / uc:>11.2f}{r:>11.2f}'
              f'{size / (qm - qm1):>11.2f}{size / (uc - uc1):>12.2f}{rn:>8.2f}')
    else:
        print(f'{title:<{width}}{size / qm:>11.2f}{"-":>11}{"-":>11}{size / (qm - qm1):>11.2f}'
              f'{"-":>12}{"-":>8}')
print(f"(files of {side[('ru', 'bytes')] / 1e6:.2f} MB and {side[('zh', 'bytes')] / 1e6:.2f} MB:"
      " the lists repeated; best of seven runs, each command in turn)")
for lang, title in (('ru', '2translit'), ('zh', 'chineese')):
    if (lang, 'cli-big-j1') in side and (lang, 'uconv-big') in side:
        one = side[(lang, 'cli-big-j1')]
        print(f"{title} on one thread (-j1): {side[(lang, 'bytes')] / 1e6 / one:.2f} MB/s, "
              f"{side[(lang, 'uconv-big')] / one:.2f}x uconv")

gains = {}
if before:
    print()
    print(f"{'Steady beside the baseline (MB/s)':<{width}}{'baseline':>11}{'now':>11}{'gain':>11}")
    for key in ('english', 'deutsch', 'francais'):
        old = before.get(f'Steady/{key}', {}).get('bytes_per_second')
        new = beside.get(f'Steady/{key}', {}).get('bytes_per_second')
        if old and new:
            gains[key] = new / old
            print(f'{key:<{width}}{old / 1e6:>11.2f}{new / 1e6:>11.2f}{gains[key]:>11.2f}')

print()
print('Targets')
def mark(ok): return 'met' if ok else 'NOT MET'
for key, ratio in flat.items():
    print(f'  {key}: time per byte 1 KB..100 KB within 1.5x: {ratio:.2f}x  {mark(ratio <= 1.5)}')
for lang, name, goal in (('ru', '2translit vs Russian-Latin/BGN', 2.0),
                         ('zh', 'chineese vs zh_Latn_PINYIN-ru', 2.5)):
    if lang in ratios:
        r, rn = ratios[lang]
        print(f'  {name}: {r:.2f}x as fast (whole runs), {rn:.2f}x (net); '
              f'at least {goal}x whole: {mark(r >= goal)}')
    else:
        print(f'  {name}: uconv not available')
for key, gain in gains.items():
    print(f'  {key}: steady {gain:.2f}x the baseline; at least 2x: {mark(gain >= 2)}')
worst = max((ms(f'Line200/{k}') or 0, k) for k in keys)
print(f'  200-byte line under 20 ms: slowest {worst[1]} {worst[0]:.2f} ms  {mark(worst[0] < 20)}')
EOF
