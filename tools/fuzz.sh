#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every fuzz harness with clang, libFuzzer, ASan and UBSan into build-fuzz and runs each for SECONDS
# (default 60), starting from its corpus in fuzz/corpus with its dictionary in fuzz/dict. New inputs go to
# build-fuzz/corpus/<name>; a finding lands in build-fuzz/findings/ and ends the script with a failure. Copy a
# finding into fuzz/corpus/<name> once it is fixed, and the test command replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash tools/setup.sh fuzz

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DSTAKKAR_FUZZ=ON \
    -DSTAKKAR_BENCH=OFF -DSTAKKAR_DEBIAN_BUILDFLAGS=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target stakkar_fuzzers

export QT_QPA_PLATFORM=offscreen
mkdir -p build-fuzz/findings
failed=0
summary=()
for seeds in fuzz/corpus/*/; do
    name="$(basename "$seeds")"
    work="build-fuzz/corpus/$name"
    log="build-fuzz/$name.log"
    mkdir -p "$work"
    echo "== $name: $seconds s"
    if ! build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -dict="fuzz/dict/$name.dict" \
        -artifact_prefix="build-fuzz/findings/$name-" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
        failed=1
        echo "   FINDING: see $log and build-fuzz/findings/$name-*"
    fi
    done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || true)"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)"
    cov="$(grep -o 'cov: [0-9]*' <<<"$done_line" | cut -d' ' -f2 || true)"
    ft="$(grep -o 'ft: [0-9]*' <<<"$done_line" | cut -d' ' -f2 || true)"
    peak="$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)"
    summary+=("$(printf '%-14s %12s %10s %7s %7s %8s' "$name" "${runs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" "${peak:-?}")")
done

printf '%-14s %12s %10s %7s %7s %8s\n' harness executions exec/s cov ft "rss MB"
printf '%s\n' "${summary[@]}"
exit "$failed"
