#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those that
# are missing, so a second call costs a fraction of a second.
set -eu

# clang with its runtimes builds the native tests under the sanitizers and the fuzz targets;
# python3-yaml reads the release's winget manifests back in their test. Xorg with the dummy video
# driver, laid out by xrandr, makes the desktop of two displays at negative coordinates that Xvfb
# cannot.
packages="cmake make g++ googletest g++-mingw-w64-x86-64 g++-mingw-w64-i686 \
clang libclang-rt-14-dev \
wine wine64 wine32:i386 fonts-wine fonts-liberation xvfb xdotool imagemagick procps nsis zip unzip \
xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
python3 python3-yaml"

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=""
for package in $packages; do
    installed "$package" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
# The 32-bit Wine loader runs the shipped 32-bit programs; it comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
