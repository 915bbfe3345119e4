#!/usr/bin/env bash
# End-to-end runs of the real mensora-cli binary: outputs, exit codes, error
# lines, and table files in each encoding. CLI names the binary.
set -u
: "${CLI:?CLI must name the mensora-cli binary}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE STDOUT -- ARGS...: runs the CLI, compares exit code and stdout;
# on an error code, stderr must be exactly one line.
expect() {
  local code=$1 out=$2; shift 3
  local got rc err
  got=$("$CLI" "$@" 2>"$work/err"); rc=$?
  err=$(cat "$work/err")
  [ "$rc" = "$code" ] || fail "$* -> exit $rc, want $code ($err)"
  [ "$out" = "-" ] || [ "$got" = "$out" ] || fail "$* -> '$got', want '$out'"
  if [ "$code" != 0 ]; then
    [ "$(wc -l <"$work/err")" = 1 ] || fail "$* -> stderr not one line: $err"
  elif [ -n "$err" ]; then
    fail "$* -> unexpected stderr: $err"
  fi
}

expect 0 212 -- convert Temperature Celsius Fahrenheit 100
expect 0 -40 -- convert temp celsius fahr -40
expect 0 459.67 -- convert Temperature Fahrenheit Rankin 0
expect 0 42.16 -- convert Distance mi km 26.2 --digits 2
expect 0 14.6959 -- convert Pressure atmosphere PSI 1 --scientific
expect 0 1.82874E+06 -- convert Distance km ft 557.4 --scientific
expect 0 1852 -- convert Distance M m 1 --raw
expect 0 0.1 -- convert Distance m m 0.1 --raw
expect 0 1 -- convert Time millisecond century 3.1536e12
expect 0 8 -- convert Computer byte bit 1
expect 2 "" -- convert Nowhere a b 1
expect 2 "" -- convert Distance mil xyz 1
expect 2 "" -- convert Distance m ft twelve
expect 2 "" -- convert Distance m ft 1 --digits 0
expect 2 "" -- convert Distance m ft
expect 2 "" -- units
expect 2 "" -- frobnicate
expect 2 "" -- categories --raw
expect 2 "" --
expect 2 "" -- --table "$work/missing.dat" categories
expect 0 - -- --help
expect 0 - -- --version

[ "$("$CLI" categories | wc -l)" = 22 ] || fail "categories: not 22 lines"
[ "$("$CLI" categories | tail -n 1)" = Custom ] || fail "categories: Custom is not last"
[ "$("$CLI" units Area | head -n 1)" = "kilometer² (km²)" ] || fail "units Area: first unit"
"$CLI" convert Distance mil m 1 2>&1 | grep -q "matches: 'mile (mi)', 'mil (mil)'" ||
  "$CLI" convert Distance mil m 1 >/dev/null 2>&1 || fail "mil should resolve or list both"

# The printed table reads back to the same database.
"$CLI" table >"$work/table.dat" || fail "table"
for args in "categories" "units Flow" "units Angle" "convert Energy BTU joule 1 --raw" \
            "convert Speed C mach 1 --raw" "convert Torque kN·m lbf·in 1 --raw"; do
  # shellcheck disable=SC2086
  [ "$("$CLI" $args)" = "$("$CLI" --table "$work/table.dat" $args)" ] ||
    fail "table round trip differs for: $args"
done

# A small table in each encoding; no conversion between unconnected units.
printf 'Area,meter²,centimeter²,10000,0\nX,a,b,2,0\nX,c,d,3,0\n' >"$work/utf8.dat"
{ printf '\xEF\xBB\xBF'; cat "$work/utf8.dat"; } >"$work/bom.dat"
{ printf '\xFF\xFE'; iconv -f UTF-8 -t UTF-16LE "$work/utf8.dat"; } >"$work/le.dat"
{ printf '\xFE\xFF'; iconv -f UTF-8 -t UTF-16BE "$work/utf8.dat"; } >"$work/be.dat"
for enc in utf8 bom le be; do
  expect 0 "$(printf 'meter²\ncentimeter²')" -- --table "$work/$enc.dat" units Area
  expect 0 20000 -- --table "$work/$enc.dat" convert Area meter² centi 2
  expect 1 "" -- --table "$work/$enc.dat" convert X a c 1
done
iconv -f UTF-8 -t LATIN1 "$work/utf8.dat" >"$work/latin1.dat"
expect 2 "" -- --table "$work/latin1.dat" categories
grep -q "not valid UTF-8 or UTF-16" "$work/err" || fail "undecodable file: message"
printf '\xFF\xFEA' >"$work/odd.dat"
expect 2 "" -- --table "$work/odd.dat" categories
expect 2 "" -- --table "$work" categories

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all end-to-end checks passed"
