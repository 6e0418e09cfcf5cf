#include "calc/line/standard_step.h"

#include <cmath>

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

// The head of `h` at node `at` less `source`, in either number type: the
// unknown node's part of the balance, the known node's given once in each.
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
  // rising with h; downstream: the known head less the unknown one's and the
  // losses, rising with h on the supercritical branch.
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

}  // namespace

StepResult stepUpstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known) {
  const Node& up = chain.nodes[k];
  const NodeCritical& critical = flow.critical[k];
  if (!critical.found) return {StepEnd::NoCritical, {}};
  const Real& Q = flow.Q[k];
  // Heads measured from the upstream bed: the known one less its bed's fall.
  const Real fall = difference(up.bed, chain.nodes[k + 1].bed);
  const Balance<true> balance(up, Q, chain.gaps[k], known, fall - known.h - known.head);
  const Real atLow = balance(critical.deepest);
  if (atLow >= Real(0)) return {StepEnd::NoBranch, critical.least};
  const double low = critical.deepest.toDouble();
  const double top = fullDepth(up.channel);
  const auto first = firstStage(balance, fitsDoubles(up.channel, Q.toDouble()));
  // The known level is where a short step lands near.
  const double level = (known.h - fall).toDouble();
  const double guess = level > low ? level : low + low;
  double h = 0;
  if (std::isfinite(top)) {
    const Real atTop = balance(topDepth(up.channel));
    if (atTop <= Real(0)) return {StepEnd::AboveTop, {}};
    h = findRootNear(first, {low, top}, atLow.toDouble(), atTop.toDouble(), guess, 1e-3 * guess);
  } else {
    h = findRootFrom(first, low, HUGE_VAL, guess, "h");
  }
  return {StepEnd::Found, polishRoot(balance, h, low, top)};
}

StepResult stepDownstream(const Chain& chain, const FlowAlong& flow, std::size_t k, const Hydraulics<Real>& known) {
  const Node& down = chain.nodes[k + 1];
  const NodeCritical& critical = flow.critical[k + 1];
  const Real& Q = flow.Q[k + 1];
  // Heads measured from the downstream bed: the known one raised by its bed's fall.
  const Real fall = difference(chain.nodes[k].bed, down.bed);
  const Balance<false> balance(down, Q, chain.gaps[k], known, fall + known.h + known.head);
  // Without a critical depth in the section every depth in it is supercritical.
  const Real high = critical.found ? critical.shallowest : topDepth(down.channel);
  const Real atHigh = balance(high);
  if (atHigh <= Real(0)) {
    return critical.found ? StepResult{StepEnd::NoBranch, critical.least} : StepResult{StepEnd::AboveTop, {}};
  }
  const double top = high.toDouble();
  const auto first = firstStage(balance, fitsDoubles(down.channel, Q.toDouble()));
  // A depth below the root: the velocity head grows without bound as the
  // depth falls, a quarter of the way with each halving.
  double low = std::fmin(known.h.toDouble(), 0.5 * top), atLow = first(low);
  for (int halving = 0; !(atLow < 0) && halving < 200; ++halving) {
    low *= 0.5;
    atLow = first(low);
  }
  require(atLow < 0, MessageId::NoAnswer);
  const double h = findRoot(first, {low, top}, atLow, atHigh.toDouble(), known.h.toDouble());
  return {StepEnd::Found, polishRoot(balance, h, low, top)};
}

}  // namespace channelflow::calc
