#!/usr/bin/env bash
# Runs one stage of a build and prints how long it took.
set -uo pipefail
stage=$1; shift
start=$(date +%s)
"$@"; rc=$?
echo "stage ${stage}: $(( $(date +%s) - start ))s (exit ${rc})"
exit $rc
