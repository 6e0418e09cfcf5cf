#include "calc/design/roughness_table.h"
#include "calc/design/lining_groups.h"

#include <array>

namespace channelflow::calc::design {
namespace {

using enum FlowClass;
using enum ScourSource;

constexpr Text kEarth{"土渠", "earth canal"};
constexpr Text kRock{"石渠", "rock canal"};
constexpr Text kMembrane{"膜料", "membrane"};

constexpr Text kGood{"平整顺直，养护良好", "smooth and straight, well maintained"};
constexpr Text kAverage{"平整顺直，养护一般", "smooth and straight, average upkeep"};
constexpr Text kPoor{"渠床多石，杂草丛生，养护较差", "stony bed, overgrown with weeds, poor upkeep"};

// Where a B.0.3 row spans two C.0.4 rows (dressed stone and slabs, single and
// double mortared rubble), it takes the smaller limit. Dry cobbles take
// C.0.4's only dry-cobble row, which is for a lining sealed by silt.
// clang-format off
constexpr std::array<RoughnessRow, 34> kRoughness{{
  {"earth-large-good",          "B.0.1", kEarth, kGood,    Above20,   0.0200, 0.0200, 0.0225, Soil, ""},
  {"earth-large-average",       "B.0.1", kEarth, kAverage, Above20,   0.0225, 0.0225, 0.0250, Soil, ""},
  {"earth-large-poor",          "B.0.1", kEarth, kPoor,    Above20,   0.0250, 0.0250, 0.0275, Soil, ""},
  {"earth-medium-good",         "B.0.1", kEarth, kGood,    From1To20, 0.0225, 0.0225, 0.0250, Soil, ""},
  {"earth-medium-average",      "B.0.1", kEarth, kAverage, From1To20, 0.0250, 0.0250, 0.0275, Soil, ""},
  {"earth-medium-poor",         "B.0.1", kEarth, kPoor,    From1To20, 0.0275, 0.0275, 0.0300, Soil, ""},
  {"earth-small-winding",       "B.0.1", kEarth, {"渠床弯曲，养护一般", "winding bed, average upkeep"},
                                                           Below1,    0.0250, 0.0250, 0.0275, Soil, ""},
  {"earth-small-fixed",         "B.0.1", kEarth, {"支渠以下的固定渠道", "fixed canals below the branch canals"},
                                                           Below1,    0.0275, 0.0275, 0.0300, Soil, ""},
  {"earth-small-poor",          "B.0.1", kEarth, kPoor,    Below1,    0.0300, 0.0300, 0.0350, Soil, ""},
  {"rock-trimmed",              "B.0.2", kRock, {"经过良好修整", "well trimmed"},                          Any, 0.0250, 0.0250, 0, Soil, ""},
  {"rock-moderate",             "B.0.2", kRock, {"经过中等修整无凸出部分", "moderately trimmed, no projections"}, Any, 0.0300, 0.0300, 0, Soil, ""},
  {"rock-moderate-projections", "B.0.2", kRock, {"经过中等修整有凸出部分", "moderately trimmed, with projections"}, Any, 0.0330, 0.0330, 0, Soil, ""},
  {"rock-untrimmed",            "B.0.2", kRock, {"未经修整有凸出部分", "untrimmed, with projections"},    Any, 0.0350, 0.0450, 0, Soil, ""},
  {"mortared-dressed-stone",    "B.0.3", kMasonry, {"浆砌料石、石板", "mortared dressed stone or slabs"},  Any, 0.0150, 0.0230, 0, Lining, "mortared-stone-slabs"},
  {"mortared-rubble",           "B.0.3", kMasonry, {"浆砌块石", "mortared rubble"},                      Any, 0.0200, 0.0250, 0, Lining, "mortared-stone-single"},
  {"dry-rubble",                "B.0.3", kMasonry, {"干砌块石", "dry rubble"},                           Any, 0.0250, 0.0330, 0, None,   ""},
  {"mortared-cobbles",          "B.0.3", kMasonry, {"浆砌卵石", "mortared cobbles"},                     Any, 0.0230, 0.0275, 0, None,   ""},
  {"dry-cobbles-good",          "B.0.3", kMasonry, {"干砌卵石，砌工良好", "dry cobbles, good work"},      Any, 0.0250, 0.0325, 0, Lining, "dry-cobbles-silted"},
  {"dry-cobbles-average",       "B.0.3", kMasonry, {"干砌卵石，砌工一般", "dry cobbles, average work"},   Any, 0.0275, 0.0375, 0, Lining, "dry-cobbles-silted"},
  {"dry-cobbles-rough",         "B.0.3", kMasonry, {"干砌卵石，砌工粗糙", "dry cobbles, rough work"},     Any, 0.0325, 0.0425, 0, Lining, "dry-cobbles-silted"},
  {"membrane-earth-cover",      "B.0.3", kMembrane, {"土料保护层", "with an earth cover"},               Any, 0.0225, 0.0275, 0, CoverSoil, ""},
  {"asphalt-smooth",            "B.0.3", kAsphalt, {"机械现场浇筑，表面光滑", "machine-placed in situ, smooth"}, Any, 0.0120, 0.0140, 0, Lining, "asphalt-cast-in-place"},
  {"asphalt-rough",             "B.0.3", kAsphalt, {"机械现场浇筑，表面粗糙", "machine-placed in situ, rough"},  Any, 0.0150, 0.0170, 0, Lining, "asphalt-cast-in-place"},
  {"asphalt-precast",           "B.0.3", kAsphalt, {"预制板砌筑", "precast slabs"},                      Any, 0.0160, 0.0180, 0, Lining, "asphalt-precast-paving"},
  {"concrete-trowelled",        "B.0.3", kConcrete, {"抹光的水泥砂浆面", "trowelled mortar surface"},    Any, 0.0120, 0.0130, 0, Lining, "concrete-cast-in-place"},
  {"concrete-steel-forms",      "B.0.3", kConcrete, {"金属模板浇筑，平整顺直，表面光滑", "cast in steel forms, smooth and straight"}, Any, 0.0120, 0.0140, 0, Lining, "concrete-cast-in-place"},
  {"concrete-timber-forms",     "B.0.3", kConcrete, {"刨光木模板浇筑，表面一般", "cast in planed timber forms, average surface"}, Any, 0.0150, 0.0150, 0, Lining, "concrete-cast-in-place"},
  {"concrete-rough",            "B.0.3", kConcrete, {"表面粗糙，缝口不齐", "rough surface, uneven joints"}, Any, 0.0170, 0.0170, 0, Lining, "concrete-cast-in-place"},
  {"concrete-poor",             "B.0.3", kConcrete, {"修整及养护较差", "poorly finished and maintained"}, Any, 0.0180, 0.0180, 0, Lining, "concrete-cast-in-place"},
  {"concrete-precast-slabs",    "B.0.3", kConcrete, {"预制板砌筑", "precast slabs"},                     Any, 0.0160, 0.0180, 0, Lining, "concrete-precast-paving"},
  {"concrete-precast-flumes",   "B.0.3", kConcrete, {"预制渠槽", "precast flume sections"},              Any, 0.0120, 0.0160, 0, Lining, "concrete-precast-paving"},
  {"shotcrete-even",            "B.0.3", kConcrete, {"平整的喷浆面", "even shotcrete"},                  Any, 0.0150, 0.0160, 0, Lining, "concrete-sprayed"},
  {"shotcrete-uneven",          "B.0.3", kConcrete, {"不平整的喷浆面", "uneven shotcrete"},              Any, 0.0170, 0.0180, 0, Lining, "concrete-sprayed"},
  {"shotcrete-wavy",            "B.0.3", kConcrete, {"波状断面的喷浆面", "wavy shotcrete"},              Any, 0.0180, 0.0250, 0, Lining, "concrete-sprayed"},
}};

constexpr std::array<Text, 4> kFlowClasses{{
  {"", ""},
  {"流量大于 20 m³/s", "flow above 20 m³/s"},
  {"流量 1～20 m³/s", "flow of 1 to 20 m³/s"},
  {"流量小于 1 m³/s", "flow below 1 m³/s"},
}};
// clang-format on

}  // namespace

bool inFlowClass(FlowClass flowClass, double Q) {
  switch (flowClass) {
    case Any: return true;
    case Above20: return Q > 20;
    case From1To20: return Q >= 1 && Q <= 20;
    case Below1: return Q < 1;
  }
  return false;
}

const Text& flowClassText(FlowClass flowClass) { return kFlowClasses[static_cast<std::size_t>(flowClass)]; }

std::span<const RoughnessRow> roughnessTable() { return kRoughness; }

const RoughnessRow* findRoughnessRow(std::string_view key) {
  for (const RoughnessRow& row : kRoughness) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

}  // namespace channelflow::calc::design
