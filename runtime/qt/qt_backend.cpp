#include "runtime/qt/qt_backend.h"

#include "runtime/qt/chinese_translations.h"
#include "runtime/qt/qt_controls.h"
#include "runtime/qt/result_label.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace channelflow::runtime::qt {
namespace {

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool takesFocus(window::ControlKind kind) {
  return kind == window::ControlKind::TextBox || kind == window::ControlKind::CommandButton;
}

}  // namespace

QtBackend::QtBackend() {
  installChineseTranslations();
  // The application's default font too: Qt lays some text out in it before a
  // widget's own font applies (a box's empty text as it is made), and a sans
  // face there would map a second CJK font only for that.
  QApplication::setFont(fontFor(kWindowFont));
}
QtBackend::~QtBackend() = default;

void QtBackend::buildWindow(const window::FormDescription& form) {
  window_ = std::make_unique<QWidget>();
  window_->setObjectName(QString::fromStdString(form.name));
  window_->setWindowTitle(QString::fromStdString(form.title));
  // The window's own font, which only controls without a font of their own use.
  window_->setFont(fontFor(kWindowFont));
  // The client area; where the window opens is left to the system.
  window_->resize(twipsToPixels(form.client.width), twipsToPixels(form.client.height));

  controls_.clear();
  std::vector<std::pair<std::int16_t, QWidget*>> tabStops;
  for (const window::ControlDescription& control : form.controls) {
    QWidget* widget = createControl(control, window_.get());
    if (widget == nullptr) continue;
    controls_.emplace_back(control.name, widget);
    if (takesFocus(control.kind) && control.tabIndex) tabStops.emplace_back(*control.tabIndex, widget);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      QObject::connect(button, &QPushButton::clicked, window_.get(), [this, name = control.name] {
        if (click_) click_(name);
      });
    }
  }
  // Only boxes and buttons take focus, in the order of their tab indexes.
  std::stable_sort(tabStops.begin(), tabStops.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t k = 1; k < tabStops.size(); ++k) QWidget::setTabOrder(tabStops[k - 1].second, tabStops[k].second);
  firstTabStop_ = tabStops.empty() ? nullptr : tabStops.front().second;
}

void QtBackend::showWindow() {
  if (!window_) return;
  window_->show();
  if (firstTabStop_ != nullptr) firstTabStop_->setFocus(Qt::OtherFocusReason);
}

int QtBackend::runEventLoop() {
  showWindow();
  return QApplication::exec();
}

void QtBackend::showError(std::string_view message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), fromUtf8(message), QMessageBox::Ok,
                  window_.get());
  box.setObjectName(QStringLiteral("errorBox"));
  // Qt's translations give "确定" too; set here, the button reads Chinese even
  // where they are missing.
  box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  box.exec();
}

QWidget* QtBackend::find(std::string_view control) const {
  for (const auto& [name, widget] : controls_) {
    if (name == control) return widget.data();
  }
  return nullptr;
}

AccessStatus QtBackend::readText(std::string_view control, std::string& text) {
  QWidget* widget = find(control);
  if (widget == nullptr) return AccessStatus::NoSuchControl;
  auto* box = qobject_cast<QLineEdit*>(widget);
  if (box == nullptr) return AccessStatus::WrongKind;
  text = box->text().toStdString();
  return AccessStatus::Ok;
}

AccessStatus QtBackend::setCaption(std::string_view control, std::string_view caption) {
  QWidget* widget = find(control);
  if (widget == nullptr) return AccessStatus::NoSuchControl;
  auto* label = qobject_cast<QLabel*>(widget);
  if (label == nullptr) return AccessStatus::WrongKind;
  const QString text = fromUtf8(caption);
  // A caption with no blank to break at, such as a result, stays on one line
  // rather than split inside the number; a result label rounds it to fit.
  label->setWordWrap(text.contains(QLatin1Char(' ')) || text.contains(QChar(0x3000)) ||
                     std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0x2E80; }));
  if (auto* result = dynamic_cast<ResultLabel*>(label)) {
    result->setCaption(text);
  } else {
    label->setText(text);
    label->setToolTip(text);
  }
  return AccessStatus::Ok;
}

}  // namespace channelflow::runtime::qt
