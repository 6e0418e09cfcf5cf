// Readings of the printed tables (canal-line.md §15):
// - Table L.1.4-1's bar sketches are lost in the copy; the seven β survive
//   (item 24). β is taken as one of them; which shape each belongs to is the
//   engineer's reading (2.42 rectangular, 1.79 round and 1.67 rectangular
//   with rounded ends are identified).
// - Table L.1.4-4 starts at 5° (γ = 0.125). Charging 0.125 ξ90 for every
//   small deflection of a long pipeline overstates it: γ runs linearly to 0
//   at 0°, as a real workbook does, and a deflection below 0.1° (coordinate
//   noise) costs nothing (item 13). R/D0 outside 0.5–11 and θ above 140° are
//   refused: the table says nothing there.
// - Table L.1.4-5 prints 0.40 at 0.3 where every other cell is (1 - x)^2
//   (0.49 there). Both scans read 0.40 and a real workbook interpolates with
//   it: "as printed" is the default, (1 - x)^2 is offered (item 2).
#include "calc/structures/siphon_tables.h"

#include <array>

#include "calc/structures/table_lookup.h"

namespace channelflow::calc::structures {
namespace {

// clang-format off
constexpr std::array<double, 7> kRackShapes{2.42, 1.83, 1.79, 1.67, 1.04, 0.92, 0.76};

constexpr std::array<EntranceForm, 5> kEntrances{{
  {"fully-rounded",    {"进口完全修圆", "fully rounded"},                  {0.05, 0.10}},
  {"slightly-rounded", {"进口稍微修圆", "slightly rounded"},               {0.20, 0.25}},
  {"not-rounded",      {"进口没有修圆", "not rounded"},                    {0.50, 0.50}},
  {"shaft",            {"竖井式倒虹吸进口", "shaft-type siphon inlet"},     {1.0, 1.0}},
  {"gentle-slope",     {"缓坡进口（未修圆）", "gentle-slope inlet, not rounded"}, {0.5, 0.5}},
}};

constexpr std::array<double, 13> kBendRatio{0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0};
constexpr std::array<double, 13> kBend90   {1.20, 0.80, 0.60, 0.48, 0.36, 0.30, 0.29, 0.28, 0.27, 0.26, 0.25, 0.24, 0.23};

// The printed rows from 5°, and γ = 0 at 0° before them.
constexpr std::array<double, 14> kBendAngle {0, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 120, 140};
constexpr std::array<double, 14> kBendGamma{0, 0.125, 0.23, 0.40, 0.55, 0.65, 0.75, 0.83, 0.88, 0.95, 1.00, 1.05, 1.13, 1.20};

constexpr std::array<double, 9> kOutletRatio{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
constexpr std::array<double, 9> kOutletXi   {0.81, 0.64, 0.40, 0.36, 0.25, 0.16, 0.09, 0.04, 0.01};
// clang-format on

constexpr double kNoiseDegrees = 0.1;

}  // namespace

std::span<const double> rackShapeFactors() { return kRackShapes; }

std::span<const EntranceForm> entranceForms() { return kEntrances; }

const EntranceForm* findEntranceForm(std::string_view key) {
  for (const EntranceForm& form : kEntrances) {
    if (form.key == key) return &form;
  }
  return nullptr;
}

Real bendCoefficient90(const Real& ratio, std::string_view field, int item) {
  return interpolate(kBendRatio, kBend90, ratio, {"L.1.4-3", field, item});
}

Real bendAngleFactor(const Real& degrees, std::string_view field, int item) {
  requireInTable(degrees, 0, kBendAngle.back(), {"L.1.4-4", field, item});
  if (degrees < Real(kNoiseDegrees)) return Real(0);
  return interpolate(kBendAngle, kBendGamma, degrees, {"L.1.4-4", field, item});
}

Real outletCoefficient(const Real& ratio, OutletRule rule, std::string_view field) {
  if (rule == OutletRule::AsPrinted) return interpolate(kOutletRatio, kOutletXi, ratio, {"L.1.4-5", field});
  requireInTable(ratio, 0, 1, {"L.1.4-5", field});
  const Real rest = Real(1) - ratio;
  return rest * rest;
}

}  // namespace channelflow::calc::structures
