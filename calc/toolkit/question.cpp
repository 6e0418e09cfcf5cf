#include "calc/toolkit/question.h"

#include <array>

#include "calc/line/friction_slope.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using enum TextId;

// clang-format off
constexpr std::array<QuestionInput, 16> kChannel{{
  {"section", false, "trapezoid"}, {"units", false, "si"}, {"B"}, {"m"}, {"m1"}, {"m2"},
  {"D"}, {"r"}, {"p"}, {"H"}, {"Ra"}, {"type", false, "1"}, {"n"}, {"n-bed"}, {"n-wall"}, {"points"},
}};

constexpr std::array<QuestionInput, 3> kReport{{{"h", false, {}, 1}, {"wse", false, {}, 1}, {"i", true}}};
constexpr std::array<QuestionInput, 5> kSolve{{{"Q"}, {"h", false, {}, 1}, {"wse", false, {}, 1}, {"i"}, {"unknown"}}};
constexpr std::array<QuestionInput, 2> kSolveDepth{{{"Q", true}, {"i", true}}};
constexpr std::array<QuestionInput, 3> kSolveWidth{{{"Q", true}, {"h", true}, {"i", true}}};
constexpr std::array<QuestionInput, 3> kTable{{{"i", true}, {"h", false, {}, 1}, {"wse", false, {}, 1}}};
constexpr std::array<QuestionInput, 2> kJump{{{"Q", true}, {"h1", true}}};
constexpr std::array<QuestionInput, 6> kProfile{{
  {"Q", true}, {"i", true}, {"h0", true}, {"to-h", false, {}, 1}, {"length", false, {}, 1}, {"steps", false, "100"},
}};
constexpr std::array<QuestionInput, 2> kOutline{{{"h", false, {}, 1}, {"wse", false, {}, 1}}};
constexpr std::array<QuestionInput, 20> kDesign{{
  {"Q", true}, {"i", true}, {"n", false, {}, 2}, {"lining", false, {}, 2}, {"soil"}, {"section", false, "trapezoid"},
  {"m"}, {"r"}, {"alpha", false, {}, 1}, {"beta", false, {}, 1}, {"B", false, {}, 1}, {"v-min"}, {"v-max"},
  {"enlarge"}, {"min-ratio", false, "0.4"}, {"freeboard"}, {"bend-radius"}, {"n-pick", false, "middle"},
  {"scour-pick", false, "low"}, {"dxf-scale", false, "50"},
}};

constexpr std::array<QuestionInput, 6> kReach{{
  {"file", true}, {"flows"}, {"downstream"}, {"upstream"}, {"friction", false, "average-conveyance"}, {"units", false, "si"},
}};

// Structures: the flows and g first, then the structure's own.
constexpr std::array<QuestionInput, 43> kSiphon{{
  {"Q", true}, {"Qj", false, {}, 1}, {"enlarge", false, {}, 1}, {"Qmin"}, {"g", false, "9.80665"},
  {"barrels", false, "1"}, {"D", false, {}, 2}, {"B", false, {}, 2}, {"v-trial", false, {}, 2}, {"H"},
  {"series", false, "practice"}, {"L", true}, {"n", true},
  {"entrance"}, {"inlet-zeta"}, {"gate-slots", false, "0"}, {"slot-zeta", false, "0.1"}, {"slot-area"}, {"rack"}, {"bend"},
  {"outlet-ratio", false, {}, 3}, {"outlet-zeta", false, {}, 3}, {"outlet-rule", false, "printed"}, {"bypass", false, "0"},
  {"inlet-form"}, {"xi1"}, {"theta1"}, {"outlet-form"}, {"xi2"}, {"theta2"},
  {"v1"}, {"v2"}, {"v3"}, {"hu"}, {"hd"}, {"upstream-canal"}, {"downstream-canal"}, {"chamber-width"},
  {"bed-up"}, {"allowed-head"}, {"inlet-crown"}, {"outlet-crown"}, {"v-np"},
}};

constexpr std::array<QuestionInput, 33> kAqueduct{{
  {"Q", true}, {"Qj", false, {}, 1}, {"enlarge", false, {}, 1}, {"Qmin"}, {"g", false, "9.80665"},
  {"B", false, {}, 2}, {"r", false, {}, 2}, {"ratio", false, {}, 2}, {"trough", false, "rectangle"},
  {"n", true}, {"i", true}, {"L", true}, {"grade", false, "5"},
  {"inlet-form"}, {"xi1"}, {"theta1"}, {"outlet-form"}, {"xi2"}, {"theta2"}, {"inlet-slot-zeta"}, {"outlet-slot-zeta"},
  {"v1"}, {"v3"}, {"hu"}, {"hd"}, {"upstream-canal"}, {"downstream-canal"}, {"inlet-length"}, {"outlet-length"},
  {"bend-radius"}, {"covered", false, "no"}, {"height-step", false, "0.01"}, {"bed-up"},
}};

