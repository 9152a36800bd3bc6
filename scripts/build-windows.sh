#!/usr/bin/env bash
# Cross-builds the trainer for 64-bit Windows on Debian, entirely from the
# distribution: the toolchain (mingw-w64), Wine, NSIS and the source packages
# of SDL2, libjpeg-turbo, FreeType, SQLite, OpenSSL and PostgreSQL (for
# libpq, the school server's client) come from apt, nothing else is
# downloaded. The libraries are built once into a cache folder outside the
# repository and reused.
#
# Usage: scripts/build-windows.sh [--no-installer]
# Makes  build-win/win/...            the Windows build tree
#        dist/ziffron-windows/        the programs, their DLLs, fonts, sample media, README
#        dist/ziffron-windows.zip     the same as a zip
#        dist/ziffron-setup.exe       the NSIS installer (start-menu entry, uninstaller)
# Environment: ZIFFRON_WIN_CACHE (default /var/cache/ziffron-win, or
#              ~/.cache/ziffron-win when that is not writable).
set -euo pipefail
cd "$(dirname "$0")/.."
REPO=$PWD
INSTALLER=1
[[ "${1:-}" == "--no-installer" ]] && INSTALLER=0

# The machine is shared: heavy builds stay polite.
JOBS=${JOBS:-2}
NICE=(nice -n 10)

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "build-windows: needs root or sudo for apt" >&2; exit 1; }
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# ------------------------------------------------------------------ packages
PACKAGES=(mingw-w64 wine64 wine nsis dpkg-dev nasm tcl cmake make pkg-config fonts-liberation2)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "build-windows: installing ${missing[*]}"
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}" ||
    { $SUDO apt-get update && $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; }
fi

# -------------------------------------------------- source package lines
# apt-get source needs deb-src entries; they mirror the binary entries that
# are already configured, so the sources come from the same archive.
SRC_LIST=/etc/apt/sources.list.d/ziffron-deb-src.sources
has_deb_src() {
  grep -rqsE '^\s*deb-src\s|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/
}
if ! has_deb_src; then
  echo "build-windows: adding deb-src entries to $SRC_LIST"
  tmp=$(mktemp)
  if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null; then
    for f in /etc/apt/sources.list.d/*.sources; do
      [[ "$f" == "$SRC_LIST" ]] && continue
      # deb822 stanzas for Debian's own archive only.
      grep -q 'debian' "$f" || continue
      sed -E 's/^Types:.*/Types: deb-src/' "$f" >>"$tmp"
      echo >>"$tmp"
    done
  fi
  if [[ -s /etc/apt/sources.list ]]; then
    grep -E '^\s*deb\s' /etc/apt/sources.list | grep debian |
      sed -E 's/^\s*deb\s+(\[[^]]*\]\s+)?(\S+)\s+(\S+)\s+(.*)$/\nTypes: deb-src\nURIs: \2\nSuites: \3\nComponents: \4\n/' >>"$tmp" || true
  fi
  [[ -s "$tmp" ]] || { echo "build-windows: found no Debian archive in apt's configuration" >&2; exit 1; }
  $SUDO install -m 644 "$tmp" "$SRC_LIST"
  rm -f "$tmp"
  $SUDO apt-get update
fi

# ------------------------------------------------------------ cache folder
if [[ -z "${ZIFFRON_WIN_CACHE:-}" ]]; then
  if mkdir -p /var/cache/ziffron-win 2>/dev/null && [[ -w /var/cache/ziffron-win ]]; then
    ZIFFRON_WIN_CACHE=/var/cache/ziffron-win
  else
    ZIFFRON_WIN_CACHE=$HOME/.cache/ziffron-win
  fi
fi
PREFIX=$ZIFFRON_WIN_CACHE/prefix
SRC=$ZIFFRON_WIN_CACHE/src
WORK=$ZIFFRON_WIN_CACHE/build
mkdir -p "$PREFIX" "$SRC" "$WORK"
export ZIFFRON_WIN_PREFIX=$PREFIX
TOOLCHAIN=$REPO/cmake/mingw-w64.cmake
HOST=x86_64-w64-mingw32

# Unpacks the distribution's source package PKG into $SRC and prints its folder.
# apt's lists can name versions the archive no longer serves (a security
# update whose sources sit elsewhere): each listed version is tried in turn.
fetch_source() {
  local pkg=$1 ver dir
  dir=$(find "$SRC" -maxdepth 1 -type d -name "${pkg}-[0-9]*" | head -n1)
  if [[ -z "$dir" ]]; then
    for ver in $(apt-cache showsrc "$pkg" | awk -v p="$pkg" '/^Package:/ {ours = ($2 == p)} ours && /^Version:/ {print $2}'); do
      (cd "$SRC" && apt-get source --only-source "$pkg=$ver" >&2) && break
      echo "build-windows: $pkg $ver could not be fetched; trying the next version" >&2
    done
    dir=$(find "$SRC" -maxdepth 1 -type d -name "${pkg}-[0-9]*" | head -n1)
  fi
  [[ -n "$dir" ]] || { echo "build-windows: apt-get source $pkg left no folder" >&2; return 1; }
  echo "$dir"
}

