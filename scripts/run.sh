#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program's main job: for now, reading the
# bundled sample price files and reporting what was found in each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build
build/src/cli/quillmar-cli inspect samples/*.csv "$@"
