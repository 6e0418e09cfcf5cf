// The one error of the section, flow, jump and profile calculations: a
// question without an answer, or a quantity a double cannot hold. The message
// says why, in Chinese.
#pragma once

#include <stdexcept>

namespace channelflow::sections {

class FlowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws FlowError(message) unless condition holds.
inline void require(bool condition, const char* message) {
  if (!condition) throw FlowError(message);
}

}  // namespace channelflow::sections
