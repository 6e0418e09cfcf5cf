// The window description block: the bytes from which the runtime builds a
// window. writeFormBlock turns a FormDescription into a block and readFormBlock
// turns a block back into a FormDescription; whatever the writer produces reads
// back equal.
//
// Layout, all integers little-endian; a text is a u16 byte count, that many
// bytes in code page 936 and a 0x00 the count leaves out:
//   header   FF CC, u16 49, u8 control count, object id, second object id,
//            standard window class id (16 bytes each), 36 zero bytes,
//            u32 stream length counted from its own first byte to the block's end
//   stream   window record, 0x01, each child's record followed by 0x03, the
//            last one by 0x02, then 0x04
//   record   u32 length (from its first byte to the closing 0xFF), u8 id,
//            name text, u8 kind, (u8 code, value) in ascending code order, 0xFF
#pragma once

#include "window/block_error.h"
#include "window/form_description.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace channelflow::window {

// {33AD4F3A-6699-11CF-B70C-00AA0060D393}, the class of a standard window, in stored byte order.
inline constexpr Guid kStandardWindowClassId{0x3A, 0x4F, 0xAD, 0x33, 0x99, 0x66, 0xCF, 0x11,
                                             0xB7, 0x0C, 0x00, 0xAA, 0x00, 0x60, 0xD3, 0x93};

inline constexpr std::size_t kBlockHeaderSize = 93;
inline constexpr std::size_t kStreamLengthOffset = 89;

// Where a record lies in a block: the window's first, then the children in stored order.
struct RecordSpan {
  std::size_t offset = 0;
  std::uint32_t length = 0;

  bool operator==(const RecordSpan&) const = default;
};

// Writes the block for `form`. Properties go in ascending code order; an empty
// caption, an absent font and an absent tab index are left out, everything else
// is written whatever its value. Throws BlockError (NotRepresentable) when the
// description holds something the block cannot store: no controls or more than
// 255, ids that are not 1..count each once, an empty or repeated name, a text
// that code page 936 cannot encode or that is too long for its count, a child
// rectangle outside the 16-bit range, or a value the control's kind has no
// property for (text in a text box, a rectangle on a line, ...).
std::vector<std::uint8_t> writeFormBlock(const FormDescription& form);

// Reads a whole block; `block` must hold exactly the block, nothing after it.
// Trusts nothing: the first rule broken stops the read with a BlockError that
// names the fault and its offset, and no partial description is returned.
// Absent properties keep the defaults of FormDescription and ControlDescription.
// When `records` is given it receives the place of every record; on an error
// it is left untouched.
FormDescription readFormBlock(std::span<const std::uint8_t> block, std::vector<RecordSpan>* records = nullptr);

}  // namespace channelflow::window
