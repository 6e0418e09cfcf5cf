// The Win32 window against its table, in pixels, and what Tab, Enter, Space
// and a click do through the same dialog-manager path as the event loop.
#include "app/channelflow_project.h"
#include "runtime/start.h"
#include "runtime/win32/win32_backend.h"
#include "window/form1_table.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <map>
#include <string>

namespace channelflow {
namespace {

using runtime::win32::toUtf8;
using runtime::win32::Win32Backend;

std::string textOf(HWND control) {
  wchar_t buffer[256] = {};
  GetWindowTextW(control, buffer, 256);
  return toUtf8(buffer);
}

std::string classOf(HWND control) {
  wchar_t buffer[64] = {};
  GetClassNameW(control, buffer, 64);
  return toUtf8(buffer);
}

void pumpMessages(HWND window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) Win32Backend::dispatch(window, message);
  }
}

// Sends a key through the dialog manager as the event loop would.
void pressKey(HWND window, WPARAM key, bool shift = false) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  for (const UINT type : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
    MSG message{GetFocus(), type, key, type == WM_KEYUP ? 0xC0000001 : 1, 0, {}};
    Win32Backend::dispatch(window, message);
    pumpMessages(window);
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

// The text of the error box that a timer closes while its modal loop runs.
std::string g_errorText;
void CALLBACK closeErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindWindowW(L"#32770", L"channelflow");
  if (box == nullptr) return;
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  g_errorText = toUtf8(text);
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
  // Clicks Command1 and returns the text of the error box it showed, if any.
  std::string click() {
    g_errorText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &closeErrorBox);
    SendMessageW(control("Command1"), BM_CLICK, 0, 0);
    pumpMessages(backend.window());
    KillTimer(nullptr, timer);
    return g_errorText;
  }

  Win32Backend backend{GetModuleHandleW(nullptr)};
};

const std::map<std::string, std::wstring> kWorkedExample{
    {"B", L"2"}, {"h", L"1"}, {"m", L"1"}, {"i", L"0.001"}, {"n", L"0.025"}};

TEST_F(Win32WindowTest, EveryControlStandsAsTheTableSaysInPixels) {
  RECT client;
  GetClientRect(backend.window(), &client);
  EXPECT_EQ(client.right, px(4710));
  EXPECT_EQ(client.bottom, px(3765));
  if (backend.dpi() == 96) {
    EXPECT_EQ(client.right, 314);
    EXPECT_EQ(client.bottom, 251);
  }
  EXPECT_EQ(textOf(backend.window()), "Form1");

  LOGFONTW guiFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
  for (const window::ControlRow& row : window::kForm1Controls) {
    const std::string name(row.name);
    SCOPED_TRACE(name);
    if (row.kind == window::ControlKind::Line) {
      EXPECT_EQ(control(name.c_str()), nullptr);  // drawn by the window itself
      continue;
    }
    HWND handle = control(name.c_str());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetDlgCtrlID(handle), row.id);
    const char* expectedClass = row.kind == window::ControlKind::Label     ? "Static"
                                : row.kind == window::ControlKind::TextBox ? "Edit"
                                                                           : "Button";
    EXPECT_EQ(_stricmp(classOf(handle).c_str(), expectedClass), 0) << classOf(handle);
    EXPECT_EQ(textOf(handle), std::string(row.caption));
    RECT r;
    GetWindowRect(handle, &r);
    MapWindowPoints(nullptr, backend.window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, px(row.a));
    EXPECT_EQ(r.top, px(row.b));
    EXPECT_EQ(r.right - r.left, px(row.c));
    EXPECT_EQ(r.bottom - r.top, px(row.d));
    EXPECT_EQ((GetWindowLongW(handle, GWL_STYLE) & WS_TABSTOP) != 0, row.kind != window::ControlKind::Label);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (row.font == window::FontChoice::WindowDefault) {
      EXPECT_EQ(toUtf8(font.lfFaceName), toUtf8(guiFont.lfFaceName));
    } else {
      const double points = row.font == window::FontChoice::SimSun12 ? 12.0 : 10.5;
      EXPECT_EQ(toUtf8(font.lfFaceName), "宋体");
      EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
      EXPECT_EQ(font.lfWeight, 400);
      EXPECT_EQ(font.lfHeight, -std::lround(points * backend.dpi() / 72.0));
    }
  }
}

TEST_F(Win32WindowTest, FocusStartsInBAndTabCyclesBothWays) {
  EXPECT_EQ(GetFocus(), control("B"));
  for (const char* name : {"h", "i", "n", "Command1", "m", "B"}) {
    pressKey(backend.window(), VK_TAB);
    EXPECT_EQ(GetFocus(), control(name)) << name;
  }
  for (const char* name : {"m", "Command1", "n", "i", "h", "B"}) {
    pressKey(backend.window(), VK_TAB, /*shift=*/true);
    EXPECT_EQ(GetFocus(), control(name)) << name;
  }
}

TEST_F(Win32WindowTest, ClickFillsVelocityAndDischarge) {
  type(kWorkedExample);
  EXPECT_EQ(click(), "");
  EXPECT_EQ(textOf(control("v")), "0.921022784049301");
  EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
}

TEST_F(Win32WindowTest, FailedClickShowsTheErrorAndKeepsTheWindowAndTheInputs) {
  type(kWorkedExample);
  click();
  type({{"n", L"n=0.025"}});
  EXPECT_EQ(click(), "错误 13：文本不是有效的数字");
  EXPECT_TRUE(IsWindow(backend.window()));
  EXPECT_EQ(textOf(control("n")), "n=0.025");
  EXPECT_EQ(textOf(control("B")), "2");
  EXPECT_EQ(textOf(control("v")), "0.921022784049301");
  EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
}

TEST_F(Win32WindowTest, EnterDoesNothingAndSpaceOnTheButtonCalculates) {
  type(kWorkedExample);
  for (const char* name : {"B", "h", "i", "n", "m"}) {
    SetFocus(control(name));
    pressKey(backend.window(), VK_RETURN);
    pressKey(backend.window(), VK_ESCAPE);
  }
  EXPECT_EQ(textOf(control("v")), "");
  EXPECT_EQ(textOf(control("Q")), "");
  EXPECT_TRUE(IsWindow(backend.window()));

  SetFocus(control("Command1"));
  pressKey(backend.window(), VK_SPACE);
  EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
}

TEST(Win32StartRoutine, ClosingTheWindowEndsTheLoopWithStatusZero) {
  Win32Backend backend(GetModuleHandleW(nullptr));
  ASSERT_TRUE(runtime::prepareWindow(app::channelflowProject(), backend));
  backend.showWindow();
  PostMessageW(backend.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(backend.runEventLoop(), 0);
  EXPECT_EQ(backend.window(), nullptr);
}

}  // namespace
}  // namespace channelflow
