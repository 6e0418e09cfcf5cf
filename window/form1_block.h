// The description block of Form1 as the executable carries it: the runtime
// builds the window by reading these bytes. They equal what writeFormBlock
// makes of form1Description(), which the tests check byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace channelflow::window {

inline constexpr std::size_t kForm1BlockSize = 1008;

std::span<const std::uint8_t, kForm1BlockSize> form1Block();

}  // namespace channelflow::window
