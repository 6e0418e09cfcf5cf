// How far an answer's numbers are shown: in full (the 15-digit text form, as
// they are kept), or rounded, each kind of quantity to its own number of
// decimals (levels and depths to 0.001 m, flows to 0.001 m³/s, ...) and
// pure numbers (Fr, i, n, ratios) to significant digits. Rounding is for the
// eye; the answer keeps every value exact.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/toolkit/catalog.h"
#include "calc/toolkit/text_sink.h"

namespace channelflow::calc {

inline constexpr std::size_t kUnitKinds = static_cast<std::size_t>(UnitKind::Percent) + 1;

struct Precision {
  // Decimals by unit kind (0..15), or -1 for the full form. A pure number's
  // entry (UnitKind::None) counts significant digits (1..17).
  std::array<std::int8_t, kUnitKinds> places{-1, -1, -1, -1, -1, -1, -1, -1, -1};

  bool full() const;
  // Lengths, areas, flows, velocities and momenta to 3 decimals, stresses,
  // Chézy coefficients and percentages to 2, pure numbers to 4 significant digits.
  static Precision engineering();
};

// Reads "full", "eng" (Precision::engineering), a count of decimals for every
// kind with a unit, or "kind=count,..." over the kinds length, area,
// discharge, velocity, stress, chezy, momentum, percent and ratio (a pure
// number's significant digits). Throws CalcError naming `field`.
Precision readPrecision(std::string_view text, std::string_view field);

// The value as the precision shows a quantity of `unit`.
void writeNumber(TextSink& out, double value, UnitKind unit, const Precision& precision);
std::string numberText(double value, UnitKind unit, const Precision& precision);

}  // namespace channelflow::calc
