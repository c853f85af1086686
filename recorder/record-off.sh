#!/bin/sh
# The same as record-off.cmd: TqDvManager.real.dll goes back to being TqDvManager.dll.
# Usage: record-off.sh [folder of VelPanel.exe]   (default: the folder above this script)
d=${1:-$(dirname "$0")/..}
[ -e "$d/TqDvManager.real.dll" ] || { echo "the recorder is not in place in $d" >&2; exit 1; }
mv -f "$d/TqDvManager.real.dll" "$d/TqDvManager.dll" && echo "the maker's library is back in place"
