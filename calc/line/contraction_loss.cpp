#include "calc/line/contraction_loss.h"

namespace channelflow::calc {

Loss ContractionLoss::explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const {
  const Real rise = down.head - up.head;
  const Real loss = lossOf(up, down);
  return {QuantityId::EddyLoss,
          loss,
          {{QuantityId::LossCoefficient, Real(rise > Real(0) ? contraction_ : expansion_)},
           {QuantityId::HeadChange, rise},
           {QuantityId::EddyLoss, loss}}};
}

}  // namespace channelflow::calc
