// Feeds arbitrary bytes to the window block reader. A block it rejects must be
// rejected with a BlockError and nothing else; a block it accepts must be
// writable, and the written block must read back to the same description and
// write again to the same bytes. Anything else aborts, which libFuzzer reports.
#include "window/block_error.h"
#include "window/form_block.h"
#include "window/form_description.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

using namespace channelflow::window;

namespace {

[[noreturn]] void fail(const char* what, const char* detail = "") {
  std::fprintf(stderr, "form_block_fuzz: %s %s\n", what, detail);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FormDescription form;
  try {
    form = readFormBlock(std::span<const std::uint8_t>(data, size));
  } catch (const BlockError&) {
    return 0;
  }

  std::vector<std::uint8_t> written;
  try {
    written = writeFormBlock(form);
  } catch (const BlockError& error) {
    fail("a block that was read could not be written:", error.what());
  }
  try {
    const FormDescription again = readFormBlock(written);
    if (!(again == form)) fail("the written block reads back different");
    if (writeFormBlock(again) != written) fail("writing the read-back description gives other bytes");
  } catch (const BlockError& error) {
    fail("the written block was rejected:", error.what());
  }
  return 0;
}
