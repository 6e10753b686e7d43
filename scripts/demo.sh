#!/usr/bin/env bash
# Builds the console, makes the demo administration (once) and starts the console on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
folder="$PWD/demo/Akkerhof012026"
[ -e "$folder/KorvenalDB.sqlite" ] || build/src/app/korvenal-admin demo "$folder"
exec build/src/app/korvenal-beheer "$folder"
