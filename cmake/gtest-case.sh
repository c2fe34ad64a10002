#!/bin/sh
# One GoogleTest case as a CTest test: prints what the case printed in the run gtest-run.py made
# of its executable (this CTest run's), and exits with its result; 77 is a skip.
# Usage: gtest-case.sh <results-dir> <index>
status_file="$1/$2.status"
if [ ! -f "$status_file" ]; then
    echo "no result: the executable's run did not reach this case (see $1/output*.txt)"
    exit 1
fi
read -r status stamp <"$status_file"
if [ "$stamp" != "$PPID" ]; then
    echo "no result of this run: the result there is of another CTest run"
    exit 1
fi
cat "$1/$2.log"
case "$status" in
    passed) exit 0 ;;
    skipped) exit 77 ;;
    *) exit 1 ;;
esac
