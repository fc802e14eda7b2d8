#!/usr/bin/env bash
# Installs the named Debian packages that are missing (apt-get, as root or through sudo), adding the
# i386 architecture first when an ":i386" package is asked for. Installs nothing when all are there.
#
#   bash scripts/install-packages.sh cmake g++ wine32:i386 ...
set -euo pipefail

die() {
    printf '\n!!!! %s\n' "$*" >&2
    exit 1
}

missing=()
for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "==== every package is installed: $*"
    exit 0
fi

command -v apt-get >/dev/null || die "no apt-get: install by hand: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || die "not root and no sudo: cannot install ${missing[*]}"
    sudo=(sudo)
fi
echo "==== installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
    dpkg --print-foreign-architectures | grep -qx i386 || "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -q </dev/null || die "apt-get update failed"
"${sudo[@]}" apt-get install -y -q "${missing[@]}" </dev/null || die "apt-get could not install ${missing[*]}"
