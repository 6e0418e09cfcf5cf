#include "calc/services/csv_reader.h"

#include "numeric/text/utf8.h"

#include <algorithm>
#include <cstring>

namespace channelflow::calc {

std::size_t FileSource::read(char* buffer, std::size_t size) { return std::fread(buffer, 1, size, in_); }

bool FileSource::failed() const { return std::ferror(in_) != 0; }

std::size_t TextSource::read(char* buffer, std::size_t size) {
  const std::size_t count = std::min(size, text_.size());
  std::memcpy(buffer, text_.data(), count);
  text_.remove_prefix(count);
  return count;
}

CsvReader::CsvReader(ByteSource& in) : in_(in), buffer_(std::size_t{1} << 16) {}

bool CsvReader::refill() {
  position_ = 0;
  filled_ = in_.read(buffer_.data(), buffer_.size());
  if (filled_ == 0 && in_.failed()) readFailed_ = true;
  if (!started_) {
    started_ = true;
    if (filled_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) position_ = 3;
  }
  return position_ < filled_;
}

void CsvReader::endField() { ends_.push_back(text_.size()); }

void CsvReader::finishRecord(CsvRecord& record) {
  record.fields.clear();
  if (tooLong_) {
    record.error = MessageId::LineTooLong;
    return;
  }
  std::string_view text = text_;
  if (needsUtf8Check_) {
    // Rebuild field by field, so that a replacement never runs across a comma.
    checked_.clear();
    std::size_t start = 0;
    for (std::size_t& end : ends_) {
      numeric::appendValidUtf8(checked_, text.substr(start, end - start));
      start = end;
      end = checked_.size();
    }
    text = checked_;
  }
  std::size_t start = 0;
  for (std::size_t end : ends_) {
    record.fields.push_back(text.substr(start, end - start));
    start = end;
  }
}

bool CsvReader::next(CsvRecord& record) {
  enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
  State state = State::FieldStart;
  record.error.reset();
  record.blank = false;
  text_.clear();
  ends_.clear();
  tooLong_ = false;
  needsUtf8Check_ = false;
  bool started = false;  // a byte of this record was read
  std::size_t bytes = 0;

  while (true) {
    if (position_ == filled_ && !refill()) {
      if (!started) return false;
      if (state == State::Quoted) record.error = MessageId::UnclosedQuote;
      endField();
      finishRecord(record);
      return true;
    }
    if (state == State::Unquoted && !tooLong_) {
      // The common case: copy the rest of an unquoted field in one piece.
      const std::size_t start = position_;
      std::size_t end = start;
      const std::size_t limit = std::min(filled_, start + (kMaxRecordBytes - bytes));
      bool high = false;
      while (end < limit) {
        const char d = buffer_[end];
        if (d == ',' || d == '\n' || d == '\r' || d == '"') break;
        high = high || static_cast<unsigned char>(d) >= 0x80;
        ++end;
      }
      text_.append(buffer_.data() + start, end - start);
      bytes += end - start;
      needsUtf8Check_ = needsUtf8Check_ || high;
      position_ = end;
      if (position_ == filled_) continue;
    }
    const char c = buffer_[position_++];
    if (afterCr_) {
      afterCr_ = false;
      if (c == '\n') continue;
    }
    if (!started) {
      started = true;
      if (c == '\n' || c == '\r') {
        afterCr_ = c == '\r';
        record.blank = true;
        endField();
        finishRecord(record);
        return true;
      }
    }
    const bool lineEnd = c == '\n' || c == '\r';
    const bool endsRecord = lineEnd && state != State::Quoted;  // the line break itself is no part of it
    if (!tooLong_ && !endsRecord && ++bytes > kMaxRecordBytes) {
      // Keep reading to the record's real end, but store nothing more of it.
      tooLong_ = true;
      text_.clear();
      text_.shrink_to_fit();
      ends_.clear();
      ends_.shrink_to_fit();
    }
    const bool store = !tooLong_;
    if (static_cast<unsigned char>(c) >= 0x80) needsUtf8Check_ = true;
    switch (state) {
      case State::Quoted:
        if (c == '"') {
          state = State::QuoteInQuoted;
        } else if (store) {
          text_.push_back(c);
        }
        continue;
      case State::QuoteInQuoted:
        if (c == '"') {  // a doubled quote stands for one
          if (store) text_.push_back(c);
          state = State::Quoted;
          continue;
        }
        break;
      case State::FieldStart:
        if (c == '"') {
          state = State::Quoted;
          continue;
        }
        break;
      case State::Unquoted:
        break;
    }
    if (c == ',') {
      if (store) endField();
      state = State::FieldStart;
    } else if (lineEnd) {
      afterCr_ = c == '\r';
      endField();
      finishRecord(record);
      return true;
    } else {
      if (store) text_.push_back(c);
      state = State::Unquoted;
    }
  }
}

void putCsvField(TextSink& out, std::string_view field) {
  bool plain = true;
  for (char c : field) plain = plain && c != ',' && c != '"' && c != '\n' && c != '\r';
  if (plain) return out.put(field);
  out.put('"');
  for (char c : field) {
    if (c == '"') out.put('"');
    out.put(c);
  }
  out.put('"');
}

}  // namespace channelflow::calc
