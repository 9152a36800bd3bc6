#!/usr/bin/env bash
# The menu entry and the AppStream metainfo validate without a complaint.
# Exit 77 (skipped) where the validators are not installed.
# Usage: validate.sh DESKTOP_FILE METAINFO_FILE
set -uo pipefail
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || exit 77
status=0
out=$(desktop-file-validate "$1" 2>&1) || status=1
[[ -z $out ]] || { echo "$out"; status=1; }
out=$(appstreamcli validate --no-net --explain "$2" 2>&1) || status=1
if grep -qE '^(W|E):|^[EW]: ' <<<"$out" || grep -qiE 'warning|error' <<<"$out"; then echo "$out"; status=1; fi
exit $status
