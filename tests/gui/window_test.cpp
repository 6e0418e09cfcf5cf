// The Qt window against its table: every control in place, the focus order,
// and what a click, Enter and Space do.
#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/qt/qt_controls.h"
#include "runtime/start.h"
#include "tests/gui/window_fixture.h"
#include "window/form1_block.h"
#include "window/form1_table.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>
#include <string>

namespace channelflow {
namespace {

using runtime::qt::LineWidget;
using runtime::qt::QtBackend;
using gui_test::WindowTest;
using gui_test::kWorkedExample;

// SimSun where it is installed, else the Song faces Debian ships.
const QStringList kSongFaces{"SimSun", "AR PL UMing CN", "Noto Serif CJK SC"};

TEST_F(WindowTest, EveryControlStandsAsTheTableSays) {
  EXPECT_EQ(form()->objectName(), "Form1");
  EXPECT_EQ(form()->windowTitle(), "Form1");
  EXPECT_EQ(form()->size(), QSize(314, 251));
  for (const window::ControlRow& row : window::kForm1Controls) {
    const std::string name(row.name);
    SCOPED_TRACE(name);
    QWidget* widget = control(name.c_str());
    ASSERT_NE(widget, nullptr);
    const QString text = QString::fromUtf8(row.caption.data(), static_cast<qsizetype>(row.caption.size()));
    switch (row.kind) {
      case window::ControlKind::Label:
        ASSERT_NE(qobject_cast<QLabel*>(widget), nullptr);
        EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), text);
        EXPECT_TRUE(qobject_cast<QLabel*>(widget)->wordWrap());
        // A result label takes the focus from a click, for copying, never from Tab.
        EXPECT_EQ(widget->focusPolicy(), row.caption.empty() ? Qt::ClickFocus : Qt::NoFocus);
        break;
      case window::ControlKind::TextBox:
        ASSERT_NE(qobject_cast<QLineEdit*>(widget), nullptr);
        EXPECT_EQ(qobject_cast<QLineEdit*>(widget)->text(), "");
        break;
      case window::ControlKind::CommandButton:
        ASSERT_NE(qobject_cast<QPushButton*>(widget), nullptr);
        EXPECT_EQ(qobject_cast<QPushButton*>(widget)->text(), text);
        break;
      default: break;
    }
    if (row.kind == window::ControlKind::Line) {
      auto* line = dynamic_cast<LineWidget*>(widget);
      ASSERT_NE(line, nullptr);
      EXPECT_EQ(line->mapToParent(line->start()), QPoint(176, 40));
      EXPECT_EQ(line->mapToParent(line->end()), QPoint(176, 240));
      continue;
    }
    EXPECT_EQ(widget->geometry(), QRect(row.a / 15, row.b / 15, row.c / 15, row.d / 15));
    if (row.font == window::FontChoice::WindowDefault) {
      EXPECT_EQ(widget->font(), form()->font());
    } else {
      EXPECT_EQ(widget->font().families().value(0), QString::fromUtf8("宋体"));
      const double points = row.font == window::FontChoice::SimSun12 ? 12.0 : 10.5;
      EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), points);
      EXPECT_EQ(widget->font().weight(), QFont::Normal);
      // What the font system really gives: one of the Song faces, not a sans
      // face it fell back to, and the size not rounded to a bitmap strike.
      const QFontInfo resolved(widget->font());
      EXPECT_TRUE(kSongFaces.contains(resolved.family())) << resolved.family().toStdString();
      EXPECT_DOUBLE_EQ(resolved.pointSizeF(), points);
      EXPECT_EQ(resolved.weight(), QFont::Normal);
    }
  }
  EXPECT_EQ(caption("Label3"), QString::fromUtf8("水  深"));
  EXPECT_EQ(box("B")->accessibleName(), QString::fromUtf8("下底宽 B（米）"));
}

TEST_F(WindowTest, FocusStartsInBAndTabCyclesBothWays) {
  EXPECT_EQ(QApplication::focusWidget(), box("B"));
  const char* forward[] = {"h", "i", "n", "Command1", "m", "B"};
  for (const char* name : forward) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
  }
  const char* backward[] = {"m", "Command1", "n", "i", "h", "B"};
  for (const char* name : backward) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
  }
}

TEST_F(WindowTest, ClickShowsVelocityAndDischarge) {
  type(kWorkedExample);
  EXPECT_EQ(clickAndDismiss(), "");
  EXPECT_EQ(caption("v"), "0.921022784049301");
  EXPECT_EQ(caption("Q"), "2.7630683521479");
}

