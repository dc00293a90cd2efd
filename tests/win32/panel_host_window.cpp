#include "tests/win32/panel_host_window.h"

#include <cstdint>

namespace {

constexpr char HostClass[] = "TarnwellTestHost";

// A 32-bit address read from a 64-bit field; null when it lies above 4 GiB.
const uint8_t* Below4GiB(uint64_t address) {
  return address <= UINT32_MAX ? reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(address)) : nullptr;
}

// The GDI handle table that wine shares with the process: 65536 entries of
// 24 bytes, the object's type in byte 14 (0 for a free entry), named by the
// PEB's GdiSharedHandleTable. In a 32-bit prefix the 32-bit PEB names it; in
// a 64-bit prefix (WoW64) only the 64-bit PEB does, reached through the
// 64-bit TEB, whose address wine keeps in the 32-bit TEB's GdiBatchCount.
const uint8_t* GdiHandleTable() {
  const auto* teb = reinterpret_cast<const uint8_t*>(__readfsdword(0x18));
  const auto* peb = *reinterpret_cast<const uint8_t* const*>(teb + 0x30);
  if (const auto* table = *reinterpret_cast<const uint8_t* const*>(peb + 0x94)) return table;
  BOOL wow64 = FALSE;
  const uint32_t teb64 = *reinterpret_cast<const uint32_t*>(teb + 0xf70);
  if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64 || teb64 == 0) return nullptr;
  const uint8_t* peb64 = Below4GiB(*reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(teb64) + 0x60));
  return peb64 != nullptr ? Below4GiB(*reinterpret_cast<const uint64_t*>(peb64 + 0xf8)) : nullptr;
}

}  // namespace

THostWindow::THostWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = HostClass;
  RegisterClassA(&windowClass);  // fails harmlessly when registered already
  Handle = CreateWindowExA(0, HostClass, "Panel host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 760,
                           230, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  PumpMessages();
}

THostWindow::~THostWindow() { Close(); }

void THostWindow::Close() {
  if (Handle != nullptr) DestroyWindow(Handle);
  Handle = nullptr;
  PumpMessages();
}

int THostWindow::PanelCount() const {
  int count = 0;
  for (HWND box = nullptr; (box = FindWindowExA(Handle, box, PanelClass, nullptr)) != nullptr;) ++count;
  return count;
}

HWND OwnTopLevelPanel() {
  for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, PanelClass, nullptr)) != nullptr;) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId()) return box;
  }
  return nullptr;
}

TShownPanel::TShownPanel(const char* boardFolder, const char* answering, const char* settings) : Host(boardFolder) {
  SetEnvironmentVariableA("VIRTUAL_K8055_BOARDS", answering);
  Instance = Host.Api.create(1);
  if (settings != nullptr) Host.Api.open(Instance, settings);
  Host.Api.show(Instance, Window.Handle);
}

TShownPanel::~TShownPanel() { Host.Api.destroy(Instance); }

bool PanelClassRegistered(HMODULE module) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  return GetClassInfoExA(module, PanelClass, &windowClass) != 0;
}

std::vector<int> BoundsInParent(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

std::string WindowText(HWND window) {
  char text[256];
  return std::string(text, static_cast<size_t>(GetWindowTextA(window, text, sizeof(text))));
}

std::vector<TListEntry> ListEntries(HWND combo) {
  std::vector<TListEntry> entries;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back({text, static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, i, 0))});
  }
  return entries;
}

int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

std::string Saved(const TModuleHost& host, TOutputInstance* instance) {
  char buffer[32];
  host.Api.save(instance, buffer, sizeof(buffer) - 1);
  return buffer;
}

int LiveGdiObjects() {
  const uint8_t* table = GdiHandleTable();
  if (table == nullptr) return -1;
  int live = 0;
  for (int entry = 0; entry < 0x10000; ++entry) live += table[entry * 24 + 14] != 0 ? 1 : 0;
  return live;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
