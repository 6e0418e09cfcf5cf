// GoogleTest's Notification for the Windows compilers' win32 thread model,
// whose standard library has no std::mutex or std::condition_variable.
// GoogleTest uses it only to start its own helper threads, which these
// suites never make; an atomic flag does the same job.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
