# Shared steps of run.sh, test.sh and check.sh: install what is missing, configure once, build.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

install_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -vE '^[[:space:]]*(#|$)' "$root/scripts/debian-packages.txt")
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    [ -f "$build/build.ninja" ] \
        || cmake -S "$root" -B "$build" -G Ninja -DVERTEX2_WERROR=ON
    cmake --build "$build" "$@"
}
