#!/usr/bin/env bash
# Builds the sound generator and writes every generated sound: the game's into data/sounds and the
# audio tests' into tests/engine/audio/data. See README.md.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${SOUNDGEN_BUILD:-/tmp/soundgen-build}
cmake -S tools/soundgen -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" >/dev/null
# A sound whose recipe was removed or renamed goes with it.
rm -f data/sounds/*.wav data/sounds/*.ogg
mkdir -p data/sounds
"$build/soundgen" game tools/soundgen/recipes.json data/sounds
"$build/soundgen" test tests/engine/audio/data
