// The result labels Q and v: what they draw is always a correct reading of
// the value and fits the label at the screen's scale; the full caption can be
// copied and is what a screen reader hears.
#include "numeric/value/conversions.h"
#include "runtime/qt/result_label.h"
#include "tests/gui/window_fixture.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QMenu>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace channelflow {
namespace {

using gui_test::WindowTest;
using gui_test::kWorkedExample;
using runtime::qt::ResultLabel;

std::string utf8(const QString& text) { return text.toStdString(); }

// True when `drawn` is the value of `caption` rounded to the significant
// digits `drawn` shows: a cut mantissa or a lost exponent fails.
bool readsAs(const QString& drawn, const QString& caption) {
  const double shown = numeric::convertStrict(utf8(drawn));
  const double value = numeric::convertStrict(utf8(caption));
  if (shown == 0 || value == 0) return shown == value;
  if (std::signbit(shown) != std::signbit(value)) return false;
  QString mantissa = drawn.section(QLatin1Char('E'), 0, 0);
  mantissa.remove(QLatin1Char('-'));
  const bool hasPoint = mantissa.contains(QLatin1Char('.'));
  mantissa.remove(QLatin1Char('.'));
  while (mantissa.startsWith(QLatin1Char('0'))) mantissa.remove(0, 1);
  if (!hasPoint) {
    while (mantissa.endsWith(QLatin1Char('0'))) mantissa.chop(1);
  }
  const auto digits = static_cast<double>(std::max<qsizetype>(1, mantissa.size()));
  const double exponent = std::floor(std::log10(std::abs(shown)));
  const double halfUnit = 0.5 * std::pow(10.0, exponent - digits + 1);
  return std::abs(shown - value) <= halfUnit * (1 + 1e-9);
}

// The right edge, in logical pixels, of the ink of `text` drawn from x = 0,
// rasterised at `scale` device pixels per logical pixel as the screen does.
double inkRight(const QFont& font, const QString& text, qreal scale) {
  const QFontMetricsF metrics(font);
  QImage image(static_cast<int>(std::ceil((metrics.horizontalAdvance(text) + 20) * scale)),
               static_cast<int>(std::ceil(metrics.height() * scale)) + 2, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, metrics.ascent()), text);
  }
  int right = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = right + 1; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) right = x;
    }
  }
  return (right + 1) / scale;
}

class ResultLabelTest : public WindowTest {
 protected:
  ResultLabel* result(const char* name) const { return control<ResultLabel>(name); }

  // The drawn text fits the label by the font's metrics and by its ink at
  // the screen's scale, and reads as the caption's value.
  void expectFittingReading(const char* name) const {
    ResultLabel* label = result(name);
    const QString drawn = label->drawnText();
    SCOPED_TRACE(std::string(name) + " draws " + utf8(drawn));
    const QFontMetricsF metrics(label->font(), label);
    EXPECT_LE(metrics.horizontalAdvance(drawn), label->contentsRect().width());
    EXPECT_LE(metrics.height(), label->contentsRect().height());
    EXPECT_LE(inkRight(label->font(), drawn, label->devicePixelRatioF()), label->contentsRect().width());
    EXPECT_TRUE(readsAs(drawn, label->text()));
  }
};

TEST_F(ResultLabelTest, RunsAtTheScaleItWasAskedFor) {
  // The suite runs again with QT_FONT_DPI 120 and 144: the window is then
  // laid out at 1.25 and 1.5 device pixels per twip/15.
  const char* dpi = std::getenv("QT_FONT_DPI");
  const double expected = dpi == nullptr ? 1.0 : std::atof(dpi) / 96.0;
  EXPECT_DOUBLE_EQ(form()->devicePixelRatioF(), expected);
}

