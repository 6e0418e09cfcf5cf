// The window's five boxes and two output labels held in memory, so a click
// can run without a window: the boxes show the texts given, and the labels
// keep what the click writes into them.
#pragma once

#include "runtime/control_access.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace channelflow::calc {

class ArgumentForm final : public runtime::ControlAccess {
 public:
  ArgumentForm() = default;
  ArgumentForm(std::string_view B, std::string_view h, std::string_view m, std::string_view i, std::string_view n) {
    setBoxes(B, h, m, i, n);
  }

  // New box texts for the next click; the views must outlive it. The labels
  // keep their texts, as the window's do between clicks.
  void setBoxes(std::string_view B, std::string_view h, std::string_view m, std::string_view i, std::string_view n) {
    boxes_ = {{{"B", B}, {"h", h}, {"m", m}, {"i", i}, {"n", n}}};
  }

  runtime::AccessStatus readText(std::string_view control, std::string& text) override {
    for (const auto& [name, value] : boxes_) {
      if (name == control) {
        text.assign(value);
        return runtime::AccessStatus::Ok;
      }
    }
    return runtime::AccessStatus::NoSuchControl;
  }

  runtime::AccessStatus setCaption(std::string_view control, std::string_view caption) override {
    if (control == "v") {
      v.assign(caption);
    } else if (control == "Q") {
      Q.assign(caption);
    } else {
      return runtime::AccessStatus::NoSuchControl;
    }
    return runtime::AccessStatus::Ok;
  }

  std::string v;
  std::string Q;

 private:
  std::array<std::pair<std::string_view, std::string_view>, 5> boxes_{
      {{"B", {}}, {"h", {}}, {"m", {}}, {"i", {}}, {"n", {}}}};
};

}  // namespace channelflow::calc
