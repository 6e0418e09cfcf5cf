#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/channelflow-32.png")));
  QApplication::setDesktopFileName(QStringLiteral("channelflow"));
  channelflow::runtime::qt::QtBackend backend;
  return channelflow::runtime::start(channelflow::app::channelflowProject(), backend);
}
