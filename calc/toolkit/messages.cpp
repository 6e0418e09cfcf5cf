#include "calc/toolkit/messages.h"

#include <array>
#include <cstddef>

#include "calc/toolkit/catalog.h"
#include "calc/design/row_names.h"
#include "numeric/text/number_text.h"

namespace channelflow::calc {
namespace {

using enum MessageId;

// clang-format off
constexpr std::array<MessageInfo, static_cast<std::size_t>(Count)> kMessages{{
  {NotANumber,          "not-a-number",          false, "{label} 的取值 \"{0}\" 不是有效的数字",
                                                        "{label}: \"{0}\" is not a number"},
  {NumberTooLarge,      "number-too-large",      false, "{label} 的取值 \"{0}\" 超出数值范围（绝对值大于 1.8E+308）",
                                                        "{label}: \"{0}\" is beyond the range of numbers (above 1.8E+308 in magnitude)"},
  {NumberTooSmall,      "number-too-small",      false, "{label} 的取值 \"{0}\" 太小（绝对值小于 2.2E-308），双精度数无法准确表示",
                                                        "{label}: \"{0}\" is too small (below 2.2E-308 in magnitude) to be held with all its digits"},
  {NotAnInteger,        "not-an-integer",        true,  "{option} 必须是 1 到 1000000 之间的整数",
                                                        "{option} must be a whole number from 1 to 1000000"},
  {Negative,            "negative",              false, "{label} 不能为负",
                                                        "{label} must not be negative"},
  {NotPositive,         "not-positive",          false, "{label} 必须大于零",
                                                        "{label} must be greater than zero"},
  {NoWidth,             "no-width",              false, "下底宽 B 与边坡系数 m 不能同时为零",
                                                        "Bottom width B and side slope m cannot both be zero"},
  {DepthAboveDiameter,  "depth-above-diameter",  false, "{label} 不能超过管径 D",
                                                        "{label} cannot exceed the diameter D"},
  {NoUniformFlow,       "no-uniform-flow",       false, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流",
                                                        "Bed slope i must be greater than zero: a flat or adverse bed has no uniform flow"},
  {CompositeOneSurface, "composite-one-surface", false, "{0}断面的湿周是一个连续曲面，不分渠底与边壁：复合糙率只用于梯形和 U 形断面",
                                                        "The wetted perimeter of a {0} section is one surface, not a bed and walls: composite roughness applies to trapezoids and U shapes only"},
  {CompositeUnknown,    "composite-unknown",     false, "复合糙率不能作为未知量：请给出单一的粗糙系数 n",
                                                        "A composite roughness cannot be the unknown: give one Manning's n"},
  {ResultTooLarge,      "result-too-large",      false, "{0} 超出数值范围（大于 1.8E+308）",
                                                        "{0} is beyond the range of numbers (above 1.8E+308)"},
  {ResultTooSmall,      "result-too-small",      false, "{0} 超出数值范围（小于 2.2E-308）",
                                                        "{0} is beyond the range of numbers (below 2.2E-308)"},
  {NoAnswer,            "no-answer",             false, "求解未能收敛",
                                                        "The solver found no answer"},
  {AboveCapacity,       "above-capacity",        false, "流量 Q 超过圆管的最大过流能力 Qmax = {0} {1}（水深 {2} {3}，约 0.938 D 时）",
                                                        "Discharge Q exceeds the pipe's greatest capacity Qmax = {0} {1} (at depth {2} {3}, about 0.938 D)"},
  {NoDiameter,          "no-diameter",           false, "该水深下即使管径等于水深（满管）流量也已超过 Q：任何管径都不能以此水深输送 Q",
                                                        "Even a pipe no deeper than the water (running full) carries more than Q at this depth: no diameter carries Q at this depth"},
  {NegativeSize,        "negative-size",         false, "该水深下仅两侧边坡部分的流量已超过 Q：所需的{0}为负",
                                                        "At this depth the side slopes alone carry more than Q: the {0} needed is negative"},
  {CriticalNoJump,      "critical-no-jump",      false, "水深等于临界水深：临界流不发生水跃",
                                                        "The depth is the critical depth: critical flow makes no jump"},
  {JumpFillsPipe,       "jump-fills-pipe",       false, "跃后水深将超过管径：水跃会使管道满流，明渠水跃公式不再适用",
                                                        "The depth after the jump would exceed the diameter: the jump fills the pipe, and open-channel jump formulas no longer apply"},
  {ControlAtCritical,   "control-at-critical",   false, "控制水深等于临界水深：没有渐变流水面线",
                                                        "The control depth is the critical depth: there is no gradually varied profile"},
  {ControlAtNormal,     "control-at-normal",     false, "控制水深等于正常水深：水面线就是均匀流",
                                                        "The control depth is the normal depth: the profile is uniform flow"},
  {TargetWrongWay,      "target-wrong-way",      false, "{0} 型水面线由控制断面{1}水深{2}：目标水深不在推算方向上",
                                                        "The {0} profile's depth {2} {1} from the control: the target depth does not lie that way"},
  {TargetBeyondNormal,  "target-beyond-normal",  false, "目标水深到达或越过正常水深 hn = {0}：水面线只渐近于正常水深，永远达不到",
                                                        "The target depth reaches or passes the normal depth hn = {0}: a profile only approaches the normal depth and never reaches it"},
  {ReachedCritical,     "reached-critical",      false, "水面线在 x = {0} 处到达临界水深 hc = {1}：水跃或跌水发生在此附近，不越过临界水深继续推算",
                                                        "The profile reaches the critical depth hc = {1} at x = {0}: a jump or a fall stands near there, and the profile is not carried past the critical depth"},
  {ReachedCrown,        "reached-crown",         false, "水面线在 x = {0} 处到达管顶：管道满流，明渠水面线到此为止",
                                                        "The profile reaches the crown at x = {0}: the pipe runs full, and the free-surface profile ends there"},
  {UnknownSection,      "unknown-section",       true,  "{option} 只能是 trapezoid、circle、u、parabola 或 points，而不是 \"{0}\"",
                                                        "{option} must be trapezoid, circle, u, parabola or points, not \"{0}\""},
  {UnknownUnits,        "unknown-units",         true,  "{option} 只能是 si 或 us，而不是 \"{0}\"",
                                                        "{option} must be si or us, not \"{0}\""},
  {NotTakenBySection,   "not-taken-by-section",  true,  "{0} 断面不用 {option}",
                                                        "A {0} section takes no {option}"},
  {MissingInput,        "missing-input",         true,  "缺少 {option}",
                                                        "{option} is missing"},
  {ExclusiveInputs,     "exclusive-inputs",      true,  "{0} 与 {1}、{2} 只能择一",
                                                        "Give either {0} or {1} and {2}, not both"},
  {InputsTogether,      "inputs-together",       true,  "{0} 与 {1} 须同时给出",
                                                        "{0} and {1} go together"},
  {SolveOneUnknown,     "solve-one-unknown",     true,  "solve 须恰好省去 {0}、{1}、{2}、{3}、{4} 中的一个，而现在省去了 {5} 个",
                                                        "solve needs exactly one of {0}, {1}, {2}, {3} and {4} left out, not {5}"},
  {SizeIsTheUnknown,    "size-is-the-unknown",   true,  "solve-width 求的就是 {option}，不能给出它",
                                                        "solve-width finds {option}: it cannot be given"},
  {JumpTakesNoRoughness,"jump-takes-no-n",       true,  "jump 不用 {option}：水跃由动量方程求得，与糙率无关",
                                                        "jump takes no {option}: the jump follows from the momentum equation, whatever the roughness"},
  {TargetOrLength,      "target-or-length",      true,  "须给出 {0} 或 {1} 之一",
                                                        "Give one of {0} and {1}"},
  {StepsRange,          "steps-range",           true,  "{option} 必须是 1 到 1000000 之间的整数",
                                                        "{option} must be a whole number from 1 to 1000000"},
  {RangeSyntax,         "range-syntax",          true,  "{option} 应写作 起点:终点:步长，例如 0.1:3:0.1",
                                                        "{option} is written from:to:step, e.g. 0.1:3:0.1"},
  {RangeOrder,          "range-order",           true,  "{option} 的步长必须大于零，终点不能小于起点",
                                                        "The step of {option} must be greater than zero, and its end not below its start"},
  {RangeRows,           "range-rows",            true,  "{option} 的范围最多一百万行",
                                                        "The range of {option} gives at most a million rows"},
  {RangeEnd,            "range-end",             true,  "{option} 的终点超出数值范围",
                                                        "The end of {option} is beyond the range of numbers"},
  {RangePartNotANumber, "range-part",            false, "水深范围 {option} 的{0} \"{1}\" {2}",
                                                        "The {0} of the depth range {option}, \"{1}\", {2}"},
  {RangeStart,          "range-start",           false, "水深 h 必须大于零：范围的起点为 {0}",
                                                        "Depth h must be greater than zero: the range starts at {0}"},
  {UnknownQuantity,     "unknown-quantity",      true,  "{option} 只能是 {0}，而不是 \"{1}\"",
                                                        "{option} must be one of {0}, not \"{1}\""},
  {ColumnCount,         "column-count",          false, "列数应为 {0}，实为 {1}",
                                                        "The row should have {0} columns, not {1}"},
  {HeaderUnreadable,    "header-unreadable",     true,  "表头无法读取：{0}",
                                                        "The header cannot be read: {0}"},
  {ColumnTwice,         "column-twice",          true,  "表头中列 {0} 出现了两次",
                                                        "The header names column {0} twice"},
  {ColumnMissing,       "column-missing",        true,  "表头缺少列 {0}",
                                                        "The header lacks column {0}"},
  {FirstEditionColumnMissing, "column-missing-bhmin", true, "表头缺少列 {0}（应含 B,h,m,i,n）",
                                                        "The header lacks column {0} (it needs B, h, m, i and n)"},
  {ReadFailed,          "read-failed",           false, "读取输入失败",
                                                        "Reading the input failed"},
  {LineTooLong,         "line-too-long",         false, "该行超过 1 MB，未读取",
                                                        "The row is longer than 1 MB and was not read"},
  {UnclosedQuote,       "unclosed-quote",        false, "引号未闭合：输入在带引号的字段中结束",
                                                        "Unclosed quote: the input ends inside a quoted field"},
  {UnknownOption,       "unknown-option",        true,  "未知选项 {0}",
                                                        "Unknown option {0}"},
  {RepeatedOption,      "repeated-option",       true,  "选项 {0} 重复",
                                                        "Option {0} is given twice"},
  {MissingValue,        "missing-value",         true,  "{0} 缺少取值",
                                                        "{0} has no value"},
  {ExtraArgument,       "extra-argument",        true,  "多余的参数 \"{0}\"",
                                                        "Unexpected argument \"{0}\""},
  {UnknownFormat,       "unknown-format",        true,  "{0} 只能是 text、csv 或 json，而不是 \"{1}\"",
                                                        "{0} must be text, csv or json, not \"{1}\""},
  {OutOfMemory,         "out-of-memory",         false, "内存不足",
                                                        "Out of memory"},
  {TwoDepths,           "two-depths",            false, "两个水深都以均匀流通过该流量（圆管流量在约 0.938 D 处最大）",
                                                        "Both depths carry this discharge in uniform flow (a pipe's discharge is greatest at about 0.938 D)"},
  {CircleCapacityLine,  "circle-capacity",       false, "最大过流能力 Qmax = {0} {1}（水深 {2} {3}），满管流量 Qfull = {4} {1}",
                                                        "Greatest discharge Qmax = {0} {1} (at depth {2} {3}), discharge running full Qfull = {4} {1}"},
  {AlphaBelowOne,       "alpha-below-one",       false, "{label} 不能小于 1：实用经济断面的面积不小于水力最佳断面的面积",
                                                        "{label} cannot be below 1: a practical economic section is no smaller than the best one"},
  {LimitsOrder,         "limits-order",          false, "{label} 必须小于 {0}",
                                                        "{label} must be below {0}"},
  {UnknownSoil,         "unknown-soil",          false, "{label} \"{0}\" 不是附录 C 或表 6.4.4 中的土质：可用 channelflow-cli velocity-limits 所列附录 C 的键，或 {1}",
                                                        "{label}: \"{0}\" is no soil of Appendix C or Table 6.4.4: give a key of Appendix C that channelflow-cli velocity-limits lists, or one of {1}"},
  {UnknownLining,       "unknown-lining",        false, "{label} \"{0}\" 不是附录 B 中的渠床（channelflow-cli roughness 列出全部渠床）",
                                                        "{label}: \"{0}\" is no bed of Appendix B (channelflow-cli roughness lists them)"},
  {LiningFlowClass,     "lining-flow-class",     false, "{label} 所选的表 B.0.1 一行（{0}）不适用于设计流量 Q = {1} m³/s",
                                                        "{label}: the row of Table B.0.1 named ({0}) is not for the design flow Q = {1} m³/s"},
  {EnlargeNeeded,       "enlarge-needed",        false, "设计流量 Q = {0} m³/s 不小于 300 m³/s：表 6.3.4 只规定加大百分数小于 5 %，须以 {1} 给出",
                                                        "The design flow Q = {0} m³/s is 300 m³/s or more: Table 6.3.4 says only that the enlargement is below 5 %, so give it with {1}"},
  {MinRatioRange,       "min-ratio-range",       false, "{label} 必须大于 0 且不大于 1",
                                                        "{label} must be above 0 and at most 1"},
  {OneSizing,           "one-sizing",            true,  "{0}、{1}、{2} 至多给出一个",
                                                        "Give at most one of {0}, {1} and {2}"},
  {UnknownChoice,       "unknown-choice",        true,  "{option} 只能是 {0}，而不是 \"{1}\"",
                                                        "{option} must be one of {0}, not \"{1}\""},
  {DesignSection,       "design-section",        true,  "design 只设计梯形（含矩形）和 U 形断面：{option} 只能是 trapezoid 或 u，而不是 \"{0}\"",
                                                        "design designs trapezoids (rectangles among them) and U shapes: {option} must be trapezoid or u, not \"{0}\""},
  {CheckVelocityWithin, "check-velocity-within", false, "设计流量的流速 v = {0} m/s，在允许范围 {1} 之内",
                                                        "The design flow's velocity v = {0} m/s lies within the allowed {1}"},
  {CheckVelocityLow,    "check-velocity-low",    false, "设计流量的流速 v = {0} m/s，小于 {1} = {2} m/s",
                                                        "The design flow's velocity v = {0} m/s is below {1} = {2} m/s"},
  {CheckVelocityHigh,   "check-velocity-high",   false, "设计流量的流速 v = {0} m/s，大于 {1} = {2} m/s",
                                                        "The design flow's velocity v = {0} m/s is above {1} = {2} m/s"},
  {CheckVelocityNoLimits, "check-velocity-none", false, "未给出 {0} 或 {1}：设计流速未作校核",
                                                        "Neither {0} nor {1} is given: the design velocity is not checked"},
  {CheckScourOk,        "check-scour-ok",        false, "加大流量的流速 vj = {0} m/s，不大于不冲流速 {1} m/s（{2}）",
                                                        "The enlarged flow's velocity vj = {0} m/s is not above the non-scouring velocity {1} m/s ({2})"},
  {CheckScourFail,      "check-scour-fail",      false, "加大流量的流速 vj = {0} m/s，大于不冲流速 {1} m/s（{2}）：渠床将受冲刷",
                                                        "The enlarged flow's velocity vj = {0} m/s is above the non-scouring velocity {1} m/s ({2}): the bed will scour"},
  {CheckScourNoLimit,   "check-scour-none",      false, "未给出 {0}，附录 C 也没有 {1}、{2} 所说渠床的不冲流速：不冲未作校核",
                                                        "Neither {0} nor an Appendix C row for the bed that {1} and {2} describe gives a non-scouring velocity: not checked"},
  {CheckSiltOk,         "check-silt-ok",         false, "最小流量的流速 vmin = {0} m/s，不小于不淤流速 {1} = {2} m/s",
                                                        "The minimum flow's velocity vmin = {0} m/s is not below the non-silting velocity {1} = {2} m/s"},
  {CheckSiltFail,       "check-silt-fail",       false, "最小流量的流速 vmin = {0} m/s，小于不淤流速 {1} = {2} m/s：渠道将淤积",
                                                        "The minimum flow's velocity vmin = {0} m/s is below the non-silting velocity {1} = {2} m/s: the canal will silt up"},
  {CheckSiltNoLimit,    "check-silt-none",       false, "未给出不淤流速 {0}（§6.3.12：按地区经验公式确定）：最小流量的不淤未作校核",
                                                        "No non-silting velocity {0} is given (§6.3.12: from regional formulas): the minimum flow is not checked for silting"},
  {CheckMinDepthOk,     "check-min-depth-ok",    false, "最小流量的水深 hmin = {0} m，不小于设计水深的 60 %：0.6 × {1} = {2} m（§6.3.5）",
                                                        "The minimum flow's depth hmin = {0} m is not below 60 % of the design depth: 0.6 × {1} = {2} m (§6.3.5)"},
  {CheckMinDepthFail,   "check-min-depth-fail",  false, "最小流量的水深 hmin = {0} m，小于设计水深的 60 %：0.6 × {1} = {2} m（§6.3.5；节制闸控制水位时可不受此限）",
                                                        "The minimum flow's depth hmin = {0} m is below 60 % of the design depth: 0.6 × {1} = {2} m (§6.3.5; not binding where a check gate holds the level)"},
  {CheckSideSlopeOk,    "check-side-slope-ok",   false, "边坡系数 m = {0}，不小于表 6.4.4 中{1}、水深 {2} 的最小边坡系数 {3}（按加大水深 hj = {4} m）",
                                                        "The side slope m = {0} is not below Table 6.4.4's least slope {3} for {1} at depths {2} (at the enlarged depth hj = {4} m)"},
  {CheckSideSlopeFail,  "check-side-slope-fail", false, "边坡系数 m = {0}，小于表 6.4.4 中{1}、水深 {2} 的最小边坡系数 {3}（按加大水深 hj = {4} m）",
                                                        "The side slope m = {0} is below Table 6.4.4's least slope {3} for {1} at depths {2} (at the enlarged depth hj = {4} m)"},
  {CheckSideSlopeDeep,  "check-side-slope-deep", false, "加大水深 hj = {0} m 超过 3 m：表 6.4.4 不适用，边坡应经稳定分析确定",
                                                        "The enlarged depth hj = {0} m exceeds 3 m: Table 6.4.4 does not apply, and the slope needs a stability analysis"},
  {CheckSideSlopeNoSoil,"check-side-slope-none", false, "未给出 {0}，或表 6.4.4 中没有所给的土质：边坡未作校核",
                                                        "No {0} is given, or Table 6.4.4 has not the soil given: the side slope is not checked"},
  {CheckSideSlopeNotTrapezoid, "check-side-slope-u", false, "U 形断面：表 6.4.4 只用于梯形挖方渠道",
                                                        "A U-shaped section: Table 6.4.4 is for trapezoidal canals in cut"},
  {CheckEarthVelocityOk, "check-earth-velocity-ok", false, "土渠的设计流速 v = {0} m/s，在宜用的 0.6～1.0 m/s 之内（§6.3.10）",
                                                        "The earth canal's design velocity v = {0} m/s lies within the preferred 0.6 to 1.0 m/s (§6.3.10)"},
  {CheckEarthVelocityOutside, "check-earth-velocity-outside", false, "土渠的设计流速 v = {0} m/s，不在宜用的 0.6～1.0 m/s 之内，但不小于 0.3 m/s（§6.3.10）",
                                                        "The earth canal's design velocity v = {0} m/s lies outside the preferred 0.6 to 1.0 m/s, though not below 0.3 m/s (§6.3.10)"},
  {CheckEarthVelocityLow, "check-earth-velocity-low", false, "土渠的设计流速 v = {0} m/s，小于 0.3 m/s（§6.3.10：不宜小于 0.3 m/s，以免长草）",
                                                        "The earth canal's design velocity v = {0} m/s is below 0.3 m/s (§6.3.10: not below 0.3 m/s, lest weeds grow)"},
  {CheckEarthVelocityNotEarth, "check-earth-velocity-none", false, "不是土渠，或未以 {0}、{1} 说明渠床：§6.3.10 的土渠流速不适用",
                                                        "Not an earth canal, or no bed described by {0} or {1}: §6.3.10's earth-canal velocities do not apply"},
  {CheckFreeboardFormula, "check-freeboard-formula", false, "{0} 级渠道：岸顶超高按式 6.4.8-1 计算（4、5 级渠道）",
                                                        "A grade {0} canal: the freeboard follows Eq. 6.4.8-1 (grades 4 and 5)"},
  {CheckFreeboardHighGrade, "check-freeboard-grade", false, "{0} 级渠道：式 6.4.8-1 只用于 4、5 级渠道，1～3 级渠道的岸顶超高应按土石坝的要求论证确定；这里的 Fb 只是估算，请以 {1} 给出",
                                                        "A grade {0} canal: Eq. 6.4.8-1 is for grades 4 and 5, and the freeboard of grades 1 to 3 follows the requirements of earth and rockfill dams; this Fb is an estimate, give it with {1}"},
  {CheckFreeboardGiven, "check-freeboard-given", false, "岸顶超高由 {0} 给定",
                                                        "The freeboard is given by {0}"},
  {ReportTitle,         "report-title",          false, "渠道设计计算书（依据 GB 50288-2018《灌溉与排水工程设计标准》）",
                                                        "Canal design calculation (GB 50288-2018, Standard for design of irrigation and drainage engineering)"},
  {HeadingData,         "heading-data",          false, "{0} 设计条件", "{0} Design data"},
  {HeadingFlows,        "heading-flows",         false, "{0} 设计流量、加大流量和最小流量（§6.3.1、§6.3.4、§6.3.5）",
                                                        "{0} Design, enlarged and minimum flows (§6.3.1, §6.3.4, §6.3.5)"},
  {HeadingBest,         "heading-best",          false, "{0} 水力最佳断面（附录 E.0.1）", "{0} Hydraulically best section (Appendix E.0.1)"},
  {HeadingSchemes,      "heading-schemes",       false, "{0} 实用经济断面（附录 E.0.2）", "{0} Practical economic sections (Appendix E.0.2)"},
  {HeadingRatio,        "heading-ratio",         false, "{0} 按宽深比 β 确定断面", "{0} The section of width-to-depth ratio β"},
  {HeadingWidth,        "heading-width",         false, "{0} 按底宽 B 求设计水深", "{0} The design depth for bottom width B"},
  {HeadingGivenU,       "heading-given-u",       false, "{0} U 形断面的设计水深", "{0} The design depth of the U-shaped section"},
  {HeadingSection,      "heading-section",       false, "{0} 设计断面的水力要素（设计流量）", "{0} The design section's hydraulic elements (design flow)"},
  {HeadingOtherFlows,   "heading-other-flows",   false, "{0} 加大流量和最小流量的水深（均匀流，式 6.4.2：Q = A·R^(2/3)·i^(1/2)/n）",
                                                        "{0} Depths of the enlarged and minimum flows (uniform flow, Eq. 6.4.2: Q = A·R^(2/3)·i^(1/2)/n)"},
  {HeadingBank,         "heading-bank",          false, "{0} 岸顶超高和渠深（§6.4.8）", "{0} Freeboard and canal depth (§6.4.8)"},
  {HeadingChecks,       "heading-checks",        false, "{0} 校核", "{0} Checks"},
  {StepDesignFlow,      "step-design-flow",      false, "设计流量 Q = {0} m³/s", "Design flow Q = {0} m³/s"},
  {StepSlope,           "step-slope",            false, "渠底比降 i = {0}", "Bed slope i = {0}"},
  {StepLining,          "step-lining",           false, "渠床：{0}（附录 B 表 {1}）", "Bed: {0} (Appendix B, Table {1})"},
  {StepRoughnessGiven,  "step-n-given",          false, "糙率 n = {0}", "Roughness n = {0}"},
  {StepRoughnessRange,  "step-n-range",          false, "糙率 n = {0}（表中为 {1}～{2}，取{3}）", "Roughness n = {0} (the table gives {1} to {2}; {3} taken)"},
  {StepRoughnessTable,  "step-n-table",          false, "糙率 n = {0}（表中值）", "Roughness n = {0} (the table's value)"},
  {StepSoil,            "step-soil",             false, "土质：{0}", "Soil: {0}"},
  {StepTrapezoid,       "step-trapezoid",        false, "梯形断面，边坡系数 m = {0}", "Trapezoidal section, side slope m = {0}"},
  {StepRectangle,       "step-rectangle",        false, "矩形断面（m = 0）", "Rectangular section (m = 0)"},
  {StepUShape,          "step-u-shape",          false, "U 形断面：底部圆弧半径 r = {0} m，直线段边坡系数 m = {1}",
                                                        "U-shaped section: bottom arc radius r = {0} m, side slope of the straight walls m = {1}"},
  {StepMethod,          "step-method",           false, "断面设计方法：{0}", "Sizing: {0}"},
  {StepLimits,          "step-limits",           false, "设计流量的允许流速：{0}", "Allowed velocity at the design flow: {0}"},
  {StepGrade,           "step-grade",            false, "渠道级别：{0} 级（表 3.1.5，灌溉设计流量 {1}）", "Canal grade: {0} (Table 3.1.5, irrigation design flow {1})"},
  {StepEnlargeTable,    "step-enlarge-table",    false, "加大百分数 P = {0} %（表 6.3.4：设计流量 {1} m³/s 时为 {2}～{3} %，取湿润地区用的小值；干旱地区可取大值，以 {4} 给出）",
                                                        "Enlargement P = {0} % (Table 6.3.4: {2} to {3} % for design flows of {1} m³/s; the smaller value, which humid regions use, is taken; arid regions may give the larger with {4})"},
  {StepEnlargeGiven,    "step-enlarge-given",    false, "加大百分数 P = {0} %（由 {1} 给定）", "Enlargement P = {0} % (given by {1})"},
  {StepEnlarged,        "step-enlarged",         false, "加大流量 Qj = Q·(1 + P/100) = {0} × (1 + {1}/100) = {2} m³/s",
                                                        "Enlarged flow Qj = Q·(1 + P/100) = {0} × (1 + {1}/100) = {2} m³/s"},
  {StepMinimum,         "step-minimum",          false, "最小流量 Qmin = {0}·Q = {0} × {1} = {2} m³/s（§6.3.5：不宜小于设计流量的 40 %）",
                                                        "Minimum flow Qmin = {0}·Q = {0} × {1} = {2} m³/s (§6.3.5: preferably not below 40 % of the design flow)"},
  {StepK,               "step-k",                false, "K = 2·√(1 + m²) − m = 2 × √(1 + {0}²) − {0} = {1}", "K = 2·√(1 + m²) − m = 2 × √(1 + {0}²) − {0} = {1}"},
  {StepH0,              "step-h0",               false, "h0 = 2^(1/4)·[n·Q/(K·√i)]^(3/8) = 2^(1/4) × [{0} × {1}/({2} × √{3})]^(3/8) = {4} m（式 E.0.1-1）",
                                                        "h0 = 2^(1/4)·[n·Q/(K·√i)]^(3/8) = 2^(1/4) × [{0} × {1}/({2} × √{3})]^(3/8) = {4} m (Eq. E.0.1-1)"},
  {NoteH0,              "note-h0",               false, "式 E.0.1-1 印作 1.189，是 2^(1/4) = 1.18920711500272 的近似；这里取 2^(1/4)，水力最佳断面恰好通过设计流量（按 1.189 计 h0 = {0} m）",
                                                        "Eq. E.0.1-1 prints 1.189, which is 2^(1/4) = 1.18920711500272 rounded; 2^(1/4) is used here, so that the best section carries the design flow exactly (with 1.189, h0 = {0} m)"},
  {StepB0,              "step-b0",               false, "b0 = 2·(√(1 + m²) − m)·h0 = 2 × (√(1 + {0}²) − {0}) × {1} = {2} m（式 E.0.1-2）",
                                                        "b0 = 2·(√(1 + m²) − m)·h0 = 2 × (√(1 + {0}²) − {0}) × {1} = {2} m (Eq. E.0.1-2)"},
  {StepA0,              "step-a0",               false, "A0 = b0·h0 + m·h0² = {0} × {1} + {2} × {1}² = {3} m²（式 E.0.1-3）",
                                                        "A0 = b0·h0 + m·h0² = {0} × {1} + {2} × {1}² = {3} m² (Eq. E.0.1-3)"},
  {StepV0,              "step-v0",               false, "v0 = Q/A0 = {0}/{1} = {2} m/s（式 E.0.1-6）", "v0 = Q/A0 = {0}/{1} = {2} m/s (Eq. E.0.1-6)"},
  {StepSchemeFormulas,  "step-scheme-formulas",  false, "η = h/h0 = α^2.5 − √(α^5 − α)（式 E.0.2-2 的较小根），β = B/h = α·K/η² − m（式 E.0.2-3），A = α·A0，v = v0/α",
                                                        "η = h/h0 = α^2.5 − √(α^5 − α) (the smaller root of Eq. E.0.2-2), β = B/h = α·K/η² − m (Eq. E.0.2-3), A = α·A0, v = v0/α"},
  {ChoiceNoLimits,      "choice-no-limits",      false, "取 α = {0}：未给出允许流速，取水力最佳断面",
                                                        "α = {0}: no velocity limits are given, so the best section is taken"},
  {ChoiceWithin,        "choice-within",         false, "取 α = {0}：流速在 {1} 之内的最小 α",
                                                        "α = {0}: the smallest α whose velocity lies within {1}"},
  {ChoiceNoneWithin,    "choice-none-within",    false, "没有一个方案的流速在 {1} 之内：取流速最接近的 α = {0}",
                                                        "No scheme's velocity lies within {1}: α = {0}, whose velocity is nearest"},
  {ChoiceGiven,         "choice-given",          false, "取 α = {0}（由 {1} 给定）", "α = {0} (given by {1})"},
  {ChoiceOutsideTable,  "choice-outside-table",  false, "取 α = {0}（由 {1} 给定；超出表 E.0.2 的 α = 1.00～1.04，按式 E.0.2-2、E.0.2-3 计算）",
                                                        "α = {0} (given by {1}; beyond Table E.0.2's α = 1.00 to 1.04, computed by Eqs. E.0.2-2 and E.0.2-3)"},
  {StepChosen,          "step-chosen",           false, "h = η·h0 = {0} × {1} = {2} m，B = β·h = {3} × {2} = {4} m",
                                                        "h = η·h0 = {0} × {1} = {2} m, B = β·h = {3} × {2} = {4} m"},
  {StepRatioDepth,      "step-ratio-depth",      false, "h = [n·Q·(β + 2√(1 + m²))^(2/3)/(√i·(β + m)^(5/3))]^(3/8) = [{0} × {1} × ({2} + 2√(1 + {3}²))^(2/3)/(√{4} × ({2} + {3})^(5/3))]^(3/8) = {5} m",
                                                        "h = [n·Q·(β + 2√(1 + m²))^(2/3)/(√i·(β + m)^(5/3))]^(3/8) = [{0} × {1} × ({2} + 2√(1 + {3}²))^(2/3)/(√{4} × ({2} + {3})^(5/3))]^(3/8) = {5} m"},
  {StepRatioWidth,      "step-ratio-width",      false, "B = β·h = {0} × {1} = {2} m", "B = β·h = {0} × {1} = {2} m"},
  {StepNormalDepth,     "step-normal-depth",     false, "由 Q = A·R^(2/3)·i^(1/2)/n 求正常水深：h = {0} m", "The normal depth from Q = A·R^(2/3)·i^(1/2)/n: h = {0} m"},
  {StepArea,            "step-area",             false, "A = (B + m·h)·h = ({0} + {1} × {2}) × {2} = {3} m²", "A = (B + m·h)·h = ({0} + {1} × {2}) × {2} = {3} m²"},
  {StepPerimeter,       "step-perimeter",        false, "P = B + 2·h·√(1 + m²) = {0} + 2 × {1} × √(1 + {2}²) = {3} m", "P = B + 2·h·√(1 + m²) = {0} + 2 × {1} × √(1 + {2}²) = {3} m"},
  {StepRadius,          "step-radius",           false, "R = A/P = {0}/{1} = {2} m", "R = A/P = {0}/{1} = {2} m"},
  {StepTopWidth,        "step-top-width",        false, "T = B + 2·m·h = {0} + 2 × {1} × {2} = {3} m", "T = B + 2·m·h = {0} + 2 × {1} × {2} = {3} m"},
  {StepUGeometry,       "step-u-geometry",       false, "U 形断面（圆弧段加直线段）：A = {0} m²，P = {1} m，R = A/P = {2} m，水面宽 T = {3} m",
                                                        "U-shaped section (the arc and the straight walls): A = {0} m², P = {1} m, R = A/P = {2} m, top width T = {3} m"},
  {StepVelocity,        "step-velocity",         false, "v = Q/A = {0}/{1} = {2} m/s", "v = Q/A = {0}/{1} = {2} m/s"},
  {StepFroude,          "step-froude",           false, "Fr = v/√(g·A/T) = {0}/√(9.80665 × {1}/{2}) = {3}（{4}）", "Fr = v/√(g·A/T) = {0}/√(9.80665 × {1}/{2}) = {3} ({4})"},
  {StepAreaRatio,       "step-area-ratio",       false, "A/A0 = {0}/{1} = {2}（为水力最佳断面面积的倍数 α）", "A/A0 = {0}/{1} = {2} (the area as a multiple α of the best section's)"},
  {StepEnlargedDepth,   "step-enlarged-depth",   false, "加大流量 Qj = {0} m³/s：hj = {1} m，A = {2} m²，R = {3} m，vj = {4} m/s，Fr = {5}",
                                                        "Enlarged flow Qj = {0} m³/s: hj = {1} m, A = {2} m², R = {3} m, vj = {4} m/s, Fr = {5}"},
  {StepMinimumDepth,    "step-minimum-depth",    false, "最小流量 Qmin = {0} m³/s：hmin = {1} m，A = {2} m²，R = {3} m，vmin = {4} m/s，Fr = {5}",
                                                        "Minimum flow Qmin = {0} m³/s: hmin = {1} m, A = {2} m², R = {3} m, vmin = {4} m/s, Fr = {5}"},
  {StepFreeboardFormula,"step-freeboard",        false, "岸顶超高 Fb = hj/4 + 0.2 = {0}/4 + 0.2 = {1} m（式 6.4.8-1）", "Freeboard Fb = hj/4 + 0.2 = {0}/4 + 0.2 = {1} m (Eq. 6.4.8-1)"},
  {StepFreeboardGiven,  "step-freeboard-given",  false, "岸顶超高 Fb = {0} m（由 {1} 给定）", "Freeboard Fb = {0} m (given by {1})"},
  {StepCanalDepth,      "step-canal-depth",      false, "渠深 H = hj + Fb = {0} + {1} = {2} m", "Canal depth H = hj + Fb = {0} + {1} = {2} m"},
  {StepBendNeeded,      "step-bend",             false, "弯道：中心线半径 Rc = {0} m，加大流量水面宽 Bj = {1} m，vj = {2} m/s；Rc < 5·Bj = {3} m 或 vj > 2 m/s，凹岸加高 Fb′ = Bj·vj²/(2·g·Rc) = {1} × {2}²/(2 × 9.80665 × {0}) = {4} m（式 6.4.8-2），凹岸渠深 H + Fb′ = {5} m",
                                                        "Bend: centreline radius Rc = {0} m, enlarged flow's surface width Bj = {1} m, vj = {2} m/s; Rc < 5·Bj = {3} m or vj > 2 m/s, so the outer bank rises by Fb′ = Bj·vj²/(2·g·Rc) = {1} × {2}²/(2 × 9.80665 × {0}) = {4} m (Eq. 6.4.8-2), to H + Fb′ = {5} m"},
  {StepBendNotNeeded,   "step-bend-none",        false, "弯道：中心线半径 Rc = {0} m 不小于 5·Bj = {1} m，且 vj = {2} m/s 不大于 2 m/s：凹岸不需加高（§6.4.8）",
                                                        "Bend: centreline radius Rc = {0} m is not below 5·Bj = {1} m and vj = {2} m/s is not above 2 m/s: the outer bank needs no extra height (§6.4.8)"},
  {StepScourRadius,     "step-scour-radius",     false, "不冲流速（附录 C 表 {0}，{1}）：R = 1 m 时为 {2} m/s，取{3} {4} m/s；v不冲 = {4} × R^(1/4) = {4} × {5}^(1/4) = {6} m/s（R 取加大流量的水力半径，指数取 1/4）",
                                                        "Non-scouring velocity (Appendix C, Table {0}, {1}): {2} m/s at R = 1 m, {3} {4} m/s taken; v = {4} × R^(1/4) = {4} × {5}^(1/4) = {6} m/s (R of the enlarged flow, exponent 1/4)"},
  {StepScourDepth,      "step-scour-depth",      false, "不冲流速（附录 C 表 {0}，{1}）：加大水深 hj = {2} m 在水深 {3} m 与 {4} m 两列之间，取{5} {6}、{7} m/s，线性插值 v不冲 = {6} + ({7} − {6}) × ({2} − {3})/({4} − {3}) = {8} m/s",
                                                        "Non-scouring velocity (Appendix C, Table {0}, {1}): the enlarged depth hj = {2} m lies between the columns for {3} m and {4} m, {5} {6} and {7} m/s taken; linearly v = {6} + ({7} − {6}) × ({2} − {3})/({4} − {3}) = {8} m/s"},
  {StepScourDepthEdge,  "step-scour-depth-edge", false, "不冲流速（附录 C 表 {0}，{1}）：加大水深 hj = {2} m，用水深 {3} m 一列，取{4} v不冲 = {5} m/s",
                                                        "Non-scouring velocity (Appendix C, Table {0}, {1}): at the enlarged depth hj = {2} m the column for {3} m is used, {4} v = {5} m/s taken"},
  {StepScourFixed,      "step-scour-fixed",      false, "不冲流速（附录 C 表 {0}，{1}）：{2} m/s，取 v不冲 = {3} m/s", "Non-scouring velocity (Appendix C, Table {0}, {1}): {2} m/s, v = {3} m/s taken"},
  {StepScourGiven,      "step-scour-given",      false, "不冲流速 v不冲 = {0} m/s（由 {1} 给定）", "Non-scouring velocity v = {0} m/s (given by {1})"},
  {RoughnessTitle,      "roughness-title",       false, "附录 B 渠床糙率 n（GB 50288-2018）：design 以 --lining 键选用，区间取中值（--n-pick low|middle|high）",
                                                        "Appendix B, bed roughness n (GB 50288-2018): design takes a key with --lining, a range's middle (--n-pick low|middle|high)"},
  {RoughnessColumns,    "roughness-columns",     false, "键\t表\t渠床\t灌溉渠道 n\t泄（退）水渠道 n",
                                                        "key\ttable\tbed\tn of an irrigation canal\tn of an escape canal"},
  {ScourTitle,          "scour-title",           false, "附录 C 渠道允许不冲流速（m/s，GB 50288-2018）：design 以 --soil 或 --lining 选用，区间取下限（--scour-pick low|middle|high）",
                                                        "Appendix C, allowable non-scouring velocities (m/s, GB 50288-2018): design takes them by --soil or --lining, a range's lower value (--scour-pick low|middle|high)"},
  {ScourTableRadius,    "scour-table-radius",    false, "表 C.0.1 黏性土渠道：水力半径 R = 1 m 时的值，R ≠ 1 m 时乘以 R^α（α 取 1/4）",
                                                        "Table C.0.1, cohesive soils: values at a hydraulic radius R = 1 m, times R^α otherwise (α = 1/4)"},
  {ScourTableLoose,     "scour-table-loose",     false, "表 C.0.2 非黏性土渠道：按水深，两列之间线性插值；粒径以 mm 计",
                                                        "Table C.0.2, non-cohesive soils: by water depth, linear between the columns; grain sizes in mm"},
  {ScourTableRock,      "scour-table-rock",      false, "表 C.0.3 石渠：按水深，两列之间线性插值",
                                                        "Table C.0.3, rock canals: by water depth, linear between the columns"},
  {ScourTableLining,    "scour-table-lining",    false, "表 C.0.4 防渗衬砌渠道（膜料的土料保护层乘以 R^α，α 取 1/4）",
                                                        "Table C.0.4, seepage-control linings (a membrane's earth cover times R^α, α = 1/4)"},
  {ScourColumnsOne,     "scour-columns-one",     false, "键\t名称\t允许不冲流速", "key\tname\tallowable velocity"},
  {ScourColumnsDepth,   "scour-columns-depth",   false, "键\t名称\t粒径\th = 0.4 m\th = 1 m\th = 2 m\th = 3 m（C.0.2：≥ 3 m）",
                                                        "key\tname\tgrain\th = 0.4 m\th = 1 m\th = 2 m\th = 3 m (C.0.2: 3 m or more)"},
  {DxfUnwritable,       "dxf-unwritable",        false, "无法写入图形文件 {0}", "The drawing file {0} cannot be written"},
  {PointSyntax,         "point-syntax",          false, "{option} 的第 {0} 个点 \"{1}\" 应写作 起点距,高程 或 起点距,高程,糙率",
                                                        "Point {0} of {option}, \"{1}\", is written station,elevation or station,elevation,n"},
  {PointValue,          "point-value",           false, "{option} 的第 {0} 个点的{1} \"{2}\" {3}",
                                                        "The {1} of point {0} of {option}, \"{2}\", {3}"},
  {PointRoughness,      "point-roughness",       false, "{option} 的第 {0} 个点的粗糙系数必须大于零",
                                                        "The n of point {0} of {option} must be greater than zero"},
  {PointsTooFew,        "points-too-few",        false, "{option} 至少要有 3 个点，而只有 {0} 个",
                                                        "{option} needs at least 3 points, not {0}"},
  {PointsTooMany,       "points-too-many",       false, "{option} 最多 2000 个点，而有 {0} 个",
                                                        "{option} takes at most 2000 points, not {0}"},
  {StationsDecrease,    "stations-decrease",     false, "{option} 的第 {0} 个点的起点距 {1} 小于前一点的 {2}：起点距不能减小",
                                                        "The station of point {0} of {option}, {1}, is less than the one before, {2}: stations must not decrease"},
  {NoLowPoint,          "no-low-point",          false, "{option} 不能蓄水：须有一点低于两端（两端高程为 {0} 与 {1}）",
                                                        "{option} holds no water: some point must lie lower than both ends (at elevations {0} and {1})"},
  {NoWidthAtBottom,     "no-width-at-bottom",    false, "{option} 的最低点（第 {0} 个点）两侧都是竖直段：断面底部没有宽度",
                                                        "The lowest point of {option} (point {0}) lies between vertical segments: the section has no width there"},
  {DepthAboveBanks,     "depth-above-banks",     false, "{label} 使水面高于断面较低的一端：该端高程 {0} {1}，即水深 {2} {1}",
                                                        "{label} puts the water surface above the lower end of the section, at elevation {0} {1} (depth {2} {1})"},
  {LevelBelowBottom,    "level-below-bottom",    false, "{label} 必须高于断面最低点的高程 {0} {1}",
                                                        "{label} must lie above the section's lowest point, at elevation {0} {1}"},
  {AboveBankfull,       "above-bankfull",        false, "流量 Q 超过断面的满槽过流能力 {0} {1}（水面齐较低一端，高程 {2} {3}，水深 {4} {3}）",
                                                        "Discharge Q exceeds what the section carries full to its lower end, {0} {1} (at elevation {2} {3}, depth {4} {3})"},
  {CriticalAboveBanks,  "critical-above-banks",  false, "该流量的临界水深高于断面较低的一端（高程 {0} {1}）：断面内比能一直随水深减小",
                                                        "The critical depth of this discharge lies above the lower end of the section (elevation {0} {1}): within the section the specific energy falls all the way"},
  {JumpAboveBanks,      "jump-above-banks",      false, "跃后水深将高于断面较低的一端（高程 {0} {1}）：水将漫出断面",
                                                        "The depth after the jump would rise above the lower end of the section (elevation {0} {1}): the water would leave the section"},
  {ReachedBankTop,      "reached-bank-top",      false, "水面线在 x = {0} 处到达断面较低一端的高程 {1} {2}：水将漫出断面，水面线到此为止",
                                                        "The profile reaches the lower end of the section, elevation {1} {2}, at x = {0}: the water would leave the section, and the profile ends there"},
  {EitherInput,         "either-input",          true,  "{0} 与 {1} 只能择一",
                                                        "Give either {0} or {1}, not both"},
  {SectionWithoutSize,  "section-without-size",  true,  "{0}没有可求的尺寸",
                                                        "A {0} section has no size to solve for"},
  {SolveOneUnknownPoints, "solve-one-unknown-points", true, "solve 须恰好省去 {0}、{1}（或 {2}）、{3}、{4} 中的一个，而现在省去了 {5} 个",
                                                        "solve needs exactly one of {0}, {1} (or {2}), {3} and {4} left out, not {5}"},
  {RoughnessOfPoints,   "roughness-of-points",   false, "{option} 已给出各段的粗糙系数：n 不能作为未知量",
                                                        "{option} gives the segments their own n: n cannot be the unknown"},
  {PointsFileUnreadable,"points-file-unreadable",false, "{option} 无法读取：\"{0}\"",
                                                        "{option} cannot be read: \"{0}\""},
  {PointsFileHeader,    "points-file-header",    true,  "{option} 的表头须含 station 与 elevation 两列（可另含 n 列）",
                                                        "The header of {option} needs the columns station and elevation (and may have n)"},
}};
// clang-format on

constexpr bool inOrder() {
  for (std::size_t k = 0; k < kMessages.size(); ++k) {
    if (static_cast<std::size_t>(kMessages[k].id) != k) return false;
  }
  return true;
}
static_assert(inOrder(), "kMessages must list every MessageId once, in order");

std::string fieldName(std::string_view key, FieldStyle style) {
  return style == FieldStyle::Option ? "--" + std::string(key) : std::string(key);
}

std::string argumentText(const MessageArg& arg, Language language, FieldStyle style) {
  switch (arg.kind) {
    case MessageArg::Kind::Text: return arg.text;
    case MessageArg::Kind::Number: return numeric::formatDouble(arg.number);
    case MessageArg::Kind::Field: return fieldName(arg.text, style);
    case MessageArg::Kind::Quantity: return quantityLabel(arg.text, language);
    case MessageArg::Kind::Unit: {
      const auto colon = arg.text.find(':');
      const std::string_view kind = std::string_view(arg.text).substr(0, colon);
      const auto system = unitSystemNamed(std::string_view(arg.text).substr(colon + 1));
      return std::string(unitText(unitKindNamed(kind), system.value_or(UnitSystem::SI)));
    }
    case MessageArg::Kind::Term: return std::string(termText(arg.text, language));
    case MessageArg::Kind::Row: return design::rowName(arg.text, language);
  }
  return arg.text;
}

}  // namespace

const MessageInfo& messageInfo(MessageId id) { return kMessages[static_cast<std::size_t>(id)]; }

const char* CalcError::what() const noexcept { return messageInfo(problems_.front().id).code.data(); }

void fail(MessageId id, std::string_view field, std::vector<MessageArg> args) {
  throw CalcError(Problem{id, std::string(field), std::move(args)});
}

std::string messageText(const Problem& problem, Language language, FieldStyle style) {
  const MessageInfo& info = messageInfo(problem.id);
  const std::string_view pattern = language == Language::English ? info.english : info.chinese;
  std::string text;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char c = pattern[k];
    const auto close = c == '{' ? pattern.find('}', k) : std::string_view::npos;
    if (close == std::string_view::npos) {
      text += c;
      continue;
    }
    const std::string_view name = pattern.substr(k + 1, close - k - 1);
    if (name == "label") {
      text += parameterLabel(problem.field, language);
    } else if (name == "option") {
      text += fieldName(problem.field, style);
    } else if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
      const auto index = static_cast<std::size_t>(name[0] - '0');
      if (index < problem.args.size()) text += argumentText(problem.args[index], language, style);
    } else {
      text += pattern.substr(k, close - k + 1);
    }
    k = close;
  }
  return text;
}

}  // namespace channelflow::calc
