// The window services on the Win32 API: STATIC, EDIT and BUTTON child windows,
// lines drawn by the window itself, and the dialog manager for the keyboard.
// The output labels draw their value rounded to fit (result_label.h); the
// keyboard focus survives the error box and switching windows.
#pragma once

#include "runtime/gui_backend.h"
#include "runtime/win32/wide_text.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace channelflow::runtime::win32 {

class Win32Backend final : public GuiBackend, private ControlAccess {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  void buildWindow(const window::FormDescription& form) override;
  ControlAccess& controls() override { return *this; }
  void setClickCallback(ClickCallback callback) override { click_ = std::move(callback); }
  void showError(std::string_view message) override;
  int runEventLoop() override;

  // Shows the window and puts the focus in its first tab stop.
  void showWindow();
  // Handles one message the way the event loop does (dialog keys first).
  static void dispatch(HWND window, MSG& message);

  HWND window() const { return window_; }
  HWND control(std::string_view name) const;
  UINT dpi() const { return dpi_; }

 private:
  struct Control {
    window::ControlDescription description;
    HWND handle = nullptr;  // none for a line, which the window draws
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void layOut();  // places every control and makes its font for the current DPI
  void rememberFocus();
  void restoreFocus();
  void paintLines(HDC dc) const;
  void releaseFonts();
  AccessStatus readText(std::string_view control, std::string& text) override;
  AccessStatus setCaption(std::string_view control, std::string_view caption) override;

  HINSTANCE instance_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  window::Rect client_;
  std::vector<Control> controls_;  // in tab-index order, which is also the z-order
  std::vector<std::pair<window::Font, HFONT>> fonts_;  // one per distinct font
  HWND firstTabStop_ = nullptr;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation
  ClickCallback click_;
};

}  // namespace channelflow::runtime::win32
