#include "calc/line/friction_loss.h"

namespace channelflow::calc {

FrictionLoss::FrictionLoss(std::array<Real, kSides> lengths, FrictionRule rule, double manning)
    : lengths_(lengths), equal_(lengths[0] == lengths[1] && lengths[1] == lengths[2]), rule_(rule), manning_(manning) {}

FrictionLoss::FrictionLoss(const Real& length, FrictionRule rule, double manning)
    : FrictionLoss({length, length, length}, rule, manning) {}

Loss FrictionLoss::explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const {
  const Real L = length(up, down);
  const Real slope = meanFrictionSlope(rule_, up, down, manning_);
  const Real hf = L * slope;
  return {QuantityId::FrictionLoss, hf,
          {{QuantityId::ReachLength, L}, {QuantityId::MeanFrictionSlope, slope}, {QuantityId::FrictionLoss, hf}}};
}

}  // namespace channelflow::calc
