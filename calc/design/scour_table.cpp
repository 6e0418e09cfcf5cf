#include "calc/design/scour_table.h"
#include "calc/design/lining_groups.h"

#include "numeric/text/number_text.h"

namespace channelflow::calc::design {
namespace {

using enum ScourBasis;

constexpr VelocityCell range(double low, double high) { return {low, high, Bound::Range}; }
constexpr VelocityCell one(double v) { return {v, v, Bound::Single}; }
constexpr VelocityCell below(double v) { return {v, v, Bound::Below}; }
constexpr VelocityCell above(double v) { return {v, v, Bound::Above}; }

constexpr Text kNone{"", ""};
constexpr Text kMembrane{"膜料（土料保护层）", "membrane under an earth cover"};

// clang-format off
constexpr std::array<ScourRow, 37> kScour{{
  {"light-loam",          "C.0.1", kNone, {"轻壤土", "light loam"},   Radius, {range(0.60, 0.80)}, 0, 0, {}},
  {"medium-loam",         "C.0.1", kNone, {"中壤土", "medium loam"},  Radius, {range(0.65, 0.85)}, 0, 0, {}},
  {"heavy-loam",          "C.0.1", kNone, {"重壤土", "heavy loam"},   Radius, {range(0.70, 0.95)}, 0, 0, {}},
  {"clay",                "C.0.1", kNone, {"黏土", "clay"},           Radius, {range(0.75, 1.00)}, 0, 0, {}},

  {"silt",                "C.0.2", kNone, {"淤泥", "silt"},                Depth, {range(0.12, 0.17), range(0.15, 0.21), range(0.17, 0.24), range(0.19, 0.26)}, 0.005, 0.05, {}},
  {"fine-sand",           "C.0.2", kNone, {"细沙", "fine sand"},           Depth, {range(0.17, 0.27), range(0.21, 0.32), range(0.24, 0.37), range(0.26, 0.40)}, 0.05, 0.25, {}},
  {"medium-sand",         "C.0.2", kNone, {"中沙", "medium sand"},         Depth, {range(0.27, 0.47), range(0.32, 0.57), range(0.37, 0.65), range(0.40, 0.70)}, 0.25, 1, {}},
  {"coarse-sand",         "C.0.2", kNone, {"粗沙", "coarse sand"},         Depth, {range(0.47, 0.53), range(0.57, 0.65), range(0.65, 0.75), range(0.70, 0.80)}, 1, 2.5, {}},
  {"fine-gravel",         "C.0.2", kNone, {"细砾石", "fine gravel"},       Depth, {range(0.53, 0.65), range(0.65, 0.80), range(0.75, 0.90), range(0.80, 0.95)}, 2.5, 5, {}},
  {"medium-gravel",       "C.0.2", kNone, {"中砾石", "medium gravel"},     Depth, {range(0.65, 0.80), range(0.80, 1.00), range(0.90, 1.10), range(0.95, 1.20)}, 5, 10, {}},
  {"coarse-gravel",       "C.0.2", kNone, {"大砾石", "coarse gravel"},     Depth, {range(0.80, 0.95), range(1.00, 1.20), range(1.10, 1.30), range(1.20, 1.40)}, 10, 15, {}},
  {"small-cobbles",       "C.0.2", kNone, {"小卵石", "small cobbles"},     Depth, {range(0.95, 1.20), range(1.20, 1.40), range(1.30, 1.60), range(1.40, 1.80)}, 15, 25, {}},
  {"medium-cobbles",      "C.0.2", kNone, {"中卵石", "medium cobbles"},    Depth, {range(1.20, 1.50), range(1.40, 1.80), range(1.60, 2.10), range(1.80, 2.20)}, 25, 40, {}},
  {"large-cobbles",       "C.0.2", kNone, {"大卵石", "large cobbles"},     Depth, {range(1.50, 2.00), range(1.80, 2.40), range(2.10, 2.80), range(2.20, 3.00)}, 40, 75, {}},
  {"small-boulders",      "C.0.2", kNone, {"小漂石", "small boulders"},    Depth, {range(2.00, 2.30), range(2.40, 2.80), range(2.80, 3.20), range(3.00, 3.40)}, 75, 100, {}},
  {"medium-boulders",     "C.0.2", kNone, {"中漂石", "medium boulders"},   Depth, {range(2.30, 2.80), range(2.80, 3.40), range(3.20, 3.90), range(3.40, 4.20)}, 100, 150, {}},
  {"large-boulders",      "C.0.2", kNone, {"大漂石", "large boulders"},    Depth, {range(2.80, 3.20), range(3.40, 3.90), range(3.90, 4.50), range(4.20, 4.90)}, 150, 200, {}},
  {"very-large-boulders", "C.0.2", kNone, {"顽石", "very large boulders"}, Depth, {above(3.20), above(3.90), above(4.50), above(4.90)}, 200, 0, {}},

  {"conglomerate",        "C.0.3", kNone, {"砾岩、泥灰岩、页岩", "conglomerate, marl, shale"}, Depth, {one(2.0), one(2.5), one(3.0), one(3.5)}, 0, 0, {}},
  {"limestone",           "C.0.3", kNone, {"石灰岩、致密的砾岩、砂岩、白云石灰岩", "limestone, dense conglomerate, sandstone, dolomitic limestone"},
                                                                         Depth, {one(3.0), one(3.5), one(4.0), one(4.5)}, 0, 0, {}},
  {"dense-limestone",     "C.0.3", kNone, {"白云砂岩、致密的石灰岩、硅质石灰岩、大理岩", "dolomitic sandstone, dense limestone, siliceous limestone, marble"},
                                                                         Depth, {one(4.0), one(5.0), one(5.5), one(6.0)}, 0, 0, {}},
  {"granite",             "C.0.3", kNone, {"花岗岩、辉绿岩、玄武岩、安山岩、石英岩、斑岩", "granite, diabase, basalt, andesite, quartzite, porphyry"},
                                                                         Depth, {one(15.0), one(18.0), one(20.0), one(22.0)}, 0, 0, {}},

  {"dry-cobbles-silted",     "C.0.4", kMasonry,  {"干砌卵石（挂淤）", "dry cobbles, sealed by silt"},        Fixed, {range(2.50, 4.00)}, 0, 0, {}},
  {"mortared-stone-single",  "C.0.4", kMasonry,  {"浆砌块石，单层", "mortared rubble, single layer"},       Fixed, {range(2.50, 4.00)}, 0, 0, {}},
  {"mortared-stone-double",  "C.0.4", kMasonry,  {"浆砌块石，双层", "mortared rubble, double layer"},       Fixed, {range(3.50, 5.00)}, 0, 0, {}},
  {"mortared-ashlar",        "C.0.4", kMasonry,  {"浆砌料石", "mortared dressed stone"},                     Fixed, {range(4.0, 6.0)},   0, 0, {}},
  {"mortared-stone-slabs",   "C.0.4", kMasonry,  {"浆砌石板", "mortared stone slabs"},                       Fixed, {below(2.5)},        0, 0, {}},
  {"membrane-sandy-loam",    "C.0.4", kMembrane, {"沙壤土、轻壤土", "sandy loam, light loam"},               CoverRadius, {below(0.45)}, 0, 0, {"sandy-loam", "light-loam"}},
  {"membrane-medium-loam",   "C.0.4", kMembrane, {"中壤土", "medium loam"},                                  CoverRadius, {below(0.60)}, 0, 0, {"medium-loam"}},
  {"membrane-heavy-loam",    "C.0.4", kMembrane, {"重壤土", "heavy loam"},                                   CoverRadius, {below(0.65)}, 0, 0, {"heavy-loam"}},
  {"membrane-clay",          "C.0.4", kMembrane, {"黏土", "clay"},                                           CoverRadius, {below(0.70)}, 0, 0, {"clay"}},
  {"membrane-sand-gravel",   "C.0.4", kMembrane, {"沙砾料", "sand and gravel"},                              CoverRadius, {below(0.90)}, 0, 0, {"sandy-gravel"}},
  {"asphalt-cast-in-place",  "C.0.4", kAsphalt,  {"现场浇筑", "cast in place"},                             Fixed, {below(3.00)},       0, 0, {}},
  {"asphalt-precast-paving", "C.0.4", kAsphalt,  {"预制铺砌", "precast paving"},                             Fixed, {below(2.00)},       0, 0, {}},
  {"concrete-cast-in-place", "C.0.4", kConcrete, {"现场浇筑", "cast in place"},                              Fixed, {below(8.00)},       0, 0, {}},
  {"concrete-precast-paving","C.0.4", kConcrete, {"预制铺砌", "precast paving"},                             Fixed, {below(5.00)},       0, 0, {}},
  {"concrete-sprayed",       "C.0.4", kConcrete, {"喷射法施工", "sprayed (shotcrete)"},                      Fixed, {below(10.00)},      0, 0, {}},
}};
// clang-format on

}  // namespace

std::span<const ScourRow> scourTable() { return kScour; }

const ScourRow* findScourRow(std::string_view key) {
  for (const ScourRow& row : kScour) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

std::string cellText(const VelocityCell& cell) {
  const std::string low = numeric::formatDouble(cell.low);
  switch (cell.bound) {
    case Bound::Range: return low + "～" + numeric::formatDouble(cell.high);
    case Bound::Single: return low;
    case Bound::Below: return "< " + low;
    case Bound::Above: return "> " + low;
  }
  return low;
}

std::string grainText(const ScourRow& row) {
  if (row.grainFrom == 0) return "";
  if (row.grainTo == 0) return "> " + numeric::formatDouble(row.grainFrom);
  return numeric::formatDouble(row.grainFrom) + "～" + numeric::formatDouble(row.grainTo);
}

const ScourRow* membraneCoverRow(std::string_view soil) {
  for (const ScourRow& row : kScour) {
    for (std::string_view cover : row.cover) {
      if (!cover.empty() && cover == soil) return &row;
    }
  }
  return nullptr;
}

}  // namespace channelflow::calc::design
