#include "calc/click/calculate_command.h"

#include "numeric/value/runtime_error.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace channelflow::calc {
namespace {

using runtime::AccessStatus;
using numeric::ErrorNumber;
using numeric::RuntimeError;

// The window's boxes and labels in memory, with a log of every access.
class FakeForm final : public runtime::ControlAccess {
 public:
  AccessStatus readText(std::string_view control, std::string& text) override {
    log.push_back("read " + std::string(control));
    if (failingControl == control) return AccessStatus::Failed;
    const auto box = boxes.find(std::string(control));
    if (box == boxes.end()) return AccessStatus::NoSuchControl;
    text = box->second;
    return AccessStatus::Ok;
  }
  AccessStatus setCaption(std::string_view control, std::string_view caption) override {
    log.push_back("set " + std::string(control));
    if (failingControl == control) return AccessStatus::Failed;
    const auto label = labels.find(std::string(control));
    if (label == labels.end()) return AccessStatus::NoSuchControl;
    label->second = caption;
    return AccessStatus::Ok;
  }

  std::map<std::string, std::string> boxes{{"B", ""}, {"h", ""}, {"i", ""}, {"m", ""}, {"n", ""}};
  std::map<std::string, std::string> labels{{"v", "old v"}, {"Q", "old Q"}};
  std::vector<std::string> log;
  std::string failingControl;
};

FakeForm formWith(const char* B, const char* h, const char* m, const char* i, const char* n) {
  FakeForm form;
  form.boxes = {{"B", B}, {"h", h}, {"m", m}, {"i", i}, {"n", n}};
  return form;
}

std::optional<ErrorNumber> click(FakeForm& form) {
  try {
    CalculateCommand(form);
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return std::nullopt;
}

using Log = std::vector<std::string>;

TEST(CalculateCommand, ReadsInOrderThenWritesVThenQ) {
  FakeForm form = formWith("2", "1", "1", "0.001", "0.025");
  EXPECT_EQ(click(form), std::nullopt);
  EXPECT_EQ(form.log, (Log{"read B", "read h", "read i", "read m", "read n", "set v", "set Q"}));
  EXPECT_EQ(form.labels["v"], "0.921022784049301");
  EXPECT_EQ(form.labels["Q"], "2.7630683521479");

  // A second click with the same boxes writes the same texts again.
  form.log.clear();
  EXPECT_EQ(click(form), std::nullopt);
  EXPECT_EQ(form.labels["v"], "0.921022784049301");
  EXPECT_EQ(form.labels["Q"], "2.7630683521479");
  EXPECT_EQ(form.log.size(), 7u);
}

TEST(CalculateCommand, LenientBoxesForgiveUnitsAndBlanks) {
  FakeForm form = formWith("2m", "1 m", "1", " 0.001", "0.025");
  EXPECT_EQ(click(form), std::nullopt);
  EXPECT_EQ(form.labels["v"], "0.921022784049301");
  EXPECT_EQ(form.labels["Q"], "2.7630683521479");
  EXPECT_EQ(form.boxes["B"], "2m");  // the boxes are never rewritten
}

struct FailureRow {
  const char* name;
  const char *B, *h, *m, *i, *n;
  std::string failingControl;
  ErrorNumber expected;
  Log log;
};

TEST(CalculateCommand, FailuresLeaveTheOutputsAsTheyWere) {
  const Log readAll{"read B", "read h", "read i", "read m", "read n"};
  const FailureRow rows[] = {
      {"empty boxes", "", "", "", "", "", "", ErrorNumber::DivisionByZero,
       {"read B", "read h", "read i", "read m"}},
      {"empty n", "2", "1", "1", "0.001", "", "", ErrorNumber::NotANumber, readAll},
      {"n=0.025", "2", "1", "1", "0.001", "n=0.025", "", ErrorNumber::NotANumber, readAll},
      {"unreadable h", "2", "1", "1", "0.001", "0.025", "h", ErrorNumber::ControlAccess, {"read B", "read h"}},
      {"unreadable n", "2", "1", "1", "0.001", "0.025", "n", ErrorNumber::ControlAccess, readAll},
      {"v cannot be written", "2", "1", "1", "0.001", "0.025", "v", ErrorNumber::ControlAccess,
       {"read B", "read h", "read i", "read m", "read n", "set v"}},
  };
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(row.name);
    FakeForm form = formWith(row.B, row.h, row.m, row.i, row.n);
    form.failingControl = row.failingControl;
    EXPECT_EQ(click(form), row.expected);
    EXPECT_EQ(form.log, row.log);
    EXPECT_EQ(form.labels["v"], "old v");
    EXPECT_EQ(form.labels["Q"], "old Q");
  }
}

}  // namespace
}  // namespace channelflow::calc
