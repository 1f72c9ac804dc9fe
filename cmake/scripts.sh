# What the benchmark and fuzz scripts share; each sources it first:
#   . "$(dirname "$0")/../cmake/scripts.sh" || exit
# Strict mode, the project's top in $top, and the presets built on demand.
# shellcheck shell=bash
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Configures PRESET quietly and builds it: its own targets, or the TARGETs
# given. The build's output goes where the caller sends it; the presets are
# read from the project's top, wherever the script was started.
#   build_preset PRESET [TARGET...]
build_preset() {
  local preset=$1 targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  (
    cd "$top"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" "${targets[@]}"
  )
}

# The benchmarks' programs, BENCH_BUILD (default build/default), and their
# scratch folder, BENCH_DIR (default NAME in the temporary folder), made.
#   bench_places NAME
# shellcheck disable=SC2034 # the callers' variables
bench_places() {
  build="${BENCH_BUILD:-$top/build/default}"
  work="${BENCH_DIR:-${TMPDIR:-/tmp}/$1}"
  mkdir -p "$work"
}

fail() {
  echo "bench: '$*' failed" >&2
  exit 1
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
