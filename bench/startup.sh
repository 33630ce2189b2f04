#!/usr/bin/env bash
# Times the whole program from process start to a shown main window and back, under a virtual
# X server, and reports the median wall time and the largest peak memory of N runs.
#   bench/startup.sh [RUNS]     (needs xvfb: apt-get install -y xvfb)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
probe=build/bench/startup_probe
[[ -x $probe ]] || { echo "build first: scripts/strevo.sh test" >&2; exit 2; }
xvfb-run -a bash -c '
  for ((i = 0; i < '"$runs"'; i++)); do
    start=$(date +%s%N)
    memory=$(/usr/bin/time -f "%M" '"$probe"' 2>&1 >/dev/null | tail -n 1)
    echo "$(( ($(date +%s%N) - start) / 1000 )) $memory"
  done' | sort -n | awk '{ t[NR] = $1; if ($2 > m) m = $2 }
  END { printf "startup: median %.1f ms, peak memory %.1f MiB (%d runs)\n",
        t[int((NR + 1) / 2)] / 1000, m / 1024, NR }'
