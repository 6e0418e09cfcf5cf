#include "calc/line/march.h"

#include "calc/line/standard_step.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

MessageArg lengthUnit(const Node& node) { return MessageArg::unit("length", unitsOf(node.channel.units).key); }

// The level of a section's top: a survey's lower end.
double topLevel(const Node& node) {
  if (const auto* points = std::get_if<Points>(&node.channel.shape)) return points->survey->bankElevation();
  return (node.bed.toReal() + topDepth(node.channel)).toDouble();
}

// Whether the specific energy grows with the depth at h: dE/dh = 1 - psi Q^2/g > 0.
bool subcriticalAt(const Node& node, const Real& Q, const Real& h) {
  const Channel& c = node.channel;
  Real psi;
  if (const auto* points = std::get_if<Points>(&c.shape)) {
    psi = points->survey->energySlopeFactor(h);
  } else {
    const Geometry<Real> g = geometry(c.shape, c.size, h);
    psi = g.T / (g.A * g.A * g.A);
  }
  return psi * Q * Q < Real(c.constants().g);
}

// A profile's first depth: one on the other side of critical flow starts it
// at the critical depth instead, which the note says.
NodeDepth startAt(const Node& node, const NodeCritical& critical, const Real& Q, const Real& h, bool subcritical) {
  NodeDepth start{true, h, false, {}};
  if (!critical.found) {
    if (subcritical) start = {false, {}, false, Problem{MessageId::CriticalAboveBanks, {}, {MessageArg::value(topLevel(node)), lengthUnit(node)}}};
    return start;
  }
  if (subcriticalAt(node, Q, h) != subcritical) {
    start.h = critical.least;
    start.critical = true;
    start.note = Problem{subcritical ? MessageId::StartBelowCritical : MessageId::StartAboveCritical, {},
                         {MessageArg::value(critical.least.toDouble()), lengthUnit(node)}};
  }
  return start;
}

NodeDepth depthOf(const StepResult& step, const Node& node, bool subcritical) {
  switch (step.end) {
    case StepEnd::Found: return {true, step.h, false, {}};
    case StepEnd::NoBranch:
      return {true, step.h, true,
              Problem{subcritical ? MessageId::NoSubcriticalDepth : MessageId::NoSupercriticalDepth, {},
                      {MessageArg::value(step.h.toDouble()), lengthUnit(node)}}};
    case StepEnd::AboveTop:
      return {false, {}, false, Problem{MessageId::LevelAboveSection, {}, {MessageArg::value(topLevel(node)), lengthUnit(node)}}};
    case StepEnd::NoCritical: break;
  }
  return {false, {}, false, Problem{MessageId::CriticalAboveBanks, {}, {MessageArg::value(topLevel(node)), lengthUnit(node)}}};
}

NodeDepth stoppedAt(const Node& node, bool subcritical) {
  return {false, {}, false,
          Problem{MessageId::MarchStopped, {},
                  {MessageArg::term(subcritical ? "subcritical" : "supercritical"), MessageArg::value(node.station.toDouble())}}};
}

Hydraulics<Real> stateOf(const Chain& chain, const FlowAlong& flow, std::size_t k, const Real& h) {
  return hydraulicsAt(chain.nodes[k], flow.Q[k], h);
}

}  // namespace

Real specificForce(const Node& node, const Real& Q, const Real& h) {
  const Geometry<Real> g = geometry(node.channel.shape, node.channel.size, h);
  return Q * Q / (Real(node.channel.constants().g) * g.A) + g.moment;
}

std::vector<NodeDepth> marchUpstream(const Chain& chain, const FlowAlong& flow, const Real& last) {
  const std::size_t n = chain.nodes.size();
  std::vector<NodeDepth> depths(n);
  depths[n - 1] = startAt(chain.nodes[n - 1], flow.critical[n - 1], flow.Q[n - 1], last, true);
  std::size_t stopped = depths[n - 1].known ? n : n - 1;
  for (std::size_t k = n - 1; k-- > 0;) {
    if (stopped < n) {
      depths[k] = stoppedAt(chain.nodes[stopped], true);
      continue;
    }
    const StepResult step = stepUpstream(chain, flow, k, stateOf(chain, flow, k + 1, depths[k + 1].h));
    depths[k] = depthOf(step, chain.nodes[k], true);
    if (!depths[k].known) stopped = k;
  }
  return depths;
}

std::vector<NodeDepth> marchDownstream(const Chain& chain, const FlowAlong& flow, const Real& first) {
  const std::size_t n = chain.nodes.size();
  std::vector<NodeDepth> depths(n);
  depths[0] = startAt(chain.nodes[0], flow.critical[0], flow.Q[0], first, false);
  std::size_t stopped = n;
  for (std::size_t k = 0; k + 1 < n; ++k) {
    if (stopped < n) {
      depths[k + 1] = stoppedAt(chain.nodes[stopped], false);
      continue;
    }
    const StepResult step = stepDownstream(chain, flow, k, stateOf(chain, flow, k, depths[k].h));
    depths[k + 1] = depthOf(step, chain.nodes[k + 1], false);
    if (!depths[k + 1].known) stopped = k + 1;
  }
  return depths;
}

Surface mixedSurface(const Chain& chain, const FlowAlong& flow, const std::optional<Real>& first,
                     const std::optional<Real>& last) {
  Surface surface;
  if (!first) {
    surface.nodes = marchUpstream(chain, flow, *last);
    return surface;
  }
  if (!last) {
    surface.nodes = marchDownstream(chain, flow, *first);
    return surface;
  }
  const std::size_t n = chain.nodes.size();
  const std::vector<NodeDepth> sub = marchUpstream(chain, flow, *last);
  surface.nodes.resize(n);
  // The supercritical depth arriving at node k, and at the node it left
  // its specific force less the subcritical profile's there.
  std::optional<NodeDepth> sup = startAt(chain.nodes[0], flow.critical[0], flow.Q[0], *first, false);
  std::optional<Real> leftExcess;
  for (std::size_t k = 0; k < n; ++k) {
    const Node& node = chain.nodes[k];
    std::optional<Real> excess;
    if (sup && sup->known && sub[k].known) {
      excess = specificForce(node, flow.Q[k], sup->h) - specificForce(node, flow.Q[k], sub[k].h);
    }
    const bool governs = sup && sup->known && (!sub[k].known || *excess >= Real(0));
    surface.nodes[k] = governs ? *sup : sub[k];
    if (sup && !governs && k > 0) {
      // Where the difference of the two forces passes through 0, linearly.
      Real share(leftExcess ? 1 : 0);
      if (leftExcess && excess) share = *leftExcess / (*leftExcess - *excess);
      surface.jumps.push_back({k - 1, share});
    }
    if (k + 1 == n) break;
    // On supercritical, or from the critical depth the subcritical profile
    // passes through: the flow leaves the node supercritical.
    std::optional<Real> from;
    if (governs) {
      from = sup->h;
      leftExcess = excess;
    } else if (sub[k].known && sub[k].critical) {
      from = sub[k].h;
      leftExcess = Real(0);
    }
    sup.reset();
    if (from) sup = depthOf(stepDownstream(chain, flow, k, stateOf(chain, flow, k, *from)), chain.nodes[k + 1], false);
  }
  return surface;
}

}  // namespace channelflow::calc
