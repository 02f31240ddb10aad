#!/bin/sh
# Starts Lumira on the user's own data folder: the database and the settings must be
# writable, so they never live beside the installed program. The shipped report templates
# are copied there on first start; files the user already has are never overwritten.
set -e
# The program lies in lib/lumira of the prefix this launcher was installed into.
program_dir="$(cd "$(dirname "$(readlink -f "$0")")/../@LUMIRA_PROGRAM_SUBDIR@" && pwd)"
data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/Lumira"
mkdir -p "$data_dir"
if [ ! -d "$data_dir/Ses" ] && [ -d "$program_dir/Ses" ]; then
    mkdir -p "$data_dir/Ses"
    cp -n "$program_dir"/Ses/*.fr3 "$data_dir/Ses/" 2>/dev/null || true
fi
exec "$program_dir/lumira" --dir "$data_dir" "$@"
