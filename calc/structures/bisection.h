// The root of an increasing function of a Real between lo and hi by
// halving: the structures' formulas with table coefficients are only
// piecewise smooth, where halving is sure. 110 halvings bring any bracket
// of doubles to below 2^-100 of its end.
#pragma once

#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

template <typename F>
numeric::Real bisectIncreasing(const F& f, numeric::Real lo, numeric::Real hi) {
  for (int k = 0; k < 110; ++k) {
    const numeric::Real mid = (lo + hi) * 0.5;
    if (f(mid) < numeric::Real(0)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return (lo + hi) * 0.5;
}

}  // namespace channelflow::calc::structures
