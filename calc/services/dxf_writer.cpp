#include "calc/services/dxf_writer.h"

#include <array>
#include <string_view>

#include "calc/services/dxf_file.h"
#include "numeric/text/number_text.h"

namespace channelflow::calc {
namespace {

constexpr double kTick = 1.5;        // a dimension's end tick and its lines' overshoot
constexpr double kGap = 8;           // between the section and a dimension, and between dimensions

constexpr std::array<DxfLayer, 4> kLayers{{{"OUTLINE", 7}, {"WATER", 5}, {"DIMENSIONS", 3}, {"TEXT", 7}}};

// A vertical dimension at x from y0 to y1, extension lines from x0 (at y0) and x1 (at y1).
void verticalDimension(Dxf& dxf, double x, double y0, double y1, double x0, double x1, const std::string& text) {
  dxf.line("DIMENSIONS", x0, y0, x + kTick, y0);
  dxf.line("DIMENSIONS", x1, y1, x + kTick, y1);
  dxf.line("DIMENSIONS", x, y0, x, y1);
  for (const double y : {y0, y1}) dxf.line("DIMENSIONS", x - kTick / 2, y - kTick / 2, x + kTick / 2, y + kTick / 2);
  dxf.label("TEXT", x - kTextHeight * 0.8, (y0 + y1) / 2, text, 90);
}

void horizontalDimension(Dxf& dxf, double y, double x0, double x1, double from, const std::string& text) {
  for (const double x : {x0, x1}) {
    dxf.line("DIMENSIONS", x, from, x, y - kTick);
    dxf.line("DIMENSIONS", x - kTick / 2, y - kTick / 2, x + kTick / 2, y + kTick / 2);
  }
  dxf.line("DIMENSIONS", x0, y, x1, y);
  dxf.label("TEXT", (x0 + x1) / 2, y - kTextHeight, text);
}

// A water level's mark: an inverted triangle standing on the surface at x.
void levelMark(Dxf& dxf, double x, double y) {
  const double half = kTextHeight / 2, rise = kTextHeight * 0.866;
  dxf.line("WATER", x, y, x - half, y + rise);
  dxf.line("WATER", x - half, y + rise, x + half, y + rise);
  dxf.line("WATER", x + half, y + rise, x, y);
}

}  // namespace

std::string fixedText(double x, int decimals) { return numeric::formatFixed(x, decimals); }

std::string dxfOf(const DesignDrawing& d, double scale) {
  const double k = 1000 / scale;  // paper millimetres per metre
  Dxf dxf;
  dxf.header(kLayers);
  dxf.pair(0, "SECTION");
  dxf.pair(2, "ENTITIES");
  const auto& boundary = d.outline.boundary;
  for (std::size_t n = 1; n < boundary.size(); ++n) {
    dxf.line("OUTLINE", boundary[n - 1][0] * k, boundary[n - 1][1] * k, boundary[n][0] * k, boundary[n][1] * k);
  }
  const auto& [left, right] = std::pair{d.outline.waterLeft, d.outline.waterRight};
  dxf.line("WATER", left[0] * k, d.h * k, right[0] * k, d.h * k);
  dxf.line("WATER", d.enlargedLeft[0] * k, d.hj * k, d.enlargedRight[0] * k, d.hj * k, true);
  levelMark(dxf, right[0] * k * 0.5, d.h * k);
  levelMark(dxf, d.enlargedLeft[0] * k * 0.5, d.hj * k);

  // Dimensions to the right of the bank, from the bed, the water levels and the bank top.
  const double top = boundary.back()[0] * k;
  const double bed = d.trapezoid ? d.b / 2 * k : 0;
  const double x1 = top + kGap, x2 = x1 + kGap, x3 = x2 + kGap;
  verticalDimension(dxf, x1, 0, d.h * k, bed, right[0] * k, "h=" + fixedText(d.h, 3));
  verticalDimension(dxf, x2, 0, d.hj * k, bed, d.enlargedRight[0] * k, "hj=" + fixedText(d.hj, 3));
  verticalDimension(dxf, x2, d.hj * k, d.H * k, d.enlargedRight[0] * k, top, "Fb=" + fixedText(d.Fb, 3));
  verticalDimension(dxf, x3, 0, d.H * k, bed, top, "H=" + fixedText(d.H, 3));
  if (d.trapezoid && d.b > 0) {
    horizontalDimension(dxf, -kGap, -d.b / 2 * k, d.b / 2 * k, 0, "B=" + fixedText(d.b, 3));
  }
  if (!d.trapezoid) dxf.label("TEXT", 0, -kGap, "r=" + fixedText(d.r, 3));
  if (d.m > 0) {
    // On the right wall, halfway up the bank, outside it.
    const auto& foot = boundary[boundary.size() - 2];
    const double x = (foot[0] + boundary.back()[0]) / 2 * k, y = (foot[1] + boundary.back()[1]) / 2 * k;
    dxf.label("TEXT", x + kTextHeight * 2, y, "1:" + numeric::formatDouble(d.m));
  }
  dxf.label("TEXT", 0, -kGap - 3 * kTextHeight,
            "Q=" + numeric::formatDouble(d.Q) + " m3/s  1:" + numeric::formatDouble(scale));
  dxf.pair(0, "ENDSEC");
  dxf.pair(0, "EOF");
  return dxf.take();
}

std::string designDxf(const Inputs& inputs) {
  double scale = kDefaultDxfScale;
  if (inputs.has("dxf-scale")) {
    InputReader reader(inputs);
    scale = reader.number("dxf-scale").value_or(scale);
    reader.finish();
  }
  return dxfOf(designDrawing(inputs), scale);
}

}  // namespace channelflow::calc
