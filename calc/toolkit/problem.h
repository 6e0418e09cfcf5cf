// The one error of the toolkit: a question without an answer, an input that
// cannot be used, or a quantity a double cannot hold. It carries a stable
// message id and the input at fault, never text: front ends render it in
// their language with calc/messages.h, and a form marks the box it names.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/toolkit/message_arg.h"
#include "calc/toolkit/message_id.h"

namespace channelflow::calc {

struct Problem {
  MessageId id = MessageId::NoAnswer;
  std::string field;  // the input at fault ("B", "n-bed"); empty when no one input is
  std::vector<MessageArg> args;
};

// One problem, or every problem of a question's inputs at once (so that a
// form can mark each box at fault), the first of them the one to report alone.
class CalcError : public std::exception {
 public:
  explicit CalcError(Problem problem) : problems_{std::move(problem)} {}
  explicit CalcError(std::vector<Problem> problems) : problems_(std::move(problems)) {}
  const Problem& problem() const { return problems_.front(); }
  const std::vector<Problem>& problems() const { return problems_; }
  // The first problem's stable code; the text is for front ends to render.
  const char* what() const noexcept override;

 private:
  std::vector<Problem> problems_;
};

[[noreturn]] void fail(MessageId id, std::string_view field = {}, std::vector<MessageArg> args = {});

// Throws CalcError(id, field) unless condition holds.
inline void require(bool condition, MessageId id, std::string_view field = {}) {
  if (!condition) fail(id, field);
}

}  // namespace channelflow::calc
