#!/usr/bin/env bash
# The README's zavtool lines as a new user pastes them: every line of the code block under
# "## zavtool", in order, in a fresh folder standing for the clone (its build/src/cli/zavtool
# is the tool under test). The first line that fails, or calls something that is not there,
# ends the run; the trace shows which. They must leave the (stand-in) home folder empty.
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
if ! env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="$clone/home" bash -e -o pipefail -x lines.sh >output.txt 2>&1; then
  cat output.txt
  echo "FAIL: a README line did not run as written"
  exit 1
fi
# Nothing a reader runs may land in their home: no backup, no state, no settings.
if [ -n "$(find "$clone/home" -mindepth 1 -print -quit)" ]; then
  find "$clone/home" -mindepth 1
  echo "FAIL: the README lines wrote into the home folder"
  exit 1
fi
echo "ok: $(grep -c . lines.sh) README lines ran"
