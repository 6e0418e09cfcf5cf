// Random channels over the whole double range against a 256-bit reference:
// every answer is right to within 2 ulp, and every refusal is a quantity
// the reference, too, finds beyond what a double holds.
#include "calc/hydraulics.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace channelflow::calc {
namespace {

// A 256-bit number that frees itself.
class Big {
 public:
  Big() { mpfr_init2(x_, 256); }
  explicit Big(double value) : Big() { mpfr_set_d(x_, value, MPFR_RNDN); }
  Big(const Big& other) : Big() { mpfr_set(x_, other.x_, MPFR_RNDN); }
  Big& operator=(const Big& other) {
    mpfr_set(x_, other.x_, MPFR_RNDN);
    return *this;
  }
  ~Big() { mpfr_clear(x_); }
  mpfr_ptr get() { return x_; }
  mpfr_srcptr get() const { return x_; }

 private:
  mpfr_t x_;
};

Big operator+(const Big& a, const Big& b) { Big r; mpfr_add(r.get(), a.get(), b.get(), MPFR_RNDN); return r; }
Big operator-(const Big& a, const Big& b) { Big r; mpfr_sub(r.get(), a.get(), b.get(), MPFR_RNDN); return r; }
Big operator*(const Big& a, const Big& b) { Big r; mpfr_mul(r.get(), a.get(), b.get(), MPFR_RNDN); return r; }
Big operator/(const Big& a, const Big& b) { Big r; mpfr_div(r.get(), a.get(), b.get(), MPFR_RNDN); return r; }
Big root(const Big& a, unsigned long k) { Big r; mpfr_rootn_ui(r.get(), a.get(), k, MPFR_RNDN); return r; }
bool less(const Big& a, const Big& b) { return mpfr_less_p(a.get(), b.get()) != 0; }

struct Reference {
  std::vector<std::pair<const char*, Big>> quantities;  // in the order describeFlow checks them
};

// The critical depth by bisection on A^3 - K T, to the reference's precision.
Big criticalDepthReference(const Big& B, const Big& m, const Big& Q) {
  const Big K = Q * Q / Big(kGravity);
  Big lo(0.0), hi(1.0);
  auto excess = [&](const Big& h) {
    const Big A = (B + m * h) * h;
    return A * A * A - K * (B + Big(2.0) * m * h);
  };
  while (less(excess(hi), Big(0.0))) hi = hi * Big(2.0);
  while (!less(excess(lo = hi / Big(2.0)), Big(0.0))) hi = lo;
  lo = hi / Big(2.0);
  for (int k = 0; k < 300; ++k) {
    const Big mid = (lo + hi) / Big(2.0);
    (less(excess(mid), Big(0.0)) ? lo : hi) = mid;
  }
  return lo;
}

Reference reference(const Channel& c, double depth) {
  const Big B(c.B), m(c.m), i(c.i), n(c.n), h(depth), g(kGravity), two(2.0);
  const Big A = (B + m * h) * h;
  const Big P = B + two * h * root(Big(1.0) + m * m, 2);
  const Big T = B + two * m * h;
  const Big R = A / P, D = A / T;
  const Big C = root(R, 6) / n;
  const Big v = C * root(R * i, 2);
  const Big Q = v * A;
  return {{{"A", A}, {"P", P}, {"R", R}, {"T", T}, {"D", D}, {"C", C}, {"v", v}, {"Q", Q},
           {"Fr", v / root(g * D, 2)}, {"hc", criticalDepthReference(B, m, Q)},
           {"E", h + v * v / (two * g)}, {"tau0", Big(kWaterDensity * kGravity) * R * i}}};
}

// Whether a double holds the value with all its digits.
bool fitsDouble(const Big& x) {
  return mpfr_cmp_d(x.get(), DBL_MAX) <= 0 && mpfr_cmp_d(x.get(), DBL_MIN) >= 0;
}

double ulpsApart(double computed, const Big& exact) {
  Big difference = Big(computed) - exact;
  mpfr_abs(difference.get(), difference.get(), MPFR_RNDN);
  const double ulp = std::nextafter(computed, INFINITY) - computed;
  return mpfr_get_d(difference.get(), MPFR_RNDN) / ulp;
}

// A double of random magnitude anywhere in the normal range, or a boundary value.
double randomPositive(std::mt19937_64& random) {
  static constexpr double kEdges[] = {DBL_MIN, DBL_MAX, 1e-308, 1e308, 1e-320, 5e-324, 1, 1e-30, 1e30};
  if (random() % 8 == 0) return kEdges[random() % std::size(kEdges)];
  const double mantissa = std::uniform_real_distribution<double>(1, 2)(random);
  return std::ldexp(mantissa, std::uniform_int_distribution<int>(-1060, 1023)(random));
}

// A value of everyday size: uniform in log between lo and hi.
double everyday(std::mt19937_64& random, double lo, double hi) {
  return std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(random));
}

