#include "runtime/win32/result_label.h"

#include "runtime/number_fit.h"
#include "runtime/win32/wide_text.h"

#include <algorithm>
#include <climits>
#include <cwchar>

namespace channelflow::runtime::win32 {
namespace {

// The STATIC class's own procedure, the same for every label.
WNDPROC g_staticProcedure = nullptr;

int lengthOf(std::wstring_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

std::wstring windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

bool ctrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }

// The right-click menu: one item, greyed while there is nothing to copy.
void showMenu(HWND label, LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {  // from the keyboard: at the label's top-left corner
    point = POINT{0, 0};
    ClientToScreen(label, &point);
  }
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  const UINT state = GetWindowTextLengthW(label) > 0 ? MF_ENABLED : MF_GRAYED;
  AppendMenuW(menu, MF_STRING | state, kCopyCommand, L"复制(&C)");
  const BOOL chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, point.x, point.y, 0,
                                     label, nullptr);
  DestroyMenu(menu);
  if (chosen == static_cast<BOOL>(kCopyCommand)) copyResultLabel(label);
}

LRESULT CALLBACK resultLabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      SetFocus(label);  // selects the value; the label draws itself highlighted
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(label, nullptr, TRUE);
      break;
    case WM_KEYDOWN:
      if ((wParam == 'C' || wParam == VK_INSERT) && ctrlDown()) {
        copyResultLabel(label);
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      SetFocus(label);
      showMenu(label, lParam);
      return 0;
    default: break;
  }
  return CallWindowProcW(g_staticProcedure, label, message, wParam, lParam);
}

}  // namespace

void attachResultLabel(HWND label) {
  const auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&resultLabelProcedure)));
  if (previous != &resultLabelProcedure) g_staticProcedure = previous;
}

std::wstring fittedCaption(HDC dc, std::wstring_view caption, int width) {
  const auto fits = [dc, width](std::string_view text) {
    const std::wstring wide = toWide(text);
    SIZE size{0, 0};
    return GetTextExtentPoint32W(dc, wide.c_str(), lengthOf(wide), &size) != 0 && size.cx <= width;
  };
  return toWide(fitNumberCaption(toUtf8(caption), fits));
}

void drawResultLabel(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));

  const std::wstring shown = fittedCaption(dc, windowText(item.hwndItem), box.right - box.left);
  const bool selected = GetFocus() == item.hwndItem && !shown.empty();
  if (selected) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, shown.c_str(), lengthOf(shown), &size);
    RECT highlight{box.left, box.top, std::min(box.right, box.left + size.cx), std::min(box.bottom, box.top + size.cy)};
    FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextW(dc, shown.c_str(), lengthOf(shown), &box, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
}

bool copyResultLabel(HWND label) {
  const std::wstring text = windowText(label);
  if (text.empty() || !OpenClipboard(label)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool copied = false;
  if (void* target = memory != nullptr ? GlobalLock(memory) : nullptr) {
    std::wmemcpy(static_cast<wchar_t*>(target), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  }
  if (!copied && memory != nullptr) GlobalFree(memory);  // the clipboard owns it only on success
  CloseClipboard();
  return copied;
}

}  // namespace channelflow::runtime::win32
