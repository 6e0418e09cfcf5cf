#include "calc/toolkit/messages.h"

#include <array>
#include <cstddef>

#include "calc/toolkit/catalog.h"
#include "calc/design/row_names.h"
#include "calc/toolkit/precision.h"
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
  {UnknownSection,      "unknown-section",       true,  "{option} 只能是 trapezoid、circle、u、parabola、points、arch 或 horseshoe，而不是 \"{0}\"",
                                                        "{option} must be trapezoid, circle, u, parabola, points, arch or horseshoe, not \"{0}\""},
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
  {UnknownQuestion,     "unknown-question",      true,  "没有名为 \"{0}\" 的问题", "There is no question named \"{0}\""},
  {PrecisionSyntax,     "precision-syntax",      true,  "{option} 只能是 full、eng、小数位数（0～15），或 length=3,velocity=2,ratio=4 这样按量的种类给出的位数（ratio 为无量纲数的有效数字），而不是 \"{0}\"",
                                                        "{option} must be full, eng, a count of decimals (0 to 15), or counts by kind of quantity such as length=3,velocity=2,ratio=4 (ratio: significant digits of pure numbers), not \"{0}\""},
  {OutOfMemory,         "out-of-memory",         false, "内存不足",
                                                        "Out of memory"},
  {WriteFailed,         "write-failed",          false, "无法写入输出", "The output cannot be written"},
  {WriteDiskFull,       "write-disk-full",       false, "无法写入输出：磁盘已满", "The output cannot be written: the disk is full"},
  {WritePipeClosed,     "write-pipe-closed",     false, "无法写入输出：管道已关闭", "The output cannot be written: the pipe is closed"},
  {WriteOutputClosed,   "write-output-closed",   false, "无法写入输出：标准输出已关闭", "The output cannot be written: standard output is closed"},
  {WriteIoError,        "write-io-error",        false, "无法写入输出：输入输出错误", "The output cannot be written: input/output error"},
  {WriteErrorCode,      "write-error-code",      false, "无法写入输出（错误码 {0}）", "The output cannot be written (error {0})"},
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
  {DepthAboveCrown,     "depth-above-crown",     false, "{label} 不能超过断面顶高 {0} {1}",
                                                        "{label} cannot exceed the height to the crown, {0} {1}"},
  {AboveConduitCapacity,"above-conduit-capacity",false, "流量 Q 超过断面的最大过流能力 Qmax = {0} {1}（水深 {2} {3}）",
                                                        "Discharge Q exceeds the section's greatest capacity Qmax = {0} {1} (at depth {2} {3})"},
  {NoConduitSize,       "no-conduit-size",       false, "该水深下即使断面顶部恰在水面（满流）流量也已超过 Q：任何尺寸都不能以此水深输送 Q",
                                                        "Even a section whose crown is at the water (running full) carries more than Q at this depth: no size carries Q at this depth"},
  {ArchTooNarrow,       "arch-too-narrow",       false, "该水深下即使拱顶仍在洞高 H 以内的最宽断面（B = {0} {1}）流量也不足 Q：此洞高与拱顶半径下没有能以此水深输送 Q 的宽度",
                                                        "Even the widest arch whose roof fits under H (B = {0} {1}) carries less than Q at this depth: no width of this height and roof carries Q at this depth"},
  {JumpFillsConduit,    "jump-fills-conduit",    false, "跃后水深将超过断面顶部：水跃会使洞身满流，明渠水跃公式不再适用",
                                                        "The depth after the jump would pass the crown: the jump fills the conduit, and open-channel jump formulas no longer apply"},
  {RoofNarrowerThanWidth, "roof-narrower-than-width", false, "{label} 不能小于半宽 B/2 = {0} {1}：拱顶圆弧须跨过整个洞宽",
                                                        "{label} cannot be below half the width, B/2 = {0} {1}: the roof's arc must span the whole width"},
  {RoofAboveCrown,      "roof-above-crown",      false, "拱顶矢高 {0} {1} 超过洞高 {label}：直墙高度将为负",
                                                        "The roof rises {0} {1} above its springing line, more than {label}: the walls would be of negative height"},
  {UnknownHorseshoeType,"unknown-horseshoe-type",false, "{label} 只能是 1（标准Ⅰ型，侧拱与底拱半径 3r）或 2（Ⅱ型，半径 2r），而不是 \"{0}\"",
                                                        "{label} must be 1 (type I, sides and invert of radius 3r) or 2 (type II, radius 2r), not \"{0}\""},
  {TableRange,          "table-range",           false, "{label} = {0} 超出表 {1} 的范围（{2}～{3}）：未作外推",
                                                        "{label} = {0} lies outside Table {1} ({2} to {3}): nothing was extrapolated"},
  {UnknownForm,         "unknown-form",          false, "{label} \"{0}\" 不是表 {1} 中的形式：可用 {2}",
                                                        "{label}: \"{0}\" is no form of Table {1}: use one of {2}"},
  {RangedFormNeedsXi,   "ranged-form-needs-xi",  false, "形式 \"{0}\" 的系数在 {1}～{2} 之间：请在此范围内给出 {option}",
                                                        "The coefficient of form \"{0}\" ranges from {1} to {2}: give {option} within that range"},
  {RangedFormNeedsXiOrAngle, "ranged-form-needs-xi-or-angle", false, "形式 \"{0}\" 的系数在 {1}～{2} 之间：请在此范围内给出 {option}，或给出角度 {3} 按表线性取值",
                                                        "The coefficient of form \"{0}\" ranges from {1} to {2}: give {option} within that range, or the angle {3} to read it linearly"},
  {ValueNotInTable,     "value-not-in-table",    false, "{label} = {0} 不是表 {1} 中的值：可用 {2}",
                                                        "{label} = {0} is not a value of Table {1}: use one of {2}"},
  {OutOfRange,          "out-of-range",          false, "{label} 应在 {0}～{1} 之间",
                                                        "{label} must lie from {0} to {1}"},
  {EnlargedBelowDesign, "enlarged-below-design", false, "{label} 不能小于设计流量 Q",
                                                        "{label} cannot be below the design flow Q"},
  {MinimumAboveDesign,  "minimum-above-design",  false, "{label} 不能大于设计流量 Q",
                                                        "{label} cannot exceed the design flow Q"},
  {ChamberDrained,      "chamber-drained",       false, "{label} 过窄：进口渐变段的水面降落超过了渠道水深",
                                                        "{label} is too narrow: the inlet transition's drop exceeds the canal's depth"},
  {TunnelNotClosed,     "tunnel-not-closed",     false, "隧洞断面须为封闭断面：circle、arch 或 horseshoe",
                                                        "A tunnel's section must be closed: circle, arch or horseshoe"},
  {NoSubcriticalDepth,  "no-subcritical-depth",  false, "此断面没有满足能量方程的缓流水深：取临界水深 hc = {0} {1}",
                                                        "No subcritical depth here balances the energy equation: the critical depth hc = {0} {1} is taken"},
  {NoSupercriticalDepth,"no-supercritical-depth",false, "此断面没有满足能量方程的急流水深：取临界水深 hc = {0} {1}",
                                                        "No supercritical depth here balances the energy equation: the critical depth hc = {0} {1} is taken"},
  {StartBelowCritical,  "start-below-critical",  false, "下游边界的水深小于临界水深：缓流水面线自临界水深 hc = {0} {1} 起算",
                                                        "The downstream boundary's depth is below the critical depth: the subcritical profile starts from the critical depth hc = {0} {1}"},
  {StartAboveCritical,  "start-above-critical",  false, "上游边界的水深大于临界水深：急流水面线自临界水深 hc = {0} {1} 起算",
                                                        "The upstream boundary's depth is above the critical depth: the supercritical profile starts from the critical depth hc = {0} {1}"},
  {LevelAboveSection,   "level-above-section",   false, "满足能量方程的水位高于断面较低的一端（高程 {0} {1}）：水将漫出断面，推算到此为止",
                                                        "The level that balances the energy equation lies above the lower end of the section (elevation {0} {1}): the water would leave the section, and the march stops here"},
  {MarchStopped,        "march-stopped",         false, "未推算：{0}水面线推算在桩号 {1} 处中止",
                                                        "Not computed: the {0} profile stopped at station {1}"},
  {ReachRow,            "reach-row",             false, "{option} 第 {0} 行：{1}",
                                                        "{option}, row {0}: {1}"},
  {ReachSection,        "reach-section",         false, "{option} 的第 {0} 个断面：{1}",
                                                        "{option}, section {0}: {1}"},
  {ReachSetting,        "reach-setting",         false, "{option}：{0}",
                                                        "{option}: {0}"},
  {ReachSectionCount,   "reach-section-count",   false, "{option} 须有 2 到 20000 个断面，而有 {0} 个",
                                                        "{option} needs 2 to 20000 sections, not {0}"},
  {ReachHeader,         "reach-header",          false, "{option} 的表头须含 station 与 points 两列",
                                                        "The header of {option} needs the columns station and points"},
  {ReachFlowCount,      "reach-flow-count",      false, "{option} 给出了 {0} 个流量：至多 100 个",
                                                        "{option} gives {0} flows: at most 100"},
  {ReachColumnTwice,    "reach-column-twice",    false, "{option} 中列 {0} 出现了两次",
                                                        "{option} names the column {0} twice"},
  {ReachUnknownColumn,  "reach-unknown-column",  false, "{option} 中有未知的列 \"{0}\"（可用的列：{1}）",
                                                        "{option} has an unknown column \"{0}\" (the columns are {1})"},
  {StationsNotIncreasing,"stations-not-increasing",false,"{label} {0} 不大于上一断面的 {1}：断面须自上游向下游按桩号递增排列",
                                                        "{label} {0} is not beyond the section before, {1}: sections go downstream in increasing station"},
  {BankNotAPoint,       "bank-not-a-point",      false, "{label} {0} 不是该断面任一测点的起点距：岸边须在测点上（测点起点距 {1}～{2}）",
                                                        "{label} {0} is no point's station of the section: a bank stands on a point (stations {1} to {2})"},
  {BanksOrder,          "banks-order",           false, "{label} {0} 必须小于右岸 right_bank {1}",
                                                        "{label} {0} must be less than the right bank, right_bank {1}"},
  {FlowCount,           "flow-count",            false, "{label} 给出了 {0} 个流量，而第一个断面给出 {1} 个",
                                                        "{label} gives {0} flows, where the first section gives {1}"},
  {FirstFlowMissing,    "first-flow-missing",    false, "第一个断面须给出各流量 {label}（或以 flows 给出）",
                                                        "The first section must give the flows {label} (or flows must)"},
  {BoundaryOnlyAtEnd,   "boundary-only-at-end",  false, "{label} 只能写在{0}断面",
                                                        "{label} belongs to the {0} section only"},
  {BoundarySyntax,      "boundary-syntax",       false, "{label} \"{0}\" 应写作 wse=水位、normal=坡度、critical 或 rating=水位:流量 水位:流量 …，各流量的边界以 ; 分隔",
                                                        "{label}: \"{0}\" is written wse=level, normal=slope, critical or rating=level:flow level:flow …, the flows' boundaries separated by ;"},
  {BoundaryCount,       "boundary-count",        false, "{label} 给出了 {0} 个边界条件，而有 {1} 个流量",
                                                        "{label} gives {0} boundary conditions for {1} flows"},
  {RatingOrder,         "rating-order",          false, "{label} 的水位流量关系至少两点，且水位与流量须同时递增",
                                                        "The rating of {label} needs at least two points, its levels and flows both increasing"},
  {RatingRange,         "rating-range",          false, "流量 {0} {1} 超出 {label} 水位流量关系的范围（{2}～{3} {1}）",
                                                        "The flow {0} {1} lies beyond the rating of {label} ({2} to {3} {1})"},
  {JsonSyntax,          "json-syntax",           false, "{option} 不是有效的 JSON（第 {0} 个字节附近）",
                                                        "{option} is not valid JSON (near byte {0})"},
  {JsonShape,           "json-shape",            false, "{option} 中 {0} 的取值类型不对（应为{1}）",
                                                        "{option}: {0} has the wrong kind of value (it should be {1})"},
  {TableRangeItem,      "table-range-item",      false, "{label} 的第 {4} 项：{0} 超出表 {1} 的范围（{2}～{3}）：未作外推",
                                                        "Item {4} of {label}: {0} lies outside Table {1} ({2} to {3}): nothing was extrapolated"},
  {FieldsSyntax,        "fields-syntax",         false, "{label} \"{0}\" 应写作 {1}",
                                                        "{label}: \"{0}\" is written {1}"},
  {FieldValue,          "field-value",           false, "{label} 中的 {0} \"{1}\" {2}",
                                                        "{label}: {0} \"{1}\" {2}"},
  {FieldNotPositive,    "field-not-positive",    false, "{label} 中的 {0} 必须大于零",
                                                        "{label}: {0} must be greater than zero"},
  {ItemSyntax,          "item-syntax",           false, "{label} 的第 {0} 项 \"{1}\" 应写作 {2}",
                                                        "Item {0} of {label}, \"{1}\", is written {2}"},
  {ItemValue,           "item-value",            false, "{label} 的第 {0} 项中的 {1} \"{2}\" {3}",
                                                        "Item {0} of {label}: {1} \"{2}\" {3}"},
  {ItemNotPositive,     "item-not-positive",     false, "{label} 的第 {0} 项中的 {1} 必须大于零",
                                                        "Item {0} of {label}: {1} must be greater than zero"},
  {NotWholeNumber,      "not-whole-number",      false, "{label} 必须是 {0} 到 {1} 之间的整数",
                                                        "{label} must be a whole number from {0} to {1}"},
  {UnitsSiOnly,         "units-si-only",         true,  "{option} 只能是 si：水工建筑物按国际单位制（m、m³/s）计算",
                                                        "{option} must be si: structures are computed in SI units (m, m³/s)"},
  {LineHeader,          "line-header", false, "{option} 的表头须含 station 列（或 x、y 两列）",
                                                        "The header of {option} needs the column station (or the columns x and y)"},
  {LineRowCount,        "line-row-count", false, "{option} 须有 2 到 20000 个节点，而有 {0} 个",
                                                        "{option} needs 2 to 20000 nodes, not {0}"},
  {LineWholeNumber,     "line-whole-number", false, "{label} \"{0}\" 须为不大于 1000 的整数",
                                                        "{label}: \"{0}\" must be a whole number up to 1000"},
  {SlopeSyntax,         "slope-syntax", false, "{label} \"{0}\" 应写作数字或 1/N（如 1/3000）",
                                                        "{label}: \"{0}\" is written as a number or as 1/N (1/3000)"},
  {LineListSyntax,      "line-list-syntax", false, "{label} \"{0}\" 应写作 {1}，各数不为负",
                                                        "{label}: \"{0}\" is written {1}, no number negative"},
  {StationSyntax,       "station-syntax", false, "{label} \"{0}\" 应写作米数或 K2+834.662",
                                                        "{label}: \"{0}\" is written in metres or as K2+834.662"},
  {PointsCoincide,      "points-coincide", false, "此点的坐标与上一平面点相同：无法确定转角",
                                                        "This point stands where the point before does: no deflection can be found"},
  {CurvesOverlap,       "curves-overlap", false, "此 IP 的曲线与上一曲线重叠：两切线长之和 {0} m 大于交点间距 {1} m，应减小 {label}",
                                                        "This IP's curve overlaps the one before: the two tangents, {0} m, exceed the distance between the points, {1} m; reduce {label}"},
  {IpNeedsNext,         "ip-needs-next", false, "IP 之后须有给出坐标的节点（下一个 IP 或渠线的终点）",
                                                        "An IP needs a node with coordinates after it (the next IP or the line's end)"},
  {PointOnCurve,        "point-on-curve", false, "此节点的坐标落在曲线上或直线段之外：请给出其桩号 station",
                                                        "This node's coordinates fall on a curve or beyond its leg: give its station"},
  {UnknownNodeKind,     "unknown-node-kind", false, "{label} \"{0}\" 不是节点类型：可用 {1}",
                                                        "{label}: \"{0}\" is no kind of node: use one of {1}"},
  {FirstRowStart,       "first-row-start", false, "第一个节点（且只有它）的类型为 start",
                                                        "The first node, and it alone, is of kind start"},
  {ColumnNotTaken,      "column-not-taken", false, "{0}不用 {label}",
                                                        "A {0} takes no {label}"},
  {IpNeedsCoordinates,  "ip-needs-coordinates", false, "给出转弯半径 {label} 的 IP 须给出坐标 x、y",
                                                        "An IP with a curve radius {label} needs its coordinates x and y"},
  {FlowWithoutQ,        "flow-without-q", false, "{label} 须与设计流量 Q 写在同一行：流量段自给出 Q 的节点开始",
                                                        "{label} goes on the row that gives the design flow Q: a flow segment starts where Q is given"},
  {FirstRowSection,     "first-row-section", false, "第一个节点须给出渠道断面（section、B、m、n、i 等）",
                                                        "The first node must give the canal's section (section, B, m, n, i, ...)"},
  {LevelNeeded,         "level-needed", true, "须给出 {0}（渠首水位，顺推）或 {1}（控制水位，逆推）",
                                                        "Give {0} (the head's level, marched downstream) or {1} (a control level, marched upstream)"},
  {ControlNotGate,      "control-not-gate", false, "{option} \"{0}\" 不是任何节制闸（gate）节点的名称",
                                                        "{option}: \"{0}\" names no gate node"},
  {CoordinatesNeedStart,"coordinates-need-start", false, "有节点给出坐标时，第一个节点也须给出坐标 x、y：平面桩号自它量起",
                                                        "Where nodes give coordinates the first must too: the plan's stations are measured from it"},
  {StationOrCoordinates,"station-or-coordinates", false, "须给出桩号 {label}，或坐标 x、y",
                                                        "Give the station {label}, or the coordinates x and y"},
  {StationBehind,       "station-behind", false, "{label} {0} 小于上一节点的 {1}：节点须自渠首向渠尾按桩号排列",
                                                        "{label} {0} is less than the node before, {1}: nodes go from head to tail in increasing station"},
  {RowInsideStructure,  "row-inside-structure", false, "此节点位于第 {1} 行的{0}之内：倒虹吸、渡槽、隧洞、涵洞之内只能有 IP，陡坡之内不能有节点",
                                                        "This node lies within the {0} of row {1}: only IPs stand within a siphon, an aqueduct, a tunnel or a culvert, and nothing within a chute"},
  {OutletWithoutInlet,  "outlet-without-inlet", false, "此{0}之前没有与之对应的进口",
                                                        "No inlet comes before this {0}"},
  {InletWithoutOutlet,  "inlet-without-outlet", false, "此进口之后没有{0}",
                                                        "No {0} follows this inlet"},
  {ReservedOnly,        "reserved-only", false, "未给出{0}的参数时，须以 {label} 给出为它预留的水头损失",
                                                        "Without the {0}'s parameters, give the head reserved for it with {label}"},
  {LineNoEnlargement,   "line-no-enlargement", false, "设计流量 {0} m³/s 超出表 6.3.4 的范围：须给出加大流量 {label}",
                                                        "The design flow {0} m³/s lies beyond Table 6.3.4: give the enlarged flow {label}"},
  {IpInsideSiphon,      "ip-inside-siphon", false, "位于倒虹吸之内：管身的弯道由 bend 给出，此处不计渠道弯道损失",
                                                        "Within a siphon: its barrels' bends are given by bend, and no canal bend loss is counted here"},
  {GateLossTaken,       "gate-loss-taken", false, "未给出过闸水头损失：取 {0} m（规范未给定值，实践取 0.05～0.10 m）",
                                                        "No loss given for the gate: {0} m is taken (the standard gives none; practice takes 0.05 to 0.10 m)"},
  {ChuteNotSteep,       "chute-not-steep", false, "陡坡的正常水深 {0} {2} 不小于临界水深 {1} {2}：不是陡坡，坡上没有降水曲线",
                                                        "The chute's normal depth {0} {2} is not below its critical depth {1} {2}: its bed is not steep, and no drawdown runs down it"},
  {LineNoBed,           "line-no-bed", false, "此节点没有渠底高程：设计流量在此没有水深",
                                                        "This node has no bed level: the design flow has no depth here"},
  {LevelBelowBed,       "level-below-bed", false, "水位 {0} {1} 不高于渠底",
                                                        "The level {0} {1} is not above the bed"},
  {DropDrowned,         "drop-drowned", false, "下游水位淹没跌水堰顶：上游水位取下游水位",
                                                        "The tailwater drowns the drop's crest: the upstream level is taken as the downstream one"},
  {MarchRestarted,      "march-restarted", false, "下游节点无解：自此以正常水深重新起推",
                                                        "The node below has no answer: the march restarts here from normal depth"},
  {GateHolds,           "gate-holds", false, "节制闸壅高水位至 {0} {1}",
                                                        "The gate holds the level at {0} {1}"},
  {LineAboveCrown,      "line-above-crown", false, "水位将高于洞（管）顶（高程 {0} {1}）：已不是明流",
                                                        "The level would rise above the crown (elevation {0} {1}): the flow is no longer free-surface"},
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

