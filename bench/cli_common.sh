# Sourced by the porukami-cli benches, from the repository's root with `build` set: `cli`, the
# program (the bench stops when it is not built), and `pin`, the prefix that keeps a run on one
# core where taskset exists.
cli="$build/bin/porukami-cli"
[[ -x "$cli" ]] || { echo "no $cli: build the porukami-cli and porukami_content targets" >&2; exit 1; }
pin=()
command -v taskset > /dev/null && pin=(taskset -c 0)
