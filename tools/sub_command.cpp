#include "tools/sub_command.h"

#include "calc/flow_error.h"
#include "calc/hydraulics.h"
#include "numeric/runtime_error.h"

#include <new>
#include <string>

namespace channelflow::tools {
namespace {

// Writes a fixed page (help or version) and reports a failed write.
int printPage(std::string_view page, const Streams& io) {
  OutputSink out(io.out);
  out.put(page);
  if (out.finish()) return 0;
  std::fprintf(io.err, "channelflow-cli: %s\n", out.failureMessage().c_str());
  return 1;
}

}  // namespace

int runSubCommand(const SubCommand& command, int argc, char** argv, const Streams& io) {
  const std::span<char* const> words(argv + 2, static_cast<std::size_t>(argc - 2));
  if (hasWord(words, "--help")) return printPage(command.help, io);
  if (hasWord(words, "--version")) return printPage(kVersionLine, io);
  const std::string name(command.name);
  OutputSink out(io.out);
  int status = 0;
  try {
    const Options options(words, command.options);
    status = command.run(options, io.in, out, io.err);
  } catch (const UsageError& error) {
    std::fprintf(io.err, "channelflow-cli %s: %s\n（channelflow-cli %s --help 查看用法）\n", name.c_str(),
                 error.message.c_str(), name.c_str());
    return 2;
  } catch (const InputError& error) {
    std::fprintf(io.err, "错误：%s\n", error.message.c_str());
    return 1;
  } catch (const calc::HydraulicsError& error) {
    std::fprintf(io.err, "错误：%s\n", error.what());
    return 1;
  } catch (const sections::FlowError& error) {
    std::fprintf(io.err, "错误：%s\n", error.what());
    return 1;
  } catch (const numeric::RuntimeError& error) {
    std::fprintf(io.err, "错误：%s\n", error.message().c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("错误：内存不足\n", io.err);
    return 1;
  }
  if (!out.finish()) {
    std::fprintf(io.err, "channelflow-cli %s: %s\n", name.c_str(), out.failureMessage().c_str());
    return 1;
  }
  return status;
}

}  // namespace channelflow::tools
