// Little-endian cursors over the bytes of a window block. Every value is put
// together from single bytes with shifts, so the layout never depends on the
// host's struct padding or byte order.
#pragma once

#include "window/block_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace channelflow::window {

// Reads forward through [offset, end) of a byte span. Offsets are absolute in
// the span. A read that would pass `end` throws BlockError with this reader's
// overrun fault at the offset where the read began, and leaves the position
// where it was.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes)
      : bytes_(bytes), pos_(0), end_(bytes.size()), overrun_(BlockFault::Truncated) {}

  // A reader over the next `length` bytes of this one, whose overruns report
  // `overrun`. The caller checks that `length` fits (see remaining()).
  ByteReader slice(std::size_t length, BlockFault overrun) const {
    return ByteReader(bytes_, pos_, pos_ + length, overrun);
  }

  std::size_t offset() const { return pos_; }
  std::size_t end() const { return end_; }
  std::size_t remaining() const { return end_ - pos_; }
  bool atEnd() const { return pos_ == end_; }

  void skip(std::size_t count) {
    need(count);
    pos_ += count;
  }

  std::uint8_t u8() {
    need(1);
    return bytes_[pos_++];
  }

  std::uint16_t u16() {
    need(2);
    const auto value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return value;
  }

  std::uint32_t u32() {
    need(4);
    const std::uint32_t value = static_cast<std::uint32_t>(bytes_[pos_]) |
                                (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
                                (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) |
                                (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
    pos_ += 4;
    return value;
  }

  // Two's complement reinterpretation, well defined since C++20.
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

  std::span<const std::uint8_t> bytes(std::size_t count) {
    need(count);
    const std::span<const std::uint8_t> view = bytes_.subspan(pos_, count);
    pos_ += count;
    return view;
  }

 private:
  ByteReader(std::span<const std::uint8_t> bytes, std::size_t pos, std::size_t end, BlockFault overrun)
      : bytes_(bytes), pos_(pos), end_(end), overrun_(overrun) {}

  void need(std::size_t count) const {
    if (count > end_ - pos_) throw BlockError(overrun_, pos_);
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_;
  std::size_t end_;
  BlockFault overrun_;
};

// Appends little-endian values to a growing byte vector.
class ByteWriter {
 public:
  std::size_t offset() const { return bytes_.size(); }

  void u8(std::uint8_t value) { bytes_.push_back(value); }

  void u16(std::uint16_t value) {
    bytes_.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
  }

  void u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFFu));
  }

  void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
  void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }

  void bytes(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }

  void bytes(std::string_view data) {
    for (char c : data) bytes_.push_back(static_cast<std::uint8_t>(c));
  }

  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

  // Overwrites the u32 at `at`, which must already have been written.
  void patchU32(std::size_t at, std::uint32_t value) {
    for (std::size_t k = 0; k < 4; ++k) bytes_.at(at + k) = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFFu);
  }

  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace channelflow::window
