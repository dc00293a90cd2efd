#include "test_host/session/board_absence.h"

#include <string_view>

#include "test_host/diagnosis/board_settings_report.h"
#include "test_host/session/card_report.h"

namespace {

constexpr std::string_view NoBoardAnswers = ": no board answers";  // how the board's refusal ends

std::string LibraryNamed(const TBoardSource& source) {
  if (source.Kind == TBoardSourceKind::Watch) return "the vendor's library (" + source.Library + ", watched by the virtual board)";
  return "the vendor's library" + (source.Library.empty() ? "" : " (" + source.Library + ")");
}

std::string Capitalized(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// The board's reason for refusing the library, without its own ending.
std::string Refusal(const TBoardSource& source) {
  std::string reason = source.Refusal;
  if (reason.size() >= NoBoardAnswers.size() &&
      std::string_view(reason).substr(reason.size() - NoBoardAnswers.size()) == NoBoardAnswers)
    reason.resize(reason.size() - NoBoardAnswers.size());
  return reason;
}

std::string RefusedWatch(const TBoardSource& source) {
  return "The virtual board passes no call on to the vendor's library and answers as one with no board: " +
         Refusal(source) + ". Name the vendor's library in the forward setting (k8055d.ini or " +
         ForwardVariable + ").";
}

std::string UnpluggedSettingText(const TBoardSource& source, int32_t address) {
  return "unplug = " + UnplugSettingText(address, source.Unplug[address]) + " (" + source.UnplugOrigin + ")";
}

}  // namespace

TBoardSource VirtualBoardSource(const TBoardSettings& settings, const std::string& refusal) {
  TBoardSource source;
  if (settings.Forward[0] != '\0') {
    source.Kind = refusal.empty() ? TBoardSourceKind::Watch : TBoardSourceKind::RefusedWatch;
    source.Library = settings.Forward;
    source.Refusal = refusal;
    return source;
  }
  source.Kind = TBoardSourceKind::VirtualBoards;
  source.Boards = settings.Boards;
  source.BoardsOrigin = SettingOrigin(settings.BoardsOrigin, BoardsVariable);
  for (int address = 0; address < CardAddressCount; ++address) source.Unplug[address] = settings.Unplug[address];
  source.UnplugOrigin = SettingOrigin(settings.UnplugOrigin, UnplugVariable);
  return source;
}

std::string WhyCardDoesNotAnswer(const TBoardSource& source, int32_t card) {
  const int32_t address = card - 1;
  const std::string number = std::to_string(address);
  switch (source.Kind) {
    case TBoardSourceKind::RefusedWatch: return RefusedWatch(source);
    case TBoardSourceKind::VirtualBoards:
      if (!(source.Boards >> address & 1))
        return "The virtual board has no board at card address " + number + ": its setting boards = " +
               BoardsSettingText(source.Boards) + " (" + source.BoardsOrigin + ") does not list " + number +
               ". Add it there to have one.";
      if (source.Unplug[address].At != 0)
        return "The virtual board's board at card address " + number + " was unplugged before it was opened, by " +
               UnpluggedSettingText(source, address) + ".";
      return "The virtual board's board at card address " + number +
             " was unplugged (its window's Unplug button) when it was opened. Plug it in there and start again.";
    case TBoardSourceKind::VendorLibrary:
    case TBoardSourceKind::Watch: break;
  }
  return Capitalized(LibraryNamed(source)) + " found no board with card address " + number +
         ". Check that the board is plugged in and that its jumpers set card address " + number +
         " (see Card addresses in the user guide); tarnwell_host cards lists the addresses that answer.";
}

std::string WhyNoCardAnswers(const TBoardSource& source) {
  switch (source.Kind) {
    case TBoardSourceKind::RefusedWatch: return RefusedWatch(source);
    case TBoardSourceKind::VirtualBoards:
      if (source.Boards == 0)
        return "The virtual board's setting boards = none (" + source.BoardsOrigin +
               ") gives it no board. List card addresses there, such as boards = 0,1.";
      return "The virtual board's boards were unplugged when they were opened.";
    case TBoardSourceKind::VendorLibrary:
    case TBoardSourceKind::Watch: break;
  }
  return Capitalized(LibraryNamed(source)) +
         " finds no K8055 board at any card address. Plug a board in (check its USB cable; Windows' Device Manager "
         "lists it under Human Interface Devices), then start again.";
}

std::vector<std::string> WhyCardsDoNotAnswer(const TBoardSource& source, const std::vector<int32_t>& cards,
                                             bool noAddressAnswers) {
  if (cards.empty()) return {};
  if (noAddressAnswers) return {WhyNoCardAnswers(source)};
  if (source.Kind == TBoardSourceKind::RefusedWatch) return {RefusedWatch(source)};
  std::vector<std::string> reasons;
  for (const int32_t card : cards) reasons.push_back(CardWithAddress(card) + ": " + WhyCardDoesNotAnswer(source, card));
  return reasons;
}

std::string WhyCardWasDropped(const TBoardSource& source, int32_t card) {
  const int32_t address = card - 1;
  if (source.Kind != TBoardSourceKind::VirtualBoards) return CardDropped(card);
  const std::string how = source.Unplug[address].At != 0 ? "by " + UnpluggedSettingText(source, address)
                                                          : "with its window's Unplug button";
  return CardWithAddress(card) + " stopped answering: the virtual board's board was unplugged " + how +
         ", and the driver dropped it at the next command, as with a real board; nothing was sent to it from "
         "then on. It is taken back only when a program opens the boards anew: start again.";
}
