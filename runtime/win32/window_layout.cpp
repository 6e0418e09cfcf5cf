#include "runtime/win32/window_layout.h"

#include "runtime/win32/wide_text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>
#include <string>

namespace channelflow::runtime::win32 {
namespace {

constexpr UINT kBaseDpi = 96;
constexpr std::uint32_t kWindowFontSize = 90000;  // 9 pt
// What the output labels hold: the characters of a number's text form.
constexpr std::wstring_view kNumberSample = L"-0123456789.E+";

// `at96` grown in the ratio of `grownText` to `baseText`, rounded up.
int grow(int at96, long baseText, long grownText) {
  if (baseText <= 0 || grownText <= 0) return at96;
  const long long product = static_cast<long long>(at96) * grownText;
  return static_cast<int>((product + baseText - 1) / baseText);
}

}  // namespace

int twipsToPixels(std::int32_t twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

window::Font windowFont() { return window::Font{"宋体", 134, 0, 400, kWindowFontSize}; }

window::Font fontOf(const window::ControlDescription& control) {
  return control.font ? *control.font : windowFont();
}

LOGFONTW logFontAt(const window::Font& font, UINT dpi) {
  LOGFONTW logFont{};
  // Negative: the character height, so 10.5 pt is exactly 14 pixels at 96 DPI.
  logFont.lfHeight = -static_cast<LONG>(std::lround(font.size / 10000.0 * dpi / 72.0));
  logFont.lfWeight = font.weight;
  logFont.lfItalic = (font.style & 1) != 0;
  logFont.lfUnderline = (font.style & 2) != 0;
  logFont.lfStrikeOut = (font.style & 4) != 0;
  logFont.lfCharSet = static_cast<BYTE>(font.charset);
  logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logFont.lfQuality = DEFAULT_QUALITY;
  logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = toWide(font.face);
  wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return logFont;
}

RECT controlRect(const window::ControlDescription& control, UINT dpi, TextMeasure measure) {
  const window::Rect& r = control.rect;
  const int left = twipsToPixels(r.left, dpi);
  const int top = twipsToPixels(r.top, dpi);
  int width = twipsToPixels(r.width, dpi);
  int height = twipsToPixels(r.height, dpi);
  if (control.kind == window::ControlKind::Label && dpi != kBaseDpi) {
    const std::wstring caption = toWide(control.caption);
    const std::wstring_view sample = caption.empty() ? kNumberSample : std::wstring_view(caption);
    const window::Font font = fontOf(control);
    const SIZE base = measure(logFontAt(font, kBaseDpi), sample);
    const SIZE grown = measure(logFontAt(font, dpi), sample);
    width = std::max(width, grow(twipsToPixels(r.width, kBaseDpi), base.cx, grown.cx));
    height = std::max(height, grow(twipsToPixels(r.height, kBaseDpi), base.cy, grown.cy));
  }
  return RECT{left, top, left + width, top + height};
}

SIZE measureOnScreen(const LOGFONTW& font, std::wstring_view text) {
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  HFONT handle = CreateFontIndirectW(&font);
  HGDIOBJ old = SelectObject(dc, handle);
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX)), &size);
  SelectObject(dc, old);
  DeleteObject(handle);
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace channelflow::runtime::win32
