# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of the scripts: install what is missing, configure and build one of the builds
# that CMakePresets.json describes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build= # the folder of the build configured last
preset=

# listed LIST...: the Debian packages of scripts/packages/LIST.txt, one a line.
listed() {
    local list
    for list in "$@"; do
        grep -vE '^[[:space:]]*(#|$)' "$root/scripts/packages/$list.txt"
    done
}

# install_packages LIST...: the Debian packages of those lists that are missing.
install_packages() {
    local wanted=() missing=() package
    mapfile -t wanted < <(listed "$@")
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local log
    log=$(mktemp)
    if ! { as_root apt-get update -qq \
        && as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        cat "$log"
        rm -f "$log"
        return 1
    fi
    grep -E '^(Need to get|After this operation)' "$log" || true
    rm -f "$log"
}

# as_root COMMAND...: as root, or through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# configure PRESET: that build of CMakePresets.json, configured; its folder in $build, as CMake
# names it.
configure() {
    preset=$1
    build=$(cd "$root" && cmake --preset "$preset" | sed -n 's/^-- Build files have been written to: //p')
    [ -n "$build" ]
}

# release_epoch [CHANGELOG]: the moment of the newest entry of debian/changelog, in seconds,
# which dates every file a release is made of (SOURCE_DATE_EPOCH), as dpkg-buildpackage dates
# the package's.
release_epoch() {
    dpkg-parsechangelog -l "${1:-$root/debian/changelog}" -STimestamp
}

# build [OPTION...]: the build configured last.
build() {
    (cd "$root" && cmake --build --preset "$preset" "$@")
}

# run_tests [OPTION...]: its tests.
run_tests() {
    (cd "$root" && ctest --preset "$preset" "$@")
}
