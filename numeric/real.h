// TEMPORARY STAND-IN until the numeric library's Real lands: double-double
// arithmetic with long double elementary functions. Not for main.
#pragma once

#include <cmath>

namespace channelflow::numeric {

class Real {
 public:
  constexpr Real() = default;
  constexpr Real(double value) : hi_(value), lo_(0) {}  // NOLINT: implicit on purpose
  constexpr Real(int value) : hi_(value), lo_(0) {}     // NOLINT
  static Real fromParts(double hi, double lo) {
    Real r;
    const double s = hi + lo;
    r.lo_ = lo - (s - hi);
    r.hi_ = s;
    return r;
  }
  double toDouble() const { return hi_ + lo_; }
  bool isFinite() const { return std::isfinite(hi_); }
  bool isNaN() const { return std::isnan(hi_); }
  double high() const { return hi_; }
  double low() const { return lo_; }
  long double wide() const { return static_cast<long double>(hi_) + lo_; }
  static Real fromWide(long double x) {
    const double hi = static_cast<double>(x);
    return fromParts(hi, static_cast<double>(x - hi));
  }

  friend Real operator+(const Real& a, const Real& b) {
    const double s = a.hi_ + b.hi_;
    const double bb = s - a.hi_;
    const double err = (a.hi_ - (s - bb)) + (b.hi_ - bb);
    return fromParts(s, err + a.lo_ + b.lo_);
  }
  friend Real operator-(const Real& a) { return fromParts(-a.hi_, -a.lo_); }
  friend Real operator-(const Real& a, const Real& b) { return a + (-b); }
  friend Real operator*(const Real& a, const Real& b) {
    const double p = a.hi_ * b.hi_;
    const auto split = [](double x, double& h, double& l) {
      const double c = 134217729.0 * x;
      h = c - (c - x);
      l = x - h;
    };
    double ah, al, bh, bl;
    split(a.hi_, ah, al);
    split(b.hi_, bh, bl);
    const double err = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
    return fromParts(p, err + (a.hi_ * b.lo_ + a.lo_ * b.hi_));
  }
  friend Real operator/(const Real& a, const Real& b) {
    const double q1 = a.hi_ / b.hi_;
    const Real r = a - b * Real(q1);
    const double q2 = r.hi_ / b.hi_;
    const Real r2 = r - b * Real(q2);
    const double q3 = r2.hi_ / b.hi_;
    return fromParts(q1, q2) + Real(q3);
  }
  Real& operator+=(const Real& b) { return *this = *this + b; }
  Real& operator-=(const Real& b) { return *this = *this - b; }
  Real& operator*=(const Real& b) { return *this = *this * b; }
  Real& operator/=(const Real& b) { return *this = *this / b; }
  friend bool operator<(const Real& a, const Real& b) { return a.hi_ < b.hi_ || (a.hi_ == b.hi_ && a.lo_ < b.lo_); }
  friend bool operator>(const Real& a, const Real& b) { return b < a; }
  friend bool operator<=(const Real& a, const Real& b) { return !(b < a); }
  friend bool operator>=(const Real& a, const Real& b) { return !(a < b); }
  friend bool operator==(const Real& a, const Real& b) { return a.hi_ == b.hi_ && a.lo_ == b.lo_; }
  friend bool operator!=(const Real& a, const Real& b) { return !(a == b); }

 private:
  double hi_ = 0, lo_ = 0;
};

inline Real abs(const Real& x) { return x < Real(0) ? -x : x; }
inline bool isFinite(const Real& x) { return std::isfinite(x.high()); }
inline bool isNaN(const Real& x) { return std::isnan(x.high()); }
inline Real sqrt(const Real& x) {
  if (!(x.high() > 0)) return Real(std::sqrt(x.high()));
  const double s = std::sqrt(x.high());
  return Real(s) + (x - Real(s) * Real(s)) / Real(2 * s);
}
inline Real cbrt(const Real& x) { return Real::fromWide(std::cbrt(x.wide())); }
inline Real atan2(const Real& y, const Real& x) { return Real::fromWide(std::atan2(y.wide(), x.wide())); }
inline Real asinh(const Real& x) { return Real::fromWide(std::asinh(x.wide())); }
inline Real log(const Real& x) { return Real::fromWide(std::log(x.wide())); }
inline Real exp(const Real& x) { return Real::fromWide(std::exp(x.wide())); }
inline Real pow(const Real& x, double y) { return Real::fromWide(std::pow(x.wide(), static_cast<long double>(y))); }
inline double sqrt(double x) { return std::sqrt(x); }
inline double cbrt(double x) { return std::cbrt(x); }
inline double atan2(double y, double x) { return std::atan2(y, x); }
inline double asinh(double x) { return std::asinh(x); }
inline double log(double x) { return std::log(x); }
inline double log1p(double x) { return std::log1p(x); }
inline double exp(double x) { return std::exp(x); }
inline double pow(double x, double y) { return std::pow(x, y); }
inline double abs(double x) { return std::fabs(x); }
inline bool isFinite(double x) { return std::isfinite(x); }
inline bool isNaN(double x) { return std::isnan(x); }

}  // namespace channelflow::numeric
