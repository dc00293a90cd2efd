// A host's window into which tests embed the settings panel, and the panel's
// windows as a host or test tool finds them: by class and text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/module_host.h"

inline constexpr char PanelClass[] = "TarnwellGroupBox";
inline constexpr char PanelCaption[] = "Velleman K8055D Settings";

struct TListEntry {
  std::string Text;
  int Value;
  bool operator==(const TListEntry& other) const { return Text == other.Text && Value == other.Value; }
};

class THostWindow {
 public:
  THostWindow();
  ~THostWindow();  // destroys the window unless the test did
  THostWindow(const THostWindow&) = delete;
  THostWindow& operator=(const THostWindow&) = delete;

  HWND Handle = nullptr;
  void Close();

  HWND GroupBox() const { return FindWindowExA(Handle, nullptr, PanelClass, PanelCaption); }
  HWND Label() const { return FindWindowExA(GroupBox(), nullptr, "Static", "Card address:"); }
  HWND Combo() const { return FindWindowExA(GroupBox(), nullptr, "ComboBox", nullptr); }
  int PanelCount() const;
};

// A module, a host window, and one instance whose panel is shown in it.
struct TShownPanel {
  // answering: VIRTUAL_K8055_BOARDS; settings: given to open before show.
  explicit TShownPanel(const char* boardFolder, const char* answering = nullptr, const char* settings = nullptr);
  ~TShownPanel();  // destroys the instance
  TModuleHost Host;
  THostWindow Window;
  TOutputInstance* Instance = nullptr;
};

// Whether the panel's window class is registered for the module.
bool PanelClassRegistered(HMODULE module);
// A group box of this process's left at the top level, or null. Only this
// process's: the module makes each group box at the top level before it
// joins the host's window, so one of a test running beside this one may be
// there for a moment.
HWND OwnTopLevelPanel();
// A window's rectangle in its parent's client area: left, top, width, height.
std::vector<int> BoundsInParent(HWND window);
std::string WindowText(HWND window);
std::vector<TListEntry> ListEntries(HWND combo);
int Selection(HWND combo);
// What save writes for the instance.
std::string Saved(const TModuleHost& host, TOutputInstance* instance);
// Live GDI objects of the process, counted in wine's GDI handle table
// (GetGuiResources is a stub there), in a 32-bit prefix and a 64-bit one
// alike; -1 when there is no table.
int LiveGdiObjects();
void PumpMessages();
