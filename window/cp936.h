// Conversion between UTF-8, the encoding of texts in memory, and code page 936,
// the encoding of every name, caption and font face in the stored window block.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace channelflow::window {

// Converts UTF-8 text to code page 936. Returns nothing when the input is not
// valid UTF-8 or holds a character that code page 936 cannot represent; no
// character is ever replaced by a substitute. Empty input gives empty output.
std::optional<std::string> utf8ToCp936(std::string_view utf8);

// Converts code page 936 bytes to UTF-8. Returns nothing when the input holds a
// byte sequence that code page 936 does not define, including a lead byte with
// no trail byte at the end. Empty input gives empty output.
std::optional<std::string> cp936ToUtf8(std::string_view cp936);

}  // namespace channelflow::window
