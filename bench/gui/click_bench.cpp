// One click on "计算" in the real Qt window: from the button press to both
// output captions set.
#include "app/channelflow_project.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/start.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdlib>

namespace {

void BM_ClickCalculate(benchmark::State& state) {
  channelflow::runtime::qt::QtBackend backend;
  if (!channelflow::runtime::prepareWindow(channelflow::app::channelflowProject(), backend)) {
    state.SkipWithError("window did not build");
    return;
  }
  backend.showWindow();
  QWidget* form = backend.window();
  const std::pair<const char*, const char*> inputs[] = {
      {"B", "2"}, {"h", "1"}, {"m", "1"}, {"i", "0.001"}, {"n", "0.025"}};
  for (const auto& [name, text] : inputs) form->findChild<QLineEdit*>(name)->setText(text);
  auto* button = form->findChild<QPushButton*>("Command1");
  auto* q = form->findChild<QLabel*>("Q");
  for (auto _ : state) {
    QTest::mouseClick(button, Qt::LeftButton);
    benchmark::DoNotOptimize(q->text().size());
  }
  if (q->text() != QStringLiteral("2.7630683521479")) state.SkipWithError("wrong discharge");
}
BENCHMARK(BM_ClickCalculate);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
