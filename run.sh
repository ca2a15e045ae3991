#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarv on the shipped sample data.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
tarv_setup
echo
echo "Das Programmfenster gibt es noch nicht; tarv-cli zeigt die Beispielfläche aus data/samples:"
echo
./build/src/cli/tarv-cli polygon data/samples/terrasse.txt
