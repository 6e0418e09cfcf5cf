// What lies between two nodes of a canal line besides friction
// (calc/line/friction_loss.h): a bend's loss, a transition's, a siphon's
// barrels, and a loss reserved as typed. Each is the head lost from the
// upstream node to the downstream one, so that the standard step balances
//   level_u + v_u^2/2g = level_d + v_d^2/2g + the losses.
#pragma once

#include "calc/line/friction_slope.h"
#include "calc/line/link.h"

namespace channelflow::calc {

// A curve of length Lc and radius Rc (practice, canal-line.md §4.2):
//   h_w = J Lc (3/4) sqrt(T/Rc),
// J the mean friction slope (n² v²/R^(4/3) in uniform flow) and T the mean
// surface width, which Eq. 4.2's B reads as.
class BendLoss final : public LinkOf<BendLoss> {
 public:
  BendLoss(const Real& Lc, const Real& Rc, FrictionRule rule, double manning)
      : Lc_(Lc), Rc_(Rc), rule_(rule), manning_(manning) {}

  template <typename Number>
  Number lossOf(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    const Number J = meanFrictionSlope(rule_, up, down, manning_);
    const Number T = (up.T + down.T) * Number(0.5);
    return J * as<Number>(Lc_) * Number(0.75) * numeric::sqrt(T / as<Number>(Rc_));
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;

 private:
  Real Lc_, Rc_;
  FrictionRule rule_;
  double manning_;
};

// A transition's loss ξ |v_d² - v_u²|/2g (canal-line.md §5.4): the level's
// fall across it is the change of velocity head and this, which never makes
// a gain of the loss, whichever way the velocity changes. ξ is the inlet's
// (ξ1) at a structure's inlet and the outlet's (ξ2) at its outlet; between
// two canals, ξ1 where the flow speeds up and ξ2 where it slows.
class TransitionLoss final : public LinkOf<TransitionLoss> {
 public:
  TransitionLoss(const Real& faster, const Real& slower) : faster_(faster), slower_(slower) {}

  template <typename Number>
  Number lossOf(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    const Number rise = down.head - up.head;
    const Number xi = as<Number>(rise > Number(0) ? faster_ : slower_);
    if (xi == Number(0)) return Number(0);
    return rise > Number(0) ? xi * rise : -(xi * rise);
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;

 private:
  Real faster_, slower_;
};

// An inverted siphon's barrels and its outlet transition, from the end of
// its inlet transition to the downstream canal (§10.3.5, Appendix L):
//   z + ξ2 |v² - v3²|/2g,  z = (Σζ + 2gL/(C²R)) v²/2g,
// v the barrels' velocity Q/(N ω) and v3 the downstream canal's. With the
// change of velocity head from v2 to v3 it is ΔZ2 - ΔZ3 of Eq. L.1.6.
class SiphonLoss final : public LinkOf<SiphonLoss> {
 public:
  // `coefficient` is Σζ + 2gL/(C²R); `flowArea` all barrels' area.
  SiphonLoss(const Real& coefficient, const Real& flowArea, const Real& xi2, double g)
      : coefficient_(coefficient), area_(flowArea), xi2_(xi2), g_(g) {}

  template <typename Number>
  Number barrelHead(const Number& Q) const {
    const Number v = Q / as<Number>(area_);
    return v * v / Number(2 * g_);
  }
  template <typename Number>
  Number pipeLoss(const Number& Q) const {
    return as<Number>(coefficient_) * barrelHead(Q);
  }

  template <typename Number>
  Number lossOf(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    const Number head = barrelHead(up.Q);
    const Number change = head - down.head;
    return as<Number>(coefficient_) * head + as<Number>(xi2_) * (change > Number(0) ? change : -change);
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;

 private:
  Real coefficient_, area_, xi2_;
  double g_;
};

// A loss reserved as typed: a bridge's, or a structure's whose parameters are not given.
class FixedLoss final : public LinkOf<FixedLoss> {
 public:
  explicit FixedLoss(const Real& loss) : loss_(loss) {}

  template <typename Number>
  Number lossOf(const Hydraulics<Number>&, const Hydraulics<Number>&) const {
    return as<Number>(loss_);
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;
  const Real& value() const { return loss_; }

 private:
  Real loss_;
};

// Another link lent to a sub-step of a long gap (calc/canal/line_compute.cpp), as it is.
class BorrowedLink final : public Link {
 public:
  explicit BorrowedLink(const Link& link) : link_(link) {}
  double loss(const Hydraulics<double>& up, const Hydraulics<double>& down) const override { return link_.loss(up, down); }
  Real loss(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override { return link_.loss(up, down); }
  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override { return link_.explain(up, down); }

 private:
  const Link& link_;
};

}  // namespace channelflow::calc