TEST(HydraulicsRange, RandomChannelsMatchTheReferenceOrNameTheQuantity) {
  std::mt19937_64 random(20261209);
  int answered = 0;
  double worst = 0;
  for (int k = 0; k < 6000; ++k) {
    const int shape = k % 3;  // trapezoid, rectangle, triangle
    const bool wide = k % 2 == 0;  // the whole double range, or channels as built
    const Channel c{shape == 2 ? 0 : wide ? randomPositive(random) : everyday(random, 0.1, 100),
                    shape == 1 ? 0 : wide ? randomPositive(random) : everyday(random, 0.1, 4),
                    wide ? randomPositive(random) : everyday(random, 1e-5, 0.1),
                    wide ? randomPositive(random) : everyday(random, 0.008, 0.06)};
    const double h = wide ? randomPositive(random) : everyday(random, 0.01, 20);
    SCOPED_TRACE(testing::Message() << std::hexfloat << "B " << c.B << " m " << c.m << " i " << c.i << " n " << c.n
                                    << " h " << h);
    const bool inputsFit = (c.B == 0 || c.B >= DBL_MIN) && (c.m == 0 || c.m >= DBL_MIN) && c.i >= DBL_MIN &&
                           c.n >= DBL_MIN && h >= DBL_MIN;
    const Reference exact = reference(c, h);
    bool allFit = inputsFit;
    for (const auto& [name, value] : exact.quantities) allFit = allFit && fitsDouble(value);
    try {
      const FlowState f = describeFlow(c, h);
      ++answered;
      const double computed[] = {f.A, f.P, f.R, f.T, f.D, f.C, f.v, f.Q, f.Fr, f.hc, f.E, f.tau0};
      for (std::size_t q = 0; q < exact.quantities.size(); ++q) {
        EXPECT_TRUE(std::isnormal(computed[q])) << exact.quantities[q].first;
        const double apart = ulpsApart(computed[q], exact.quantities[q].second);
        worst = std::fmax(worst, apart);
        EXPECT_LE(apart, 2.0) << exact.quantities[q].first;
      }
    } catch (const HydraulicsError& error) {
      // Refused: some input or quantity must be beyond a double, and the message says which.
      EXPECT_FALSE(allFit) << error.what();
      EXPECT_NE(std::string(error.what()).find(' '), std::string::npos) << error.what();
    }
  }
  EXPECT_GT(answered, 3000);
  std::printf("largest error: %.2f ulp\n", worst);
}

// A solved depth or width reproduces its discharge to within a few ulp.
TEST(HydraulicsRange, SolversReproduceTheDischargeOverTheRange) {
  std::mt19937_64 random(4181);
  int solved = 0;
  for (int k = 0; k < 3000; ++k) {
    const Channel c{k % 3 == 2 ? 0 : randomPositive(random), k % 3 == 1 ? 0 : randomPositive(random),
                    randomPositive(random), randomPositive(random)};
    const double Q = randomPositive(random);
    SCOPED_TRACE(testing::Message() << std::hexfloat << "B " << c.B << " m " << c.m << " i " << c.i << " n " << c.n
                                    << " Q " << Q);
    try {
      const FlowState f = describeFlow(c, normalDepth(c, Q));
      ++solved;
      EXPECT_LE(std::fabs(f.Q - Q), 4 * DBL_EPSILON * Q);
    } catch (const HydraulicsError&) {
    }
    if (c.B > 0) {
      try {
        const double h = randomPositive(random);
        Channel width = c;
        width.B = bottomWidth(c, h, Q);
        const FlowState f = describeFlow(width, h);
        ++solved;
        // Near a width of 0 the side slopes carry nearly all of Q, and Q barely depends on B.
        if (width.B > 1e-6 * c.m * h) {
          EXPECT_LE(std::fabs(f.Q - Q), 4 * DBL_EPSILON * Q);
        }
      } catch (const HydraulicsError&) {
      }
    }
  }
  EXPECT_GT(solved, 1000);
}

}  // namespace
}  // namespace channelflow::calc
