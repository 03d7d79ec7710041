#!/usr/bin/env bash
# Installs the Debian packages Pelmora needs to build, run and test.
# Only what is missing is installed, so a set-up machine pays nothing.
set -euo pipefail

PACKAGES=(
    # build
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools qt6-httpserver-dev
    qt6-websockets-dev qt6-svg-dev libicu-dev
    # run: the X11 platform plugin, QML modules, SVG icons, TLS
    qt6-qpa-plugins libqt6svg6 libqt6network6
    qml6-module-qtqml qml6-module-qtqml-workerscript qml6-module-qtquick
    qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-shapes qml6-module-qttest
    # fonts that cover every code point of the built-in faces
    fontconfig fonts-dejavu-core
    fonts-wqy-microhei # kana, kanji, hangul letters, vertical brackets
    fonts-noto-core    # Indic, Thai, Tibetan, Yi, Vai, Samaritan, Canadian syllabics, math
    fonts-symbola      # the food emoji (monochrome)
    fonts-konatu       # the wave dash and halfwidth arrows, which no smaller font draws
    fonts-alee         # the hangul final jamo U+11BA
    # tests: a headless X server, a tray host, clipboard and input tools, certificates, HTTP
    xvfb xauth trayer xclip xdotool openssl curl
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
