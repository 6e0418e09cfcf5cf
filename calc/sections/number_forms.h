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

// Whether x is 0 or lies within 2^-limit..2^limit in magnitude: where the
// doubles' fast paths keep their digits and may be trusted to start a solve.
inline bool moderate(double x, int limit) {
  const double magnitude = x < 0 ? -x : x;
  if (magnitude == 0) return true;
  double bound = 1;
  for (int k = 0; k < limit; ++k) bound *= 2;
  return magnitude >= 1 / bound && magnitude <= bound;
}

}  // namespace channelflow::calc
