// 128-bit unsigned products from 64-bit halves. No compiler's 128-bit type:
// the 32-bit and WebAssembly builds take the very same path as the others.
#pragma once

#include <cstdint>

namespace channelflow::numeric {

struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

// a x b exactly, from four 32 x 32-bit products.
inline U128 multiply(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & 0xFFFFFFFFu)};
}

}  // namespace channelflow::numeric