std::string argumentText(const MessageArg& arg, Language language, FieldStyle style, const Precision* precision) {
  switch (arg.kind) {
    case MessageArg::Kind::Text: return arg.text;
    case MessageArg::Kind::Number:
      if (precision && arg.unitKind >= 0) return numberText(arg.number, static_cast<UnitKind>(arg.unitKind), *precision);
      return numeric::formatDouble(arg.number);
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
    case MessageArg::Kind::Phrase: return arg.phrase ? phraseText(*arg.phrase, language, style, precision) : std::string();
    case MessageArg::Kind::Problem:
      return arg.problem ? messageText(*arg.problem, language, FieldStyle::Column) : std::string();
    case MessageArg::Kind::Words: return language == Language::English ? arg.english : arg.text;
  }
  return arg.text;
}

}  // namespace

std::string termWords(std::string_view key, Language language) {
  if (findTerm(key)) return std::string(termText(key, language));
  return design::rowName(key, language);
}

MessageArg MessageArg::nested(Phrase phrase) {
  return {Kind::Phrase, {}, 0, std::make_shared<const Phrase>(std::move(phrase)), -1, {}, {}};
}

MessageArg MessageArg::nested(Problem problem) {
  return {Kind::Problem, {}, 0, {}, -1, std::make_shared<const Problem>(std::move(problem)), {}};
}

const MessageInfo& messageInfo(MessageId id) { return kMessages[static_cast<std::size_t>(id)]; }

const char* CalcError::what() const noexcept { return messageInfo(problems_.front().id).code.data(); }

void fail(MessageId id, std::string_view field, std::vector<MessageArg> args) {
  throw CalcError(Problem{id, std::string(field), std::move(args)});
}

std::string messageText(const Problem& problem, Language language, FieldStyle style) {
  const MessageInfo& info = messageInfo(problem.id);
  return fillTemplate(language == Language::English ? info.english : info.chinese, problem.field, problem.args, language,
                      style);
}

std::string fillTemplate(std::string_view pattern, std::string_view field, const std::vector<MessageArg>& args,
                         Language language, FieldStyle style, const Precision* precision) {
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
      text += parameterLabel(field, language);
    } else if (name == "option") {
      text += fieldName(field, style);
    } else if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
      const auto index = static_cast<std::size_t>(name[0] - '0');
      if (index < args.size()) text += argumentText(args[index], language, style, precision);
    } else {
      text += pattern.substr(k, close - k + 1);
    }
    k = close;
  }
  return text;
}

}  // namespace channelflow::calc
