#!/bin/sh
# Regenerates data/Database from the setting writers' tables.
set -e
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target ks_make_database -j6
rm -f data/Database/*.dat
mkdir -p data/Database
build/host/ks_make_database data/Database
