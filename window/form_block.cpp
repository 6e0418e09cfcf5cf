#include "window/form_block.h"

#include "window/byte_cursor.h"
#include "window/cp936.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace channelflow::window {

namespace {

constexpr std::uint8_t kMarker0 = 0xFF;
constexpr std::uint8_t kMarker1 = 0xCC;
constexpr std::uint16_t kIdentifierGroupLength = 49;
constexpr std::size_t kReservedZeros = 36;
constexpr std::uint8_t kChildrenStart = 0x01;
constexpr std::uint8_t kLastChild = 0x02;
constexpr std::uint8_t kNextChild = 0x03;
constexpr std::uint8_t kStreamEnd = 0x04;
constexpr std::uint8_t kRecordEnd = 0xFF;
constexpr std::uint8_t kFontVersion = 1;

// What a property code stands for. The value's encoding follows from the field.
enum class Field : std::uint8_t {
  Caption,     // text; the window's title
  Property19,  // text
  Property23,  // i32
  Property24,  // text
  Client,      // 4 x i32: the window's left, top, width, height
  Placement,   // u8
  Rect,        // 4 x i16: a child's left, top, width, height
  TabIndex,    // i16
  Font,        // font value
  X1,          // i32 each
  Y1,
  X2,
  Y2,
};

struct PropertyRow {
  ControlKind kind;
  std::uint8_t code;
  Field field;
};

// Property codes belong to the kind; the same code means different things for
// different kinds. Rows of one kind stand in ascending code order, which is the
// order the writer follows.
// clang-format off
constexpr std::array<PropertyRow, 21> kProperties{{
  {ControlKind::Window,        0x01, Field::Caption},
  {ControlKind::Window,        0x19, Field::Property19},
  {ControlKind::Window,        0x23, Field::Property23},
  {ControlKind::Window,        0x24, Field::Property24},
  {ControlKind::Window,        0x35, Field::Client},
  {ControlKind::Window,        0x46, Field::Placement},
  {ControlKind::Label,         0x01, Field::Caption},
  {ControlKind::Label,         0x05, Field::Rect},
  {ControlKind::Label,         0x12, Field::TabIndex},
  {ControlKind::Label,         0x25, Field::Font},
  {ControlKind::TextBox,       0x04, Field::Rect},
  {ControlKind::TextBox,       0x12, Field::TabIndex},
  {ControlKind::TextBox,       0x2E, Field::Font},
  {ControlKind::CommandButton, 0x01, Field::Caption},
  {ControlKind::CommandButton, 0x04, Field::Rect},
  {ControlKind::CommandButton, 0x11, Field::TabIndex},
  {ControlKind::CommandButton, 0x1D, Field::Font},
  {ControlKind::Line,          0x03, Field::X1},
  {ControlKind::Line,          0x04, Field::Y1},
  {ControlKind::Line,          0x05, Field::X2},
  {ControlKind::Line,          0x06, Field::Y2},
}};
// clang-format on

constexpr bool codesAscendWithinKind() {
  for (std::size_t a = 0; a < kProperties.size(); ++a) {
    for (std::size_t b = a + 1; b < kProperties.size(); ++b) {
      if (kProperties[a].kind == kProperties[b].kind && kProperties[a].code >= kProperties[b].code) return false;
    }
    if (kProperties[a].code == kRecordEnd) return false;
  }
  return true;
}
static_assert(codesAscendWithinKind(), "property codes of a kind must ascend and never be the record end");

const PropertyRow* findProperty(ControlKind kind, std::uint8_t code) {
  for (const PropertyRow& row : kProperties) {
    if (row.kind == kind && row.code == code) return &row;
  }
  return nullptr;
}

bool hasField(ControlKind kind, Field field) {
  return std::any_of(kProperties.begin(), kProperties.end(),
                     [&](const PropertyRow& row) { return row.kind == kind && row.field == field; });
}

std::optional<ControlKind> kindFromByte(std::uint8_t value) {
  switch (value) {
    case static_cast<std::uint8_t>(ControlKind::Label): return ControlKind::Label;
    case static_cast<std::uint8_t>(ControlKind::TextBox): return ControlKind::TextBox;
    case static_cast<std::uint8_t>(ControlKind::CommandButton): return ControlKind::CommandButton;
    case static_cast<std::uint8_t>(ControlKind::Window): return ControlKind::Window;
    case static_cast<std::uint8_t>(ControlKind::Line): return ControlKind::Line;
    default: return std::nullopt;
  }
}

// One record as stored. For the window, control.caption holds the title and
// control.rect the client area; the remaining members exist only for the window.
struct Record {
  ControlDescription control;
  std::string property19;
  std::int32_t property23 = FormDescription{}.property23;
  std::string property24;
  std::uint8_t placement = FormDescription{}.placement;
};

std::string_view asChars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// ---------------------------------------------------------------- writing

[[noreturn]] void cannotStore(const ByteWriter& out, std::string_view what) {
  throw BlockError(BlockFault::NotRepresentable, out.offset(), what);
}

std::string encode(const ByteWriter& out, std::string_view utf8, std::string_view what) {
  std::optional<std::string> bytes = utf8ToCp936(utf8);
  if (!bytes) cannotStore(out, std::string(what) + " has a character outside code page 936");
  return std::move(*bytes);
}

void writeText(ByteWriter& out, std::string_view utf8, std::string_view what) {
  const std::string bytes = encode(out, utf8, what);
  if (bytes.size() > std::numeric_limits<std::uint16_t>::max()) cannotStore(out, std::string(what) + " is too long");
  out.u16(static_cast<std::uint16_t>(bytes.size()));
  out.bytes(bytes);
  out.u8(0);
}

void writeFont(ByteWriter& out, const Font& font, std::string_view what) {
  const std::string face = encode(out, font.face, what);
  if (face.size() > std::numeric_limits<std::uint8_t>::max()) cannotStore(out, std::string(what) + " is too long");
  out.u8(kFontVersion);
  out.u16(font.charset);
  out.u8(font.style);
  out.u16(font.weight);
  out.u32(font.size);
  out.u8(static_cast<std::uint8_t>(face.size()));
  out.bytes(face);
}

void writeI16(ByteWriter& out, std::int32_t value, std::string_view what) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    cannotStore(out, std::string(what) + " is outside the 16-bit range");
  }
  out.i16(static_cast<std::int16_t>(value));
}

