#include "tools/dxf_writer.h"

#include <array>
#include <string_view>

#include "numeric/text/number_text.h"

namespace channelflow::tools {
namespace {

constexpr double kTextHeight = 3.5;  // mm on paper
constexpr double kTick = 1.5;        // a dimension's end tick and its lines' overshoot
constexpr double kGap = 8;           // between the section and a dimension, and between dimensions

struct Layer {
  std::string_view name;
  int colour;  // AutoCAD's colour index
};
constexpr std::array<Layer, 4> kLayers{{{"OUTLINE", 7}, {"WATER", 5}, {"DIMENSIONS", 3}, {"TEXT", 7}}};

class Dxf {
 public:
  void pair(int code, std::string_view value) {
    const std::string number = std::to_string(code);
    text_.append(number.size() < 3 ? 3 - number.size() : 0, ' ');
    text_ += number;
    text_ += '\n';
    text_ += value;
    text_ += '\n';
  }
  void number(int code, double value) { pair(code, numeric::formatDouble(value == 0 ? 0 : value)); }
  void point(int code, double x, double y) {
    number(code, x);
    number(code + 10, y);
    number(code + 20, 0);
  }
  void line(std::string_view layer, double x0, double y0, double x1, double y1, bool dashed = false) {
    pair(0, "LINE");
    pair(8, layer);
    if (dashed) pair(6, "DASHED");
    point(10, x0, y0);
    point(11, x1, y1);
  }
  // Text centred on (x, y), turned by `angle` degrees.
  void label(std::string_view layer, double x, double y, std::string_view text, double angle = 0) {
    pair(0, "TEXT");
    pair(8, layer);
    point(10, x, y);
    number(40, kTextHeight);
    pair(1, text);
    if (angle != 0) number(50, angle);
    pair(72, "1");
    point(11, x, y);
    pair(73, "2");
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

void header(Dxf& dxf) {
  dxf.pair(0, "SECTION");
  dxf.pair(2, "HEADER");
  dxf.pair(9, "$ACADVER");
  dxf.pair(1, "AC1009");
  dxf.pair(9, "$INSUNITS");  // millimetres
  dxf.pair(70, "4");
  dxf.pair(0, "ENDSEC");
  dxf.pair(0, "SECTION");
  dxf.pair(2, "TABLES");
  dxf.pair(0, "TABLE");
  dxf.pair(2, "LTYPE");
  dxf.pair(70, "2");
  for (const bool dashed : {false, true}) {
    dxf.pair(0, "LTYPE");
    dxf.pair(2, dashed ? "DASHED" : "CONTINUOUS");
    dxf.pair(70, "0");
    dxf.pair(3, dashed ? "__ __ __" : "Solid line");
    dxf.pair(72, "65");
    dxf.pair(73, dashed ? "2" : "0");
    dxf.number(40, dashed ? 9 : 0);
    if (dashed) {
      dxf.number(49, 6);
      dxf.number(49, -3);
    }
  }
  dxf.pair(0, "ENDTAB");
  dxf.pair(0, "TABLE");
  dxf.pair(2, "LAYER");
  dxf.pair(70, std::to_string(kLayers.size()));
  for (const Layer& layer : kLayers) {
    dxf.pair(0, "LAYER");
    dxf.pair(2, layer.name);
    dxf.pair(70, "0");
    dxf.pair(62, std::to_string(layer.colour));
    dxf.pair(6, "CONTINUOUS");
  }
  dxf.pair(0, "ENDTAB");
  dxf.pair(0, "ENDSEC");
}

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

std::string dxfOf(const calc::DesignDrawing& d, double scale) {
  const double k = 1000 / scale;  // paper millimetres per metre
  Dxf dxf;
  header(dxf);
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

}  // namespace channelflow::tools
