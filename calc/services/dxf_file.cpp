#include "calc/services/dxf_file.h"

#include <cstdint>

#include "numeric/text/utf8.h"

namespace channelflow::calc {

void Dxf::header(std::span<const DxfLayer> layers) {
  pair(0, "SECTION");
  pair(2, "HEADER");
  pair(9, "$ACADVER");
  pair(1, "AC1009");
  pair(9, "$INSUNITS");  // millimetres
  pair(70, "4");
  pair(0, "ENDSEC");
  pair(0, "SECTION");
  pair(2, "TABLES");
  pair(0, "TABLE");
  pair(2, "LTYPE");
  pair(70, "2");
  for (const bool dashed : {false, true}) {
    pair(0, "LTYPE");
    pair(2, dashed ? "DASHED" : "CONTINUOUS");
    pair(70, "0");
    pair(3, dashed ? "__ __ __" : "Solid line");
    pair(72, "65");
    pair(73, dashed ? "2" : "0");
    number(40, dashed ? 9 : 0);
    if (dashed) {
      number(49, 6);
      number(49, -3);
    }
  }
  pair(0, "ENDTAB");
  pair(0, "TABLE");
  pair(2, "LAYER");
  pair(70, std::to_string(layers.size()));
  for (const DxfLayer& layer : layers) {
    pair(0, "LAYER");
    pair(2, layer.name);
    pair(70, "0");
    pair(62, std::to_string(layer.colour));
    pair(6, "CONTINUOUS");
  }
  pair(0, "ENDTAB");
  pair(0, "ENDSEC");
}

std::string Dxf::escaped(std::string_view text) {
  if (numeric::isAscii(text)) return std::string(text);
  std::string valid;
  numeric::appendValidUtf8(valid, text);
  std::string out;
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t k = 0; k < valid.size();) {
    const auto byte = static_cast<unsigned char>(valid[k]);
    if (byte < 0x80) {
      out += valid[k++];
      continue;
    }
    const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    std::uint32_t code = byte & (length == 4 ? 0x07u : length == 3 ? 0x0Fu : 0x1Fu);
    for (std::size_t j = 1; j < static_cast<std::size_t>(length); ++j) code = (code << 6) | (static_cast<unsigned char>(valid[k + j]) & 0x3Fu);
    k += static_cast<std::size_t>(length);
    out += "\\U+";
    const int digits = code > 0xFFFF ? 5 : 4;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
  }
  return out;
}

}  // namespace channelflow::calc
