#!/usr/bin/env bash
# Checks a built channelflow.exe as Windows will see it: a PE32 (or PE32+)
# GUI program that imports only DLLs every Windows has, with icon group 1 of
# three images and a version record 1.0.0.0 in Chinese (PRC), Unicode; the
# 32-bit program stays under 600 KB.
#   tests/windows/check_exe.sh EXE [pe32|pe32+]
set -uo pipefail
exe="$1"
kind="${2:-pe32}"
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}" >/dev/null 2>&1; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
if [ "$kind" = pe32 ]; then
  check "PE32 for Intel 386" grep -q 'file format pei-i386' <<<"$headers"
else
  check "PE32+ for x86-64" grep -q 'file format pei-x86-64' <<<"$headers"
fi
check "GUI subsystem" grep -Eq 'Subsystem[[:space:]]+00000002' <<<"$headers"
imports=$(grep 'DLL Name:' <<<"$headers" | awk '{print toupper($3)}' | sort -u | tr '\n' ' ')
echo "     imports: $imports"
unexpected=$(tr ' ' '\n' <<<"$imports" | grep -v -E '^(KERNEL32|USER32|GDI32|MSVCRT|ADVAPI32|COMCTL32|SHELL32)\.DLL$' | grep -v '^$')
check "imports only DLLs that ship with Windows" test -z "$unexpected"

resources=$(wrestool -l "$exe")
check "icon group 1" grep -q -- '--type=14 --name=1 ' <<<"$resources"
check "three icon images" test "$(grep -c -- '--type=3 ' <<<"$resources")" -eq 3
check "version record" grep -q -- '--type=16 --name=1 ' <<<"$resources"
check "resources in Chinese (PRC)" grep -q -- '--language=2052' <<<"$resources"

group=$(wrestool -x --raw --type=14 --name=1 "$exe" | od -An -v -tu1 | tr -s ' \n' ' ')
# GRPICONDIR: 0 0 1 0 3 0, then 14-byte entries: width height colours ...
entries=$(awk '{ for (k = 0; k < 3; k++) printf "%sx%s/%s ", $(7 + 14*k), $(8 + 14*k), $(9 + 14*k) }' <<<"$group")
echo "     icon images (size/colours, 0 = more than 256): $entries"
check "32x32 in 2 colours, 32x32 in 16, 16x16 in 16" test "$entries" = "32x32/2 32x32/16 16x16/16 "

version=$(wrestool -x --raw --type=16 --name=1 "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' ' ')
check "string block 080404B0" grep -q '080404B0' <<<"$version"
check "file version text 1.00" grep -Eq 'FileVersion +1\.00' <<<"$version"
check "product version text 1.00" grep -Eq 'ProductVersion +1\.00' <<<"$version"
fixed=$(wrestool -x --raw --type=16 --name=1 "$exe" | od -An -v -tx1 | tr -d ' \n')
# VS_FIXEDFILEINFO starts with BD 04 EF FE; file and product version 1.0.0.0 follow the struct version.
check "fixed file and product version 1.0.0.0" grep -q 'bd04effe0000010000000100000000000000010000000000' <<<"$fixed"
translation=$(wrestool -x --raw --type=16 --name=1 "$exe" | od -An -v -tx1 | tr -d ' \n')
check "translation 0x0804, code page 1200" grep -q '0408b004' <<<"$translation"

size=$(stat -c %s "$exe")
echo "     size: $size bytes"
[ "$kind" = pe32 ] && check "the 32-bit program under 600 KB" test "$size" -lt 614400
[ "$failures" -eq 0 ] && echo "all checks passed" || { echo "$failures check(s) failed"; exit 1; }
