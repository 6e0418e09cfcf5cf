// The Win32 window against its table, in pixels, and what Tab, Enter, Space
// and a click do through the same dialog-manager path as the event loop.
#include "runtime/win32/window_layout.h"
#include "tests/gui_win32/window_fixture.h"
#include "window/form1_table.h"

#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

namespace channelflow::testing {
namespace {

std::string classOf(HWND control) {
  wchar_t buffer[64] = {};
  GetClassNameW(control, buffer, 64);
  return toUtf8(buffer);
}

RECT rectInClient(HWND window, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

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

  std::vector<RECT> placed;
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
    const RECT r = rectInClient(backend.window(), handle);
    EXPECT_EQ(r.left, px(row.a));
    EXPECT_EQ(r.top, px(row.b));
    if (row.kind == window::ControlKind::Label && backend.dpi() != 96) {
      // A label may grow by the rounding of its font, never shrink.
      EXPECT_GE(r.right - r.left, px(row.c));
      EXPECT_GE(r.bottom - r.top, px(row.d));
    } else {
      EXPECT_EQ(r.right - r.left, px(row.c));
      EXPECT_EQ(r.bottom - r.top, px(row.d));
    }
    for (const RECT& other : placed) {
      RECT overlap;
      EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << "overlaps a control placed before it";
    }
    placed.push_back(r);
    EXPECT_LE(r.right, client.right);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_EQ((GetWindowLongW(handle, GWL_STYLE) & WS_TABSTOP) != 0, row.kind != window::ControlKind::Label);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), sizeof font, &font);
    // The window's own font, which only Label6 uses, is 宋体 9 pt.
    const double points = row.font == window::FontChoice::SimSun12     ? 12.0
                          : row.font == window::FontChoice::SimSun10_5 ? 10.5
                                                                       : 9.0;
    EXPECT_EQ(toUtf8(font.lfFaceName), "宋体");
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfHeight, -std::lround(points * backend.dpi() / 72.0));
  }
}

TEST_F(Win32WindowTest, FocusStartsInBAndTabCyclesBothWays) {
  EXPECT_EQ(GetFocus(), control("B"));
  for (const char* name : {"h", "i", "n", "Command1", "m", "B"}) {
    pressKey(backend.window(), VK_TAB);
    EXPECT_EQ(GetFocus(), control(name)) << name;
  }
  for (const char* name : {"m", "Command1", "n", "i", "h", "B"}) {
    pressKey(backend.window(), VK_TAB, {.shift = true});
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
  EXPECT_EQ(g_errorBox.button, "确定");
  EXPECT_TRUE(g_errorBox.icon);
  EXPECT_TRUE(IsWindow(backend.window()));
  EXPECT_EQ(textOf(control("n")), "n=0.025");
  EXPECT_EQ(textOf(control("B")), "2");
  EXPECT_EQ(textOf(control("v")), "0.921022784049301");
  EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
}

TEST_F(Win32WindowTest, EnterAndEscapeInABoxDoNothing) {
  type(kWorkedExample);
  // m comes after the button: Enter there must not click the button it just left.
  SetFocus(control("Command1"));
  for (const char* name : {"B", "h", "i", "n", "m"}) {
    SetFocus(control(name));
    pressKey(backend.window(), VK_RETURN);
    pressKey(backend.window(), VK_RETURN, {}, /*extended=*/true);
    pressKey(backend.window(), VK_ESCAPE);
  }
  EXPECT_EQ(textOf(control("v")), "");
  EXPECT_EQ(textOf(control("Q")), "");
  EXPECT_TRUE(IsWindow(backend.window()));
}

TEST_F(Win32WindowTest, SpaceEnterAndKeypadEnterOnTheFocusedButtonCalculate) {
  struct Row {
    const char* name;
    WPARAM key;
    bool extended;
  };
  for (const Row& row : {Row{"Space", VK_SPACE, false}, Row{"Enter", VK_RETURN, false},
                         Row{"keypad Enter", VK_RETURN, true}}) {
    SCOPED_TRACE(row.name);
    type(kWorkedExample);
    type({{"Q", L""}});
    SetFocus(control("B"));
    for (int step = 0; step < 4; ++step) pressKey(backend.window(), VK_TAB);  // h, i, n, Command1
    ASSERT_EQ(GetFocus(), control("Command1"));
    pressKey(backend.window(), row.key, {}, row.extended);
    EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
  }
}

TEST_F(Win32WindowTest, FocusReturnsToTheButtonAfterTheErrorBox) {
  type(kWorkedExample);
  type({{"n", L"abc"}});
  SetFocus(control("Command1"));
  EXPECT_EQ(closingTheErrorBox([this] { pressKey(backend.window(), VK_SPACE); }), "错误 13：文本不是有效的数字");
  EXPECT_EQ(GetFocus(), control("Command1"));
  // The keyboard works at once: fix n and press Space again.
  type({{"n", L"0.025"}});
  pressKey(backend.window(), VK_SPACE);
  EXPECT_EQ(textOf(control("Q")), "2.7630683521479");
}

TEST_F(Win32WindowTest, FocusReturnsToItsControlWhenTheWindowIsActivatedAgain) {
  SetFocus(control("n"));
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(other);
  pumpMessages(backend.window());
  EXPECT_NE(GetFocus(), control("n"));
  SetActiveWindow(backend.window());
  pumpMessages(backend.window());
  EXPECT_EQ(GetFocus(), control("n"));
  DestroyWindow(other);
}

// Puts `text` on the clipboard as Unicode text.
void putOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  ASSERT_NE(memory, nullptr);
  std::wmemcpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

TEST_F(Win32WindowTest, APastedHundredThousandCharacterRoughnessReachesTheCalculationWhole) {
  type(kWorkedExample);
  // Leading zeros first: a cut at the edit control's default 30,000
  // characters would leave only zeros, a zero divisor.
  const std::wstring n = std::wstring(99'995, L'0') + L"0.025";
  ASSERT_EQ(n.size(), 100'000u);
  putOnClipboard(n);
  SetWindowTextW(control("n"), L"");
  SetFocus(control("n"));
  SendMessageW(control("n"), WM_PASTE, 0, 0);
  EXPECT_EQ(GetWindowTextLengthW(control("n")), 100'000);
  EXPECT_EQ(click(), "");
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
}  // namespace channelflow::testing
