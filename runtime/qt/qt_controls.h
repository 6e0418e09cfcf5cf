// Qt widgets for the kinds of control a window description holds.
#pragma once

#include "window/form_description.h"

#include <QFont>
#include <QWidget>

namespace channelflow::runtime::qt {

// 1440 twips make an inch and Qt lays out in device-independent pixels of
// 1/96 inch, so 15 twips make one; Qt scales for high-DPI screens itself.
constexpr int twipsToPixels(std::int32_t twips) { return static_cast<int>(twips / 15); }

// What a Chinese Windows system gives a window whose font is not set; the
// window's own font, used by the controls stored without one.
inline const window::Font kWindowFont{"宋体", 134, 0, 400, 90000};

// The font of a description: the stored face first, then faces Debian ships
// for the same Song style, at exactly the stored size.
QFont fontFor(const window::Font& font);

// A straight line between two points of its parent, in the window-text colour.
class LineWidget final : public QWidget {
 public:
  LineWidget(const window::LineEnds& ends, QWidget* parent);

  QPoint start() const { return start_; }
  QPoint end() const { return end_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPoint start_;
  QPoint end_;
};

// Creates the widget for one control as a child of `form`.
QWidget* createControl(const window::ControlDescription& control, QWidget* form);

}  // namespace channelflow::runtime::qt