// Writes one property, unless it holds a value that is left out when empty.
void writeProperty(ByteWriter& out, const PropertyRow& row, const Record& record) {
  const ControlDescription& control = record.control;
  const std::string& name = control.name;
  switch (row.field) {
    case Field::Caption:
      if (control.caption.empty()) return;
      out.u8(row.code);
      writeText(out, control.caption, "caption of " + name);
      return;
    case Field::Property19:
      out.u8(row.code);
      writeText(out, record.property19, "property 0x19 of " + name);
      return;
    case Field::Property23:
      out.u8(row.code);
      out.i32(record.property23);
      return;
    case Field::Property24:
      out.u8(row.code);
      writeText(out, record.property24, "property 0x24 of " + name);
      return;
    case Field::Client:
      out.u8(row.code);
      out.i32(control.rect.left);
      out.i32(control.rect.top);
      out.i32(control.rect.width);
      out.i32(control.rect.height);
      return;
    case Field::Placement:
      out.u8(row.code);
      out.u8(record.placement);
      return;
    case Field::Rect:
      out.u8(row.code);
      writeI16(out, control.rect.left, "left of " + name);
      writeI16(out, control.rect.top, "top of " + name);
      writeI16(out, control.rect.width, "width of " + name);
      writeI16(out, control.rect.height, "height of " + name);
      return;
    case Field::TabIndex:
      if (!control.tabIndex) return;
      out.u8(row.code);
      out.i16(*control.tabIndex);
      return;
    case Field::Font:
      if (!control.font) return;
      out.u8(row.code);
      writeFont(out, *control.font, "font face of " + name);
      return;
    case Field::X1: out.u8(row.code); out.i32(control.line.x1); return;
    case Field::Y1: out.u8(row.code); out.i32(control.line.y1); return;
    case Field::X2: out.u8(row.code); out.i32(control.line.x2); return;
    case Field::Y2: out.u8(row.code); out.i32(control.line.y2); return;
  }
}

