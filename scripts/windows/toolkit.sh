# SPDX-License-Identifier: GPL-3.0-or-later
# The libraries Vertex2 links for Windows, built once from this Debian release's own source
# packages with MinGW-w64, as static libraries: Qt (Core, Gui, Widgets and Test, with the
# windows and offscreen platforms and nothing else the program does not use), GMP and MPFR.
# Each goes into a folder of the cache named by its source version and a digest of how it was
# built, so a change of either builds it anew and anything else reuses it. Sourced by
# windows.sh after scripts/common.sh.

cache=${VERTEX2_WINDOWS_CACHE:-/var/cache/vertex2-windows}
toolchain="$root/dist/windows/toolchain.cmake"
mingw=x86_64-w64-mingw32

# qt_switches VERSION: Qt's switches for that version, in qt_options. What Vertex2 never uses is
# left out, to keep the program file small: other dialogs and widgets, style sheets, completion,
# MIME types, calendars but the Gregorian one, 64-bit and floating-point images, printing,
# OpenGL, the network and image formats it never reads (the ICO reader stays, as a plugin the
# program leaves out, for the artwork's test). The widgets that Windows' own style draws (tabs,
# tables, trees, tool bars, progress bars, radio buttons, group boxes, command links) stay, as it
# needs them. Qt 6.4 builds its DirectWrite fonts only with Direct2D, and draws text with GDI
# unless told otherwise: both are left out. Qt 6.8 reads the fonts of Windows through
# DirectWrite, which then draws them too, and builds its font database only with Direct2D as
# well: both stay, and so do the graphics view, whose drop shadow Qt 6.8's Windows 11 style
# casts under menus, and style sheets, which that style reads. The tablet support needs a header
# that Debian's source leaves out.
qt_switches() {
    local modern=false
    dpkg --compare-versions "$1" ge 6.8~ && modern=true
    qt_options=(
        -static -static-runtime -release -optimize-size
        -nomake examples -nomake tests
        -no-opengl -no-dbus -no-icu -no-zstd
    )
    $modern || qt_options+=(-no-direct2d -no-feature-directwrite)
    qt_options+=(
        -no-libjpeg -no-gif
        -qt-zlib -qt-pcre -qt-harfbuzz -qt-libpng -qt-freetype
    )
    local feature
    for feature in network sql printsupport concurrent xml vulkan tabletevent \
        pdf textodfwriter textmarkdownreader textmarkdownwriter movie imageformat_ppm \
        imageformat_xbm desktopservices systemtrayicon sessionmanager mimetype mimetype-database \
        xmlstream sharedmemory systemsemaphore filesystemwatcher itemmodeltester raster-64bit \
        raster-fp image_heuristic_mask image_text imageio-text-loading jalalicalendar \
        islamiccivilcalendar gestures sortfilterproxymodel identityproxymodel \
        transposeproxymodel concatenatetablesproxymodel undocommand undogroup \
        calendarwidget datetimeedit colordialog filedialog fontdialog fontcombobox progressdialog \
        errormessage wizard mdiarea dockwidget graphicsview treewidget tablewidget listwidget \
        columnview undoview undostack datawidgetmapper keysequenceedit syntaxhighlighter \
        textbrowser toolbox dial splitter lcdnumber splashscreen statusbar sizegrip whatsthis \
        completer style-stylesheet; do
        case $feature in graphicsview | style-stylesheet) ! $modern || continue ;; esac
        qt_options+=("-no-feature-$feature")
    done
}

# sudo_if_needed COMMAND...: as root, or through sudo.
sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# private_apt: an apt configuration of its own, in $work, that adds the deb-src lines of the
# archives this system installs from; the system's own sources stay as they are.
private_apt() {
    local apt="$work/apt"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
    apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' \
        | sort -u \
        | sed 's#^#deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] #' \
            >"$apt/sources.list"
    private apt-get update -qq
}
private() {
    local command=$1
    shift
    "$command" -o Dir::Etc::SourceList="$work/apt/sources.list" \
        -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists="$work/apt/lists" \
        -o Dir::Cache="$work/apt/cache" -o APT::Sandbox::User="$(id -un)" "$@"
}

# source_version NAME: the newest version of the source package in this release.
source_version() {
    private apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}

# source_package NAME VERSION [upstream]: unpacks the source package, with Debian's patches, into
# $work/NAME. With "upstream", a mirror that lacks Debian's part of the package still gives the
# original tarball, which apt checks against the release's index, to build as it is. Qt has no
# such way out: its Debian part carries security fixes.
source_package() {
    local log="$work/$1.fetch.log"
    if (cd "$work" && private apt-get source --download-only "$1=$2") >"$log" 2>&1; then
        dpkg-source --no-check -x "$work/${1}_"*.dsc "$work/$1" >"$work/$1.unpack.log" 2>&1 \
            || { cat "$work/$1.unpack.log"; exit 1; }
    elif [ "${3:-}" = upstream ] \
        && (cd "$work" && private apt-get source --download-only --tar-only "$1=$2") \
            >>"$log" 2>&1; then
        echo "windows.sh: the mirror lacks Debian's part of $1 $2; building its original source"
        mkdir "$work/$1"
        tar -xf "$work/${1}_"*.orig.tar.* -C "$work/$1" --strip-components=1
    else
        grep -E '^(E|W):' "$log" >&2
        exit 1
    fi
}

