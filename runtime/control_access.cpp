#include "runtime/control_access.h"

#include "runtime/runtime_error.h"

namespace channelflow::runtime {

void checkStatus(AccessStatus status) {
  if (status != AccessStatus::Ok) throw RuntimeError(ErrorNumber::ControlAccess);
}

}  // namespace channelflow::runtime
