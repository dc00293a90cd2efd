// The nine cdecl exports of out_tarnwell.dll. Each forwards to the portable
// module code, which neither throws nor allocates with new.
#include <cstdint>

#include "card_slots.h"
#include "instance.h"
#include "output_action.h"
#include "settings_text.h"
#include "../panel/panel.h"

#define EXPORT extern "C" __attribute__((cdecl))

EXPORT int32_t init(char* buffer, uint32_t size) { return ModuleInformation(buffer, size); }

EXPORT TOutputInstance* create(int32_t hostTag) { return CreateInstance(hostTag); }

EXPORT void destroy(TOutputInstance* instance) { DestroyInstance(instance); }

EXPORT void finish() { FinishModule(); }

EXPORT uint8_t action(TOutputInstance* instance, int32_t channel, int32_t, int32_t, int32_t,
                      const uint16_t* samples) {
  return OutputAction(instance, channel, samples);
}

EXPORT void open(TOutputInstance* instance, const char* settings) { OpenSettings(instance, settings); }

EXPORT int32_t save(TOutputInstance* instance, char* buffer, uint32_t size) {
  return SaveSettings(instance, buffer, size);
}

EXPORT void show(TOutputInstance* instance, uintptr_t parentWindow) { ShowPanel(instance, parentWindow); }

EXPORT void hide(TOutputInstance* instance) { HidePanel(instance); }
