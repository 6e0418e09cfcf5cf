// A label the program writes a result into. Its text stays the full caption
// (what copying, the tooltip and screen readers give), while it draws the
// value rounded to as many digits as its width holds, so it never shows a
// cut-off number.
#pragma once

#include <QLabel>
#include <QString>

namespace channelflow::runtime::qt {

class ResultLabel final : public QLabel {
 public:
  explicit ResultLabel(QWidget* parent);

  // What the label holds, read out with its value ("流量 Q（立方米每秒）").
  void setMeaning(const QString& meaning);
  // Shows a new caption; any selection is dropped.
  void setCaption(const QString& caption);

  // The text the label draws: the caption, or the value rounded to fit.
  QString drawnText() const;
  // The value is selected as a whole: a rounded form has no digits of its own
  // to copy, so a selection always copies the full caption.
  bool hasSelection() const { return selected_; }
  void selectAll();
  // Puts the full caption on the clipboard.
  void copy() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  bool fits(const QString& text) const;

  QString meaning_;
  bool selected_ = false;
};

}  // namespace channelflow::runtime::qt
