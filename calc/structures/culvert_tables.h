// The culvert's tables: the least clear height of a free-surface culvert
// (Table 11.2.5), the flow regimes by inlet and outlet depth (M.0.1) and
// length (M.0.2), the submergence coefficient σ (Table M.0.3-1) and the
// semi-pressure inlets' coefficients (Table M.0.3-2).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc/toolkit/catalog.h"
#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

enum class CulvertShape : std::uint8_t { Rectangle, Circle, Arch };

// Table 11.2.5 with the 0.4 m every free-surface culvert keeps: D/4 (circle,
// arch) or D/6 (rectangle) up to an inlet clear height D of 3 m, 0.75 m or
// 0.5 m above it.
Real leastClearHeight(CulvertShape shape, const Real& D);

enum class CulvertRegime : std::uint8_t { FreeSurface, SemiPressure, FreePressure, SubmergedPressure };

// "free-surface", "semi-pressure", "free-pressure", "submerged-pressure".
const char* culvertRegimeKey(CulvertRegime regime);

// M.0.1 from the inlet depth H over the invert, the outlet depth h and the
// culvert's height D: submerged pressure flow when h >= D; otherwise free
// surface for H <= 1.2 D, semi-pressure for 1.2 D < H < 1.5 D, free pressure
// from 1.5 D.
CulvertRegime culvertRegime(const Real& H, const Real& h, const Real& D);

// M.0.2: a culvert at least 8 H long is long.
bool isLongCulvert(const Real& L, const Real& H);

// Table M.0.3-1: σ at h_s/H0, 1 up to 0.72, read linearly to the last row at 0.998.
Real submergenceFactor(const Real& ratio, std::string_view field);

struct SemiPressureInlet {
  std::string_view key;  // "conical"
  Text name;
  double m1, beta1;
};
std::span<const SemiPressureInlet> semiPressureInlets();
const SemiPressureInlet* findSemiPressureInlet(std::string_view key);

}  // namespace channelflow::calc::structures
