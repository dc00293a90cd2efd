// The nine cdecl exports of out_tarnwell.dll, each forwarding to the
// portable module code, which neither throws nor allocates with new. Their
// contracts (when, on which thread, what state, what for bad input) stand
// beside their types in module_abi.h.
#include <cstdint>
#include <type_traits>

#include "module/card_slots.h"
#include "module/instance.h"
#include "module/module_abi.h"
#include "module/output_action.h"
#include "module/settings_text.h"
#include "panel/panel.h"

#define EXPORT extern "C" TARNWELL_CDECL

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

EXPORT void show(TOutputInstance* instance, TWindowHandle parent) {
  ShowPanel(instance, reinterpret_cast<uintptr_t>(parent));
}

EXPORT void hide(TOutputInstance* instance) { HidePanel(instance); }

// Every export has exactly the type a host binds it with.
#define CHECK_EXPORT_TYPE(name, type) static_assert(std::is_same_v<decltype(&name), type>, #name);
MODULE_EXPORT_LIST(CHECK_EXPORT_TYPE)
#undef CHECK_EXPORT_TYPE
