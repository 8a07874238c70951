#!/usr/bin/env bash
# Compares `zavtool convert` with srec_cat as whole processes (hyperfine), on the same
# 64 KiB of data: S19 to binary, binary to S19, Intel HEX to binary and binary to Intel HEX,
# in one run. The goal is zavtool at most half of srec_cat's median time for each; the last
# lines give each median and the ratio.
#
#   bash bench/compare_convert.sh            (builds build-release/ when ZAVTOOL is not set)
#   ZAVTOOL=build/src/cli/zavtool bash bench/compare_convert.sh
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in hyperfine srec_cat; do
  command -v "$tool" >/dev/null || { echo "compare_convert: $tool is missing (bash scripts/setup)" >&2; exit 1; }
done

zavtool=${ZAVTOOL:-}
if [ -z "$zavtool" ]; then
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAV_BUILD_TESTS=OFF -DZAV_BUILD_BENCH=OFF \
    -DZAV_BUILD_UI=OFF >/dev/null
  cmake --build build-release --target zavtool >/dev/null
  zavtool=build-release/src/cli/zavtool
fi
zavtool=$(realpath "$zavtool")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# 64 KiB of varied bytes, and the same data as S19 and Intel HEX records (zavtool's own,
# which srec_cat reads as well) so both tools convert identical input.
head -c 65536 /dev/urandom >data.bin
"$zavtool" convert data.bin data.s19 --quiet
"$zavtool" convert data.bin data.hex --quiet

hyperfine -N --warmup 5 --min-runs 50 --style basic --export-json times.json \
  -n "zavtool s19->bin" "$zavtool convert data.s19 out-zavtool.bin" \
  -n "srec_cat s19->bin" "srec_cat data.s19 -motorola -o out-srec.bin -binary" \
  -n "zavtool bin->s19" "$zavtool convert data.bin out-zavtool.s19" \
  -n "srec_cat bin->s19" "srec_cat data.bin -binary -o out-srec.s19 -motorola" \
  -n "zavtool hex->bin" "$zavtool convert data.hex out-zavtool-hex.bin" \
  -n "srec_cat hex->bin" "srec_cat data.hex -intel -o out-srec-hex.bin -binary" \
  -n "zavtool bin->hex" "$zavtool convert data.bin out-zavtool.hex" \
  -n "srec_cat bin->hex" "srec_cat data.bin -binary -o out-srec.hex -intel"

cmp -s out-zavtool.bin data.bin || { echo "compare_convert: zavtool's binary differs from the data" >&2; exit 1; }
cmp -s out-srec.bin data.bin || { echo "compare_convert: srec_cat's binary differs from the data" >&2; exit 1; }
cmp -s out-zavtool-hex.bin data.bin || { echo "compare_convert: zavtool's binary from Intel HEX differs" >&2; exit 1; }
cmp -s out-srec-hex.bin data.bin || { echo "compare_convert: srec_cat's binary from Intel HEX differs" >&2; exit 1; }

# The medians in command order, in milliseconds.
mapfile -t medians < <(grep -o '"median": *[0-9.e+-]*' times.json | sed 's/.*: *//' |
  awk '{ printf "%.3f\n", $1 * 1000 }')
echo
for pair in "s19->bin 0 1" "bin->s19 2 3" "hex->bin 4 5" "bin->hex 6 7"; do
  read -r name zav srec <<<"$pair"
  awk -v n="$name" -v z="${medians[$zav]}" -v s="${medians[$srec]}" 'BEGIN {
    r = z / s
    printf "convert %s median: zavtool %.2f ms, srec_cat %.2f ms, ratio %.2f (%s)\n", n, z, s, r,
           r <= 0.5 ? "goal met" : "goal missed"
  }'
done
