#include "calc/solve.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <utility>
#include <variant>

#include "calc/flow_error.h"
#include "calc/root_finding.h"
#include "calc/scaled_product.h"

namespace channelflow::sections {
namespace {

// Finite and normal: a subnormal answer has lost the digits it is printed with.
bool representable(double value) { return std::isfinite(value) && value >= std::numeric_limits<double>::min(); }

void checkUniformChannel(const Channel& c) {
  validate(c);
  require(c.i > 0, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
}

void checkDischarge(double Q) { require(std::isfinite(Q) && Q > 0, "流量 Q 必须是大于零的有限数"); }

void checkDepth(double h) { require(std::isfinite(h) && h > 0, "水深 h 必须是大于零的有限数"); }

// A wide rectangle's depth for Q, q = h^(5/3) sqrt(i) k / n per unit width:
// a first guess that the solver's secants refine.
double depthGuess(const Channel& c, double Q) {
  const double width = widthParameter(c.section) > 0 ? widthParameter(c.section) : 1.0;
  const double n = c.roughness.composite ? c.roughness.nBed : c.roughness.n;
  const double guess = std::pow(Q * n / (c.units.manning * width * std::sqrt(c.i)), 0.6);
  return std::isfinite(guess) && guess > 0 ? guess : 1.0;
}

double solveDepthBelow(const Channel& c, double Q, double top) {
  auto excess = [&c, Q](double h) { return dischargeExcess(c, h, Q); };
  const double h = findRootFrom(excess, 0, top, std::fmin(depthGuess(c, Q), top), "正常水深超出数值范围");
  require(std::fabs(excess(h)) <= kRootResidual, "正常水深处的过水面积超出数值范围");
  return h;
}

UniformFlowCase answer(Channel c, double h, double Q) {
  uniformFlow(c, h);  // every quantity of the answer is a double
  return {std::move(c), h, Q};
}

}  // namespace

// Q grows as A^(5/3) / P^(2/3), greatest where 5 P dA = 2 A dP. With the
// wetted angle theta, A = D^2 (theta - sin theta) / 8 and P = D theta / 2,
// that is 5 theta (1 - cos theta) = 2 (theta - sin theta).
double circleDepthRatioOfGreatestDischarge() {
  static const double ratio = [] {
    auto f = [](double theta) { return 5 * theta * (1 - std::cos(theta)) - 2 * (theta - std::sin(theta)); };
    // f > 0 at theta = pi, f < 0 at theta = 2 pi: the one root between.
    const double pi = std::numbers::pi;
    const double theta = findRoot(f, {pi, 2 * pi}, f(pi), f(2 * pi), 5.28);
    return (1 - std::cos(theta / 2)) / 2;
  }();
  return ratio;
}

CircleCapacity circleCapacity(const Channel& c) {
  checkUniformChannel(c);
  const auto* circle = std::get_if<Circle>(&c.section);
  require(circle != nullptr, "最大过流能力只对圆形断面有意义");
  CircleCapacity capacity;
  capacity.hMax = circleDepthRatioOfGreatestDischarge() * circle->D;
  capacity.QMax = uniformDischarge(c, capacity.hMax, geometryAt(c.section, capacity.hMax));
  capacity.QFull = uniformDischarge(c, circle->D, geometryAt(c.section, circle->D));
  require(std::isfinite(capacity.QMax) && capacity.QFull >= std::numeric_limits<double>::min(),
          "圆管的过流能力超出数值范围");
  return capacity;
}

std::vector<double> normalDepths(const Channel& c, double Q) {
  checkUniformChannel(c);
  checkDischarge(Q);
  const auto* circle = std::get_if<Circle>(&c.section);
  if (circle == nullptr) return {solveDepthBelow(c, Q, HUGE_VAL)};
  const CircleCapacity capacity = circleCapacity(c);
  if (Q > capacity.QMax) {
    throw FlowError("流量 Q 超过圆管的最大过流能力 Qmax = " + numberText(capacity.QMax) + " " +
                    std::string(c.units.discharge) + "（水深 " + numberText(capacity.hMax) + " " +
                    std::string(c.units.length) + "，约 0.938 D 时）");
  }
  const double lower = solveDepthBelow(c, Q, capacity.hMax);
  if (Q <= capacity.QFull) return {lower};
  // Above the greatest discharge Q falls again toward the full conduit's.
  auto falling = [&c, Q](double h) { return dischargeExcess(c, h, Q); };
  const double upper = findRoot(falling, {capacity.hMax, circle->D}, capacity.QMax / Q - 1, capacity.QFull / Q - 1,
                                0.5 * (capacity.hMax + circle->D));
  return {lower, upper};
}

std::vector<UniformFlowCase> solveUniformFlow(const UniformFlowCase& known, Unknown unknown) {
  const Channel& c = known.channel;
  switch (unknown) {
    case Unknown::Discharge: {
      checkDepth(known.h);
      const FlowState f = uniformFlow(c, known.h);
      return {{c, known.h, f.Q}};
    }
    case Unknown::Depth: {
      std::vector<UniformFlowCase> cases;
      for (double h : normalDepths(c, known.Q)) cases.push_back(answer(c, h, known.Q));
      return cases;
    }
    case Unknown::Slope: {
      validate(c);
      checkDepth(known.h);
      checkDischarge(known.Q);
      const Geometry g = geometryAt(c.section, known.h);
      Channel solved = c;
      solved.i = frictionSlope(c, known.h, g, known.Q);  // Q = K sqrt(i)
      require(representable(solved.i), "所需的渠底坡度 i 超出数值范围");
      return {answer(solved, known.h, known.Q)};
    }
    case Unknown::Roughness: {
      require(!c.roughness.composite, "复合糙率不能作为未知量：请给出单一的粗糙系数 n");
      checkUniformChannel({c.section, c.i, Roughness::uniform(1), c.units});
      checkDepth(known.h);
      checkDischarge(known.Q);
      const Geometry g = geometryAt(c.section, known.h);
      Channel solved = c;
      solved.roughness = Roughness::uniform(1);
      // n = k A R^(2/3) sqrt(i) / Q.
      solved.roughness.n = scaledProduct({g.A, c.units.manning, std::pow(g.R, 2.0 / 3.0), std::sqrt(c.i)}, {known.Q});
      require(representable(solved.roughness.n), "所需的粗糙系数 n 超出数值范围");
      return {answer(solved, known.h, known.Q)};
    }
    case Unknown::Width: {
      checkDepth(known.h);
      checkDischarge(known.Q);
      validate(Channel{withWidthParameter(c.section, 1), c.i, c.roughness, c.units});
      require(c.i > 0, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
      const double Q = known.Q;
      const double h = known.h;
      auto excess = [&c, h, Q](double width) {
        return dischargeExcess({withWidthParameter(c.section, width), c.i, c.roughness, c.units}, h, Q);
      };
      // The smallest size the section can take at this depth: a circle no
      // narrower than the depth, the others down to nothing (the trapezoid
      // and the U shape then being the triangle of their walls).
      const bool circle = std::holds_alternative<Circle>(c.section);
      const double smallest = circle ? h : 0;
      const double atSmallest = circle ? excess(h) : excess(std::numeric_limits<double>::denorm_min());
      if (atSmallest >= 0) {
        if (circle) throw FlowError("该水深下即使管径等于水深（满管）流量也已超过 Q：任何管径都不能以此水深输送 Q");
        const bool trapezoid = std::holds_alternative<Trapezoid>(c.section);
        throw FlowError(std::string("该水深下仅两侧边坡部分的流量已超过 Q：所需的") +
                        (trapezoid ? "底宽 B" : "底弧半径 r") + " 为负");
      }
      const double guess = std::fmax(widthParameter(c.section), smallest);
      const double width = findRootFrom(excess, smallest, HUGE_VAL, guess > smallest ? guess : smallest * 2 + 1,
                                        "所需的断面尺寸超出数值范围");
      require(std::fabs(excess(width)) <= kRootResidual, "所需断面尺寸下的过水面积超出数值范围");
      require(representable(width), "所需的断面尺寸超出数值范围");
      return {answer({withWidthParameter(c.section, width), c.i, c.roughness, c.units}, h, known.Q)};
    }
  }
  throw FlowError("未知量无效");
}

}  // namespace channelflow::sections
