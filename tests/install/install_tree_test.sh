#!/usr/bin/env bash
# Installs the build into a staging folder as the package does (prefix /usr under DESTDIR)
# and checks the tree a desktop user gets: both programs, the menu entry and its icon, the
# AppStream metadata, the manual, the manual pages and zavtool's completion, each valid for
# the tools the desktop uses; and nothing outside /usr.
set -uo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

if ! DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1; then
  cat "$stage.log"
  rm -f "$stage.log"
  echo "FAIL: cmake --install"
  exit 1
fi
rm -f "$stage.log"
root=$stage/usr
app=org.zav.zavprog

for file in bin/zavprog bin/zavtool \
  share/applications/$app.desktop \
  share/mime/packages/$app.xml \
  share/icons/hicolor/scalable/apps/$app.svg \
  share/metainfo/$app.metainfo.xml \
  share/doc/zav/ridirirodo.pdf share/doc/zav/copyright share/doc/zav/changelog.gz \
  share/man/man1/zavprog.1 share/man/man1/zavtool.1 \
  share/bash-completion/completions/zavtool \
  lib/udev/rules.d/60-zav-usb-adapters.rules; do
  if [ -f "$root/$file" ]; then ok "/usr/$file"; else fail "/usr/$file is missing"; fi
done
for program in zavprog zavtool; do
  [ -x "$root/bin/$program" ] || fail "/usr/bin/$program is not executable"
done
# zavprog's print and help module, where the program looks for it: <libdir>/zav.
module=$(find "$root/lib" -path '*/zav/libzav_documents.so' 2>/dev/null | head -n 1)
if [ -n "$module" ]; then ok "${module#"$stage"}"; else fail "/usr/lib/.../zav/libzav_documents.so is missing"; fi
# libftdi (and the libusb and libudev it brings) is loaded when a USB adapter is first opened,
# not at every start.
for program in zavprog zavtool; do
  [ -f "$root/bin/$program" ] || continue
  needed=$(readelf -d "$root/bin/$program" | grep NEEDED)
  grep -Eq 'libftdi|libusb' <<<"$needed" && fail "$program links the USB adapter libraries" || ok "$program loads libftdi on first use"
done

outside=$(cd "$stage" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "installed outside /usr: $outside"

require() { command -v "$1" >/dev/null || fail "$1 is not installed (bash scripts/setup installs it)"; }
require desktop-file-validate
require appstreamcli
require pdfinfo
require groff

desktop=$root/share/applications/$app.desktop
if [ -f "$desktop" ] && command -v desktop-file-validate >/dev/null; then
  if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then ok "desktop entry valid"; else fail "desktop entry: $out"; fi
  exec_line=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$root/bin/$exec_line" ] && ok "Exec=$exec_line installed" || fail "Exec=$exec_line is not in /usr/bin"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$root/share/icons/hicolor/scalable/apps/$icon.svg" ] && ok "Icon=$icon in hicolor" || fail "Icon=$icon not in hicolor"
fi
mime=$root/share/mime/packages/$app.xml
if [ -f "$mime" ] && command -v update-mime-database >/dev/null; then
  # The desktop's own tool reads the file into a scratch database; a *.zef then has our type.
  scratch=$(mktemp -d)
  mkdir -p "$scratch/packages" && cp "$mime" "$scratch/packages/"
  if out=$(update-mime-database "$scratch" 2>&1) && grep -q '^text/x-zav-extended:\*\.zef$' "$scratch/globs"; then
    ok "file type text/x-zav-extended for *.zef"
  else
    fail "shared-mime-info package: $out"
  fi
  grep -q '^MimeType=.*text/x-zav-extended;' "$desktop" && ok "desktop entry opens the file type" \
    || fail "desktop entry does not declare text/x-zav-extended"
  rm -rf "$scratch"
fi
metainfo=$root/share/metainfo/$app.metainfo.xml
if [ -f "$metainfo" ] && command -v appstreamcli >/dev/null; then
  if out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1); then ok "AppStream metadata valid"; else fail "AppStream: $out"; fi
  grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" \
    && ok "AppStream names the desktop entry" || fail "AppStream does not launch $app.desktop"
fi

manual=$root/share/doc/zav/ridirirodo.pdf
if [ -f "$manual" ] && command -v pdfinfo >/dev/null; then
  pages=$(pdfinfo "$manual" 2>/dev/null | sed -n 's/^Pages: *//p')
  [ "${pages:-0}" -ge 20 ] && ok "manual has $pages pages" || fail "manual has ${pages:-no} pages"
fi
for page in zavprog zavtool; do
  file=$root/share/man/man1/$page.1
  [ -f "$file" ] && command -v groff >/dev/null || continue
  if out=$(groff -man -Tutf8 -ww -z "$file" 2>&1) && [ -z "$out" ]; then ok "$page.1 renders cleanly"; else fail "$page.1: $out"; fi
done
rules=$root/lib/udev/rules.d/60-zav-usb-adapters.rules
if [ -f "$rules" ]; then
  # Every FTDI id the backend looks for, given to the user at the seat and to plugdev.
  for id in 6001 6010 6011 6014 6015; do grep -q "$id" "$rules" || fail "udev rule lacks 0403:$id"; done
  grep -q 'TAG+="uaccess"' "$rules" && grep -q 'GROUP="plugdev"' "$rules" && ok "udev rule grants the adapters" ||
    fail "udev rule lacks uaccess or plugdev"
fi
completion=$root/share/bash-completion/completions/zavtool
[ -f "$completion" ] && { bash -n "$completion" && ok "completion parses" || fail "completion does not parse"; }

if [ -x "$root/bin/zavtool" ]; then
  "$root/bin/zavtool" devices | grep -q MC68HC11E9 && ok "installed zavtool runs" || fail "installed zavtool does not list the devices"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
