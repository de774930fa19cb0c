#!/usr/bin/env bash
# Installs the Debian packages Corvane needs to build, test and run.
# Only missing packages are installed, so a second run costs no time.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-multimedia-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  # The fonts the program maps its windows' families to, which the tests
  # also draw with (tests/support/TestFonts.cmake lists their files).
  fonts-noto-cjk fonts-urw-base35 fonts-dejavu-core
  qt6-translations-l10n
  dpkg-dev desktop-file-utils appstream
  xvfb xauth
  # The X11 protocol library the program talks to beside Qt, and the Wayland
  # platform of Qt for Wayland desktops.
  libxcb1-dev qt6-wayland
  clang libclang-rt-14-dev
  iproute2 nftables
  # The computer opponent's engine (--computer, corvane-computer).
  fairy-stockfish
  # The desktop tests and tools/monkey: a real window manager on Xvfb, input,
  # screenshots, the clipboard and X from Python.
  openbox xdotool x11-utils imagemagick xclip python3 python3-xlib util-linux
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
