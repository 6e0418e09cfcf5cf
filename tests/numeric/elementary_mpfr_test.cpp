// The elementary functions against MPFR at 320 bits over seeded random
// arguments, realistic and extreme: the Real (and so double-double) forms
// within their stated relative bound, the double forms within one ulp. Each
// row prints its worst errors and how often the double form misrounds.
#include "numeric/elementary/elementary.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace {

namespace nm = channelflow::numeric;
using nm::DoubleDouble;
using nm::Real;

#ifdef CHANNELFLOW_SANITIZED
constexpr long kCount = 16'000;
#else
constexpr long kCount = 160'000;
#endif
constexpr double kRealBound = 0x1p-100;

// One MPFR number at 320 bits with the widest exponent range.
class Big {
 public:
  Big() { mpfr_init2(value_, 320); }
  explicit Big(const Real& x) : Big() { set(x); }
  ~Big() { mpfr_clear(value_); }
  Big(const Big&) = delete;
  Big& operator=(const Big&) = delete;
  void set(const Real& x) {
    mpfr_set_d(value_, x.mantissa().hi, MPFR_RNDN);
    mpfr_add_d(value_, value_, x.mantissa().lo, MPFR_RNDN);
    mpfr_mul_2si(value_, value_, static_cast<long>(x.exponent()), MPFR_RNDN);
  }
  mpfr_ptr get() { return value_; }

 private:
  mpfr_t value_;
};

// |actual - expected| / |expected|, or 0 when both are 0.
double relativeError(const Real& actual, mpfr_ptr expected) {
  if (mpfr_zero_p(expected)) return actual.isZero() ? 0 : 1;
  if (!actual.isFinite()) return 1;
  Big difference(actual);
  mpfr_sub(difference.get(), difference.get(), expected, MPFR_RNDN);
  mpfr_div(difference.get(), difference.get(), expected, MPFR_RNDN);
  return std::fabs(mpfr_get_d(difference.get(), MPFR_RNDN));
}

// |actual - expected| in units of the last place of expected's binade (subnormals included).
double ulpError(double actual, mpfr_ptr expected) {
  if (mpfr_zero_p(expected)) return actual == 0 ? 0 : 1e9;
  if (!std::isfinite(actual)) return 1e9;
  Big difference{Real(actual)};
  mpfr_sub(difference.get(), difference.get(), expected, MPFR_RNDN);
  const long exponent = std::max<long>(mpfr_get_exp(expected) - 1, -1022);
  mpfr_mul_2si(difference.get(), difference.get(), 52 - exponent, MPFR_RNDN);
  return std::fabs(mpfr_get_d(difference.get(), MPFR_RNDN));
}

struct Forms {
  std::function<Real(const Real&, const Real&)> real;
  std::function<double(double, double)> plain;  // empty: no double form to check
  std::function<int(mpfr_ptr, mpfr_srcptr, mpfr_srcptr)> reference;
};

// An argument pair; `plain` when both are doubles (exponent 0, no low part).
struct Arguments {
  Real x, y;
};

struct Row {
  const char* name;
  Forms forms;
  std::function<Arguments(std::mt19937_64&, long)> draw;
};

double logUniform(std::mt19937_64& random, double low, double high) {
  return std::exp2(std::uniform_real_distribution<double>(std::log2(low), std::log2(high))(random));
}
double signed_(std::mt19937_64& random, double magnitude) { return random() % 2 ? -magnitude : magnitude; }
// A double-double with a random low part, scaled by 2^exponent.
Real withLowPart(std::mt19937_64& random, double hi, std::int64_t exponent = 0) {
  const double lo = std::ldexp(std::uniform_real_distribution<double>(-0.5, 0.5)(random), std::ilogb(hi) - 52);
  return Real(DoubleDouble{hi, lo}, exponent);
}
// Two in three plain doubles, the rest double-doubles (half of them far outside the double range).
Real mixed(std::mt19937_64& random, long i, double hi, std::int64_t farExponent) {
  if (i % 3 != 0) return Real(hi);
  return withLowPart(random, hi, i % 6 == 3 ? farExponent : 0);
}

// Exactly a double (Reals keep doubles beyond 2^+/-480 with an exponent of their own).
bool isDouble(const Real& x) { return x.mantissa().lo == 0 && Real(x.toDouble()) == x; }

