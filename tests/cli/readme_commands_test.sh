#!/usr/bin/env bash
# The README's zavtool lines as a new user pastes them: every line of the code block under
# "## zavtool", in order, in a fresh folder standing for the clone (its build/src/cli/zavtool
# is the tool under test). The first line that fails, or calls something that is not there,
# ends the run; the trace shows which.
set -uo pipefail
readme=$1
tool=$2
command -v srec_cat >/dev/null || { echo "srec_cat (package srecord) is not installed"; exit 77; }
clone=$(mktemp -d)
trap 'rm -rf "$clone"' EXIT
mkdir -p "$clone/build/src/cli" "$clone/home"
ln -s "$tool" "$clone/build/src/cli/zavtool"
awk '/^## zavtool$/ {on = 1; next} /^## / {on = 0} on && /^    / {sub(/^    /, ""); print}' \
  "$readme" >"$clone/lines.sh"
[[ -s $clone/lines.sh ]] || { echo "FAIL: no command lines under \"## zavtool\" in $readme"; exit 1; }
grep -q zavtool "$clone/lines.sh" || { echo "FAIL: the lines never call zavtool"; exit 1; }
cd "$clone" || exit 1
# The user's own settings and ports never take part.
if ! env -u XDG_CONFIG_HOME HOME="$clone/home" bash -e -o pipefail -x lines.sh >output.txt 2>&1; then
  cat output.txt
  echo "FAIL: a README line did not run as written"
  exit 1
fi
echo "ok: $(grep -c . lines.sh) README lines ran"
