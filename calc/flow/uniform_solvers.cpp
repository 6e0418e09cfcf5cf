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
  constexpr const char* kKeys[] = {"B", "diameter", "r", "p", "points", "B", "r"};
  return kKeys[shape.index()];
}

Channel withSize(Channel c, const Real& size) {
  c.size = size;
  return c;
}

// The widest arch of the given height and roof: a semicircle as high as the
// crown, or the roof's whole diameter when its half circle fits under the
// crown, or else the chord whose rise is H, (B/2)^2 = H (2 Ra - H).
double widestArch(const Arch& a) {
  if (!(a.Ra > 0)) return a.H + a.H;
  if (a.Ra <= a.H) return a.Ra + a.Ra;
  return 2 * numeric::sqrt(a.H * (a.Ra + a.Ra - a.H));
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
  // narrower than the depth, a horseshoe half as tall, the others down to
  // nothing (the trapezoid and the U shape then being the triangle of their
  // walls). An arch's height stays as given: it is no wider than the widest
  // roof of its radius that fits under its crown.
  const bool pipe = std::holds_alternative<Circle>(c.shape);
  const bool horseshoe = std::holds_alternative<Horseshoe>(c.shape);
  const double depth = h.toDouble();
  const double smallest = pipe ? depth : horseshoe ? depth * 0.5 : 0;
  const Real atSmallest = excess(pipe || horseshoe ? Real(smallest) : Real(std::numeric_limits<double>::denorm_min()));
  if (atSmallest >= Real(0)) {
    if (pipe) fail(MessageId::NoDiameter, "h");
    if (horseshoe) fail(MessageId::NoConduitSize, "h");
    fail(MessageId::NegativeSize, std::holds_alternative<Trapezoid>(c.shape) ? "B" : "r",
         {MessageArg::quantity(std::holds_alternative<Trapezoid>(c.shape) ? "B" : "r")});
  }
  double largest = HUGE_VAL;
  if (const auto* arch = std::get_if<Arch>(&c.shape)) {
    largest = widestArch(*arch);
    if (excess(Real(largest)) < Real(0)) {
      const char* system = c.units == UnitSystem::US ? "us" : "si";
      fail(MessageId::ArchTooNarrow, "h", {MessageArg::value(largest), MessageArg::unit("length", system)});
    }
  }
  const double given = c.size.toDouble();
  const double guess = given > smallest && given < largest ? given : std::fmin(smallest * 2 + 1, largest * 0.5);
  const double size = findRootFrom(firstStage(excess, fitsDoubles(c, Q.toDouble()) && depth > 0x1p-120 && depth < 0x1p120),
                                   smallest, largest, guess, sizeKey(c.shape));
  return polishRoot(excess, size, smallest, largest);
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
