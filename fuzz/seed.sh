#!/usr/bin/env bash
# Rewrites the generated seeds of fuzz/corpus/ from the shipped languages in data/ and the
# test fixtures; hand-written seeds (files named hand-*) are left as they are. Run it when a
# language lands, then commit the corpus. Needs the fuzz build (for the seed compiler).
#
#   fuzz/seed.sh [REFERENCE_DIR]    REFERENCE_DIR (default tests/fixtures/reference) gives sample
#                                   lines for the transcribe target when it exists
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QM_FUZZ_BUILD:-$root/build-fuzz}
reference=${1:-$root/tests/fixtures/reference}
corpus=$root/fuzz/corpus
data=$root/data
fixtures=$root/tests/fixtures

if [ ! -x "$build/fuzz/qm-fuzz-seed-compiler" ]; then
    [ -f "$build/CMakeCache.txt" ] || (cd "$root" && cmake --preset fuzz >/dev/null)
    cmake --build "$build" --target qm-fuzz-seed-compiler >/dev/null
fi

for t in alphabet_file syllable_files rule_file compiled_file language_files transcribe; do
    mkdir -p "$corpus/$t"
    find "$corpus/$t" -type f ! -name 'hand-*' -delete
done

# cat_or_empty FILE: the file's bytes, or nothing when it is missing.
cat_or_empty() { if [ -f "$1" ]; then cat "$1"; fi; }
nul() { printf '\0'; }

sample_line() {
    case "$1" in
    2translit) printf 'Щукин, ЩУКИН и щукин' | iconv -f UTF-8 -t CP1251 ;;
    4translit) printf "Shchukin, SHCHUKIN i shchukin, Jozhik s'el" ;;
    deutsch) printf 'Müller Straße Schönberg' | iconv -f UTF-8 -t CP1252 ;;
    francais) printf 'Château de Versailles' | iconv -f UTF-8 -t CP1252 ;;
    chineese) printf 'Mao Zedong, Beijing xiao' ;;
    *) printf 'Hello, World' ;;
    esac
}

# Seeds that hold rules keep the first RULE_LINES rules of a language: enough for every form
# of rule line, small enough for the fuzzer to mutate quickly.
RULE_LINES=${RULE_LINES:-300}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for bin in "$data"/*.bin; do
    [ -e "$bin" ] || continue
    key=$(basename "$bin" .bin)
    base=$scratch/$key
    for ext in alf syl ex; do cat_or_empty "$data/$key.$ext" >"$base.$ext"; done
    if [ -f "$data/$key.lin" ]; then head -n "$RULE_LINES" "$data/$key.lin"; fi >"$base.lin"
    cp "$base.alf" "$corpus/alphabet_file/data-$key"
    cp "$base.lin" "$corpus/rule_file/data-$key"
    { cat "$base.syl"; nul; cat "$base.ex"; nul; sample_line "$key"; } \
        >"$corpus/syllable_files/data-$key"
    { cat "$base.alf"; nul; cat "$base.syl"; nul; cat "$base.ex"; nul; cat "$base.lin"; nul
      sample_line "$key"; } >"$corpus/language_files/data-$key"
    "$build/fuzz/qm-fuzz-seed-compiler" "$base" "$corpus/compiled_file/data-$key"
    sample_line "$key" >"$corpus/transcribe/data-$key"
done

for lin in "$fixtures"/rules/*.lin; do
    [ -e "$lin" ] || continue
    cp "$lin" "$corpus/rule_file/fixture-$(basename "$lin" .lin)"
done

# A few lines of each reference list (first column), in the code page of its language.
if [ -d "$reference" ]; then
    for list in "$reference"/*/*.tsv; do
        page=CP1252
        case "$list" in */translit/icao* | */translit/iuliia*) page=CP1251 ;; esac
        name=$(basename "$(dirname "$list")")-$(basename "$list" .tsv)
        column=1
        case "$list" in */iuliia-samples.tsv) column=2 ;; esac
        grep -v '^#' "$list" | grep -v '^schema' | cut -f"$column" | awk 'NR % 97 == 1' | head -n 6 |
            while IFS= read -r line; do
                n=$(printf '%s' "$line" | cksum | cut -d' ' -f1)
                printf '%s' "$line" | iconv -f UTF-8 -t "$page//TRANSLIT" \
                    >"$corpus/transcribe/ref-$name-$n" 2>/dev/null || true
            done
    done
fi

du -sh "$corpus"
for t in "$corpus"/*; do
    echo "$(basename "$t"): $(find "$t" -type f | wc -l) seeds"
done
