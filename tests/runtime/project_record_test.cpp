#include "runtime/project_record.h"

#include "window/form1_block.h"
#include "window/form1_table.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace channelflow::runtime {
namespace {

void noClick(ControlAccess&) {}

const std::array<ClickHandler, 1> kHandlers{{{"Command1", &noClick}}};

ProjectRecord validRecord() {
  ProjectRecord record;
  record.startupObject = "Form1";
  record.locale = 2052;
  record.formBlock = window::form1Block();
  record.objectId = window::kForm1ObjectId;
  record.secondObjectId = window::kForm1SecondObjectId;
  record.clickHandlers = kHandlers;
  return record;
}

TEST(LoadStartupForm, BuildsTheWindowFromTheStoredBlock) {
  const window::FormDescription form = loadStartupForm(validRecord());
  EXPECT_EQ(form, window::form1Description());
  ASSERT_NE(findClickHandler(validRecord(), "Command1"), nullptr);
  EXPECT_EQ(findClickHandler(validRecord(), "B"), nullptr);
}

TEST(LoadStartupForm, RefusesARecordThatDisagreesWithItsBlock) {
  const std::vector<std::uint8_t> block(window::form1Block().begin(), window::form1Block().end());
  std::vector<std::uint8_t> brokenBlock = block;
  brokenBlock[95] ^= 0xFF;  // inside the window record's length
  const std::array<ClickHandler, 1> labelHandler{{{"label2", &noClick}}};
  const std::array<ClickHandler, 1> missingHandler{{{"Command2", &noClick}}};

  struct Row {
    const char* name;
    std::function<void(ProjectRecord&)> change;
    const char* messagePart;
  };
  const Row rows[] = {
      {"broken block", [&](ProjectRecord& r) { r.formBlock = brokenBlock; }, "offset 93"},
      {"truncated block", [&](ProjectRecord& r) { r.formBlock = std::span(block).first(500); }, "窗体描述已损坏"},
      {"other start-up object", [](ProjectRecord& r) { r.startupObject = "Form2"; }, "Form2"},
      {"other identifier", [](ProjectRecord& r) { r.objectId[0] ^= 1; }, "标识符"},
      {"other second identifier", [](ProjectRecord& r) { r.secondObjectId[15] ^= 1; }, "标识符"},
      {"click on a label", [&](ProjectRecord& r) { r.clickHandlers = labelHandler; }, "label2"},
      {"click on a missing button", [&](ProjectRecord& r) { r.clickHandlers = missingHandler; }, "Command2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ProjectRecord record = validRecord();
    row.change(record);
    try {
      loadStartupForm(record);
      ADD_FAILURE() << "accepted";
    } catch (const StartupError& error) {
      EXPECT_NE(std::string(error.what()).find(row.messagePart), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace channelflow::runtime
