// What a program hands to the start routine: which window to open, where its
// stored description lies, and which control events the program handles.
#pragma once

#include "runtime/control_access.h"
#include "window/form_description.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace channelflow::runtime {

// A procedure of the program run for a click on a command button.
struct ClickHandler {
  std::string_view control;
  void (*run)(ControlAccess& form);
};

struct ProjectRecord {
  std::string_view startupObject;            // the window shown at start-up
  void (*startProcedure)() = nullptr;        // none: nothing of the program runs before an event
  std::uint16_t locale = 0;                  // 2052: Chinese (PRC)
  std::span<const std::uint8_t> formBlock;   // the stored window description
  window::Guid objectId{};                   // must equal the block's identifiers
  window::Guid secondObjectId{};
  std::span<const ClickHandler> clickHandlers;
};

// Reads the record's block and checks the record against it: the start-up
// object is the block's window, both identifiers agree, and every click
// handler names a command button of that window. Throws StartupError with a
// Chinese message (the block reader's offset and reason appended) otherwise.
window::FormDescription loadStartupForm(const ProjectRecord& record);

class StartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The handler for a click on `control`, or nullptr when the program has none.
const ClickHandler* findClickHandler(const ProjectRecord& record, std::string_view control);

}  // namespace channelflow::runtime
