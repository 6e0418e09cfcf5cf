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

constexpr std::array<Question, 14> kQuestions{{
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
  return {};
}

}  // namespace channelflow::calc
