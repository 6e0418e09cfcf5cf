#include "runtime/qt/qt_controls.h"

#include "runtime/qt/result_label.h"
#include "window/form1_table.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace channelflow::runtime::qt {

QFont fontFor(const window::Font& font) {
  QFont qfont;
  qfont.setFamilies({QString::fromStdString(font.face), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                     QStringLiteral("Noto Serif CJK SC")});
  qfont.setPointSizeF(font.size / 10000.0);
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(font.weight) / 10 * 10, 100, 900)));
  qfont.setItalic((font.style & 1) != 0);
  qfont.setUnderline((font.style & 2) != 0);
  qfont.setStrikeOut((font.style & 4) != 0);
  return qfont;
}

LineWidget::LineWidget(const window::LineEnds& ends, QWidget* parent) : QWidget(parent) {
  const QPoint a(twipsToPixels(ends.x1), twipsToPixels(ends.y1));
  const QPoint b(twipsToPixels(ends.x2), twipsToPixels(ends.y2));
  const QRect box = QRect(a, b).normalized().adjusted(0, 0, 1, 1);  // a vertical line is one pixel wide
  setGeometry(box);
  start_ = a - box.topLeft();
  end_ = b - box.topLeft();
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  painter.drawLine(start_, end_);
}

namespace {

QRect geometryOf(const window::Rect& rect) {
  return QRect(twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
               twipsToPixels(rect.height));
}

QWidget* createWidget(const window::ControlDescription& control, QWidget* form) {
  const QString caption = QString::fromStdString(control.caption);
  switch (control.kind) {
    case window::ControlKind::Label: {
      // The labels stored without a caption are the ones results are written into.
      if (caption.isEmpty()) return new ResultLabel(form);
      auto* label = new QLabel(caption, form);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setFocusPolicy(Qt::NoFocus);
      label->setTextInteractionFlags(Qt::NoTextInteraction);
      return label;
    }
    case window::ControlKind::TextBox: {
      auto* box = new QLineEdit(caption, form);
      box->setFocusPolicy(Qt::StrongFocus);
      // Pasted text of any length reaches the calculation whole, rather than
      // cut silently at Qt's default of 32767 characters.
      box->setMaxLength(std::numeric_limits<int>::max());
      return box;
    }
    case window::ControlKind::CommandButton: {
      auto* button = new QPushButton(caption, form);
      // Enter on the focused button clicks it, as Space does. The window is
      // no dialog, so Enter in a box still presses nothing.
      button->setAutoDefault(true);
      button->setDefault(false);
      button->setFocusPolicy(Qt::StrongFocus);
      return button;
    }
    case window::ControlKind::Line: return new LineWidget(control.line, form);
    case window::ControlKind::Window: break;
  }
  return nullptr;
}

}  // namespace

QWidget* createControl(const window::ControlDescription& control, QWidget* form) {
  QWidget* widget = createWidget(control, form);
  if (widget == nullptr) return nullptr;
  widget->setObjectName(QString::fromStdString(control.name));
  if (control.kind != window::ControlKind::Line) widget->setGeometry(geometryOf(control.rect));
  if (control.font) widget->setFont(fontFor(*control.font));
  const std::string_view accessible = window::accessibleNameOf(control.name);
  if (!accessible.empty()) {
    const QString name = QString::fromUtf8(accessible.data(), static_cast<qsizetype>(accessible.size()));
    if (auto* result = dynamic_cast<ResultLabel*>(widget)) {
      result->setMeaning(name);
    } else {
      widget->setAccessibleName(name);
    }
  }
  return widget;
}

}  // namespace channelflow::runtime::qt