# Runs the build of one library unless its stamp says it is done.
built() { [[ -f "$PREFIX/.built-$1" ]]; }
mark_built() { basename "$(fetch_source "$1")" >"$PREFIX/.built-$1"; }

cmake_lib() { # name srcdir extra-args...
  local name=$1 dir=$2; shift 2
  rm -rf "$WORK/$name"
  "${NICE[@]}" cmake -S "$dir" -B "$WORK/$name" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DZIFFRON_WIN_PREFIX="$PREFIX" -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release "$@"
  "${NICE[@]}" cmake --build "$WORK/$name" -j"$JOBS"
  cmake --install "$WORK/$name"
}

if ! built libsdl2; then
  d=$(fetch_source libsdl2)
  cmake_lib sdl2 "$d" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=ON
  mark_built libsdl2
fi

if ! built libjpeg-turbo; then
  d=$(fetch_source libjpeg-turbo)
  cmake_lib jpeg "$d" -DENABLE_SHARED=ON -DENABLE_STATIC=OFF -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF \
    -DWITH_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
  mark_built libjpeg-turbo
fi

if ! built freetype; then
  d=$(fetch_source freetype)
  # Only TrueType outlines are rendered; compressed and colour fonts are not
  # needed, so FreeType goes without zlib, libpng, bzip2, brotli and HarfBuzz.
  cmake_lib freetype "$d" -DBUILD_SHARED_LIBS=ON -DFT_DISABLE_ZLIB=TRUE -DFT_DISABLE_BZIP2=TRUE \
    -DFT_DISABLE_PNG=TRUE -DFT_DISABLE_HARFBUZZ=TRUE -DFT_DISABLE_BROTLI=TRUE
  mark_built freetype
fi

if ! built sqlite3; then
  d=$(fetch_source sqlite3)
  # The amalgamation is generated with the host's tools, then compiled for
  # Windows as one static library.
  rm -rf "$WORK/sqlite3"
  mkdir -p "$WORK/sqlite3"
  (cd "$WORK/sqlite3" && "${NICE[@]}" "$d/configure" >/dev/null && "${NICE[@]}" make sqlite3.c >/dev/null)
  "${NICE[@]}" $HOST-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS5 \
    -c "$WORK/sqlite3/sqlite3.c" -o "$WORK/sqlite3/sqlite3.o"
  mkdir -p "$PREFIX/include" "$PREFIX/lib/pkgconfig"
  rm -f "$PREFIX/lib/libsqlite3.a"
  $HOST-ar rcs "$PREFIX/lib/libsqlite3.a" "$WORK/sqlite3/sqlite3.o"
  cp "$WORK/sqlite3/sqlite3.h" "$WORK/sqlite3/sqlite3ext.h" "$PREFIX/include/" 2>/dev/null ||
    cp "$WORK/sqlite3/sqlite3.h" "$PREFIX/include/"
  ver=$(apt-cache showsrc sqlite3 | awk '/^Version:/ {print $2; exit}')
  cat >"$PREFIX/lib/pkgconfig/sqlite3.pc" <<PC
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine (static, built for Windows)
Version: ${ver%%-*}
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
PC
  mark_built sqlite3
fi
if ! built openssl; then
  d=$(fetch_source openssl)
  # For libpq's sslmode; the libraries only, no programs or manuals.
  rm -rf "$WORK/openssl"
  mkdir -p "$WORK/openssl"
  # OpenSSL reads openssl.cnf (which may load any DLL) from a folder fixed at
  # build time. Left at the build prefix it would be C:\var\cache\..., a
  # path any pupil may create on a shared machine; the installer's folder
  # under Program Files is writable by administrators only.
  (cd "$WORK/openssl" &&
    "${NICE[@]}" "$d/Configure" mingw64 --cross-compile-prefix=$HOST- --prefix="$PREFIX" --libdir=lib \
      no-tests shared >/dev/null &&
    sed -i -e 's|^OPENSSLDIR=.*|OPENSSLDIR=C:/Program Files/Ziffron/ssl|' \
      -e 's|^ENGINESDIR=.*|ENGINESDIR=C:/Program Files/Ziffron/engines-3|' \
      -e 's|^MODULESDIR=.*|MODULESDIR=C:/Program Files/Ziffron/ossl-modules|' Makefile &&
    "${NICE[@]}" make -j"$JOBS" build_libs >/dev/null &&
    make install_dev install_runtime_libs >/dev/null)
  mark_built openssl
fi

