// The output labels Q and v: owner-drawn STATIC controls whose window text
// stays the full caption (what copying and screen readers get) while they
// draw the value rounded to as many digits as their width holds, so they
// never show a cut-off number. A click selects the value and gives the label
// the focus (it stays out of the Tab order); Ctrl+C and the right-click menu
// "复制" copy the full caption.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace channelflow::runtime::win32 {

// Window styles of a result label.
inline constexpr DWORD kResultLabelStyle = SS_OWNERDRAW | SS_NOTIFY | SS_NOPREFIX;

// Takes over the label's mouse, keyboard and menu; call once after creating it.
void attachResultLabel(HWND label);

// What a result label draws for `caption` in the font selected into `dc`
// when it is `width` pixels wide.
std::wstring fittedCaption(HDC dc, std::wstring_view caption, int width);

// Paints a result label for its parent's WM_DRAWITEM.
void drawResultLabel(const DRAWITEMSTRUCT& item);

// Puts the label's whole window text on the clipboard as Unicode text;
// false when it is empty or the clipboard cannot be opened.
bool copyResultLabel(HWND label);

// The command id of "复制" in the label's menu.
inline constexpr UINT kCopyCommand = 1;

}  // namespace channelflow::runtime::win32
