// The output labels in the real window: the flume case drawn rounded with its
// exponent while the window text stays whole, selecting a result by a click,
// and copying it with Ctrl+C and with the right-click menu.
#include "runtime/win32/result_label.h"
#include "tests/gui_win32/window_fixture.h"

#include <string>
#include <vector>

namespace channelflow::testing {
namespace {

const std::map<std::string, std::wstring> kFlume{
    {"B", L"0.01"}, {"h", L"0.001"}, {"m", L"0"}, {"i", L"0.00001"}, {"n", L"0.01"}};

std::wstring clipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void clearClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

// The pixels of `control` as it paints itself.
std::vector<COLORREF> pixelsOf(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The pixels of `text` drawn as a plain STATIC label of `control`'s font
// and size would draw it.
std::vector<COLORREF> pixelsOfPlainLabel(HWND window, HWND control, const std::wstring& text) {
  RECT r;
  GetClientRect(control, &r);
  HWND plain = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, r.right,
                               r.bottom, window, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, static_cast<WPARAM>(SendMessageW(control, WM_GETFONT, 0, 0)), FALSE);
  std::vector<COLORREF> pixels = pixelsOf(plain);
  DestroyWindow(plain);
  return pixels;
}

TEST_F(Win32WindowTest, TheFlumeCaseDrawsTheRoundedValueWithItsExponentAndKeepsTheWholeText) {
  type(kFlume);
  EXPECT_EQ(click(), "");
  HWND q = control("Q");
  EXPECT_EQ(textOf(q), "2.80035121142722E-08");  // what copying and screen readers get

  RECT r;
  GetClientRect(q, &r);
  HDC dc = GetDC(q);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(q, WM_GETFONT, 0, 0)));
  const std::wstring shown = runtime::win32::fittedCaption(dc, L"2.80035121142722E-08", r.right);
  SelectObject(dc, old);
  ReleaseDC(q, dc);
  ASSERT_NE(shown, L"2.80035121142722E-08");
  EXPECT_EQ(shown.substr(0, 2), L"2.");
  EXPECT_EQ(shown.substr(shown.size() - 4), L"E-08");
  // The label draws exactly that text, not the cut caption.
  SetFocus(control("B"));
  EXPECT_EQ(pixelsOf(q), pixelsOfPlainLabel(backend.window(), q, shown));
  EXPECT_NE(pixelsOf(q), pixelsOfPlainLabel(backend.window(), q, L"2.80035121142722E-08"));
}

TEST_F(Win32WindowTest, AClickSelectsAResultAndCtrlCCopiesItWhole) {
  type(kFlume);
  click();
  clearClipboard();
  clickOn(backend.window(), control("Q"));
  EXPECT_EQ(GetFocus(), control("Q"));
  pressKey(backend.window(), 'C');  // C alone copies nothing
  EXPECT_EQ(clipboardText(), L"");
  pressKey(backend.window(), 'C', {.control = true});
  EXPECT_EQ(clipboardText(), L"2.80035121142722E-08");
  // Selecting a result leaves the Tab order as it was.
  SetFocus(control("B"));
  for (const char* name : {"h", "i", "n", "Command1", "m", "B"}) {
    pressKey(backend.window(), VK_TAB);
    EXPECT_EQ(GetFocus(), control(name)) << name;
  }
}

// What the result's menu offered, and the choice of its first item.
std::wstring g_menuItem;
void CALLBACK chooseFirstMenuItem(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = FindWindowW(L"#32768", nullptr);
  if (menuWindow == nullptr || !IsWindowVisible(menuWindow)) return;
  KillTimer(nullptr, timer);
  const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  wchar_t item[64] = {};
  GetMenuStringW(menu, 0, item, 64, MF_BYPOSITION);
  g_menuItem = item;
  PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(Win32WindowTest, TheRightClickMenuCopiesAResultWhole) {
  type(kWorkedExample);
  click();
  clearClipboard();
  g_menuItem.clear();
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, &chooseFirstMenuItem);
  clickOn(backend.window(), control("v"), /*right=*/true);
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_menuItem, L"复制(&C)");
  EXPECT_EQ(GetFocus(), control("v"));
  EXPECT_EQ(clipboardText(), L"0.921022784049301");
}

}  // namespace
}  // namespace channelflow::testing
