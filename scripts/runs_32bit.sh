#!/usr/bin/env bash
# Status 0 when this machine can build and run a 32-bit (-m32) program:
# a kernel without 32-bit support refuses it with "Exec format error".
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/orvelk-m32.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
printf 'int main(void) { return 0; }\n' > "$dir/probe.c"
cc -m32 -o "$dir/probe" "$dir/probe.c" 2>/dev/null && "$dir/probe" 2>/dev/null
