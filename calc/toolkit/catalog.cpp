#include "calc/toolkit/catalog.h"

#include <cstddef>

namespace channelflow::calc {
namespace {

struct UnitRow {
  UnitKind kind;
  std::string_view key, si, us;
};

// clang-format off
constexpr std::array<UnitRow, 9> kUnits{{
  {UnitKind::None,      "none",      "",        ""},
  {UnitKind::Length,    "length",    "m",       "ft"},
  {UnitKind::Area,      "area",      "m²",      "ft²"},
  {UnitKind::Discharge, "discharge", "m³/s",    "ft³/s"},
  {UnitKind::Velocity,  "velocity",  "m/s",     "ft/s"},
  {UnitKind::Stress,    "stress",    "Pa",      "lbf/ft²"},
  {UnitKind::Chezy,     "chezy",     "m^0.5/s", "ft^0.5/s"},
  {UnitKind::Momentum,  "momentum",  "m³",      "ft³"},
  {UnitKind::Percent,   "percent",   "%",       "%"},
}};

constexpr std::array<ParameterInfo, 44 + 73> kParameters{{
  {"section", "",       {"断面形状", "Section"},                UnitKind::None,      Limit::Choice},
  {"units",   "",       {"单位制", "Units"},                    UnitKind::None,      Limit::Choice},
  {"B",       "B",      {"下底宽", "Bottom width"},             UnitKind::Length,    Limit::NonNegative},
  {"m",       "m",      {"边坡系数", "Side slope"},             UnitKind::None,      Limit::NonNegative},
  {"m1",      "m1",     {"左边坡系数", "Left side slope"},      UnitKind::None,      Limit::NonNegative},
  {"m2",      "m2",     {"右边坡系数", "Right side slope"},     UnitKind::None,      Limit::NonNegative},
  {"D",       "D",      {"直径", "Diameter"},                   UnitKind::Length,    Limit::Positive},
  {"r",       "r",      {"底部半径", "Bottom radius"},          UnitKind::Length,    Limit::Positive},
  {"p",       "p",      {"抛物线参数", "Parabola parameter"},   UnitKind::Length,    Limit::Positive},
  {"i",       "i",      {"渠底坡度", "Bed slope"},              UnitKind::None,      Limit::Any},
  {"n",       "n",      {"粗糙系数", "Manning's n"},            UnitKind::None,      Limit::Positive},
  {"n-bed",   "n-bed",  {"渠底粗糙系数", "Bed roughness"},      UnitKind::None,      Limit::Positive},
  {"n-wall",  "n-wall", {"边壁粗糙系数", "Wall roughness"},     UnitKind::None,      Limit::Positive},
  {"h",       "h",      {"水深", "Depth"},                      UnitKind::Length,    Limit::Positive},
  {"Q",       "Q",      {"流量", "Discharge"},                  UnitKind::Discharge, Limit::Positive},
  {"h0",      "h0",     {"控制水深", "Control depth"},          UnitKind::Length,    Limit::Positive},
  {"h1",      "h1",     {"水深", "Depth"},                      UnitKind::Length,    Limit::Positive},
  {"to-h",    "to-h",   {"目标水深", "Target depth"},           UnitKind::Length,    Limit::Positive},
  {"length",  "length", {"推算长度", "Length"},                 UnitKind::Length,    Limit::Positive},
  {"steps",   "steps",  {"步数", "Steps"},                      UnitKind::None,      Limit::Count},
  {"unknown", "",       {"未知量", "Unknown"},                  UnitKind::None,      Limit::Choice},
  {"alpha",       "α",      {"面积比", "Area ratio"},                          UnitKind::None,      Limit::Positive},
  {"beta",        "β",      {"宽深比", "Width-to-depth ratio"},                UnitKind::None,      Limit::NonNegative},
  {"v-min",       "v-min",  {"最小允许流速", "Least allowed velocity"},        UnitKind::Velocity,  Limit::NonNegative},
  {"v-max",       "v-max",  {"最大允许流速", "Greatest allowed velocity"},     UnitKind::Velocity,  Limit::Positive},
  {"enlarge",     "P",      {"加大百分数", "Enlargement"},                     UnitKind::Percent,   Limit::NonNegative},
  {"min-ratio",   "",       {"最小流量与设计流量之比", "Minimum to design flow"}, UnitKind::None,   Limit::Positive},
  {"freeboard",   "Fb",     {"岸顶超高", "Freeboard"},                         UnitKind::Length,    Limit::NonNegative},
  {"bend-radius", "Rc",     {"弯道中心线半径", "Bend centreline radius"},      UnitKind::Length,    Limit::Positive},
  {"soil",        "",       {"土质", "Soil"},                                  UnitKind::None,      Limit::Choice},
  {"lining",      "",       {"渠床", "Bed"},                                   UnitKind::None,      Limit::Choice},
  {"n-pick",      "",       {"糙率取值", "Roughness taken"},                   UnitKind::None,      Limit::Choice},
  {"scour-pick",  "",       {"不冲流速取值", "Non-scouring velocity taken"},   UnitKind::None,      Limit::Choice},
  {"dxf-scale",   "",       {"绘图比例 1:N 的 N", "Drawing scale 1:N"},        UnitKind::None,      Limit::Positive},
  // A surveyed section: its points "x,z[,n] ..." and the water level, given instead of h.
  {"points",  "",       {"断面测点", "Surveyed points"},        UnitKind::Length,    Limit::Text},
  {"wse",     "wse",    {"水位", "Water-surface elevation"},    UnitKind::Length,    Limit::Any},
  // Closed sections: an arch-roofed tunnel's height and roof, a horseshoe's type.
  {"H",       "H",      {"洞高（底板至拱顶）", "Height to the crown"}, UnitKind::Length, Limit::Positive},
  {"Ra",      "Ra",     {"拱顶半径", "Roof radius"},            UnitKind::Length,    Limit::Positive},
  {"type",    "",       {"马蹄形类型", "Horseshoe type"},       UnitKind::None,      Limit::Choice},
  // A river reach: its sections (CSV or JSON text), flows, boundaries and friction slope.
  {"file",       "",    {"河段文件", "Reach file"},                 UnitKind::None,      Limit::Text},
  {"flows",      "",    {"流量", "Flows"},                          UnitKind::Discharge, Limit::Text},
  {"downstream", "",    {"下游边界条件", "Downstream boundary"},    UnitKind::None,      Limit::Text},
  {"upstream",   "",    {"上游边界条件", "Upstream boundary"},      UnitKind::None,      Limit::Text},
  {"friction",   "",    {"平均摩阻坡度取法", "Mean friction slope"}, UnitKind::None,     Limit::Choice},
  // Structures: their flows and gravity.
  {"Qj",               "Qj",    {"加大流量", "Enlarged flow"},                             UnitKind::Discharge, Limit::Positive},
  {"Qmin",             "Qmin",  {"最小流量", "Minimum flow"},                              UnitKind::Discharge, Limit::Positive},
  {"g",                "g (m/s²)", {"重力加速度", "Gravity"},                  UnitKind::None,      Limit::Positive},
  {"L",                "L",     {"长度", "Length"},                                        UnitKind::Length,    Limit::Positive},
  // The inverted siphon.
  {"barrels",          "N",     {"管数", "Barrels"},                                       UnitKind::None,      Limit::Count},
  {"v-trial",          "v",     {"试算流速", "Trial velocity"},                            UnitKind::Velocity,  Limit::Positive},
  {"series",           "",      {"管径取整", "Diameter rounding"},                         UnitKind::None,      Limit::Choice},
  {"entrance",         "",      {"进口形式（表 L.1.4-2）", "Entrance form (Table L.1.4-2)"}, UnitKind::None,    Limit::Choice},
  {"inlet-zeta",       "ζ",     {"进口局部损失系数", "Entrance loss coefficient"},         UnitKind::None,      Limit::NonNegative},
  {"gate-slots",       "",      {"门槽数", "Gate slots"},                                  UnitKind::None,      Limit::Count},
  {"slot-zeta",        "ζ",     {"每个门槽的损失系数", "Loss coefficient of a slot"},      UnitKind::None,      Limit::NonNegative},
  {"slot-area",        "ω",     {"门槽处过水面积", "Flow area at the slots"},              UnitKind::Area,      Limit::Positive},
  {"rack",             "",      {"拦污栅 β:s:b:α", "Trash rack β:s:b:α"},                 UnitKind::None,      Limit::Text},
  {"bend",             "",      {"弯道 R:θ", "Bends R:θ"},                                 UnitKind::None,      Limit::List},
  {"outlet-ratio",     "",      {"出口面积比 ω管/ω渠", "Outlet area ratio"},                UnitKind::None,      Limit::Positive},
  {"outlet-zeta",      "ζ",     {"出口局部损失系数", "Outlet loss coefficient"},           UnitKind::None,      Limit::NonNegative},
  {"outlet-rule",      "",      {"出口系数取法", "Outlet coefficient rule"},               UnitKind::None,      Limit::Choice},
  {"bypass",           "",      {"旁通孔数", "Bypass openings"},                           UnitKind::None,      Limit::Count},
  {"chamber-width",    "",      {"进口闸室宽度", "Inlet chamber width"},                   UnitKind::Length,    Limit::Positive},
  {"bed-up",           "",      {"上游渠底高程", "Upstream canal bed"},                    UnitKind::Length,    Limit::Any},
  {"allowed-head",     "",      {"允许水头损失", "Head allowed"},                          UnitKind::Length,    Limit::Positive},
  {"inlet-crown",      "",      {"进口管顶高程", "Inlet crown elevation"},                 UnitKind::Length,    Limit::Any},
  {"outlet-crown",     "",      {"出口管顶高程", "Outlet crown elevation"},                UnitKind::Length,    Limit::Any},
  {"v-np",             "vnp",   {"不淤流速", "Non-silting velocity"},                      UnitKind::Velocity,  Limit::Positive},
  // Transitions and the canals at a structure's ends.
  {"inlet-form",       "",      {"进口渐变段形式", "Inlet transition form"},               UnitKind::None,      Limit::Choice},
  {"xi1",              "ξ1",    {"进口渐变段损失系数", "Inlet transition coefficient"},    UnitKind::None,      Limit::NonNegative},
  {"theta1",           "θ1 (°)", {"进口渐变段收缩角", "Inlet transition angle"},   UnitKind::None,      Limit::NonNegative},
  {"outlet-form",      "",      {"出口渐变段形式", "Outlet transition form"},              UnitKind::None,      Limit::Choice},
  {"xi2",              "ξ2",    {"出口渐变段损失系数", "Outlet transition coefficient"},   UnitKind::None,      Limit::NonNegative},
  {"theta2",           "θ2 (°)", {"出口渐变段扩散角", "Outlet transition angle"},  UnitKind::None,      Limit::NonNegative},
  {"v1",               "v1",    {"上游渠道流速", "Upstream canal velocity"},               UnitKind::Velocity,  Limit::NonNegative},
  {"v2",               "v2",    {"进口渐变段末端流速", "Velocity at the inlet transition's end"}, UnitKind::Velocity, Limit::NonNegative},
  {"v3",               "v3",    {"下游渠道流速", "Downstream canal velocity"},             UnitKind::Velocity,  Limit::NonNegative},
  {"hu",               "hu",    {"上游渠道水深", "Upstream canal depth"},                  UnitKind::Length,    Limit::Positive},
  {"hd",               "hd",    {"下游渠道水深", "Downstream canal depth"},                UnitKind::Length,    Limit::Positive},
  {"upstream-canal",   "",      {"上游渠道 B:m:n:i", "Upstream canal B:m:n:i"},            UnitKind::None,      Limit::Text},
  {"downstream-canal", "",      {"下游渠道 B:m:n:i", "Downstream canal B:m:n:i"},          UnitKind::None,      Limit::Text},
  // The aqueduct.
  {"trough",           "",      {"槽身形状", "Trough shape"},                              UnitKind::None,      Limit::Choice},
  {"ratio",            "",      {"槽高与槽宽之比 H/B（U 形 H/2R0）", "Height over width H/B (U: H/2R0)"}, UnitKind::None, Limit::Positive},
  {"grade",            "",      {"建筑物级别", "Structure grade"},                         UnitKind::None,      Limit::Count},
  {"inlet-slot-zeta",  "",      {"进口门槽损失系数", "Inlet slot coefficient"},            UnitKind::None,      Limit::NonNegative},
  {"outlet-slot-zeta", "",      {"出口门槽损失系数", "Outlet slot coefficient"},           UnitKind::None,      Limit::NonNegative},
  {"inlet-length",     "L1",    {"进口渐变段长度", "Inlet transition length"},             UnitKind::Length,    Limit::Positive},
  {"outlet-length",    "L2",    {"出口渐变段长度", "Outlet transition length"},            UnitKind::Length,    Limit::Positive},
  {"covered",          "",      {"箱形槽（有顶盖）", "Box trough (covered)"},              UnitKind::None,      Limit::Choice},
  {"height-step",      "",      {"槽高取整步长", "Height rounding step"},                  UnitKind::Length,    Limit::NonNegative},
  // Culverts and tunnels.
  {"barrel",           "",      {"涵洞断面形状", "Culvert barrel shape"},                  UnitKind::None,      Limit::Choice},
  {"height-ratio",     "",      {"城门洞形高宽比 H/B", "Arch height over width H/B"},      UnitKind::None,      Limit::Positive},
  // A transition alone.
  {"structure",        "",      {"建筑物类别", "Structure"},                               UnitKind::None,      Limit::Choice},
  {"end",              "",      {"进口或出口", "Inlet or outlet"},                         UnitKind::None,      Limit::Choice},
  {"form",             "",      {"渐变段形式", "Transition form"},                         UnitKind::None,      Limit::Choice},
  {"xi",               "ξ",     {"渐变段损失系数", "Transition coefficient"},              UnitKind::None,      Limit::NonNegative},
  {"theta",            "θ (°)", {"渐变段角度", "Transition angle"},               UnitKind::None,      Limit::NonNegative},
  {"v-up",             "",      {"渐变段上游端流速", "Velocity at the upstream end"},      UnitKind::Velocity,  Limit::NonNegative},
  {"v-down",           "",      {"渐变段下游端流速", "Velocity at the downstream end"},    UnitKind::Velocity,  Limit::NonNegative},
  {"canal-width",      "",      {"渠道水面宽", "Canal's surface width"},                   UnitKind::Length,    Limit::Positive},
  {"structure-width",  "",      {"建筑物水面宽", "Structure's surface width"},             UnitKind::Length,    Limit::Positive},
  {"canal-depth",      "",      {"渠道设计水深", "Canal's design depth"},                  UnitKind::Length,    Limit::Positive},
  // Gates, drops and chutes.
  {"weir-m",           "m",     {"流量系数", "Discharge coefficient"},                     UnitKind::None,      Limit::Positive},
  {"v0",               "v0",    {"行近流速", "Approach velocity"},                         UnitKind::Velocity,  Limit::NonNegative},
  {"hs",               "hs",    {"下游堰上水深", "Downstream depth over the sill"},        UnitKind::Length,    Limit::NonNegative},
  {"h-up",             "H",     {"上游堰上水深", "Upstream depth over the sill"},          UnitKind::Length,    Limit::Positive},
  {"b",                "b",     {"堰口宽度", "Crest width"},                               UnitKind::Length,    Limit::Positive},
  {"inlet",            "",      {"跌水进口形式", "Crest inlet"},                           UnitKind::None,      Limit::Choice},
  {"crest-slope",      "",      {"梯形堰口边坡系数", "Trapezoidal crest's side slope"},    UnitKind::None,      Limit::Positive},
  {"epsilon",          "ε",     {"侧收缩系数", "Contraction coefficient"},                 UnitKind::None,      Limit::Positive},
  {"P",                "P",     {"跌差", "Fall"},                                          UnitKind::Length,    Limit::NonNegative},
  {"basin-width",      "",      {"消力池宽度", "Basin width"},                             UnitKind::Length,    Limit::Positive},
  {"tailwater",        "ht",    {"下游渠道水深", "Tailwater depth"},                       UnitKind::Length,    Limit::NonNegative},
  {"phi",              "φ",     {"流速系数", "Velocity coefficient"},                      UnitKind::None,      Limit::Positive},
  {"sigma",            "σ",     {"水跃淹没安全系数", "Jump's safety factor"},              UnitKind::None,      Limit::Positive},
  {"zeta",             "ζ (s/m)", {"掺气系数", "Aeration coefficient"},          UnitKind::None,      Limit::NonNegative},
  {"backwater",        "",      {"允许壅高", "Allowed backwater"},                         UnitKind::Length,    Limit::NonNegative},
}};

constexpr std::array<SectionInfo, 7> kSections{{
  {"trapezoid", {"B", "m", "m1", "m2"}},
  {"circle",    {"D", "", "", ""}},
  {"u",         {"r", "m", "", ""}},
  {"parabola",  {"p", "", "", ""}},
  {"points",    {"points", "wse", "", ""}},
  {"arch",      {"B", "H", "Ra", ""}},
  {"horseshoe", {"r", "type", "", ""}},
}};

using enum QuantityId;
constexpr std::array<QuantityInfo, static_cast<std::size_t>(QuantityId::Count)> kQuantities{{
  {Section,           "section",          "",      {"断面形状", "Section"},                          UnitKind::None},
  {Units,             "units",            "",      {"单位制", "Units"},                              UnitKind::None},
  {B,                 "B",                "B",     {"下底宽", "Bottom width"},                       UnitKind::Length},
  {M,                 "m",                "m",     {"边坡系数", "Side slope"},                       UnitKind::None},
  {M1,                "m1",               "m1",    {"左边坡系数", "Left side slope"},                UnitKind::None},
  {M2,                "m2",               "m2",    {"右边坡系数", "Right side slope"},               UnitKind::None},
  {Diameter,          "diameter",         "D",     {"直径", "Diameter"},                             UnitKind::Length},
  {Radius,            "r",                "r",     {"底部半径", "Bottom radius"},                    UnitKind::Length},
  {ParabolaP,         "p",                "p",     {"抛物线参数", "Parabola parameter"},             UnitKind::Length},
  {Slope,             "i",                "i",     {"渠底坡度", "Bed slope"},                        UnitKind::None},
  {N,                 "n",                "n",     {"粗糙系数", "Manning's n"},                      UnitKind::None},
  {NBed,              "n-bed",            "n-bed", {"渠底粗糙系数", "Bed roughness"},                UnitKind::None},
  {NWall,             "n-wall",           "n-wall",{"边壁粗糙系数", "Wall roughness"},               UnitKind::None},
  {NMethod,           "n-method",         "",      {"综合粗糙系数计算方法", "Composite roughness method"}, UnitKind::None},
  {Depth,             "h",                "h",     {"水深", "Depth"},                                UnitKind::Length},
  {NormalDepthSolved, "h",                "h",     {"正常水深", "Normal depth"},                     UnitKind::Length},
  {EquivalentN,       "n",                "n",     {"等效粗糙系数", "Equivalent n"},                 UnitKind::None},
  {Area,              "A",                "A",     {"过水断面面积", "Flow area"},                    UnitKind::Area},
  {Perimeter,         "P",                "P",     {"湿周", "Wetted perimeter"},                     UnitKind::Length},
  {HydraulicRadius,   "R",                "R",     {"水力半径", "Hydraulic radius"},                 UnitKind::Length},
  {TopWidth,          "T",                "T",     {"水面宽度", "Top width"},                        UnitKind::Length},
  {HydraulicDepth,    "D",                "D",     {"水力深度", "Hydraulic depth"},                  UnitKind::Length},
  {Chezy,             "C",                "C",     {"谢才系数", "Chézy coefficient"},                UnitKind::Chezy},
  {Velocity,          "v",                "v",     {"流速", "Velocity"},                             UnitKind::Velocity},
  {Discharge,         "Q",                "Q",     {"流量", "Discharge"},                            UnitKind::Discharge},
  {Froude,            "Fr",               "Fr",    {"弗劳德数", "Froude number"},                    UnitKind::None},
  {Regime,            "regime",           "",      {"流态", "Flow regime"},                          UnitKind::None},
  {CriticalDepth,     "hc",               "hc",    {"临界水深", "Critical depth"},                   UnitKind::Length},
  {CriticalVelocity,  "vc",               "vc",    {"临界流速", "Critical velocity"},                UnitKind::Velocity},
  {CriticalSlope,     "ic",               "ic",    {"临界坡度", "Critical slope"},                   UnitKind::None},
  {Critical,          "critical",         "",      {"临界流", "Critical flow"},                      UnitKind::None},
  {Energy,            "E",                "E",     {"断面比能", "Specific energy"},                  UnitKind::Length},
  {ShearStress,       "tau0",             "τ0",    {"床面切应力", "Bed shear stress"},               UnitKind::Stress},
  {Unknown,           "unknown",          "",      {"未知量", "Unknown"},                            UnitKind::None},
  {QMax,              "Qmax",             "Qmax",  {"最大过流能力", "Greatest discharge"},           UnitKind::Discharge},
  {HMax,              "hmax",             "hmax",  {"最大流量水深", "Depth of greatest discharge"},  UnitKind::Length},
  {QFull,             "Qfull",            "Qfull", {"满管流量", "Discharge running full"},           UnitKind::Discharge},
  {H1,                "h1",               "h1",    {"跃前水深", "Depth before the jump"},            UnitKind::Length},
  {A1,                "A1",               "A1",    {"跃前过水断面面积", "Flow area before the jump"}, UnitKind::Area},
  {V1,                "v1",               "v1",    {"跃前流速", "Velocity before the jump"},         UnitKind::Velocity},
  {Fr1,               "Fr1",              "Fr1",   {"跃前弗劳德数", "Froude number before the jump"}, UnitKind::None},
  {E1,                "E1",               "E1",    {"跃前断面比能", "Specific energy before the jump"}, UnitKind::Length},
  {H2,                "h2",               "h2",    {"跃后水深", "Depth after the jump"},             UnitKind::Length},
  {A2,                "A2",               "A2",    {"跃后过水断面面积", "Flow area after the jump"}, UnitKind::Area},
  {V2,                "v2",               "v2",    {"跃后流速", "Velocity after the jump"},          UnitKind::Velocity},
  {Fr2,               "Fr2",              "Fr2",   {"跃后弗劳德数", "Froude number after the jump"}, UnitKind::None},
  {E2,                "E2",               "E2",    {"跃后断面比能", "Specific energy after the jump"}, UnitKind::Length},
  {Momentum,          "M",                "M",     {"动量函数", "Momentum function"},                UnitKind::Momentum},
  {EnergyLoss,        "dE",               "ΔE",    {"能量损失", "Energy loss"},                      UnitKind::Length},
  {RelativeLoss,      "dE_E1",            "ΔE/E1", {"相对能量损失", "Relative energy loss"},         UnitKind::None},
  {JumpHeight,        "height",           "h2-h1", {"跃高", "Jump height"},                          UnitKind::Length},
  {JumpType,          "jump_type",        "",      {"水跃类型", "Type of jump"},                     UnitKind::None},
  {GivenDepth,        "given",            "",      {"给定水深", "Given depth"},                      UnitKind::None},
  {ControlDepth,      "h0",               "h0",    {"控制水深", "Control depth"},                    UnitKind::Length},
  {Method,            "method",           "",      {"推算方法", "Method"},                           UnitKind::None},
  {ProfileType,       "type",             "",      {"水面线类型", "Profile type"},                   UnitKind::None},
  {NormalDepth,       "hn",               "hn",    {"正常水深", "Normal depth"},                     UnitKind::Length},
  {Direction,         "direction",        "",      {"推算方向", "Direction"},                        UnitKind::None},
  {DirectionReason,   "direction_reason", "",      {"推算方向的原因", "Why this direction"},         UnitKind::None},
  {Note,              "note",             "",      {"说明", "Note"},                                 UnitKind::None},
  {Distance,          "x",                "x",     {"距离", "Distance"},                             UnitKind::Length},
  {FrictionSlope,     "Sf",               "Sf",    {"摩阻坡度", "Friction slope"},                   UnitKind::None},
  {DesignMethod,      "method",           "",      {"断面设计方法", "Sizing"},                       UnitKind::None},
  {Lining,            "lining",           "",      {"渠床", "Bed"},                                  UnitKind::None},
  {Soil,              "soil",             "",      {"土质", "Soil"},                                 UnitKind::None},
  {Grade,             "grade",            "",      {"渠道级别", "Canal grade"},                      UnitKind::None},
  {Enlarge,           "enlarge",          "P",     {"加大百分数", "Enlargement"},                    UnitKind::Percent},
  {EnlargedDischarge, "Qj",               "Qj",    {"加大流量", "Enlarged flow"},                    UnitKind::Discharge},
  {MinimumDischarge,  "Qmin",             "Qmin",  {"最小流量", "Minimum flow"},                     UnitKind::Discharge},
  {BestDepth,         "h0",               "h0",    {"水力最佳断面水深", "Best section's depth"},     UnitKind::Length},
  {BestWidth,         "b0",               "b0",    {"水力最佳断面底宽", "Best section's bottom width"}, UnitKind::Length},
  {BestArea,          "A0",               "A0",    {"水力最佳断面面积", "Best section's flow area"}, UnitKind::Area},
  {BestVelocity,      "v0",               "v0",    {"水力最佳断面流速", "Best section's velocity"},  UnitKind::Velocity},
  {Alpha,             "alpha",            "α",     {"面积比", "Area ratio"},                         UnitKind::None},
  {Eta,               "eta",              "η",     {"水深比 h/h0", "Depth ratio h/h0"},              UnitKind::None},
  {Beta,              "beta",             "β",     {"宽深比 b/h", "Width-to-depth ratio b/h"},       UnitKind::None},
  {AreaIncrease,      "increase",         "ΔA",    {"面积增加", "Area increase"},                    UnitKind::Percent},
  {EnlargedDepth,     "hj",               "hj",    {"加大水深", "Enlarged flow's depth"},            UnitKind::Length},
  {EnlargedVelocity,  "vj",               "vj",    {"加大流量的流速", "Enlarged flow's velocity"},   UnitKind::Velocity},
  {EnlargedFroude,    "Frj",              "Frj",   {"加大流量的弗劳德数", "Enlarged flow's Froude number"}, UnitKind::None},
  {MinimumDepth,      "hmin",             "hmin",  {"最小水深", "Minimum flow's depth"},             UnitKind::Length},
  {MinimumVelocity,   "vmin",             "vmin",  {"最小流量的流速", "Minimum flow's velocity"},    UnitKind::Velocity},
  {MinimumFroude,     "Frmin",            "Frmin", {"最小流量的弗劳德数", "Minimum flow's Froude number"}, UnitKind::None},
  {Freeboard,         "Fb",               "Fb",    {"岸顶超高", "Freeboard"},                        UnitKind::Length},
  {CanalDepth,        "H",                "H",     {"渠深", "Canal depth"},                          UnitKind::Length},
  {EnlargedWidth,     "Bj",               "Bj",    {"加大流量的水面宽", "Enlarged flow's top width"}, UnitKind::Length},
  {BendRise,          "Fb_bend",          "Fb′",   {"弯道凹岸加高", "Outer bank's extra height"},    UnitKind::Length},
  {BendDepth,         "H_bend",           "H+Fb′", {"凹岸渠深", "Outer bank's canal depth"},         UnitKind::Length},
  {ScourVelocity,     "v_scour",          "",      {"不冲流速", "Non-scouring velocity"},            UnitKind::Velocity},
  // Surveyed sections.
  {Wse,               "wse",              "wse",   {"水位", "Water-surface elevation"},              UnitKind::Length},
  {Conveyance,        "K",                "K",     {"流量模数", "Conveyance"},                       UnitKind::Discharge},
  {EnergyCoefficient, "alpha",            "α",     {"动能修正系数", "Energy coefficient"},           UnitKind::None},
  {CriticalDepths,    "hc_all",           "hc",    {"全部临界水深", "Every critical depth"},         UnitKind::Length},
  {CriticalChoice,    "hc_rule",          "",      {"所用临界水深", "Critical depth used"},          UnitKind::None},
  {PartsN,            "n_parts",          "n",     {"各分区粗糙系数", "Manning's n of the parts"},   UnitKind::None},
  {X,                 "x",                "x",     {"起点距", "Station"},                            UnitKind::Length},
  {Z,                 "z",                "z",     {"高程", "Elevation"},                            UnitKind::Length},
  {From,              "from",             "",      {"起点", "From"},                                 UnitKind::Length},
  {To,                "to",               "",      {"终点", "To"},                                   UnitKind::Length},
  {Top,               "top",              "",      {"水面高程", "Surface elevation"},                UnitKind::Length},
  {ReachedCritical,   "reached_critical", "",      {"到达临界水深", "Reached the critical depth"},   UnitKind::None},
  {Chosen,            "chosen",           "",      {"选定", "Chosen"},                               UnitKind::None},
  {InTable,           "in_table",         "",      {"表中的 α", "An α of the table"},                UnitKind::None},
  {CheckKey,          "key",              "",      {"校核项目", "Check"},                            UnitKind::None},
  {CheckOk,           "ok",               "",      {"是否满足", "Passed"},                           UnitKind::None},
  {CheckMessage,      "message",          "",      {"校核说明", "What was compared"},                UnitKind::None},
  {RowKey,            "key",              "",      {"键", "Key"},                                    UnitKind::None},
  {TableName,         "table",            "",      {"表", "Table"},                                  UnitKind::None},
  {GroupName,         "group",            "",      {"类别", "Group"},                                UnitKind::None},
  {FlowClassName,     "flow",             "",      {"流量级", "Flow class"},                         UnitKind::None},
  {Condition,         "condition",        "",      {"渠床状况", "Condition"},                        UnitKind::None},
  {NLow,              "n_low",            "",      {"糙率下限", "Lower n"},                          UnitKind::None},
  {NHigh,             "n_high",           "",      {"糙率上限", "Upper n"},                          UnitKind::None},
  {NEscape,           "n_escape",         "",      {"泄（退）水渠道糙率", "Escape canal's n"},       UnitKind::None},
  {RowName,           "name",             "",      {"名称", "Name"},                                 UnitKind::None},
  {Grain,             "grain",            "",      {"粒径", "Grain size"},                           UnitKind::None},
  {Limit,             "v",                "",      {"允许不冲流速", "Allowable velocity"},           UnitKind::None},
  {LimitAtDepth04,    "v_h0.4",           "",      {"h = 0.4 m 时的允许不冲流速", "Allowable velocity at h = 0.4 m"}, UnitKind::None},
  {LimitAtDepth1,     "v_h1",             "",      {"h = 1 m 时的允许不冲流速", "Allowable velocity at h = 1 m"},     UnitKind::None},
  {LimitAtDepth2,     "v_h2",             "",      {"h = 2 m 时的允许不冲流速", "Allowable velocity at h = 2 m"},     UnitKind::None},
  {LimitAtDepth3,     "v_h3",             "",      {"h = 3 m 时的允许不冲流速", "Allowable velocity at h = 3 m"},     UnitKind::None},
  // Closed sections.
  {CrownHeight,       "H",                "H",     {"洞高", "Height to the crown"},                  UnitKind::Length},
  {RoofRadius,        "Ra",               "Ra",    {"拱顶半径", "Roof radius"},                      UnitKind::Length},
  {HorseshoeRadius,   "r",                "r",     {"顶拱半径", "Roof radius"},                      UnitKind::Length},
  {HorseshoeType,     "horseshoe_type",   "",      {"马蹄形类型（1 为标准Ⅰ型，2 为Ⅱ型）", "Horseshoe type (1: type I, 2: type II)"}, UnitKind::None},
  {FullArea,          "A_full",           "A_full",{"全断面面积", "Full section's area"},            UnitKind::Area},
  {FreeAreaPct,       "free_area_pct",    "",      {"水面以上净空面积比", "Free area above the water"}, UnitKind::Percent},
  {FreeHeight,        "free_height",      "",      {"水面以上净空高度", "Clear height above the water"}, UnitKind::Length},
  // River reaches.
  {Station,           "station",          "station",      {"桩号", "Station"},                              UnitKind::Length},
  {Bed,               "bed",              "zb",      {"河底高程", "Bed level"},                        UnitKind::Length},
  {LeftBank,          "left_bank",        "xL",      {"左岸起点距", "Left bank's station"},            UnitKind::Length},
  {RightBank,         "right_bank",       "xR",      {"右岸起点距", "Right bank's station"},           UnitKind::Length},
  {LeftBankLevel,     "z_left",           "zL",      {"左岸高程", "Left bank's level"},                UnitKind::Length},
  {RightBankLevel,    "z_right",          "zR",      {"右岸高程", "Right bank's level"},               UnitKind::Length},
  {LengthLeft,        "L_left",           "Llob",      {"左滩河段长", "Left overbank's length"},         UnitKind::Length},
  {LengthChannel,     "L_channel",        "Lch",      {"主槽河段长", "Channel's length"},               UnitKind::Length},
  {LengthRight,       "L_right",          "Lrob",      {"右滩河段长", "Right overbank's length"},        UnitKind::Length},
  {Contraction,       "contraction",      "Cc",      {"收缩损失系数", "Contraction coefficient"},      UnitKind::None},
  {Expansion,         "expansion",        "Ce",      {"扩散损失系数", "Expansion coefficient"},        UnitKind::None},
  {EnergyLevel,       "EG",               "EG",    {"能量线高程", "Energy grade level"},             UnitKind::Length},
  {CriticalLevel,     "wse_c",            "zc",      {"临界水位", "Critical level"},                   UnitKind::Length},
  {VelocityLeft,      "v_left",           "vlob",      {"左滩流速", "Left overbank's velocity"},         UnitKind::Velocity},
  {VelocityChannel,   "v_channel",        "vch",      {"主槽流速", "Channel's velocity"},               UnitKind::Velocity},
  {VelocityRight,     "v_right",          "vrob",      {"右滩流速", "Right overbank's velocity"},        UnitKind::Velocity},
  {ReachLength,       "L",                "L",     {"至下一断面的计算河段长", "Length to the next section"}, UnitKind::Length},
  {MeanFrictionSlope, "Sf_mean",          "S̄f",      {"平均摩阻坡度", "Mean friction slope"},          UnitKind::None},
  {FrictionLoss,      "hf",               "hf",    {"沿程水头损失", "Friction loss"},                UnitKind::Length},
  {LossCoefficient,   "coefficient",      "C",      {"局部损失系数", "Loss coefficient"},             UnitKind::None},
  {HeadChange,        "dhv",              "Δhv",      {"流速水头之增", "Rise in velocity head"},        UnitKind::Length},
  {EddyLoss,          "hce",              "hce",      {"收缩扩散损失", "Contraction or expansion loss"}, UnitKind::Length},
  {FlowName,          "flow",             "",      {"流量组", "Flow"},                               UnitKind::None},
  {DownstreamBoundary,"downstream",       "",      {"下游边界条件", "Downstream boundary"},          UnitKind::None},
  {UpstreamBoundary,  "upstream",         "",      {"上游边界条件", "Upstream boundary"},            UnitKind::None},
  {FrictionRuleName,  "friction",         "",      {"平均摩阻坡度取法", "Mean friction slope"},      UnitKind::None},
  {SectionCount,      "count",            "",      {"断面数", "Sections"},                           UnitKind::None},
  {Computed,          "computed",         "",      {"推算的水面线", "Profiles computed"},            UnitKind::None},
  // Structures.
  {Gravity,           "g",                "g",     {"重力加速度", "Gravity"},                        UnitKind::None},
  {Barrels,           "barrels",          "N",     {"管数", "Barrels"},                              UnitKind::None},
  {StructureLength,   "L",                "L",     {"长度", "Length"},                               UnitKind::Length},
  {FrictionFactor,    "friction",         "2gL/(C²R)", {"沿程损失系数", "Friction factor"},          UnitKind::None},
  {ZetaInlet,         "zeta_inlet",       "ζ进口", {"进口损失系数", "Entrance coefficient"},         UnitKind::None},
  {ZetaSlots,         "zeta_slots",       "ζ门槽", {"门槽损失系数", "Gate slots' coefficient"},      UnitKind::None},
  {ZetaRack,          "zeta_rack",        "ζ栅",   {"拦污栅损失系数", "Trash rack's coefficient"},   UnitKind::None},
  {ZetaBends,         "zeta_bends",       "ζ弯",   {"弯道损失系数之和", "Bends' coefficient"},       UnitKind::None},
  {ZetaOutlet,        "zeta_outlet",      "ζ出口", {"出口损失系数", "Outlet coefficient"},           UnitKind::None},
  {ZetaBypass,        "zeta_bypass",      "ζ旁通", {"旁通孔损失系数", "Bypass openings' coefficient"}, UnitKind::None},
  {ZetaSum,           "zeta_sum",         "Σζ",    {"局部损失系数之和", "Sum of the local coefficients"}, UnitKind::None},
  {LocalLoss,         "hj",               "hj",    {"局部水头损失", "Local losses"},                 UnitKind::Length},
  {PipeLoss,          "z",                "z",     {"管身水头损失", "Head loss in the barrels"},     UnitKind::Length},
  {CanalV1,           "v1",               "v1",    {"上游渠道流速", "Upstream canal velocity"},      UnitKind::Velocity},
  {CanalV2,           "v2",               "v2",    {"进口渐变段末端流速", "Velocity at the inlet transition's end"}, UnitKind::Velocity},
  {CanalV3,           "v3",               "v3",    {"下游渠道流速", "Downstream canal velocity"},    UnitKind::Velocity},
  {Dz1,               "dZ1",              "ΔZ1",   {"进口渐变段水面降落", "Inlet transition's fall"}, UnitKind::Length},
  {Dz2,               "dZ2",              "ΔZ2",   {"管身段水面降落", "Barrels' fall"},              UnitKind::Length},
  {Dz3,               "dZ3",              "ΔZ3",   {"出口渐变段水面回升", "Outlet transition's recovery"}, UnitKind::Length},
  {Dz,                "dZ",               "ΔZ",    {"总水面落差", "Total fall of the level"},        UnitKind::Length},
  {Mu,                "mu",               "μ",     {"流量系数", "Discharge coefficient"},            UnitKind::None},
  {UpstreamDepth,     "hu",               "hu",    {"上游渠道水深", "Upstream canal depth"},         UnitKind::Length},
  {DownstreamDepth,   "hd",               "hd",    {"下游渠道水深", "Downstream canal depth"},       UnitKind::Length},
  {OutletBed,         "Hd",               "Hd",    {"出口渠底高程", "Outlet canal bed"},             UnitKind::Length},
  {Xi1,               "xi1",              "ξ1",    {"进口渐变段损失系数", "Inlet transition coefficient"}, UnitKind::None},
  {Xi2,               "xi2",              "ξ2",    {"出口渐变段损失系数", "Outlet transition coefficient"}, UnitKind::None},
  {TrialVelocity,     "v_trial",          "v",     {"试算流速", "Trial velocity"},                   UnitKind::Velocity},
  {ExactSize,         "size_exact",       "",      {"计算尺寸（取整前）", "Size computed, before rounding"}, UnitKind::Length},
  {Z1,                "Z1",               "Z1",    {"进口水面降落", "Inlet fall"},                   UnitKind::Length},
  {Z2,                "Z2",               "Z2",    {"槽（洞）身水面降落", "Fall along the barrel"},   UnitKind::Length},
  {Z3,                "Z3",               "Z3",    {"出口水面回升", "Outlet recovery"},              UnitKind::Length},
  {TroughHeight,      "H",                "H",     {"槽身高度", "Trough height"},                    UnitKind::Length},
  {HeightRatio,       "H_ratio",          "",      {"深宽比", "Height over width"},                  UnitKind::None},
  {DesignHeight,      "H_design",         "",      {"设计流量所需槽高", "Height the design flow needs"}, UnitKind::Length},
  {EnlargedHeight,    "H_enlarged",       "",      {"加大流量所需槽高", "Height the enlarged flow needs"}, UnitKind::Length},
  {BendSuperelevation,"dh_bend",          "Δh",    {"弯道横向水面差", "Bend's transverse rise"},     UnitKind::Length},
  {InletBottom,       "bottom_in",        "∇1",    {"槽身进口底高程", "Trough's inlet bottom"},      UnitKind::Length},
  {OutletBottom,      "bottom_out",       "∇2",    {"槽身出口底高程", "Trough's outlet bottom"},     UnitKind::Length},
  {DownstreamBed,     "bed_down",         "∇4",    {"出口渐变段末端渠底高程", "Canal bed after the outlet"}, UnitKind::Length},
  {InletDepth,        "H_inlet",          "H",     {"进口水深", "Inlet depth"},                      UnitKind::Length},
  {LengthClass,       "length_class",     "",      {"长短洞", "Long or short"},                      UnitKind::None},
  {LeastClearHeight,  "free_height_min",  "",      {"最小净空高度", "Least clear height"},           UnitKind::Length},
  {StructureKind,     "structure",        "",      {"建筑物类别", "Structure"},                      UnitKind::None},
  {TransitionEnd,     "end",              "",      {"进口或出口", "Inlet or outlet"},                UnitKind::None},
  {TransitionForm,    "form",             "",      {"渐变段形式", "Transition form"},                UnitKind::None},
  {Xi,                "xi",               "ξ",     {"渐变段损失系数", "Transition coefficient"},     UnitKind::None},
  {VelocityUp,        "v_up",             "",      {"上游端流速", "Upstream velocity"},              UnitKind::Velocity},
  {VelocityDown,      "v_down",           "",      {"下游端流速", "Downstream velocity"},            UnitKind::Velocity},
  {VelocityHead,      "dv_head",          "",      {"流速水头差", "Change of velocity head"},        UnitKind::Length},
  {TransitionLoss,    "loss",             "",      {"渐变段局部损失", "Transition's loss"},          UnitKind::Length},
  {TransitionDrop,    "drop",             "ΔZ",    {"水面降落", "Fall of the level"},                UnitKind::Length},
  {LengthLow,         "L_low",            "",      {"条文长度下限", "Clause's least length"},        UnitKind::Length},
  {LengthHigh,        "L_high",           "",      {"条文长度上限", "Clause's greatest length"},     UnitKind::Length},
  {Clause,            "clause",           "",      {"条文", "Clause"},                               UnitKind::None},
  {PracticeLength,    "L_practice",       "",      {"采用长度", "Length adopted"},                   UnitKind::Length},
  {WeirM,             "m_weir",           "m",     {"流量系数", "Discharge coefficient"},            UnitKind::None},
  {ApproachVelocity,  "v0",               "v0",    {"行近流速", "Approach velocity"},                UnitKind::Velocity},
  {TotalHead,         "H0",               "H0",    {"堰上总水头", "Total head over the sill"},       UnitKind::Length},
  {SubmergenceRatio,  "hs_H0",            "hs/H0", {"淹没度", "Submergence ratio"},                  UnitKind::None},
  {Submergence,       "sigma",            "σ",     {"淹没系数", "Submergence coefficient"},          UnitKind::None},
  {GateRegime,        "flow_type",        "",      {"出流状态", "Flow"},                             UnitKind::None},
  {TailDepth,         "hs",               "hs",    {"下游堰上水深", "Downstream depth over the sill"}, UnitKind::Length},
  {UpstreamHead,      "H_up",             "H",     {"上游堰上水深", "Upstream depth over the sill"}, UnitKind::Length},
  {HeadLoss,          "dH",               "ΔH",    {"过闸水位落差", "Fall across the gate"},         UnitKind::Length},
  {CrestHead,         "h_crest",          "h1",    {"堰上水深", "Depth over the crest"},             UnitKind::Length},
  {UnitDischarge,     "q",                "q",     {"单宽流量", "Discharge per width"},              UnitKind::None},
  {BasinEnergy,       "E0",               "E0",    {"以池底为基准的总水头", "Total head over the basin floor"}, UnitKind::Length},
  {ContractedDepth,   "h_contracted",     "h′",    {"收缩断面水深", "Contracted depth"},             UnitKind::Length},
  {SequentDepth,      "h_sequent",        "h″",    {"跃后水深", "Sequent depth"},                    UnitKind::Length},
  {BasinDepth,        "d",                "d",     {"消力池深", "Basin depth"},                      UnitKind::Length},
  {ThrowLength,       "L1",               "L1",    {"跌落水舌长度", "Length of the falling jet"},    UnitKind::Length},
  {BasinLengthLow,    "L_basin_low",      "",      {"消力池长度下限", "Basin length, least"},        UnitKind::Length},
  {BasinLengthHigh,   "L_basin_high",     "",      {"消力池长度上限", "Basin length, greatest"},     UnitKind::Length},
  {AeratedDepth,      "hb",               "hb",    {"掺气水深", "Aerated depth"},                    UnitKind::Length},
  {DeepestAerated,    "hb_max",           "",      {"最大掺气水深", "Deepest aerated water"},        UnitKind::Length},
  {WallHeight,        "H_wall",           "",      {"边墙高度", "Wall height"},                      UnitKind::Length},
  {Verdict,           "verdict",          "",      {"结论", "Verdict"},                              UnitKind::None},
  {CheckValue,        "value",            "",      {"校核值", "Value checked"},                      UnitKind::None},
  {FlowCase,          "flow",             "",      {"流量", "Flow"},                                 UnitKind::None},
  {LossName,          "term",             "",      {"损失项", "Loss"},                               UnitKind::None},
  {Zeta,              "zeta",             "ζ",     {"损失系数", "Coefficient"},                      UnitKind::None},
  {BendR,             "R_bend",           "R",     {"弯道半径", "Bend radius"},                      UnitKind::Length},
  {Angle,             "theta",            "θ",     {"转角（°）", "Deflection (°)"},                  UnitKind::None},
  {BendRatio,         "R_D0",             "R/D0",  {"弯曲半径与管径之比", "Radius over diameter"},   UnitKind::None},
  {Xi90,              "xi90",             "ξ90",   {"90° 弯道系数", "90° bend coefficient"},         UnitKind::None},
  {Gamma,             "gamma",            "γ",     {"转角修正系数", "Angle factor"},                 UnitKind::None},
  {Adopted,           "adopted",          "",      {"采用尺寸", "Size adopted"},                     UnitKind::Length},
  {TermLoss,          "h_loss",           "h",     {"水头损失", "Head loss"},                        UnitKind::Length},
}};

constexpr std::array<TermInfo, 103 + 52> kTerms{{
  {"trapezoid",         {"梯形", "trapezoid"}, true},
  {"circle",            {"圆形", "circle"}, true},
  {"u",                 {"U形", "U-shaped"}, true},
  {"parabola",          {"抛物线形", "parabolic"}, true},
  {"si",                {"国际单位制（m、m³/s）", "SI (m, m³/s)"}, true},
  {"us",                {"英制（ft、ft³/s）", "US customary (ft, ft³/s)"}, true},
  {"subcritical",       {"缓流", "subcritical"}, false},
  {"critical",          {"临界流", "critical"}, false},
  {"supercritical",     {"急流", "supercritical"}, false},
  {"full",              {"满管", "running full"}, false},
  {"horton-einstein",   {"霍顿-爱因斯坦法", "Horton–Einstein"}, false},
  {"undular",           {"波状水跃", "undular jump"}, false},
  {"weak",              {"弱水跃", "weak jump"}, false},
  {"oscillating",       {"摆动水跃", "oscillating jump"}, false},
  {"steady",            {"稳定水跃", "steady jump"}, false},
  {"strong",            {"强水跃", "strong jump"}, false},
  {"given-upstream",    {"跃前（急流）：求得跃后缓流水深", "before the jump (supercritical): the subcritical depth after it is found"}, false},
  {"given-downstream",  {"跃后（缓流）：求得跃前急流水深", "after the jump (subcritical): the supercritical depth before it is found"}, false},
  {"direct-step",       {"分段求和法（等水深步）", "direct step (equal depth steps)"}, false},
  {"standard-step",     {"逐段试算法（等距离步）", "standard step (equal distance steps)"}, false},
  {"M1", {"M1", "M1"}, false}, {"M2", {"M2", "M2"}, false}, {"M3", {"M3", "M3"}, false},
  {"S1", {"S1", "S1"}, false}, {"S2", {"S2", "S2"}, false}, {"S3", {"S3", "S3"}, false},
  {"C1", {"C1", "C1"}, false}, {"C3", {"C3", "C3"}, false}, {"H2", {"H2", "H2"}, false},
  {"H3", {"H3", "H3"}, false}, {"A2", {"A2", "A2"}, false}, {"A3", {"A3", "A3"}, false},
  {"upstream",          {"向上游", "upstream"}, false},
  {"downstream",        {"向下游", "downstream"}, false},
  {"reason-upstream",   {"缓流（h0 > hc）：水面受下游控制，由控制断面向上游推算",
                         "subcritical (h0 > hc): the surface is controlled from downstream, so it is computed upstream from the control"}, false},
  {"reason-downstream", {"急流（h0 < hc）：水面受上游控制，由控制断面向下游推算",
                         "supercritical (h0 < hc): the surface is controlled from upstream, so it is computed downstream from the control"}, false},
  {"rises",             {"增大", "rises"}, false},
  {"falls",             {"减小", "falls"}, false},
  {"start",             {"起点", "start"}, false},
  {"end",               {"终点", "end"}, false},
  {"step",              {"步长", "step"}, false},
  {"not-a-number",      {"不是有效的数字", "is not a number"}, false},
  {"too-large",         {"超出数值范围（绝对值大于 1.8E+308）", "is beyond the range of numbers (above 1.8E+308 in magnitude)"}, false},
  {"too-small",         {"太小（绝对值小于 2.2E-308），双精度数无法准确表示", "is too small (below 2.2E-308 in magnitude) to be held with all its digits"}, false},
  {"solved",            {"所求", "Solved: "}, false},
  {"shallower",         {"较浅的", "Shallower "}, false},
  {"deeper",            {"较深的", "Deeper "}, false},
  {"error",             {"错误", "Error"}, false},
  {"no-normal-depth",   {"无（平坡或逆坡上不存在均匀流）", "none (a flat or adverse bed has no uniform flow)"}, false},
  {"appendix-e",        {"附录 E 实用经济断面", "Appendix E's practical economic section"}, true},
  {"beta",              {"给定宽深比 β", "a given width-to-depth ratio β"}, true},
  {"width",             {"给定底宽 B", "a given bottom width B"}, true},
  {"check",             {"校核给定的 U 形断面", "a given U-shaped section, checked"}, true},
  {"velocity",          {"设计流速", "design velocity"}, true},
  {"scour",             {"不冲", "scouring"}, true},
  {"silting",           {"不淤", "silting"}, true},
  {"min-depth",         {"最小水深", "minimum depth"}, true},
  {"side-slope",        {"边坡", "side slope"}, true},
  {"earth-velocity",    {"土渠流速", "earth canal velocity"}, true},
  {"freeboard",         {"岸顶超高", "freeboard"}, true},
  {"pass",              {"满足", "pass"}, false},
  {"fail",              {"不满足", "fail"}, false},
  {"not-checked",       {"未校核", "not checked"}, false},
  {"not-applicable",    {"不适用", "not applicable"}, false},
  {"low",               {"下限", "the lower value"}, false},
  {"middle",            {"中值", "the middle"}, false},
  {"high",              {"上限", "the upper value"}, false},
  {"not-required",      {"不需要", "not needed"}, false},
  {"chosen",            {"选定", "chosen"}, false},
  {"outside-table",     {"表外", "beyond the table"}, false},
  // Surveyed sections.
  {"points",            {"天然断面", "surveyed"}, true},
  {"least-energy",      {"比能最小的临界水深", "the critical depth of least specific energy"}, false},
  {"station",           {"起点距", "station"}, false},
  {"elevation",         {"高程", "elevation"}, false},
  {"roughness",         {"粗糙系数", "n"}, false},
  {"yes",               {"是", "yes"}, false},
  // Why a cell has no value.
  {"not-in-table",      {"表中没有", "not in the table"}, false},
  {"no-roughness",      {"未给糙率", "no n given"}, false},
  {"unnamed",           {"未命名", "unnamed"}, false},
  {"last-section",      {"最后一个断面", "the last section"}, false},
  {"last-point",        {"最后一个测点", "the last point"}, false},
  {"no-level",          {"无水位", "no level"}, false},
  {"critical-above-section", {"临界水深高于断面", "the critical depth lies above the section"}, false},
  {"dry",               {"无水", "dry"}, false},
  {"jump-between",      {"其间有水跃", "a jump between"}, false},
  {"no-next-section",   {"无下一断面", "no next section"}, false},
  {"no-note",           {"无", "none"}, false},
  {"no",                {"否", "no"}, false},
  // Closed sections.
  {"arch",              {"城门洞形", "arch-roofed"}, true},
  {"horseshoe",         {"马蹄形", "horseshoe"}, true},
  // Lines of nodes and river reaches.
  {"average-conveyance",{"平均流量模数法 ((Q1 + Q2)/(K1 + K2))²", "average conveyance ((Q1 + Q2)/(K1 + K2))²"}, true},
  {"mean-slope",        {"两端摩阻坡度的平均值", "mean of the two slopes"}, true},
  {"geometric-mean",    {"两端摩阻坡度的几何平均值", "geometric mean of the two slopes"}, true},
  {"harmonic-mean",     {"两端摩阻坡度的调和平均值", "harmonic mean of the two slopes"}, true},
  {"mean-v-r",          {"由平均流速与平均水力半径 n̄²v̄²/R̄^(4/3)", "from the mean velocity and radius n̄²v̄²/R̄^(4/3)"}, true},
  {"mean-v-c-r",        {"由平均流速、谢才系数与水力半径 v̄²/(C̄²R̄)", "from the mean velocity, Chézy C and radius v̄²/(C̄²R̄)"}, true},
  {"mixed",             {"混合流（缓流与急流，含水跃）", "mixed (subcritical and supercritical, with jumps)"}, false},
  {"not-given",         {"未给出", "not given"}, false},
  {"json-object",       {"对象 {…}", "an object {…}"}, false},
  {"json-sections",     {"断面对象的数组 [{…}, …]", "an array of section objects [{…}, …]"}, false},
  {"json-value",        {"数字或字符串", "a number or a string"}, false},
  {"json-list",         {"数字或字符串，或它们的数组", "a number or a string, or an array of them"}, false},
  // Structures: the three flows, the siphon's loss terms, its choices.
  {"design",            {"设计流量", "design flow"}, true},
  {"enlarged",          {"加大流量", "enlarged flow"}, true},
  {"minimum",           {"最小流量", "minimum flow"}, true},
  {"inlet",             {"进口", "inlet"}, true},
  {"slots",             {"门槽", "gate slots"}, true},
  {"rack",              {"拦污栅", "trash rack"}, true},
  {"bends",             {"弯道", "bends"}, true},
  {"outlet",            {"出口", "outlet"}, true},
  {"bypass",            {"旁通孔", "bypass openings"}, true},
  {"friction",          {"沿程", "friction"}, true},
  {"practice",          {"按惯例取整（1.0 m 以下 0.05 m，1.6 m 以下 0.1 m，以上 0.2 m）",
                         "rounded as practice does (0.05 m up to 1.0 m, 0.1 m to 1.6 m, 0.2 m above)"}, true},
  {"prestressed",       {"预应力管系列（表 10.4.6：0.6～2.0 m，每级 0.2 m）",
                         "the prestressed series (Table 10.4.6: 0.6 to 2.0 m in steps of 0.2 m)"}, true},
  {"printed",           {"按表 L.1.4-5 印刷值", "Table L.1.4-5 as printed"}, true},
  {"expansion",         {"突然扩大 (1 − ω管/ω渠)²", "sudden expansion (1 − ω/ω_channel)²"}, true},
  {"rectangle",         {"矩形", "rectangular"}, true},
  {"siphon",            {"倒虹吸", "inverted siphon"}, true},
  {"aqueduct",          {"渡槽", "aqueduct"}, true},
  {"culvert",           {"涵洞", "culvert"}, true},
  {"tunnel",            {"隧洞", "tunnel"}, true},
  {"free-surface",      {"无压流", "free surface"}, true},
  {"semi-pressure",     {"半压力流", "semi-pressure"}, true},
  {"free-pressure",     {"非淹没压力流", "free pressure"}, true},
  {"submerged-pressure",{"淹没压力流", "submerged pressure"}, true},
  {"short",             {"短洞", "short"}, true},
  {"long",              {"长洞", "long"}, true},
  {"free",              {"自由出流", "free flow"}, true},
  {"submerged",         {"淹没出流", "submerged flow"}, true},
  {"warped",            {"扭曲面进口", "warped inlet"}, true},
  {"splayed",           {"八字墙进口", "splayed inlet"}, true},
  {"cross-wall",        {"隔墙式进口", "cross-wall inlet"}, true},
  {"trapezoidal",       {"梯形缺口", "trapezoidal notch"}, true},
  // The structures' checks.
  {"siphon-velocity",            {"管内流速", "velocity in the barrels"}, true},
  {"siphon-non-silting",         {"最小流量不淤", "no silting at the minimum flow"}, true},
  {"siphon-capacity",            {"过流能力", "capacity"}, true},
  {"siphon-inlet-submerged",     {"进口淹没", "inlet submerged"}, true},
  {"siphon-outlet-submerged",    {"出口淹没", "outlet submerged"}, true},
  {"aqueduct-velocity",          {"槽内流速", "velocity in the trough"}, true},
  {"aqueduct-height-ratio",      {"深宽比", "height over width"}, true},
  {"aqueduct-long-trough",       {"长槽", "long trough"}, true},
  {"aqueduct-bend-radius",       {"弯道半径", "bend radius"}, true},
  {"aqueduct-box-free-area",     {"箱形槽净空面积", "box trough's free area"}, true},
  {"aqueduct-box-clear-height",  {"箱形槽净空高度", "box trough's clear height"}, true},
  {"culvert-free-area",          {"净空面积下限", "least free area"}, true},
  {"culvert-free-area-upper",    {"净空面积上限", "greatest free area"}, true},
  {"culvert-clear-height",       {"净空高度", "clear height"}, true},
  {"culvert-free-surface",       {"无压流", "free-surface flow"}, true},
  {"tunnel-free-area",           {"净空面积（设计流量）", "free area (design flow)"}, true},
  {"tunnel-clear-height",        {"净空高度（设计流量）", "clear height (design flow)"}, true},
  {"tunnel-free-area-enlarged",  {"净空面积（加大流量）", "free area (enlarged flow)"}, true},
  {"tunnel-clear-height-enlarged", {"净空高度（加大流量）", "clear height (enlarged flow)"}, true},
  {"drop-single-fall",           {"单级跌差", "single fall"}, true},
  {"chute-steep",                {"陡坡", "steep bed"}, true},
}};
// clang-format on

constexpr bool quantitiesInOrder() {
  for (std::size_t k = 0; k < kQuantities.size(); ++k) {
    if (static_cast<std::size_t>(kQuantities[k].id) != k) return false;
  }
  return true;
}
static_assert(quantitiesInOrder(), "kQuantities must list every QuantityId once, in order");

std::string labelOf(const Text& name, std::string_view symbol, Language language) {
  std::string label(name.in(language));
  if (!symbol.empty()) {
    label += ' ';
    label += symbol;
  }
  return label;
}

}  // namespace

UnitKind unitKindNamed(std::string_view key) {
  for (const UnitRow& row : kUnits) {
    if (row.key == key) return row.kind;
  }
  return UnitKind::None;
}

std::string_view unitKindKey(UnitKind kind) { return kUnits[static_cast<std::size_t>(kind)].key; }

std::string_view unitText(UnitKind kind, UnitSystem system) {
  const UnitRow& row = kUnits[static_cast<std::size_t>(kind)];
  return system == UnitSystem::US ? row.us : row.si;
}

std::span<const ParameterInfo> parameters() { return kParameters; }

const ParameterInfo* findParameter(std::string_view key) {
  for (const ParameterInfo& parameter : kParameters) {
    if (parameter.key == key) return &parameter;
  }
  return nullptr;
}

std::string parameterLabel(std::string_view key, Language language) {
  const ParameterInfo* parameter = findParameter(key);
  return parameter ? labelOf(parameter->name, parameter->symbol, language) : std::string(key);
}

std::span<const SectionInfo> sections() { return kSections; }

const SectionInfo* findSection(std::string_view key) {
  for (const SectionInfo& section : kSections) {
    if (section.key == key) return &section;
  }
  return nullptr;
}

std::span<const QuantityInfo> quantities() { return kQuantities; }

const QuantityInfo& quantityInfo(QuantityId id) { return kQuantities[static_cast<std::size_t>(id)]; }

std::string quantityLabel(QuantityId id, Language language) {
  const QuantityInfo& quantity = quantityInfo(id);
  return labelOf(quantity.name, quantity.symbol, language);
}

std::string quantityLabel(std::string_view key, Language language) {
  for (const QuantityInfo& quantity : kQuantities) {
    if (quantity.key == key) return labelOf(quantity.name, quantity.symbol, language);
  }
  return std::string(key);
}

std::span<const TermInfo> terms() { return kTerms; }

const TermInfo* findTerm(std::string_view key) {
  for (const TermInfo& term : kTerms) {
    if (term.key == key) return &term;
  }
  return nullptr;
}

std::string_view termText(std::string_view key, Language language) {
  const TermInfo* term = findTerm(key);
  return term ? term->name.in(language) : key;
}

}  // namespace channelflow::calc
