#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
# Usage: scripts/install-deps.sh [test]
set -euo pipefail

PACKAGES=(cmake g++ make pkg-config libsdl2-dev libturbojpeg0-dev libfreetype-dev libfontconfig-dev
          fontconfig fonts-liberation2 espeak-ng libespeak-ng-dev espeak-ng-data libsqlite3-dev
          libcairo2-dev libpq-dev)
if [[ "${1:-}" == "test" ]]; then
  PACKAGES+=(googletest libgtest-dev libbenchmark-dev sqlite3 poppler-utils desktop-file-utils
             appstream xvfb openbox xdotool x11-utils imagemagick chromium postgresql pgbouncer)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then SUDO="sudo"; else
    echo "Please install as root: apt-get install -y ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y "${missing[@]}" || { $SUDO apt-get update && $SUDO apt-get install -y "${missing[@]}"; }
