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

# Each run is timed as user plus system CPU seconds, which a busy machine
# does not inflate, with its peak resident memory in KB: "seconds KB", or
# "- -" when it failed.
measure() {
  local out
  out=$(mktemp)
  if [ -x /usr/bin/time ]; then
    if /usr/bin/time -o "$out" -f "%U %S %M" "$@" >/dev/null 2>&1; then
      awk '{printf "%.3f %s", $1 + $2, $3}' "$out"
    else
      echo "- -"
    fi
  else
    local start end
    start=$(date +%s.%N)
    if "$@" >/dev/null 2>&1; then
      end=$(date +%s.%N)
      echo "$start $end" | awk '{printf "%.3f -", $2 - $1}'
    else
      echo "- -"
    fi
  fi
  rm -f "$out"
}

ratio() { # a b -> a/b
  if [ "$1" = "-" ] || [ "$2" = "-" ] || [ -z "$2" ]; then echo "-"; return; fi
  echo "$1 $2" | awk '{ if ($2 > 0) printf "%.2fx", $1 / $2; else print "-" }'
}

printf "%-22s %10s %10s %10s %12s %12s %10s %10s\n" script zorak tclsh jimsh "zorak/tclsh" \
  "zorak/jimsh" "zorak KB" "tclsh KB"
ratios_t=""; ratios_j=""
generated="$build/bench-scripts"
"$here/gen_scripts.sh" "$generated"
for script in "$here"/scripts/*.tcl "$generated"/*.tcl; do
  [ -e "$script" ] || continue
  name=$(basename "$script" .tcl)
  read -r z zpeak <<<"$(measure "$zorak" "$script")"
  t="-"; j="-"; tpeak="-"
  if [ -n "$tclsh" ] && ! grep -q '^# zorak-only' "$script"; then
    read -r t tpeak <<<"$(measure "$tclsh" "$script")"
  fi
  if [ -n "$jimsh" ] && ! grep -q '^# zorak-only' "$script"; then
    read -r j _ <<<"$(measure "$jimsh" "$script")"
  fi
  printf "%-22s %10s %10s %10s %12s %12s %10s %10s\n" "$name" "$z" "$t" "$j" "$(ratio "$z" "$t")" \
    "$(ratio "$z" "$j")" "$zpeak" "$tpeak"
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
