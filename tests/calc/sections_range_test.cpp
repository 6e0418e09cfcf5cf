// Random channels over the whole double range: every answer is made of
// finite numbers, or is a FlowError that says why. Never a NaN, an infinity,
// a crash or another exception; and the answers are right: normal depths
// carry their Q, critical depths have Fr = 1, jumps keep their momentum.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "calc/flow_error.h"
#include "calc/jump.h"
#include "calc/profile.h"
#include "calc/solve.h"

namespace channelflow::sections {
namespace {

bool finite(const FlowState& f) {
  for (double value : {f.h, f.geometry.A, f.geometry.P, f.geometry.R, f.n, f.v, f.Q, f.Fr, f.E, f.Sf, f.tau0}) {
    if (!std::isfinite(value)) return false;
  }
  return f.geometry.A > 0 && f.v > 0 && f.Q > 0;
}

class RandomChannels {
 public:
  // 10^U(-lo, hi), a magnitude anywhere in the range.
  double magnitude(double lo, double hi) { return std::pow(10.0, std::uniform_real_distribution<double>(lo, hi)(engine_)); }

  Section section() {
    switch (std::uniform_int_distribution<int>(0, 4)(engine_)) {
      case 0: return Trapezoid{magnitude(-300, 300), magnitude(-300, 300), magnitude(-300, 300)};
      case 1: return Trapezoid{0, magnitude(-300, 300), magnitude(-3, 3)};
      case 2: return Circle{magnitude(-300, 300)};
      case 3: return UShape{magnitude(-300, 300), magnitude(-10, 10)};
      default: return Parabola{magnitude(-300, 300)};
    }
  }

  Channel channel() {
    const bool composite = std::uniform_int_distribution<int>(0, 3)(engine_) == 0;
    const Roughness r = composite ? Roughness::bedAndWalls(magnitude(-5, 1), magnitude(-5, 1)) : Roughness::uniform(magnitude(-300, 300));
    return {section(), magnitude(-300, 2), r, std::uniform_int_distribution<int>(0, 1)(engine_) ? kSiUnits : kUsUnits};
  }

 private:
  std::mt19937_64 engine_{20261209};
};

// Runs `question`; a FlowError is an answer, anything else thrown is a fault.
template <typename Question>
bool answersOrSaysWhy(Question question) {
  try {
    return question();
  } catch (const FlowError& e) {
    return std::string(e.what()).size() > 0;
  }
}

TEST(SectionsRange, RandomChannelsGiveFiniteAnswersOrAReason) {
  RandomChannels random;
  int answered = 0;
  for (int k = 0; k < 3000; ++k) {
    const Channel c = random.channel();
    const double h = random.magnitude(-300, 300);
    const double Q = random.magnitude(-300, 300);
    SCOPED_TRACE(std::string(sectionName(c.section)) + " case " + std::to_string(k));
    EXPECT_TRUE(answersOrSaysWhy([&] { return finite(uniformFlow(c, h)); }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      for (double depth : normalDepths(c, Q)) {
        const FlowState f = uniformFlow(c, depth);
        if (!finite(f) || std::fabs(f.Q - Q) > 1e-14 * Q) return false;
      }
      ++answered;
      return true;
    }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      const CriticalFlow cf = criticalFlow(c, Q);
      const bool finiteAnswer =
          std::isfinite(cf.hc) && std::isfinite(cf.vc) && std::isfinite(cf.Ec) && std::isfinite(cf.ic) && cf.hc > 0;
      // Near a circle's crown Fr swings by D/(D - h) ulp per ulp of depth:
      // no double depth does better than that.
      const double full = fullDepth(c.section);
      const double condition = std::isfinite(full) ? std::fmax(1.0, full / (full - cf.hc)) : 1.0;
      return finiteAnswer && std::fabs(flowAt(c, cf.hc, Q).Fr - 1) < 1e-14 * condition;
    }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      const HydraulicJump j = hydraulicJump(c.section, Q, h, c.units);
      const bool finiteAnswer =
          std::isfinite(j.downstream.h) && std::isfinite(j.upstream.h) && std::isfinite(j.energyLoss) && std::isfinite(j.M);
      const double M1 = momentumFunction(c.section, Q, j.upstream.h, c.units);
      const double M2 = momentumFunction(c.section, Q, j.downstream.h, c.units);
      return finiteAnswer && std::fabs(M2 - M1) <= 1e-14 * M1;
    }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      Channel unknown = c;
      unknown.section = withWidthParameter(c.section, 0);
      const UniformFlowCase solved = solveUniformFlow({unknown, h, Q}, Unknown::Width).front();
      const FlowState f = uniformFlow(solved.channel, h);
      return finite(f) && std::fabs(f.Q - Q) <= 1e-14 * Q;
    }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      const UniformFlowCase solved = solveUniformFlow({c, h, Q}, Unknown::Slope).front();
      const FlowState f = uniformFlow(solved.channel, h);
      return finite(f) && std::fabs(f.Q - Q) <= 1e-14 * Q;
    }));
    EXPECT_TRUE(answersOrSaysWhy([&] {
      const WaterSurfaceProfile p = standardStepProfile(c, Q, h, random.magnitude(-3, 3), 5);
      for (const ProfilePoint& point : p.points) {
        for (double value : {point.x, point.h, point.A, point.v, point.E, point.Fr, point.Sf}) {
          if (!std::isfinite(value)) return false;
        }
      }
      return true;
    }));
  }
  // Enough of the random channels are real ones for the test to mean something.
  EXPECT_GT(answered, 300);
}

}  // namespace
}  // namespace channelflow::sections
