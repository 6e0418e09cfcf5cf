#include "tools/output_sink.h"

#include "runtime/number_text.h"

#include <array>
#include <cerrno>

namespace channelflow::tools {

OutputSink::OutputSink(std::FILE* out) : out_(out) { buffer_.reserve(kFlushAt + 4096); }

void OutputSink::number(double value) {
  std::array<char, runtime::kMaxFormattedLength> digits{};
  buffer_.append(digits.data(), runtime::formatDouble(value, digits.data()));
}

void OutputSink::jsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  buffer_.push_back('"');
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      buffer_.push_back('\\');
      buffer_.push_back(c);
    } else if (byte < 0x20) {
      buffer_.append("\\u00");
      buffer_.push_back(kHex[byte >> 4]);
      buffer_.push_back(kHex[byte & 15]);
    } else {
      buffer_.push_back(c);
    }
  }
  buffer_.push_back('"');
}

void OutputSink::endLine() {
  buffer_.push_back('\n');
  if (buffer_.size() >= kFlushAt) flush();
}

bool OutputSink::flush() {
  if (!failed_ && !buffer_.empty()) {
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) {
      failed_ = true;
      errno_ = errno;
    }
  }
  buffer_.clear();
  return !failed_;
}

bool OutputSink::finish() {
  if (!flush()) return false;
  errno = 0;
  if (std::fflush(out_) != 0 || std::ferror(out_)) {
    failed_ = true;
    errno_ = errno;
  }
  return !failed_;
}

std::string OutputSink::failureMessage() const { return writeFailureMessage(errno_); }

std::string writeFailureMessage(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC: return "无法写入输出：磁盘已满";
    case EPIPE: return "无法写入输出：管道已关闭";
    case EBADF: return "无法写入输出：标准输出已关闭";
    case EIO: return "无法写入输出：输入输出错误";
    case 0: return "无法写入输出";
    default: return "无法写入输出（错误码 " + std::to_string(errorNumber) + "）";
  }
}

}  // namespace channelflow::tools