constexpr std::array<QuestionInput, 21> kCulvert{{
  {"Q", true}, {"Qj", false, {}, 1}, {"enlarge", false, {}, 1}, {"Qmin"}, {"g", false, "9.80665"},
  {"barrel", false, "rectangle"}, {"B"}, {"H"}, {"D"}, {"Ra"}, {"n", false, "0.014"}, {"i", true}, {"L", true},
  {"inlet-form"}, {"xi1"}, {"theta1"}, {"outlet-form"}, {"xi2"}, {"theta2"}, {"v1"}, {"v3"},
}};
constexpr std::array<QuestionInput, 24> kTunnel{{
  {"Q", true}, {"Qj", false, {}, 1}, {"enlarge", false, {}, 1}, {"Qmin"}, {"g", false, "9.80665"},
  {"section", false, "circle"}, {"D"}, {"B"}, {"H"}, {"Ra"}, {"r"}, {"type", false, "1"}, {"height-ratio", false, "1.2"},
  {"n", true}, {"i", true}, {"L", true},
  {"inlet-form"}, {"xi1"}, {"theta1"}, {"outlet-form"}, {"xi2"}, {"theta2"}, {"v1"}, {"v3"},
}};
constexpr std::array<QuestionInput, 11> kTransition{{
  {"structure", true}, {"end", true}, {"form"}, {"xi"}, {"theta"}, {"v-up", true},
  {"v-down", true}, {"g", false, "9.80665"}, {"canal-width"}, {"structure-width"}, {"canal-depth"},
}};
constexpr std::array<QuestionInput, 7> kGate{{
  {"B", true}, {"weir-m", true}, {"hs", true}, {"h-up", false, {}, 1}, {"Q", false, {}, 1}, {"v0", false, "0"},
  {"g", false, "9.80665"},
}};
constexpr std::array<QuestionInput, 12> kDrop{{
  {"Q", true}, {"b", true}, {"inlet", false, "warped"}, {"crest-slope"}, {"v1", false, "0"}, {"epsilon", false, "1"},
  {"P", true}, {"basin-width"}, {"tailwater", false, "0"}, {"phi", false, "0.95"}, {"sigma", false, "1.1"},
  {"g", false, "9.80665"},
}};
constexpr std::array<QuestionInput, 8> kChute{{
  {"Q", true}, {"i", true}, {"L", true}, {"steps", false, "100"}, {"zeta", false, "1"}, {"backwater", false, "0"},
  {"freeboard", false, "0.5"}, {"g", false, "9.80665"},
}};
constexpr std::array<QuestionInput, 11> kLine{{
  {"file", true}, {"level", false, {}, 1}, {"control-level", false, {}, 1}, {"control-at"}, {"friction", false, "mean-slope"},
  {"max-step"}, {"g", false, "9.80665"}, {"grade", false, "5"}, {"tail"}, {"dxf-scale", false, "5000"},
  {"dxf-vscale", false, "100"},
}};

constexpr std::array<std::string_view, 2> kReportExamples{
    "report --B 2 --h 1 --m 1 --i 0.001 --n 0.025", "report --section circle --D 1 --h 0.5 --i 0.002 --n 0.013"};
constexpr std::array<std::string_view, 2> kSolveExamples{
    "solve --units us --Q 25 --B 2 --m 3 --i 0.01 --n 0.03", "solve --section circle --D 1 --h 0.5 --i 0.002 --n 0.013"};
constexpr std::array<std::string_view, 1> kSolveDepthExamples{"solve-depth --Q 126 --B 6.1 --m 1.5 --i 0.0008 --n 0.013"};
constexpr std::array<std::string_view, 1> kSolveWidthExamples{"solve-width --Q 2.76 --h 1 --m 1 --i 0.001 --n 0.025"};
constexpr std::array<std::string_view, 2> kTableExamples{
    "table --B 2 --m 1 --i 0.001 --n 0.025 --h 0.1:3:0.1", "table --section circle --D 1 --i 0.002 --n 0.013 --h 0.1:1:0.1"};
