// An irrigation canal designed by GB 50288-2018: its three flows (§6.3.1,
// Table 6.3.4, §6.3.5), its section (Appendix E, a given width-to-depth
// ratio or bottom width, or a given U shape), the normal depth of each flow,
// the bank height (§6.4.8) and the non-scouring velocity of its bed
// (Appendix C), each computed in Reals. SI units only: the standard's
// formulas are in metres.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/design/economic_section.h"
#include "calc/design/enlargement_table.h"
#include "calc/design/roughness_table.h"
#include "calc/design/soils.h"
#include "calc/flow/flow_state.h"

namespace channelflow::calc::design {

enum class Sizing : std::uint8_t { AppendixE, Ratio, Width, GivenU };

// Which value of a table's range is taken.
enum class Pick : std::uint8_t { Low, Middle, High };

// Why an Appendix E scheme was chosen.
enum class SchemeChoice : std::uint8_t {
  NoLimits,           // no velocity limits: the best section, alpha = 1.00
  WithinLimits,       // the smallest alpha whose velocity lies within them
  NoneWithinLimits,   // none does: the one nearest to them
  Given,              // --alpha, one of the table's
  GivenOutsideTable,  // --alpha beyond Table E.0.2's 1.00 ... 1.04
};

struct DesignQuestion {
  Real Q, i;
  Sizing sizing = Sizing::AppendixE;
  double m = 0;                      // side slope (the U shape's walls)
  double r = 0;                      // the U shape's bottom radius
  std::optional<double> n;           // given; else the lining's
  const RoughnessRow* lining = nullptr;
  std::optional<Soil> soil;
  std::optional<double> alpha;       // Appendix E: the scheme asked for
  double beta = 0;                   // Sizing::Ratio
  double width = 0;                  // Sizing::Width
  std::optional<double> vMin, vMax;  // at the design flow; vMin is also the non-silting velocity
  std::optional<double> enlarge;     // P in percent, instead of Table 6.3.4's
  double minRatio = 0.4;             // Qmin / Q
  std::optional<double> freeboard;   // instead of Eq. 6.4.8-1
  std::optional<double> bendRadius;  // the bend centreline's radius Rc
  Pick nPick = Pick::Middle;         // within a roughness range
  Pick scourPick = Pick::Low;        // within a non-scouring velocity range
};

// The allowable non-scouring velocity of the bed at the enlarged flow.
struct ScourLimit {
  const ScourRow* row = nullptr;  // nullptr: the given --v-max
  Real cell;                      // the table's value picked, interpolated by depth for C.0.2 and C.0.3
  Real value;                     // the limit: cell, times R^(1/4) for C.0.1 and C.0.4's membranes
  std::size_t from = 0, to = 0;   // C.0.2 and C.0.3: the depth columns interpolated between
};

// §6.4.8's extra height on the outer bank of a bend, from the enlarged flow.
struct BendRise {
  Real Rc;
  bool needed = false;  // Rc < 5 Tj or vj > 2 m/s
  Real rise;            // Tj vj^2 / (2 g Rc)
};

struct DesignResult {
  double n = 0;                              // Manning's n used
  int grade = 5;                             // Table 3.1.5
  double enlarge = 0;                        // P in percent
  const EnlargementRow* enlargeRow = nullptr;  // its class; nullptr when P was given
  Real Qj, Qmin;
  std::optional<BestSection> best;           // every trapezoid
  std::vector<EconomicScheme> schemes;       // Appendix E
  std::size_t chosen = 0;
  SchemeChoice choice = SchemeChoice::NoLimits;
  Channel channel;                           // the section designed
  FlowState design, enlarged, minimum;       // at each flow's normal depth
  Real Fb, H;                                // freeboard and canal depth
  std::optional<BendRise> bend;
  std::optional<ScourLimit> scour;
};

// For a question whose inputs were read and checked. Throws CalcError when
// Table 6.3.4 has no percentage for Q and none was given.
DesignResult computeDesign(const DesignQuestion& question);

// Eq. 6.4.8-1, for grade 4 and 5 canals: Fb = hj/4 + 0.2 m, hj the enlarged flow's depth.
Real freeboardOf(const Real& hj);

// The row's non-scouring velocity for a flow of depth h and hydraulic radius R.
ScourLimit scourLimitOf(const ScourRow& row, Pick pick, const Real& h, const Real& R);

// A range's value by the pick: its ends or its middle.
Real picked(double low, double high, Pick pick);

// The exponent of Appendix C's R correction: 1/4, common to the loose
// (1/4 ~ 1/3) and the dense soils' ranges (1/5 ~ 1/4).
inline constexpr double kScourRadiusPower = 0.25;

}  // namespace channelflow::calc::design
