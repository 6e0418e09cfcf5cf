// The levels of a canal line's three flows: the design flow in practice's
// way (normal depth in every section, each gap's fall from those depths, h_f
// = i L), which lays the bed; then the enlarged and minimum flows on that
// bed, upstream from the tail by the standard step.
#include <map>
#include <tuple>

#include "calc/canal/canal_line.h"
#include "calc/canal/line_compute.h"
#include "calc/canal/line_links.h"
#include "calc/flow/critical.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/line/friction_loss.h"
#include "calc/line/standard_step.h"
#include "calc/structures/chute.h"

namespace channelflow::calc {
namespace {

using structures::FlowCase;

MessageArg metres(const Real& x) { return MessageArg::value(x.toDouble()); }
MessageArg metreUnit() { return MessageArg::unit("length", "si"); }

}  // namespace

LineComputer::LineComputer(CanalLine& line) : line_(line), n_(line.chain.nodes.size()) {}

const Real& LineComputer::flowAt(std::size_t k, FlowCase f) const {
  return line_.segments[line_.nodes[k].segment].Q[static_cast<std::size_t>(f)];
}

// Nodes that share a section (or a structure's barrel) and a segment share
// their normal and critical depths.
std::tuple<int, std::size_t, std::size_t, int> LineComputer::keyOf(std::size_t k, FlowCase f) const {
  const LineNode& node = line_.nodes[k];
  const bool canal = node.section.has_value();
  return {canal ? 0 : 1, canal ? *node.section : *node.structure, node.segment, static_cast<int>(f)};
}

const LineComputer::Depth& LineComputer::normalDepth(std::size_t k, FlowCase f) {
  const auto key = keyOf(k, f);
  auto found = normal_.find(key);
  if (found != normal_.end()) return found->second;
  Depth depth;
  try {
    depth.h = normalDepths(line_.chain.nodes[k].channel, flowAt(k, f)).front();
  } catch (const CalcError& error) {
    depth.why = error.problem();
  }
  return normal_.emplace(key, depth).first->second;
}

const NodeCritical& LineComputer::critical(std::size_t k, FlowCase f) {
  const auto key = keyOf(k, f);
  auto found = critical_.find(key);
  if (found != critical_.end()) return found->second;
  const Channel& c = line_.chain.nodes[k].channel;
  const Real& Q = flowAt(k, f);
  NodeCritical critical;
  try {
    critical.depths = criticalDepths(c, Q);
    critical.found = true;
    critical.least = criticalDepth(c, Q);
  } catch (const CalcError& error) {
    if (error.problem().id != MessageId::CriticalAboveBanks) throw;
  }
  return critical_.emplace(key, critical).first->second;
}

// The chute's end: its profile from the critical depth at its crest down its length.
LineComputer::Depth LineComputer::chuteEnd(std::size_t structure, FlowCase f) {
  const LineStructure& s = line_.structures[structure];
  const std::size_t inDown = line_.rows[s.inRow].down;
  structures::ChuteInput in;
  in.g = line_.settings.g;
  in.chute = s.barrel;
  in.Q = flowAt(inDown, f).toDouble();
  in.L = s.L.toDouble();
  Depth depth;
  try {
    const structures::ChuteResult r = structures::chute(in);
    if (r.profile.points.empty()) {
      depth.why = Problem{MessageId::ChuteNotSteep, "", {metres(r.hn), metres(r.hc), metreUnit()}};
    } else {
      depth.h = Real(r.profile.points.back().h);
    }
  } catch (const CalcError& error) {
    depth.why = error.problem();
  }
  return depth;
}

// The drop's crest: the depth over it by the broad-crested weir of N.1.1
// where its width is given, else the critical depth of the canal ending there.
LineComputer::Depth LineComputer::crestDepth(std::size_t k, const LineStructure& s, FlowCase f) {
  Depth depth;
  const Real& Q = flowAt(k, f);
  if (!s.crest) {
    const NodeCritical& c = critical(k, f);
    if (c.found) {
      depth.h = c.least;
    } else {
      depth.why = Problem{MessageId::NoAnswer, "", {}};
    }
    return depth;
  }
  structures::DropInput in = *s.crest;
  in.Q = Q.toDouble();
  const Depth& normal = normalDepth(k, f);
  if (normal.h) in.v1 = (Q / geometry(line_.chain.nodes[k].channel.shape, line_.chain.nodes[k].channel.size, *normal.h).A).toDouble();
  try {
    depth.h = structures::drop(in).h1;
  } catch (const CalcError& error) {
    depth.why = error.problem();
  }
  return depth;
}

Real LineComputer::gateFall(const LineStructure& s, const Real& Q, const Real& hs) const {
  if (!s.opening) return *s.gateLoss;
  return structures::gateHead(*s.opening, Q.toDouble(), hs.toDouble()).loss;
}

namespace {

// The losses of a step's links by term; `practice` takes friction as i L.
RowFall lossesOf(const Links& links, Booking booking, const Hydraulics<Real>& a, const Hydraulics<Real>& b, bool practice,
                 const Real& slope) {
  RowFall f;
  for (const auto& link : links) {
    if (const auto* friction = dynamic_cast<const FrictionLoss*>(link.get())) {
      const Real value = practice ? slope * friction->length(a, b) : friction->loss(a, b);
      (booking == Booking::Barrel ? f.hs : f.hf) += value;
    } else if (dynamic_cast<const BendLoss*>(link.get())) {
      f.hw += link->loss(a, b);
    } else if (dynamic_cast<const TransitionLoss*>(link.get())) {
      f.htr += link->loss(a, b);
    } else if (const auto* siphon = dynamic_cast<const SiphonLoss*>(link.get())) {
      // ΔZ2 = z + (v² - v2²)/2g to the barrels' outlet; the rest is the outlet transition's (-ΔZ3).
      const Real dZ2 = siphon->pipeLoss(a.Q) + siphon->barrelHead(a.Q) - a.head;
      f.hs += dZ2;
      f.htr += link->loss(a, b) + b.head - a.head - dZ2;
    } else {
      (booking == Booking::Barrel ? f.hs : f.hr) += link->loss(a, b);
    }
  }
  return f;
}

void addTerms(RowFall& sum, const RowFall& f) {
  sum.hf += f.hf;
  sum.hw += f.hw;
  sum.htr += f.htr;
  sum.hs += f.hs;
  sum.hgate += f.hgate;
  sum.hr += f.hr;
  sum.dhv += f.dhv;
}

// The change of velocity head across a step, booked as the step is: along a
// reach it stands apart, across a transition or a structure it is part of its fall.
void bookHeadChange(RowFall& f, Booking booking, const Real& change) {
  switch (booking) {
    case Booking::Reach: f.dhv += change; break;
    case Booking::Point: f.htr += change; break;
    case Booking::Barrel: f.hs += change; break;
    case Booking::Siphon: break;
  }
  f.dz = f.hf + f.hw + f.htr + f.hs + f.hgate + f.hr + f.dhv;
}

constexpr double kShortestStep = 1;     // m: a sub-step is halved no further
constexpr double kDepthChange = 0.02;   // a sub-step changing the depth more is halved

}  // namespace

// A step's fall by term. Practice's design march takes friction as i L; a
// transition's or a structure's fall includes the change of velocity head.
RowFall LineComputer::stepFall(std::size_t k, const Hydraulics<Real>& a, const Hydraulics<Real>& b, bool practice) const {
  const LineGap& gap = line_.gaps[k];
  RowFall f = lossesOf(line_.chain.gaps[k], gap.booking, a, b, practice, line_.chain.nodes[k].channel.i);
  f.known = true;
  bookHeadChange(f, gap.booking, b.head - a.head);
  return f;
}

// The standard step over gap k, searched from the known depth (a canal's
// changes little from node to node): one step where it changes the depth by 2 %
// or less (the method's rule), else sub-steps halved down to 1 m until each
// does, and none longer than the setting's where it is given (the method's
// 5–50 m); each sub-step with the friction of its own length, the gap's
// other losses on the first (at the known node), and a bed laid straight
// between the two nodes.
LineComputer::StepOutcome LineComputer::stepGap(std::size_t k, FlowCase f, const NodeWater& below, const FlowAlong& along,
                                                const LineResult& result) {
  const Links& links = line_.chain.gaps[k];
  const FrictionLoss* friction = nullptr;
  for (const auto& link : links) {
    if (const auto* found = dynamic_cast<const FrictionLoss*>(link.get())) friction = found;
  }
  const Node& upper = line_.chain.nodes[k];
  const Real& Q = flowAt(k, f);
  StepOutcome out;
  const Real L = friction ? friction->length(below.x, below.x) : Real(0);
  const std::optional<double>& cap = line_.settings.maxStep;
  const auto whole = [&] {
    out.step = stepUpstream(line_.chain, along, k, below.x, below.h.toDouble());
    if (out.step.end == StepEnd::Found) out.fall = stepFall(k, hydraulicsAt(upper, Q, out.step.h), below.x, false);
  };
  const bool capped = cap && *cap > 0 && L > Real(*cap);
  if (!friction || (cap && *cap == 0) || !(L > Real(kShortestStep))) {
    whole();
    return out;
  }
  if (!capped) {
    // A step that finds no depth may find one in shorter steps: a profile near its control.
    whole();
    if (out.step.end == StepEnd::Found && !(abs(out.step.h - below.h) > below.h * Real(kDepthChange))) return out;
  }
  const double longest = capped ? *cap : (L / 2).toDouble();
  const Booking booking = line_.gaps[k].booking;
  const double manning = unitsOf(UnitSystem::SI).manning;
  const Real bedUp = *result.bed[k], bedDown = *result.bed[k + 1];
  const Real stationDown = line_.chain.nodes[k + 1].station.toReal();
  const NodeCritical& critical = this->critical(k, f);
  Chain sub;
  sub.nodes = {upper, line_.chain.nodes[k + 1]};
  FlowAlong subAlong{{Q, Q}, {critical, along.critical[k + 1]}};
  Hydraulics<Real> known = below.x;
  Real done(0);
  double length = longest;
  RowFall fall;
  bool first = true;
  while (done < L) {
    const Real ell = L - done < Real(length) ? L - done : Real(length);
    const bool last = !(done + ell < L);
    calc::Node& to = sub.nodes[0];
    to = upper;
    if (!last) {
      const Real share = (done + ell) / L;
      to.station = numeric::Decimal::ofReal(stationDown - (done + ell));
      to.bed = numeric::Decimal::ofReal(bedDown + (bedUp - bedDown) * share);
    }
    Links subLinks;
    subLinks.push_back(std::make_unique<FrictionLoss>(ell, line_.settings.rule, manning));
    if (first) {
      for (const auto& link : links) {
        if (link.get() != friction) subLinks.push_back(std::make_unique<BorrowedLink>(*link));
      }
    }
    sub.gaps.clear();
    sub.gaps.push_back(std::move(subLinks));
    const StepResult r = stepUpstream(sub, subAlong, 0, known, known.h.toDouble());
    if (r.end != StepEnd::Found) {
      out.step = r;
      return out;
    }
    if (ell > Real(kShortestStep) && abs(r.h - known.h) > known.h * Real(kDepthChange)) {
      length = ell.toDouble() / 2;
      continue;
    }
    const Hydraulics<Real> x = hydraulicsAt(to, Q, r.h);
    addTerms(fall, lossesOf(sub.gaps[0], booking, x, known, false, Real(0)));
    known = x;
    sub.nodes[1] = to;
    subAlong.critical[1] = critical;
    done += ell;
    first = false;
    length = length * 2 < longest ? length * 2 : longest;  // the profile flattens away from a control
  }
  fall.known = true;
  bookHeadChange(fall, booking, below.x.head - known.head);
  out.step = {StepEnd::Found, known.h};
  out.fall = fall;
  return out;
}

RowFall LineComputer::relationFall(std::size_t k, const Real& fall) const {
  RowFall f;
  f.known = true;
  switch (line_.gaps[k].kind) {
    case GapKind::Gate: f.hgate = fall; break;
    case GapKind::Continuity: break;
    default: f.hs = fall; break;
  }
  f.dz = fall;
  return f;
}

NodeWater LineComputer::waterAt(std::size_t k, FlowCase f, const Real& h) const {
  NodeWater w;
  w.known = true;
  w.h = h;
  w.x = hydraulicsAt(line_.chain.nodes[k], flowAt(k, f), h);
  return w;
}

NodeWater LineComputer::without(Problem why) {
  NodeWater w;
  w.note = std::move(why);
  return w;
}

// The design flow: each node's depth (normal, or a chute's control), each
// gap's fall from them, the levels from the one known, and the bed.
void LineComputer::design(LineResult& result) {
  LineFlowResult& flow = result.flows[0];
  flow.which = FlowCase::Design;
  flow.nodes.resize(n_);
  std::vector<RowFall> gapFalls(n_ > 0 ? n_ - 1 : 0);
  for (std::size_t k = 0; k < n_; ++k) {
    const GapKind before = k > 0 ? line_.gaps[k - 1].kind : GapKind::Step;
    Depth depth;
    if (before == GapKind::ChuteInlet) {
      const NodeCritical& c = critical(k, FlowCase::Design);
      depth.h = c.least;
    } else if (before == GapKind::ChuteBarrel) {
      depth = chuteEnd(*line_.gaps[k - 1].structure, FlowCase::Design);
    } else {
      depth = normalDepth(k, FlowCase::Design);
    }
    flow.nodes[k] = depth.h ? waterAt(k, FlowCase::Design, *depth.h) : without(*depth.why);
    if (before == GapKind::ChuteInlet) flow.nodes[k].critical = true;
  }
  // Each gap's fall, from the depths at its ends (a relation's from the beds it keeps).
  for (std::size_t k = 0; k + 1 < n_; ++k) {
    const NodeWater& a = flow.nodes[k];
    const NodeWater& b = flow.nodes[k + 1];
    const LineGap& gap = line_.gaps[k];
    const Real Q = flowAt(k, FlowCase::Design);
    if (!a.known || !b.known) {
      // What needs no depth: friction as i L and reserved losses; the rest left out, and said.
      RowFall f;
      f.known = true;
      if (gap.kind == GapKind::Step) {
        for (const auto& link : line_.chain.gaps[k]) {
          if (const auto* friction = dynamic_cast<const FrictionLoss*>(link.get())) {
            (gap.booking == Booking::Barrel ? f.hs : f.hf) +=
                line_.chain.nodes[k].channel.i * friction->length(a.x, a.x);
          } else if (const auto* fixed = dynamic_cast<const FixedLoss*>(link.get())) {
            (gap.booking == Booking::Barrel ? f.hs : f.hr) += fixed->value();
          }
        }
      }
      f.dz = f.hf + f.hs + f.hr;
      gapFalls[k] = f;
      continue;
    }
    switch (gap.kind) {
      case GapKind::Step:
        gapFalls[k] = stepFall(k, a.x, b.x, true);
        break;
      case GapKind::ChuteInlet:
      case GapKind::ChuteExit:
        gapFalls[k] = relationFall(k, a.h - b.h);  // the floor runs on
        break;
      case GapKind::ChuteBarrel:
        gapFalls[k] = relationFall(k, a.h + line_.structures[*gap.structure].barrel.i * line_.structures[*gap.structure].L - b.h);
        break;
      case GapKind::DropFall:
        gapFalls[k] = relationFall(k, a.h + line_.structures[*gap.structure].fall - b.h);
        break;
      case GapKind::Gate: {
        Real fall;
        try {
          fall = gateFall(line_.structures[*gap.structure], Q, b.h);
        } catch (const CalcError& error) {
          flow.nodes[k].note = error.problem();
        }
        gapFalls[k] = relationFall(k, fall);
        break;
      }
      case GapKind::Continuity: gapFalls[k] = relationFall(k, Real(0)); break;
    }
  }
  // The levels, from the node where one is known, both ways.
  const std::size_t c = *line_.controlNode;
  std::vector<Real> level(n_);
  level[c] = (line_.settings.headLevel ? *line_.settings.headLevel : *line_.settings.controlLevel).toReal();
  for (std::size_t k = c; k + 1 < n_; ++k) level[k + 1] = level[k] - gapFalls[k].dz;
  for (std::size_t k = c; k-- > 0;) level[k] = level[k + 1] + gapFalls[k].dz;
  result.bed.assign(n_, std::nullopt);
  for (std::size_t k = 0; k < n_; ++k) {
    NodeWater& w = flow.nodes[k];
    w.wse = level[k];
    if (!w.known) continue;
    const Real bed = level[k] - w.h;
    result.bed[k] = bed;
    line_.chain.nodes[k].bed = numeric::Decimal::ofReal(bed);
  }
  gapFalls_[0] = std::move(gapFalls);
}

// The tail's depth at a flow on the fixed bed: the boundary given, or normal depth.
NodeWater LineComputer::tail(FlowCase f, const std::vector<Boundary>& boundaries, const LineResult& result) {
  const std::size_t k = n_ - 1;
  if (!result.bed[k]) return without(Problem{MessageId::LineNoBed, "", {}});
  Real h;
  if (!boundaries.empty()) {
    const Boundary& b = boundaries[boundaries.size() == 1 ? 0 : static_cast<std::size_t>(f) - 1];
    Node node = line_.chain.nodes[k];
    h = boundaryDepth(b, node, flowAt(k, f), "tail");
  } else {
    const Depth& normal = normalDepth(k, f);
    if (!normal.h) return without(*normal.why);
    h = *normal.h;
  }
  NodeWater w = waterAt(k, f, h);
  const NodeCritical& c = critical(k, f);
  if (c.found && h < c.least && !line_.settings.uniform) {
    w = waterAt(k, f, c.least);
    w.critical = true;
    w.note = Problem{MessageId::StartBelowCritical, "", {metres(c.least), metreUnit()}};
  }
  return w;
}

// The enlarged or the minimum flow on the bed the design flow laid, upstream from the tail.
void LineComputer::fixedBed(LineResult& result, FlowCase f, const std::vector<Boundary>& boundaries) {
  LineFlowResult& flow = result.flows[static_cast<std::size_t>(f)];
  flow.which = f;
  flow.nodes.assign(n_, NodeWater{});
  flow.along.Q.resize(n_);
  flow.along.critical.resize(n_);
  for (std::size_t k = 0; k < n_; ++k) {
    flow.along.Q[k] = flowAt(k, f);
    flow.along.critical[k] = critical(k, f);
  }
  std::vector<RowFall> gapFalls(n_ > 0 ? n_ - 1 : 0);
  std::vector<NodeWater>& water = flow.nodes;
  water[n_ - 1] = tail(f, boundaries, result);
  if (water[n_ - 1].known) water[n_ - 1].wse = *result.bed[n_ - 1] + water[n_ - 1].h;
  const bool uniform = line_.settings.uniform;
  for (std::size_t k = n_ - 1; k-- > 0;) {
    NodeWater& w = water[k];
    const LineGap& gap = line_.gaps[k];
    const Real& Q = flowAt(k, f);
    if (!result.bed[k]) {
      w = without(Problem{MessageId::LineNoBed, "", {}});
      continue;
    }
    const Real bed = *result.bed[k];
    const NodeWater& below = water[k + 1];
    // A level found, as a depth on this node's bed.
    const auto atLevel = [&](const Real& level) {
      const Real h = level - bed;
      if (!(h > Real(0))) return without(Problem{MessageId::LevelBelowBed, "", {metres(level), metreUnit()}});
      return waterAt(k, f, h);
    };
    const auto normal = [&](std::optional<Problem> note) {
      const Depth& d = normalDepth(k, f);
      NodeWater n = d.h ? waterAt(k, f, *d.h) : without(*d.why);
      if (d.h && note) n.note = std::move(note);
      return n;
    };
    if (gap.kind == GapKind::ChuteBarrel) {  // the chute's crest: its critical depth
      const NodeCritical& c = critical(k, f);
      w = c.found ? waterAt(k, f, c.least) : without(Problem{MessageId::NoAnswer, "", {}});
      w.critical = c.found;
    } else if (gap.kind == GapKind::ChuteExit) {  // the chute's end: its profile's depth
      const Depth d = chuteEnd(*line_.gaps[k].structure, f);
      w = d.h ? waterAt(k, f, *d.h) : without(*d.why);
    } else if (gap.kind == GapKind::DropFall) {
      const Depth d = crestDepth(k, line_.structures[*gap.structure], f);
      w = d.h ? waterAt(k, f, *d.h) : without(*d.why);
      if (d.h) {
        w.critical = !line_.structures[*gap.structure].crest;
        if (below.known && below.wse > bed + *d.h) {
          w = atLevel(below.wse);
          w.note = Problem{MessageId::DropDrowned, "", {}};
        }
      }
    } else if (!below.known) {
      // The march restarts from normal depth above a node that has no answer.
      w = normal(Problem{MessageId::MarchRestarted, "", {}});
    } else if (uniform && gap.kind != GapKind::Gate) {
      w = normal(std::nullopt);
    } else if (gap.kind == GapKind::Continuity) {
      w = atLevel(below.wse);
    } else if (gap.kind == GapKind::Gate) {
      // The level the gate's fall leaves above it, raised to the one it holds at the minimum flow.
      const LineStructure& s = line_.structures[*gap.structure];
      std::optional<Real> level;
      try {
        level = below.wse + gateFall(s, Q, below.wse - bed);
        w = atLevel(*level);
      } catch (const CalcError& error) {
        w = without(error.problem());
      }
      if (f == FlowCase::Minimum && (s.hold || s.holdDesign)) {
        const Real held = s.hold ? s.hold->toReal() : result.flows[0].nodes[k].wse;
        if (!level || *level < held) {
          w = atLevel(held);
          w.held = w.known;
          if (w.known) w.note = Problem{MessageId::GateHolds, "", {metres(held), metreUnit()}};
        }
      }
    } else {  // the standard step
      const StepOutcome outcome = stepGap(k, f, below, flow.along, result);
      const StepResult& step = outcome.step;
      if (step.end == StepEnd::Found) gapFalls[k] = outcome.fall;
      switch (step.end) {
        case StepEnd::Found: w = waterAt(k, f, step.h); break;
        case StepEnd::NoBranch:
          w = waterAt(k, f, step.h);
          w.critical = true;
          w.note = Problem{MessageId::NoSubcriticalDepth, "", {metres(step.h), metreUnit()}};
          break;
        case StepEnd::AboveTop:
          w = without(Problem{MessageId::LineAboveCrown, "", {metres(bed + topDepth(line_.chain.nodes[k].channel)), metreUnit()}});
          break;
        case StepEnd::NoCritical: w = without(Problem{MessageId::NoAnswer, "", {}}); break;
      }
    }
    if (w.known) w.wse = bed + w.h;
    if (w.known && hasTop(line_.chain.nodes[k].channel) && w.h > topDepth(line_.chain.nodes[k].channel)) {
      w = without(Problem{MessageId::LineAboveCrown, "", {metres(bed + topDepth(line_.chain.nodes[k].channel)), metreUnit()}});
    }
  }
  for (std::size_t k = 0; k + 1 < n_; ++k) {
    const NodeWater& a = water[k];
    const NodeWater& b = water[k + 1];
    if (!a.known || !b.known) {
      gapFalls[k] = RowFall{};
      continue;
    }
    const GapKind kind = line_.gaps[k].kind;
    const bool step = kind == GapKind::Step || kind == GapKind::ChuteInlet;
    // A step the march took has its terms; one whose node took its critical
    // depth, or a uniform flow's, is told from the depths at its ends.
    if (!step) {
      gapFalls[k] = relationFall(k, a.wse - b.wse);
    } else if (uniform || !gapFalls[k].known) {
      gapFalls[k] = stepFall(k, a.x, b.x, uniform);
    }
    // The step balances its terms to the level's own fall; what is left is the solver's last digits.
    gapFalls[k].dz = a.wse - b.wse;
  }
  gapFalls_[static_cast<std::size_t>(f)] = std::move(gapFalls);
}

// Each row's fall from the row before, summed over the gaps between their nodes.
void LineComputer::rowFalls(LineResult& result) {
  for (std::size_t f = 0; f < kFlowCases; ++f) {
    LineFlowResult& flow = result.flows[f];
    flow.falls.assign(line_.rows.size(), RowFall{});
    const std::vector<RowFall>& gaps = gapFalls_[f];
    for (std::size_t r = 1; r < line_.rows.size(); ++r) {
      const std::size_t from = line_.rows[r - 1].down, to = line_.rows[r].down;
      RowFall sum;
      bool terms = true;
      for (std::size_t k = from; k < to; ++k) {
        const RowFall& g = gaps[k];
        terms = terms && g.known;
        sum.hf += g.hf;
        sum.hw += g.hw;
        sum.htr += g.htr;
        sum.hs += g.hs;
        sum.hgate += g.hgate;
        sum.hr += g.hr;
        sum.dhv += g.dhv;
      }
      // The design march has a level at every node, even where it has no depth.
      const bool levels = f == 0 || (flow.nodes[from].known && flow.nodes[to].known);
      sum.known = terms && levels;
      if (levels) sum.dz = flow.nodes[from].wse - flow.nodes[to].wse;
      flow.falls[r] = sum;
    }
  }
}

LineResult computeLine(CanalLine& line) {
  LineComputer computer(line);
  return computer.run();
}

LineResult LineComputer::run() {
  LineResult result;
  design(result);
  std::vector<Boundary> boundaries;
  if (line_.settings.tail) boundaries = readBoundaries(*line_.settings.tail, "tail", 2);
  fixedBed(result, FlowCase::Enlarged, boundaries);
  fixedBed(result, FlowCase::Minimum, boundaries);
  // The design march's own FlowAlong, for the report and the checks.
  LineFlowResult& design = result.flows[0];
  design.along.Q.resize(n_);
  design.along.critical.resize(n_);
  for (std::size_t k = 0; k < n_; ++k) {
    design.along.Q[k] = flowAt(k, FlowCase::Design);
    design.along.critical[k] = critical(k, FlowCase::Design);
  }
  rowFalls(result);
  lineChecks(line_, result);
  return result;
}

}  // namespace channelflow::calc
