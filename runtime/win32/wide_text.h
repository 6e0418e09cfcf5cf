// UTF-8 and UTF-16, through the Windows code-page API.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::runtime::win32 {

// Invalid UTF-8 becomes U+FFFD; empty or over-long input gives an empty text.
std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

}  // namespace channelflow::runtime::win32
