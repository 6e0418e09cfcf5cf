// A designed canal's section as a drawing exchange file (DXF, AutoCAD R12
// text form, which every CAD program reads): in millimetres on paper at a
// scale 1:N, on the layers OUTLINE (the section up to the bank top), WATER
// (the design water level, and the enlarged one dashed), DIMENSIONS (B, h,
// hj, Fb and H) and TEXT (the side slope 1:m and a title line). Labels are
// ASCII, since an R12 file has no agreed encoding for Chinese; lengths are
// written to the millimetre.
#pragma once

#include <array>
#include <string>

#include "calc/sections/outline.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {

// The section drawn to scale: its boundary up to the bank top H, the design
// water level h and the enlarged one hj.
struct DesignDrawing {
  Outline outline;                                        // water at the design depth
  std::array<double, 2> enlargedLeft{}, enlargedRight{};  // the enlarged flow's surface
  bool trapezoid = true;
  double b = 0, m = 0, r = 0, h = 0, hj = 0, Fb = 0, H = 0, Q = 0;
};

// A design's drawing from the inputs of the design question; throws CalcError.
DesignDrawing designDrawing(const Inputs& inputs);

inline constexpr double kDefaultDxfScale = 50;

// The whole file for scale 1:scale, scale > 0.
std::string dxfOf(const DesignDrawing& drawing, double scale);

// The design's drawing as a file at the scale of its input dxf-scale (50
// unless given); throws CalcError.
std::string designDxf(const Inputs& inputs);

// x rounded to `decimals` (0 to 15) places, halves away from zero: "2.641"
// (numeric::formatFixed).
std::string fixedText(double x, int decimals);

}  // namespace channelflow::calc
