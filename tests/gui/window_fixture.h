// The real window, built from the program's record and shown offscreen,
// with what the window tests do to it as a user would.
#pragma once

#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

namespace channelflow::gui_test {

using runtime::qt::QtBackend;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(runtime::prepareWindow(app::channelflowProject(), backend));
    backend.showWindow();
    form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
  }

  QWidget* form() const { return backend.window(); }
  template <typename T = QWidget>
  T* control(const char* name) const {
    return form()->findChild<T*>(QString::fromLatin1(name));
  }
  QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
  QString caption(const char* name) const { return control<QLabel>(name)->text(); }

  void type(const std::map<std::string, QString>& texts) {
    for (const auto& [name, text] : texts) box(name.c_str())->setText(text);
  }

  // Clicks Command1 and dismisses whatever modal box the click opens; returns its text.
  QString clickAndDismiss() {
    QString shown;
    const auto dismisser = dismissErrorBoxInto(shown);
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    return shown;
  }

 public:
  // Once a modal loop runs, closes the error box it shows and keeps its text.
  // The timer dies with the returned object, so a box that never came leaves
  // nothing pending for the next test.
  static std::unique_ptr<QTimer> dismissErrorBoxInto(QString& shown) {
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    QObject::connect(timer.get(), &QTimer::timeout, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8("错误"));
        EXPECT_EQ(box->button(QMessageBox::Ok)->text(), QString::fromUtf8("确定"));
        box->accept();
      }
    });
    timer->start(0);
    return timer;
  }

 protected:
  QtBackend backend;
};

// B 2, h 1, m 1, i 0.001, n 0.025: v 0.921022784049301, Q 2.7630683521479.
inline const std::map<std::string, QString> kWorkedExample{
    {"B", "2"}, {"h", "1"}, {"m", "1"}, {"i", "0.001"}, {"n", "0.025"}};

}  // namespace channelflow::gui_test
