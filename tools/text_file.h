// A file's whole text for a question's input that takes it (reach's and
// line's `file`).
#pragma once

#include <string>
#include <string_view>

namespace channelflow::tools {

// The bytes of the file at `path`. Throws calc::CalcError naming `field`
// when it cannot be opened or read.
std::string readTextFile(const std::string& path, std::string_view field);

}  // namespace channelflow::tools
