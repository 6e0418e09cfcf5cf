// The root finder behind every solver. A root is found in two stages: first
// to about the last bit of a double by safeguarded secant steps on the
// function evaluated in doubles (fast), then polished by secant steps on the
// function evaluated in double-double, which leaves it within about 2^-100 of
// the exact root, so that its rounding to a double is the correctly rounded
// root in all but the rarest cases.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "calc/sections/number_forms.h"
#include "calc/toolkit/problem.h"
#include "numeric/elementary/bits.h"

namespace channelflow::calc {

// Where f changes sign: f(lo) < 0 < f(hi) or the reverse.
struct Bracket {
  double lo, hi;
};

namespace detail {

// The midpoint of the bit patterns: for 0 <= lo < hi it halves the number of
// doubles between them, so a bracket spanning 1E-300 to 1E+300 closes in at
// most 64 halvings, where the arithmetic mean would take over two thousand.
inline double bitMidpoint(double lo, double hi) {
  const auto a = numeric::bitCast<std::uint64_t>(lo);
  const auto b = numeric::bitCast<std::uint64_t>(hi);
  return numeric::bitCast<double>(a + (b - a) / 2);
}

inline double nextUp(double x) { return std::nextafter(x, HUGE_VAL); }
inline double nextDown(double x) { return std::nextafter(x, -HUGE_VAL); }

inline bool closed(double lo, double hi) { return nextUp(nextUp(lo)) >= hi; }

}  // namespace detail

// Finds the root of f in [b.lo, b.hi], 0 <= b.lo < b.hi, where f(b.lo) and
// f(b.hi) are fLo and fHi of opposite signs (either may be infinite). Steps
// are secants through the last two points, kept inside the bracket, and a
// bisection whenever three steps fail to halve the bracket: so it converges
// superlinearly on smooth f and never takes more than about two hundred
// steps on any f. It ends when the bracket closes to 2 ulp or a plain secant
// step moves x by no more than that; a NaN from f is a CalcError.
template <typename F>
double findRoot(F&& f, Bracket b, double fLo, double fHi, double guess) {
  double lo = b.lo, hi = b.hi;
  if (fLo == 0) return lo;
  if (fHi == 0) return hi;
  const double sign = fLo < 0 ? 1 : -1;  // so that sign * f rises through the root
  fLo *= sign;
  fHi *= sign;
  // The secant through (x0, f0) and (x1, f1), in log x where the two lie
  // far apart. The solvers' functions are mostly ratios less 1 of near power
  // laws, so it runs through log(1 + f) where both points allow: a straight
  // line in log x, met in a step or two. Close points take the plain secant,
  // which alone resolves single ulps (exp(log x) rounds to many of them).
  bool logarithmic = false;
  auto secant = [&logarithmic](double x0, double f0, double x1, double f1) {
    if (f0 > -1 && f1 > -1 && std::isfinite(f0) && std::isfinite(f1)) {
      f0 = numeric::log1p(f0);
      f1 = numeric::log1p(f1);
    }
    logarithmic = x0 > 0 && x1 > 0 && (x1 > 2 * x0 || x0 > 2 * x1);
    if (logarithmic) {
      const double u = numeric::log(x0), w = numeric::log(x1);
      return numeric::exp(u - f0 * (w - u) / (f1 - f0));
    }
    return x0 - f0 * (x1 - x0) / (f1 - f0);
  };
  // Inside the bracket and never on an end, or else a bisection.
  auto inside = [&lo, &hi](double x) {
    if (!(x > lo && x < hi)) return detail::bitMidpoint(lo, hi);
    return std::fmin(std::fmax(x, detail::nextUp(lo)), detail::nextDown(hi));
  };
  double x = guess > lo && guess < hi ? guess : inside(secant(lo, fLo, hi, fHi));
  double xPrevious = NAN, fPrevious = NAN;
  double widthBefore = hi - lo;
  for (int step = 1; step <= 400; ++step) {
    const double fx = sign * f(x);
    if (fx == 0) return x;
    require(!std::isnan(fx), MessageId::NoAnswer);
    (fx < 0 ? lo : hi) = x;
    (fx < 0 ? fLo : fHi) = fx;
    if (detail::closed(lo, hi)) return -fLo < fHi ? lo : hi;
    // Secants through the last two points, a bisection whenever three steps
    // have not halved the bracket.
    bool bisect = false;
    if (step % 3 == 0) {
      bisect = hi - lo > 0.5 * widthBefore;
      widthBefore = hi - lo;
    }
    const double raw = std::isnan(xPrevious) ? secant(lo, fLo, hi, fHi) : secant(xPrevious, fPrevious, x, fx);
    const double following = bisect ? detail::bitMidpoint(lo, hi) : inside(raw);
    // A secant that moves no more than 2 ulp has found the root to that.
    if (!bisect && !logarithmic && following == raw && std::fabs(following - x) <= 2 * (detail::nextUp(x) - x)) {
      return following;
    }
    xPrevious = x;
    fPrevious = fx;
    x = following;
  }
  fail(MessageId::NoAnswer);
}

// For an increasing f: widens outward from guess, within [lower, upper]
// (0 <= lower < upper, upper possibly infinite), by factors 2, 4, 16, 256, ...
// until f changes sign, then finds the root. When f keeps its sign over the
// whole range the root lies beyond the doubles: a CalcError says that the
// quantity `key` is too large or too small.
template <typename F>
double findRootFrom(F&& f, double lower, double upper, double guess, std::string_view key) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  const double top = std::fmin(upper, kLargest);
  const double bottom = std::fmax(lower, std::numeric_limits<double>::denorm_min());
  double previous = std::fmin(std::fmax(guess, bottom), top);
  double fPrevious = f(previous);
  if (fPrevious == 0) return previous;
  const bool rootAbove = fPrevious < 0;
  // The first trial reads f as a ratio less 1 of a power law near h^(5/3),
  // as discharge is, and steps 2 % beyond where that puts the root; then
  // factors 2, 4, 16, ... from the last trial.
  double first = NAN;
  if (fPrevious > -1 && std::isfinite(fPrevious)) {
    first = previous * numeric::pow(1 + fPrevious, -0.6) * (rootAbove ? 1.02 : 0.98);
  }
  if (!(rootAbove ? first > previous : first < previous)) first = NAN;
  bool firstTrial = !std::isnan(first);
  double factor = 2;
  while (true) {
    double y = firstTrial ? first : rootAbove ? previous * factor : previous / factor;
    if (!(y < top)) y = top;
    if (!(y > bottom)) y = bottom;
    const double fy = f(y);
    if (rootAbove ? fy >= 0 : fy <= 0) {
      return rootAbove ? findRoot(f, {previous, y}, fPrevious, fy, NAN) : findRoot(f, {y, previous}, fy, fPrevious, NAN);
    }
    if (y == top || y == bottom) {
      fail(y == top ? MessageId::ResultTooLarge : MessageId::ResultTooSmall, {}, {MessageArg::quantity(key)});
    }
    previous = y;
    fPrevious = fy;
    if (!firstTrial) factor = factor < 1e150 ? factor * factor : kLargest;
    firstTrial = false;
  }
}

