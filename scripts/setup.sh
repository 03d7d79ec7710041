#!/usr/bin/env bash
# Installs the Debian packages Pelmora needs, for one purpose:
#   setup.sh run    build and run the app and its generation service
#   setup.sh deb    also build the .deb
#   setup.sh test   also run every test (the default)
# Only what is missing is installed, so a set-up machine pays nothing.
set -euo pipefail
purpose="${1:-test}"

BUILD=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools qt6-httpserver-dev
    qt6-websockets-dev qt6-svg-dev libicu-dev
    # lupdate and lrelease: the translations are compiled into the app
    qt6-l10n-tools qt6-tools-dev
    libxcb1-dev # the global shortcut and window activation on X11
    libxtst-dev # pasting into the focused window on X11
    libwayland-dev libwayland-bin # pasting on Wayland, through a virtual keyboard
    libfontconfig-dev # fallback fonts looked up once for all threads
)
RUN=(
    # the X11 platform plugin, QML modules, SVG icons, TLS
    qt6-qpa-plugins libqt6svg6 libqt6network6
    qml6-module-qtqml qml6-module-qtqml-workerscript qml6-module-qtquick
    qml6-module-qtquick-window qml6-module-qtquick-shapes
    # the menu's file dialogs, drawn with Qt Quick's own controls
    qml6-module-qtquick-dialogs qml6-module-qt-labs-folderlistmodel
    qml6-module-qtquick-controls qml6-module-qtquick-templates qml6-module-qtquick-layouts
    # fonts that cover every code point of the built-in faces
    fontconfig fonts-dejavu-core
    fonts-wqy-microhei # kana, kanji, hangul letters, vertical brackets
    fonts-noto-core    # Indic, Thai, Tibetan, Yi, Vai, Samaritan, Canadian syllabics, math
    fonts-symbola      # the food emoji (monochrome)
    fonts-konatu       # the wave dash and halfwidth arrows, which no smaller font draws
    fonts-alee         # the hangul final jamo U+11BA
    # `make run` without a desktop: a virtual display with a tray host; the service check
    xvfb xauth trayer xdotool curl
    libxtst6 libwayland-client0 # pasting into the focused window
)
DEB=(dpkg-dev)
TEST=(
    qml6-module-qttest
    # the end-to-end runs: clipboard and input tools on the virtual display, xprop to read
    # window properties; a private session bus with a tray watcher of the tests' own (Debian's
    # Python, with its D-Bus bindings)
    xclip x11-utils dbus python3 python3-dbus python3-gi
    xterm # the window a paste goes into
    # what a screen reader sees: the accessibility bus, and Python's client of it
    at-spi2-core python3-pyatspi
    # Wayland: sway on its headless backend, Qt's Wayland plugin, clipboard, screenshot and
    # keyboard tools, a terminal to take the focus, and the pieces of our virtual pointer
    sway qt6-wayland wl-clipboard grim wtype foot
    # the installed tree and the package, checked with Debian's own validators
    desktop-file-utils appstream lintian man-db systemd
    # `make bench`: its frame probe (bench/ui/bench_ui.py) clicks and watches the window's
    # drawing through these X libraries, from Python's ctypes
    libx11-6 libxdamage1 libxtst6
)

packages=("${BUILD[@]}" "${RUN[@]}")
case "$purpose" in
run) ;;
deb) packages+=("${DEB[@]}") ;;
test) packages+=("${DEB[@]}" "${TEST[@]}") ;;
*)
    echo "setup: unknown purpose '$purpose' (run, deb or test)" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
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
