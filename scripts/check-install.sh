#!/usr/bin/env bash
# Checks the installation as a user gets it, from a build folder that is configured and built:
# `cmake --install` into a scratch prefix, and the Debian package (`cpack -G DEB`: its name and
# Depends) unpacked with `dpkg -x` into a scratch folder. For each of the two, from /:
#   - quillomorph-cli -l english Smith prints Смит; the three programs' --version give the
#     version and the installed data folder; a wrong option exits with status 2;
#   - the manual pages render, the desktop entry is valid, the icons are there;
#   - the window starts under a virtual display showing its form and no message box, and with
#     no data folder it shows one box;
#   - the rule sources installed regenerate the installed language files byte for byte;
#   - a program outside the project builds with find_package(QuilloMorph) and with pkg-config,
#     and runs; so does the Python module, where it was built;
#   - nothing of this wrote into the data folder, and the stripped package holds no path of the
#     source or build folder.
# Usage: scripts/check-install.sh [BUILD_DIR]      (default: build)
set -euo pipefail

# --- Inside the virtual display: start the window, report the windows it shows ---------------
# The windows that are mapped on the display, one line each: WIDTHxHEIGHT "NAME".
viewable_windows() {
    local id info
    for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" || continue
        printf '%sx%s %s\n' "$(sed -n 's/^ *Width: //p' <<<"$info")" \
            "$(sed -n 's/^ *Height: //p' <<<"$info")" \
            "$(sed -n 's/^xwininfo: Window id: [^ ]* //p' <<<"$info")"
    done
}
if [ "${1:-}" = --window-probe ]; then
    # --window-probe PROGRAM STDERR_FILE: prints "alive yes|no", then the windows shown.
    "$2" 2>"$3" &
    pid=$!
    for _ in $(seq 75); do
        [ -n "$(viewable_windows)" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    sleep 1.5 # a message box would follow the form by now
    windows=$(viewable_windows)
    alive=no
    kill -0 "$pid" 2>/dev/null && alive=yes
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "alive $alive"
    [ -z "$windows" ] || echo "$windows"
    exit 0
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
script=$root/scripts/$(basename "$0")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
unset QUILLOMORPH_DATA LD_LIBRARY_PATH PYTHONPATH PKG_CONFIG_PATH CMAKE_PREFIX_PATH
work=$(mktemp -d /tmp/quillomorph-install.XXXXXX)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
fail() {
    echo "check-install: FAILED: $*" >&2
    failures=$((failures + 1))
}
say() { echo "check-install: $*"; }
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

# Runs a command; its standard output goes to the variable out, its status to rc.
run() {
    set +e
    out=$("$@" 2>"$work/stderr")
    rc=$?
    set -e
}

# check_tree NAME PREFIX [PKG_CONFIG_PREFIX]: every check above on one installed tree.
# PKG_CONFIG_PREFIX is the prefix quillomorph.pc is to be read with (an unpacked package names
# /usr in it); empty for a tree installed where it is.
check_tree() {
    local name=$1 prefix=$2 pcprefix=${3:-}
    local data=$prefix/share/quillomorph/data bin=$prefix/bin
    say "$name: $prefix"
    [ -d "$data" ] || {
        fail "$name: no data folder $data"
        return
    }
    local before=$work/$name-data-before after=$work/$name-data-after
    (cd "$data" && find . -printf '%p %s %T@\n' | sort) >"$before"
    chmod -R a-w "$data"
    cd /

    run "$bin/quillomorph-cli" -l english Smith
    [ "$rc" = 0 ] && [ "$out" = "Смит" ] ||
        fail "$name: quillomorph-cli -l english Smith gave '$out' (status $rc): $(cat "$work/stderr")"
    # The spelling model is installed with the languages: it ranks ё first here.
    run "$bin/quillomorph-cli" -l latn-ru --best Solovev
    [ "$rc" = 0 ] && [ "$out" = "Соловьёв" ] ||
        fail "$name: quillomorph-cli -l latn-ru --best Solovev gave '$out' (status $rc)"
    for program in quillomorph-cli quillomorph quillomorph-datagen; do
        [ -x "$bin/$program" ] || {
            fail "$name: no $bin/$program"
            continue
        }
        run "$bin/$program" --version
        [ "$rc" = 0 ] && [ "$out" = "$program $version"$'\n'"data: $data" ] ||
            fail "$name: $program --version gave '$out' (status $rc)"
        # (Qt needs a display before it hands the window its options.)
        run env QT_QPA_PLATFORM=offscreen "$bin/$program" --no-such-option
        [ "$rc" = 2 ] && grep -q "^Try '$program --help'" "$work/stderr" ||
            fail "$name: $program --no-such-option: status $rc, $(cat "$work/stderr")"
        run "$bin/$program" --help
        [ "$rc" = 0 ] && [[ "$out" == "Usage: $program "* ]] ||
            fail "$name: $program --help gave status $rc"
    done

    for page in quillomorph-cli quillomorph quillomorph-datagen; do
        local file=$prefix/share/man/man1/$page.1
        if [ ! -f "$file" ]; then
            fail "$name: no manual page $file"
        elif command -v man >/dev/null; then
            run env MANWIDTH=80 man --warnings -l "$file"
            [ "$rc" = 0 ] && grep -q '^NAME' <<<"$out" && [ ! -s "$work/stderr" ] ||
                fail "$name: man -l $file: status $rc, $(cat "$work/stderr")"
        fi
    done
    for doc in README.md LICENSE copyright; do
        [ -f "$prefix/share/doc/quillomorph/$doc" ] || fail "$name: no share/doc/quillomorph/$doc"
    done

    local desktop=$prefix/share/applications/quillomorph.desktop
    if [ -x "$bin/quillomorph" ]; then
        if [ ! -f "$desktop" ]; then
            fail "$name: no desktop entry"
        elif command -v desktop-file-validate >/dev/null; then
            desktop-file-validate "$desktop" || fail "$name: desktop-file-validate $desktop"
        fi
        file "$prefix/share/icons/hicolor/48x48/apps/quillomorph.png" |
            grep -q 'PNG image data, 48 x 48' || fail "$name: no 48x48 icon"
        check_window "$name" "$bin/quillomorph"
    fi

    # The sources installed make the installed language files.
    local regenerated=$work/$name-regenerated
    run "$bin/quillomorph-datagen" "$data/src" "$regenerated"
    [ "$rc" = 0 ] || fail "$name: quillomorph-datagen on the installed sources: $(cat "$work/stderr")"
    local count=0
    for file in "$regenerated"/*; do
        count=$((count + 1))
        cmp -s "$file" "$data/$(basename "$file")" ||
            fail "$name: $(basename "$file") regenerated from src/ differs from the installed one"
    done
    [ "$count" -gt 10 ] && [ "$count" = "$(cd "$data" && ls ./*.alf ./*.syl ./*.ex ./*.lin ./*.bin \
        languages.txt | wc -l)" ] || fail "$name: $count files regenerated"

    check_consumers "$name" "$prefix" "$pcprefix"

    local python=$prefix/$(sed -n 's/^QM_INSTALL_PYTHONDIR:STRING=//p' "$build/CMakeCache.txt")
    if compgen -G "$python/quillomorph*.so" >/dev/null; then
        run env PYTHONPATH="$python" python3 -c \
            'import quillomorph; print(quillomorph.Transcriber("english").transcribe("Smith"))'
        [ "$out" = "['Смит']" ] ||
            fail "$name: the Python module gave '$out' (status $rc): $(cat "$work/stderr")"
    fi

    chmod -R u+w "$data"
    (cd "$data" && find . -printf '%p %s %T@\n' | sort) >"$after"
    diff "$before" "$after" >/dev/null || fail "$name: the programs wrote into $data:
$(diff "$before" "$after")"
}

# check_window NAME PROGRAM: the form and no box; with no languages, one box and status 1.
check_window() {
    local name=$1 program=$2
    if ! command -v xvfb-run >/dev/null || ! command -v xwininfo >/dev/null; then
        say "$name: no xvfb-run or xwininfo: the window is only started offscreen"
        run env QT_QPA_PLATFORM=offscreen timeout 5 "$program"
        [ "$rc" = 124 ] && ! grep -q '^quillomorph:' "$work/stderr" ||
            fail "$name: the window did not keep running offscreen: $(cat "$work/stderr")"
        return
    fi
    local report
    report=$(xvfb-run -a -s '-screen 0 1024x768x24' "$script" --window-probe "$program" \
        "$work/window-stderr")
    [ "$report" = 'alive yes'$'\n''473x434 "QuilloMorph"' ] ||
        fail "$name: the window showed, instead of its form alone: $report
$(cat "$work/window-stderr")"
    mkdir -p "$work/empty"
    report=$(QUILLOMORPH_DATA=$work/empty xvfb-run -a -s '-screen 0 1024x768x24' "$script" \
        --window-probe "$program" "$work/window-stderr")
    [ "$(head -1 <<<"$report")" = 'alive yes' ] && [ "$(wc -l <<<"$report")" = 2 ] &&
        ! grep -q '^473x434' <<<"$report" &&
        grep -q '^quillomorph: no languages in' "$work/window-stderr" ||
        fail "$name: with no languages the window showed: $report
$(cat "$work/window-stderr")"
}

# check_consumers NAME PREFIX PKG_CONFIG_PREFIX: a program outside the project, built with
# find_package and with pkg-config, transcribes with the installed library and data.
check_consumers() {
    local name=$1 prefix=$2 pcprefix=$3
    local source=$work/consumer-source expected
    expected="Смит"$'\n'"version $version"$'\n'"data $prefix/share/quillomorph/data"
    mkdir -p "$source"
    cp "$root/tests/install/CMakeLists.txt" "$root/tests/install/consumer.cpp" "$source/"

    local cmake_build=$work/$name-consumer-cmake
    if cmake -S "$source" -B "$cmake_build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_PREFIX_PATH="$prefix" >"$work/$name-consumer.log" 2>&1 &&
        cmake --build "$cmake_build" >>"$work/$name-consumer.log" 2>&1; then
        run "$cmake_build/consumer" Smith
        [ "$out" = "$expected" ] ||
            fail "$name: the find_package program gave '$out': $(cat "$work/stderr")"
    else
        fail "$name: a program with find_package(QuilloMorph) does not build:
$(tail -20 "$work/$name-consumer.log")"
    fi

    local pc
    pc=$(find "$prefix" -name quillomorph.pc -path '*/pkgconfig/*' | head -1)
    [ -n "$pc" ] || {
        fail "$name: no quillomorph.pc"
        return
    }
    local pkgconfig=(pkg-config)
    if [ -n "$pcprefix" ]; then
        grep -qx "prefix=$pcprefix" "$pc" || fail "$name: $pc does not name the prefix $pcprefix"
        pkgconfig+=(--define-variable=prefix="$prefix")
    else
        grep -qx "prefix=$prefix" "$pc" || fail "$name: $pc does not name the prefix $prefix"
    fi
    export PKG_CONFIG_PATH=${pc%/*}
    [ "$("${pkgconfig[@]}" --modversion quillomorph)" = "$version" ] ||
        fail "$name: pkg-config --modversion quillomorph is not $version"
    local flags libdir binary=$work/$name-consumer-pkgconfig
    flags=$("${pkgconfig[@]}" --cflags --libs quillomorph)
    libdir=$("${pkgconfig[@]}" --variable=libdir quillomorph)
    unset PKG_CONFIG_PATH
    # shellcheck disable=SC2086 # the flags are words
    if g++ -std=c++17 "$source/consumer.cpp" $flags -Wl,-rpath,"$libdir" -o "$binary" \
        2>"$work/stderr"; then
        run "$binary" Smith
        [ "$out" = "$expected" ] ||
            fail "$name: the pkg-config program gave '$out': $(cat "$work/stderr")"
    else
        fail "$name: a program with pkg-config --cflags --libs quillomorph does not build:
$(cat "$work/stderr")"
    fi
}

# --- The installation into a scratch prefix ----------------------------------------------------
say "installing $build into a scratch prefix"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
check_tree prefix "$work/prefix"

# --- The Debian package ------------------------------------------------------------------------
say "building the Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) ||
    {
        cat "$work/cpack.log" >&2
        exit 1
    }
deb=$work/deb/quillomorph_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
    fail "cpack made no $(basename "$deb"): $(ls "$work/deb")"
else
    depends=$(dpkg-deb -f "$deb" Depends)
    say "$(basename "$deb"): $(du -k "$deb" | cut -f1) KB, Depends: $depends"
    for library in libc6 libstdc++6 libqt6widgets6; do
        [ "$library" = libqt6widgets6 ] && [ ! -x "$work/prefix/bin/quillomorph" ] && continue
        grep -q "\\b$library\\b" <<<"$depends" || fail "the package does not depend on $library"
    done
    dpkg -x "$deb" "$work/deb-root"
    for path in "$root" "$build"; do
        if grep -rlF "$path" "$work/deb-root" >"$work/paths"; then
            fail "the package holds the path $path in: $(tr '\n' ' ' <"$work/paths")"
        fi
    done
    check_tree package "$work/deb-root/usr" /usr
fi

if [ "$failures" -gt 0 ]; then
    echo "check-install: $failures checks failed" >&2
    exit 1
fi
say "all checks passed"
