#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (as root). Quick and
# silent when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache python3 git
  libgtest-dev googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  wine wine32:i386 xvfb xauth locales fonts-ipafont-gothic x11-apps imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync fails an index now and then: try again,
  # and in the end install from whatever indexes did arrive.
  for attempt in 1 2 3; do
    apt-get update -qq && break
    echo "setup: package index update failed (attempt $attempt)" >&2
    sleep $((attempt * 10))
  done
  # When the security index of one architecture did not arrive, the amd64
  # and i386 halves of a library can no longer be matched; the release's own
  # versions (-t bookworm) always match.
  install=(apt-get install -y -qq --no-install-recommends)
  DEBIAN_FRONTEND=noninteractive "${install[@]}" "${missing[@]}" >/dev/null ||
    DEBIAN_FRONTEND=noninteractive "${install[@]}" -t bookworm "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (CP932) from the Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
