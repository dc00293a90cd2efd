// The output call's cost beside that of the mean alone and of a plain
// floating-point mean.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "common/common.h"
#include "module/output_action.h"
#include "module/settings_text.h"
#include "bench/noop_vendor.h"
#include "bench/reference_mean.h"

namespace {

std::vector<uint16_t> RandomSamples() {
  std::mt19937 random(42);
  std::vector<uint16_t> samples(SamplesPerBlock);
  for (uint16_t& s : samples) s = static_cast<uint16_t>(random());
  return samples;
}

void Action(benchmark::State& state) {
  InstallNoOpVendor();
  TOutputInstance* instance = CreateInstance(0);
  instance->Details->Card = 1;
  const std::vector<uint16_t> samples = RandomSamples();
  int32_t channel = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(OutputAction(instance, channel % LastChannel + 1, samples.data()));
    ++channel;
  }
  DestroyInstance(instance);
}

void Average(benchmark::State& state) {
  const std::vector<uint16_t> samples = RandomSamples();
  for (auto _ : state) {
    benchmark::DoNotOptimize(samples.data());
    benchmark::DoNotOptimize(AverageSamples(samples.data(), 1, SamplesPerBlock));
  }
}

void Reference(benchmark::State& state) {
  const std::vector<uint16_t> samples = RandomSamples();
  for (auto _ : state) {
    benchmark::DoNotOptimize(samples.data());
    benchmark::DoNotOptimize(ReferenceMean(samples.data(), SamplesPerBlock));
  }
}

BENCHMARK(Action);
BENCHMARK(Average);
BENCHMARK(Reference);

}  // namespace

BENCHMARK_MAIN();
