# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of run.sh, test.sh and check.sh: install what is missing, configure, build.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build" # the tests' build; configure sets it

# install_packages LIST...: the Debian packages of scripts/packages/LIST.txt that are missing.
install_packages() {
    local wanted=() missing=() list package
    for list in "$@"; do
        mapfile -t -O "${#wanted[@]}" wanted \
            < <(grep -vE '^[[:space:]]*(#|$)' "$root/scripts/packages/$list.txt")
    done
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    local log
    log=$(mktemp)
    if ! { "${sudo[@]}" apt-get update -qq \
        && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log"
        rm -f "$log"
        return 1
    fi
    grep -E '^(Need to get|After this operation)' "$log" || true
    rm -f "$log"
}

# configure [testing]: the build folder, made once, in $build. The program alone is built in
# build-program/ without turning warnings into errors, so that a newer compiler's new warning
# never stops a user; the tests' build, in build/, treats every warning as an error.
configure() {
    if [ "${1:-}" = testing ]; then
        build="$root/build"
        if [ ! -f "$build/build.ninja" ]; then
            cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=ON -DVERTEX2_WERROR=ON
        elif ! grep -q '^BUILD_TESTING:BOOL=ON' "$build/CMakeCache.txt"; then
            cmake -S "$root" -B "$build" -DBUILD_TESTING=ON -DVERTEX2_WERROR=ON
        fi
    else
        build="$root/build-program"
        [ -f "$build/build.ninja" ] \
            || cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=OFF -DVERTEX2_WERROR=OFF
    fi
}

# release_epoch [CHANGELOG]: the moment of the newest entry of debian/changelog, in seconds,
# which dates every file a release is made of (SOURCE_DATE_EPOCH), as dpkg-buildpackage dates
# the package's.
release_epoch() {
    dpkg-parsechangelog -l "${1:-$root/debian/changelog}" -STimestamp
}

build() {
    cmake --build "$build" "$@"
}
