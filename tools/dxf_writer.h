// A designed canal's section as a drawing exchange file (DXF, AutoCAD R12
// text form, which every CAD program reads): in millimetres on paper at a
// scale 1:N, on the layers OUTLINE (the section up to the bank top), WATER
// (the design water level, and the enlarged one dashed), DIMENSIONS (B, h,
// hj, Fb and H) and TEXT (the side slope 1:m and a title line). Labels are
// ASCII, since an R12 file has no agreed encoding for Chinese; lengths are
// written to the millimetre.
#pragma once

#include <string>

#include "calc/toolkit/toolkit.h"

namespace channelflow::tools {

inline constexpr double kDefaultDxfScale = 50;

// The whole file for scale 1:scale, scale > 0.
std::string dxfOf(const calc::DesignDrawing& drawing, double scale);

// x rounded to `decimals` (0 to 15) places, halves away from zero: "2.641"
// (numeric::formatFixed).
std::string fixedText(double x, int decimals);

}  // namespace channelflow::tools