void run(const Row& row) {
  mpfr_set_emin(mpfr_get_emin_min());
  mpfr_set_emax(mpfr_get_emax_max());
  std::mt19937_64 random(std::hash<std::string>{}(row.name) % 1000);
  Big x, y, expected;
  double worstReal = 0, worstUlps = 0;
  long misrounded = 0, plainCount = 0, realFailures = 0, plainFailures = 0;
  for (long i = 0; i < kCount; ++i) {
    const Arguments a = row.draw(random, i);
    x.set(a.x);
    y.set(a.y);
    row.forms.reference(expected.get(), x.get(), y.get());
    const double realError = relativeError(row.forms.real(a.x, a.y), expected.get());
    worstReal = std::max(worstReal, realError);
    if (!(realError <= kRealBound) && ++realFailures <= 5) {
      ADD_FAILURE() << row.name << std::hexfloat << " Real(" << a.x.mantissa().hi << " + " << a.x.mantissa().lo
                    << " 2^" << a.x.exponent() << ", " << a.y.toDouble() << "): error 2^" << std::log2(realError);
    }
    const bool plain = isDouble(a.x) && isDouble(a.y);
    if (!row.forms.plain || !plain || mpfr_get_exp(expected.get()) > 1024) continue;
    ++plainCount;
    const double actual = row.forms.plain(a.x.toDouble(), a.y.toDouble());
    const double ulps = ulpError(actual, expected.get());
    worstUlps = std::max(worstUlps, ulps);
    mpfr_t rounded;
    mpfr_init2(rounded, 53);
    mpfr_set(rounded, expected.get(), MPFR_RNDN);
    if (mpfr_get_d(rounded, MPFR_RNDN) != actual) ++misrounded;
    mpfr_clear(rounded);
    if (!(ulps < 1) && ++plainFailures <= 5) {
      ADD_FAILURE() << row.name << std::hexfloat << " (" << a.x.toDouble() << ", " << a.y.toDouble() << ") = " << actual
                    << ": " << ulps << " ulp";
    }
  }
  std::printf("%-8s Real worst 2^%.1f", row.name, std::log2(worstReal));
  if (plainCount > 0) {
    std::printf("; double worst %.3f ulp, %ld of %ld not correctly rounded", worstUlps, misrounded, plainCount);
  }
  std::printf("\n");
}

// The binary and unary forms as one shape: y is ignored by unary functions.
template <Real (*kReal)(const Real&)>
Real unaryReal(const Real& x, const Real&) { return kReal(x); }
template <double (*kPlain)(double)>
double unaryPlain(double x, double) { return kPlain(x); }
template <int (*kReference)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t)>
int unaryReference(mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return kReference(r, x, MPFR_RNDN); }

#define UNARY(f) Forms{unaryReal<nm::f>, unaryPlain<nm::f>, unaryReference<mpfr_##f>}

Real squareRoot(const Real& x, const Real&) { return nm::sqrt(x); }
int squareRootReference(mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr) { return mpfr_sqrt(r, x, MPFR_RNDN); }

Real realPower(const Real& x, const Real& y) { return nm::pow(x, y); }
int powerReference(mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_pow(r, x, y, MPFR_RNDN); }

// Real operands over the whole range: equal exponents, far apart, and nearly cancelling.
Arguments realPair(std::mt19937_64& r, long i) {
  const std::int64_t far = static_cast<std::int64_t>(r() % 4001) - 2000;
  const Real x = withLowPart(r, signed_(r, logUniform(r, 1e-300, 1e300)), i % 3 == 0 ? far : 0);
  if (i % 4 == 1) return {x, -x * (1.0 + signed_(r, logUniform(r, 1e-30, 1e-3)))};
  return {x, withLowPart(r, signed_(r, logUniform(r, 1e-300, 1e300)), i % 3 == 1 ? -far : 0)};
}

