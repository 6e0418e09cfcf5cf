// How the program reaches the controls of its window: read a text box, set a
// label's caption. Each call returns a status; checkStatus turns a failure
// into a runtime error at the point where the call returned.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::runtime {

enum class AccessStatus { Ok, NoSuchControl, WrongKind, Failed };

class ControlAccess {
 public:
  // Copies the current text of the text box `control` into `text` (UTF-8).
  virtual AccessStatus readText(std::string_view control, std::string& text) = 0;
  // Shows `caption` (UTF-8) in the label `control`.
  virtual AccessStatus setCaption(std::string_view control, std::string_view caption) = 0;

 protected:
  ~ControlAccess() = default;
};

// Throws RuntimeError(ControlAccess) unless status is Ok.
void checkStatus(AccessStatus status);

}  // namespace channelflow::runtime
