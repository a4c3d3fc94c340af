# SPDX-License-Identifier: GPL-3.0-or-later
# The libraries Vertex2 links for Windows, static, built once with MinGW-w64 from this Debian
# release's own source packages: Qt (Core, Gui, Widgets and Test, the windows and offscreen
# platforms), GMP and MPFR. Each goes into a folder of the cache named by its version and a
# digest of all that goes into it (the source package's files and hashes, the compilers and
# tools, the toolchain file, this script, the patches and switches, whether Debian's changes were
# applied), which records these inputs.
# Sourced by windows.sh after scripts/common.sh.
# shellcheck shell=bash

cache=${VERTEX2_WINDOWS_CACHE:-/var/cache/vertex2-windows}
toolchain=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../dist/windows" && pwd)/toolchain.cmake
# What Vertex2 changes in Qt (each patch says why).
qt_patches=("$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"/qt-*.patch)
mingw=x86_64-w64-mingw32

# Qt's switches. What Vertex2 never uses is left out, to keep the program file small: other
# dialogs and widgets, completion, MIME types, calendars but the Gregorian one, 64-bit and
# floating-point images, printing, OpenGL, the Direct2D platform, the network and image formats it
# never reads (the ICO reader stays, as a plugin the program leaves out, for the artwork's test).
# The widgets that Windows' own style draws (tabs, tables, trees, tool bars, progress bars, radio
# buttons, group boxes, command links) stay, as it needs them; so do DirectWrite and Direct2D,
# through which Qt 6.8 reads and draws the fonts of Windows, and the graphics view and style
# sheets, with which its Windows 11 style casts the drop shadow under menus. The tablet support
# needs a header that Debian's source leaves out.
# Nothing is loaded from the disk at run time: no QLibrary, so no plugin but those linked in, and
# no prefix of this machine baked in (relocatable); the program gives Qt its paths itself.
# Precompiled headers, and the unity build, which compiles Qt's sources up to 32 to a file.
qt_switches=(
    -static -static-runtime -release -optimize-size -pch -unity-build
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-zstd
    -no-libjpeg -no-gif
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-libpng -qt-freetype
    -feature-relocatable -no-feature-library -no-feature-direct2d1_1
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-vulkan -no-feature-tabletevent -no-feature-pdf
    -no-feature-textodfwriter -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
    -no-feature-movie -no-feature-imageformat_ppm -no-feature-imageformat_xbm
    -no-feature-desktopservices -no-feature-systemtrayicon -no-feature-sessionmanager
    -no-feature-mimetype -no-feature-mimetype-database -no-feature-xmlstream
    -no-feature-sharedmemory -no-feature-systemsemaphore -no-feature-filesystemwatcher
    -no-feature-itemmodeltester -no-feature-raster-64bit -no-feature-raster-fp
    -no-feature-image_heuristic_mask -no-feature-image_text -no-feature-imageio-text-loading
    -no-feature-jalalicalendar -no-feature-islamiccivilcalendar -no-feature-gestures
    -no-feature-sortfilterproxymodel -no-feature-identityproxymodel
    -no-feature-transposeproxymodel -no-feature-concatenatetablesproxymodel
    -no-feature-undocommand -no-feature-undogroup -no-feature-calendarwidget
    -no-feature-datetimeedit -no-feature-colordialog -no-feature-filedialog
    -no-feature-fontdialog -no-feature-fontcombobox -no-feature-progressdialog
    -no-feature-errormessage -no-feature-wizard -no-feature-mdiarea -no-feature-dockwidget
    -no-feature-treewidget -no-feature-tablewidget
    -no-feature-listwidget -no-feature-columnview -no-feature-undoview -no-feature-undostack
    -no-feature-datawidgetmapper -no-feature-keysequenceedit -no-feature-syntaxhighlighter
    -no-feature-textbrowser -no-feature-toolbox -no-feature-dial -no-feature-splitter
    -no-feature-lcdnumber -no-feature-splashscreen -no-feature-statusbar -no-feature-sizegrip
    -no-feature-whatsthis -no-feature-completer
)

