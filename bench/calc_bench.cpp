// The calculation next to the same work done directly on plain doubles and
// with the standard library's conversions, so the figures read as ratios.
#include "calc/click/calculate_command.h"
#include "calc/click/channel_flow.h"
#include "numeric/value/conversions.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace {

using namespace channelflow;

class FixedText final : public numeric::TextSource {
 public:
  explicit FixedText(std::string text) : text_(std::move(text)) {}
  std::string fetchText() const override { return text_; }

 private:
  std::string text_;
};

void BM_ComputeChannelFlow(benchmark::State& state) {
  const FixedText n("0.025");
  calc::ChannelInputs inputs{2, 1, 0.001, 1, &n};
  for (auto _ : state) {
    benchmark::DoNotOptimize(inputs);
    benchmark::DoNotOptimize(calc::ComputeChannelFlow(inputs));
  }
}
BENCHMARK(BM_ComputeChannelFlow);

void BM_PlainFormula(benchmark::State& state) {
  double B = 2, h = 1, i = 0.001, m = 1;
  std::string nText = "0.025";
  for (auto _ : state) {
    benchmark::DoNotOptimize(B);
    benchmark::DoNotOptimize(nText);
    double n = 0;
    std::from_chars(nText.data(), nText.data() + nText.size(), n);
    const double A = (B + m * h) * h;
    const double P = B + (2 * h) * std::sqrt(1 + m * m);
    const double R = A / P;
    const double v = std::pow(R, 1.0 / 6.0) / n * std::sqrt(std::fabs(R * i));
    benchmark::DoNotOptimize(v);
    benchmark::DoNotOptimize(v * A);
  }
}
BENCHMARK(BM_PlainFormula);

// A whole click without a window: five texts in, two texts out.
class MemoryForm final : public runtime::ControlAccess {
 public:
  runtime::AccessStatus readText(std::string_view control, std::string& text) override {
    switch (control[0]) {
      case 'B': text = "2"; break;
      case 'h': text = "1"; break;
      case 'i': text = "0.001"; break;
      case 'm': text = "1"; break;
      default: text = "0.025"; break;
    }
    return runtime::AccessStatus::Ok;
  }
  runtime::AccessStatus setCaption(std::string_view control, std::string_view caption) override {
    (control == "v" ? v : Q).assign(caption);
    return runtime::AccessStatus::Ok;
  }
  std::string v, Q;
};

void BM_HeadlessClick(benchmark::State& state) {
  MemoryForm form;
  for (auto _ : state) {
    calc::CalculateCommand(form);
    benchmark::DoNotOptimize(form.Q.data());
  }
}
BENCHMARK(BM_HeadlessClick);

const std::array<double, 4> kValues{0.9210227840493008, 2.7630683521479025, 1.5e-7, 123456.789};

void BM_FormatDouble(benchmark::State& state) {
  std::array<char, numeric::kMaxFormattedLength> out{};
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numeric::formatDouble(kValues[k++ & 3], out.data()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FormatDouble);

void BM_ToCharsFifteenDigits(benchmark::State& state) {
  std::array<char, 32> out{};
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        std::to_chars(out.data(), out.data() + out.size(), kValues[k++ & 3], std::chars_format::general, 15));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ToCharsFifteenDigits);

// Values whose 15 digits take the slower exact path: below 1E-05 or from 1E+15 on.
const std::array<double, 4> kFarValues{1.5e-7, 2.5e20, 3.3e-300, 1.7e308};

void BM_FormatDoubleFarFromOne(benchmark::State& state) {
  std::array<char, numeric::kMaxFormattedLength> out{};
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numeric::formatDouble(kFarValues[k++ & 3], out.data()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FormatDoubleFarFromOne);

const std::array<std::string_view, 4> kTexts{"0.025", "2.7630683521479", "1.5E-07", "123456.789"};

void BM_ConvertStrict(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(numeric::convertStrict(kTexts[k++ & 3]));
}
BENCHMARK(BM_ConvertStrict);

void BM_ReadLenient(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(numeric::readLenient(kTexts[k++ & 3]));
}
BENCHMARK(BM_ReadLenient);

// Texts beyond the short path: more than 19 digits, or a far exponent.
const std::array<std::string_view, 4> kLongTexts{"0.0250000000000000000001", "2.76306835214790251234567",
                                                 "1.5e-300", "7.25e250"};

void BM_ConvertStrictLongText(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(numeric::convertStrict(kLongTexts[k++ & 3]));
}
BENCHMARK(BM_ConvertStrictLongText);

void BM_FromChars(benchmark::State& state) {
  std::size_t k = 0;
  for (auto _ : state) {
    double value = 0;
    const std::string_view text = kTexts[k++ & 3];
    std::from_chars(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_FromChars);

}  // namespace
