// The error box: the system's message box with the error icon, titled "错误"
// and with its button reading "确定" whatever the system's language.
#pragma once

#include <windows.h>

#include <string_view>

namespace channelflow::runtime::win32 {

inline constexpr wchar_t kErrorTitle[] = L"错误";
inline constexpr wchar_t kOkText[] = L"确定";

// Shows `message` modally over `owner` (or alone when it is null) and returns
// when the user closes the box.
void showErrorBox(HWND owner, std::wstring_view message);

}  // namespace channelflow::runtime::win32
