#!/usr/bin/env bash
# Runs the same quorvel-cli commands on two builds and reports every output that differs:
#   tools/compare_outputs.sh [--quick] [--list] BASE_REV [NEW_REV]
# BASE_REV (and NEW_REV) are revisions of the git repository of the current directory; each is
# exported and built once under ${QUORVEL_COMPARE_DIR:-/tmp/quorvel-compare}/<sha>/, and its
# outputs are kept there, so a second comparison against the same base runs only the new side.
# Without NEW_REV the new side is build/quorvel-cli of the current checkout.
# --quick runs about a quarter of the commands; --list prints them without running anything.
# Exit status: 0 all identical, 1 some differ, 2 usage or build error.
set -euo pipefail
shopt -s inherit_errexit

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${QUORVEL_COMPARE_DIR:-/tmp/quorvel-compare}
detail_limit=30  # differences shown with their diff; the rest by command only
outputs=outputs-1  # the kept outputs of a revision; a new number when their file layout changes

fail() { echo "compare_outputs: $*" >&2; exit 2; }

quick=0 list=0 revs=()
for arg in "$@"; do
  case $arg in
    --quick) quick=1 ;;
    --list) list=1 ;;
    -*) fail "unknown option $arg (usage: compare_outputs.sh [--quick] [--list] BASE_REV [NEW_REV])" ;;
    *) revs+=("$arg") ;;
  esac
done

# The argument lines to run: all of them, or every fourth for --quick.
command_lines() {
  bash "$tools/compare_commands.sh" | sed 's/ *$//' | if ((quick)); then awk 'NR % 4 == 1'; else cat; fi
}

if ((list)); then
  command_lines
  exit 0
fi
((${#revs[@]} >= 1 && ${#revs[@]} <= 2)) || fail "usage: compare_outputs.sh [--quick] [--list] BASE_REV [NEW_REV]"

# Exports and builds quorvel-cli of a revision once; prints the folder that holds it.
built_revision() {
  local sha dir
  sha=$(git rev-parse --verify --quiet "$1^{commit}") || fail "unknown revision $1"
  dir=$cache/$sha
  mkdir -p "$dir"
  (
    flock 9  # another comparison may be building the same revision
    if [[ ! -x $dir/src/build/quorvel-cli ]]; then
      echo "building quorvel-cli of $1 ($sha) in $dir" >&2
      rm -rf "$dir/src" && mkdir -p "$dir/src"
      git -C "$top" archive "$sha" | tar -x -C "$dir/src"
      local launcher=()
      command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
      # The build folder sits inside the sources as in a checkout, so ccache can reuse objects.
      if ! { cmake -S "$dir/src" -B "$dir/src/build" -DCMAKE_BUILD_TYPE=Release \
               -DQUORVEL_GUI=OFF -DQUORVEL_BENCH=OFF "${launcher[@]}" &&
             CCACHE_BASEDIR=$dir/src cmake --build "$dir/src/build" -j2 --target quorvel-cli; } \
           >"$dir/build.log" 2>&1; then
        tail -n 20 "$dir/build.log" >&2
        fail "build of $1 failed (log: $dir/build.log)"
      fi
    fi
  ) 9>"$dir.lock" || exit 2
  echo "$dir"
}

# Sets key to the name of the output files of an argument line: the line itself made safe for
# a file name (a hash when that is too long).
set_key() {
  key=${1//[^A-Za-z0-9.,:+-]/_}
  ((${#key} <= 200)) || key=$(printf '%s' "$1" | md5sum | cut -c1-32)
}
export -f set_key

# Runs one argument line with the given program in the folder out. Stdout, stderr and the exit
# status go into one text file, written last so that a file present means a finished run; a
# picture goes into the .png beside it, named relative to out so no path reaches the output.
run_one() {
  local program=$1 out=$2 line=$3 key args=()
  set_key "$line"
  [[ -e $out/$key.txt ]] && return 0
  eval "args=($line)"
  args=("${args[@]//\{png\}/$key.png}")
  local part=$out/$key.$$ status=0  # another comparison may run the same line into out
  local stdout=$part.stdout stderr=$part.stderr
  (cd "$out" && TZ=UTC LC_ALL=C timeout 120 "$program" "${args[@]}") >"$stdout" 2>"$stderr" || status=$?
  # The calendar export stamps its creation time on every event.
  {
    grep -v '^DTSTAMP:' "$stdout" || true
    [[ -s $stderr ]] && { echo "--- stderr"; cat "$stderr"; }
    echo "--- exit $status"
  } >"$part.txt"
  rm -f "$stdout" "$stderr"
  mv "$part.txt" "$out/$key.txt"
}
export -f run_one

# Runs every line not yet run into the folder, two at a time.
run_all() {
  local program=$1 out=$2
  [[ -x $program ]] || fail "no program $program"
  mkdir -p "$out/runtime"
  chmod 700 "$out/runtime"
  command_lines | XDG_RUNTIME_DIR=$out/runtime xargs -d '\n' -P2 -n1 \
    bash -c 'run_one "$@"' run_one "$program" "$out"
}

top=$(git rev-parse --show-toplevel) || fail "not inside a git checkout"
if ((${#revs[@]} == 2)); then
  new_dir=$(built_revision "${revs[1]}")
  new_program=$new_dir/src/build/quorvel-cli
  new_out=$new_dir/$outputs
else
  new_program=$top/build/quorvel-cli
  [[ -x $new_program ]] || fail "no $new_program: build it first (cmake --build build -j2 --target quorvel-cli)"
  new_out=$cache/checkout-$(printf '%s' "$top" | md5sum | cut -c1-12)
  rm -rf "$new_out"
fi
base_dir=$(built_revision "${revs[0]}")
base_out=$base_dir/$outputs
run_all "$base_dir/src/build/quorvel-cli" "$base_out"
run_all "$new_program" "$new_out"

runs=0 differ=0
while IFS= read -r line; do
  runs=$((runs + 1))
  set_key "$line"
  text_same=1 png_same=1
  cmp -s "$base_out/$key.txt" "$new_out/$key.txt" || text_same=0
  if [[ -e $base_out/$key.png || -e $new_out/$key.png ]]; then
    cmp -s "$base_out/$key.png" "$new_out/$key.png" 2>/dev/null || png_same=0
  fi
  ((text_same && png_same)) && continue
  differ=$((differ + 1))
  echo "DIFFERS: quorvel-cli $line"
  ((differ > detail_limit)) && continue
  ((png_same)) || echo "    PNG differs"
  if ((!text_same)); then
    diff -u "$base_out/$key.txt" "$new_out/$key.txt" | sed -n '3,14s/^/    /p' || true
  fi
done < <(command_lines)

if ((differ > detail_limit)); then
  echo "(diffs shown for the first $detail_limit differences only)"
fi
echo "$runs runs compared, $differ differ"
((differ == 0))
