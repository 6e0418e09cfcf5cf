// The toolkit for JavaScript: catalog() and call(request), the JSON texts of
// web/binding/toolkit_json.h.
#include "web/binding/toolkit_json.h"

#include <emscripten/bind.h>

#include <string>

namespace {

std::string catalog() { return channelflow::web::catalogJson(); }
std::string call(const std::string& request) { return channelflow::web::answerJson(request); }

}  // namespace

EMSCRIPTEN_BINDINGS(channelflow_toolkit) {
  emscripten::function("catalog", &catalog);
  emscripten::function("call", &call);
}
