// The module's instances through which the test host drives the boards, one
// per card, each restored to its card as a host restores saved settings;
// and what the module's calls into k8055d.dll showed about them
// (vendor_call_watch_win32.h): whether the card answered, whether a block
// reached its board.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "test_host/session/module_session_win32.h"
#include "test_host/play/play_file.h"
#include "test_host/play/samples_file.h"

class TCardOutputs {
 public:
  explicit TCardOutputs(TModuleSession& session) : Session_(session) {}

  // Loads the module and makes one instance for each of cards (1 ... 4),
  // restored to it. Returns the exit status; error set unless ExitDone.
  int Open(const TLoadPaths& paths, const std::vector<int32_t>& cards, std::string& error);

  bool Answers(int32_t card) const;
  // "card 2 does not answer (card address 1)"
  std::string Unanswered(int32_t card) const;
  // That nothing reaches card, what follows, and why, with what to do:
  // "card 2 does not answer (card address 1): nothing sent. The virtual
  // board has no board at card address 1: ..." (board_absence.h).
  std::string NotReached(int32_t card, const std::string& consequence) const;
  // For the cards given to Open whose OpenDevice answered -1: why, each
  // reason once (board_absence.h: WhyCardsDoNotAnswer).
  std::vector<std::string> WhyNotAnswering() const;
  // For a card of Dropped(): what happened and what to do.
  std::string DroppedReason(int32_t card) const;
  // The cards given to Open that answer, in increasing order.
  std::vector<int32_t> Answering() const;
  // Those of them whose board the driver has dropped since.
  std::vector<int32_t> Dropped() const;

  // One block of samples to channel of card; true when it reached the
  // library. A send at which the library dropped the board shows only
  // later, in FailedTransferCount() (vendor_call_watch_win32.h).
  bool Send(int32_t card, int32_t channel, const uint16_t* samples);
  // The sends found since to have failed (vendor_call_watch_win32.h).
  size_t FailedTransfers() const;
  // A row as 1024 samples of its value; the row of a card that does not
  // answer is skipped. True when it reached the board.
  bool Send(const TPlayRow& row);
  // The channel names of the module's instances ("Digital output 1 status").
  std::vector<std::string> ChannelNames() const;

 private:
  TModuleSession& Session_;
  std::map<int32_t, TOutputInstance*> Instances_;
  std::array<uint16_t, SamplesPerBlock> Samples_{};
};
