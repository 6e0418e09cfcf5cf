// Everything an answer is written as goes through one buffered sink: to a
// stream, which remembers the first failed write so that a full disk or a
// closed pipe ends the run with an error instead of a success over lost
// output, or kept in memory (a page's answer, a batch's second half).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "calc/toolkit/problem.h"

namespace channelflow::calc {

class TextSink {
 public:
  explicit TextSink(std::FILE* out);
  // A sink that keeps everything in memory (text(), appendTo).
  TextSink() : TextSink(nullptr) {}
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;

  void put(std::string_view text) {
    if (text.size() > kCapacity - used_) return putLong(text);
    for (char c : text) buffer_[used_++] = c;  // short texts: cheaper than a call to memcpy
  }
  void put(char c) {
    if (used_ == kCapacity) flush();
    buffer_[used_++] = c;
  }
  // The number in the calculator's 15-digit text form.
  void number(double value);
  // A JSON string: quotes, backslashes and control characters escaped.
  void jsonString(std::string_view text);
  // Ends a line and writes the buffer out once it is large.
  void endLine();

  // Writes what is buffered. False, with the reason kept, once any write failed.
  bool flush();
  // Writes everything and flushes the stream; false when any of it failed.
  bool finish();
  bool failed() const { return failed_; }
  // Why the output was lost: the disk full, a closed pipe, ...
  Problem failure() const;
  // Moves what an in-memory sink holds to the end of `other`.
  void appendTo(TextSink& other);
  // What an in-memory sink holds (flushed first).
  const std::string& text();

 private:
  static constexpr std::size_t kFlushAt = 1 << 16;
  static constexpr std::size_t kCapacity = kFlushAt + 4096;
  void putLong(std::string_view text);
  std::FILE* out_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::string kept_;  // what an in-memory sink has written
  bool failed_ = false;
  int errno_ = 0;
};

// Why a write failed, from its errno value.
Problem writeFailure(int errorNumber);

}  // namespace channelflow::calc
