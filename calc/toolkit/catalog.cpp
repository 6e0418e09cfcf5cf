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

constexpr std::array<ParameterInfo, 52> kParameters{{
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
  {"file",       "",    {"数据文件（河段或渠线）", "File of a reach or a canal line"}, UnitKind::None, Limit::Text},
  {"flows",      "",    {"流量", "Flows"},                          UnitKind::Discharge, Limit::Text},
  {"downstream", "",    {"下游边界条件", "Downstream boundary"},    UnitKind::None,      Limit::Text},
  {"upstream",   "",    {"上游边界条件", "Upstream boundary"},      UnitKind::None,      Limit::Text},
  {"friction",   "",    {"平均摩阻坡度取法", "Mean friction slope"}, UnitKind::None,     Limit::Choice},
  // A canal line: the level known and where, gravity, grade, the tail's levels and the profile's scales.
  {"level",         "",  {"渠首水位", "Level at the head"},                UnitKind::Length,    Limit::Any},
  {"control-level", "",  {"控制水位", "Control level"},                    UnitKind::Length,    Limit::Any},
  {"control-at",    "",  {"控制水位所在的节制闸", "Gate of the control level"}, UnitKind::None, Limit::Text},
  {"g",             "g", {"重力加速度", "Gravity"},                        UnitKind::None,      Limit::Positive},
  {"grade",         "",  {"渠道级别", "Canal grade"},                      UnitKind::None,      Limit::Count},
  {"tail",          "",  {"渠尾水位（加大;最小）", "Levels at the tail (enlarged;minimum)"}, UnitKind::None, Limit::Text},
  {"dxf-vscale",    "",  {"纵断面图竖向比例 1:N 的 N", "Profile's vertical scale 1:N"}, UnitKind::None, Limit::Positive},
  {"max-step",      "",  {"逐段试算的最大步长（0 为节点间一步，不再细分）", "Longest standard step (0: node to node, never halved)"}, UnitKind::Length, Limit::NonNegative},
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
  // Canal lines.
  {NodeKindName,      "kind",             "",      {"节点类型", "Node"},                             UnitKind::None},
  {Stake,             "stake",            "",      {"桩号", "Station"},                              UnitKind::None},
  {PlanX,             "x",                "X",     {"坐标（北）", "Northing"},                       UnitKind::Length},
  {PlanY,             "y",                "Y",     {"坐标（东）", "Easting"},                        UnitKind::Length},
  {CurveRadius,       "Rc",               "Rc",    {"转弯半径", "Curve radius"},                     UnitKind::Length},
  {Deflection,        "a",                "a (°)", {"转角", "Deflection"},                           UnitKind::None},
  {Turn,              "turn",             "",      {"转向", "Turn"},                                 UnitKind::None},
  {Tangent,           "T",                "T",     {"切线长", "Tangent length"},                     UnitKind::Length},
  {CurveLength,       "Lc",               "Lc",    {"曲线长", "Curve length"},                       UnitKind::Length},
  {CurveStart,        "BC",               "BC",    {"弯前桩号", "Beginning of the curve"},           UnitKind::Length},
  {CurveMiddle,       "MC",               "MC",    {"曲中桩号", "Middle of the curve"},              UnitKind::Length},
  {CurveEnd,          "EC",               "EC",    {"弯末桩号", "End of the curve"},                 UnitKind::Length},
  {IpSpacing,         "D_ip",             "D",     {"交点间距", "Distance from the point before"},   UnitKind::Length},
  {StraightLength,    "L_straight",       "",      {"两曲线间直线长", "Straight between the curves"}, UnitKind::Length},
  {CanalBed,          "bed",              "zb",    {"渠底高程", "Bed level"},                        UnitKind::Length},
  {BankTop,           "top",              "zt",    {"堤（墙）顶高程", "Top of bank or wall"},        UnitKind::Length},
  {BendLoss,          "hw",               "hw",    {"弯道水头损失", "Bend loss"},                    UnitKind::Length},
  {TransitionFall,    "htr",              "htr",   {"渐变段水面降落", "Fall across transitions"},    UnitKind::Length},
  {StructureFall,     "hs",               "hs",    {"建筑物水面降落", "Fall through the structure"}, UnitKind::Length},
  {GateFall,          "hgate",            "hgate", {"过闸水面降落", "Fall across the gate"},         UnitKind::Length},
  {ReservedLoss,      "hr",               "hr",    {"预留水头损失", "Reserved loss"},                UnitKind::Length},
  {LevelFall,         "dz",               "Δz",    {"本段水面降落", "Fall from the row before"},     UnitKind::Length},
  {TotalFall,         "dz_total",         "ΣΔz",   {"累计水面降落", "Fall from the head"},           UnitKind::Length},
  {WseDesign,         "wse_s",            "",      {"设计水位", "Design level"},                     UnitKind::Length},
  {WseEnlarged,       "wse_j",            "",      {"加大水位", "Enlarged level"},                   UnitKind::Length},
  {WseMinimum,        "wse_min",          "",      {"最小水位", "Minimum level"},                    UnitKind::Length},
  {StructureName,     "structure",        "",      {"建筑物", "Structure"},                          UnitKind::None},
  {StationIn,         "station_in",       "",      {"进口桩号", "Inlet station"},                    UnitKind::Length},
  {StationOut,        "station_out",      "",      {"出口桩号", "Outlet station"},                   UnitKind::Length},
  {StructureLength,   "L",                "L",     {"长度", "Length"},                               UnitKind::Length},
  {FloorIn,           "floor_in",         "∇1",    {"进口底高程", "Inlet floor"},                    UnitKind::Length},
  {FloorOut,          "floor_out",        "∇2",    {"出口底高程", "Outlet floor"},                   UnitKind::Length},
  {FallDesign,        "dZ_s",             "ΔZ",    {"设计流量水面落差", "Fall at the design flow"},  UnitKind::Length},
  {FallEnlarged,      "dZ_j",             "ΔZj",   {"加大流量水面落差", "Fall at the enlarged flow"}, UnitKind::Length},
  {FallMinimum,       "dZ_min",           "ΔZmin", {"最小流量水面落差", "Fall at the minimum flow"}, UnitKind::Length},
  {AllottedHead,      "dZ_allotted",      "ΔZa",   {"分配水头", "Head allotted"},                    UnitKind::Length},
  {InletXi,           "xi1",              "ξ1",    {"进口渐变段损失系数", "Inlet transition's coefficient"}, UnitKind::None},
  {OutletXi,          "xi2",              "ξ2",    {"出口渐变段损失系数", "Outlet transition's coefficient"}, UnitKind::None},
  {PipeLoss,          "z",                "z",     {"管身水头损失", "Loss in the barrels"},          UnitKind::Length},
  {Clause,            "clause",           "",      {"条文", "Clause"},                               UnitKind::None},
  {Verdict,           "verdict",          "",      {"结论", "Verdict"},                              UnitKind::None},
  {ComparedSymbol,    "symbol",           "",      {"校核量", "Quantity checked"},                   UnitKind::None},
  {CheckValue,        "value",            "",      {"数值", "Value"},                                UnitKind::None},
  {CheckLimits,       "limits",           "",      {"限值", "Limits"},                               UnitKind::None},
  {CheckLimitSymbols, "limit_symbols",    "",      {"限值符号", "Limits' symbols"},                  UnitKind::None},
  {AdoptedItem,       "item",             "",      {"项目", "Item"},                                 UnitKind::None},
  {NeededValue,       "needed",           "",      {"计算值", "Computed"},                           UnitKind::Length},
  {AdoptedValue,      "adopted",          "",      {"采用值", "Adopted"},                            UnitKind::Length},
  {KnownLevel,        "level",            "",      {"已知水位", "Level known"},                      UnitKind::Length},
  {KnownAt,           "level_at",         "",      {"已知水位所在节点", "Where it is known"},         UnitKind::None},
  {Gravity,           "g",                "g",     {"重力加速度", "Gravity"},                        UnitKind::None},
  {NodeCount,         "nodes",            "",      {"节点数", "Nodes"},                              UnitKind::None},
  {SegmentFlowSource, "source",           "",      {"加大、最小流量的来源", "Where Qj and Qmin come from"}, UnitKind::None},
  {DesignDepth,       "h_s",              "hs",    {"设计水深", "Design depth"},                     UnitKind::Length},
  {EnlargedLevelDepth,"h_j",              "hj",    {"加大水深", "Enlarged depth"},                   UnitKind::Length},
}};

