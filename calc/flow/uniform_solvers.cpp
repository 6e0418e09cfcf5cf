// The unknowns other than the depth: the discharge, the bed slope and n in
// closed form, and the section's size by its own root.
#include "calc/flow/uniform_solvers.h"

#include <cmath>
#include <limits>
#include <variant>

#include "calc/flow/flow_state.h"
#include "calc/flow/root_finding.h"
#include "calc/flow/solver_setup.h"

namespace channelflow::calc {
namespace {

// "B", "diameter", "r" or "p": the size's quantity.
const char* sizeKey(const Shape& shape) {
  constexpr const char* kKeys[] = {"B", "diameter", "r", "p", "points"};
  return kKeys[shape.index()];
}

Channel withSize(Channel c, const Real& size) {
  c.size = size;
  return c;
}

// The size that carries Q at depth h: K sqrt(i) / Q - 1 rises with the size.
Real solveSize(const Channel& c, const Real& Q, const Real& h) {
  auto excess = [&c, &Q, &h](const auto& size) {
    using Number = std::remove_cvref_t<decltype(size)>;
    const Geometry<Number> g = geometry(c.shape, size, as<Number>(h));
    if (!(g.A > Number(0))) return Number(-1);
    return conveyance(c, g) * numeric::sqrt(as<Number>(c.i)) / as<Number>(Q) - Number(1);
  };
  // The smallest size the section can take at this depth: a circle no
  // narrower than the depth, the others down to nothing (the trapezoid and
  // the U shape then being the triangle of their walls).
  const bool circle = isClosed(c.shape);
  const double depth = h.toDouble();
  const double smallest = circle ? depth : 0;
  const double atSmallest = excess(Real(circle ? depth : std::numeric_limits<double>::denorm_min())).toDouble();
  if (atSmallest >= 0) {
    if (circle) fail(MessageId::NoDiameter, "h");
    fail(MessageId::NegativeSize, std::holds_alternative<Trapezoid>(c.shape) ? "B" : "r",
         {MessageArg::quantity(std::holds_alternative<Trapezoid>(c.shape) ? "B" : "r")});
  }
  const double given = c.size.toDouble();
  const double guess = given > smallest ? given : smallest * 2 + 1;
  const double size = findRootFrom(firstStage(excess, fitsDoubles(c, Q.toDouble()) && depth > 0x1p-120 && depth < 0x1p120),
                                   smallest, HUGE_VAL, guess, sizeKey(c.shape));
  return polishRoot(excess, size, smallest, HUGE_VAL);
}

}  // namespace

std::vector<UniformSolution> solveUniformFlow(const Channel& c, Unknown unknown, const Real& Q, const Real& h) {
  switch (unknown) {
    case Unknown::Discharge:
      return {{c, h, conveyance(c, geometry(c.shape, c.size, h)) * numeric::sqrt(c.i)}};
    case Unknown::Depth: {
      std::vector<UniformSolution> answers;
      for (const Real& depth : normalDepths(c, Q)) answers.push_back({c, depth, Q});
      return answers;
    }
    case Unknown::Slope: {
      Channel solved = c;
      const Real root = Q / conveyance(c, geometry(c.shape, c.size, h));  // Q = K sqrt(i)
      solved.i = root * root;
      return {{solved, h, Q}};
    }
    case Unknown::Roughness: {
      Channel solved = c;
      solved.roughness = Roughness{false, Real(1), 0, 0};
      // n = k A R^(2/3) sqrt(i) / Q: the conveyance with n = 1.
      solved.roughness.n = conveyance(solved, geometry(c.shape, c.size, h)) * numeric::sqrt(c.i) / Q;
      return {{solved, h, Q}};
    }
    case Unknown::Size:
      return {{withSize(c, solveSize(c, Q, h)), h, Q}};
  }
  fail(MessageId::NoAnswer);
}

}  // namespace channelflow::calc
