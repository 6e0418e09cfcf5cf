// Friction between two nodes: the reach length times the mean friction
// slope. A river's reach has a length for each side (the overbanks' flow
// paths differ from the channel's), weighted by the mean discharge each
// side carries at the two ends.
#pragma once

#include <array>

#include "calc/line/friction_slope.h"
#include "calc/line/link.h"

namespace channelflow::calc {

class FrictionLoss final : public LinkOf<FrictionLoss> {
 public:
  // Lengths > 0 of the left overbank, the channel and the right overbank.
  FrictionLoss(std::array<Real, kSides> lengths, FrictionRule rule, double manning);
  // One length for the whole section.
  FrictionLoss(const Real& length, FrictionRule rule, double manning);

  template <typename Number>
  Number length(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    if (equal_) return as<Number>(lengths_[1]);
    Number weighted{}, total{};
    for (std::size_t s = 0; s < kSides; ++s) {
      const Number q = up.Q * up.sideK[s] / up.K + down.Q * down.sideK[s] / down.K;
      weighted += as<Number>(lengths_[s]) * q;
      total += q;
    }
    return weighted / total;
  }

  template <typename Number>
  Number lossOf(const Hydraulics<Number>& up, const Hydraulics<Number>& down) const {
    return length(up, down) * meanFrictionSlope(rule_, up, down, manning_);
  }

  Loss explain(const Hydraulics<Real>& up, const Hydraulics<Real>& down) const override;

 private:
  std::array<Real, kSides> lengths_;
  bool equal_;
  FrictionRule rule_;
  double manning_;
};

}  // namespace channelflow::calc
