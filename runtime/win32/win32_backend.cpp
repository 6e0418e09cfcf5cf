#include "runtime/win32/win32_backend.h"

#include "runtime/win32/error_box.h"
#include "runtime/win32/result_label.h"
#include "runtime/win32/window_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

namespace channelflow::runtime::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"ChannelflowForm";

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

// The labels stored without a caption are the ones results are written into.
bool isResultLabel(const window::ControlDescription& control) {
  return control.kind == window::ControlKind::Label && control.caption.empty();
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle classFor(const window::ControlDescription& control) {
  switch (control.kind) {
    case window::ControlKind::Label:
      return {L"STATIC", isResultLabel(control) ? kResultLabelStyle : DWORD{SS_LEFT | SS_NOPREFIX}, 0};
    case window::ControlKind::TextBox: return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case window::ControlKind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    default: return {nullptr, 0, 0};
  }
}

// Enter on a focused push button clicks it, as in any Windows dialog. The
// dialog manager does that only for the default button, and this window has
// none (Enter in a box must do nothing), so the key is answered here.
bool clickFocusedButton(HWND window, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(window, focus)) return false;
  const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0 || !IsWindowEnabled(focus)) return false;
  const auto id = static_cast<WORD>(GetDlgCtrlID(focus));
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(focus));
  return true;
}

}  // namespace

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
    const ClassAndStyle kind = classFor(control.description);
    if (kind.className == nullptr) continue;
    control.handle = CreateWindowExW(kind.exStyle, kind.className, toWide(control.description.caption).c_str(),
                                     WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, window_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.description.id)), instance_,
                                     nullptr);
    if (firstTabStop_ == nullptr && (kind.style & WS_TABSTOP) != 0) firstTabStop_ = control.handle;
    if (isResultLabel(control.description)) attachResultLabel(control.handle);
    // No cut at the default 30,000 characters: 0 lifts the limit to the most
    // an edit control holds, so a pasted text reaches the calculation whole.
    if (control.description.kind == window::ControlKind::TextBox) SendMessageW(control.handle, EM_SETLIMITTEXT, 0, 0);
  }
  layOut();
}

void Win32Backend::layOut() {
  // The controls let go of the old fonts before they are deleted.
  std::vector<std::pair<window::Font, HFONT>> oldFonts = std::move(fonts_);
  fonts_.clear();
  for (const Control& control : controls_) {
    if (control.handle == nullptr) continue;
    const RECT r = controlRect(control.description, dpi_, &measureOnScreen);
    SetWindowPos(control.handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // One font object per distinct font, each scaled to the DPI once.
    const window::Font wanted = fontOf(control.description);
    auto made = std::find_if(fonts_.begin(), fonts_.end(), [&wanted](const auto& entry) { return entry.first == wanted; });
    if (made == fonts_.end()) {
      const LOGFONTW logFont = logFontAt(wanted, dpi_);
      made = fonts_.insert(fonts_.end(), {wanted, CreateFontIndirectW(&logFont)});
    }
    SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(made->second), TRUE);
  }
  for (const auto& [description, font] : oldFonts) DeleteObject(font);
  InvalidateRect(window_, nullptr, TRUE);
}

void Win32Backend::releaseFonts() {
  for (const auto& [description, font] : fonts_) DeleteObject(font);
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
  lastFocus_ = firstTabStop_;
  if (firstTabStop_ != nullptr) SetFocus(firstTabStop_);
}

void Win32Backend::rememberFocus() {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
}

// The window itself takes no keys: activating it hands the focus to the
// control that had it, or to the first tab stop.
void Win32Backend::restoreFocus() {
  HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window_, lastFocus_) ? lastFocus_ : firstTabStop_;
  if (target != nullptr) SetFocus(target);
}

void Win32Backend::dispatch(HWND window, MSG& message) {
  // The dialog manager gives Tab, Shift+Tab and Space their usual meaning;
  // Enter and Escape in a box become WM_COMMAND IDOK/IDCANCEL, which no
  // button here answers, so they do nothing.
  if (window != nullptr && (clickFocusedButton(window, message) || IsDialogMessageW(window, &message))) return;
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
  if (window_ != nullptr) rememberFocus();
  showErrorBox(window_, toWide(message));
  // The box may close without the window being activated again (another
  // program came to the front): the focus still goes back where it was.
  if (window_ != nullptr && GetActiveWindow() == window_) restoreFocus();
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
  if (!SetWindowTextW(found->handle, toWide(caption).c_str())) return AccessStatus::Failed;
  InvalidateRect(found->handle, nullptr, TRUE);  // an owner-drawn label draws the new fitted text
  return AccessStatus::Ok;
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
      // Enter in a box names whatever control has id 1, here a label.
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
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_STATIC) break;
      drawResultLabel(*item);
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        rememberFocus();
      } else if (HIWORD(wParam) == 0) {  // not minimised
        restoreFocus();
      }
      return 0;
    case WM_SETFOCUS:
      restoreFocus();
      return 0;
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
