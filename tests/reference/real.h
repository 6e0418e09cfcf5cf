// A 256-bit MPFR number with value semantics, so that the reference's
// formulas read as the mathematics they come from. Every operation rounds
// once to 256 bits: a chain of a few hundred of them stays some 240 bits
// true, far beyond the 53 bits of the doubles it is compared with.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <string>

namespace channelflow::reference {

inline constexpr mpfr_prec_t kBits = 256;

class Real {
 public:
  Real() { init(); }
  Real(double d) {  // exact, and implicit: the formulas mix Reals with the doubles they were given
    init();
    mpfr_set_d(v_, d, MPFR_RNDN);
  }
  Real(const Real& o) {
    init();
    mpfr_set(v_, o.v_, MPFR_RNDN);
  }
  Real& operator=(const Real& o) {
    mpfr_set(v_, o.v_, MPFR_RNDN);
    return *this;
  }

  mpfr_ptr get() { return v_; }
  mpfr_srcptr get() const { return v_; }
  // The correctly rounded double.
  double toDouble() const { return mpfr_get_d(v_, MPFR_RNDN); }

 private:
  // The digits live in the object: no allocation for each of the millions of
  // intermediate values.
  void init() {
    mpfr_custom_init(limbs_, kBits);
    mpfr_custom_init_set(v_, MPFR_ZERO_KIND, 0, kBits, limbs_);
  }

  mp_limb_t limbs_[(kBits + GMP_NUMB_BITS - 1) / GMP_NUMB_BITS];
  mpfr_t v_;
};

// Applies an MPFR function of one or two operands into a fresh result.
template <class F, class... A>
Real apply(F f, const A&... a) {
  Real r;
  f(r.get(), a.get()..., MPFR_RNDN);
  return r;
}

inline Real operator+(const Real& a, const Real& b) { return apply(mpfr_add, a, b); }
inline Real operator-(const Real& a, const Real& b) { return apply(mpfr_sub, a, b); }
inline Real operator*(const Real& a, const Real& b) { return apply(mpfr_mul, a, b); }
inline Real operator/(const Real& a, const Real& b) { return apply(mpfr_div, a, b); }
inline Real operator-(const Real& a) { return apply(mpfr_neg, a); }
inline Real& operator+=(Real& a, const Real& b) { return a = a + b; }
inline bool operator<(const Real& a, const Real& b) { return mpfr_less_p(a.get(), b.get()) != 0; }
inline bool operator>(const Real& a, const Real& b) { return b < a; }
inline bool operator<=(const Real& a, const Real& b) { return mpfr_lessequal_p(a.get(), b.get()) != 0; }
inline bool operator>=(const Real& a, const Real& b) { return b <= a; }
inline bool operator==(const Real& a, const Real& b) { return mpfr_equal_p(a.get(), b.get()) != 0; }

inline Real sqrt(const Real& a) { return apply(mpfr_sqrt, a); }
inline Real cbrt(const Real& a) { return apply(mpfr_cbrt, a); }
inline Real abs(const Real& a) { return apply(mpfr_abs, a); }
inline Real asinh(const Real& a) { return apply(mpfr_asinh, a); }
inline Real atan2(const Real& y, const Real& x) { return apply(mpfr_atan2, y, x); }
inline Real asin(const Real& a) { return apply(mpfr_asin, a); }
inline Real sin(const Real& a) { return apply(mpfr_sin, a); }
inline Real cos(const Real& a) { return apply(mpfr_cos, a); }
inline int sign(const Real& a) { return mpfr_sgn(a.get()); }
inline double toDouble(const Real& a) { return a.toDouble(); }

// The same names for doubles, so that one template serves both: the doubles
// find a first approximation cheaply, the Reals make it exact.
inline double sqrt(double a) { return std::sqrt(a); }
inline double cbrt(double a) { return std::cbrt(a); }
inline double abs(double a) { return std::fabs(a); }
inline double asinh(double a) { return std::asinh(a); }
inline double atan2(double y, double x) { return std::atan2(y, x); }
inline double asin(double a) { return std::asin(a); }
inline double sin(double a) { return std::sin(a); }
inline double cos(double a) { return std::cos(a); }
inline int sign(double a) { return (a > 0) - (a < 0); }
inline double toDouble(double a) { return a; }

// A decimal text read at 256 bits (for numbers printed by the program).
Real fromText(const std::string& text);

}  // namespace channelflow::reference
