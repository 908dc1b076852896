#!/usr/bin/env bash
# Installs the build tree under a fresh prefix and uses what was installed
# from another folder, as a user of the installed programs does: the viewer
# headless on a recording, kyvo-trip, recgen, jpegstill, mapforge with its
# fonts, mapinfo and the map demo with Cartoframe's library.
#
# Usage: installed_tools.sh BUILD_DIR LIBDIR CITYGEN
set -euo pipefail
build=$1 libdir=$2 citygen=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/kyvoinstall.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }

for file in bin/tessaro-viewer bin/kyvo-trip bin/recgen bin/jpegstill bin/mapforge bin/mapinfo bin/fontmaker \
    bin/mapdemo "$libdir/kyvo/liborvplayer.so" "$libdir/libcartoframe.so" include/cartoframe/CGISViewerFrame.h \
    include/cartoframe/GisPosition.h share/man/man1/tessaro-viewer.1.gz share/kyvo/googlemap.htm share/kyvo/gmapshim.js share/kyvo/leaflet/leaflet.js \
    share/kyvo/leaflet/leaflet.css share/kyvo/skin/128.png share/kyvo/mapfonts/MingTi12.0 \
    share/kyvo/mapfonts/MingTi.LICENSE share/applications/com.orvanel.KyvoViewer.desktop \
    share/metainfo/com.orvanel.KyvoViewer.metainfo.xml share/icons/hicolor/48x48/apps/com.orvanel.KyvoViewer.png \
    lib/udev/rules.d/70-kyvo-recorder.rules share/doc/kyvo-viewer/copyright; do
  [ -e "$prefix/$file" ] || fail "the install lacks $file"
done
# Nothing of the build tree beside the installed programs.
[ ! -e "$prefix/bin/skin" ] && [ ! -e "$prefix/bin/liborvplayer.so" ] || fail "build files beside the installed programs"

# Everything below runs in a folder of its own, far from the build tree.
mkdir -p "$work/elsewhere" && cd "$work/elsewhere"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
bin=$prefix/bin

"$bin/recgen" --length 4 --no-audio --preset ultrafast --size 320x180 card/drf_20240612_081500.mov >/dev/null \
  || fail "recgen"
[ -s card/drf_20240612_081500.mov ] || fail "recgen wrote no recording"

# The viewer on the card's folder: its skin, page and playback library from the prefix.
"$bin/tessaro-viewer" --offline --screenshot shot.png --after 2 card >out.txt 2>err.txt || { cat err.txt; fail "viewer"; }
grep -q "window written to" out.txt || fail "the viewer wrote no window"
if grep -E "message:|cannot load" err.txt; then fail "the installed viewer complained"; fi
deviation() { convert shot.png -crop "$1" +repage -colorspace gray -format '%[fx:standard_deviation]' info:; }
awk -v d="$(deviation 300x30+25+7)" 'BEGIN { exit !(d > 0.02) }' || fail "no skin in the title strip"
awk -v d="$(deviation 640x360+24+45)" 'BEGIN { exit !(d > 0.02) }' || fail "no picture: the playback library did not play"

# Output is taken whole before it is searched: grep -q ending a pipe early
# would break the writer's pipe, which pipefail counts as a failure.
help=$("$bin/kyvo-trip" --help) || fail "kyvo-trip --help"
grep -q "kyvo-trip export" <<<"$help" || fail "kyvo-trip --help prints no usage"
"$bin/kyvo-trip" export -o trip.gpx card >/dev/null 2>&1 || fail "kyvo-trip export"
grep -q "<trkpt" trip.gpx || fail "kyvo-trip wrote no track points"

convert -size 64x48 gradient:red-blue -depth 8 still.ppm
"$bin/jpegstill" still.ppm still.jpg || fail "jpegstill"
[ "$(identify -format %m still.jpg)" = JPEG ] || fail "jpegstill wrote no JPEG"

"$bin/fontmaker" --help 2>/dev/null || fail "fontmaker --help"
help=$("$bin/mapforge" --help 2>&1) || fail "mapforge --help"
grep -qF "$prefix/share/kyvo/mapfonts" <<<"$help" || fail "mapforge does not default to the installed fonts"
"$citygen" city.osm >/dev/null
"$bin/mapforge" --quiet city.osm Map || fail "mapforge"
[ -s Map/MingTi14.1 ] || fail "mapforge copied no fonts"
"$bin/mapinfo" Map >/dev/null || fail "mapinfo"
libraries=$(ldd "$bin/mapdemo") || fail "ldd mapdemo"
grep -q "libcartoframe.so.* => $prefix/" <<<"$libraries" || fail "mapdemo does not find the installed libcartoframe.so"
# Without any display, as from a terminal on a server.
nodisplay=(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY)
"${nodisplay[@]}" "$bin/mapdemo" --help >/dev/null || fail "mapdemo --help"
"${nodisplay[@]}" "$bin/mapdemo" --map Map --screenshot demo.png --after 1 card/drf_20240612_081500.mov \
  >/dev/null 2>&1 || fail "mapdemo"
[ -s demo.png ] || fail "mapdemo wrote no picture"
echo "installed programs work from $prefix"
