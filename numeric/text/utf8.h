// Text that leaves the program is valid UTF-8, whatever bytes came in.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::numeric {

// Appends `text` to `out` with every byte sequence that is not UTF-8
// (stray continuation bytes, truncated or overlong sequences, surrogates,
// code points beyond U+10FFFF) replaced by U+FFFD, one per maximal invalid
// part, as the Unicode standard recommends. Valid text is copied unchanged.
void appendValidUtf8(std::string& out, std::string_view text);

// Whether `text` is entirely ASCII, the common case that needs no checking.
bool isAscii(std::string_view text);

}  // namespace channelflow::numeric
