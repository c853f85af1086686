# Sourced from the top of the tree by the packaging script and the installer
# round trip: the array simulated lists the files of dist/<arch> that belong to
# the simulated panels (packaging/simulated-files.txt), never to a site install,
# and is_simulated PATH says whether a file is one of them.
mapfile -t simulated < <(grep -v '^#' packaging/simulated-files.txt)

is_simulated() {
  local f
  for f in "${simulated[@]}"; do [ "$1" = "$f" ] && return 0; done
  return 1
}