void writeRecord(ByteWriter& out, const Record& record) {
  const std::size_t start = out.offset();
  out.u32(0);  // patched below
  out.u8(record.control.id);
  writeText(out, record.control.name, "name of control " + std::to_string(record.control.id));
  out.u8(static_cast<std::uint8_t>(record.control.kind));
  for (const PropertyRow& row : kProperties) {
    if (row.kind == record.control.kind) writeProperty(out, row, record);
  }
  out.u8(kRecordEnd);
  out.patchU32(start, static_cast<std::uint32_t>(out.offset() - start));
}

// A child's value that its kind has no property for would be lost on the way
// through the block, so the writer refuses it.
void checkStorable(const ByteWriter& out, const ControlDescription& control) {
  const ControlKind kind = control.kind;
  const std::string& name = control.name;
  if (!kindFromByte(static_cast<std::uint8_t>(kind)) || kind == ControlKind::Window) {
    cannotStore(out, "control " + name + " has a kind that a child cannot have");
  }
  if (!control.caption.empty() && !hasField(kind, Field::Caption)) cannotStore(out, name + " cannot store a caption");
  if (control.rect != Rect{} && !hasField(kind, Field::Rect)) cannotStore(out, name + " cannot store a rectangle");
  if (control.line != LineEnds{} && !hasField(kind, Field::X1)) cannotStore(out, name + " cannot store line ends");
  if (control.font && !hasField(kind, Field::Font)) cannotStore(out, name + " cannot store a font");
  if (control.tabIndex && !hasField(kind, Field::TabIndex)) cannotStore(out, name + " cannot store a tab index");
}

void checkIdsAndNames(const ByteWriter& out, const FormDescription& form) {
  const std::size_t count = form.controls.size();
  if (count == 0 || count > std::numeric_limits<std::uint8_t>::max()) {
    cannotStore(out, "a window holds 1 to 255 controls, not " + std::to_string(count));
  }
  if (form.name.empty()) cannotStore(out, "the window has no name");
  std::bitset<256> seenIds;
  std::set<std::string_view> seenNames{form.name};
  for (const ControlDescription& control : form.controls) {
    if (control.id == 0 || control.id > count || seenIds[control.id]) {
      cannotStore(out, "control ids must be 1 to " + std::to_string(count) + ", each once; " + control.name + " has " +
                           std::to_string(control.id));
    }
    seenIds[control.id] = true;
    if (control.name.empty()) cannotStore(out, "control " + std::to_string(control.id) + " has no name");
    if (!seenNames.insert(control.name).second) cannotStore(out, "the name " + control.name + " is used twice");
  }
}

// ---------------------------------------------------------------- reading

std::string readText(ByteReader& in) {
  const std::size_t at = in.offset();
  const std::uint16_t count = in.u16();
  const std::span<const std::uint8_t> bytes = in.bytes(count);
  const std::size_t terminatorAt = in.offset();
  if (in.u8() != 0) throw BlockError(BlockFault::UnterminatedText, terminatorAt);
  std::optional<std::string> utf8 = cp936ToUtf8(asChars(bytes));
  if (!utf8) throw BlockError(BlockFault::BadText, at);
  return std::move(*utf8);
}

Font readFont(ByteReader& in) {
  const std::size_t versionAt = in.offset();
  if (in.u8() != kFontVersion) throw BlockError(BlockFault::BadFontVersion, versionAt);
  Font font;
  font.charset = in.u16();
  font.style = in.u8();
  font.weight = in.u16();
  font.size = in.u32();
  const std::size_t faceAt = in.offset();
  const std::uint8_t count = in.u8();
  std::optional<std::string> face = cp936ToUtf8(asChars(in.bytes(count)));
  if (!face) throw BlockError(BlockFault::BadText, faceAt);
  font.face = std::move(*face);
  return font;
}

