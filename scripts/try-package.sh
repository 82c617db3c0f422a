#!/usr/bin/env bash
# Tries the package that scripts/package.sh made as a user would: installs it with apt, runs
# quillmar-cli, starts quillmar on Qt's offscreen platform with a fresh home folder and ends it
# as a logout would, checks that it saved its configuration on the way out, and removes the
# package again. It changes the machine's installed packages while it runs (root or sudo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
deb=$(ls build-package/quillmar_*.deb 2>/dev/null | head -n 1) ||
    { echo "no package in build-package/: run scripts/package.sh first" >&2; exit 1; }
sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "./$deb"
cleanup() { DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q quillmar >/dev/null 2>&1 || true; }
trap cleanup EXIT

quillmar-cli kinds

home=$(mktemp -d)
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_RUNTIME_DIR=$home/run QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
quillmar &
pid=$!
# Start-up has finished once the factory settings file is written.
for _ in $(seq 1 60); do
    [[ -e $XDG_DATA_HOME/Quillmar/Quillmar7/Defaults.prm ]] && break
    sleep 0.5
done
sleep 1
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 0 ]] || { echo "quillmar ended with status $status" >&2; exit 1; }
[[ -s $XDG_CONFIG_HOME/Quillmar/Quillmar7.conf ]] ||
    { echo "quillmar saved no configuration at its end" >&2; exit 1; }
echo "quillmar started, ended on request and saved its configuration"
rm -rf "$home"

trap - EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q quillmar
if [[ -e /usr/bin/quillmar || -e /usr/bin/quillmar-cli ]] ||
    dpkg-query -W -f='${Status}' quillmar 2>/dev/null | grep -q "install ok installed"; then
    echo "the package did not go away cleanly" >&2
    exit 1
fi
echo "Installed, run and removed: $deb"
