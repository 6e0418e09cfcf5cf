// The window's click for JavaScript: click(B, h, m, i, n) takes the five box
// texts and gives {ok: true, v, Q} with the two results' texts, or
// {ok: false, error, message, english, field} with the runtime error's number,
// the line the user is shown (and its English), and the box at fault, if one is. It is the click of `channelflow-cli click`, on the same form.
#include "calc/click/calculate_command.h"
#include "numeric/value/runtime_error.h"
#include "calc/click/argument_form.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace {

using emscripten::val;

val click(const std::string& B, const std::string& h, const std::string& m, const std::string& i,
          const std::string& n) {
  channelflow::calc::ArgumentForm form(B, h, m, i, n);
  val result = val::object();
  try {
    channelflow::calc::CalculateCommand(form);
    result.set("ok", true);
    result.set("v", form.v);
    result.set("Q", form.Q);
  } catch (const channelflow::numeric::RuntimeError& error) {
    result.set("ok", false);
    result.set("error", error.code());
    result.set("message", error.message());
    result.set("english", error.englishMessage());
    // Only n is read strictly: a text that is not a number is always its.
    result.set("field", error.number() == channelflow::numeric::ErrorNumber::NotANumber ? "n" : "");
  }
  return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(channelflow_click) { emscripten::function("click", &click); }
