// The toolkit against published worked examples and the physics it must obey.
#include "calc/hydraulics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace channelflow::calc {
namespace {

// Beyond the double range this core computes in long double, whose pow the C
// library of the WebAssembly build (musl, 128-bit long double) takes from the
// double one: range and digits are lost there.
[[maybe_unused]] constexpr const char* kLongDoublePowIsDouble = "long double pow is a double pow in this C library";

TEST(Hydraulics, PublishedWorkedExamples) {
  // Trapezoid B 3 m, m 2, i 0.0005, n 0.013, h 1.83 m: Q about 22.20 m^3/s.
  EXPECT_NEAR(describeFlow({3, 2, 0.0005, 0.013}, 1.83).Q, 22.20, 0.005);
  // Trapezoid B 6.1 m, m 1.5, i 0.0008, n 0.013 carrying 126 m^3/s: normal depth 3.2864 m.
  EXPECT_NEAR(normalDepth({6.1, 1.5, 0.0008, 0.013}, 126), 3.2864, 0.00005);
  // Rectangle 3.5 m wide, 2 m deep, i 0.001, n 0.017.
  const FlowState rectangle = describeFlow({3.5, 0, 0.001, 0.017}, 2);
  EXPECT_NEAR(rectangle.Q, 12.4358, 0.00005);
  EXPECT_NEAR(rectangle.v, 1.77654, 0.000005);
  EXPECT_NEAR(rectangle.Fr, 0.401144, 0.0000005);
  EXPECT_NEAR(rectangle.hc, 1.08784, 0.000005);
  EXPECT_EQ(rectangle.regime, FlowRegime::Subcritical);
  // A rectangle's critical depth has the closed form (q^2/g)^(1/3).
  EXPECT_NEAR(rectangle.hc, std::cbrt(std::pow(rectangle.Q / 3.5, 2) / kGravity), 1e-12);
}

TEST(Hydraulics, FlowAtCriticalDepthIsCritical) {
  for (const Channel& channel : {Channel{2, 1, 0.001, 0.025}, Channel{0, 2, 0.01, 0.014}, Channel{5, 0, 0.02, 0.03}}) {
    for (double Q : {0.01, 1.0, 50.0, 3000.0}) {
      const double hc = criticalDepth(channel.B, channel.m, Q);
      // Q^2 T = g A^3 at hc, so Fr = 1 there.
      const double A = (channel.B + channel.m * hc) * hc;
      const double T = channel.B + 2 * channel.m * hc;
      EXPECT_NEAR(Q / A / std::sqrt(kGravity * A / T), 1.0, 1e-9) << Q;
    }
  }
  // A slope steep enough makes the normal flow supercritical.
  EXPECT_EQ(describeFlow({2, 1, 0.05, 0.012}, 0.5).regime, FlowRegime::Supercritical);
}

// The classical closed forms: (q^2/g)^(1/3) for a rectangle with q = Q/B, and
// (2Q^2/(g m^2))^(1/5) for a triangle, over discharges far from everyday ones
// too, where A^3 or Q^2 alone would leave the range of a double.
TEST(Hydraulics, CriticalDepthOfRectangleAndTriangle) {
#if defined(__EMSCRIPTEN__)
  GTEST_SKIP() << kLongDoublePowIsDouble;
#endif
  for (double Q : {1e-200, 1e-60, 1e-3, 2.5, 700.0, 1e60, 1e200}) {
    SCOPED_TRACE(Q);
    const double q = Q / 3.5;
    const double rectangle = std::cbrt(q / std::sqrt(kGravity)) * std::cbrt(q / std::sqrt(kGravity));
    EXPECT_NEAR(criticalDepth(3.5, 0, Q), rectangle, 1e-11 * rectangle);
    const double triangle = std::pow(std::sqrt(2 / kGravity) * Q / 1.5, 0.4);
    EXPECT_NEAR(criticalDepth(0, 1.5, Q), triangle, 1e-11 * triangle);
  }
}

// Every answer is a set of finite numbers; anything else is an error that
// says so, never an infinity handed on to the text form.
TEST(Hydraulics, ExtremeChannelsAnswerInFiniteNumbersOrSayWhy) {
#if defined(__EMSCRIPTEN__)
  GTEST_SKIP() << kLongDoublePowIsDouble;
#endif
  struct Row {
    const char* name;
    Channel channel;
    double h;
    bool answers;
  };
  const Row rows[] = {
      {"very deep", {2, 1, 0.001, 0.025}, 1e100, true},
      {"film of water", {2, 1, 0.001, 0.025}, 1e-120, true},
      {"velocity squared overflows", {1, 0, 0.001, 1e-300}, 1e-100, false},
      {"discharge overflows", {2, 1, 0.001, 0.025}, 1e130, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      const FlowState f = describeFlow(row.channel, row.h);
      EXPECT_TRUE(row.answers);
      for (double x : {f.A, f.P, f.R, f.T, f.D, f.C, f.v, f.Q, f.Fr, f.hc, f.E, f.tau0}) EXPECT_TRUE(std::isfinite(x));
      EXPECT_GT(f.hc, 0);
    } catch (const HydraulicsError& error) {
      EXPECT_FALSE(row.answers) << error.what();
      EXPECT_NE(std::string(error.what()).find("超出数值范围"), std::string::npos) << error.what();
    }
  }
}

TEST(Hydraulics, SolversInvertTheForwardCalculation) {
  const Channel channels[] = {{2, 1, 0.001, 0.025}, {0.3, 0, 0.0001, 0.011}, {0, 1.5, 0.03, 0.05}, {40, 3, 1e-5, 0.035}};
  for (const Channel& channel : channels) {
    double previousQ = 0;
    for (double h : {0.001, 0.05, 0.7, 3.0, 25.0}) {
      const double Q = dischargeAt(channel, h);
      EXPECT_GT(Q, previousQ);  // discharge grows strictly with depth
      previousQ = Q;
      EXPECT_NEAR(normalDepth(channel, Q), h, 1e-11 * h) << channel.B << ' ' << h;
      if (channel.B > 0) {
        EXPECT_NEAR(bottomWidth(channel, h, Q), channel.B, 1e-10 * channel.B) << h;
      }
    }
  }
}

TEST(Hydraulics, ImpossibleQuestionsSayWhyInChinese) {
  struct Row {
    const char* name;
    std::function<void()> ask;
    const char* messagePart;
  };
  const double inf = INFINITY;
  const Row rows[] = {
      {"flat bed", [] { normalDepth({2, 1, 0, 0.025}, 1); }, "渠底坡度"},
      {"adverse bed", [] { describeFlow({2, 1, -0.001, 0.025}, 1); }, "逆坡"},
      {"zero n", [] { normalDepth({2, 1, 0.001, 0}, 1); }, "粗糙系数"},
      {"zero Q", [] { normalDepth({2, 1, 0.001, 0.025}, 0); }, "流量"},
      {"no section", [] { normalDepth({0, 0, 0.001, 0.025}, 1); }, "同时为零"},
      {"negative width", [] { describeFlow({-1, 1, 0.001, 0.025}, 1); }, "下底宽"},
      {"dry", [] { describeFlow({2, 1, 0.001, 0.025}, 0); }, "水深"},
      {"not finite", [inf] { normalDepth({2, 1, 0.001, 0.025}, inf); }, "有限"},
      {"NaN", [] { describeFlow({2, NAN, 0.001, 0.025}, 1); }, "有限"},
      {"side slopes alone carry more", [] { bottomWidth({0, 2, 0.01, 0.013}, 2, 1); }, "底宽为负"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      row.ask();
      ADD_FAILURE() << "answered";
    } catch (const HydraulicsError& error) {
      EXPECT_NE(std::string(error.what()).find(row.messagePart), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace channelflow::calc