void readProperty(ByteReader& in, Field field, Record& record) {
  ControlDescription& control = record.control;
  switch (field) {
    case Field::Caption: control.caption = readText(in); return;
    case Field::Property19: record.property19 = readText(in); return;
    case Field::Property23: record.property23 = in.i32(); return;
    case Field::Property24: record.property24 = readText(in); return;
    case Field::Client:
      control.rect.left = in.i32();
      control.rect.top = in.i32();
      control.rect.width = in.i32();
      control.rect.height = in.i32();
      return;
    case Field::Placement: record.placement = in.u8(); return;
    case Field::Rect:
      control.rect.left = in.i16();
      control.rect.top = in.i16();
      control.rect.width = in.i16();
      control.rect.height = in.i16();
      return;
    case Field::TabIndex: control.tabIndex = in.i16(); return;
    case Field::Font: control.font = readFont(in); return;
    case Field::X1: control.line.x1 = in.i32(); return;
    case Field::Y1: control.line.y1 = in.i32(); return;
    case Field::X2: control.line.x2 = in.i32(); return;
    case Field::Y2: control.line.y2 = in.i32(); return;
  }
}

// What the stream reader has seen so far, for the checks that span records.
struct StreamState {
  std::uint8_t controlCount = 0;
  std::bitset<256> seenIds;
  std::set<std::string> seenNames;
  std::vector<RecordSpan>* spans = nullptr;
};

Record readRecord(ByteReader& in, bool isWindow, StreamState& state) {
  const std::size_t start = in.offset();
  const std::uint32_t length = in.u32();
  if (length < 4) throw BlockError(BlockFault::RecordLengthMismatch, start);
  if (length - 4u > in.remaining()) throw BlockError(BlockFault::RecordPastStream, start);
  ByteReader body = in.slice(length - 4u, BlockFault::RecordLengthMismatch);

  Record record;
  ControlDescription& control = record.control;

  const std::size_t idAt = body.offset();
  control.id = body.u8();
  if (isWindow ? control.id != 0 : (control.id == 0 || control.id > state.controlCount)) {
    throw BlockError(BlockFault::BadControlId, idAt, std::to_string(control.id));
  }
  if (state.seenIds[control.id]) throw BlockError(BlockFault::DuplicateControlId, idAt, std::to_string(control.id));
  state.seenIds[control.id] = true;

  const std::size_t nameAt = body.offset();
  control.name = readText(body);
  if (control.name.empty()) throw BlockError(BlockFault::EmptyName, nameAt);
  if (!state.seenNames.insert(control.name).second) throw BlockError(BlockFault::DuplicateName, nameAt, control.name);

  const std::size_t kindAt = body.offset();
  const std::uint8_t kindByte = body.u8();
  const std::optional<ControlKind> kind = kindFromByte(kindByte);
  if (!kind) throw BlockError(BlockFault::UnknownKind, kindAt, std::to_string(kindByte));
  if ((*kind == ControlKind::Window) != isWindow) {
    throw BlockError(BlockFault::MisplacedKind, kindAt, std::to_string(kindByte));
  }
  control.kind = *kind;

  int previousCode = -1;
  for (;;) {
    if (body.atEnd()) throw BlockError(BlockFault::MissingRecordEnd, body.offset());
    const std::size_t codeAt = body.offset();
    const std::uint8_t code = body.u8();
    if (code == kRecordEnd) break;
    const PropertyRow* row = findProperty(control.kind, code);
    if (row == nullptr) throw BlockError(BlockFault::UnknownProperty, codeAt, std::to_string(code));
    if (code <= previousCode) throw BlockError(BlockFault::PropertyOrder, codeAt, std::to_string(code));
    previousCode = code;
    readProperty(body, row->field, record);
  }
  if (!body.atEnd()) throw BlockError(BlockFault::RecordLengthMismatch, body.offset());
  in.skip(length - 4u);
  if (state.spans != nullptr) state.spans->push_back(RecordSpan{start, length});
  return record;
}

Guid readGuid(ByteReader& in) {
  Guid guid{};
  const std::span<const std::uint8_t> bytes = in.bytes(guid.size());
  std::copy(bytes.begin(), bytes.end(), guid.begin());
  return guid;
}

}  // namespace

