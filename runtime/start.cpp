#include "runtime/start.h"

#include "numeric/value/runtime_error.h"

namespace channelflow::runtime {

bool prepareWindow(const ProjectRecord& record, GuiBackend& backend) {
  window::FormDescription form;
  try {
    form = loadStartupForm(record);
  } catch (const StartupError& error) {
    backend.showError(error.what());
    return false;
  }
  backend.buildWindow(form);
  backend.setClickCallback([&record, &backend](std::string_view control) {
    const ClickHandler* handler = findClickHandler(record, control);
    if (handler == nullptr) return;
    try {
      handler->run(backend.controls());
    } catch (const numeric::RuntimeError& error) {
      // The click ends here; the window, its boxes and its labels stay as
      // they are, so the user can mend the input and click again.
      backend.showError(error.message());
    }
  });
  return true;
}

int start(const ProjectRecord& record, GuiBackend& backend) {
  if (!prepareWindow(record, backend)) return 1;
  return backend.runEventLoop();
}

}  // namespace channelflow::runtime