constexpr std::array<std::string_view, 1> kJumpExamples{"jump --B 3 --m 0 --Q 15 --h1 0.5"};
constexpr std::array<std::string_view, 1> kProfileExamples{
    "profile --units us --B 20 --m 2 --Q 400 --i 0.0016 --n 0.025 --h0 5 --to-h 3.4 --steps 8"};
constexpr std::array<std::string_view, 2> kDesignExamples{
    "design --Q 10 --i 0.0002 --n 0.025 --m 1.5",
    "design --Q 2 --i 0.0005 --lining concrete-trowelled --m 1 --v-min 0.5 --v-max 3 --soil medium-loam"};
constexpr std::array<std::string_view, 1> kRoughnessExamples{"roughness --format csv"};
constexpr std::array<std::string_view, 1> kVelocityLimitsExamples{"velocity-limits"};
constexpr std::array<std::string_view, 1> kBatchExamples{"batch < rows.csv > answers.csv"};
constexpr std::array<std::string_view, 2> kLineExamples{
    "line --file docs/canal.csv --level 1268.5", "line --file docs/canal.csv --level 1268.5 --g 9.81 --format json"};
constexpr std::array<std::string_view, 2> kReachExamples{
    "reach --file docs/reach.csv", "reach --file docs/reach.csv --downstream 'wse=101.1' --friction mean-slope --format json"};
constexpr std::array<std::string_view, 2> kCulvertExamples{
    "culvert --Q 2 --Qj 2.4 --B 1.5 --H 1.8 --i 0.001 --L 30",
    "culvert --Q 1.2 --barrel circle --D 1.2 --i 0.002 --L 40 --inlet-form warped --xi1 0.15 --outlet-form warped --xi2 0.4 "
    "--v1 0.8 --v3 0.8 --format csv"};
constexpr std::array<std::string_view, 2> kTunnelExamples{
    "tunnel --Q 8 --enlarge 20 --section arch --B 2.6 --H 3 --n 0.014 --i 0.001 --L 500",
    "tunnel --Q 8 --enlarge 20 --section horseshoe --n 0.014 --i 0.001 --L 500 --format json"};
constexpr std::array<std::string_view, 2> kTransitionExamples{
    "transition --structure siphon --end inlet --form reverse-warped --v-up 0.8 --v-down 0.5 --canal-depth 1.5",
    "transition --structure aqueduct --end outlet --form straight-warped --theta 12 --v-up 1.5 --v-down 0.7 "
    "--canal-width 5.2 --structure-width 2"};
constexpr std::array<std::string_view, 2> kGateExamples{"gate --B 3 --weir-m 0.36 --hs 1.5 --h-up 1.6 --v0 0.6",
                                                        "gate --B 3 --weir-m 0.36 --hs 1.5 --Q 4 --v0 0.6"};
constexpr std::array<std::string_view, 1> kDropExamples{"drop --Q 2 --b 1.5 --v1 0.6 --P 2 --tailwater 0.9"};
constexpr std::array<std::string_view, 1> kChuteExamples{
    "chute --Q 3 --B 2 --m 0 --n 0.014 --i 0.05 --L 40 --steps 8"};
constexpr std::array<std::string_view, 2> kAqueductExamples{
    "aqueduct --Q 3.619 --enlarge 25 --B 2 --n 0.014 --i 0.001 --L 120",
    "aqueduct --Q 2.5 --Qj 3 --ratio 0.8 --trough u --n 0.014 --i 0.00066667 --L 200 --format json"};
constexpr std::array<std::string_view, 2> kSiphonExamples{
    "siphon --Q 2 --D 1.2 --L 150 --n 0.014 --inlet-zeta 0.2 --outlet-ratio 0.4",
    "siphon --Q 3 --Qj 3.6 --Qmin 1.2 --g 9.81 --barrels 2 --v-trial 2 --L 80 --n 0.013 --entrance not-rounded --gate-slots 2 "
    "--rack 2.42:10:100:75 --bend 3:25 --bend 2.5:45 --outlet-ratio 0.35 --bypass 1 --inlet-form reverse-warped "
    "--outlet-form reverse-warped --upstream-canal 2:1.5:0.025:0.0004 --downstream-canal 2:1.5:0.025:0.0004 --format json"};

Answer solveDepth(const Inputs& inputs) { return solve(inputs, "h"); }

// The bottom width, or whatever the section's size is, which must not be given.
Answer solveWidth(const Inputs& inputs) {
  const std::string* section = inputs.find("section");
  const SectionInfo* info = findSection(section ? *section : "trapezoid");
  const std::string_view size = info ? info->parameters[0] : "B";
  if (size == "points") fail(MessageId::SectionWithoutSize, "section", {MessageArg::term("points")});
  if (inputs.has(size)) fail(MessageId::SizeIsTheUnknown, size);
  return solve(inputs, size);
}

