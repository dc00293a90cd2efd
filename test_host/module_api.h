// The nine exports of an output module, bound by name as a host binds them.
#pragma once

#include <windows.h>

#include <cstdint>

struct TOutputInstance;

struct TModuleApi {
  int32_t(__cdecl* init)(char* buffer, uint32_t size);
  TOutputInstance*(__cdecl* create)(int32_t hostTag);
  void(__cdecl* destroy)(TOutputInstance* instance);
  void(__cdecl* finish)();
  uint8_t(__cdecl* action)(TOutputInstance* instance, int32_t channel, int32_t, int32_t, int32_t,
                           const uint16_t* samples);
  void(__cdecl* open)(TOutputInstance* instance, const char* settings);
  int32_t(__cdecl* save)(TOutputInstance* instance, char* buffer, uint32_t size);
  void(__cdecl* show)(TOutputInstance* instance, HWND parent);
  void(__cdecl* hide)(TOutputInstance* instance);
};

// Looks up all nine exports of module; returns the first missing name, or
// null when every export was found.
inline const char* BindModuleApi(HMODULE module, TModuleApi& api) {
  struct {
    const char* Name;
    FARPROC* Slot;
  } exports[] = {
      {"init", reinterpret_cast<FARPROC*>(&api.init)},     {"create", reinterpret_cast<FARPROC*>(&api.create)},
      {"destroy", reinterpret_cast<FARPROC*>(&api.destroy)}, {"finish", reinterpret_cast<FARPROC*>(&api.finish)},
      {"action", reinterpret_cast<FARPROC*>(&api.action)}, {"open", reinterpret_cast<FARPROC*>(&api.open)},
      {"save", reinterpret_cast<FARPROC*>(&api.save)},     {"show", reinterpret_cast<FARPROC*>(&api.show)},
      {"hide", reinterpret_cast<FARPROC*>(&api.hide)},
  };
  for (const auto& entry : exports) {
    *entry.Slot = GetProcAddress(module, entry.Name);
    if (*entry.Slot == nullptr) return entry.Name;
  }
  return nullptr;
}
