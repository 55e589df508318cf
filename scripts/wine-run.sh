#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (code page 932).
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh" ""
exec wine "$@"
