#!/usr/bin/env bash
# Writes the generated benchmark scripts (too large to keep in the tree).
out=${1:?directory}
mkdir -p "$out"
yes 'set a 1' | head -n 100000 > "$out/straight_100k_set.tcl"
