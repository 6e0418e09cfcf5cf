#include "calc/toolkit/text_sink.h"

#include "numeric/text/number_text.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace channelflow::calc {

TextSink::TextSink(std::FILE* out) : out_(out), buffer_(new char[kCapacity]) {}

void TextSink::putLong(std::string_view text) {
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

void TextSink::number(double value) {
  if (kCapacity - used_ < numeric::kMaxFormattedLength) flush();
  used_ += numeric::formatDouble(value, buffer_.get() + used_);
}

void TextSink::jsonString(std::string_view text) {
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

void TextSink::endLine() {
  put('\n');
  if (used_ >= kFlushAt) flush();
}

bool TextSink::flush() {
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

void TextSink::appendTo(TextSink& other) {
  flush();
  other.put(kept_);
  kept_.clear();
}

bool TextSink::finish() {
  if (!flush()) return false;
  if (out_ == nullptr) return true;
  errno = 0;
  if (std::fflush(out_) != 0 || std::ferror(out_)) {
    failed_ = true;
    errno_ = errno;
  }
  return !failed_;
}

Problem TextSink::failure() const { return writeFailure(errno_); }

const std::string& TextSink::text() {
  flush();
  return kept_;
}

Problem writeFailure(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC: return {MessageId::WriteDiskFull, {}, {}};
    case EPIPE: return {MessageId::WritePipeClosed, {}, {}};
    case EBADF: return {MessageId::WriteOutputClosed, {}, {}};
    case EIO: return {MessageId::WriteIoError, {}, {}};
    case 0: return {MessageId::WriteFailed, {}, {}};
    default: return {MessageId::WriteErrorCode, {}, {MessageArg::literal(std::to_string(errorNumber))}};
  }
}

}  // namespace channelflow::calc
