#include "window/block_error.h"

namespace channelflow::window {

std::string_view describe(BlockFault fault) {
  switch (fault) {
    case BlockFault::Truncated: return "block ends inside a field";
    case BlockFault::BadMarker: return "not a window block (marker is not FF CC)";
    case BlockFault::BadIdentifierGroupLength: return "identifier group length is not 49";
    case BlockFault::BadControlCount: return "control count is zero";
    case BlockFault::UnknownClassId: return "class identifier is not that of a standard window";
    case BlockFault::NonZeroReserved: return "reserved byte is not zero";
    case BlockFault::BadStreamLength: return "stream length is shorter than its own field";
    case BlockFault::StreamPastEnd: return "stream length runs past the end of the block";
    case BlockFault::TrailingBytes: return "bytes follow the end of the stream";
    case BlockFault::RecordPastStream: return "record length runs past the end of the stream";
    case BlockFault::RecordLengthMismatch: return "record length disagrees with its contents";
    case BlockFault::MissingRecordEnd: return "record has no closing 0xFF";
    case BlockFault::MissingChildrenStart: return "expected 0x01 after the window's record";
    case BlockFault::MissingChildSeparator: return "expected 0x03 or 0x02 after a child";
    case BlockFault::MissingStreamEnd: return "expected 0x04 at the end of the stream";
    case BlockFault::BadControlId: return "control id out of range";
    case BlockFault::DuplicateControlId: return "control id used twice";
    case BlockFault::EmptyName: return "control name is empty";
    case BlockFault::DuplicateName: return "control name used twice";
    case BlockFault::UnknownKind: return "unknown control kind";
    case BlockFault::MisplacedKind: return "control kind not allowed here";
    case BlockFault::UnknownProperty: return "unknown property code for this kind";
    case BlockFault::PropertyOrder: return "property codes not in ascending order";
    case BlockFault::UnterminatedText: return "text not followed by 0x00";
    case BlockFault::BadText: return "text is not valid code page 936";
    case BlockFault::BadFontVersion: return "font version is not 1";
    case BlockFault::ControlCountMismatch: return "control count disagrees with the children stored";
    case BlockFault::NotRepresentable: return "description cannot be stored in a block";
  }
  return "unknown fault";
}

namespace {

std::string message(BlockFault fault, std::size_t offset, std::string_view detail) {
  std::string text = "offset " + std::to_string(offset) + ": " + std::string(describe(fault));
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return text;
}

}  // namespace

BlockError::BlockError(BlockFault fault, std::size_t offset, std::string_view detail)
    : std::runtime_error(message(fault, offset, detail)), fault_(fault), offset_(offset) {}

}  // namespace channelflow::window
