#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present: installs the
# missing ones when run as root, otherwise prints the command to run.
set -euo pipefail

needed=(cmake ninja-build g++ pkg-config libre2-dev nlohmann-json3-dev libgtest-dev
        libbenchmark-dev valgrind graphviz clang libclang-rt-14-dev
        libtelnet-dev libsnmp-dev libssl-dev snmp snmpsim libyaml-cpp-dev libssh-dev time
        expect telnet)
missing=()
for pkg in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "missing packages: ${missing[*]}" >&2
  echo "run: sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
