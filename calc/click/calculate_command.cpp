#include "calc/click/calculate_command.h"

#include "calc/click/channel_flow.h"
#include "numeric/value/conversions.h"
#include "numeric/value/value.h"

#include <array>
#include <string>

namespace channelflow::calc {
namespace {

using runtime::checkStatus;

double readBoxLeniently(runtime::ControlAccess& form, std::string_view box) {
  std::string text;
  checkStatus(form.readText(box, text));
  return numeric::readLenient(text);
}

// The n box, read only when the calculation divides by it.
class BoxTextSource final : public numeric::TextSource {
 public:
  BoxTextSource(runtime::ControlAccess& form, std::string_view box) : form_(form), box_(box) {}

  std::string fetchText() const override {
    std::string text;
    checkStatus(form_.readText(box_, text));
    return text;
  }

 private:
  runtime::ControlAccess& form_;
  std::string_view box_;
};

}  // namespace

void CalculateCommand(runtime::ControlAccess& form) {
  ChannelInputs inputs;
  inputs.B = readBoxLeniently(form, "B");
  inputs.h = readBoxLeniently(form, "h");
  inputs.i = readBoxLeniently(form, "i");
  inputs.m = readBoxLeniently(form, "m");
  const BoxTextSource nText(form, "n");
  inputs.nText = &nText;

  const ChannelResults results = ComputeChannelFlow(inputs);

  std::array<char, numeric::kMaxFormattedLength> text{};
  const std::string vText = numeric::toText(numeric::Value(results.v));
  checkStatus(form.setCaption("v", vText));
  const std::size_t qLength = numeric::textOf(results.Q, text.data());
  checkStatus(form.setCaption("Q", std::string_view(text.data(), qLength)));
}

}  // namespace channelflow::calc
