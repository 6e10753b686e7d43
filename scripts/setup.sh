#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the console needs.
# Safe to run again: it does nothing (and says nothing) when all packages are present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libsqlite3-dev sqlite3
    libxml2-dev libxml2-utils zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
    fonts-dejavu-core
    libcurl4-openssl-dev libgmime-3.0-dev python3-aiosmtpd openssl ca-certificates
    libcups2-dev cups-daemon cups-client cups-ipp-utils dbus-daemon poppler-utils
    libxlsxwriter-dev python3-openpyxl
    mdbtools-dev mdbtools
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
