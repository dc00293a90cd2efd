#include "module/instance.h"

#include <cstring>
#include <new>

#include "common/allocation.h"
#include "common/common.h"
#include "k8055d/k8055d.h"
#include "panel/panel.h"

namespace {

// One entry per channel, each ended by "|": digital outputs 1 ... 8, then
// analog outputs 1 and 2, in the order the host numbers the channels.
constexpr char ChannelList[] =
    "Digital output 1 status|Digital output 2 status|Digital output 3 status|"
    "Digital output 4 status|Digital output 5 status|Digital output 6 status|"
    "Digital output 7 status|Digital output 8 status|"
    "Analog output 1 value|Analog output 2 value|";
static_assert(sizeof(ChannelList) - 1 == 236);
constexpr int EntriesIn(const char* list) { return *list == '\0' ? 0 : (*list == '|') + EntriesIn(list + 1); }
static_assert(EntriesIn(ChannelList) == ChannelCount, "one entry per channel");

constexpr char EmptyText[] = "";

}  // namespace

int32_t ModuleInformation(char* buffer, uint32_t size) {
  return TextToBuffer(ModuleInformationText, buffer, size);
}

TOutputInstance* CreateInstance(int32_t hostTag) {
  LoadDriverOnce();
  void* record = AllocateMemory(sizeof(TOutputInstance));
  void* names = AllocateMemory(ChannelNamesSize);
  void* details = AllocateMemory(sizeof(TDetails));
  if (record == nullptr || names == nullptr || details == nullptr) {
    ReleaseMemory(details);
    ReleaseMemory(names);
    ReleaseMemory(record);
    return nullptr;
  }

  auto* instance = new (record) TOutputInstance{};
  instance->HostTag = hostTag;
  instance->Caption = DriverReady() ? ReadyCaption : UnusableCaption;
  instance->Ready = DriverReady() ? 1 : 0;
  instance->Reserved1 = instance->Reserved2 = instance->Reserved3 = -1;
  instance->Reserved4 = instance->Reserved5 = -1;
  instance->ChannelCount = ChannelCount;
  instance->ExtraCount = 0;
  instance->ChannelNames = static_cast<char*>(std::memcpy(names, ChannelList, sizeof(ChannelList)));
  instance->ExtraNames = EmptyText;
  instance->Details = new (details) TDetails{};
  instance->Reserved7 = 0;
  return instance;
}

void DestroyInstance(TOutputInstance* instance) {
  if (instance == nullptr) return;
  HidePanel(instance);
  ReleaseMemory(instance->ChannelNames);
  ReleaseMemory(instance->Details);
  ReleaseMemory(instance);
}
