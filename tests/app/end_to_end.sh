#!/usr/bin/env bash
# Runs the real mensora binary headless and checks its ways out: a run that
# ends when its input ends (0), a scripted run that taps and takes a
# screenshot (0), the exit command from the menu bar (0), no language pack
# beside the program (0xFFFFFFFF, seen as 255), and the command line's own
# answers (--help, --version, a bad argument).
set -u
: "${MENSORA:?set MENSORA to the mensora binary}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect_code() {  # name expected actual
  if [[ "$2" != "$3" ]]; then
    echo "FAIL $1: exit code $3, expected $2"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

"$MENSORA" --headless --root "$work/a" >/dev/null 2>&1
expect_code "ends with its input" 0 $?
[[ -f "$work/a/windows/temperature.bmp" ]] || { echo "FAIL the category bitmaps were not seeded"; failures=$((failures + 1)); }
[[ -f "$work/a/registry.db" ]] || { echo "FAIL no registry in the device folder"; failures=$((failures + 1)); }

printf 'tapid 1001\nwait\nscreenshot %s\n' "$work/shot.png" > "$work/tap.txt"
"$MENSORA" --headless --root "$work/a" --script "$work/tap.txt" >/dev/null 2>&1
expect_code "scripted tap and screenshot" 0 $?
[[ -s "$work/shot.png" ]] || { echo "FAIL no screenshot written"; failures=$((failures + 1)); }

# The menu bar's first menu ("File"), then its last item ("Exit").
# A step after it that would fail (no control 4242) shows the exit came first.
printf 'tap 15 307\nkey up\nkey enter\ntapid 4242\n' > "$work/exit.txt"
"$MENSORA" --headless --root "$work/a" --script "$work/exit.txt" >/dev/null 2>&1
expect_code "exit command" 0 $?

# A copy of the program and its keypad library without any language pack.
mkdir -p "$work/nopack"
cp "$MENSORA" "$(dirname "$MENSORA")/libtessapad.so" "$work/nopack/"
"$work/nopack/mensora" --headless --root "$work/b" >/dev/null 2>&1
expect_code "no language pack" 255 $?

"$MENSORA" --help >/dev/null
expect_code "--help" 0 $?
"$MENSORA" --version | grep -q '^mensora '
expect_code "--version" 0 $?
"$MENSORA" --bogus >/dev/null 2>&1
expect_code "unknown argument" 2 $?

exit $((failures > 0))
