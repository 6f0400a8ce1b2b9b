#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those dpkg reports missing. The last line
# serves scripts/check-install.sh: the Debian package (dpkg-shlibdeps, file), pkg-config, the
# manual pages, the window under a virtual display, the desktop entry.
set -euo pipefail
# hunspell-ru: the Russian dictionary data/russian.model is made from (data.model-matches-dictionary
# checks the shipped model against it).
packages=(cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-translations-l10n
          fonts-paratype clang libclang-rt-14-dev llvm pybind11-dev python3-dev
          dpkg-dev file pkgconf man-db xvfb xauth x11-utils desktop-file-utils
          hunspell-ru "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
