// Runs each measured routine a fixed number of times, each inside a wrapper
// of its own, so callgrind can count the instructions of each:
//   valgrind --tool=callgrind --toggle-collect=Run* instruction_counts
#include <cstdio>
#include <random>
#include <vector>

#include "common/common.h"
#include "module/output_action.h"
#include "bench/noop_vendor.h"
#include "bench/reference_mean.h"

constexpr int Repeats = 1000;

extern "C" __attribute__((noinline)) void RunAction(const TOutputInstance* instance, const uint16_t* samples) {
  for (int i = 0; i < Repeats; ++i) OutputAction(instance, i % LastChannel + 1, samples);
}

extern "C" __attribute__((noinline)) int64_t RunAverage(const uint16_t* samples) {
  int64_t total = 0;
  for (int i = 0; i < Repeats; ++i) total += AverageSamples(samples, 1, SamplesPerBlock);
  return total;
}

extern "C" __attribute__((noinline)) int64_t RunReference(const uint16_t* samples) {
  int64_t total = 0;
  for (int i = 0; i < Repeats; ++i) total += ReferenceMean(samples, SamplesPerBlock);
  return total;
}

int main() {
  std::mt19937 random(42);
  std::vector<uint16_t> samples(SamplesPerBlock);
  for (uint16_t& s : samples) s = static_cast<uint16_t>(random());
  InstallNoOpVendor();
  TOutputInstance* instance = CreateInstance(0);
  instance->Details->Card = 1;
  RunAction(instance, samples.data());
  const int64_t a = RunAverage(samples.data());
  const int64_t b = RunReference(samples.data());
  DestroyInstance(instance);
  std::printf("repeats %d, means agree: %s\n", Repeats, a == b ? "yes" : "no");
  return a == b ? 0 : 1;
}
