#include "app/channelflow_project.h"
#include "runtime/start.h"
#include "runtime/win32/win32_backend.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  channelflow::runtime::win32::Win32Backend backend(instance);
  return channelflow::runtime::start(channelflow::app::channelflowProject(), backend);
}
