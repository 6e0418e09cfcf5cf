// The one root finder behind every solver: for a function that changes sign
// once over positive x, it always ends, with x to within 2 ulp (a bracket of
// at most two adjacent doubles), or with a FlowError saying why not.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "calc/flow_error.h"

namespace channelflow::sections {

// Where f changes sign: f(lo) < 0 < f(hi) or the reverse.
struct Bracket {
  double lo, hi;
};

// A root of the relative forms the solvers use (ratio - 1) leaves a
// residual of a few ulp; a sign change with more is a step in the function,
// where a quantity left the double range, not a root.
inline constexpr double kRootResidual = 1e-12;

namespace detail {

// The midpoint of the bit patterns: for 0 <= lo < hi it halves the number of
// doubles between them, so a bracket spanning 1E-300 to 1E+300 closes in at
// most 64 halvings, where the arithmetic mean would take over two thousand.
inline double bitMidpoint(double lo, double hi) {
  const auto a = std::bit_cast<std::uint64_t>(lo);
  const auto b = std::bit_cast<std::uint64_t>(hi);
  return std::bit_cast<double>(a + (b - a) / 2);
}

inline bool closed(double lo, double hi) {
  return std::nextafter(std::nextafter(lo, hi), hi) >= hi;
}

}  // namespace detail

// Finds the root of f in [b.lo, b.hi], 0 <= b.lo < b.hi, where f(b.lo) and
// f(b.hi) are fLo and fHi of opposite signs (either may be infinite). Steps
// are Illinois-weighted secants, in log x where the bracket is wide, and a
// bisection whenever a secant fails to halve the bracket in three steps: so
// it converges superlinearly on smooth f and never takes more than about two
// hundred steps on any f.
template <typename F>
double findRoot(F&& f, Bracket b, double fLo, double fHi, double guess) {
  double lo = b.lo, hi = b.hi;
  if (fLo == 0) return lo;
  if (fHi == 0) return hi;
  const double sign = fLo < 0 ? 1 : -1;  // so that sign * f rises through the root
  fLo *= sign;
  fHi *= sign;
  // The next point to try: the secant through the ends, in log x where the
  // bracket is wide, or a bisection when that fails or lands outside.
  auto next = [&lo, &hi, &fLo, &fHi](bool bisect) {
    double x = NAN;
    if (!bisect && lo > 0 && hi > 2 * lo) {
      const double a = std::log(lo), c = std::log(hi);
      x = std::exp(a - fLo * (c - a) / (fHi - fLo));
    } else if (!bisect) {
      x = lo - fLo * (hi - lo) / (fHi - fLo);
    }
    if (!(x > lo && x < hi)) return detail::bitMidpoint(lo, hi);
    // Never on an end: a secant that lands there keeps the bracket from closing.
    return std::fmin(std::fmax(x, std::nextafter(lo, hi)), std::nextafter(hi, lo));
  };
  double x = guess > lo && guess < hi ? guess : next(false);
  double widthBefore = hi - lo;
  int side = 0;
  for (int step = 1; step <= 400; ++step) {
    const double fx = sign * f(x);
    if (fx == 0) return x;
    if (fx < 0) {
      lo = x;
      fLo = fx;
      if (side < 0) fHi *= 0.5;  // Illinois: the end kept twice counts half
      side = -1;
    } else {
      hi = x;
      fHi = fx;
      if (side > 0) fLo *= 0.5;
      side = 1;
    }
    if (detail::closed(lo, hi)) return -fLo < fHi ? lo : hi;
    bool bisect = false;
    if (step % 3 == 0) {
      bisect = hi - lo > 0.5 * widthBefore;
      widthBefore = hi - lo;
    }
    x = next(bisect);
  }
  throw FlowError("求解未能收敛");
}

// For an increasing f: widens outward from guess, within [lower, upper]
// (0 <= lower < upper, upper possibly infinite), by factors 2, 4, 16, 256, ...
// until f changes sign, then finds the root. Throws FlowError(noRoot) when f
// keeps its sign over the whole range.
template <typename F>
double findRootFrom(F&& f, double lower, double upper, double guess, const char* noRoot) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  const double top = std::fmin(upper, kLargest);
  const double bottom = std::fmax(lower, std::numeric_limits<double>::denorm_min());
  double previous = std::fmin(std::fmax(guess, bottom), top);
  double fPrevious = f(previous);
  if (fPrevious == 0) return previous;
  const bool rootAbove = fPrevious < 0;
  double factor = 2;
  while (true) {
    double y = rootAbove ? previous * factor : previous / factor;
    if (!(y < top)) y = top;
    if (!(y > bottom)) y = bottom;
    const double fy = f(y);
    if (rootAbove ? fy >= 0 : fy <= 0) {
      return rootAbove ? findRoot(f, {previous, y}, fPrevious, fy, guess) : findRoot(f, {y, previous}, fy, fPrevious, guess);
    }
    require(y != top && y != bottom, noRoot);
    previous = y;
    fPrevious = fy;
    factor = factor < 1e150 ? factor * factor : kLargest;
  }
}

}  // namespace channelflow::sections
