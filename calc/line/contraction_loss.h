// Contraction and expansion between two nodes: a coefficient times the
// change in velocity head, the contraction's where the velocity head grows
// downstream, the expansion's where it falls (a river's 0.1 and 0.3).
#pragma once

#include "calc/line/link.h"

namespace channelflow::calc {

class ContractionLoss final : public LinkOf<ContractionLoss> {
 public:
  ContractionLoss(double contraction, double expansion) : contraction_(contraction), expansion_(expansion) {}

  template <typename Number>
  Number lossOf(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    const Number rise = down.head - up.head;
    // A coefficient of 0 loses nothing, even where a trial depth near 0 makes the head infinite.
    const double coefficient = rise > Number(0) ? contraction_ : expansion_;
    if (coefficient == 0) return Number(0);
    return rise > Number(0) ? rise * Number(coefficient) : -rise * Number(coefficient);
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;

 private:
  double contraction_, expansion_;
};

}  // namespace channelflow::calc
