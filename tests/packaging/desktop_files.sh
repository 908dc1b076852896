#!/usr/bin/env bash
# The files that make the viewer a desktop program: the menu entry and the
# AppStream metadata pass their validators, the icons are PNGs of their
# folders' sizes, and the udev rule is well formed and names the recorder the
# USB tool talks to.
#
# Usage: desktop_files.sh SOURCE_DIR ICONS_DIR
set -euo pipefail
source=$1 icons=$2
linux=$source/packaging/linux
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$linux/com.orvanel.KyvoViewer.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=tessaro-viewer %F' "$linux/com.orvanel.KyvoViewer.desktop" || fail "the entry takes no files and folders"
appstreamcli validate --no-net --explain "$linux/com.orvanel.KyvoViewer.metainfo.xml" || fail "appstreamcli validate"

sizes=0
for png in "$icons"/*/apps/com.orvanel.KyvoViewer.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG $size" ] || fail "$png is not a $size PNG"
  sizes=$((sizes + 1))
done
[ "$sizes" -ge 6 ] || fail "only $sizes icon sizes"
[ -e "$icons/16x16/apps/com.orvanel.KyvoViewer.png" ] && [ -e "$icons/256x256/apps/com.orvanel.KyvoViewer.png" ] \
  || fail "the smallest or the largest icon is missing"

# The udev rule: one rule of KEY==value matches and KEY+=value assignments,
# for the recorder's USB ids as the USB tool has them, tagged for the seat.
rule=$linux/70-kyvo-recorder.rules
ids() { sed -n "s/.*$1 = 0x\([0-9A-Fa-f]\{4\}\);.*/\1/p" "$source/usbtool/link/UsbExchange.h" | tr A-F a-f; }
vendor=$(ids kRecorderVendorId) product=$(ids kRecorderProductId)
[ -n "$vendor" ] && [ -n "$product" ] || fail "the recorder's ids were not found"
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$rule" || fail "udevadm verify"
fi
mapfile -t rules < <(grep -v '^\s*\(#\|$\)' "$rule")
[ ${#rules[@]} -eq 1 ] || fail "expected one rule, found ${#rules[@]}"
IFS=',' read -ra fields <<<"${rules[0]}"
declare -A seen=()
for field in "${fields[@]}"; do
  field=$(echo "$field" | sed 's/^ *//; s/ *$//')
  [[ $field =~ ^([A-Z]+(\{[A-Za-z_]+\})?)(==|\+=|=)\"([^\"]*)\"$ ]] || fail "malformed field: $field"
  seen["${BASH_REMATCH[1]}${BASH_REMATCH[3]}"]=${BASH_REMATCH[4]}
done
[ "${seen['SUBSYSTEM==']:-}" = usb ] || fail "the rule matches no USB device"
[ "${seen['ATTR{idVendor}==']:-}" = "$vendor" ] || fail "the rule's vendor is not $vendor"
[ "${seen['ATTR{idProduct}==']:-}" = "$product" ] || fail "the rule's product is not $product"
[ "${seen['TAG+=']:-}" = uaccess ] || fail "the rule gives the seat's user no access"
# uaccess is applied by 73-seat-late.rules: the rule must come before it.
[[ $(basename "$rule") < 73 ]] || fail "the rule sorts after 73-seat-late.rules"
echo "desktop entry, metadata, icons and udev rule are sound"
