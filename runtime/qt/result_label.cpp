#include "runtime/qt/result_label.h"

#include "runtime/number_fit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>

namespace channelflow::runtime::qt {

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // A click gives the focus, for Ctrl+C; Tab passes the label by.
  setFocusPolicy(Qt::ClickFocus);
  setContextMenuPolicy(Qt::DefaultContextMenu);
  setCursor(Qt::IBeamCursor);
}

void ResultLabel::setMeaning(const QString& meaning) {
  meaning_ = meaning;
  setAccessibleDescription(meaning);
  if (text().isEmpty()) setAccessibleName(meaning);
}

void ResultLabel::setCaption(const QString& caption) {
  selected_ = false;
  setText(caption);
  setToolTip(caption);
  // A screen reader reads the number itself; what it means stays in the
  // description, and names the label while it is empty.
  setAccessibleName(caption.isEmpty() ? meaning_ : caption);
  update();
}

bool ResultLabel::fits(const QString& text) const {
  const QFontMetricsF metrics(font(), this);
  const QRectF area = contentsRect();
  const QRectF ink = metrics.boundingRect(text);
  // Both the advance and the glyphs' ink must stay inside the label.
  return metrics.horizontalAdvance(text) <= area.width() && ink.left() >= 0 && ink.right() <= area.width() &&
         metrics.height() <= area.height();
}

QString ResultLabel::drawnText() const {
  const QByteArray caption = text().toUtf8();
  const std::string drawn = fitNumberCaption(std::string_view(caption.constData(), static_cast<std::size_t>(caption.size())),
                                             [this](std::string_view candidate) {
                                               return fits(QString::fromUtf8(
                                                   candidate.data(), static_cast<qsizetype>(candidate.size())));
                                             });
  return QString::fromStdString(drawn);
}

void ResultLabel::selectAll() {
  selected_ = !text().isEmpty();
  update();
}

void ResultLabel::copy() const {
  if (!text().isEmpty()) QApplication::clipboard()->setText(text());
}

void ResultLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QString drawn = drawnText();
  const QRect area = contentsRect();
  int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
  if (wordWrap()) flags |= Qt::TextWordWrap;
  QPalette::ColorRole role = foregroundRole();
  if (selected_) {
    const QRect marked = style()->itemTextRect(fontMetrics(), area, flags, isEnabled(), drawn);
    painter.fillRect(marked, palette().brush(QPalette::Highlight));
    role = QPalette::HighlightedText;
  }
  style()->drawItemText(&painter, area, flags, palette(), isEnabled(), drawn, role);
}

void ResultLabel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  selectAll();
}

void ResultLabel::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    if (selected_) copy();
    return;
  }
  if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::SelectStartOfLine) ||
      event->matches(QKeySequence::SelectEndOfLine) || event->matches(QKeySequence::SelectNextChar) ||
      event->matches(QKeySequence::SelectPreviousChar)) {
    selectAll();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ResultLabel::focusOutEvent(QFocusEvent* event) {
  // The context menu takes the focus for a moment; the selection stays for it.
  if (event->reason() != Qt::PopupFocusReason) {
    selected_ = false;
    update();
  }
  QLabel::focusOutEvent(event);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("resultMenu"));
  QAction* copyAction = menu.addAction(QStringLiteral("复制"), this, &ResultLabel::copy);
  copyAction->setShortcut(QKeySequence::Copy);
  copyAction->setEnabled(!text().isEmpty());
  menu.exec(event->globalPos());
}

}  // namespace channelflow::runtime::qt
