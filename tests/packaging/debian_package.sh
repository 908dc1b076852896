#!/usr/bin/env bash
# The Debian package CPack makes from the install rules: it holds what the
# rules install, under /usr, takes its dependencies from the shared libraries
# (libusb 0.1 only recommended: it is loaded at run time), and lintian finds
# no error in it.
#
# Usage: debian_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/kyvodeb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" -G DEB >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/kyvo-viewer_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no package"
deb=${debs[0]}

# The package holds exactly what the install rules put in, under /usr.
DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/root" && find . ! -type d | sed 's/^\.//' | sort) >"$work/installed"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$work/packaged"
diff -u "$work/installed" "$work/packaged" || fail "the package differs from the install rules"

control=$(dpkg-deb --field "$deb")
echo "$control"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libmpv libqt6core6 libqt6webenginewidgets6 liblzo2 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library"
done
grep -q "libusb" <<<"$depends" && fail "libusb is loaded at run time: a recommendation, not a dependency"
recommends=$(dpkg-deb --field "$deb" Recommends)
grep -q "libusb-0.1-4" <<<"$recommends" || fail "Recommends lacks libusb-0.1-4"

lintian --fail-on error --no-tag-display-limit "$deb" || fail "lintian reports errors"
echo "$(basename "$deb") is sound"
