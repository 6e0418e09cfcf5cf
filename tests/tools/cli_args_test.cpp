// The argument layer: every usage error found before any work, and numbers
// read without ever turning a real value into 0 or infinity.
#include "tools/cli_args.h"
#include "tools/sub_command.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace channelflow::tools {
namespace {

// A question that needs B and h and may take D.
constexpr std::array<calc::QuestionInput, 3> kInputs{{{"B", true}, {"h", true}, {"D"}}};
const calc::Question kQuestion{"test", calc::TextId::HelpReportSummary, calc::TextId::HelpReport, kInputs, false, {}, nullptr};

// Parses the words of `line`; returns the usage message, or "" when they parse.
std::string usageErrorOf(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream split(line);
  for (std::string word; split >> word;) words.push_back(word);
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  try {
    Options options(pointers, kQuestion);
    return "";
  } catch (const calc::CalcError& error) {
    return problemText(error.problem());
  }
}

TEST(Options, FindsEveryUsageErrorBeforeAnyWork) {
  struct Row {
    const char* line;
    const char* message;  // "" for a line that parses
  };
  const Row rows[] = {
      {"--B 2 --h 1", ""},
      {"--B=2 --h=-1", ""},
      {"--h -1 --B 2 --format json", ""},
      {"--B 2", "缺少 --h"},
      {"--B 2 --h 1 --Q 3", "未知选项 --Q"},
      {"--B 2 --B 3 --h 1", "选项 --B 重复"},
      {"--B 2 --h 1 --format csv --format json", "选项 --format 重复"},
      {"--B --h 1", "--B 缺少取值"},
      {"--B 2 --h", "--h 缺少取值"},
      {"--B 2 --h 1 extra", "多余的参数 \"extra\""},
      {"--B 2 --h 1 --format xml", "--format 只能是 text、csv 或 json"},
      {"--B 2 --h 1 --D 1", ""},
      {"--B 2 --h 1 --D 1 --D 2", "选项 --D 重复"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const std::string message = usageErrorOf(row.line);
    if (*row.message == '\0') {
      EXPECT_EQ(message, "");
    } else {
      EXPECT_NE(message.find(row.message), std::string::npos) << message;
    }
  }
}

TEST(ReadNumber, GivesTheNumberOrTheReasonNeverZeroOrInfinity) {
  struct Row {
    const char* text;
    double value;         // when read
    const char* reason;   // part of the reason, "" when read
  };
  const Row rows[] = {
      {"2.5", 2.5, ""},
      {" 0.025 ", 0.025, ""},
      {"0", 0, ""},
      {"0e-999", 0, ""},
      {"-1e308", -1e308, ""},
      {"2.2250738585072014e-308", 2.2250738585072014e-308, ""},
      {"1e-320", 0, "太小"},
      {"1e-400", 0, "太小"},
      {"1e309", 0, "超出数值范围"},
      {"inf", 0, "不是有效的数字"},
      {"nan", 0, "不是有效的数字"},
      {"0x10", 0, "不是有效的数字"},
      {"", 0, "不是有效的数字"},
      {"2m", 0, "不是有效的数字"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    calc::Problem problem{calc::MessageId::NoAnswer, "B", {}};
    const auto number = calc::readNumber(row.text, problem);
    const std::string reason = number ? "" : problemText(problem);
    if (*row.reason == '\0') {
      ASSERT_TRUE(number.has_value()) << reason;
      EXPECT_EQ(*number, row.value);
    } else {
      EXPECT_FALSE(number.has_value());
      EXPECT_NE(reason.find(row.reason), std::string::npos) << reason;
    }
  }
}

TEST(QuoteForMessage, ShortValidAndOnOneLine) {
  EXPECT_EQ(calc::quoteForMessage("abc"), "abc");
  EXPECT_EQ(calc::quoteForMessage("a\nb"), "a b");
  EXPECT_EQ(calc::quoteForMessage("\xFF"), "\xEF\xBF\xBD");
  EXPECT_EQ(calc::quoteForMessage(std::string(100, 'x')), std::string(40, 'x') + "…");
}

}  // namespace
}  // namespace channelflow::tools
