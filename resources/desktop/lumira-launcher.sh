#!/bin/sh
# Starts Lumira on the user's own data folder: the database and the settings must be
# writable, so they never live beside the installed program.
#
# Every shipped report template is copied into the user's Ses once: at the first start, and
# those a newer version brings at the first start of that version. A file the user has is
# never overwritten, and a shipped template the user has deleted does not come back: the
# names already brought are listed in .shipped-templates.
#
# Nothing here stops the start: when the folder cannot be prepared, the program itself tells
# the user what is wrong with it.

# The program lies in lib/lumira of the prefix this launcher was installed into.
program_dir="$(cd "$(dirname "$(readlink -f "$0")")/../@LUMIRA_PROGRAM_SUBDIR@" && pwd)"
data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/Lumira"
brought="$data_dir/.shipped-templates"

bring_templates() {
    mkdir -p "$data_dir/Ses" || return
    for template in "$program_dir"/Ses/*.fr3; do
        [ -f "$template" ] || continue
        name=$(basename "$template")
        grep -qxF "$name" "$brought" 2>/dev/null && continue
        if [ ! -e "$data_dir/Ses/$name" ] && [ ! -L "$data_dir/Ses/$name" ]; then
            cp -n "$template" "$data_dir/Ses/$name" || continue
        fi
        echo "$name" >>"$brought" || return
    done
}

mkdir -p "$data_dir" && bring_templates
exec "$program_dir/lumira" --dir "$data_dir" "$@"