std::vector<std::uint8_t> writeFormBlock(const FormDescription& form) {
  ByteWriter out;
  checkIdsAndNames(out, form);
  for (const ControlDescription& control : form.controls) checkStorable(out, control);

  out.u8(kMarker0);
  out.u8(kMarker1);
  out.u16(kIdentifierGroupLength);
  out.u8(static_cast<std::uint8_t>(form.controls.size()));
  out.bytes(form.objectId);
  out.bytes(form.secondObjectId);
  out.bytes(kStandardWindowClassId);
  out.zeros(kReservedZeros);
  const std::size_t streamStart = out.offset();
  out.u32(0);  // patched below

  Record window;
  window.control.name = form.name;
  window.control.kind = ControlKind::Window;
  window.control.caption = form.title;
  window.control.rect = form.client;
  window.property19 = form.property19;
  window.property23 = form.property23;
  window.property24 = form.property24;
  window.placement = form.placement;
  writeRecord(out, window);

  out.u8(kChildrenStart);
  for (std::size_t k = 0; k < form.controls.size(); ++k) {
    Record child;
    child.control = form.controls[k];
    writeRecord(out, child);
    out.u8(k + 1 < form.controls.size() ? kNextChild : kLastChild);
  }
  out.u8(kStreamEnd);
  out.patchU32(streamStart, static_cast<std::uint32_t>(out.offset() - streamStart));
  return out.take();
}

FormDescription readFormBlock(std::span<const std::uint8_t> block, std::vector<RecordSpan>* records) {
  ByteReader in(block);
  if (in.u8() != kMarker0 || in.u8() != kMarker1) throw BlockError(BlockFault::BadMarker, 0);
  const std::size_t groupLengthAt = in.offset();
  if (in.u16() != kIdentifierGroupLength) throw BlockError(BlockFault::BadIdentifierGroupLength, groupLengthAt);

  std::vector<RecordSpan> spans;
  StreamState state;
  state.spans = &spans;
  const std::size_t countAt = in.offset();
  state.controlCount = in.u8();
  if (state.controlCount == 0) throw BlockError(BlockFault::BadControlCount, countAt);

  FormDescription form;
  form.objectId = readGuid(in);
  form.secondObjectId = readGuid(in);
  const std::size_t classAt = in.offset();
  if (readGuid(in) != kStandardWindowClassId) throw BlockError(BlockFault::UnknownClassId, classAt);
  for (std::size_t k = 0; k < kReservedZeros; ++k) {
    const std::size_t at = in.offset();
    if (in.u8() != 0) throw BlockError(BlockFault::NonZeroReserved, at);
  }

  // The stream runs from its length field to the end of the block, exactly.
  const std::size_t streamStart = in.offset();
  const std::uint32_t streamLength = in.u32();
  if (streamLength < 4) throw BlockError(BlockFault::BadStreamLength, streamStart);
  if (streamLength - 4u > in.remaining()) throw BlockError(BlockFault::StreamPastEnd, streamStart);
  if (streamLength - 4u < in.remaining()) throw BlockError(BlockFault::TrailingBytes, streamStart + streamLength);

  const Record window = readRecord(in, true, state);
  form.name = window.control.name;
  form.title = window.control.caption;
  form.client = window.control.rect;
  form.property19 = window.property19;
  form.property23 = window.property23;
  form.property24 = window.property24;
  form.placement = window.placement;

  const std::size_t childrenAt = in.offset();
  if (in.atEnd() || in.u8() != kChildrenStart) throw BlockError(BlockFault::MissingChildrenStart, childrenAt);
  for (;;) {
    form.controls.push_back(readRecord(in, false, state).control);
    const std::size_t separatorAt = in.offset();
    if (in.atEnd()) throw BlockError(BlockFault::MissingChildSeparator, separatorAt);
    const std::uint8_t separator = in.u8();
    if (separator == kLastChild) break;
    if (separator != kNextChild) throw BlockError(BlockFault::MissingChildSeparator, separatorAt);
  }
  const std::size_t endAt = in.offset();
  if (in.atEnd() || in.u8() != kStreamEnd) throw BlockError(BlockFault::MissingStreamEnd, endAt);
  if (!in.atEnd()) throw BlockError(BlockFault::TrailingBytes, in.offset());
  if (form.controls.size() != state.controlCount) {
    throw BlockError(BlockFault::ControlCountMismatch, countAt,
                     std::to_string(state.controlCount) + " counted, " + std::to_string(form.controls.size()) +
                         " stored");
  }
  if (records != nullptr) *records = std::move(spans);
  return form;
}

}  // namespace channelflow::window
