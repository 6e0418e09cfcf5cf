#include "calc/canal/line_links.h"

namespace channelflow::calc {

Loss BendLoss::explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const {
  const Real loss = lossOf(up, down);
  return {QuantityId::BendLoss,
          loss,
          {{QuantityId::CurveLength, Lc_},
           {QuantityId::CurveRadius, Rc_},
           {QuantityId::MeanFrictionSlope, meanFrictionSlope(rule_, up, down, manning_)},
           {QuantityId::BendLoss, loss}}};
}

Loss TransitionLoss::explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const {
  const Real rise = down.head - up.head;
  const Real loss = lossOf(up, down);
  return {QuantityId::TransitionFall,
          loss,
          {{QuantityId::LossCoefficient, rise > Real(0) ? faster_ : slower_},
           {QuantityId::HeadChange, rise},
           {QuantityId::TransitionFall, loss}}};
}

Loss SiphonLoss::explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const {
  const Real loss = lossOf(up, down);
  return {QuantityId::StructureFall,
          loss,
          {{QuantityId::PipeLoss, pipeLoss(up.Q)}, {QuantityId::OutletXi, xi2_}, {QuantityId::StructureFall, loss}}};
}

Loss FixedLoss::explain(const Hydraulics<Real>&, const Hydraulics<Real>&) const {
  return {QuantityId::ReservedLoss, loss_, {{QuantityId::ReservedLoss, loss_}}};
}

}  // namespace channelflow::calc
