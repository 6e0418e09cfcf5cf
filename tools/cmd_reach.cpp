// channelflow-cli reach --file PATH: the reach file read into the question's
// `file` input, which takes the file's text.
#include <cstdio>
#include <memory>
#include <string>

#include "tools/commands.h"

namespace channelflow::tools {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string fileText(const std::string& path) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  const auto unreadable = [&path] {
    calc::fail(calc::MessageId::PointsFileUnreadable, "file", {calc::MessageArg::literal(calc::quoteForMessage(path))});
  };
  if (!file) unreadable();
  std::string text;
  char buffer[1 << 16];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, file.get())) text.append(buffer, read);
  if (std::ferror(file.get())) unreadable();
  return text;
}

int reach(const Options& o, std::FILE*, OutputSink& out, std::FILE*) {
  calc::Inputs inputs = o.inputs();
  inputs.set("file", fileText(std::string(o.text("file"))));
  writeAnswer(calc::reach(inputs), o, out);
  return 0;
}

}  // namespace

const SubCommand kReach{"reach", {}, reach};

}  // namespace channelflow::tools
