#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the ordinary build (and its
# Debian package), the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzz targets for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

"$root/scripts/build.sh" "$root/build"
# The Debian package a user installs (build/orvela_*.deb).
(cd "$root/build" && cpack >/dev/null && ls orvela_*.deb)
(cd "$root/build" && ctest --output-on-failure -j2)

"$root/scripts/build.sh" "$root/build-asan" -DORVELA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ctest --output-on-failure -j2)

CXX=clang++ "$root/scripts/build.sh" "$root/build-fuzz" -DORVELA_FUZZ=ON
for fuzzer in "$root"/build-fuzz/tests/fuzz/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  work=$(mktemp -d)
  cp -r "$root/tests/fuzz/corpus/$name/." "$work/"
  echo "Fuzzing $name for ${ORVELA_FUZZ_SECONDS:-30} s"
  "$fuzzer" -max_total_time="${ORVELA_FUZZ_SECONDS:-30}" -print_final_stats=0 "$work" 2>&1 | tail -n 2
  rm -rf "$work"
done
echo "All tests passed."
