// The two number types the formulas are written for, and what they share:
// plain doubles for a solver's fast first iterations, numeric::Real (a
// double-double that neither overflows nor underflows) for every result.
#pragma once

#include <type_traits>

#include "numeric/elementary/elementary.h"

namespace channelflow::calc {

using numeric::Real;

template <typename Number>
inline constexpr bool kIsReal = std::is_same_v<Number, Real>;

// x in the number type: a Real as it is, or rounded to the nearest double.
template <typename Number>
Number as(const Real& x) {
  if constexpr (kIsReal<Number>) {
    return x;
  } else {
    return x.toDouble();
  }
}

}  // namespace channelflow::calc
