// The toolkit's API as front ends use it: one channel gives the same digits
// in every question, answers that exist are found, every mistake has one
// message naming its input, and every message renders in both languages.
#include "calc/toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/toolkit/messages.h"
#include "tests/calc/toolkit_inputs.h"

namespace channelflow::calc {
namespace {

using test_inputs::inputsOf;
using test_inputs::number;

std::string problemOf(const std::function<void()>& ask) {
  try {
    ask();
  } catch (const CalcError& error) {
    return messageText(error.problem());
  }
  return "";
}

// The answers that used to differ between sub-commands for one channel.
TEST(Toolkit, OneChannelOneSetOfDigits) {
  const Inputs wide = inputsOf({{"B", "3"}, {"m", "2"}, {"i", "0.0016"}, {"n", "0.025"}, {"Q", "400"}});
  const Answer depth = solve(wide, "h");
  Inputs toward = wide;
  toward.set("h0", "10").set("to-h", "8");
  const Answer backwater = profile(toward);
  EXPECT_EQ(number(backwater, "hn"), number(depth, "h"));
  EXPECT_EQ(number(backwater, "hc"), number(depth, "hc"));

  const Inputs narrow = inputsOf({{"B", "6.1"}, {"m", "1.5"}, {"i", "0.0008"}, {"n", "0.013"}, {"Q", "126"}});
  const double hc = number(solve(narrow, "h"), "hc");
  EXPECT_EQ(number(jump(inputsOf({{"B", "6.1"}, {"m", "1.5"}, {"Q", "126"}, {"h1", "1"}})), "hc"), hc);
}

// A solved depth is the exact root: the discharge it carries prints back as given.
TEST(Toolkit, SolvedQuantitiesGiveBackWhatWasAsked) {
  const Answer answer = solve(inputsOf(
      {{"B", "0.238744"}, {"m1", "2.07"}, {"m2", "0.81388"}, {"Q", "0.067"}, {"i", "0.000257"}, {"n", "0.0129"}}));
  EXPECT_EQ(number(answer, "Q"), 0.067);
}

// A weak jump's energy loss keeps its digits (mpmath: 9.5425278711116540E-05 ft
// for these doubles, g = 9.80665 / 0.3048 ft/s²); a pipe whose critical depth lies a hair
// below its crown has one.
TEST(Toolkit, AnswersThatExistAreFound) {
  const Answer weak = jump(inputsOf({{"section", "circle"}, {"units", "us"}, {"D", "0.732"}, {"Q", "0.24443"}, {"h1", "0.233"}}));
  EXPECT_EQ(number(weak, "dE"), 9.542527871111654e-05);
  const Answer nearlyFull =
      report(inputsOf({{"section", "circle"}, {"D", "1"}, {"h", "0.9"}, {"i", "0.9"}, {"n", "0.003"}}));
  EXPECT_EQ(findItem(nearlyFull.record().items, "critical"), nullptr);
  EXPECT_GT(number(nearlyFull, "hc"), 0.99999);
  EXPECT_LT(number(nearlyFull, "hc"), 1);
}

TEST(Toolkit, EveryMistakeHasOneMessageNamingItsInput) {
  struct Row {
    const char* name;
    Inputs inputs;
    const char* message;
  };
  const Row rows[] = {
      {"negative width", inputsOf({{"B", "-1"}, {"h", "1"}, {"m", "1"}, {"i", "0.001"}, {"n", "0.025"}}), "下底宽 B 不能为负"},
      {"negative width, section named",
       inputsOf({{"section", "trapezoid"}, {"B", "-1"}, {"h", "1"}, {"m", "1"}, {"i", "0.001"}, {"n", "0.025"}}),
       "下底宽 B 不能为负"},
      {"flat bed", inputsOf({{"B", "1"}, {"h", "1"}, {"m", "1"}, {"i", "0"}, {"n", "0.025"}}),
       "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流"},
      {"deeper than the pipe", inputsOf({{"section", "circle"}, {"D", "1"}, {"h", "2"}, {"i", "0.001"}, {"n", "0.013"}}),
       "水深 h 不能超过管径 D"},
      {"composite on a circle",
       inputsOf({{"section", "circle"}, {"D", "1"}, {"h", "0.5"}, {"i", "0.001"}, {"n-bed", "0.01"}, {"n-wall", "0.02"}}),
       "圆形断面的湿周是一个连续曲面，不分渠底与边壁：复合糙率只用于梯形和 U 形断面"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(problemOf([&] { report(row.inputs); }), row.message);
  }
  // A form learns of every box at fault at once, each named.
  try {
    report(inputsOf({{"B", "-1"}, {"h", "x"}, {"m", "1"}, {"i", "0.001"}, {"n", "0"}}));
    ADD_FAILURE() << "no error";
  } catch (const CalcError& error) {
    ASSERT_EQ(error.problems().size(), 3u);
    EXPECT_EQ(error.problems()[0].field, "B");
    EXPECT_EQ(error.problems()[1].field, "n");
    EXPECT_EQ(error.problems()[2].field, "h");
    EXPECT_EQ(messageText(error.problems()[2], Language::English), "Depth h: \"x\" is not a number");
  }
}

// Each question refuses what it cannot use with the stable code of the
// mistake and the box at fault, so that a form marks the right one.
TEST(Toolkit, EachQuestionNamesTheBoxAtFault) {
  using Ask = std::function<void(const Inputs&)>;
  const Ask asReport = [](const Inputs& in) { report(in); };
  const Ask asSolve = [](const Inputs& in) { solve(in); };
  const Ask asTable = [](const Inputs& in) { table(in); };
  const Ask asProfile = [](const Inputs& in) { profile(in); };
  const Ask asDesign = [](const Inputs& in) { designCanal(in); };
  const auto channel = [](std::initializer_list<std::pair<const char*, const char*>> more) {
    Inputs in = inputsOf({{"B", "2"}, {"m", "1"}, {"i", "0.001"}, {"n", "0.025"}});
    for (const auto& [key, text] : more) in.set(key, text);
    return in;
  };
  const char* river = "0,103,0.06 30,102 40,100.2,0.03 45,100 55,100.1 60,102,0.06 100,103.2";
  const struct {
    const char* name;
    const Ask& ask;
    Inputs inputs;
    const char* field;
    MessageId id;
  } rows[] = {
      {"unknown section", asReport, channel({{"section", "oval"}, {"h", "1"}}), "section", MessageId::UnknownSection},
      {"unknown units", asReport, channel({{"units", "metric"}, {"h", "1"}}), "units", MessageId::UnknownUnits},
      {"a pipe's size on a trapezoid", asReport, channel({{"D", "1"}, {"h", "1"}}), "D", MessageId::NotTakenBySection},
      {"m with m1 and m2", asReport, channel({{"m1", "1"}, {"m2", "2"}, {"h", "1"}}), "m", MessageId::ExclusiveInputs},
      {"n with a bed's n", asReport, channel({{"n-bed", "0.02"}, {"n-wall", "0.03"}, {"h", "1"}}), "n",
       MessageId::ExclusiveInputs},
      {"a pipe's capacity exceeded", asSolve,
       inputsOf({{"section", "circle"}, {"D", "1"}, {"i", "0.001"}, {"n", "0.013"}, {"Q", "50"}}), "Q",
       MessageId::AboveCapacity},
      {"a range running down", asTable, channel({{"h", "2:1:0.1"}}), "h", MessageId::RangeOrder},
      {"a range's part not a number", asTable, channel({{"h", "a:2:0.1"}}), "h", MessageId::RangePartNotANumber},
      {"no steps", asProfile, channel({{"Q", "5"}, {"h0", "2"}, {"to-h", "1.5"}, {"steps", "0"}}), "steps",
       MessageId::StepsRange},
      {"an end by depth and by length", asProfile, channel({{"Q", "5"}, {"h0", "2"}, {"to-h", "1.5"}, {"length", "100"}}),
       "length", MessageId::TargetOrLength},
      {"no end", asProfile, channel({{"Q", "5"}, {"h0", "2"}}), "to-h", MessageId::TargetOrLength},
      {"a depth and a level", asReport, inputsOf({{"section", "points"}, {"points", river}, {"i", "0.0005"}, {"h", "1"},
                                                  {"wse", "101"}}),
       "wse", MessageId::EitherInput},
      {"a level below the bed", asReport,
       inputsOf({{"section", "points"}, {"points", river}, {"i", "0.0005"}, {"wse", "99"}}), "wse",
       MessageId::LevelBelowBottom},
      {"alpha below one", asDesign, inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}, {"alpha", "0.9"}}),
       "alpha", MessageId::AlphaBelowOne},
      {"limits the wrong way round", asDesign,
       inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}, {"v-min", "1"}, {"v-max", "0.5"}}), "v-min",
       MessageId::LimitsOrder},
      {"two sizings", asDesign, inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"n", "0.025"}, {"m", "1.5"}, {"alpha", "1.02"},
                                           {"beta", "2"}}),
       "beta", MessageId::OneSizing},
      {"an unknown bed", asDesign, inputsOf({{"Q", "10"}, {"i", "0.0002"}, {"m", "1.5"}, {"lining", "glass"}}), "lining",
       MessageId::UnknownLining},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      row.ask(row.inputs);
      ADD_FAILURE() << "answered";
    } catch (const CalcError& error) {
      EXPECT_EQ(error.problem().field, row.field) << messageText(error.problem());
      EXPECT_EQ(error.problem().id, row.id) << messageText(error.problem());
    }
  }
}

// Every message renders in both languages with each placeholder filled.
TEST(Messages, EveryMessageRendersInBothLanguages) {
  for (std::size_t k = 0; k < static_cast<std::size_t>(MessageId::Count); ++k) {
    const Problem problem{static_cast<MessageId>(k),
                          "B",
                          {MessageArg::literal("a"), MessageArg::value(1.5), MessageArg::field("m"),
                           MessageArg::quantity("Q"), MessageArg::unit("length", "us"), MessageArg::term("circle")}};
    for (Language language : {Language::Chinese, Language::English}) {
      const std::string text = messageText(problem, language);
      SCOPED_TRACE(messageInfo(problem.id).code);
      EXPECT_FALSE(text.empty());
      EXPECT_EQ(text.find('{'), std::string::npos) << text;
    }
  }
  EXPECT_EQ(messageText({MessageId::MissingInput, "n-bed", {}}, Language::Chinese, FieldStyle::Column), "缺少 n-bed");
}

}  // namespace
}  // namespace channelflow::calc
