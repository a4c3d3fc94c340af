#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the release reproducible: makes it twice from the committed sources, in two clones in
# different folders, at different times, with different umasks, locales and time zones, and
# compares the two byte for byte. Where files differ, diffoscope shows where. As root; it takes
# two runs of release.sh.
#   scripts/reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
source "$root/scripts/common.sh"
install_packages release

work=$(mktemp -d /var/tmp/vertex2-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
git -c safe.directory="$root" clone --quiet "$root" "$work/first"
git -c safe.directory="$root" clone --quiet "$root" "$work/another/folder"
(cd "$work/first" && umask 022 && TZ=UTC LC_ALL=C.UTF-8 ./release.sh)
(cd "$work/another/folder" && umask 077 && TZ=Asia/Vladivostok LC_ALL=ru_RU.UTF-8 ./release.sh)

first=$(echo "$work"/first/release/*)
second=$(echo "$work"/another/folder/release/*)
echo "reproducible.sh: the two releases, file by file:"
differ=0
while read -r file; do
    if cmp -s "$first/$file" "$second/$file"; then
        echo "same:   $file"
    else
        echo "DIFFER: $file"
        differ=1
        diffoscope --text - "$first/$file" "$second/$file" || true
    fi
done < <(cd "$first" && find . -type f -printf '%P\n' | LC_ALL=C sort)
diff <(cd "$first" && find . -type f | sort) <(cd "$second" && find . -type f | sort) \
    || { echo "the two releases hold different files"; differ=1; }
[ $differ -eq 0 ] && echo "reproducible.sh: the two releases are the same, byte for byte"
exit $differ
