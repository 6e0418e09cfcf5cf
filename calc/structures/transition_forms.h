// The loss coefficients of transitions (渐变段) by form, as the standard
// prints them: Table K.1.2 (aqueducts; tunnels borrow it, the standard
// giving none of their own), Table L.1.2 (inverted siphons) and Table
// M.0.3-3 (culverts). ξ1 is the inlet's (contracting), ξ2 the outlet's
// (expanding). A form whose ξ is a range is read at a typed ξ within it, or
// linearly over the angle range the table pairs with it (canal-line.md §15
// item 7); where the table gives no angle, only at a typed ξ.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc/toolkit/catalog.h"

namespace channelflow::calc::structures {

enum class TransitionFamily : std::uint8_t { Aqueduct, Siphon, Culvert };

// "K.1.2", "L.1.2" or "M.0.3-3".
std::string_view familyTable(TransitionFamily family);

struct Range {
  double low = 0, high = 0;  // equal for one printed value
};

struct TransitionForm {
  TransitionFamily family;
  std::string_view key;  // "reverse-warped"
  Text name;
  Range inlet, outlet;            // ξ1 and ξ2
  Range inletAngle, outletAngle;  // θ1, θ2 in degrees over which a ranged ξ runs; 0, 0 when none
  double angleLimit = 0;          // the table's condition θ <= this (degrees); 0 when none
};

std::span<const TransitionForm> transitionForms();

// The form of this family by key; nullptr when there is none.
const TransitionForm* findTransitionForm(TransitionFamily family, std::string_view key);

}  // namespace channelflow::calc::structures
