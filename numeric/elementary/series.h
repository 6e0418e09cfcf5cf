// Horner's scheme for the elementary functions' series: the leading
// coefficients in double-double, the small trailing terms in double.
#pragma once

#include "numeric/elementary/double_double.h"

#include <cstddef>

namespace channelflow::numeric {

// sum head[i] x^i + x^N sum tail[j] x^j (N = size of head). The tail is
// evaluated on x.hi, so its terms must lie below 2^-53 of the result's
// accuracy; each double-double step adds about 10u^2 of the partial sum.
template <std::size_t N, std::size_t M>
DoubleDouble mixedHorner(DoubleDouble x, const DoubleDouble (&head)[N], const double (&tail)[M]) {
  double t = tail[M - 1];
  for (std::size_t j = M - 1; j-- > 0;) t = t * x.hi + tail[j];
  DoubleDouble sum = head[N - 1] + x * t;
  for (std::size_t i = N - 1; i-- > 0;) sum = head[i] + x * sum;
  return sum;
}

}  // namespace channelflow::numeric
