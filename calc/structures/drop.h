// The drop (跌水) as a water-surface chain needs it (Appendix N, §12): the
// crest's flow by the broad-crested weir of N.1.1, whose head the upstream
// canal must stand at, and the stilling basin's first estimate (N.2): the
// contracted depth, the sequent depth, the basin's depth and length.
#pragma once

#include <cstdint>
#include <vector>

#include "calc/structures/check.h"
#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

// N.1.1's rectangular or stepped crest: m = a - k b/H0.
enum class CrestInlet : std::uint8_t {
  Warped,      // 扭曲面进口: 0.474 - 0.018 b/H0
  Splayed,     // 八字墙进口: 0.470 - 0.017 b/H0
  CrossWall,   // 隔墙式进口: 0.402 - 0.008 b/H0
  Trapezoidal  // 梯形缺口: m1 = 0.508 - 0.034 (b + 0.8 m_c H0)/h1 on b + 0.8 m_c H0
};

struct DropInput {
  double g = 0;  // 0: kStandardGravity
  double Q = 0;
  double b = 0;  // crest width (a trapezoidal crest's bottom width)
  CrestInlet inlet = CrestInlet::Warped;
  double crestSlope = 0;  // a trapezoidal crest's side slope m_c (0.25–1.0)
  double v1 = 0;          // the upstream canal's velocity
  double alpha = 1.05;    // α of the velocity head, 1.05–1.10
  double epsilon = 1.0;   // lateral contraction
  double P = 0;           // the fall from the crest to the downstream bed
  double basinWidth = 0;  // 0: the crest's width
  double tailwater = 0;   // the downstream canal's depth h_t
  double phi = 0.95;      // velocity coefficient of the contracted section, 0.90–0.95
  double sigma = 1.10;    // the basin's safety on the sequent depth, 1.10–1.15
};

struct DropResult {
  double g = 0;
  Real H0, m, h1;                        // total head over the crest, its coefficient, the upstream depth over it
  Real q;                                // discharge per width of the basin
  Real E0;                               // total head over the basin floor
  Real contracted;                       // h'
  Real sequent;                          // h''
  Real basinDepth;                       // d = σ h'' - h_t (0 when the tailwater drowns the jump)
  Real throwLength;                      // L1 = 1.64 sqrt(H0 (P + 0.24 H0))
  Real basinLengthLow, basinLengthHigh;  // L1 + 3.2 h'' to L1 + 4.3 h''
  std::vector<Check> checks;
};

DropResult drop(const DropInput& input);

}  // namespace channelflow::calc::structures
