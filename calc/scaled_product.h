// Products and quotients of many factors without spurious overflow or
// underflow: mantissas are multiplied or divided and exponents summed apart,
// so the result is infinite or zero only when the value itself is out of the
// double range. Each step rounds once, as the plain expression does.
#pragma once

#include <cmath>
#include <initializer_list>
#include <limits>

namespace channelflow::sections {

// The product of `factors` divided by the product of `divisors`.
inline double scaledProduct(std::initializer_list<double> factors, std::initializer_list<double> divisors = {}) {
  // The plain product, kept when no step of it left the normal range.
  constexpr double kLeast = std::numeric_limits<double>::min();
  constexpr double kMost = std::numeric_limits<double>::max();
  double plain = 1;
  bool inRange = true;
  for (double factor : factors) {
    plain *= factor;
    inRange = inRange && std::fabs(plain) >= kLeast && std::fabs(plain) <= kMost;
  }
  for (double divisor : divisors) {
    plain /= divisor;
    inRange = inRange && std::fabs(plain) >= kLeast && std::fabs(plain) <= kMost;
  }
  if (inRange) return plain;
  double mantissa = 1;
  long exponent = 0;
  int e = 0;
  auto renormalise = [&mantissa, &exponent, &e] {
    mantissa = std::frexp(mantissa, &e);
    exponent += e;
  };
  for (double factor : factors) {
    mantissa *= std::frexp(factor, &e);
    exponent += e;
    renormalise();
  }
  for (double divisor : divisors) {
    mantissa /= std::frexp(divisor, &e);
    exponent -= e;
    renormalise();
  }
  // Beyond any double either way; ldexp takes an int.
  if (exponent > 4096) exponent = 4096;
  if (exponent < -4096) exponent = -4096;
  return std::ldexp(mantissa, static_cast<int>(exponent));
}

}  // namespace channelflow::sections
