#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer (every undefined behaviour
# fatal) into build-sanitize and runs every test there. -O1 with line tables only keeps the build short
# while the reports still name file and line; the benchmarks are left out, and so are Debian's hardening flags,
# whose fortified functions would hide calls from AddressSanitizer, but for binding at load time, which the
# package's check asks for. Leaks are reported too; the one
# inside a system library that our code cannot free is suppressed by tools/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh test

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
started=$(date +%s)
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined -Wl,-z,relro,-z,now" -DSTAKKAR_BENCH=OFF -DSTAKKAR_DEBIAN_BUILDFLAGS=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build-sanitize -j "$(nproc)"
built=$(date +%s)

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp"
status=0
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)" --timeout 900 || status=$?
finished=$(date +%s)
echo "sanitizer build: $((built - started)) s, tests: $((finished - built)) s"
exit "$status"
