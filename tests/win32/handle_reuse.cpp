#include "tests/win32/handle_reuse.h"

#include <vector>

namespace {

constexpr char PlainClass[] = "TarnwellTestPlain";

// The table slot and the reuse count of a handle value.
WORD Slot(HWND window) { return LOWORD(reinterpret_cast<UINT_PTR>(window)); }
WORD Reuses(HWND window) { return HIWORD(reinterpret_cast<UINT_PTR>(window)); }

// The count the slot carries one window before wanted's (the count runs
// 1 ... 0xFFFE and starts again at 1).
WORD ReusesBefore(HWND wanted) { return Reuses(wanted) == 1 ? 0xFFFE : Reuses(wanted) - 1; }

HWND MakePlain(HWND parent) {
  return CreateWindowExA(0, PlainClass, "", WS_CHILD, 0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND MakeWindowWithHandle(HWND wanted, HWND parent, HWND (*create)(HWND parent)) {
  WNDCLASSA plain = {};
  plain.lpfnWndProc = DefWindowProcA;
  plain.hInstance = GetModuleHandleA(nullptr);
  plain.lpszClassName = PlainClass;
  RegisterClassA(&plain);  // fails harmlessly when registered already

  // A freed slot is the first to be used again; windows that land in other
  // slots are kept meanwhile, so that the wanted slot comes up.
  std::vector<HWND> kept;
  HWND made = nullptr;
  // A slot taken by a live window does not come up: a bound on the windows kept.
  for (int tries = 0; tries < 0x20000 && kept.size() < 1000 && made == nullptr; ++tries) {
    HWND window = MakePlain(parent);
    if (window == nullptr) break;
    if (Slot(window) != Slot(wanted)) {
      kept.push_back(window);
      continue;
    }
    const bool nextIsWanted = Reuses(window) == ReusesBefore(wanted);
    DestroyWindow(window);
    if (nextIsWanted) made = create(parent);
  }
  for (HWND window : kept) DestroyWindow(window);
  if (made == wanted) return made;
  if (made != nullptr) DestroyWindow(made);
  return nullptr;
}
