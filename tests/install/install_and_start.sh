#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program on a
# temporary home: it must write its database into the user's data folder and bring the
# shipped templates along, without overwriting the user's own files on the next start.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
export HOME="$work/home" QT_QPA_PLATFORM=offscreen LUMIRA_EXIT_AFTER_START=1
unset XDG_DATA_HOME
mkdir -p "$HOME"
data="$HOME/.local/share/Lumira"

"$work/prefix/bin/lumira"
test -s "$data/Lumira.mdb" || { echo "no database in $data"; exit 1; }
ls "$data"/Ses/*.fr3 >/dev/null || { echo "templates not copied to $data/Ses"; exit 1; }
sqlite3 "$data/Lumira.mdb" .tables | grep -q FOdeslane || { echo "tables missing"; exit 1; }

first=$(ls "$data"/Ses/*.fr3 | head -n 1)
second=$(ls "$data"/Ses/*.fr3 | tail -n 1)
[ "$first" != "$second" ] || { echo "need two shipped templates"; exit 1; }
echo "moje" > "$first"
rm "$second"
# A newer version ships one more template.
cp "$work/prefix/lib/lumira/Ses/$(basename "$first")" "$work/prefix/lib/lumira/Ses/Nova_sestava.fr3"
"$work/prefix/bin/lumira"
[ "$(cat "$first")" = "moje" ] || { echo "a user's template was overwritten"; exit 1; }
test ! -e "$second" || { echo "a template the user deleted came back"; exit 1; }
test -s "$data/Ses/Nova_sestava.fr3" || { echo "the newer version's template was not brought"; exit 1; }
test ! -e "$work/prefix/lib/lumira/Lumira.mdb" || { echo "database written beside the program"; exit 1; }
echo "installed program started on $data"
