#!/usr/bin/env bash
# Installs, only when missing, every Debian package that building, testing and running need.
# Safe to run again and again.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config git
    qt6-base-dev libgl-dev
    libcurl4-openssl-dev zlib1g-dev libjpeg62-turbo-dev libdeflate-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
    fonts-wine fonts-liberation
    giflib-tools strace
    desktop-file-utils appstream
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
