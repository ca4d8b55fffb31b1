#!/usr/bin/env bash
# `orvo read` of the synthetic 100k-segment deck as a whole process (reading, building, saving
# the project, exit), optionally interleaved run by run with a peer program, so that both see
# the same machine load. Nothing is fetched: the peer and its input are whatever you pass.
#
#   bench/whole_process.sh [-n RUNS] [-b BUILD_DIR] [-s SEGMENTS] [PEER [PEER_ARGS...]]
#
# BUILD_DIR (default build/bench, as `make bench` builds it) must hold bin/orvo and
# bin/orvo_make_deck. Prints each run's wall time and peak resident memory, then min and
# median per program and, with a peer, the ratio of the medians.
set -euo pipefail

runs=5
build=build/bench
segments=99999
while getopts "n:b:s:h" option; do
  case $option in
    n) runs=$OPTARG ;;
    b) build=$OPTARG ;;
    s) segments=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
peer=("$@")

orvo=$build/bin/orvo
make_deck=$build/bin/orvo_make_deck
for program in "$orvo" "$make_deck"; do
  [[ -x $program ]] || { echo "missing $program (build with make bench)" >&2; exit 2; }
done
if ((${#peer[@]} > 0)) && ! command -v "${peer[0]}" >/dev/null; then
  echo "peer program ${peer[0]} not found" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deck=$work/deck.inp
"$make_deck" "$segments" "$deck"
echo "deck: $segments segments, $(stat -c %s "$deck") bytes"

# One run: wall seconds and peak RSS in KiB appended to the named file.
measure() {
  local out=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
    { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
  cat "$work/time" >>"$out"
  echo "$(basename "$1"): $(awk '{printf "%.3f s, %.1f MiB", $1, $2 / 1024}' "$work/time")"
}

for ((i = 1; i <= runs; ++i)); do
  rm -f "$work/project.orb"
  measure "$work/orvo.txt" "$orvo" read "$deck" "$work/project.orb"
  if ((${#peer[@]} > 0)); then measure "$work/peer.txt" "${peer[@]}"; fi
done

summary() {
  sort -n "$1" | awk -v name="$2" '{ t[NR] = $1; if ($2 > m) m = $2 }
    END { med = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
          printf "%s: min %.3f s, median %.3f s, peak %.1f MiB\n", name, t[1], med, m / 1024
          print med > "/dev/stderr" }'
}
summary "$work/orvo.txt" "orvo read" 2>/dev/null
if ((${#peer[@]} > 0)); then
  summary "$work/peer.txt" "peer" 2>/dev/null
  orvo_median=$(summary "$work/orvo.txt" x 2>&1 >/dev/null)
  peer_median=$(summary "$work/peer.txt" x 2>&1 >/dev/null)
  awk -v a="$orvo_median" -v b="$peer_median" \
    'BEGIN { if (b > 0) printf "orvo read / peer (medians): %.2fx\n", a / b }'
fi
