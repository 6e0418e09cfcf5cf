#include "runtime/win32/error_box.h"

#include <string>

namespace channelflow::runtime::win32 {
namespace {

// The hook that renames the box's button while it is being shown. One thread
// shows one box at a time, so one slot is enough.
HHOOK g_hook = nullptr;

// The message box is activated once its buttons exist: that is the moment to
// set the text, before it is first painted. Works from Windows XP on, where
// the box has no other way to name its button.
LRESULT CALLBACK renameButton(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const auto box = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(box, className, 16);
    if (std::wstring_view(className) == L"#32770" && GetDlgItem(box, IDOK) != nullptr) {
      SetDlgItemTextW(box, IDOK, kOkText);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

void showErrorBox(HWND owner, std::wstring_view message) {
  const std::wstring text(message);
  HHOOK previous = g_hook;
  g_hook = SetWindowsHookExW(WH_CBT, &renameButton, nullptr, GetCurrentThreadId());
  MessageBoxW(owner, text.c_str(), kErrorTitle, MB_OK | MB_ICONERROR);
  if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
  g_hook = previous;
}

}  // namespace channelflow::runtime::win32
