#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent:
# when every package is present it returns at once without touching apt.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config make
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql
  libcpp-httplib-dev libmicrohttpd-dev nlohmann-json3-dev libcli11-dev libsodium-dev
  qt6-base-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation qt6-translations-l10n
  libpango1.0-dev libcairo2-dev poppler-utils libpoppler-qt6-dev
  curl openssl clang libclang-rt-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
