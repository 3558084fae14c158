#!/usr/bin/env bash
# Installs the Debian packages Gonilux needs to build and test, when any is missing.
# Works as root or as a user with sudo; does nothing (quickly) when all are present.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev libicu-dev libsqlite3-dev
  fonts-wqy-microhei xvfb xauth x11-utils
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  desktop-file-utils shared-mime-info
  appstream dpkg-dev file man-db bsdextrautils
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
