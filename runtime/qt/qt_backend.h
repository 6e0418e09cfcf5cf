// The window services on Qt 6 Widgets. A QApplication must exist before the
// backend is made.
#pragma once

#include "runtime/gui_backend.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace channelflow::runtime::qt {

class QtBackend final : public GuiBackend, private ControlAccess {
 public:
  QtBackend();
  ~QtBackend() override;

  void buildWindow(const window::FormDescription& form) override;
  ControlAccess& controls() override { return *this; }
  void setClickCallback(ClickCallback callback) override { click_ = std::move(callback); }
  void showError(std::string_view message) override;
  int runEventLoop() override;

  // Shows the window and puts the focus in its first tab stop; runEventLoop
  // does this before it starts the loop.
  void showWindow();
  QWidget* window() const { return window_.get(); }

 private:
  AccessStatus readText(std::string_view control, std::string& text) override;
  AccessStatus setCaption(std::string_view control, std::string_view caption) override;
  QWidget* find(std::string_view control) const;

  std::unique_ptr<QWidget> window_;
  std::vector<std::pair<std::string, QPointer<QWidget>>> controls_;
  QWidget* firstTabStop_ = nullptr;
  ClickCallback click_;
};

}  // namespace channelflow::runtime::qt