// clang-format off
const Row kRows[] = {
    {"add", {[](const Real& x, const Real& y) { return x + y; }, {},
             [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_add(r, x, y, MPFR_RNDN); }}, realPair},
    {"multiply", {[](const Real& x, const Real& y) { return x * y; }, {},
                  [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_mul(r, x, y, MPFR_RNDN); }}, realPair},
    {"divide", {[](const Real& x, const Real& y) { return x / y; }, {},
                [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_div(r, x, y, MPFR_RNDN); }}, realPair},
    {"sqrt", {squareRoot, {}, squareRootReference},
     [](std::mt19937_64& r, long i) { return Arguments{mixed(r, i, logUniform(r, 1e-300, 1e300), 200000), 0.0}; }},
    {"cbrt", UNARY(cbrt),
     [](std::mt19937_64& r, long i) {
       const double x = i % 4 == 0 ? logUniform(r, 0x1p-1074, 1.7e308) : logUniform(r, 1e-6, 1e6);
       return Arguments{mixed(r, i, signed_(r, x), -100001), 0.0}; }},
    {"log", UNARY(log),
     [](std::mt19937_64& r, long i) {
       const double x = i % 4 == 0 ? logUniform(r, 0x1p-1074, 1.7e308) : (i % 4 == 1 ? std::uniform_real_distribution<double>(0.5, 2)(r) : logUniform(r, 1e-4, 1e4));
       return Arguments{mixed(r, i, x, 100000), 0.0}; }},
    {"log1p", UNARY(log1p),
     [](std::mt19937_64& r, long i) {
       const double x = i % 3 == 0 ? -logUniform(r, 1e-30, 0.999999) : logUniform(r, 1e-30, 1e30);
       return Arguments{mixed(r, i, x, i % 16 == 1 || x < 0 ? -3000 : 3000), 0.0}; }},
    {"exp", UNARY(exp),
     [](std::mt19937_64& r, long i) {
       const double x = i % 4 == 0 ? std::uniform_real_distribution<double>(-745, 709.7)(r) : signed_(r, logUniform(r, 1e-20, 50));
       return Arguments{mixed(r, i, x, 0), 0.0}; }},
    {"exp_far", {unaryReal<nm::exp>, {}, unaryReference<mpfr_exp>},
     [](std::mt19937_64& r, long) { return Arguments{Real(signed_(r, logUniform(r, 1e-300, 7e8))), 0.0}; }},
    {"expm1", UNARY(expm1),
     [](std::mt19937_64& r, long i) { return Arguments{mixed(r, i, signed_(r, logUniform(r, 1e-25, 700)), -2000), 0.0}; }},
    {"atan", UNARY(atan),
     [](std::mt19937_64& r, long i) {
       const double x = i % 4 == 0 ? logUniform(r, 1e-300, 1e300) : logUniform(r, 1e-4, 1e4);
       return Arguments{mixed(r, i, signed_(r, x), i % 16 == 1 ? -5000 : 5000), 0.0}; }},
    {"asin", UNARY(asin),
     [](std::mt19937_64& r, long i) {
       const double x = i % 2 == 0 ? 1 - logUniform(r, 1e-18, 1) : logUniform(r, 1e-20, 1);
       return Arguments{i % 8 == 1 ? withLowPart(r, signed_(r, x)) : Real(signed_(r, x)), 0.0}; }},
    {"acos", UNARY(acos),
     [](std::mt19937_64& r, long i) {
       const double x = i % 2 == 0 ? 1 - logUniform(r, 1e-18, 1) : logUniform(r, 1e-20, 1);
       return Arguments{i % 8 == 1 ? withLowPart(r, signed_(r, x)) : Real(signed_(r, x)), 0.0}; }},
    {"sin", UNARY(sin),
     [](std::mt19937_64& r, long i) {
       const double x = i % 2 == 0 ? std::uniform_real_distribution<double>(0, 7)(r) : logUniform(r, 1e-10, 1e6);
       return Arguments{i % 8 == 1 ? withLowPart(r, signed_(r, x)) : Real(signed_(r, x)), 0.0}; }},
    {"cos", UNARY(cos),
     [](std::mt19937_64& r, long i) {
       const double x = i % 2 == 0 ? std::uniform_real_distribution<double>(0, 7)(r) : logUniform(r, 1e-10, 1e6);
       return Arguments{i % 8 == 1 ? withLowPart(r, signed_(r, x)) : Real(signed_(r, x)), 0.0}; }},
    {"asinh", UNARY(asinh),
     [](std::mt19937_64& r, long i) {
       const double x = i % 4 == 0 ? logUniform(r, 1e-300, 1e300) : logUniform(r, 1e-6, 1e6);
       return Arguments{mixed(r, i, signed_(r, x), i % 16 == 1 ? -4000 : 4000), 0.0}; }},
    {"atan2", {[](const Real& y, const Real& x) { return nm::atan2(y, x); }, [](double y, double x) { return nm::atan2(y, x); },
               [](mpfr_ptr r, mpfr_srcptr y, mpfr_srcptr x) { return mpfr_atan2(r, y, x, MPFR_RNDN); }},
     [](std::mt19937_64& r, long i) {
       const double y = signed_(r, logUniform(r, 1e-5, 1e5)), x = signed_(r, logUniform(r, 1e-5, 1e5));
       const std::int64_t far = i % 8 == 1 ? 3000 : 0;
       return Arguments{mixed(r, i, y, far), mixed(r, i, x, far + 7)}; }},
    {"hypot", {[](const Real& x, const Real& y) { return nm::hypot(x, y); }, [](double x, double y) { return nm::hypot(x, y); },
               [](mpfr_ptr r, mpfr_srcptr x, mpfr_srcptr y) { return mpfr_hypot(r, x, y, MPFR_RNDN); }},
     [](std::mt19937_64& r, long i) {
       const double x = signed_(r, logUniform(r, 1e-300, 1e300)), y = signed_(r, x * logUniform(r, 1e-10, 1e10));
       return Arguments{mixed(r, i, x, 90000), mixed(r, i, std::isfinite(y) && y != 0 ? y : x, 90000)}; }},
    {"pow", {realPower, {}, powerReference},
     [](std::mt19937_64& r, long i) {
       const double exponents[] = {2.0 / 3, 1.0 / 6, 1.5, 0.6, 5.0 / 3, -0.5, 3};
       const double y = i % 2 == 0 ? exponents[i / 2 % 7] : std::uniform_real_distribution<double>(-8, 8)(r);
       return Arguments{mixed(r, i, logUniform(r, 1e-300, 1e300), i % 16 == 1 ? -60000 : 60000),
                        i % 4 == 3 ? withLowPart(r, y) : Real(y)}; }},
};
// clang-format on

class ElementaryMpfr : public testing::TestWithParam<Row> {};

TEST_P(ElementaryMpfr, WithinBounds) { run(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Functions, ElementaryMpfr, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& row) { return std::string(row.param.name); });

}  // namespace
