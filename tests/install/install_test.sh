#!/usr/bin/env bash
# Installs the build into a temporary prefix, then runs the installed trainer
# headless from another working directory: it must find its media by its own
# location.
# Usage: install_test.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
# The trainer keeps its history in the per-user data folder: a temporary one here.
export XDG_DATA_HOME=$work/data

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/ziffron bin/ziffron-catalog share/ziffron/media/sound/soundparameter.txt \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/256x256/apps/$id.png share/doc/ziffron/copyright; do
  [[ -e $prefix/$f ]] || { echo "not installed: $f"; exit 1; }
done
if [[ -e $build/tools/report/ziffron-report ]]; then
  [[ -x $prefix/bin/ziffron-report ]] || { echo "not installed: bin/ziffron-report"; exit 1; }
fi

# A read-only tree cannot take the BMPs the program would convert its JPEGs to.
while IFS= read -r jpg; do
  [[ -s ${jpg%.jpg}.bmp ]] || { echo "no BMP beside $jpg"; exit 1; }
done < <(find "$prefix/share/ziffron/media" -name '*.jpg')

mkdir "$work/elsewhere" "$work/empty"
cd "$work/elsewhere"
echo "shot main.bmp" > one.script
"$prefix/bin/ziffron" --headless --script one.script > /dev/null
[[ -s main.bmp ]] || { echo "no screenshot"; exit 1; }
[[ -s $XDG_DATA_HOME/ziffron/history.sqlite3 ]] || { echo "no history in the data folder"; exit 1; }
# The main screen shows the logo from the media tree: without media it differs.
mv main.bmp with-media.bmp
"$prefix/bin/ziffron" --headless --script one.script --media "$work/empty" > /dev/null
if cmp -s main.bmp with-media.bmp; then echo "the installed program did not find its media"; exit 1; fi
echo "installed into $prefix and ran from $work/elsewhere"
