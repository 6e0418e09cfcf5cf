// A drawing exchange file (DXF, AutoCAD R12 text form) as it is written: its
// header with the line types CONTINUOUS and DASHED and the drawing's layers,
// then lines and texts, in millimetres on paper. A text's characters beyond
// ASCII are written as \U+XXXX, which CAD programs read as those characters
// whatever code page the file is taken in.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "numeric/text/number_text.h"

namespace channelflow::calc {

inline constexpr double kTextHeight = 3.5;  // mm on paper

struct DxfLayer {
  std::string_view name;
  int colour;  // AutoCAD's colour index
};

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
  void label(std::string_view layer, double x, double y, std::string_view text, double angle = 0,
             double height = kTextHeight) {
    pair(0, "TEXT");
    pair(8, layer);
    point(10, x, y);
    number(40, height);
    pair(1, escaped(text));
    if (angle != 0) number(50, angle);
    pair(72, "1");
    point(11, x, y);
    pair(73, "2");
  }
  // The header and the tables: line types and layers.
  void header(std::span<const DxfLayer> layers);
  std::string take() { return std::move(text_); }

  // UTF-8 text with every character beyond ASCII as \U+XXXX.
  static std::string escaped(std::string_view text);

 private:
  std::string text_;
};

}  // namespace channelflow::calc
