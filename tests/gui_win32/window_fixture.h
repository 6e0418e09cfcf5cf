// The real Win32 window, built from the program's record, and the helpers
// that drive it the way a user does: keys through the same dialog-manager
// path as the event loop, clicks as mouse messages, the error box closed by
// a timer while its modal loop runs.
#pragma once

#include "app/channelflow_project.h"
#include "runtime/start.h"
#include "runtime/win32/error_box.h"
#include "runtime/win32/win32_backend.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

namespace channelflow::testing {

using runtime::win32::toUtf8;
using runtime::win32::Win32Backend;

inline std::string textOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return toUtf8(text);
}

inline void pumpMessages(HWND window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) Win32Backend::dispatch(window, message);
  }
}

struct Modifiers {
  bool shift = false;
  bool control = false;
};

// Sends a key press and release to the focused control through the dialog
// manager, as the event loop would; `extended` marks the keypad's Enter.
inline void pressKey(HWND window, WPARAM key, Modifiers modifiers = {}, bool extended = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = modifiers.shift ? 0x80 : 0;
  keys[VK_CONTROL] = modifiers.control ? 0x80 : 0;
  SetKeyboardState(keys);
  const LPARAM extendedBit = extended ? LPARAM{1} << 24 : 0;
  for (const UINT type : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
    const LPARAM state = type == WM_KEYUP ? LPARAM{0xC0000001} : LPARAM{1};
    MSG message{GetFocus(), type, key, state | extendedBit, 0, {}};
    Win32Backend::dispatch(window, message);
    pumpMessages(window);
  }
  keys[VK_SHIFT] = 0;
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// A mouse click in the middle of `control`, left or right button.
inline void clickOn(HWND window, HWND control, bool right = false) {
  RECT r;
  GetClientRect(control, &r);
  const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
  PostMessageW(control, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  PostMessageW(control, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
  pumpMessages(window);
}

// What the error box showed before the timer closed it.
struct ErrorBoxSeen {
  std::string text;
  std::string button;
  bool icon = false;
};

inline ErrorBoxSeen g_errorBox;

inline BOOL CALLBACK findIcon(HWND child, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (_wcsicmp(name, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      SendMessageW(child, STM_GETICON, 0, 0) != 0) {
    *reinterpret_cast<bool*>(found) = true;
  }
  return TRUE;
}

inline void CALLBACK closeErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", runtime::win32::kErrorTitle);
  if (box == nullptr) return;
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  g_errorBox.text = toUtf8(text);
  GetDlgItemTextW(box, IDOK, text, 256);
  g_errorBox.button = toUtf8(text);
  EnumChildWindows(box, &findIcon, reinterpret_cast<LPARAM>(&g_errorBox.icon));
  KillTimer(nullptr, timer);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime::prepareWindow(app::channelflowProject(), backend));
    backend.showWindow();
    SetForegroundWindow(backend.window());
    pumpMessages(backend.window());
  }
  void TearDown() override {
    DestroyWindow(backend.window());
    pumpMessages(nullptr);  // also takes the quit message that closing posts
  }

  HWND control(const char* name) const { return backend.control(name); }
  int px(std::int32_t twips) const { return MulDiv(twips, static_cast<int>(backend.dpi()), 1440); }

  void type(const std::map<std::string, std::wstring>& texts) {
    for (const auto& [name, text] : texts) SetWindowTextW(control(name.c_str()), text.c_str());
  }
  // Runs `action` (a click, a key) with a timer armed to close the error box
  // it may show; returns the box's text, empty when none appeared.
  template <typename Action>
  std::string closingTheErrorBox(Action action) {
    g_errorBox = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &closeErrorBox);
    action();
    pumpMessages(backend.window());
    KillTimer(nullptr, timer);
    return g_errorBox.text;
  }
  // Clicks Command1 and returns the text of the error box it showed, if any.
  std::string click() {
    return closingTheErrorBox([this] { SendMessageW(control("Command1"), BM_CLICK, 0, 0); });
  }

  Win32Backend backend{GetModuleHandleW(nullptr)};
};

inline const std::map<std::string, std::wstring> kWorkedExample{
    {"B", L"2"}, {"h", L"1"}, {"m", L"1"}, {"i", L"0.001"}, {"n", L"0.025"}};

}  // namespace channelflow::testing
