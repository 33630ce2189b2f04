#!/usr/bin/env bash
# Sets up a Debian 12 machine for Strevo, builds what is out of date, then starts the program
# or runs every test.
#   scripts/strevo.sh run     build the program (nothing else) and start it
#   scripts/strevo.sh test    build and run every test: the suite, bounded fuzzing of every
#                             text reader (a build of the core without Qt), the Debian
#                             package and its validators, clang-tidy on src/, and the suite
#                             again under AddressSanitizer and UndefinedBehaviorSanitizer
# STREVO_FUZZ_SECONDS sets how long each fuzz target runs (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
  echo "usage: scripts/strevo.sh run|test" >&2
  exit 2
fi

packages=(cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
  libgl-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)
[[ $mode == test ]] && packages+=(clang-14 libclang-rt-14-dev clang-tidy-14 poppler-utils dpkg-dev
  desktop-file-utils appstream lintian)
source scripts/install_missing.sh
install_missing "${packages[@]}"

[[ -f build/CMakeCache.txt ]] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
if [[ $mode == run ]]; then
  # Only the program: the tests and benchmarks wait for `test`.
  cmake --build build -j2 --target strevo
else
  cmake --build build -j2
fi

if [[ $mode == run ]]; then
  if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "Strevo is a desktop program and this session has no display (DISPLAY is not set)." >&2
    echo "Start it on a desktop, or under a virtual X server:" >&2
    echo "  sudo apt-get install -y xvfb && xvfb-run -a build/src/windows/app/strevo" >&2
    exit 1
  fi
  exec build/src/windows/app/strevo
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2

# Every text reader under libFuzzer for a bounded time, from the committed seeds. The fuzz build
# holds every core library and no Qt, so it also proves that the core builds without Qt (its
# tests ran in the suite).
[[ -f build-fuzz/CMakeCache.txt ]] ||
  cmake -S . -B build-fuzz -DSTREVO_BUILD_FUZZERS=ON -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j2
for target in field_value number_format project_file profile_table design_file; do
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  echo "fuzzing $target for ${STREVO_FUZZ_SECONDS:-20} s"
  build-fuzz/fuzz/${target}_fuzzer -max_total_time="${STREVO_FUZZ_SECONDS:-20}" \
    -artifact_prefix=build-fuzz/ -print_final_stats=0 "$work" "fuzz/corpus/$target" 2>&1 |
    tail -n 1
done

# The Debian package: built, its metadata and the package validated, then unpacked and started
# to its main window and back, reading the profile table beside the program.
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/strevo_*_*.deb)
desktop-file-validate data/io.github.strevo.Strevo.desktop
appstreamcli validate --no-net data/io.github.strevo.Strevo.metainfo.xml
lintian --fail-on error,warning "$package"
unpacked=$(mktemp -d)
dpkg-deb -x "$package" "$unpacked"
STREVO_SMOKE_TEST=1 "$unpacked/usr/bin/strevo"
rm -rf "$unpacked"
echo "package $package checked"

# clang-tidy with the checks of .clang-tidy on every source file; any finding fails the run.
echo "clang-tidy on src/"
find src -name '*.cpp' ! -name '*_windows.cpp' -print0 |
  xargs -0 -P2 -n1 clang-tidy-14 -p build --quiet 2>/dev/null

# The whole suite again with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer;
# any report fails the run. The leak check does not scan thread-local storage: gcc 12's
# LeakSanitizer crashes on the dynamic thread-local storage of libcups, which Qt's print support
# loads; tests/lsan.supp names the library blocks that only such storage points to.
# _GLIBCXX_ASSERTIONS makes the standard containers check their indices, so that a read past
# a vector's end fails there too; a build directory configured without it is configured anew.
# -O1 with line tables only: the sanitizers' reports keep their lines, the build its time.
grep -q -- -D_GLIBCXX_ASSERTIONS build-asan/CMakeCache.txt 2>/dev/null ||
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTREVO_BUILD_BENCHMARKS=OFF \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
cmake --build build-asan -j2
LSAN_OPTIONS=use_tls=0:suppressions=$PWD/tests/lsan.supp \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j2