constexpr std::array<TermInfo, 147> kTerms{{
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
  {"json-list",         {"数字或字符串，或它们的数组", "a number or a string, or an array of them"}, false},  // Canal lines.
  {"ip",                {"IP（交点）", "IP"}, false},
  {"node",              {"节点", "node"}, false},
  {"gate",              {"节制闸", "check gate"}, false},
  {"offtake",           {"分水口", "offtake"}, false},
  {"siphon-in",         {"倒虹吸进口", "siphon inlet"}, false},
  {"siphon-out",        {"倒虹吸出口", "siphon outlet"}, false},
  {"aqueduct-in",       {"渡槽进口", "aqueduct inlet"}, false},
  {"aqueduct-out",      {"渡槽出口", "aqueduct outlet"}, false},
  {"tunnel-in",         {"隧洞进口", "tunnel inlet"}, false},
  {"tunnel-out",        {"隧洞出口", "tunnel outlet"}, false},
  {"culvert-in",        {"涵洞进口", "culvert inlet"}, false},
  {"culvert-out",       {"涵洞出口", "culvert outlet"}, false},
  {"drop",              {"跌水", "drop"}, false},
  {"chute-in",          {"陡坡进口", "chute inlet"}, false},
  {"chute-out",         {"陡坡出口", "chute outlet"}, false},
  {"siphon",            {"倒虹吸", "inverted siphon"}, false},
  {"aqueduct",          {"渡槽", "aqueduct"}, false},
  {"tunnel",            {"隧洞", "tunnel"}, false},
  {"culvert",           {"涵洞", "culvert"}, false},
  {"chute",             {"陡坡", "chute"}, false},
  {"design",            {"设计流量", "design flow"}, false},
  {"enlarged",          {"加大流量", "enlarged flow"}, false},
  {"minimum",           {"最小流量", "minimum flow"}, false},
  {"left",              {"左转", "left"}, false},
  {"right",             {"右转", "right"}, false},
  {"uniform",           {"均匀流 h_f = i·L（实践做法，各流量取正常水深）", "uniform flow h_f = i·L (practice: normal depth at every flow)"}, true},
  {"head",              {"渠首", "the head"}, false},
  {"tail",              {"渠尾", "the tail"}, false},
  {"table-6.3.4",       {"Qj 按表 6.3.4 取小值，Qmin 给定", "Qj by Table 6.3.4's smaller P, Qmin given"}, false},
  {"ratio-0.4",         {"Qj 给定，Qmin = 0.4Q", "Qj given, Qmin = 0.4 Q"}, false},
  {"table-and-ratio",   {"Qj 按表 6.3.4 取小值，Qmin = 0.4Q", "Qj by Table 6.3.4's smaller P, Qmin = 0.4 Q"}, false},
  {"given",             {"给定", "given"}, false},
  {"canal-velocity",    {"渠道设计流速", "canal's design velocity"}, false},
  {"canal-scour",       {"渠道不冲流速", "canal's non-scouring velocity"}, false},
  {"canal-silting",     {"渠道不淤流速", "canal's non-silting velocity"}, false},
  {"bend-radius",       {"弯道半径", "bend radius"}, false},
  {"allotted-head",     {"分配水头", "head allotted"}, false},
  {"siphon-velocity",   {"倒虹吸管内流速", "siphon velocity"}, false},
  {"siphon-non-silting", {"倒虹吸不淤流速", "siphon non-silting velocity"}, false},
  {"siphon-inlet-submerged", {"倒虹吸进口淹没", "siphon inlet submerged"}, false},
  {"siphon-outlet-submerged", {"倒虹吸出口淹没", "siphon outlet submerged"}, false},
  {"aqueduct-velocity", {"渡槽设计流速", "aqueduct velocity"}, false},
  {"aqueduct-height-ratio", {"渡槽深宽比", "aqueduct height ratio"}, false},
  {"aqueduct-freeboard", {"渡槽超高", "aqueduct freeboard"}, false},
  {"aqueduct-long-trough", {"长渡槽（L > 15h1）", "long trough (L > 15 h1)"}, false},
  {"aqueduct-backwater", {"渡槽进口壅水", "aqueduct entrance backwater"}, false},
  {"tunnel-free-area",  {"隧洞净空面积", "tunnel free area"}, false},
  {"tunnel-clear-height", {"隧洞净空高度", "tunnel clear height"}, false},
  {"culvert-free-area", {"涵洞净空面积", "culvert free area"}, false},
  {"culvert-clear-height", {"涵洞净空高度", "culvert clear height"}, false},
  {"drop-fall",         {"单级跌差", "single drop's fall"}, false},
  {"canal-height",      {"渠深（渠底至堤顶）", "canal depth (bed to bank top)"}, false},
  {"normal-depth-tail",  {"正常水深", "normal depth"}, false},
  {"all-flows",          {"各流量", "every flow"}, false},
  {"trough-height",     {"渡槽槽身高度", "trough height"}, false},
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
