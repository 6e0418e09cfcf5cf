#include "app/channelflow_project.h"

#include "calc/click/calculate_command.h"
#include "window/form1_block.h"
#include "window/form1_table.h"

#include <array>

namespace channelflow::app {
namespace {

constexpr std::uint16_t kLocaleChinesePrc = 2052;

const std::array<runtime::ClickHandler, 1> kClickHandlers{{
    {"Command1", &calc::CalculateCommand},
}};

}  // namespace

const runtime::ProjectRecord& channelflowProject() {
  static const runtime::ProjectRecord record{
      .startupObject = "Form1",
      .startProcedure = nullptr,
      .locale = kLocaleChinesePrc,
      .formBlock = window::form1Block(),
      .objectId = window::kForm1ObjectId,
      .secondObjectId = window::kForm1SecondObjectId,
      .clickHandlers = kClickHandlers,
  };
  return record;
}

}  // namespace channelflow::app
