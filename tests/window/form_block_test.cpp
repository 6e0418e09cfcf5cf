#include "window/block_error.h"
#include "window/cp936.h"
#include "window/form1_block.h"
#include "window/form1_table.h"
#include "window/form_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace channelflow::window;
using Bytes = std::vector<std::uint8_t>;

Bytes storedBlock() {
  const auto block = form1Block();
  return Bytes(block.begin(), block.end());
}

std::uint32_t u32At(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

void putU32(Bytes& b, std::size_t at, std::uint32_t value) {
  for (std::size_t k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

// Runs the reader and returns the error it raised; fails the test if it raised none.
BlockError readError(const Bytes& bytes) {
  try {
    readFormBlock(bytes);
  } catch (const BlockError& error) {
    return error;
  }
  ADD_FAILURE() << "block of " << bytes.size() << " bytes was accepted";
  return BlockError(BlockFault::NotRepresentable, 0);
}

// Where Form1's records lie in the stored block (checked by StoredBlock.RecordLayout).
constexpr std::size_t kWindowAt = 93;
constexpr std::size_t kChildrenStartAt = 155;
constexpr std::size_t kMAt = 156;          // first child, text box
constexpr std::size_t kCommand1At = 196;   // second child
constexpr std::size_t kNAt = 251;
constexpr std::size_t kLabel9At = 411;
constexpr std::size_t kLabel1At = 929;     // last child
constexpr std::size_t kLastChildAt = 1006;
constexpr std::size_t kStreamEndAt = 1007;

// ---------------------------------------------------------------- the stored block

TEST(StoredBlock, ReadsAsTheWindowTable) {
  const FormDescription expected = form1Description();
  const FormDescription read = readFormBlock(form1Block());
  ASSERT_EQ(read.controls.size(), expected.controls.size());
  for (std::size_t k = 0; k < expected.controls.size(); ++k) {
    SCOPED_TRACE(expected.controls[k].name);
    EXPECT_EQ(read.controls[k], expected.controls[k]);
  }
  EXPECT_EQ(read, expected);  // window attributes and identifiers too
}

TEST(StoredBlock, WriterReproducesItByteForByte) {
  const Bytes written = writeFormBlock(form1Description());
  const Bytes stored = storedBlock();
  ASSERT_EQ(written.size(), 1008u);
  for (std::size_t k = 0; k < stored.size(); ++k) {
    ASSERT_EQ(written[k], stored[k]) << "first difference at offset " << k;
  }
}

TEST(StoredBlock, RecordLayout) {
  const Bytes block = storedBlock();
  std::vector<RecordSpan> spans;
  const FormDescription form = readFormBlock(block, &spans);
  EXPECT_EQ(block[4], 17);
  EXPECT_EQ(u32At(block, kStreamLengthOffset), 919u);

  struct Row {
    const char* name;
    std::uint32_t length;
  };
  // clang-format off
  const Row rows[] = {
    {"Form1", 62}, {"m", 39}, {"Command1", 54}, {"n", 39}, {"i", 39}, {"h", 39}, {"B", 39},
    {"Label9", 56}, {"Label8", 57}, {"v", 39}, {"Label6", 58}, {"Q", 39}, {"Line1", 35},
    {"Label5", 60}, {"Label4", 56}, {"Label3", 54}, {"label2", 54}, {"Label1", 77},
  };
  // clang-format on
  ASSERT_EQ(spans.size(), std::size(rows));
  std::size_t expectedAt = kWindowAt;
  for (std::size_t k = 0; k < spans.size(); ++k) {
    SCOPED_TRACE(rows[k].name);
    EXPECT_EQ(k == 0 ? form.name : form.controls[k - 1].name, rows[k].name);
    EXPECT_EQ(spans[k].offset, expectedAt);
    EXPECT_EQ(spans[k].length, rows[k].length);
    EXPECT_EQ(u32At(block, spans[k].offset), rows[k].length);
    EXPECT_EQ(block[spans[k].offset + spans[k].length - 1], 0xFF);
    expectedAt += spans[k].length + 1;  // the 0x01, 0x03 or 0x02 after each record
  }
  EXPECT_EQ(spans[1].offset, kMAt);
  EXPECT_EQ(spans[2].offset, kCommand1At);
  EXPECT_EQ(spans[3].offset, kNAt);
  EXPECT_EQ(spans[7].offset, kLabel9At);
  EXPECT_EQ(spans[17].offset, kLabel1At);
  EXPECT_EQ(expectedAt, kStreamEndAt);
}

TEST(StoredBlock, OutputsAndBoxesAreEmpty) {
  const FormDescription form = readFormBlock(form1Block());
  for (const char* name : {"Q", "v", "B", "h", "i", "m", "n"}) {
    SCOPED_TRACE(name);
    const ControlDescription* control = form.find(name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->caption, "");
  }
}

TEST(StoredBlock, Label3CaptionKeepsItsTwoSpaces) {
  const Bytes block = storedBlock();
  std::vector<RecordSpan> spans;
  const FormDescription form = readFormBlock(block, &spans);
  EXPECT_EQ(form.find("Label3")->caption, "水  深");
  // length, id, name "Label3" (2 + 6 + 1), kind, then the caption code and its count.
  const std::size_t captionAt = spans[15].offset + 4 + 1 + 9 + 1;
  ASSERT_EQ(block[captionAt], 0x01);
  EXPECT_EQ(block[captionAt + 1] | (block[captionAt + 2] << 8), 6);
}

// ---------------------------------------------------------------- broken blocks

TEST(BrokenBlock, EveryTruncationIsRejected) {
  const Bytes block = storedBlock();
  for (std::size_t length = 0; length < block.size(); ++length) {
    SCOPED_TRACE(length);
    const BlockError error = readError(Bytes(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length)));
    if (length < kBlockHeaderSize) {
      EXPECT_EQ(error.fault(), BlockFault::Truncated);
      EXPECT_LE(error.offset(), length);
    } else {
      EXPECT_EQ(error.fault(), BlockFault::StreamPastEnd);
      EXPECT_EQ(error.offset(), kStreamLengthOffset);
    }
  }
}

// A block cut short whose stream length was made to agree: the records
// themselves must notice that something is missing.
TEST(BrokenBlock, EveryCutInsideTheStreamIsRejected) {
  const Bytes block = storedBlock();
  for (std::size_t length = kBlockHeaderSize; length < block.size(); ++length) {
    SCOPED_TRACE(length);
    Bytes cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
    putU32(cut, kStreamLengthOffset, static_cast<std::uint32_t>(length - kStreamLengthOffset));
    const BlockError error = readError(cut);
    EXPECT_LE(error.offset(), length);
  }
}

// Edits of the stored block. Each edit checks the byte it replaces, so a row
// cannot silently aim at the wrong field.
struct Edit {
  Bytes bytes = storedBlock();

  Edit& replace(std::size_t at, std::uint8_t from, std::uint8_t to) {
    EXPECT_EQ(bytes.at(at), from) << "at offset " << at;
    bytes.at(at) = to;
    return *this;
  }
  Edit& setU32(std::size_t at, std::uint32_t value) {
    putU32(bytes, at, value);
    return *this;
  }
  // Removes one byte and shortens the enclosing record (if any) and the stream to match.
  Edit& erase(std::size_t at, std::uint8_t expected, std::size_t recordAt = 0) {
    EXPECT_EQ(bytes.at(at), expected) << "at offset " << at;
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
    if (recordAt != 0) putU32(bytes, recordAt, u32At(bytes, recordAt) - 1);
    putU32(bytes, kStreamLengthOffset, u32At(bytes, kStreamLengthOffset) - 1);
    return *this;
  }
  Edit& append(std::uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
};

TEST(BrokenBlock, CorruptionsNameTheirFaultAndOffset) {
  struct Row {
    const char* name;
    Bytes bytes;
    BlockFault fault;
    std::size_t offset;
  };
  using F = BlockFault;
  // Offsets inside m's record (156): id 160, name 161, kind 165, rect code 166,
  // tab code 175, font code 178, font version 179, face count 189, 0xFF 194.
  // Inside Command1's (196): id 200, name 201, caption code 213, count 214, bytes 216, 0x00 220.
  // clang-format off
  const Row rows[] = {
    {"wrong marker",                        Edit().replace(1, 0xCC, 0xCD).bytes,                       F::BadMarker,                0},
    {"identifier group of 48",              Edit().replace(2, 49, 48).bytes,                           F::BadIdentifierGroupLength, 2},
    {"no controls counted",                 Edit().replace(4, 17, 0).bytes,                            F::BadControlCount,          4},
    {"count lower than the highest id",     Edit().replace(4, 17, 16).bytes,                           F::BadControlId,             kLabel9At + 4},
    {"count higher than the children",      Edit().replace(4, 17, 18).bytes,                           F::ControlCountMismatch,     4},
    {"other class identifier",              Edit().replace(37, 0x3A, 0x3B).bytes,                      F::UnknownClassId,           37},
    {"reserved byte set",                   Edit().replace(70, 0, 1).bytes,                            F::NonZeroReserved,          70},
    {"stream length one short",             Edit().setU32(89, 918).bytes,                              F::TrailingBytes,            1007},
    {"stream length one long",              Edit().setU32(89, 920).bytes,                              F::StreamPastEnd,            89},
    {"stream length below its own field",   Edit().setU32(89, 3).bytes,                                F::BadStreamLength,          89},
    {"byte after the block",                Edit().append(0).bytes,                                    F::TrailingBytes,            1008},
    {"record length one long",              Edit().replace(kMAt, 39, 40).bytes,                        F::RecordLengthMismatch,     195},
    {"record length one short",             Edit().replace(kMAt, 39, 38).bytes,                        F::MissingRecordEnd,         194},
    {"record length below its own field",   Edit().replace(kMAt, 39, 3).bytes,                         F::RecordLengthMismatch,     kMAt},
    {"record length past the stream",       Edit().setU32(kLabel1At, 80).bytes,                        F::RecordPastStream,         kLabel1At},
    {"huge record length",                  Edit().setU32(kMAt, 0xFFFFFFFF).bytes,                     F::RecordPastStream,         kMAt},
    {"text count past the record",          Edit().replace(214, 4, 40).bytes,                          F::RecordLengthMismatch,     216},
    {"face count past the record",          Edit().replace(189, 4, 6).bytes,                           F::RecordLengthMismatch,     190},
    {"unknown kind",                        Edit().replace(165, 2, 3).bytes,                           F::UnknownKind,              165},
    {"child of kind window",                Edit().replace(165, 2, 13).bytes,                          F::MisplacedKind,            165},
    {"window of kind label",                Edit().replace(kWindowAt + 13, 13, 1).bytes,               F::MisplacedKind,            kWindowAt + 13},
    {"label's rect code in a text box",     Edit().replace(166, 0x04, 0x05).bytes,                     F::UnknownProperty,          166},
    {"property code repeated",              Edit().replace(175, 0x12, 0x04).bytes,                     F::PropertyOrder,            175},
    {"closing 0xFF missing",                Edit().erase(194, 0xFF, kMAt).bytes,                       F::MissingRecordEnd,         194},
    {"0x01 after the window missing",       Edit().erase(kChildrenStartAt, 0x01).bytes,                F::MissingChildrenStart,     kChildrenStartAt},
    {"0x03 between children missing",       Edit().erase(195, 0x03).bytes,                             F::MissingChildSeparator,    195},
    {"0x02 after the last child missing",   Edit().erase(kLastChildAt, 0x02).bytes,                    F::MissingChildSeparator,    kLastChildAt},
    {"0x04 at the end missing",             Edit().erase(kStreamEndAt, 0x04).bytes,                    F::MissingStreamEnd,         kStreamEndAt},
    {"byte between 0x04 and the end",       Edit().append(0x04).setU32(89, 920).bytes,              F::TrailingBytes,            1008},
    {"duplicate control id",                Edit().replace(200, 10, 14).bytes,                         F::DuplicateControlId,       200},
    {"child id 0",                          Edit().replace(200, 10, 0).bytes,                          F::BadControlId,             200},
    {"window id 1",                         Edit().replace(kWindowAt + 4, 0, 1).bytes,                 F::BadControlId,             kWindowAt + 4},
    {"duplicate name",                      Edit().replace(163, 'm', 'n').bytes,                       F::DuplicateName,            kNAt + 5},
    {"text without its 0x00",               Edit().replace(220, 0x00, 0x20).bytes,                     F::UnterminatedText,         220},
    {"text outside code page 936",          Edit().replace(216, 0xBC, 0xFF).bytes,                     F::BadText,                  214},
    {"font version 2",                      Edit().replace(179, 1, 2).bytes,                           F::BadFontVersion,           179},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const BlockError error = readError(row.bytes);
    EXPECT_EQ(error.fault(), row.fault) << error.what();
    EXPECT_EQ(error.offset(), row.offset) << error.what();
  }
}

TEST(BrokenBlock, MessageNamesOffsetAndReason) {
  const BlockError error = readError(Edit().replace(165, 2, 3).bytes);
  EXPECT_STREQ(error.what(), "offset 165: unknown control kind: 3");
}

// ---------------------------------------------------------------- writer

// Descriptions the block can hold must come back from it unchanged, and
// writing what was read must give the same bytes again.
TEST(FormBlockWriter, RoundTrips) {
  struct Row {
    const char* name;
    std::function<void(FormDescription&)> change;
  };
  auto control = [](FormDescription& f, const char* name) -> ControlDescription& {
    for (ControlDescription& c : f.controls) {
      if (c.name == name) return c;
    }
    throw std::logic_error(name);
  };
  const Row rows[] = {
      {"Form1 as it is", [](FormDescription&) {}},
      {"empty title is left out", [](FormDescription& f) { f.title.clear(); }},
      {"empty window texts are still stored", [](FormDescription& f) { f.property19.clear(); f.property24.clear(); }},
      {"window extremes", [](FormDescription& f) {
         f.client = Rect{std::numeric_limits<std::int32_t>::min(), -1, 0, std::numeric_limits<std::int32_t>::max()};
         f.property23 = std::numeric_limits<std::int32_t>::min();
         f.placement = 255;
       }},
      {"16-bit extremes", [&](FormDescription& f) { control(f, "Q").rect = Rect{-32768, 32767, 0, -1}; }},
      {"no tab index", [&](FormDescription& f) { control(f, "B").tabIndex.reset(); }},
      {"negative tab index", [&](FormDescription& f) { control(f, "B").tabIndex = -32768; }},
      {"button without font", [&](FormDescription& f) { control(f, "Command1").font.reset(); }},
      {"other font values", [&](FormDescription& f) {
         control(f, "Label1").font = Font{"Courier", 0xFFFF, 0x07, 700, 0xFFFFFFFF};
       }},
      {"empty font face", [&](FormDescription& f) { control(f, "Label1").font = Font{"", 134, 0, 400, 1}; }},
      {"output label with a caption", [&](FormDescription& f) { control(f, "v").caption = "0.921022784049301"; }},
      {"line with negative ends", [&](FormDescription& f) { control(f, "Line1").line = LineEnds{-1, -2, -3, -4}; }},
      {"Chinese names", [&](FormDescription& f) { control(f, "m").name = "边坡"; f.name = "窗体"; }},
      {"longest caption", [&](FormDescription& f) { control(f, "Label1").caption = std::string(65535, 'x'); }},
      {"longest face", [&](FormDescription& f) {
         std::string face(127, 'x');
         for (int k = 0; k < 32; ++k) face += "宋体";  // 4 bytes each in code page 936: 255 in all
         control(f, "Label1").font->face = face;
       }},
      {"one control", [](FormDescription& f) {
         f.controls.resize(1);
         f.controls[0].id = 1;
       }},
      {"255 controls", [](FormDescription& f) {
         f.controls.clear();
         for (int id = 1; id <= 255; ++id) {
           ControlDescription c;
           c.id = static_cast<std::uint8_t>(id);
           c.name = "c" + std::to_string(id);
           c.kind = id % 2 == 0 ? ControlKind::TextBox : ControlKind::Label;
           f.controls.push_back(c);
         }
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FormDescription form = form1Description();
    row.change(form);
    const Bytes written = writeFormBlock(form);
    const FormDescription read = readFormBlock(written);
    EXPECT_EQ(read, form);
    EXPECT_EQ(writeFormBlock(read), written);
  }
}

TEST(FormBlockWriter, RefusesWhatTheBlockCannotHold) {
  struct Row {
    const char* name;
    std::function<void(FormDescription&)> change;
  };
  auto at = [](FormDescription& f, std::size_t storedIndex) -> ControlDescription& { return f.controls.at(storedIndex); };
  // Stored order: 0 m, 1 Command1, 2 n, ..., 6 Label9, 11 Line1, 16 Label1.
  const Row rows[] = {
      {"no controls", [](FormDescription& f) { f.controls.clear(); }},
      {"256 controls", [](FormDescription& f) { f.controls.resize(256); }},
      {"id 0", [&](FormDescription& f) { at(f, 0).id = 0; }},
      {"id above the count", [&](FormDescription& f) { at(f, 0).id = 18; }},
      {"id twice", [&](FormDescription& f) { at(f, 0).id = at(f, 1).id; }},
      {"empty window name", [](FormDescription& f) { f.name.clear(); }},
      {"empty control name", [&](FormDescription& f) { at(f, 0).name.clear(); }},
      {"name twice", [&](FormDescription& f) { at(f, 0).name = "n"; }},
      {"child named like the window", [&](FormDescription& f) { at(f, 0).name = "Form1"; }},
      {"child of kind window", [&](FormDescription& f) { at(f, 0).kind = ControlKind::Window; }},
      {"kind outside the enumeration", [&](FormDescription& f) { at(f, 0).kind = static_cast<ControlKind>(3); }},
      {"text in a text box", [&](FormDescription& f) { at(f, 0).caption = "1"; }},
      {"rectangle on a line", [&](FormDescription& f) { at(f, 11).rect.width = 1; }},
      {"font on a line", [&](FormDescription& f) { at(f, 11).font = fontFor(FontChoice::SimSun12); }},
      {"tab index on a line", [&](FormDescription& f) { at(f, 11).tabIndex = 0; }},
      {"line ends on a label", [&](FormDescription& f) { at(f, 16).line.x2 = 1; }},
      {"left beyond 16 bits", [&](FormDescription& f) { at(f, 16).rect.left = 32768; }},
      {"height below 16 bits", [&](FormDescription& f) { at(f, 16).rect.height = -32769; }},
      {"caption outside code page 936", [&](FormDescription& f) { at(f, 16).caption = "😀"; }},
      {"caption not UTF-8", [&](FormDescription& f) { at(f, 16).caption = "\xC0"; }},
      {"caption too long", [&](FormDescription& f) { at(f, 16).caption = std::string(65536, 'x'); }},
      {"face too long", [&](FormDescription& f) { at(f, 16).font->face = std::string(256, 'x'); }},
      {"title outside code page 936", [](FormDescription& f) { f.title = "😀"; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FormDescription form = form1Description();
    row.change(form);
    try {
      writeFormBlock(form);
      ADD_FAILURE() << "written";
    } catch (const BlockError& error) {
      EXPECT_EQ(error.fault(), BlockFault::NotRepresentable) << error.what();
    }
  }
}

}  // namespace