TEST_F(ResultLabelTest, EveryValueIsDrawnAsAFittingReadingAtEveryScale) {
  const char* const captions[] = {
      "2.7630683521479",        "0.921022784049301",     "-0.921022784049301",     "2.80035121142722E-08",
      "-4.80749856769136E-14",  "1.03574416865129E+53",  "-2.23144316694056E+22",  "-1.23456789012345E-100",
      "-0.0000123456789012345", "-123456789012345",      "123456789012345",        "10357441686512.9",
      "-223144316.694056",      "9.99999999999999E+99",  "9.99999999999999",       "0",
  };
  for (const char* caption : captions) {
    for (const char* name : {"Q", "v"}) {
      SCOPED_TRACE(caption);
      ASSERT_EQ(backend.controls().setCaption(name, caption), runtime::AccessStatus::Ok);
      EXPECT_EQ(result(name)->text(), caption);
      EXPECT_EQ(result(name)->toolTip(), caption);
      expectFittingReading(name);
    }
  }
}

TEST_F(ResultLabelTest, TheFlumeDischargeKeepsItsExponent) {
  type({{"B", "0.01"}, {"h", "0.001"}, {"m", "0"}, {"i", "0.00001"}, {"n", "0.01"}});
  EXPECT_EQ(clickAndDismiss(), "");
  EXPECT_EQ(caption("Q"), "2.80035121142722E-08");
  EXPECT_EQ(caption("v"), "0.00280035121142722");
  const QString drawn = result("Q")->drawnText();
  EXPECT_TRUE(drawn.startsWith("2.8003512")) << utf8(drawn);
  EXPECT_TRUE(drawn.endsWith("E-08")) << utf8(drawn);
  expectFittingReading("Q");
  expectFittingReading("v");

  type({{"B", "1e20"}, {"h", "1e20"}, {"m", "0"}, {"i", "1"}, {"n", "1"}});
  clickAndDismiss();
  EXPECT_EQ(caption("Q"), "1.03574416865129E+53");
  EXPECT_TRUE(result("Q")->drawnText().endsWith("E+53")) << utf8(result("Q")->drawnText());
  expectFittingReading("Q");
}

TEST_F(ResultLabelTest, AClickOrTheKeyboardSelectsAndCtrlCCopiesTheFullText) {
  type(kWorkedExample);
  clickAndDismiss();
  ResultLabel* v = result("v");
  QApplication::clipboard()->clear();

  QTest::mouseClick(v, Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), v);
  EXPECT_TRUE(v->hasSelection());
  QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "0.921022784049301");

  // Leaving drops the selection; the keyboard makes it again.
  box("B")->setFocus();
  EXPECT_FALSE(v->hasSelection());
  QTest::mouseClick(v, Qt::LeftButton);
  box("B")->setFocus();
  v->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "0.921022784049301");  // nothing selected, nothing copied
  QApplication::clipboard()->clear();
  QTest::keyClick(v, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_TRUE(v->hasSelection());
  QTest::keyClick(v, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "0.921022784049301");

  // Tab leaves the label for the boxes and buttons; it never comes back by Tab.
  box("B")->setFocus();
  for (int k = 0; k < 6; ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(dynamic_cast<ResultLabel*>(QApplication::focusWidget()));
  }
}

TEST_F(ResultLabelTest, TheRightClickMenuCopiesTheFullText) {
  type({{"B", "0.01"}, {"h", "0.001"}, {"m", "0"}, {"i", "0.00001"}, {"n", "0.01"}});
  clickAndDismiss();
  QApplication::clipboard()->clear();
  ResultLabel* q = result("Q");
  QStringList offered;
  QTimer::singleShot(0, [&offered] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) offered << action->text();
    menu->actions().value(0)->trigger();
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), q->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(q, &event);
  EXPECT_EQ(offered, QStringList{QString::fromUtf8("复制")});
  EXPECT_EQ(QApplication::clipboard()->text(), "2.80035121142722E-08");
}

TEST_F(ResultLabelTest, AScreenReaderHearsTheNumberAndWhatItMeans) {
  QAccessibleInterface* q = QAccessible::queryAccessibleInterface(result("Q"));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->text(QAccessible::Name), QString::fromUtf8("流量 Q（立方米每秒）"));
  type(kWorkedExample);
  clickAndDismiss();
  EXPECT_EQ(q->text(QAccessible::Name), "2.7630683521479");
  EXPECT_EQ(q->text(QAccessible::Description), QString::fromUtf8("流量 Q（立方米每秒）"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(result("v"))->text(QAccessible::Name), "0.921022784049301");
}

}  // namespace
}  // namespace channelflow
