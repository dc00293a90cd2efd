// Why a card has no board, in the user's words and with what to do: told
// from what the k8055d.dll in use is (the vendor's library, the virtual
// board's boards, or the virtual board watching the vendor's library, which
// it may refuse) and from the library's answers the module got, never from
// calls of the test host's own into the library. One place for these
// reasons, so that cards, set, play, try and the others say the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "virtual_board/board_settings.h"

enum class TBoardSourceKind : uint8_t {
  VendorLibrary,  // the vendor's library itself
  VirtualBoards,  // the virtual board's boards in memory
  Watch,          // the virtual board passing each call on to the vendor's library
  RefusedWatch,   // the virtual board refusing the library that forward names
};

struct TBoardSource {
  TBoardSourceKind Kind = TBoardSourceKind::VendorLibrary;
  std::string Library;  // the vendor's library: the k8055d.dll in use, or the one watched
  std::string Refusal;  // RefusedWatch: the board's reason, "forward library PATH does not exist"
  // VirtualBoards: the settings that decide which boards answer.
  uint8_t Boards = 0;
  std::string BoardsOrigin;  // "k8055d.ini", "VIRTUAL_K8055_BOARDS" or "default"
  TUnplugTimes Unplug[CardAddressCount] = {};
  std::string UnplugOrigin;
};

// The board's settings as a source: the watch, refused with refusal when
// that is not empty, or the virtual boards.
TBoardSource VirtualBoardSource(const TBoardSettings& settings, const std::string& refusal);

// For a card whose OpenDevice answered -1: why, and what to do, one or two
// sentences, e.g. "The virtual board has no board at card address 2: its
// setting boards = 0,1 (k8055d.ini) does not list 2. Add it there to have
// one."
std::string WhyCardDoesNotAnswer(const TBoardSource& source, int32_t card);

// When every card address was tried and none answered: why, said once for
// all four, and what to do, in sentences.
std::string WhyNoCardAnswers(const TBoardSource& source);

// For several cards whose OpenDevice answered -1: each reason once, as
// lines without their ends. One for all when the library is refused or
// when noAddressAnswers (all four were tried and none answered), else one
// a card, "card 3 (card address 2): ...".
std::vector<std::string> WhyCardsDoNotAnswer(const TBoardSource& source, const std::vector<int32_t>& cards,
                                             bool noAddressAnswers);

// For a card whose board the library dropped while it ran (a failed
// transfer): what happened and what to do.
std::string WhyCardWasDropped(const TBoardSource& source, int32_t card);
