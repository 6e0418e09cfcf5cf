// A canal design as JSON for the browser: the design tables of GB 50288-2018
// for the catalog's pickers, and a design's answer (its items go through the
// toolkit's item writer) with the schemes as a table, the checks, the
// calculation report's lines and the outline with both water levels.
#pragma once

#include "calc/toolkit/messages.h"
#include "calc/toolkit/toolkit.h"
#include "web/binding/json.h"

namespace channelflow::web {

// "design": {"roughness", "scour", "scourDepths", "soils", "sideSlopes", "enlargement"}.
void putDesignTables(Json& json);

// "schemes", "checks", "report" and "outline" members of a design's answer.
void putDesignAnswer(Json& json, const calc::DesignAnswer& answer, calc::Language language);

// A design table row's name (a lining's, a soil's) where a term's would stand.
std::string rowOrTermText(std::string_view key, calc::Language language);

}  // namespace channelflow::web
