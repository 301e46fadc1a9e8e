#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a Qt header is included where only the standard library and POSIX belong.
set -u
root=$1
status=0
for dir in vault model autopilot kvmail analysis; do
    [ -d "$root/$dir" ] || continue
    hits=$(grep -rlE '#include *<Q' "$root/$dir" --include='*.h' --include='*.cpp' | grep -v "^$root/analysis/pages/" || true)
    if [ -n "$hits" ]; then
        echo "Qt included in $dir/:"
        echo "$hits"
        status=1
    fi
done
exit $status
