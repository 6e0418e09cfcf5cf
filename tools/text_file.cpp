#include "tools/text_file.h"

#include <cstdio>
#include <memory>

#include "calc/toolkit/inputs.h"

namespace channelflow::tools {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string readTextFile(const std::string& path, std::string_view field) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  const auto unreadable = [&] {
    calc::fail(calc::MessageId::PointsFileUnreadable, field, {calc::MessageArg::literal(calc::quoteForMessage(path))});
  };
  if (!file) unreadable();
  std::string text;
  char buffer[1 << 16];
  while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, file.get())) text.append(buffer, read);
  if (std::ferror(file.get())) unreadable();
  return text;
}

}  // namespace channelflow::tools