TEST_F(WindowTest, FailedClickShowsTheErrorAndKeepsEverything) {
  type(kWorkedExample);
  clickAndDismiss();
  const std::map<std::string, QString> typo{{"B", "2m"}, {"h", "1 m"}, {"m", "1"}, {"i", "0.001"}, {"n", "0,025"}};
  type(typo);
  EXPECT_EQ(clickAndDismiss(), QString::fromUtf8("错误 13：文本不是有效的数字"));
  EXPECT_TRUE(form()->isVisible());
  for (const auto& [name, text] : typo) EXPECT_EQ(box(name.c_str())->text(), text);
  EXPECT_EQ(caption("v"), "0.921022784049301");
  EXPECT_EQ(caption("Q"), "2.7630683521479");

  // Mended, the next click works in the same window.
  box("n")->setText("0.025");
  EXPECT_EQ(clickAndDismiss(), "");
  EXPECT_EQ(caption("Q"), "2.7630683521479");
}

TEST_F(WindowTest, EmptyBoxesReportTheZeroDivisor) {
  EXPECT_EQ(clickAndDismiss(), QString::fromUtf8("错误 11：除数为零"));
  EXPECT_EQ(caption("v"), "");
  EXPECT_EQ(caption("Q"), "");
}

TEST_F(WindowTest, EnterComputesNothingAndSpaceOnTheButtonDoes) {
  type(kWorkedExample);
  for (const char* name : {"B", "h", "i", "n", "m"}) {
    box(name)->setFocus();
    QTest::keyClick(box(name), Qt::Key_Return);
    QTest::keyClick(box(name), Qt::Key_Enter);
  }
  EXPECT_EQ(caption("v"), "");
  EXPECT_EQ(caption("Q"), "");

  auto* button = control<QPushButton>("Command1");
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(caption("v"), "0.921022784049301");
  EXPECT_EQ(caption("Q"), "2.7630683521479");
}

TEST_F(WindowTest, EnterAndKeypadEnterOnTheFocusedButtonClickIt) {
  auto* button = control<QPushButton>("Command1");
  const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Return, Qt::NoModifier},
                                                            {Qt::Key_Enter, Qt::KeypadModifier}};
  for (const auto& [key, modifiers] : keys) {
    SCOPED_TRACE(key);
    type(kWorkedExample);
    clickAndDismiss();
    box("B")->setText("4");
    button->setFocus();
    QTest::keyClick(button, key, modifiers);
    EXPECT_EQ(caption("Q"), "5.13802499515847");
    EXPECT_EQ(QApplication::focusWidget(), button);
  }
}

TEST_F(WindowTest, ResizingLeavesEveryControlInPlace) {
  std::map<QString, QRect> before;
  for (QWidget* child : form()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    before[child->objectName()] = child->geometry();
  }
  ASSERT_EQ(before.size(), 17u);
  for (const QSize size : {QSize(640, 480), QSize(120, 90)}) {
    form()->resize(size);
    QApplication::processEvents();
    for (QWidget* child : form()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      EXPECT_EQ(child->geometry(), before[child->objectName()]) << child->objectName().toStdString();
    }
  }
}

TEST(StartRoutine, ABrokenBlockIsReportedAndNothingIsBuilt) {
  std::vector<std::uint8_t> block(window::form1Block().begin(), window::form1Block().end());
  block[0] = 0;
  runtime::ProjectRecord record = app::channelflowProject();
  record.formBlock = block;
  QtBackend backend;
  QString shown;
  const auto dismisser = WindowTest::dismissErrorBoxInto(shown);
  EXPECT_EQ(runtime::start(record, backend), 1);
  EXPECT_TRUE(shown.startsWith(QString::fromUtf8("窗体描述已损坏"))) << shown.toStdString();
  EXPECT_EQ(backend.window(), nullptr);
}

}  // namespace
}  // namespace channelflow

namespace channelflow {
namespace {

TEST(StartRoutine, ClosingTheWindowEndsTheLoopWithStatusZero) {
  runtime::qt::QtBackend backend;
  ASSERT_TRUE(runtime::prepareWindow(app::channelflowProject(), backend));
  QTimer::singleShot(0, [&backend] { backend.window()->close(); });
  EXPECT_EQ(backend.runEventLoop(), 0);
}

}  // namespace
}  // namespace channelflow
