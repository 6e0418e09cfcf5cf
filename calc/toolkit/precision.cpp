#include "calc/toolkit/precision.h"

#include "calc/toolkit/inputs.h"
#include "numeric/text/number_text.h"

namespace channelflow::calc {
namespace {

constexpr std::string_view kRatio = "ratio";

// A count of digits within [low, high], or nothing.
int countOf(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 2) return -1;
  int count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    count = count * 10 + (c - '0');
  }
  return count >= low && count <= high ? count : -1;
}

[[noreturn]] void bad(std::string_view text, std::string_view field) {
  fail(MessageId::PrecisionSyntax, field, {MessageArg::literal(quoteForMessage(text))});
}

}  // namespace

bool Precision::full() const {
  for (std::int8_t p : places) {
    if (p >= 0) return false;
  }
  return true;
}

Precision Precision::engineering() {
  Precision p;
  p.places = {4, 3, 3, 3, 3, 2, 2, 3, 2};  // none (significant), length, area, discharge, velocity, stress, chezy, momentum, percent
  return p;
}

Precision readPrecision(std::string_view text, std::string_view field) {
  if (text == "full") return {};
  if (text == "eng") return Precision::engineering();
  Precision p;
  if (const int decimals = countOf(text, 0, 15); decimals >= 0) {
    for (std::size_t k = 1; k < kUnitKinds; ++k) p.places[k] = static_cast<std::int8_t>(decimals);
    p.places[0] = 4;
    return p;
  }
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    const std::string_view part = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) bad(text, field);
    const std::string_view kind = part.substr(0, equals);
    const UnitKind unit = kind == kRatio ? UnitKind::None : unitKindNamed(kind);
    if (unit == UnitKind::None && kind != kRatio) bad(text, field);
    const int count = unit == UnitKind::None ? countOf(part.substr(equals + 1), 1, 17) : countOf(part.substr(equals + 1), 0, 15);
    if (count < 0) bad(text, field);
    p.places[static_cast<std::size_t>(unit)] = static_cast<std::int8_t>(count);
  }
  return p;
}

void writeNumber(TextSink& out, double value, UnitKind unit, const Precision& precision) {
  const int places = precision.places[static_cast<std::size_t>(unit)];
  if (places < 0) return out.number(value);
  out.put(numberText(value, unit, precision));
}

std::string numberText(double value, UnitKind unit, const Precision& precision) {
  const int places = precision.places[static_cast<std::size_t>(unit)];
  if (places < 0) return numeric::formatDouble(value);
  return unit == UnitKind::None ? numeric::formatSignificant(value, places) : numeric::formatFixed(value, places);
}

}  // namespace channelflow::calc