# source_version NAME: the newest version of the source package in this release.
source_version() {
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# source_package WORK NAME VERSION [upstream]: unpacks the source package, with Debian's patches,
# into WORK/NAME. With "upstream", a mirror that lacks Debian's part of the package still gives
# the original tarball, which apt checks against the release's index, to build as it is. Qt has
# no such way out: its Debian part carries security fixes. Prints what was unpacked.
source_package() {
    local work=$1 name=$2 version=$3 log="$1/$2.fetch.log"
    if (cd "$work" && apt-get source --download-only "$name=$version") >"$log" 2>&1; then
        quietly "$work/$name.unpack.log" \
            dpkg-source --no-check -x "$work/${name}_"*.dsc "$work/$name" \
            && echo "Built-From: Debian's source package"
    elif [ "${4:-}" = upstream ] \
        && (cd "$work" && apt-get source --download-only --tar-only "$name=$version") \
        >>"$log" 2>&1; then
        echo "windows.sh: the mirror lacks Debian's part of $name $version;" \
            "building its original source" >&2
        mkdir "$work/$name" \
            && tar -xf "$work/${name}_"*.orig.tar.* -C "$work/$name" --strip-components=1 \
            && echo "Built-From: the original tarball alone, without Debian's changes"
    else
        grep -E '^(E|W):' "$log" >&2
        return 1
    fi
}

# inputs NAME VERSION TEXT...: what goes into a library, as its folder records it: the files of
# its source package with their sizes and hashes, then TEXT, one a line.
inputs() {
    echo "Source: $1 $2"
    apt-get source --print-uris --only-source "$1=$2" | sed -n "s/^'[^']*' / /p"
    printf '%s\n' "${@:3}"
}

# folder NAME VERSION INPUTS: the library's folder in the cache, named by the digest of its inputs.
folder() {
    echo "$cache/$1-${2#*:}-$(sha256sum <<<"$3" | cut -d' ' -f1)"
}

# writable: the cache, made if it is missing, for a library to be built into.
writable() {
    [ -w "$cache" ] || { as_root mkdir -p "$cache" && as_root chown "$(id -u):$(id -g)" "$cache"; }
}

# library WORK NAME FOLDER INPUTS COMMAND...: the library in FOLDER, taken from the cache if its
# inputs are recorded there, which is done last; else built there by the command, its output in
# WORK.
library() {
    local work=$1 name=$2 folder=$3 inputs=$4 start=$SECONDS
    shift 4
    [ ! -f "$folder/inputs" ] || { echo "windows.sh: $name from the cache, $folder"; return; }
    echo "windows.sh: building $name for Windows into $folder"
    writable && rm -rf "$folder" && quietly "$work/$name.log" "$@" || return 1
    echo "$inputs" >"$folder/inputs.part" && mv "$folder/inputs.part" "$folder/inputs"
    echo "windows.sh: $name built in $((SECONDS - start)) s, $(du -sh "$folder" | cut -f1)"
}

# autotools_build SOURCE PREFIX CONFIGURE_OPTION...: GMP or MPFR, from its source unpacked in
# SOURCE, configured for Windows, built and installed into PREFIX.
autotools_build() (
    cd "$1" || return 1
    if [ "${1##*/}" = gmp ]; then
        # Debian's tarball leaves out the manual.
        sed -i 's/ doc / /; s/^SUBDIRS = \(.*\) doc$/SUBDIRS = \1/' Makefile.in
        sed -i 's# doc/Makefile##' configure
    fi
    ./configure --host=$mingw CC=$mingw-gcc-posix CXX=$mingw-g++-posix --prefix="$2" \
        --enable-static --disable-shared "${@:3}" && make -j"$(nproc)" && make install
)

# build_qt WORK VERSION PREFIX: Qt, with Vertex2's patches and switches, built and installed into
# PREFIX, the host's tools and multiarch folder taken from the toolchain file, and its sources
# named without the folder of the cache wherever a file's name is compiled in. The build folder
# stays until Qt is installed, so that a build cut short goes on where it stopped.
build_qt() {
    local build="$3.build"
    if [ ! -f "$build/build.ninja" ]; then
        # shellcheck disable=SC2015 # each step needs the one before; a failed one leaves nothing
        rm -rf "$build" && mkdir -p "$build" \
            && source_package "$1" qt6-base "$2" >/dev/null && mv "$1/qt6-base" "$build/source" \
            && cat "${qt_patches[@]}" | patch --quiet -d "$build/source" -p1 \
            && (cd "$build" && source/configure -prefix "$3" -xplatform win32-g++ \
                "${qt_switches[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
                -DCMAKE_C_FLAGS="-ffile-prefix-map=$cache/=" \
                -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$cache/=") \
            || { rm -rf "$build"; return 1; }
    fi
    cmake --build "$build" --parallel && cmake --install "$build" && rm -rf "$build"
}

# build_toolkit WORK FOLDER: Qt, GMP and MPFR, built into the cache in WORK unless it holds them
# already, and linked into FOLDER as qt/, gmp/ and mpfr/, where the windows preset finds them.
build_toolkit() {
    local work=$1 folder=$2 qt_version gmp_version mpfr_version tools
    local qt_inputs gmp_inputs mpfr_inputs qt_prefix gmp_prefix mpfr_prefix gmp_from mpfr_from
    # The host's tools (moc, rcc, uic) must be exactly the version built.
    qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
    if dpkg --compare-versions "$qt_version" lt 6.8~; then
        echo "windows.sh: this builds with Qt 6.8 or later, as on Debian 13, not $qt_version:" \
            "scripts/fresh-system.sh trixie ./windows.sh builds there" >&2
        return 1
    fi
    gmp_version=$(source_version gmp)
    mpfr_version=$(source_version mpfr4)
    gmp_from=$(source_package "$work" gmp "$gmp_version" upstream) \
        && mpfr_from=$(source_package "$work" mpfr4 "$mpfr_version" upstream) || return 1
    # What builds every library: the cross compilers, binutils and headers, the host's Qt tools,
    # CMake and Ninja, as installed, the toolchain file and this script.
    tools=$(dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix \
        gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev \
        qt6-base-dev-tools cmake ninja-build \
        && echo "$(sha256sum <"$toolchain" | cut -d' ' -f1) dist/windows/toolchain.cmake" \
        && echo "$(sha256sum <"${BASH_SOURCE[0]}" | cut -d' ' -f1) scripts/windows/toolkit.sh")
    qt_inputs=$(inputs qt6-base "$qt_version" "Built-From: Debian's source package" \
        "$tools" "$(cd "${qt_patches[0]%/*}" && sha256sum "${qt_patches[@]##*/}")" \
        "${qt_switches[@]}") || return 1
    gmp_inputs=$(inputs gmp "$gmp_version" "$gmp_from" "$tools" --enable-cxx) \
        || return 1
    gmp_prefix=$(folder gmp "$gmp_version" "$gmp_inputs")
    mpfr_inputs=$(inputs mpfr4 "$mpfr_version" "$mpfr_from" "$tools" \
        --with-gmp="$gmp_prefix") || return 1
    mpfr_prefix=$(folder mpfr4 "$mpfr_version" "$mpfr_inputs")
    qt_prefix=$(folder qt6-base "$qt_version" "$qt_inputs")

    library "$work" GMP "$gmp_prefix" "$gmp_inputs" \
        autotools_build "$work/gmp" "$gmp_prefix" --enable-cxx \
        && library "$work" MPFR "$mpfr_prefix" "$mpfr_inputs" \
            autotools_build "$work/mpfr4" "$mpfr_prefix" --with-gmp="$gmp_prefix" \
        && library "$work" Qt "$qt_prefix" "$qt_inputs" build_qt "$work" "$qt_version" "$qt_prefix" \
        || return 1

    mkdir -p "$folder" \
        && ln -sfn "$qt_prefix" "$folder/qt" && ln -sfn "$gmp_prefix" "$folder/gmp" \
        && ln -sfn "$mpfr_prefix" "$folder/mpfr"
}
