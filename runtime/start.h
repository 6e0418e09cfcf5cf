// The start routine: builds the program's window from its record and runs it.
#pragma once

#include "runtime/gui_backend.h"
#include "runtime/project_record.h"

namespace channelflow::runtime {

// Reads the record's window description, builds the window with `backend`,
// and runs the event loop. A click on a button with a handler runs the
// handler; a RuntimeError it raises is shown in an error box, and the window
// stays open with what the user typed. A record that cannot start shows its
// error and returns 1; otherwise returns the event loop's status.
int start(const ProjectRecord& record, GuiBackend& backend);

// The part of start before the event loop: builds the window and wires the
// click handlers. Returns false, after showing why, when the record cannot start.
bool prepareWindow(const ProjectRecord& record, GuiBackend& backend);

}  // namespace channelflow::runtime
