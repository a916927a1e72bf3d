#!/usr/bin/env bash
# scripts/setup adds the i386 architecture and 32-bit Wine exactly when a 32-bit program runs here.
# The program tried is replaced by stand-ins that do and do not run, and setup only says what it
# would do.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '#!/bin/sh\nexit 42\n' >"$work/runs"
printf '#!/bin/sh\nexit 1\n' >"$work/fails"
printf 'not a program' >"$work/refused"   # the kernel refuses it, as it refuses i386 code without 32-bit support
chmod +x "$work/runs" "$work/fails" "$work/refused"

plan="$(QIVYUN_32BIT_PROBE="$work/runs" "$root/scripts/setup" --dry-run 2>&1)" || fail "dry run failed: $plan"
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  grep -q "executes 32-bit x86 code" <<<"$plan" || fail "a machine that runs 32-bit code is not recognised: $plan"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    grep -qx "would run: dpkg --add-architecture i386" <<<"$plan" || fail "i386 is not added: $plan"
  fi
  grep -qx "would run: apt-get install -y -q wine32:i386" <<<"$plan" || fail "32-bit Wine is not installed: $plan"
fi

for probe in fails refused; do
  plan="$(QIVYUN_32BIT_PROBE="$work/$probe" "$root/scripts/setup" --dry-run 2>&1)" || fail "dry run failed: $plan"
  if grep -q "i386\|32-bit" <<<"$plan"; then fail "$probe: 32-bit Wine planned anyway: $plan"; fi
done

# The program setup really tries is an i386 executable; where it does not run, the kernel refused
# it (exec format error) rather than the program failing.
source "$root/scripts/lib.sh"
unset QIVYUN_32BIT_PROBE
write_32bit_probe "$work/probe32"
# ELF, 32-bit, little-endian, executable, machine 3 (i386)
head="$(od -An -tx1 -N20 "$work/probe32" | tr -d ' \n')"
[ "${head:0:32}" = "7f454c46010101000000000000000000" ] && [ "${head:32:8}" = "02000300" ] ||
  fail "the probe is no i386 executable: $head"
if can_execute_32bit_x86; then
  echo "this machine executes 32-bit x86 code"
else
  echo "this machine does not execute 32-bit x86 code"
  refusal="$("$work/probe32" 2>&1)"
  grep -qi "exec format error" <<<"$refusal" || fail "the probe was started but failed: $refusal"
fi

if [ "$failures" -eq 0 ]; then echo "setup 32-bit decision: passed"; fi
exit $((failures > 0))
