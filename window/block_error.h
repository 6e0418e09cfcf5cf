// The one error of the window block reader and writer: what went wrong and the
// byte offset where it was found (for the writer, the offset reached so far).
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace channelflow::window {

enum class BlockFault : std::uint8_t {
  Truncated,                // the block ends inside a field
  BadMarker,                // the first two bytes are not FF CC
  BadIdentifierGroupLength, // the identifier group is not 49 bytes
  BadControlCount,          // the header counts no controls
  UnknownClassId,           // the class identifier is not that of a standard window
  NonZeroReserved,          // one of the 36 reserved bytes is not zero
  BadStreamLength,          // the stream length is too short to hold its own field
  StreamPastEnd,            // the stream length runs past the end of the block
  TrailingBytes,            // bytes follow the end of the stream
  RecordPastStream,         // a record length runs past the end of the stream
  RecordLengthMismatch,     // a record's bytes do not fill exactly its length
  MissingRecordEnd,         // a record has no closing 0xFF
  MissingChildrenStart,     // the window's record is not followed by 0x01
  MissingChildSeparator,    // a child is followed by neither 0x03 nor 0x02
  MissingStreamEnd,         // the last child is not followed by 0x04
  BadControlId,             // the window is not id 0, or a child id is outside 1..count
  DuplicateControlId,
  EmptyName,
  DuplicateName,
  UnknownKind,
  MisplacedKind,            // the first record is not a window, or a child is one
  UnknownProperty,          // a code that the record's kind does not define
  PropertyOrder,            // property codes not strictly ascending
  UnterminatedText,         // a text value is not followed by 0x00
  BadText,                  // bytes that code page 936 does not define
  BadFontVersion,
  ControlCountMismatch,     // the header's count differs from the children stored
  NotRepresentable,         // writer: the description holds what the block cannot store
};

// A short English phrase for the fault, e.g. "record length disagrees with its contents".
std::string_view describe(BlockFault fault);

class BlockError : public std::runtime_error {
 public:
  // what() reads "offset 93: <phrase>", followed by ": <detail>" when a detail is given.
  BlockError(BlockFault fault, std::size_t offset, std::string_view detail = {});

  BlockFault fault() const noexcept { return fault_; }
  std::size_t offset() const noexcept { return offset_; }

 private:
  BlockFault fault_;
  std::size_t offset_;
};

}  // namespace channelflow::window
