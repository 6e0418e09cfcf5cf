// The main window, Form1, as one table of plain rows. Everything the window
// shows comes from here: the stored description block is written from it, and
// the tests use it as the reference for what the window must look like.
#pragma once

#include "window/form_description.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace channelflow::window {

enum class FontChoice : std::uint8_t { WindowDefault, SimSun10_5, SimSun12 };

struct ControlRow {
  std::uint8_t id;
  std::string_view name;
  ControlKind kind;
  std::string_view caption;  // UTF-8
  // Left, top, width, height in twips; for a line: x1, y1, x2, y2.
  std::int32_t a, b, c, d;
  FontChoice font;
  std::int16_t tabIndex;  // -1: the control takes no tab index
};

inline constexpr std::string_view kSimSunFace = "宋体";
inline constexpr std::uint32_t kSize10_5 = 105000;
inline constexpr std::uint32_t kSize12 = 120000;

// clang-format off
inline constexpr std::array<ControlRow, 17> kForm1Controls{{
  // id name        kind                        caption                              left/x1 top/y1 width/x2 height/y2  font                     tab
  { 1, "Label1",   ControlKind::Label,         "梯形Quelvantoris(线性尺寸为m)",      720,  120, 3495,  375, FontChoice::SimSun12,      0},
  { 2, "label2",   ControlKind::Label,         "下底宽",                              240,  600,  735,  375, FontChoice::SimSun12,      1},
  { 3, "Label3",   ControlKind::Label,         "水  深",                              240, 1200,  735,  375, FontChoice::SimSun12,      2},
  { 4, "Label4",   ControlKind::Label,         "渠底坡度",                            240, 2520,  855,  375, FontChoice::SimSun10_5,    3},
  { 5, "Label5",   ControlKind::Label,         "池壁粗糙系数",                        240, 3000,  855,  615, FontChoice::SimSun12,      4},
  { 6, "B",        ControlKind::TextBox,       "",                                   1440,  600,  975,  375, FontChoice::SimSun10_5,    5},
  { 7, "h",        ControlKind::TextBox,       "",                                   1440, 1200,  975,  375, FontChoice::SimSun10_5,    6},
  { 8, "i",        ControlKind::TextBox,       "",                                   1440, 2400,  975,  375, FontChoice::SimSun10_5,    7},
  { 9, "n",        ControlKind::TextBox,       "",                                   1440, 3120,  975,  375, FontChoice::SimSun10_5,    8},
  {10, "Command1", ControlKind::CommandButton, "计算",                               2880,  600, 1575,  495, FontChoice::SimSun12,      9},
  {12, "Q",        ControlKind::Label,         "",                                   2880, 2160, 1575,  375, FontChoice::SimSun10_5,   10},
  {13, "Label6",   ControlKind::Label,         "沟侧边坡水平宽度与深度之比",          120, 1800, 1095,  615, FontChoice::WindowDefault, 11},
  {14, "m",        ControlKind::TextBox,       "",                                   1440, 1800,  975,  375, FontChoice::SimSun10_5,   12},
  {15, "v",        ControlKind::Label,         "",                                   2880, 3240, 1575,  255, FontChoice::SimSun10_5,   13},
  {16, "Label8",   ControlKind::Label,         "流速(m/s)",                          2880, 2760, 1575,  255, FontChoice::SimSun10_5,   14},
  {17, "Label9",   ControlKind::Label,         "流量m3/s",                           2880, 1680, 1575,  255, FontChoice::SimSun10_5,   15},
  {11, "Line1",    ControlKind::Line,          "",                                   2640,  600, 2640, 3600, FontChoice::WindowDefault, -1},
}};
// clang-format on

// Ids of the children in the order the description block stores them.
inline constexpr std::array<std::uint8_t, 17> kForm1StoredOrder{
    14, 10, 9, 8, 7, 6, 17, 16, 15, 13, 12, 11, 5, 4, 3, 2, 1};

// The window itself.
inline constexpr std::string_view kForm1Name = "Form1";
inline constexpr std::string_view kForm1Title = "Form1";
inline constexpr Rect kForm1Client{60, 345, 4710, 3765};
inline constexpr std::uint8_t kForm1Placement = 3;

// Identifiers generated once for this window and never changed:
// {A0699FCB-ACAB-488D-B4B5-40FC4043FC76} and {DA180D3A-6C68-4396-8DEF-05E001908D56}.
inline constexpr Guid kForm1ObjectId{0xCB, 0x9F, 0x69, 0xA0, 0xAB, 0xAC, 0x8D, 0x48,
                                     0xB4, 0xB5, 0x40, 0xFC, 0x40, 0x43, 0xFC, 0x76};
inline constexpr Guid kForm1SecondObjectId{0x3A, 0x0D, 0x18, 0xDA, 0x68, 0x6C, 0x96, 0x43,
                                           0x8D, 0xEF, 0x05, 0xE0, 0x01, 0x90, 0x8D, 0x56};

constexpr bool idsAreOneToSeventeen() {
  std::array<bool, 18> seen{};
  for (const ControlRow& row : kForm1Controls) {
    if (row.id < 1 || row.id > 17 || seen[row.id]) return false;
    seen[row.id] = true;
  }
  for (std::uint8_t id : kForm1StoredOrder) {
    if (id < 1 || id > 17 || !seen[id]) return false;
    seen[id] = false;
  }
  return true;
}
static_assert(idsAreOneToSeventeen(), "every control id 1..17 appears once in the table and once in the stored order");

// Names that screen readers announce for the inputs and outputs; the stored
// block has no room for them, so they stay beside the table.
struct AccessibleName {
  std::string_view control;
  std::string_view name;
};
inline constexpr std::array<AccessibleName, 7> kForm1AccessibleNames{{
    {"B", "下底宽 B（米）"},
    {"h", "水深 h（米）"},
    {"m", "边坡系数 m"},
    {"i", "渠底坡度 i"},
    {"n", "粗糙系数 n"},
    {"Q", "流量 Q（立方米每秒）"},
    {"v", "流速 v（米每秒）"},
}};

// The accessible name of a control, or an empty view when it has none.
constexpr std::string_view accessibleNameOf(std::string_view control) {
  for (const AccessibleName& entry : kForm1AccessibleNames) {
    if (entry.control == control) return entry.name;
  }
  return {};
}

// Font of a table row, or none for the window's own font.
std::optional<Font> fontFor(FontChoice choice);

// The whole window as a description, children in stored order.
FormDescription form1Description();

}  // namespace channelflow::window
