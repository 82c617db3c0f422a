#!/usr/bin/env bash
# Builds the Debian package of Quillmar and checks it: installs what is missing, builds with
# Debian's hardening flags into build-package/, runs cpack, validates the desktop entry and the
# AppStream metadata as installed, and lints the package. Prints the package's path last.
# Install it with:  sudo apt install ./build-package/quillmar_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh

# What packaging needs beyond building: dpkg-shlibdeps (dpkg-dev) and file find the libraries'
# packages, lintian checks the result.
missing=()
for p in dpkg-dev file lintian; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build=build-package
# Debian's compiler and linker flags, hardening included, given outright so that a build folder
# made earlier takes them too.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DQM_BUILD_TESTS=OFF "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
    "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/quillmar_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quillmar_*.deb)

# The installed tree, as the package lays it out, for the validators.
stage=$build/stage
rm -rf "$stage"
DESTDIR=$root/$stage cmake --install "$build" >/dev/null
for entry in "$stage"/usr/share/applications/*.desktop; do
    [[ -e $entry ]] && desktop-file-validate "$entry"
done
for metadata in "$stage"/usr/share/metainfo/*.xml; do
    [[ -e $metadata ]] && appstreamcli validate --no-net "$metadata" >/dev/null
done
# The package is not uploaded to Debian's archive, so its first changelog entry closes no request
# for packaging.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb"

echo "Package: $root/$deb"
