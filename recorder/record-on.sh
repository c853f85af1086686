#!/bin/sh
# The same as record-on.cmd, for a VelPanel folder run under Wine: the maker's
# TqDvManager.dll becomes TqDvManager.real.dll and the recorder takes its place.
# Usage: record-on.sh [folder of VelPanel.exe]   (default: the folder above this script)
d=${1:-$(dirname "$0")/..}
[ -e "$d/TqDvManager.real.dll" ] && { echo "the recorder is already in place in $d" >&2; exit 1; }
mv "$d/TqDvManager.dll" "$d/TqDvManager.real.dll" && cp "$(dirname "$0")/TqDvManager.dll" "$d/TqDvManager.dll" && echo "recording: VelPanel writes VelPanel-*.tqrec beside itself from its next start"
