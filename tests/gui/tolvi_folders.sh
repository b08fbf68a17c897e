#!/usr/bin/env bash
# Where the window keeps its files, started as a desktop menu (working folder / or the home
# folder), from the folder of an old install, and with --folder. Each start closes the window
# as soon as it is idle, so that its close step (writing NSmb.txt) runs. Offscreen.
# Usage: tolvi_folders.sh TOLVI
set -euo pipefail
tolvi=$(realpath "$1")
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
export HOME="$t/home" QT_QPA_PLATFORM=offscreen TOLVI_EXIT_WHEN_IDLE=close
export XDG_RUNTIME_DIR="$t/run" XDG_CACHE_HOME="$t/cache"
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
config="$HOME/.config/tolvi"

fail() { echo "FAIL: $*" >&2; exit 1; }
start() {  # start FOLDER [ARGS...]: the window started from FOLDER
  local folder=$1
  shift
  (cd "$folder" && "$tolvi" "$@")
}
holds() {  # holds FILE TEXT: FILE holds TEXT followed by CR LF
  cmp -s "$1" <(printf '%s\r\n' "$2") || fail "$1 holds '$(cat -v "$1" 2>/dev/null)', not '$2'"
}
# Every file below $t changed since the marker, but for the caches Qt and fontconfig keep.
changed() { find "$t" -newer "$t/marker" -type f -not -path "$t/cache/*" -not -path "$t/run/*" | sort; }

# From a menu, with settings an earlier version left at home: they are adopted, and the home
# folder's top is never written again.
printf '1$\r\n' > "$HOME/NSmb.txt"
touch -d '1 hour ago' "$HOME/NSmb.txt" && touch -d '30 minutes ago' "$t/marker"
start /
holds "$config/NSmb.txt" '1$'
holds "$HOME/NSmb.txt" '1$'
[ "$(changed)" = "$config/NSmb.txt" ] || fail "written from /: $(changed)"
touch "$t/marker"
sleep 1
start "$HOME"
[ "$(changed)" = "$config/NSmb.txt" ] || fail "written from the home folder: $(changed)"
[ ! -e "$HOME/Documents/Tolvi" ] || fail "the problem folder is made only when used"

# An old install: its folder keeps its settings.
mkdir -p "$t/old/Prbls"
printf '2\xc2\xa3\r\n' > "$t/old/NSmb.txt"
touch "$t/marker"
sleep 1
start "$t/old"
holds "$t/old/NSmb.txt" $'2\xc2\xa3'
[ "$(changed)" = "$t/old/NSmb.txt" ] || fail "written by the old install: $(changed)"

# A chosen folder, made when missing; the home folder itself is refused.
start / --folder "$t/class/2B" cat
holds "$t/class/2B/NSmb.txt" $'0\xe2\x82\xac'
set +e
start / --folder "$HOME" 2> "$t/err"
status=$?
set -e
[ "$status" -eq 2 ] || fail "--folder \$HOME gave status $status"
grep -q "choose a folder inside it" "$t/err" || fail "--folder \$HOME said: $(cat "$t/err")"
[ ! -e "$HOME/Tools.rel" ] || fail "the home folder was written"
echo "ok"