# digest TEXT...: eight hex digits that stand for how a library is built.
digest() {
    printf '%s\n' "$@" | sha256sum | cut -c1-8
}

# built NAME FOLDER: true if the folder holds a finished build.
built() {
    [ -f "$2/.complete" ] && echo "windows.sh: $1 from the cache, $2"
}

# autotools_library NAME SOURCE_PACKAGE VERSION FOLDER CONFIGURE_OPTIONS...: GMP or MPFR.
autotools_library() {
    local name=$1 package=$2 version=$3 folder=$4 start
    shift 4
    built "$name" "$folder" && return
    start=$(date +%s)
    echo "windows.sh: building $name for Windows into $folder"
    source_package "$package" "$version" upstream
    (
        cd "$work/$package"
        if [ "$package" = gmp ]; then
            # Debian's tarball leaves out the manual.
            sed -i 's/ doc / /; s/^SUBDIRS = \(.*\) doc$/SUBDIRS = \1/' Makefile.in
            sed -i 's# doc/Makefile##' configure
        fi
        ./configure --host=$mingw CC=$mingw-gcc-posix CXX=$mingw-g++-posix --prefix="$folder" \
            --enable-static --disable-shared "$@" >"$work/$package.log" 2>&1 \
            && make -j"$(nproc)" >>"$work/$package.log" 2>&1 \
            && make install >>"$work/$package.log" 2>&1
    ) || { tail -n 40 "$work/$package.log"; exit 1; }
    touch "$folder/.complete"
    echo "windows.sh: $name built in $(($(date +%s) - start)) s"
}

# build_toolkit: Qt, GMP and MPFR in the cache; sets qt_prefix, gmp_prefix and mpfr_prefix, and
# host_qt_cmake, where this system's Qt keeps the tools (moc, rcc, uic) that build for Windows.
build_toolkit() {
    local qt_version gmp_version mpfr_version compiler start
    host_qt_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
    work=$(mktemp -d "${TMPDIR:-/var/tmp}/vertex2-windows.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    private_apt
    # The host's tools (moc, rcc, uic) must be exactly the version built.
    qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
    qt_switches "$qt_version"
    gmp_version=$(source_version gmp)
    mpfr_version=$(source_version mpfr4)
    compiler=$($mingw-g++-posix -dumpfullversion)
    # Named by version and a digest of what built it: the compiler, the toolchain file, and
    # Qt's switches. A folder's name holds no epoch: make reads a colon in a path as a rule.
    local how
    how=$(digest "$compiler" "$(cat "$toolchain")")
    qt_prefix="$cache/qt6-base-${qt_version#*:}-$(digest "$how" "${qt_options[@]}")"
    gmp_prefix="$cache/gmp-${gmp_version#*:}-$how"
    mpfr_prefix="$cache/mpfr4-${mpfr_version#*:}-$how"

    if ! { [ -d "$cache" ] && [ -w "$cache" ]; }; then
        sudo_if_needed mkdir -p "$cache"
        sudo_if_needed chown "$(id -u):$(id -g)" "$cache"
    fi

    autotools_library GMP gmp "$gmp_version" "$gmp_prefix" --enable-cxx
    autotools_library MPFR mpfr4 "$mpfr_version" "$mpfr_prefix" --with-gmp="$gmp_prefix"

    built Qt "$qt_prefix" && return
    # The build folder stays until Qt is installed, so that a build cut short goes on where it
    # stopped; it takes about 2.6 GB.
    local build="$qt_prefix.build"
    start=$(date +%s)
    echo "windows.sh: building Qt $qt_version for Windows into $qt_prefix (about half an hour)"
    if [ ! -f "$build/build.ninja" ]; then
        rm -rf "$build" && mkdir -p "$build"
        source_package qt6-base "$qt_version"
        mv "$work/qt6-base" "$build/source"
        (cd "$build" && source/configure -prefix "$qt_prefix" -xplatform win32-g++ \
            -qt-host-path /usr "${qt_options[@]}" -- -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH_CMAKE_DIR="$host_qt_cmake") >"$build/configure.log" 2>&1 \
            || { tail -n 40 "$build/configure.log"; rm -rf "$build"; exit 1; }
    fi
    { cmake --build "$build" --parallel && cmake --install "$build"; } >"$build/build.log" 2>&1 \
        || { grep -A12 -m3 -E 'error:|Error ' "$build/build.log"; exit 1; }
    touch "$qt_prefix/.complete"
    echo "windows.sh: Qt built in $(($(date +%s) - start)) s, $(du -sh "$qt_prefix" | cut -f1)"
    rm -rf "$build"
}
