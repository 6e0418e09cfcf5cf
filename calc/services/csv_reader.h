// CSV as RFC 4180 writes it, read and written as a stream: fields in double
// quotes may hold commas, quotes ("" for one) and line breaks; records end in
// CRLF, LF or CR; a UTF-8 byte order mark before the first record is skipped.
// The reader holds one record at a time, and never more than kMaxRecordBytes
// of it, so input of any length runs in the same memory.
#pragma once

#include "calc/toolkit/message_id.h"
#include "calc/toolkit/text_sink.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace channelflow::calc {

inline constexpr std::size_t kMaxRecordBytes = std::size_t{1} << 20;

struct CsvRecord {
  std::vector<std::string_view> fields;  // valid UTF-8, views into the record's own storage
  // Why the record cannot be used, if it cannot: a record beyond
  // kMaxRecordBytes (its fields are then dropped) or a quote left open at the
  // end of input.
  std::optional<MessageId> error;
  // A line with nothing on it, which readers of CSV skip.
  bool blank = false;
};

// Where CSV comes from: a stream, or text in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes into `buffer`; 0 at the end of the input or when reading failed.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
  // Whether reading stopped on an input error rather than the end.
  virtual bool failed() const { return false; }
};

class FileSource final : public ByteSource {
 public:
  explicit FileSource(std::FILE* in) : in_(in) {}
  std::size_t read(char* buffer, std::size_t size) override;
  bool failed() const override;

 private:
  std::FILE* in_;
};

class TextSource final : public ByteSource {
 public:
  explicit TextSource(std::string_view text) : text_(text) {}
  std::size_t read(char* buffer, std::size_t size) override;

 private:
  std::string_view text_;
};

class CsvReader {
 public:
  explicit CsvReader(ByteSource& in);
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // Reads the next record into `record`; false at the end of the input. A
  // byte sequence that is not UTF-8 is replaced by U+FFFD. Text after a
  // closing quote is kept as part of the field ("a"b reads as ab).
  bool next(CsvRecord& record);
  // Whether reading stopped on an input error rather than the end.
  bool readFailed() const { return readFailed_; }

 private:
  bool refill();
  void endField();
  void finishRecord(CsvRecord& record);

  ByteSource& in_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  bool started_ = false;      // the byte order mark was looked for
  bool afterCr_ = false;      // the last record ended in CR: a following LF belongs to it
  bool readFailed_ = false;
  std::string text_;          // the fields of the record, one after another
  std::vector<std::size_t> ends_;  // where each field ends in text_
  bool tooLong_ = false;
  bool needsUtf8Check_ = false;
  std::string checked_;       // text_ with invalid UTF-8 replaced
};

// Writes one field, in quotes (with quotes doubled) when it holds a comma, a
// quote or a line break.
void putCsvField(TextSink& out, std::string_view field);

}  // namespace channelflow::calc
