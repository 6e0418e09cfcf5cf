// --points-file: a surveyed section's points from a CSV file with a header
// row naming its columns station and elevation, and optionally n (the
// Chinese 起点距, 高程 and 糙率 too), read with batch's CSV reader and handed
// to the toolkit as the text --points would give.
#pragma once

#include <string_view>

#include "calc/toolkit/inputs.h"

namespace channelflow::tools {

// Sets `inputs`' "points" from the file at `path`. Throws calc::CalcError
// naming points-file: the file cannot be read, its header lacks a column, or
// a cell holds more than one value (its point's position counted from 1).
// Blank lines are skipped; an empty n cell leaves that point without an n.
void readPointsFile(std::string_view path, calc::Inputs& inputs);

}  // namespace channelflow::tools
