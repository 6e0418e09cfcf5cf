// A question's inputs as texts, the way every front end has them (a command
// line's option values, a batch's cells, a form's boxes), and their reading:
// which inputs the question takes (wrong usage otherwise), then each value,
// read as a number and checked against its limit, every problem kept so that
// a form can mark every box at fault.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/sections/channel.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc {

// Texts by input key ("B" -> "2"); a key set twice keeps its last text.
class Inputs {
 public:
  Inputs& set(std::string_view key, std::string_view text);
  bool has(std::string_view key) const { return find(key) != nullptr; }
  // The text of a key that is there; nullptr otherwise.
  const std::string* find(std::string_view key) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// Reads `text` as every input is read: optional blanks around a plain
// decimal number. A nonzero number too small for a double to hold with all
// its digits is an error, not 0. On failure returns nothing and fills
// `problem` (the id and the quoted text; the caller names the field).
std::optional<double> readNumber(std::string_view text, Problem& problem);
// The same, the number kept as typed: a level or a station, which is
// differenced exactly.
std::optional<numeric::Decimal> readDecimal(std::string_view text, Problem& problem);

// The text as it may stand in a message: valid UTF-8, control characters as
// blanks, at most 40 bytes and an ellipsis.
std::string quoteForMessage(std::string_view text);

// What a question leaves out of the channel: the quantity a solver finds.
struct ChannelGaps {
  bool size = false;
  bool roughness = false;
  bool slope = false;
};

// How the question uses the bed slope: uniform flow needs i > 0, a profile
// takes any i, a jump none.
enum class SlopeUse { Uniform, Any, None };

// How it uses n: the flow needs it, a solver finds it, or (a section's
// drawing, a jump) a surveyed section's own n only divide it.
enum class RoughnessUse { Needed, Unknown, Optional };

class InputReader {
 public:
  explicit InputReader(const Inputs& inputs) : inputs_(inputs) {}
  // The reader keeps a reference: a temporary would be gone before the first read.
  explicit InputReader(const Inputs&& inputs) = delete;

  // Wrong usage is reported at once, before any value is read.
  void requireGiven(std::string_view key) const;
  void requireAbsent(std::string_view key, MessageId id) const;

  // The channel's shape, size, roughness, slope and units. Checks usage
  // first (throws), then reads every value, keeping the problems. A left-out
  // quantity is 0.
  Channel channel(ChannelGaps gaps, SlopeUse slope);
  // The channel of a jump: shape, size and units only.
  Channel section();

  // A value read and checked against its parameter's limit; nothing (and the
  // problem kept) when it cannot be used.
  std::optional<double> number(std::string_view key);
  // A depth as the section computes with it: a surveyed section's exactly as
  // typed, as its points' heights are (a depth typed as a point's own height
  // is that height); any other section's as its double.
  std::optional<Real> depthAsTyped(std::string_view key, const Channel& channel);
  // The same, positive, and no deeper than a circle's diameter or a surveyed
  // section's lower end.
  std::optional<Real> depth(std::string_view key, const Channel& channel);
  // Wrong usage unless exactly one of h and wse (a surveyed section's water level) is given.
  void requireDepthOrLevel() const;
  // The depth h, or a surveyed section's wse less its lowest elevation, exactly
  // as both were typed.
  std::optional<Real> depthOrLevel(const Channel& channel);
  void keep(Problem problem) { problems_.push_back(std::move(problem)); }

  // Throws CalcError with every problem kept, if any.
  void finish() const;

  const Inputs& inputs() const { return inputs_; }

 private:
  void checkChannelUsage(ChannelGaps gaps) const;
  Channel shape(bool withSize, RoughnessUse roughness);
  Arch arch(double B, UnitSystem units);
  Horseshoe horseshoe();
  std::shared_ptr<const Survey> survey(RoughnessUse roughness, Roughness& common);
  void keepAboveBanks(std::string_view key, const Survey& survey, const Channel& channel);
  double valueOr(std::string_view key, double otherwise);

  const Inputs& inputs_;
  std::vector<Problem> problems_;
};

}  // namespace channelflow::calc