constexpr std::array<Question, 22> kQuestions{{
  {"report",          HelpReportSummary,         HelpReport,         kReport,      true,  kReportExamples,         report},
  {"solve",           HelpSolveSummary,          HelpSolve,          kSolve,       true,  kSolveExamples,          [](const Inputs& in) { return solve(in); }},
  {"solve-depth",     HelpSolveDepthSummary,     HelpSolveDepth,     kSolveDepth,  true,  kSolveDepthExamples,     solveDepth},
  {"solve-width",     HelpSolveWidthSummary,     HelpSolveWidth,     kSolveWidth,  true,  kSolveWidthExamples,     solveWidth},
  {"table",           HelpTableSummary,          HelpTable,          kTable,       true,  kTableExamples,          table},
  {"jump",            HelpJumpSummary,           HelpJump,           kJump,        true,  kJumpExamples,           jump},
  {"profile",         HelpProfileSummary,        HelpProfile,        kProfile,     true,  kProfileExamples,        profile},
  {"outline",         HelpOutlineSummary,        HelpOutline,        kOutline,     true,  {},                      outline},
  {"design",          HelpDesignSummary,         HelpDesign,         kDesign,      false, kDesignExamples,         designCanal},
  {"roughness",       HelpRoughnessSummary,      HelpRoughness,      {},           false, kRoughnessExamples,      roughness},
  {"velocity-limits", HelpVelocityLimitsSummary, HelpVelocityLimits, {},           false, kVelocityLimitsExamples, velocityLimits},
  {"batch",           HelpBatchSummary,          HelpBatch,          {},           false, kBatchExamples,          nullptr},
  {"reach",           HelpReachSummary,          HelpReach,          kReach,       false, kReachExamples,          reach},
  {"siphon",          HelpSiphonSummary,         HelpSiphon,         kSiphon,      false, kSiphonExamples,         answerSiphon},
  {"aqueduct",        HelpAqueductSummary,       HelpAqueduct,       kAqueduct,    false, kAqueductExamples,       answerAqueduct},
  {"culvert",         HelpCulvertSummary,        HelpCulvert,        kCulvert,     false, kCulvertExamples,        answerCulvert},
  {"tunnel",          HelpTunnelSummary,         HelpTunnel,         kTunnel,      false, kTunnelExamples,         answerTunnel},
  {"transition",      HelpTransitionSummary,     HelpTransition,     kTransition,  false, kTransitionExamples,     answerTransition},
  {"gate",            HelpGateSummary,           HelpGate,           kGate,        false, kGateExamples,           answerGate},
  {"drop",            HelpDropSummary,           HelpDrop,           kDrop,        false, kDropExamples,           answerDrop},
  {"chute",           HelpChuteSummary,          HelpChute,          kChute,       true,  kChuteExamples,          answerChute},
  {"line",            HelpLineSummary,           HelpLine,           kLine,        false, kLineExamples,           canalLine},
}};
// clang-format on

}  // namespace

std::span<const Question> questions() { return kQuestions; }

const Question* findQuestion(std::string_view name) {
  for (const Question& question : kQuestions) {
    if (question.name == name) return &question;
  }
  return nullptr;
}

std::span<const QuestionInput> channelInputs() { return kChannel; }

std::string_view choicesOf(std::string_view key) {
  if (key == "section") return "trapezoid|circle|u|parabola|arch|horseshoe|points";
  if (key == "type") return "1|2";
  if (key == "units") return "si|us";
  if (key == "n-pick" || key == "scour-pick") return "low|middle|high";
  if (key == "unknown") return "Q|h|B|D|r|p|i|n";
  if (key == "friction") return frictionRuleChoices();
  if (key == "series") return "practice|prestressed";
  if (key == "entrance") return "fully-rounded|slightly-rounded|not-rounded|shaft|gentle-slope";
  if (key == "outlet-rule") return "printed|expansion";
  if (key == "trough") return "rectangle|u";
  if (key == "covered") return "yes|no";
  if (key == "barrel") return "rectangle|circle|arch";
  if (key == "structure") return "aqueduct|siphon|culvert|tunnel";
  if (key == "end") return "inlet|outlet";
  if (key == "inlet") return "warped|splayed|cross-wall|trapezoidal";
  return {};
}

}  // namespace channelflow::calc
