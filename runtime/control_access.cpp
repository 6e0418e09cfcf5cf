#include "runtime/control_access.h"

#include "numeric/value/runtime_error.h"

namespace channelflow::runtime {

void checkStatus(AccessStatus status) {
  if (status != AccessStatus::Ok) throw numeric::RuntimeError(numeric::ErrorNumber::ControlAccess);
}

}  // namespace channelflow::runtime
