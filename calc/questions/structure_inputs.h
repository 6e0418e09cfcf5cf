// Reading a structure's inputs as texts: its flows and g, whole numbers and
// choices, texts of several numbers ("β:s:b:α", a canal's "B:m:n:i") and
// lists of them ("3.6:30;5:45"), and a transition's form or ξ. Usage is
// checked first (throws), then every value is read and its problem kept, so
// that a form marks every box at fault; finish() throws them all.
#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include "calc/structures/flows.h"
#include "calc/structures/transition.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {

class StructureInputs {
 public:
  explicit StructureInputs(const Inputs& inputs) : inputs_(inputs), reader_(inputs) {}
  // It keeps a reference: a temporary would be gone before the first read.
  explicit StructureInputs(const Inputs&& inputs) = delete;

  bool has(std::string_view key) const { return inputs_.has(key); }
  const std::string* text(std::string_view key) const { return inputs_.find(key); }

  // Wrong usage, before any value is read.
  void requireGiven(std::string_view key) const { reader_.requireGiven(key); }
  void atMostOne(std::string_view a, std::string_view b) const;
  void atMostOne(std::string_view a, std::string_view b, std::string_view c) const;
  // Both or neither.
  void together(std::string_view a, std::string_view b) const;
  // `key` only with `needs`.
  void onlyWith(std::string_view key, std::string_view needs) const;
  // A choice among choicesOf(key); `otherwise` when left out.
  std::string_view choice(std::string_view key, std::string_view otherwise) const;

  // A number checked against its parameter's limit; `otherwise` when left
  // out, and when it cannot be used (the problem kept).
  double number(std::string_view key, double otherwise = 0);
  // NaN when left out.
  double optional(std::string_view key) { return number(key, NAN); }
  // A whole number from low to high; `otherwise` when left out.
  int whole(std::string_view key, int otherwise, int low, int high);
  // The design, enlarged (Qj or enlarge) and minimum flows.
  structures::FlowsInput flows();
  // g as given; 0 (the standard gravity) when left out.
  double gravity() { return number("g", 0); }
  // A transition's form, ξ and angle: inlet-form, xi1, theta1 or their outlet's.
  structures::TransitionChoice transition(structures::TransitionEnd end);

  // `count` numbers separated by ':', named by `syntax` ("β:s:b:α"); nothing
  // when left out or when they cannot be used (the problem kept).
  std::optional<std::vector<double>> fields(std::string_view key, std::size_t count, std::string_view syntax);
  // Items of such numbers separated by ';', each checked positive where
  // `positive` names it (its symbols, in order; empty for none).
  std::vector<std::vector<double>> list(std::string_view key, std::size_t count, std::string_view syntax,
                                        std::initializer_list<bool> positive);
  // The channel of the channel's inputs (section, size, n, i > 0).
  Channel channel() { return reader_.channel({}, SlopeUse::Uniform); }
  // A trapezoidal canal "B:m:n:i" in uniform flow, with g; nothing when left out.
  std::optional<Channel> canal(std::string_view key, double g);

  void keep(Problem problem) { reader_.keep(std::move(problem)); }
  // Throws CalcError with every problem kept, if any.
  void finish() const { reader_.finish(); }

 private:
  std::optional<double> part(std::string_view key, std::string_view text, std::string_view symbol, int item);

  const Inputs& inputs_;
  InputReader reader_;
};

}  // namespace channelflow::calc
