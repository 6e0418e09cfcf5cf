// Readings (canal-line.md §15):
// - Table 11.2.5's D is the inlet's clear height (the inner diameter of a
//   circular culvert), and "≤ 3" and "> 3" are metres (item 17).
// - M.0.1's bands overlap at H = 1.5 D as printed; 1.2D < H < 1.5D is read as
//   semi-pressure, H = 1.5 D as free pressure (item 19, §17).
#include "calc/structures/culvert_tables.h"

#include <array>

#include "calc/structures/table_lookup.h"

namespace channelflow::calc::structures {
namespace {

// clang-format off
constexpr std::array<double, 20> kRatio{0.72, 0.75, 0.78, 0.80, 0.82, 0.84, 0.86, 0.88, 0.90, 0.91,
                                        0.92, 0.93, 0.94, 0.95, 0.96, 0.97, 0.98, 0.99, 0.995, 0.998};
constexpr std::array<double, 20> kSigma{1.00, 0.99, 0.98, 0.97, 0.95, 0.93, 0.90, 0.87, 0.83, 0.80,
                                        0.77, 0.74, 0.70, 0.66, 0.61, 0.55, 0.47, 0.36, 0.28, 0.19};

constexpr std::array<SemiPressureInlet, 3> kInlets{{
  {"conical",  {"圆锥形护坡", "conical revetment"},                        0.625, 0.735},
  {"splayed",  {"八字墙、扭曲面翼墙", "splayed or warped wing walls"},     0.670, 0.740},
  {"corridor", {"走廊式翼墙", "corridor wing walls"},                      0.576, 0.715},
}};
// clang-format on

}  // namespace

Real leastClearHeight(CulvertShape shape, const Real& D) {
  const bool tall = D > Real(3);
  Real least;
  if (shape == CulvertShape::Rectangle) {
    least = tall ? Real(0.5) : D / 6;
  } else {
    least = tall ? Real(0.75) : D / 4;
  }
  return least > Real(0.4) ? least : Real(0.4);
}

const char* culvertRegimeKey(CulvertRegime regime) {
  switch (regime) {
    case CulvertRegime::FreeSurface: return "free-surface";
    case CulvertRegime::SemiPressure: return "semi-pressure";
    case CulvertRegime::FreePressure: return "free-pressure";
    case CulvertRegime::SubmergedPressure: return "submerged-pressure";
  }
  return "";
}

CulvertRegime culvertRegime(const Real& H, const Real& h, const Real& D) {
  if (h >= D) return CulvertRegime::SubmergedPressure;
  if (H <= D * Real(1.2)) return CulvertRegime::FreeSurface;
  if (H < D * Real(1.5)) return CulvertRegime::SemiPressure;
  return CulvertRegime::FreePressure;
}

bool isLongCulvert(const Real& L, const Real& H) { return L >= H * 8; }

Real submergenceFactor(const Real& ratio, std::string_view field) {
  requireInTable(ratio, 0, kRatio.back(), {"M.0.3-1", field});
  if (ratio <= Real(kRatio.front())) return Real(1);
  return interpolate(kRatio, kSigma, ratio, {"M.0.3-1", field});
}

std::span<const SemiPressureInlet> semiPressureInlets() { return kInlets; }

const SemiPressureInlet* findSemiPressureInlet(std::string_view key) {
  for (const SemiPressureInlet& inlet : kInlets) {
    if (inlet.key == key) return &inlet;
  }
  return nullptr;
}

}  // namespace channelflow::calc::structures
