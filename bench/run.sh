#!/usr/bin/env bash
# Runs every benchmark script with zorak and, where installed, tclsh and
# jimsh, and prints the times side by side with zorak's ratio to each.
# Then runs the C++ micro-benchmarks.
set -u
build=${1:-build-release}
here=$(cd "$(dirname "$0")" && pwd)
zorak="$build/zorak"
tclsh=$(command -v tclsh || true)
jimsh=$(command -v jimsh || true)

seconds() { # command... -> elapsed seconds, or "-" when it failed
  local start end
  start=$(date +%s.%N)
  if "$@" >/dev/null 2>&1; then
    end=$(date +%s.%N)
    echo "$start $end" | awk '{printf "%.3f", $2 - $1}'
  else
    echo "-"
  fi
}

ratio() { # a b -> a/b
  if [ "$1" = "-" ] || [ "$2" = "-" ] || [ -z "$2" ]; then echo "-"; return; fi
  echo "$1 $2" | awk '{ if ($2 > 0) printf "%.2fx", $1 / $2; else print "-" }'
}

printf "%-22s %10s %10s %10s %12s %12s\n" script zorak tclsh jimsh "zorak/tclsh" "zorak/jimsh"
ratios_t=""; ratios_j=""
generated="$build/bench-scripts"
"$here/gen_scripts.sh" "$generated"
for script in "$here"/scripts/*.tcl "$generated"/*.tcl; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .tcl)
  z=$(seconds "$zorak" "$script")
  t="-"; j="-"
  if [ -n "$tclsh" ] && ! grep -q '^# zorak-only' "$script"; then t=$(seconds "$tclsh" "$script"); fi
  if [ -n "$jimsh" ] && ! grep -q '^# zorak-only' "$script"; then j=$(seconds "$jimsh" "$script"); fi
  printf "%-22s %10s %10s %10s %12s %12s\n" "$name" "$z" "$t" "$j" "$(ratio "$z" "$t")" "$(ratio "$z" "$j")"
  ratios_t+=" $(ratio "$z" "$t")"
  ratios_j+=" $(ratio "$z" "$j")"
done
geomean() { # ratios "1.5x 2x -" -> their geometric mean, or "-"
  echo "$1" | tr ' ' '\n' | awk '/x$/ { sub(/x$/, ""); if ($1 > 0) { s += log($1); n++ } }
    END { if (n) printf "%.2fx", exp(s / n); else print "-" }'
}
printf "%-22s %10s %10s %10s %12s %12s\n" "geometric mean" "" "" "" "$(geomean "$ratios_t")" "$(geomean "$ratios_j")"

if [ -x "$build/bench/zorak_bench" ]; then
  echo
  "$build/bench/zorak_bench" --benchmark_min_time=0.2
fi
