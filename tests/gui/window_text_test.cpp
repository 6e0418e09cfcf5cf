// What the window says and takes as text: Label6 whole at every scale, Qt's
// own strings in Chinese, and pasted text of any length.
#include "tests/gui/window_fixture.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QRegularExpression>
#include <QTextLayout>

#include <memory>

namespace channelflow {
namespace {

using gui_test::kWorkedExample;
using gui_test::WindowTest;

std::string utf8(const QString& text) { return text.toStdString(); }

TEST_F(WindowTest, Label6ShowsAllThirteenCharactersInThreeLines) {
  auto* label = control<QLabel>("Label6");
  ASSERT_EQ(label->text().size(), 13);
  EXPECT_EQ(label->size(), QSize(1095 / 15, 615 / 15));
  // The window's own font is the Song face at 9 pt, the same face the other
  // controls resolve to, so no second CJK font is needed.
  const QFontInfo resolved(label->font());
  EXPECT_EQ(resolved.family(), QFontInfo(control<QLabel>("Label1")->font()).family());
  EXPECT_DOUBLE_EQ(resolved.pointSizeF(), 9.0);

  // Lay the text out the way the label wraps it, from the font's own metrics.
  const QRect area = label->contentsRect();
  QTextLayout layout(label->text(), label->font(), label);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  double bottom = 0;
  int lines = 0;
  qsizetype laidOut = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(area.width());
    line.setPosition(QPointF(0, bottom));
    EXPECT_LE(line.naturalTextWidth(), area.width()) << "line " << lines;
    bottom += line.height();
    laidOut += line.textLength();
    ++lines;
  }
  layout.endLayout();
  EXPECT_EQ(lines, 3);
  EXPECT_EQ(laidOut, 13);
  EXPECT_LE(bottom, area.height());
  EXPECT_LE(label->heightForWidth(area.width()), area.height());
}

TEST_F(WindowTest, TheBoxesMenusSpeakChinese) {
  const std::unique_ptr<QMenu> menu(box("n")->createStandardContextMenu());
  QStringList texts;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    // The words without the shortcut behind the tab ("复制\tCtrl+C") or an accelerator.
    QString text = action->text().section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    texts << text;
  }
  SCOPED_TRACE(utf8(texts.join(QLatin1Char(' '))));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("复制")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("粘贴")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("全选")));
  for (const QString& text : texts) EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
}

TEST_F(WindowTest, TheErrorBoxReadsChineseFromQtsOwnStrings) {
  // The button's text comes from Qt's translations; the dismisser checks
  // the box's title "错误" and button "确定" as the user sees them.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8("确定"));
  type(kWorkedExample);
  type({{"n", "abc"}});
  EXPECT_EQ(clickAndDismiss(), QString::fromUtf8("错误 13：文本不是有效的数字"));
}

TEST_F(WindowTest, ALongPastedTextReachesTheCalculationWhole) {
  type(kWorkedExample);
  // 0.025 behind 40 000 leading zeros: cut at 32 767 characters it would be 0.
  const QString longN = QString(40000, QLatin1Char('0')) + QStringLiteral(".025");
  box("n")->clear();
  box("n")->setFocus();
  QApplication::clipboard()->setText(longN);
  QTest::keyClick(box("n"), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box("n")->text().size(), longN.size());
  EXPECT_EQ(clickAndDismiss(), "");
  EXPECT_EQ(caption("Q"), "2.7630683521479");
}

}  // namespace
}  // namespace channelflow
