#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full build, then every test again
# under AddressSanitizer and UndefinedBehaviorSanitizer, the download tests (engine and desktop)
# under ThreadSanitizer, and each fuzz harness over its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

werror=OFF
if [[ ${CI:-} == true ]]; then werror=ON; fi

# Optimised as by default, without a debugger's tables, which would add half again to the build.
scripts/build.sh build -DQM_WERROR=$werror -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
ctest --test-dir build --output-on-failure -j "$(nproc)"

# Every library and every test once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# the Qt parts (drawing, images, the platform layer, the command line, the windows on the
# offscreen platform) included.
# Optimised a little, for quicker tests, and with line tables only, for a smaller build; every
# report still names its file and line.
scripts/build.sh build-asan -DQM_WERROR=$werror -DQM_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# The transfer workers are the program's only threads besides the user interface: the tests of
# the engine, of the calls onto the event loop, of the download window and of the main window's
# downloads once more under ThreadSanitizer. Qt and the test servers' library are not built for
# it; the suppressions leave out what happens inside them.
cmake -S "$root" -B build-tsan -G Ninja -DQM_WERROR=$werror -DQM_BUILD_GUI=ON \
    -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=-fsanitize=thread -O1" -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
tsan_tests=(download/download_tests platform/platform_widget_tests
            downloaddlg/download_dialog_tests app/download_commands_tests)
cmake --build build-tsan -j "$(nproc)" --target "${tsan_tests[@]##*/}"
for t in "${tsan_tests[@]}"; do
    TSAN_OPTIONS="suppressions=$root/tests/tsan-suppressions.txt" QT_QPA_PLATFORM=offscreen \
        "build-tsan/tests/$t" --gtest_brief=1
done

# Each fuzz harness once over its seed corpus (docs/TESTING.md), so that the harnesses keep
# building and their seeds keep passing.
QM_FUZZ_BUILD_DIR="$root/build-fuzz-ci" QM_FUZZ_BUILD_TYPE=Debug QM_FUZZ_JOBS="$(nproc)" \
    scripts/fuzz.sh all 0
