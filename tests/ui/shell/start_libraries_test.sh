#!/usr/bin/env bash
# zavprog starts without Qt's printing, PDF and network libraries (and the Kerberos, cups,
# OpenJPEG and proxy libraries they bring): those load with its print and help module, on
# first use. The module itself must be there, beside the program in the build tree.
#   bash start_libraries_test.sh ZAVPROG MODULE
set -uo pipefail
program=$1
module=$2
loaded=$(ldd "$program") || { echo "FAIL: ldd $program"; exit 1; }
late=$(grep -E -o 'lib(Qt6PrintSupport|Qt6Pdf[A-Za-z]*|Qt6Network|cups|krb5|gssapi_krb5|openjp2|proxy)\.so[^ ]*' <<<"$loaded")
if [ -n "$late" ]; then
  echo "FAIL: zavprog loads at start what only printing or the help window needs:"
  echo "$late"
  exit 1
fi
[ "$(dirname "$program")" = "$(dirname "$module")" ] || { echo "FAIL: $module is not beside $program"; exit 1; }
grep -q 'Qt6PrintSupport' <<<"$(ldd "$module")" || { echo "FAIL: $module does not hold the printing"; exit 1; }
echo "ok: zavprog starts with $(grep -c '=>' <<<"$loaded") libraries, none of its print and help module's"
