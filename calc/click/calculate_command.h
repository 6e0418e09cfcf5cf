// The click on "计算": read B, h, i and m leniently, compute with n read
// strictly inside the calculation, then show v and Q. Any RuntimeError passes
// to the caller, and the output labels keep their texts when one is raised
// before they are written.
#pragma once

#include "runtime/control_access.h"

namespace channelflow::calc {

void CalculateCommand(runtime::ControlAccess& form);

}  // namespace channelflow::calc
