#!/usr/bin/env bash
# Builds the Debian package with cpack and checks it: dependencies computed from the
# binaries, the files a desktop user needs, compressed manual pages, and no lintian error.
set -uo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (bash scripts/setup installs it)"; exit 1; }
done
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$(find "$out" -maxdepth 1 -name 'zav_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no zav_*.deb"; exit 1; }
ok "built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
# libqt6svg6 is no link dependency: Qt loads its plugins for the SVG icons.
for library in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6 libqt6pdfwidgets6 libserialport0 libftdi1-2 libqt6svg6; do
  grep -q "\b$library\b" <<<"$depends" && ok "depends on $library" || fail "Depends lacks $library: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in ./usr/bin/zavprog ./usr/bin/zavtool ./usr/share/applications/org.zav.zavprog.desktop \
  ./usr/share/icons/hicolor/scalable/apps/org.zav.zavprog.svg \
  ./usr/share/metainfo/org.zav.zavprog.metainfo.xml ./usr/share/doc/zav/ridirirodo.pdf \
  ./usr/share/doc/zav/copyright ./usr/share/doc/zav/changelog.gz \
  ./usr/share/man/man1/zavprog.1.gz ./usr/share/man/man1/zavtool.1.gz \
  ./usr/share/bash-completion/completions/zavtool ./usr/lib/udev/rules.d/60-zav-usb-adapters.rules; do
  grep -qx "$file" <<<"$contents" && ok "contains $file" || fail "lacks $file"
done

if lintian --fail-on error --no-tag-display-limit "$deb" >"$out/lintian.log" 2>&1; then
  ok "lintian finds no error"
else
  fail "lintian:"
  cat "$out/lintian.log"
fi
grep -E '^[EW]: ' "$out/lintian.log" || true

echo "$failures failed"
[ "$failures" -eq 0 ]
