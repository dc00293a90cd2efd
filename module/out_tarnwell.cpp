// The nine cdecl exports of out_tarnwell.dll. Each forwards to the portable
// module code, which neither throws nor allocates with new.
//
// Supported order of calls: init at any time; create for each instance;
// then per instance, in any order and number, open, save, action and pairs
// of show and hide; destroy for each instance; finish once, last.
//
// Threads: the module has no thread, timer or lock of its own. The host
// makes one call at a time; show, hide and the panel's pick handler run on
// the thread that runs the host's windows, and no other export runs while
// the pick handler does. Process-wide state (shared by all instances): the
// driver binding (k8055d.h: the library, its entry table, DriverTried,
// DriverReady) and the card slots (CardStatus).
#include <cstdint>
#include <type_traits>

#include "module/card_slots.h"
#include "module/instance.h"
#include "module/module_abi.h"
#include "module/output_action.h"
#include "module/settings_text.h"
#include "panel/panel.h"

#define EXPORT extern "C" TARNWELL_CDECL

// Any time, also before create; any thread. Touches no state.
EXPORT int32_t init(char* buffer, uint32_t size) { return ModuleInformation(buffer, size); }

// Before any other instance call. The first call of the process loads the
// vendor library (driver binding); later calls only read DriverReady.
EXPORT TOutputInstance* create(int32_t hostTag) { return CreateInstance(hostTag); }

// After create, on the windows' thread if a panel is still shown. Removes
// the panel; leaves the card slots and the driver binding alone.
EXPORT void destroy(TOutputInstance* instance) { DestroyInstance(instance); }

// Once, last, after every destroy. Closes the open boards (CardStatus) and
// frees the vendor library (driver binding).
EXPORT void finish() { FinishModule(); }

// Between create and destroy, as often as the host outputs. Reads the card
// slots; selects the board and sends one command through the driver.
EXPORT uint8_t action(TOutputInstance* instance, int32_t channel, int32_t, int32_t, int32_t,
                      const uint16_t* samples) {
  return OutputAction(instance, channel, samples);
}

// Between create and destroy. May open the restored card's slot (CardStatus,
// OpenDevice).
EXPORT void open(TOutputInstance* instance, const char* settings) { OpenSettings(instance, settings); }

// Between create and destroy. Touches no process-wide state.
EXPORT int32_t save(TOutputInstance* instance, char* buffer, uint32_t size) {
  return SaveSettings(instance, buffer, size);
}

// Between create and destroy, on the thread that runs parent's messages.
// Tries every closed card slot (CardStatus, OpenDevice); the pick handler
// it installs later opens the picked card's slot on that thread.
EXPORT void show(TOutputInstance* instance, TWindowHandle parent) {
  ShowPanel(instance, reinterpret_cast<uintptr_t>(parent));
}

// After show, on the same thread. Touches no process-wide state.
EXPORT void hide(TOutputInstance* instance) { HidePanel(instance); }

// Every export has exactly the type a host binds it with.
#define CHECK_EXPORT_TYPE(name, type) static_assert(std::is_same_v<decltype(&name), type>, #name);
MODULE_EXPORT_LIST(CHECK_EXPORT_TYPE)
#undef CHECK_EXPORT_TYPE
