// The window as data: the form and its controls, with every attribute the
// runtime needs to build them. Positions and sizes are in twips (1440 to the
// inch). Texts are UTF-8 here; the stored block keeps them in code page 936.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace channelflow::window {

// Kind codes as they appear in the stored block.
enum class ControlKind : std::uint8_t {
  Label = 1,
  TextBox = 2,
  CommandButton = 4,
  Window = 13,
  Line = 23,
};

// A GUID in its stored byte order: first group as u32, next two as u16, all
// little-endian, then the last eight bytes as written.
using Guid = std::array<std::uint8_t, 16>;

struct Font {
  std::string face;             // UTF-8
  std::uint16_t charset = 134;  // GB2312
  std::uint8_t style = 0;       // bit 0 italic, bit 1 underline, bit 2 strike-through
  std::uint16_t weight = 400;
  std::uint32_t size = 0;       // ten-thousandths of a point: 105000 is 10.5 pt

  bool operator==(const Font&) const = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;

  bool operator==(const Rect&) const = default;
};

struct LineEnds {
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;

  bool operator==(const LineEnds&) const = default;
};

struct ControlDescription {
  std::uint8_t id = 0;
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string caption;                 // empty for text boxes and the output labels
  Rect rect;                           // every kind but Line
  LineEnds line;                       // Line only
  std::optional<Font> font;            // empty: the window's own font
  std::optional<std::int16_t> tabIndex;  // empty for Line, which takes no tab index

  bool operator==(const ControlDescription&) const = default;
};

struct FormDescription {
  std::string name;             // "Form1"
  std::string title;            // title bar text
  Rect client;                  // left and top of the placement, client width and height
  std::uint8_t placement = 3;   // 3: where the system places new windows
  std::string property19;       // carried through the block; nothing relies on it
  std::int32_t property23 = -1; // carried through the block; nothing relies on it
  std::string property24;       // carried through the block; nothing relies on it
  Guid objectId{};
  Guid secondObjectId{};
  std::vector<ControlDescription> controls;  // in stored order

  const ControlDescription* find(std::string_view controlName) const;

  bool operator==(const FormDescription&) const = default;
};

}  // namespace channelflow::window
