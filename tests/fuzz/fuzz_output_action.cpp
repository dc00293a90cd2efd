// action with any channel, card, board state and samples: a rejected call
// reaches the vendor library not at all, an accepted one makes exactly two
// calls (select the board, then the command the mean asks for), an analog
// value is never above 255, and the result is always 0.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "k8055d/k8055d.h"
#include "module/card_slots.h"
#include "module/instance.h"
#include "module/output_action.h"
#include "tests/fakes/fake_vendor.h"

namespace {

using fake_vendor::State;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Rounded mean in floating point, ties to even (the default rounding mode).
uint32_t ReferenceMean(const uint16_t* samples) {
  double sum = 0;
  for (int32_t i = 0; i < SamplesPerBlock; ++i) sum += samples[i];
  return static_cast<uint32_t>(std::nearbyint(sum / SamplesPerBlock));
}

std::string ExpectedCommand(int32_t channel, uint32_t mean) {
  if (channel > DigitalChannels) {
    const uint32_t level = mean / 20 < 255 ? mean / 20 : 255;
    return "OutputAnalogChannel " + std::to_string(channel - DigitalChannels) + " " + std::to_string(level);
  }
  return (mean != 0 ? "SetDigitalChannel " : "ClearDigitalChannel ") + std::to_string(channel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint8_t answering = input.ConsumeIntegral<uint8_t>();  // bit n: address n answers
  const int missing = input.ConsumeBool() ? input.ConsumeIntegralInRange<int>(0, VendorEntryCount - 1)
                                          : VendorEntryCount;  // Count: none missing
  const bool triedCards = input.ConsumeBool();
  const bool nullInstance = input.ConsumeBool();
  const bool nullSamples = input.ConsumeBool();
  // Mostly near the valid ranges, where the decisions lie; sometimes any value.
  const bool anyNumbers = input.ConsumeBool();
  const int32_t channel = anyNumbers ? input.ConsumeIntegral<int32_t>() : input.ConsumeIntegralInRange(-1, 12);
  const int32_t card = anyNumbers ? input.ConsumeIntegral<int32_t>() : input.ConsumeIntegralInRange(-1, 6);
  auto* samples = static_cast<uint16_t*>(std::calloc(SamplesPerBlock, sizeof(uint16_t)));
  if (input.ConsumeBool()) {
    const uint16_t value = input.ConsumeIntegral<uint16_t>();
    for (int32_t i = 0; i < SamplesPerBlock; ++i) samples[i] = value;
  } else {
    input.ConsumeData(samples, SamplesPerBlock * sizeof(uint16_t));
  }

  fake_vendor::Reset();
  State.Answering.clear();
  for (int address = 0; address < CardAddressCount; ++address)
    if (answering & (1u << address)) State.Answering.insert(address);
  if (missing < VendorEntryCount) State.Missing = VendorEntryNames[missing];
  TOutputInstance* instance = CreateInstance(0);
  instance->Details->Card = card;
  if (triedCards) OpenAllCards();
  State.Calls.clear();

  Require(OutputAction(nullInstance ? nullptr : instance, channel, nullSamples ? nullptr : samples) == 0);

  const bool boardOpen = missing == VendorEntryCount && triedCards && card >= 1 && card <= CardAddressCount &&
                         (answering & (1u << (card - 1)));
  const bool accepted = !nullInstance && !nullSamples && channel >= 1 && channel <= LastChannel && boardOpen;
  if (accepted) {
    Require(State.Calls.size() == 2);
    Require(State.Calls[0] == "SetCurrentDevice " + std::to_string(card - 1));
    Require(State.Calls[1] == ExpectedCommand(channel, ReferenceMean(samples)));
  } else {
    Require(State.Calls.empty());
  }
  DestroyInstance(instance);
  std::free(samples);
  return 0;
}