if ! built postgresql-15; then
  d=$(fetch_source postgresql-15)
  # The client library only: configure the whole tree for Windows, then build
  # and install libpq, its headers and pkg-config file. Its system-wide
  # service file is looked for beside ziffron.conf, in the subfolder
  # postgresql that PostgreSQL's makefiles add: %ProgramData%\Ziffron\
  # postgresql\pg_service.conf.
  rm -rf "$WORK/libpq"
  mkdir -p "$WORK/libpq"
  (cd "$WORK/libpq" &&
    "${NICE[@]}" "$d/configure" --host=$HOST --prefix="$PREFIX" CC=$HOST-gcc-posix \
      --sysconfdir=C:/ProgramData/Ziffron \
      CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
      --with-ssl=openssl --without-readline --without-zlib --without-icu >/dev/null &&
    "${NICE[@]}" make -j"$JOBS" -C src/interfaces/libpq >/dev/null &&
    make -C src/include install >/dev/null &&
    make -C src/interfaces/libpq install >/dev/null)
  mark_built postgresql-15
fi
echo "build-windows: libraries ready in $PREFIX"

# ------------------------------------------------------ the trainer itself
LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The host build makes the sample media tree (its generator speaks through
# espeak-ng, a Linux program) and the Linux programs test-windows.sh compares with.
"${NICE[@]}" cmake -S . -B build-win/host -DCMAKE_BUILD_TYPE=Release -DZIFFRON_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
"${NICE[@]}" cmake --build build-win/host -j"$JOBS" --target ziffron ziffron-catalog sample-media

"${NICE[@]}" cmake -S . -B build-win/win -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
  -DZIFFRON_WIN_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DZIFFRON_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
"${NICE[@]}" cmake --build build-win/win -j"$JOBS"

# ---------------------------------------------------------------- packaging
STAGE=dist/ziffron-windows
rm -rf "$STAGE"
mkdir -p "$STAGE/fonts"
# ziffron-report.exe comes with the pupil history; older trees lack it.
for prog in ziffron ziffron-catalog ziffron-report; do
  exe=$(find build-win/win -name "$prog.exe" -not -path '*/CMakeFiles/*' | head -n1)
  if [[ -n "$exe" ]]; then cp "$exe" "$STAGE/"; else echo "build-windows: no $prog.exe in this tree"; fi
done
$HOST-strip "$STAGE"/*.exe

# Every DLL a program or DLL needs that is not part of Windows itself.
SYSROOT_DLLS=(/usr/lib/gcc/$HOST/*-posix /usr/$HOST/lib)
# Windows matches DLL names without regard to case (libpq names itself LIBPQ.dll).
copy_dlls() {
  local f dll found dir
  for f in "$@"; do
    for dll in $($HOST-objdump -p "$f" | awk '/DLL Name:/ {print $3}'); do
      [[ -n "$(find "$STAGE" -maxdepth 1 -iname "$dll")" ]] && continue
      found=""
      for dir in "$PREFIX/bin" "${SYSROOT_DLLS[@]}"; do
        found=$(find "$dir" -maxdepth 1 -iname "$dll" | head -n1)
        [[ -n "$found" ]] && break
      done
      [[ -n "$found" ]] || continue # a Windows system DLL
      cp "$found" "$STAGE/"
      copy_dlls "$STAGE/$(basename "$found")"
    done
  done
}
copy_dlls "$STAGE"/*.exe
for dll in "$STAGE"/*.dll; do $HOST-strip --strip-unneeded "$dll"; done

# Fallback faces when Windows lacks Courier New, Arial or Times New Roman.
LIB2=/usr/share/fonts/truetype/liberation2
for f in Mono Sans Serif; do
  for s in Regular Bold Italic BoldItalic; do cp "$LIB2/Liberation$f-$s.ttf" "$STAGE/fonts/"; done
done
cp /usr/share/doc/fonts-liberation2/copyright "$STAGE/fonts/LICENSE-Liberation.txt"
cp -r build-win/host/quiz/sample-media "$STAGE/sample-media"
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/windows/README.txt; } >"$STAGE/README.txt"
# The program's own licence (GPL-3.0-or-later), also shown by the installer.
sed 's/$/\r/' LICENSE >"$STAGE/LICENSE.txt"
mkdir -p "$STAGE/licenses"
for pkg in libsdl2 libjpeg-turbo freetype sqlite3 openssl postgresql-15; do
  d=$(find "$SRC" -maxdepth 1 -type d -name "${pkg}-*" | head -n1)
  cp "$d/debian/copyright" "$STAGE/licenses/$pkg.txt"
done
cp /usr/share/doc/mingw-w64-common/copyright "$STAGE/licenses/mingw-w64-runtime.txt" 2>/dev/null || true

rm -f dist/ziffron-windows.zip
(cd dist && cmake -E tar cf ziffron-windows.zip --format=zip ziffron-windows)
echo "build-windows: dist/ziffron-windows.zip ($(du -h dist/ziffron-windows.zip | cut -f1))"

if [[ $INSTALLER -eq 1 ]]; then
  version=$(sed -nE 's/^project\(ziffron VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
  "${NICE[@]}" makensis -V2 -DSTAGE="$REPO/$STAGE" -DOUTFILE="$REPO/dist/ziffron-setup.exe" \
    -DVERSION="$version" packaging/windows/ziffron.nsi
  echo "build-windows: dist/ziffron-setup.exe ($(du -h dist/ziffron-setup.exe | cut -f1))"
fi
