#include "module/output_action.h"

#include "common/common.h"
#include "k8055d/k8055d.h"
#include "module/card_slots.h"
#include "panel/card_list.h"

uint8_t OutputAction(const TOutputInstance* instance, int32_t channel, const uint16_t* samples) {
  if (instance == nullptr || samples == nullptr) return 0;
  if (channel < 1 || channel > LastChannel) return 0;
  const int32_t card = instance->Details->Card;
  if (card < 1 || card > CardAddressCount || !DriverReady() || !CardIsOpen(card - 1)) return 0;

  // The library answers -1 for a board it has dropped (unplugged while open)
  // and leaves the board selected before it selected: a command sent now
  // would reach that other board.
  if (SetCurrentDevice(card - 1) == -1) {
    DropCard(card - 1);
    ShowCardStatesSoon();
    return 0;
  }
  const int32_t mean = AverageSamples(samples, 1, SamplesPerBlock);
  if (channel > DigitalChannels) {
    const int32_t level = mean / AnalogStep;
    OutputAnalogChannel(channel - DigitalChannels, level < AnalogMax ? level : AnalogMax);
  } else if (mean != 0) {
    SetDigitalChannel(channel);
  } else {
    ClearDigitalChannel(channel);
  }
  return 0;
}
