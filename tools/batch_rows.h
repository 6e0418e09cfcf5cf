// The rows of a batch: which columns the header names, and each row computed
// by the toolkit's report and written with its cells, its results and its
// error. A header that names B, h, m, i and n only is the first edition's
// (the plain SI trapezoid); one that names any of section, units, m1, m2,
// n-bed, n-wall or points describes each row's channel as solve's options do,
// D, r and p among them, an empty cell counting as left out; with a points
// column a row may give its water level wse instead of h, and the results
// add wse, K, alpha and every critical depth.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "calc/toolkit/problem.h"
#include "tools/cli_args.h"
#include "tools/csv.h"
#include "tools/output_sink.h"

namespace channelflow::tools {

inline constexpr std::array<std::string_view, 16> kBatchInputs{
    "h", "i", "section", "units", "B", "m", "m1", "m2", "D", "r", "p", "n", "n-bed", "n-wall", "points", "wse"};

struct BatchLayout {
  bool firstEdition = true;
  bool points = false;  // a points column: surveyed sections' results too
  std::vector<std::string_view> results;  // with a points column, the results' keys
  bool json = false;
  std::size_t columnCount = 0;
  std::array<std::size_t, kBatchInputs.size()> columns{};  // columnCount where absent
};

// The layout the header describes, or the usage problem with it (a required
// column missing, a column named twice).
BatchLayout batchLayout(std::span<const std::string_view> header, bool json);

// The header line of CSV output: the input's columns and the results'.
void writeBatchHeader(std::span<const std::string_view> header, const BatchLayout& layout, OutputSink& out);

// Computes one row and writes it: its cells and results (CSV), or its object (JSON).
void writeBatchRow(const CsvRecord& record, const BatchLayout& layout, OutputSink& out);

}  // namespace channelflow::tools
