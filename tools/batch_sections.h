// The second edition's batch rows: a header that names any of the columns
// section, units, m1, m2, n-bed or n-wall describes each row's channel as the
// options of `solve` do (D, r and p among them), any section in either unit
// system.
// Each row's cells are read as those options, so a row is checked exactly as
// a command line is; an empty cell counts as left out.
#pragma once

#include "tools/csv.h"
#include "tools/output_sink.h"

#include <array>
#include <cstdio>
#include <span>
#include <string_view>

namespace channelflow::tools {

inline constexpr std::array<std::string_view, 14> kSectionColumns{
    "h", "i", "section", "units", "B", "m", "m1", "m2", "D", "r", "p", "n", "n-bed", "n-wall"};

// Whether the header names a column only the second edition knows.
bool isSectionHeader(std::span<const std::string_view> names);

// The result columns after the header's own, ending in error.
inline constexpr std::array<std::string_view, 16> kSectionResults{
    "A", "P", "R", "T", "D", "C", "v", "Q", "Fr", "regime", "hc", "vc", "ic", "E", "tau0", "error"};

struct SectionLayout {
  std::array<std::size_t, kSectionColumns.size()> columns;  // columnCount where absent
  std::size_t columnCount;
  bool json;
};

// Finds the columns (h and i required, none twice). False with a message on err otherwise.
bool sectionLayout(std::span<const std::string_view> names, bool json, SectionLayout& layout, std::FILE* err);

// Computes one row and writes it: the header's cells and the results, or its JSON object.
void writeSectionRow(const CsvRecord& record, const SectionLayout& layout, OutputSink& out);

}  // namespace channelflow::tools
