// The one table writer of the command line: the toolkit's items as text
// lines ("流速 v = 0.92 m/s"), a CSV header and row, or a JSON object, every
// number in the calculator's 15-digit text form.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "calc/toolkit/toolkit.h"
#include "tools/cli_args.h"
#include "tools/output_sink.h"

namespace channelflow::tools {

// Text lines, a CSV header and row, or one JSON object on one line.
void writeItems(const calc::Items& items, calc::UnitSystem units, OutputFormat format, OutputSink& out);

void writeTextItems(const calc::Items& items, calc::UnitSystem units, OutputSink& out);
void writeCsvHeader(const calc::Items& items, OutputSink& out);
void writeCsvRow(const calc::Items& items, OutputSink& out);
// `"key": value, ...` without the braces.
void writeJsonMembers(const calc::Items& items, OutputSink& out);

// One value as data: a JSON value, or a CSV cell (nothing for no value).
void putJsonValue(const calc::Item& item, OutputSink& out);
void putCsvValue(const calc::Item& item, OutputSink& out);

// The items with these keys, in this order (keys without an item are skipped).
calc::Items selectItems(const calc::Items& items, std::span<const std::string_view> keys);

// "m", "m³/s", ...: a quantity's unit in the system; empty for a pure number.
std::string_view unitOf(calc::QuantityId id, calc::UnitSystem units);

// The unit system an answer's "units" item names.
calc::UnitSystem unitSystemOf(const calc::Items& items);

// A term's name as the command line shows it (Chinese).
std::string_view termName(std::string_view key);

}  // namespace channelflow::tools
