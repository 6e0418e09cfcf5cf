// The program's record for the start routine: Form1 from its stored block,
// Chinese (PRC), and one event with a handler, the click on Command1.
#pragma once

#include "runtime/project_record.h"

namespace channelflow::app {

const runtime::ProjectRecord& channelflowProject();

}  // namespace channelflow::app
