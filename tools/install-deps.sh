#!/usr/bin/env bash
# Installs what the build and the tests need when it is missing (Debian).
set -e
missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v g++ >/dev/null || missing+=(g++)
command -v python3 >/dev/null || missing+=(python3)
command -v groff >/dev/null || missing+=(groff-base)   # checks the manual page
command -v xxd >/dev/null || missing+=(xxd)            # the guide's example of making a data file
command -v jq >/dev/null || missing+=(jq)              # reads the records of --json in the tests
command -v sqlite3 >/dev/null || missing+=(sqlite3)    # loads the records of --csv in the tests
[ -e /usr/lib/x86_64-linux-gnu/cmake/GTest/GTestConfig.cmake ] || [ -e /usr/lib/cmake/GTest/GTestConfig.cmake ] \
  || missing+=(libgtest-dev)
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
