#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Pennyfold needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth
  qt6-translations-l10n xdg-utils adwaita-icon-theme locales
)

# A comma-decimal locale, so that the tests can show that no number text follows LC_NUMERIC.
ensure_test_locale() {
  if command -v localedef >/dev/null && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    local s=""
    if [ "$(id -u)" -ne 0 ]; then s="sudo"; fi
    $s localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  ensure_test_locale
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_test_locale
