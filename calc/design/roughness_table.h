// Appendix B of GB 50288-2018 (渠床糙率): Manning's n of a canal bed, Table
// B.0.1 for earth canals (by flow class and upkeep, for irrigation and for
// escape canals), B.0.2 for rock canals and B.0.3 for seepage-control
// linings. Each row also names where its allowable non-scouring velocity
// (Appendix C) comes from.
//
// The copy of the standard read for these tables lost its merged cells; the
// rows are grouped by the most likely reading: B.0.1 three rows to each flow
// class (so 渠床弯曲、养护一般 belongs to Q < 1), B.0.3 three asphalt rows and
// ten concrete rows.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc/toolkit/catalog.h"

namespace channelflow::calc::design {

// Table B.0.1's flow classes: "> 20", "1～20" (both ends), "< 1" m³/s.
enum class FlowClass : std::uint8_t { Any, Above20, From1To20, Below1 };

bool inFlowClass(FlowClass flowClass, double Q);
// "流量 1～20 m³/s" and the like; empty for Any.
const Text& flowClassText(FlowClass flowClass);

// Where a bed's non-scouring velocity is found in Appendix C.
enum class ScourSource : std::uint8_t {
  Soil,        // the row of the canal's soil or rock (--soil): earth and rock canals
  Lining,      // the Table C.0.4 row `scour`
  CoverSoil,   // the Table C.0.4 membrane row of the cover's soil (--soil)
  None,        // Table C.0.4 has no row for this lining
};

struct RoughnessRow {
  std::string_view key;       // --lining
  std::string_view table;     // "B.0.1"
  Text group;                 // 土渠, 石渠, 砌石, 膜料, 沥青混凝土, 混凝土
  Text condition;             // 平整顺直，养护良好
  FlowClass flow;             // the earth canals' class
  double low, high;           // n; low == high for one value
  double escape;              // B.0.1: an escape canal's n; 0 elsewhere
  ScourSource scourSource;
  std::string_view scour;     // the Table C.0.4 row, for ScourSource::Lining
};

std::span<const RoughnessRow> roughnessTable();
const RoughnessRow* findRoughnessRow(std::string_view key);

// Whether the row is an earth canal's (Table B.0.1), whose design velocity §6.3.10 guides.
inline bool isEarthCanal(const RoughnessRow& row) { return row.table == "B.0.1"; }

}  // namespace channelflow::calc::design
