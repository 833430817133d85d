#!/usr/bin/env bash
# Plants faults one at a time into a scratch copy of the sources, runs the fast tests (all but the
# integration tests) against each, and reports whether some test failed. Every fault must be caught: the
# exit status is the number that were not. The copy and its build stay in $WAKELATCH_MUTATE_DIR (default
# ${TMPDIR:-/tmp}/wakelatch-mutate), so a second run rebuilds only what a fault touches.
# Usage: mutate.sh [NAME...]   (only the faults named; all when none)
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=${WAKELATCH_MUTATE_DIR:-${TMPDIR:-/tmp}/wakelatch-mutate}
scripts/install-deps.sh build

# name#file#text as it stands#text with the fault
faults=(
    'caption#src/ui/main/Captions.h#{"cmd_Speichern", "Speichern", "Save", ""}#{"cmd_Speichern", "Speicher", "Save", ""}'
    'frame-caption#src/ui/main/Captions.h#{"fra_Laufwerke", "  bekannte Laufwerke:  ", "  Systemdrives:  ", ""},#'
    'conversion-limit#src/settings/TextConversions.cpp#return ParseWhole<std::int32_t>(text);#const auto wide = ParseWhole<std::int64_t>(text); return wide ? std::optional<std::int32_t>(static_cast<std::int32_t>(*wide)) : std::nullopt;'
    'selection-separator#src/drives/Selection.cpp#text::TrimBlanks(list.Text(row).substr(0, 4))#text::TrimBlanks(list.Text(row).substr(0, 2)) + "/"'
    'touch-write-flag#src/platform/linux/DeviceReader.cpp#const int flags = O_RDONLY |#const int flags = O_RDWR |'
    'pass-order#src/drives/KeepAwakePass.cpp#for (int k = 0; k < entries && goOn(); ++k) {#for (int k = entries - 1; k >= 0 && goOn(); --k) {'
    'times-clamp#src/ui/main/frm_Main.cpp#std::clamp(state_.Times, kMinTimes, kMaxTimes)#std::max(state_.Times, kMinTimes)'
)

# The sources as they are now (committed or not). Only files whose content differs from the copy are
# written, with the current time: unchanged files stay built, and a changed one (even if older than the
# last build) is rebuilt.
incoming="$scratch/incoming"
rm -rf "$incoming"
mkdir -p "$incoming" "$scratch/src"
git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$incoming"
(cd "$incoming" && find . -type f -print0) | while IFS= read -r -d '' file; do
    if ! cmp -s "$incoming/$file" "$scratch/src/$file"; then
        mkdir -p "$(dirname "$scratch/src/$file")"
        cp "$incoming/$file" "$scratch/src/$file"
    fi
done
rm -rf "$incoming"
build="$scratch/build"
cmake -S "$scratch/src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fast_tests() { ctest --test-dir "$build" -E '^integration\.' -j2 --timeout 120 >"$scratch/tests.log" 2>&1; }
# The tests the last run listed as failed, by name.
failed_tests() { awk '/The following tests FAILED:/ {f=1; next} f && / - / {sub(/.* - /, ""); sub(/ \(.*/, ""); print}' "$scratch/tests.log"; }
echo "Building the untouched copy ..."
cmake --build "$build" -j2 >"$scratch/build.log" 2>&1 || { tail -20 "$scratch/build.log"; exit 1; }
fast_tests || { echo "the fast tests fail without any fault:"; failed_tests; exit 1; }

missed=0
for entry in "${faults[@]}"; do
    IFS='#' read -r name file original faulty <<<"$entry"
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    target="$scratch/src/$file"
    cp -p "$target" "$scratch/original"
    if ! grep -qF -- "$original" "$target"; then
        echo "STALE: $name (its text is no longer in $file)"
        missed=$((missed + 1))
        continue
    fi
    ORIGINAL=$original FAULTY=$faulty python3 -c '
import os, sys
path = sys.argv[1]
text = open(path).read()
open(path, "w").write(text.replace(os.environ["ORIGINAL"], os.environ["FAULTY"]))' "$target"
    if ! cmake --build "$build" -j2 >"$scratch/build.log" 2>&1; then
        echo "BROKEN: $name (the fault does not build)"
        missed=$((missed + 1))
    elif fast_tests; then
        echo "MISSED: $name"
        missed=$((missed + 1))
    else
        echo "caught: $name, by $(failed_tests | head -3 | paste -sd, -)"
    fi
    cp -p "$scratch/original" "$target"
    touch "$target"  # newer than the faulty build: rebuilt with the next fault
done
cmake --build "$build" -j2 >/dev/null 2>&1 || true
echo "$missed of the planted faults not caught"
exit "$missed"