// For an increasing f with f(b.lo) = fLo < 0 < fHi = f(b.hi): tries guess,
// then widens from it by delta, 2 delta, 4 delta, ... toward the root until
// the sign changes, and finds the root in that small bracket. For a root
// whose place is well foreseen, as along a smooth profile.
template <typename F>
double findRootNear(F&& f, Bracket b, double fLo, double fHi, double guess, double delta) {
  double lo = b.lo, hi = b.hi;
  guess = std::fmin(std::fmax(guess, detail::nextUp(lo)), detail::nextDown(hi));
  const double fGuess = f(guess);
  if (fGuess == 0) return guess;
  const bool above = fGuess < 0;
  (above ? lo : hi) = guess;
  (above ? fLo : fHi) = fGuess;
  for (double y = above ? guess + delta : guess - delta; above ? y < hi : y > lo;
       y = above ? guess + delta : guess - delta) {
    const double fy = f(y);
    if (above ? fy >= 0 : fy <= 0) {
      (above ? hi : lo) = y;
      (above ? fHi : fLo) = fy;
      break;
    }
    (above ? lo : hi) = y;
    (above ? fLo : fHi) = fy;
    delta *= 2;
  }
  return findRoot(f, {lo, hi}, fLo, fHi, NAN);
}

// The root near x (a double within a few ulp of it, or nearer), of f
// evaluated in Reals, to about 2^-100: a secant through x and a point 2^-40
// beside it, then a second step along the same slope. Each step multiplies
// the error by about the slope's relative error, 2^-40. Stays within
// [lo, hi]; where the slope cannot be formed, x itself is the answer.
template <typename F>
Real polishRoot(F&& f, double x, double lo, double hi) {
  const Real x0(x);
  const Real f0 = f(x0);
  if (f0 == Real(0) || !(x > 0)) return x0;
  double beside = x + x * 0x1p-40;
  if (!(beside < hi)) beside = x - x * 0x1p-40;
  if (!(beside > lo) || beside == x) return x0;
  const Real x1(beside);
  const Real slope = (f(x1) - f0) / (x1 - x0);
  if (!slope.isFinite() || slope == Real(0)) return x0;
  const Real x2 = x0 - f0 / slope;
  const Real x3 = x2 - f(x2) / slope;
  // A step that leaves the bracket means the polish went wrong, not the root.
  if (!(x3 >= Real(lo) && x3 <= Real(hi)) || !x3.isFinite()) return x0;
  return x3;
}

// The same from a slope already known to about 2^-26 (as a central difference
// of f in doubles is), at two evaluations in Reals instead of three: each of
// the two steps multiplies the error by the slope's relative error, and a
// third step is taken when the second still moved by more than 2^-70 of x.
template <typename F>
Real polishRootAlong(F&& f, double x, double slope, double lo, double hi) {
  const Real x0(x);
  if (!(slope != 0) || !std::isfinite(slope)) return polishRoot(f, x, lo, hi);
  const Real s(slope);
  const Real x1 = x0 - f(x0) / s;
  Real x2 = x1 - f(x1) / s;
  if (numeric::abs(x2 - x1) > Real(x * 0x1p-70)) x2 = x2 - f(x2) / s;
  if (!(x2 >= Real(lo) && x2 <= Real(hi)) || !x2.isFinite()) return polishRoot(f, x, lo, hi);
  return x2;
}

}  // namespace channelflow::calc
