// The local loss coefficients inside an inverted siphon's barrels, Appendix
// L.1.4: the trash rack's bar shapes (Table L.1.4-1), the entrance forms
// (Table L.1.4-2), bends (Tables L.1.4-3 and L.1.4-4) and the outlet into
// the open channel (Table L.1.4-5).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc/structures/transition_forms.h"
#include "numeric/elementary/real.h"

namespace channelflow::calc::structures {

using numeric::Real;

// Table L.1.4-1: the bar shape factors β, as printed.
std::span<const double> rackShapeFactors();

// Table L.1.4-2: the pipe entrance by form; a range is read at a typed ζ.
struct EntranceForm {
  std::string_view key;  // "not-rounded"
  Text name;
  Range zeta;
};
std::span<const EntranceForm> entranceForms();
const EntranceForm* findEntranceForm(std::string_view key);

// Table L.1.4-3: a 90° bend's ξ at R/D0 from 0.5 to 11 (linear between rows).
// `item` names the bend of a list at fault (from 1), 0 for none.
Real bendCoefficient90(const Real& radiusOverDiameter, std::string_view field, int item = 0);

// Table L.1.4-4: γ at a deflection θ of 0° to 140° (linear between rows),
// with γ = 0 at 0° below the printed 5°, and nothing for θ < 0.1°.
Real bendAngleFactor(const Real& degrees, std::string_view field, int item = 0);

// Table L.1.4-5: the outlet's ξc at ω_pipe/ω_channel, 0.1 to 0.9 as printed
// (linear between rows), or (1 - x)^2 for any x from 0 to 1 on request.
enum class OutletRule : std::uint8_t { AsPrinted, SuddenExpansion };
Real outletCoefficient(const Real& areaRatio, OutletRule rule, std::string_view field);

}  // namespace channelflow::calc::structures
