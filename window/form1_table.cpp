#include "window/form1_table.h"

namespace channelflow::window {

std::optional<Font> fontFor(FontChoice choice) {
  switch (choice) {
    case FontChoice::SimSun10_5: return Font{std::string(kSimSunFace), 134, 0, 400, kSize10_5};
    case FontChoice::SimSun12: return Font{std::string(kSimSunFace), 134, 0, 400, kSize12};
    case FontChoice::WindowDefault: break;
  }
  return std::nullopt;
}

namespace {

const ControlRow& rowWithId(std::uint8_t id) {
  for (const ControlRow& row : kForm1Controls) {
    if (row.id == id) return row;
  }
  return kForm1Controls.front();  // unreachable: the static_assert covers every id
}

ControlDescription describe(const ControlRow& row) {
  ControlDescription control;
  control.id = row.id;
  control.name = std::string(row.name);
  control.kind = row.kind;
  control.caption = std::string(row.caption);
  if (row.kind == ControlKind::Line) {
    control.line = LineEnds{row.a, row.b, row.c, row.d};
  } else {
    control.rect = Rect{row.a, row.b, row.c, row.d};
  }
  control.font = fontFor(row.font);
  if (row.tabIndex >= 0) control.tabIndex = row.tabIndex;
  return control;
}

}  // namespace

FormDescription form1Description() {
  FormDescription form;
  form.name = std::string(kForm1Name);
  form.title = std::string(kForm1Title);
  form.client = kForm1Client;
  form.placement = kForm1Placement;
  form.property19 = "B";
  form.property23 = -1;
  form.property24 = "Form1";
  form.objectId = kForm1ObjectId;
  form.secondObjectId = kForm1SecondObjectId;
  form.controls.reserve(kForm1StoredOrder.size());
  for (std::uint8_t id : kForm1StoredOrder) form.controls.push_back(describe(rowWithId(id)));
  return form;
}

}  // namespace channelflow::window
