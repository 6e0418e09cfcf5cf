#include "calc/line/standard_step.h"

#include <cmath>
#include <optional>

#include "calc/flow/root_finding.h"
#include "calc/flow/solver_setup.h"

namespace channelflow::calc {
namespace {

template <typename Number>
Number lossesOf(const Links& links, const Hydraulics<Number>& up, const Hydraulics<Number>& down) {
  Number total{};
  for (const auto& link : links) total += link->loss(up, down);
  return total;
}

// A step's energy balance as a function of the unknown node's depth, in
// either number type: the known node's head (as `source`, measured from the
// unknown node's bed) and state given once in each.
template <bool kUnknownUpstream>
class Balance {
 public:
  Balance(const Node& node, const Real& Q, const Links& links, const Hydraulics<Real>& known, const Real& source)
      : node_(node), Q_(Q), links_(links), known_(known), knownFast_(rounded(known)), source_(source),
        sourceFast_(source.toDouble()) {}

  template <typename Number>
  Number operator()(const Number& h) const {
    const Hydraulics<Number> at = hydraulicsAt(node_, Q_, h);
    if constexpr (kIsReal<Number>) {
      return value(at, known_, source_);
    } else {
      return value(at, knownFast_, sourceFast_);
    }
  }

 private:
  // Upstream: the unknown node's head less the known one's and the losses,
  // rising with h where the flow is subcritical; downstream: the known head
  // less the unknown one's and the losses, rising with h where it is supercritical.
  template <typename Number>
  Number value(const Hydraulics<Number>& at, const Hydraulics<Number>& known, const Number& source) const {
    if constexpr (kUnknownUpstream) {
      return source + at.h + at.head - lossesOf(links_, at, known);
    } else {
      return source - at.h - at.head - lossesOf(links_, known, at);
    }
  }

  const Node& node_;
  const Real& Q_;
  const Links& links_;
  const Hydraulics<Real>& known_;
  Hydraulics<double> knownFast_;
  Real source_;
  double sourceFast_;
};

// The root of f near x0 by secant steps, to 2^-45 of itself, or nothing
// where a step leaves (lo, hi) or eight do not get there.
template <typename F>
std::optional<double> secantFrom(const F& f, double x0, double lo, double hi) {
  double f0 = f(x0);
  double x1 = x0 + x0 * 0x1p-20;
  double f1 = f(x1);
  for (int step = 0; step < 8; ++step) {
    if (!(f1 != f0)) return std::nullopt;
    const double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
    if (!(x2 > lo && x2 < hi)) return std::nullopt;
    if (std::fabs(x2 - x1) <= 0x1p-45 * x2) return x2;
    x0 = x1;
    f0 = f1;
    x1 = x2;
    f1 = f(x2);
  }
  return std::nullopt;
}

}  // namespace

StepResult stepUpstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known,
                        double guess) {
  const Node& up = chain.nodes[k];
  const NodeCritical& critical = flow.critical[k];
  if (!critical.found) return {StepEnd::NoCritical, {}};
  const Real& Q = flow.Q[k];
  // Heads measured from the upstream bed: the known one less its bed's fall.
  const Real fall = difference(up.bed, chain.nodes[k + 1].bed);
  const Balance<true> balance(up, Q, chain.gaps[k], known, fall - known.h - known.head);
  const std::vector<Real>& depths = critical.depths;
  const bool fast = fitsDoubles(up.channel, Q.toDouble());
  const auto first = firstStage(balance, fast);
  // The balance at a critical depth, in Reals only where doubles cannot tell its sign.
  const auto atCritical = [&](const Real& depth) {
    if (fast) {
      const double quick = first(depth.toDouble());
      if (std::fabs(quick) > 0x1p-30 * (std::fabs((fall - known.h - known.head).toDouble()) + depth.toDouble())) {
        return Real(quick);
      }
    }
    return balance(depth);
  };
  std::size_t j = depths.size();
  Real atLow, atHigh;
  do {
    atHigh = atLow;
    atLow = atCritical(depths[--j]);
  } while (!(atLow < Real(0)) && j > 0);
  if (!(atLow < Real(0))) return {StepEnd::NoBranch, critical.least};
  const double low = depths[j].toDouble();
  // The known level is where a short step lands near, unless told better.
  const double level = (known.h - fall).toDouble();
  if (!(guess > low)) guess = level > low ? level : low + low;
  double h = 0, high = fullDepth(up.channel);
  // With one critical depth the subcritical root is the one above it, which
  // secant steps from a near guess find in a few; the bracketed searches are
  // kept for when they do not. Two polishing steps in Reals finish either.
  if (fast && depths.size() == 1) {
    if (const std::optional<double> near = secantFrom(first, guess, low, high)) {
      return {StepEnd::Found, polishRoot(balance, *near, low, high)};
    }
  }
  if (j + 1 < depths.size()) {
    if (atHigh == Real(0)) return {StepEnd::Found, depths[j + 1]};
    high = depths[j + 1].toDouble();
    h = findRootNear(first, {low, high}, atLow.toDouble(), atHigh.toDouble(), guess, 1e-3 * guess);
  } else if (std::isfinite(high)) {
    const Real atTop = balance(topDepth(up.channel));
    if (atTop <= Real(0)) return {StepEnd::AboveTop, {}};
    h = findRootNear(first, {low, high}, atLow.toDouble(), atTop.toDouble(), guess, 1e-3 * guess);
  } else {
    h = findRootFrom(first, low, HUGE_VAL, guess, "h");
  }
  return {StepEnd::Found, polishRoot(balance, h, low, high)};
}

StepResult stepDownstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known) {
  const Node& down = chain.nodes[k + 1];
  const NodeCritical& critical = flow.critical[k + 1];
  const Real& Q = flow.Q[k + 1];
  // Heads measured from the downstream bed: the known one raised by its bed's fall.
  const Real fall = difference(chain.nodes[k].bed, down.bed);
  const Balance<false> balance(down, Q, chain.gaps[k], known, fall + known.h + known.head);
  // Without a critical depth in the section every depth in it is supercritical.
  const std::vector<Real> tops = critical.found ? critical.depths : std::vector<Real>{topDepth(down.channel)};
  std::size_t j = 0;
  Real atLow, atHigh = balance(tops[0]);
  while (!(atHigh > Real(0)) && j + 1 < tops.size()) {
    atLow = atHigh;
    atHigh = balance(tops[++j]);
  }
  if (!(atHigh > Real(0))) {
    return critical.found ? StepResult{StepEnd::NoBranch, critical.least} : StepResult{StepEnd::AboveTop, {}};
  }
  const double high = tops[j].toDouble();
  const auto first = firstStage(balance, fitsDoubles(down.channel, Q.toDouble()));
  double low = 0, atLowFast = 0;
  if (j > 0) {
    if (atLow == Real(0)) return {StepEnd::Found, tops[j - 1]};
    low = tops[j - 1].toDouble();
    atLowFast = atLow.toDouble();
  } else {
    // A depth below the root: the velocity head grows without bound as the
    // depth falls, a quarter of the way with each halving.
    low = std::fmin(known.h.toDouble(), 0.5 * high);
    atLowFast = first(low);
    for (int halving = 0; !(atLowFast < 0) && halving < 200; ++halving) {
      low *= 0.5;
      atLowFast = first(low);
    }
    require(atLowFast < 0, MessageId::NoAnswer);
  }
  const double h = findRoot(first, {low, high}, atLowFast, atHigh.toDouble(), known.h.toDouble());
  return {StepEnd::Found, polishRoot(balance, h, low, high)};
}

}  // namespace channelflow::calc
