#!/usr/bin/env bash
# scripts/check-layers rejects a small tree that breaks each of its rules once, with the rule's own
# report for each fault and nothing beyond them.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
check="$here/../../scripts/check-layers"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$here/layers-fixture/src" "$work/src"
# The one file over the length limit is written here rather than kept in the fixture.
seq -f '// line %g' 501 > "$work/src/skin/container/Long.cpp"

if "$check" "$work/src" 2> "$work/reported"; then
  echo "check-layers passed a tree with a fault of every kind"
  exit 1
fi
expected=(
  "src/gadgets: a folder the table does not place"
  "search/Scan.cpp:1 includes controls/, which search/ may not"
  "skin/engine/Skinner.h:3 includes skin/kinds/Kind.h of the skin's kinds layer, which engine may not"
  "skin/kinds/Kind.cpp:2 includes the engine's implementation (skin/SkinEngine.h), which no kind may"
  "skin/kinds/Kind.h:4 befriends SkinEngine of another folder"
  "skin/container/Long.cpp: 501 lines, more than 500"
  "controls/Paints.cpp:3 calls GetDC outside the DC owners"
  "updater/Messages.cpp:2 calls MessageBoxA, an ANSI function"
)
status=0
for message in "${expected[@]}"; do
  grep -qxF "$message" "$work/reported" || { echo "not reported: $message"; status=1; }
done
if [ "$(wc -l < "$work/reported")" -ne "${#expected[@]}" ]; then
  echo "reported, where ${#expected[@]} faults were expected:"
  cat "$work/reported"
  status=1
fi
exit $status
