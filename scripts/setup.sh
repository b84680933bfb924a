#!/usr/bin/env bash
# Installs the Debian packages Sestara needs, only when some are missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libqt6svg6 qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core fonts-liberation2 poppler-utils
  libxcb1-dev
  desktop-file-utils appstream
)

# Optional: "scripts/setup.sh --fuzz" adds clang and its libFuzzer runtime for the fuzz build,
# "scripts/setup.sh --deb" adds lintian to check the Debian package and devscripts for its
# hardening-check.
for option in "$@"; do
  case "$option" in
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --deb) packages+=(lintian devscripts) ;;
    *) echo "Uso: scripts/setup.sh [--fuzz] [--deb]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installo i pacchetti mancanti: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
