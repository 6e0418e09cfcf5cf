// Starts like the calculator (or, built with FIRST_PAINT_EMPTY, like the
// smallest Qt program with an empty window of the same size) and quits at the
// window's first paint, so a driver can time process start to first paint.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#ifndef FIRST_PAINT_EMPTY
#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start.h"
#endif

namespace {

class QuitOnFirstPaint final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QuitOnFirstPaint quit;
#ifdef FIRST_PAINT_EMPTY
  QWidget window;
  window.resize(314, 251);
  window.installEventFilter(&quit);
  window.show();
#else
  channelflow::runtime::qt::QtBackend backend;
  if (!channelflow::runtime::prepareWindow(channelflow::app::channelflowProject(), backend)) return 1;
  backend.window()->installEventFilter(&quit);
  backend.showWindow();
#endif
  return QApplication::exec();
}
