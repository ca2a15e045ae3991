#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tarv on the shipped sample data.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
tarv_setup

# Until the program window exists, the batch program shows the engine at work: it lays a
# terrace from the shipped sample catalogue (copied into the user's data folder on first start),
# battens it, saves the plan and draws it.
cli=./build/src/cli/tarv-cli
out=./build/beispiel
mkdir -p "$out"
echo
echo "Das Programmfenster gibt es noch nicht; tarv-cli verlegt eine Beispielterrasse:"
echo
"$cli" lay --outline "0,0 600,0 600,250 400,250 400,450 0,450" \
    --article 10103 --pattern "Halber Versatz" --edge 0 --substructure 2 \
    --save "$out/terrasse.pln" --png "$out/terrasse.png"
echo
"$cli" info "$out/terrasse.pln"
echo
echo "Plan: $out/terrasse.pln, Bild: $out/terrasse.png"
