#!/usr/bin/env bash
# The include graph keeps its rooms: the page binds the core alone, the core
# knows no front end, and the numeric library's rooms stack as they are
# meant to (elementary functions, decimal text, then the calculator's values).
#   tests/layout/check_rooms.sh SOURCE_DIR
set -u
cd "${1:-.}" || exit 2
status=0
forbid() {  # forbid ROOM PATTERN WHY
  local hits
  hits=$(grep -rn --include='*.cpp' --include='*.h' -E "#include \"($2)" "$1" 2>/dev/null)
  if [ -n "$hits" ]; then
    echo "$1 must not include $2 ($3):"
    echo "$hits" | sed 's/^/  /'
    status=1
  fi
}
forbid web 'tools/' 'the page binds the core, not the command line'
forbid calc 'tools/|web/|window/' 'the core knows no front end'
forbid numeric/elementary 'numeric/(text|value)/|calc/' 'the elementary functions stand alone'
forbid numeric/text 'numeric/value/|calc/' 'decimal text raises no calculator error'
if grep -q 'channelflow_cli_core' web/CMakeLists.txt; then
  echo "web/CMakeLists.txt links the command line's library"
  status=1
fi
# The click alone uses the runtime; the toolkit does not.
for file in $(grep -rl --include='*.cpp' --include='*.h' '#include "runtime/' calc); do
  case "$file" in calc/click/*) ;; *) echo "$file includes runtime/: only the click does"; status=1 ;; esac
done
exit $status
