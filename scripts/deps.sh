#!/usr/bin/env bash
# Installs what the build and the tests need, and skips what is already there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  added_arch=1
fi

for p in cmake g++ make googletest g++-mingw-w64-i686 wine wine32:i386 xvfb xauth x11-utils \
         imagemagick locales fonts-wqy-microhei; do
  have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale; the tests need code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  fi
  locale-gen >/dev/null
fi

exit 0
