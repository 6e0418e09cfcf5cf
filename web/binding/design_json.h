// The design tables of GB 50288-2018 for the catalog's pickers: the rows of
// Appendices B and C by the keys the roughness and velocity-limits answers
// use, the soils, Table 6.4.4's side slopes and Table 6.3.4's enlargements.
#pragma once

#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "web/binding/json.h"

namespace channelflow::web {

// "design": {"roughness", "scour", "scourDepths", "soils", "sideSlopes", "enlargement"}.
void putDesignTables(Json& json);

}  // namespace channelflow::web
