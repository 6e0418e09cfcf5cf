#include "runtime/win32/win32_backend.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace channelflow::runtime::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"ChannelflowForm";
constexpr wchar_t kErrorTitle[] = L"channelflow";

// 1440 twips make an inch: a length in twips at `dpi` pixels per inch.
int twipsToPixels(std::int32_t twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// Per-monitor DPI when Windows has it (10 and later), the system DPI before.
UINT dpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

HFONT createFont(const window::Font& font, UINT dpi) {
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
  return CreateFontIndirectW(&logFont);
}

// The default GUI font, scaled from the 96 DPI it is made for.
HFONT createDefaultGuiFont(UINT dpi) {
  LOGFONTW logFont{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
  logFont.lfHeight = MulDiv(logFont.lfHeight, static_cast<int>(dpi), 96);
  return CreateFontIndirectW(&logFont);
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle classFor(window::ControlKind kind) {
  switch (kind) {
    case window::ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case window::ControlKind::TextBox: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case window::ControlKind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    default: return {nullptr, 0, 0};
  }
}

}  // namespace

std::wstring toWide(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, wide.data(), length);
  return wide;
}

std::string toUtf8(std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(std::max(length, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), inLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

Win32Backend::Win32Backend(HINSTANCE instance) : instance_(instance) {
  // The manifest asks for common controls 6; Windows XP creates even the
  // standard controls through them only once comctl32 is loaded and told so.
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&commonControls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &Win32Backend::windowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when a second backend registers it again
}

Win32Backend::~Win32Backend() {
  if (window_ != nullptr) DestroyWindow(window_);
  releaseFonts();
}

void Win32Backend::buildWindow(const window::FormDescription& form) {
  client_ = form.client;
  controls_.clear();
  for (const window::ControlDescription& control : form.controls) controls_.push_back({control, nullptr});
  // The dialog manager tabs in z-order, so the controls are made in tab-index
  // order; a line has no tab index and no window of its own.
  std::stable_sort(controls_.begin(), controls_.end(), [](const Control& a, const Control& b) {
    return a.description.tabIndex.value_or(SHRT_MAX) < b.description.tabIndex.value_or(SHRT_MAX);
  });

  // Placement 3 leaves the position to the system; the size follows from the
  // client area, fixed once the DPI is known.
  window_ = CreateWindowExW(0, kWindowClass, toWide(form.title).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_,
                            this);
  dpi_ = dpiOf(window_);
  RECT frame{0, 0, twipsToPixels(client_.width, dpi_), twipsToPixels(client_.height, dpi_)};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  firstTabStop_ = nullptr;
  for (Control& control : controls_) {
    const ClassAndStyle kind = classFor(control.description.kind);
    if (kind.className == nullptr) continue;
    control.handle = CreateWindowExW(kind.exStyle, kind.className, toWide(control.description.caption).c_str(),
                                     WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.description.id)), instance_,
                                     nullptr);
    if (firstTabStop_ == nullptr && (kind.style & WS_TABSTOP) != 0) firstTabStop_ = control.handle;
  }
  layOut();
}

void Win32Backend::layOut() {
  releaseFonts();
  HFONT defaultFont = createDefaultGuiFont(dpi_);
  fonts_.push_back(defaultFont);
  for (const Control& control : controls_) {
    if (control.handle == nullptr) continue;
    const window::Rect& r = control.description.rect;
    SetWindowPos(control.handle, nullptr, twipsToPixels(r.left, dpi_), twipsToPixels(r.top, dpi_),
                 twipsToPixels(r.width, dpi_), twipsToPixels(r.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    HFONT font = defaultFont;
    if (control.description.font) {
      font = createFont(*control.description.font, dpi_);
      fonts_.push_back(font);
    }
    SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Backend::releaseFonts() {
  for (HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
}

void Win32Backend::paintLines(HDC dc) const {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  for (const Control& control : controls_) {
    if (control.description.kind != window::ControlKind::Line) continue;
    const window::LineEnds& line = control.description.line;
    const int x1 = twipsToPixels(line.x1, dpi_), y1 = twipsToPixels(line.y1, dpi_);
    const int x2 = twipsToPixels(line.x2, dpi_), y2 = twipsToPixels(line.y2, dpi_);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SetPixel(dc, x2, y2, GetSysColor(COLOR_WINDOWTEXT));  // LineTo leaves out the last point
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Win32Backend::showWindow() {
  ShowWindow(window_, SW_SHOWDEFAULT);
  UpdateWindow(window_);
  if (firstTabStop_ != nullptr) SetFocus(firstTabStop_);
}

void Win32Backend::dispatch(HWND window, MSG& message) {
  // The dialog manager gives Tab, Shift+Tab and Space their usual meaning;
  // Enter and Escape become WM_COMMAND IDOK/IDCANCEL, which no button here
  // answers, so they do nothing.
  if (window != nullptr && IsDialogMessageW(window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Win32Backend::runEventLoop() {
  showWindow();
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(window_, message);
  return static_cast<int>(message.wParam);
}

void Win32Backend::showError(std::string_view message) {
  MessageBoxW(window_, toWide(message).c_str(), kErrorTitle, MB_OK | MB_ICONERROR);
}

HWND Win32Backend::control(std::string_view name) const {
  for (const Control& control : controls_) {
    if (control.description.name == name) return control.handle;
  }
  return nullptr;
}

AccessStatus Win32Backend::readText(std::string_view name, std::string& text) {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [name](const Control& c) { return c.description.name == name; });
  if (found == controls_.end() || found->handle == nullptr) return AccessStatus::NoSuchControl;
  if (found->description.kind != window::ControlKind::TextBox) return AccessStatus::WrongKind;
  const int length = GetWindowTextLengthW(found->handle);
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(found->handle, wide.data(), length + 1);
  if (copied < 0) return AccessStatus::Failed;
  wide.resize(static_cast<std::size_t>(copied));
  text = toUtf8(wide);
  return AccessStatus::Ok;
}

AccessStatus Win32Backend::setCaption(std::string_view name, std::string_view caption) {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [name](const Control& c) { return c.description.name == name; });
  if (found == controls_.end() || found->handle == nullptr) return AccessStatus::NoSuchControl;
  if (found->description.kind != window::ControlKind::Label) return AccessStatus::WrongKind;
  return SetWindowTextW(found->handle, toWide(caption).c_str()) ? AccessStatus::Ok : AccessStatus::Failed;
}

LRESULT CALLBACK Win32Backend::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  auto* self = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (self->window_ == nullptr) self->window_ = window;
  return self->handle(message, wParam, lParam);
}

LRESULT Win32Backend::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      // Only a real button's click counts: the dialog manager's IDOK for
      // Enter carries no button handle.
      const auto id = LOWORD(wParam);
      const auto sender = reinterpret_cast<HWND>(lParam);
      if (HIWORD(wParam) != BN_CLICKED || sender == nullptr) break;
      for (const Control& control : controls_) {
        if (control.handle == sender && control.description.id == id &&
            control.description.kind == window::ControlKind::CommandButton) {
          if (click_) click_(control.description.name);
          return 0;
        }
      }
      break;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      paintLines(dc);
      EndPaint(window_, &paint);
      return 0;
    }
    case 0x02E0: {  // WM_DPICHANGED: take the new DPI and the size Windows suggests
      dpi_ = HIWORD(wParam);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      layOut();
      return 0;
    }
    case WM_DESTROY:
      window_ = nullptr;
      PostQuitMessage(0);  // the only window: closing it ends the program
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace channelflow::runtime::win32
