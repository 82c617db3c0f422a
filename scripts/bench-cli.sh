#!/usr/bin/env bash
# Times the command line as a user runs it: quillmar-cli drawing a 20-year daily file with
# candles and six indicators to PNG and to GIF, and printing its values, beside matplotlib
# drawing the same chart; and quillmar-cli reading a million-line file for its values beside
# pandas.read_csv reading it. Installs python3-matplotlib and python3-pandas (the references)
# when they are missing, builds quillmar-cli in build-release and prints a table of medians.
# Usage: scripts/bench-cli.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
missing=()
for package in python3-matplotlib python3-pandas; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=OFF \
    -DQM_BUILD_BENCH=ON >/dev/null
cmake --build build-release --target quillmar-cli qt_floor -j 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The system's Python: the Debian package put matplotlib there, whatever python3 the PATH finds.
/usr/bin/python3 bench/cli/make-long-file.py "$work/LONG.csv"
/usr/bin/python3 bench/cli/make-long-file.py "$work/MILLION.csv" 1000000
export QT_QPA_PLATFORM=offscreen
/usr/bin/python3 bench/cli/run-bench.py build-release/src/cli/quillmar-cli \
    build-release/bench/cli/qt_floor "$work/LONG.csv" "$work/MILLION.csv" "$work" "${1:-11}"
