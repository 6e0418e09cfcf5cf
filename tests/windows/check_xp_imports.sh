#!/usr/bin/env bash
# Checks that a built 32-bit channelflow.exe can start on Windows XP SP3: its
# PE header asks for no Windows newer than 5.1, and every function it imports
# is one that XP SP3's system DLLs export. Lists every import, and fails on
# any function outside the list below.
#   tests/windows/check_xp_imports.sh EXE
set -uo pipefail
exe="$1"
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

# The functions the program may import, by DLL: each of them is exported by
# the DLL of that name on Windows XP SP3. Add a function here only after
# making sure XP SP3 has it; a Vista or later one (see `newer` below) must
# never be added.
read -r -d '' allowed <<'EOF'
KERNEL32.DLL CloseHandle CreateEventA CreateEventW CreateSemaphoreA CreateSemaphoreW DeleteCriticalSection
KERNEL32.DLL DuplicateHandle EnterCriticalSection ExitProcess FreeLibrary GetCommandLineA GetCommandLineW
KERNEL32.DLL GetCurrentProcess GetCurrentProcessId GetCurrentThread GetCurrentThreadId GetLastError
KERNEL32.DLL GetModuleFileNameA GetModuleFileNameW GetModuleHandleA GetModuleHandleW GetProcAddress
KERNEL32.DLL GetStartupInfoA GetStartupInfoW GetSystemTimeAsFileTime GetTickCount HeapAlloc HeapFree
KERNEL32.DLL GetProcessHeap InitializeCriticalSection InterlockedCompareExchange InterlockedDecrement
KERNEL32.DLL InterlockedExchange InterlockedIncrement IsDBCSLeadByteEx LeaveCriticalSection LoadLibraryA
KERNEL32.DLL LoadLibraryW MulDiv MultiByteToWideChar QueryPerformanceCounter RaiseException ReleaseSemaphore
KERNEL32.DLL ResetEvent SetEvent SetLastError SetUnhandledExceptionFilter Sleep TerminateProcess TlsAlloc
KERNEL32.DLL TlsFree TlsGetValue TlsSetValue UnhandledExceptionFilter VirtualProtect VirtualQuery
KERNEL32.DLL WaitForSingleObject WideCharToMultiByte
KERNEL32.DLL GlobalAlloc GlobalFree GlobalLock GlobalUnlock
USER32.DLL AdjustWindowRectEx BeginPaint CreateWindowExW DefWindowProcW DestroyWindow DispatchMessageW
USER32.DLL EndPaint GetClientRect GetDC GetMessageW GetSysColor GetSystemMetrics GetWindowLongW
USER32.DLL GetWindowTextLengthW GetWindowTextW InvalidateRect IsDialogMessageW LoadCursorW LoadIconW
USER32.DLL LoadImageW MessageBoxW PostQuitMessage RegisterClassExW ReleaseDC SendMessageW SetFocus
USER32.DLL SetWindowLongW SetWindowPos SetWindowTextW ShowWindow TranslateMessage UpdateWindow
USER32.DLL AppendMenuW CallNextHookEx CallWindowProcW ClientToScreen CloseClipboard CreatePopupMenu
USER32.DLL DestroyMenu DrawTextW EmptyClipboard FillRect GetActiveWindow GetClassNameW GetDlgCtrlID
USER32.DLL GetDlgItem GetFocus GetKeyState GetSysColorBrush IsChild IsWindow IsWindowEnabled
USER32.DLL OpenClipboard SetClipboardData SetDlgItemTextW SetWindowsHookExW TrackPopupMenu
USER32.DLL UnhookWindowsHookEx
GDI32.DLL CreateFontIndirectW CreatePen DeleteObject GetDeviceCaps GetObjectW GetStockObject LineTo
GDI32.DLL MoveToEx SelectObject SetPixel GetTextExtentPoint32W SetBkMode SetTextColor
COMCTL32.DLL InitCommonControls InitCommonControlsEx
MSVCRT.DLL __dllonexit __getmainargs __mb_cur_max __p__acmdln __p__commode
MSVCRT.DLL __p__environ __p__fmode __p__wcmdln __set_app_type __setusermatherr __wgetmainargs __winitenv
MSVCRT.DLL _amsg_exit _cexit _close _errno _exit _fpreset _initterm _iob _lock _onexit _read _unlock
MSVCRT.DLL abort atoi calloc exit fflush fprintf fputc fputs free fwrite localeconv malloc memchr memcmp
MSVCRT.DLL memcpy memmove memset realloc setlocale signal strchr strcmp strerror strlen strncmp vfprintf
MSVCRT.DLL wcslen wcsncpy
EOF

# Functions that came with Windows Vista or later: a start-up on XP fails on
# any of them. The list above must hold none.
newer="GetTickCount64 InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
WakeConditionVariable WakeAllConditionVariable InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared
ReleaseSRWLockExclusive ReleaseSRWLockShared TryAcquireSRWLockExclusive TryAcquireSRWLockShared
InitializeCriticalSectionEx InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete FlsAlloc FlsFree
FlsGetValue FlsSetValue GetSystemTimePreciseAsFileTime CreateEventExW CreateSemaphoreExW CreateMutexExW
GetLocaleInfoEx LCMapStringEx CompareStringEx GetCurrentProcessorNumber GetDpiForWindow
SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext"

allowedPairs=$(awk '{ for (k = 2; k <= NF; k++) print $1, $k }' <<<"$allowed" | sort -u)
for function in $newer; do
  if grep -q " $function\$" <<<"$allowedPairs"; then fail "the XP list holds $function, which XP lacks"; fi
done

headers=$(x86_64-w64-mingw32-objdump -p "$exe") || { fail "objdump reads $exe"; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "a 32-bit (PE32) program"

# Header versions: Windows refuses a program that asks for a newer system.
for field in OSystem Subsystem; do
  major=$(awk -v f="Major${field}Version" '$1 == f { print $2 }' <<<"$headers")
  minor=$(awk -v f="Minor${field}Version" '$1 == f { print $2 }' <<<"$headers")
  if [ -z "$major" ] || [ -z "$minor" ]; then
    fail "$field version in the header"
  elif [ "$major" -gt 5 ] || { [ "$major" -eq 5 ] && [ "$minor" -gt 1 ]; }; then
    fail "$field version $major.$minor is above 5.1 (Windows XP)"
  else
    echo "ok   $field version $major.$minor"
  fi
done

# Every imported function, as "DLL function"; an import by ordinal alone
# has no name to check and counts as unknown.
imports=$(awk '
  /DLL Name:/ { dll = toupper($3); next }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, ($3 == "" ? "<ordinal " $2 ">" : $3); next }
  dll != "" && /^$/ { dll = "" }' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "the import table lists functions"
count=0
while read -r dll function; do
  [ -n "$dll" ] || continue
  count=$((count + 1))
  if grep -qx "$dll $function" <<<"$allowedPairs"; then
    echo "ok   $dll $function"
  else
    fail "$dll $function is not known to be on Windows XP SP3"
  fi
done <<<"$imports"
grep -qx "COMCTL32.DLL InitCommonControlsEx" <<<"$imports" ||
  fail "imports InitCommonControlsEx (the manifest asks for common controls 6)"

echo "     $count imported functions"
[ "$failures" -eq 0 ] && echo "all checks passed" || { echo "$failures check(s) failed"; exit 1; }
