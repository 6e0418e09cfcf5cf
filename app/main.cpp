#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  channelflow::runtime::qt::QtBackend backend;
  return channelflow::runtime::start(channelflow::app::channelflowProject(), backend);
}
