// The window's layout at 96, 120 and 144 DPI, through the same function the
// backend places its controls with and fonts made at each DPI: every caption
// shows whole in its label, measured from the font's own metrics, and the
// results draw a correct reading of their value in the width they have.
#include "numeric/value/conversions.h"
#include "runtime/win32/result_label.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/window_layout.h"
#include "window/form1_table.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace channelflow {
namespace {

using runtime::win32::controlRect;
using runtime::win32::fontOf;
using runtime::win32::logFontAt;
using runtime::win32::measureOnScreen;
using runtime::win32::toUtf8;
using runtime::win32::toWide;

constexpr UINT kDpis[] = {96, 120, 144};

// A screen device context with a control's font at a DPI selected into it.
class FontDc {
 public:
  FontDc(const window::ControlDescription& control, UINT dpi) {
    const LOGFONTW logFont = logFontAt(fontOf(control), dpi);
    font_ = CreateFontIndirectW(&logFont);
    dc_ = GetDC(nullptr);
    old_ = SelectObject(dc_, font_);
  }
  ~FontDc() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
    DeleteObject(font_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC dc() const { return dc_; }
  int lineHeight() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

 private:
  HFONT font_;
  HDC dc_;
  HGDIOBJ old_;
};

const window::ControlDescription& described(std::string_view name) {
  static const window::FormDescription form = window::form1Description();
  for (const window::ControlDescription& control : form.controls) {
    if (control.name == name) return control;
  }
  throw std::invalid_argument("no such control");
}

TEST(Win32Layout, EveryCaptionShowsWholeInItsLabelAtEveryDpi) {
  for (const UINT dpi : kDpis) {
    for (const window::ControlRow& row : window::kForm1Controls) {
      if (row.kind != window::ControlKind::Label || row.caption.empty()) continue;
      SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(dpi) + " DPI");
      const window::ControlDescription& control = described(row.name);
      const RECT box = controlRect(control, dpi, &measureOnScreen);
      const FontDc font(control, dpi);
      // The STATIC control draws its caption with these flags.
      const std::wstring caption = toWide(row.caption);
      RECT needed{0, 0, box.right - box.left, 0};
      DrawTextW(font.dc(), caption.c_str(), static_cast<int>(caption.size()), &needed,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
      EXPECT_LE(needed.right, box.right - box.left);
      EXPECT_LE(needed.bottom, box.bottom - box.top);
      const int lines = needed.bottom / font.lineHeight();
      if (row.name == "Label6") {
        EXPECT_EQ(lines, 3);
      } else if (row.name != "Label5") {
        EXPECT_EQ(lines, 1);  // 渠底坡度 and the other one-line labels never wrap
      }
    }
  }
}

TEST(Win32Layout, NoControlOverlapsAnotherAtEveryDpi) {
  for (const UINT dpi : kDpis) {
    std::vector<std::pair<std::string, RECT>> placed;
    for (const window::ControlRow& row : window::kForm1Controls) {
      if (row.kind == window::ControlKind::Line) continue;
      const RECT r = controlRect(described(row.name), dpi, &measureOnScreen);
      for (const auto& [name, other] : placed) {
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << row.name << " and " << name << " at " << dpi;
      }
      EXPECT_LE(r.right, runtime::win32::twipsToPixels(window::kForm1Client.width, dpi)) << row.name;
      placed.emplace_back(std::string(row.name), r);
    }
  }
}

// Significant digits a number's text shows: its mantissa's digits from the
// first non-zero one (at least one, for "0").
int significantDigits(std::string_view text) {
  int count = 0;
  bool started = false;
  for (const char c : text.substr(0, text.find('E'))) {
    if (c < '0' || c > '9') continue;
    started = started || c != '0';
    count += started ? 1 : 0;
  }
  return std::max(count, 1);
}

// What a result label shows for `caption` at `dpi`, and whether it fits.
struct Shown {
  std::string text;
  bool fits = false;
  bool lineFits = false;
};

Shown showIn(const window::ControlDescription& control, UINT dpi, const std::string& caption) {
  const RECT box = controlRect(control, dpi, &measureOnScreen);
  const FontDc font(control, dpi);
  const std::wstring shown = runtime::win32::fittedCaption(font.dc(), toWide(caption), box.right - box.left);
  SIZE size{};
  GetTextExtentPoint32W(font.dc(), shown.c_str(), static_cast<int>(shown.size()), &size);
  return {toUtf8(shown), size.cx <= box.right - box.left, font.lineHeight() <= box.bottom - box.top};
}

TEST(Win32ResultLabel, DrawsACorrectReadingOfEveryValueInItsWidthAtEveryDpi) {
  const double values[] = {
      2.80035121142722E-08,     // the flume: a cut would drop the exponent
      1.03574416865129E+53,     // a huge channel
      0.921022784049301,        // the worked example's v, too long for its label
      2.7630683521479,          // the worked example's Q
      -0.921022784049301,       // negative
      -2.80035121142722E-08,    // negative with a negative exponent
      1.23456789012345E-05,     // the widest plain fraction
      -123456789012345.0,       // the widest plain integer
      -1.23456789012345E-300,   // the widest E form
      9.99999999999999E+99,     // rounding carries into the exponent
      1.7976931348623157E+308,  // the largest double
      4.9E-324,                 // the smallest
      0.0,
      123.0,
  };
  for (const char* name : {"Q", "v"}) {
    const window::ControlDescription& control = described(name);
    for (const double value : values) {
      const std::string caption = numeric::formatDouble(value);
      const int digitsAt96 = significantDigits(showIn(control, 96, caption).text);
      for (const UINT dpi : kDpis) {
        SCOPED_TRACE(caption + " in " + name + " at " + std::to_string(dpi) + " DPI");
        const Shown shown = showIn(control, dpi, caption);
        EXPECT_TRUE(shown.fits) << shown.text;
        EXPECT_TRUE(shown.lineFits);
        // Whatever fits at 96 DPI still fits at a higher one.
        EXPECT_GE(significantDigits(shown.text), digitsAt96) << shown.text;
        if (shown.text == caption) continue;
        // Rounded to the digits it shows: off by at most half of its last one.
        const double read = numeric::convertStrict(shown.text);
        const double halfLastDigit = 0.5 * std::pow(10.0, 1.0 - significantDigits(shown.text));
        EXPECT_LE(std::fabs(read - value), std::fabs(value) * halfLastDigit * (1 + 1e-12)) << shown.text;
      }
    }
  }
}

}  // namespace
}  // namespace channelflow
