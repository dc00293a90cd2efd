// Any settings text through open, then save: save writes the card in
// canonical decimal, open reads that text back to the same card, the card
// is what a strict decimal reading of the first field gives, and only a
// card 1 ... 4 reaches the vendor library, as one OpenDevice of its address.
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "module/instance.h"
#include "module/settings_text.h"
#include "tests/fakes/fake_vendor.h"

namespace {

using fake_vendor::State;

void Require(bool condition) {
  if (!condition) std::abort();
}

// Independent reading of the first field: "-" and digits within 32 bits.
int32_t ExpectedCard(const char* text) {
  const std::string_view all(text);
  const std::string_view field = all.substr(0, all.find(','));
  int32_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  return error == std::errc() && end == field.data() + field.size() ? value : 0;
}

std::string Saved(const TOutputInstance* instance) {
  char buffer[16];
  const int32_t length = SaveSettings(instance, buffer, sizeof(buffer) - 1);
  Require(length >= 0 && static_cast<size_t>(length) == std::strlen(buffer));
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fake_vendor::Reset();
  State.Answering = {0, 1, 2, 3};
  // The host's text ends at the first NUL.
  const std::string input(reinterpret_cast<const char*>(data), size);

  TOutputInstance* instance = CreateInstance(0);
  OpenSettings(instance, input.c_str());
  const int32_t card = instance->Details->Card;
  Require(card == ExpectedCard(input.c_str()));
  const std::string saved = Saved(instance);
  Require(saved == std::to_string(card));
  if (card >= 1 && card <= 4) {
    Require(State.Calls.size() == 1 && State.Calls[0] == "OpenDevice " + std::to_string(card - 1));
  } else {
    Require(State.Calls.empty());
  }

  TOutputInstance* fresh = CreateInstance(1);
  OpenSettings(fresh, saved.c_str());
  Require(fresh->Details->Card == card && Saved(fresh) == saved);
  DestroyInstance(fresh);
  DestroyInstance(instance);
  return 0;
}
