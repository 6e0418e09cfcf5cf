#include "tools/output_sink.h"

#include "numeric/text/number_text.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace channelflow::tools {

OutputSink::OutputSink(std::FILE* out) : out_(out), buffer_(new char[kCapacity]) {}

void OutputSink::putLong(std::string_view text) {
  flush();
  if (text.size() <= kCapacity) {
    std::memcpy(buffer_.get(), text.data(), text.size());
    used_ = text.size();
  } else if (out_ == nullptr) {
    kept_.append(text);
  } else if (!failed_) {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) {
      failed_ = true;
      errno_ = errno;
    }
  }
}

void OutputSink::number(double value) {
  if (kCapacity - used_ < numeric::kMaxFormattedLength) flush();
  used_ += numeric::formatDouble(value, buffer_.get() + used_);
}

void OutputSink::jsonString(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  put('"');
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      put('\\');
      put(c);
    } else if (byte < 0x20) {
      put("\\u00");
      put(kHex[byte >> 4]);
      put(kHex[byte & 15]);
    } else {
      put(c);
    }
  }
  put('"');
}

void OutputSink::endLine() {
  put('\n');
  if (used_ >= kFlushAt) flush();
}

bool OutputSink::flush() {
  if (out_ == nullptr) {
    kept_.append(buffer_.get(), used_);
    used_ = 0;
    return true;
  }
  if (!failed_ && used_ > 0) {
    errno = 0;
    if (std::fwrite(buffer_.get(), 1, used_, out_) != used_) {
      failed_ = true;
      errno_ = errno;
    }
  }
  used_ = 0;
  return !failed_;
}

void OutputSink::appendTo(OutputSink& other) {
  flush();
  other.put(kept_);
  kept_.clear();
}

bool OutputSink::finish() {
  if (!flush()) return false;
  if (out_ == nullptr) return true;
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
