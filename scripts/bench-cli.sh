#!/usr/bin/env bash
# Times the command line as a user runs it: quillmar-cli drawing a 20-year daily file with
# candles and six indicators to PNG and to GIF, and printing its values, beside matplotlib
# drawing the same chart. Installs python3-matplotlib (the reference) when it is missing,
# builds quillmar-cli in build-release and prints a table of medians.
# Usage: scripts/bench-cli.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
if ! dpkg-query -W -f='${Status}' python3-matplotlib 2>/dev/null | grep -q "install ok installed"; then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends python3-matplotlib
fi

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target quillmar-cli -j 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The system's Python: the Debian package put matplotlib there, whatever python3 the PATH finds.
/usr/bin/python3 bench/cli/make-long-file.py "$work/LONG.csv"
export QT_QPA_PLATFORM=offscreen
/usr/bin/python3 bench/cli/run-bench.py build-release/src/cli/quillmar-cli "$work/LONG.csv" "$work" "${1:-11}"
