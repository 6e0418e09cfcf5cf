// The bits of a value as another type of the same size. Every build's
// compiler has the builtin; not every standard library has std::bit_cast.
#pragma once

#include <type_traits>

namespace channelflow::numeric {

template <typename To, typename From>
constexpr To bitCast(const From& from) noexcept {
  static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
  return __builtin_bit_cast(To, from);
}

}  // namespace channelflow::numeric
