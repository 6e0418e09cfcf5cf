// Where each control of the window stands and which font it draws with, in
// pixels at a given DPI. Kept apart from the backend so the same rules can be
// checked at 96, 120 and 144 DPI without changing the system's DPI.
#pragma once

#include "window/form_description.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace channelflow::runtime::win32 {

// 1440 twips make an inch: a length in twips at `dpi` pixels per inch,
// rounded to the nearest pixel.
int twipsToPixels(std::int32_t twips, UINT dpi);

// What a Chinese Windows gives a window whose font is not set: 宋体 9 pt.
// Only controls without a font of their own (Label6) use it.
window::Font windowFont();

// The font a control draws with: its own, or the window's.
window::Font fontOf(const window::ControlDescription& control);

// The font for CreateFontIndirectW at `dpi`, scaled from points exactly once.
LOGFONTW logFontAt(const window::Font& font, UINT dpi);

// Measures `text` on one line in `font`: its width and the font's line
// height, in pixels.
using TextMeasure = SIZE (*)(const LOGFONTW& font, std::wstring_view text);

// The control's rectangle in the client area at `dpi`. Positions scale with
// the DPI. A label's text does not grow exactly with the DPI (glyphs are
// whole pixels and a font's pixel size is rounded), so a label is as wide and
// as high as its 96 DPI box grown by the measured growth of its text, when
// that is more than the scaled twips: what fits at 96 DPI is never clipped at
// a higher DPI.
RECT controlRect(const window::ControlDescription& control, UINT dpi, TextMeasure measure);

// A TextMeasure on a screen device context.
SIZE measureOnScreen(const LOGFONTW& font, std::wstring_view text);

}  // namespace channelflow::runtime::win32
