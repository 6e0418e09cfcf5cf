#include "window/form_description.h"

namespace channelflow::window {

const ControlDescription* FormDescription::find(std::string_view controlName) const {
  for (const ControlDescription& control : controls) {
    if (control.name == controlName) return &control;
  }
  return nullptr;
}

}  // namespace channelflow::window
