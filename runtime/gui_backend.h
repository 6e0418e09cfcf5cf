// The window services a platform gives the program: build the window from its
// description, reach its controls, report an error, run the event loop. One
// implementation per platform; nothing here names a GUI toolkit.
#pragma once

#include "runtime/control_access.h"
#include "window/form_description.h"

#include <functional>
#include <string_view>

namespace channelflow::runtime {

class GuiBackend {
 public:
  using ClickCallback = std::function<void(std::string_view control)>;

  virtual ~GuiBackend() = default;

  // Creates the window and every control of `form`; shown by runEventLoop.
  virtual void buildWindow(const window::FormDescription& form) = 0;
  // Reading the boxes and writing the labels of the built window.
  virtual ControlAccess& controls() = 0;
  // Called with the button's name for every click on a command button.
  virtual void setClickCallback(ClickCallback callback) = 0;
  // A modal error box over the window (or alone, before there is one): error
  // icon, one OK button; returns when the user dismisses it.
  virtual void showError(std::string_view message) = 0;
  // Shows the window with the focus in its first tab stop and runs the event
  // loop until the window is closed; returns the process exit status.
  virtual int runEventLoop() = 0;
};

}  // namespace channelflow::runtime
