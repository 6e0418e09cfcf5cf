// The window tests need one QApplication for the whole run; without a display
// they use Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    static std::string runtimeDir = "/tmp/channelflow-gui-tests-XXXXXX";
    if (mkdtemp(runtimeDir.data()) != nullptr) setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
  }
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
