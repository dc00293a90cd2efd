#include "test_host/session/card_outputs_win32.h"

#include "k8055d/vendor_entries.h"

#include "test_host/session/board_source_win32.h"
#include "test_host/session/card_report.h"
#include "test_host/session/channel_list.h"
#include "test_host/console/exit_status_win32.h"
#include "test_host/session/vendor_call_watch_win32.h"

int TCardOutputs::Open(const TLoadPaths& paths, const std::vector<int32_t>& cards, std::string& error) {
  TOutputInstance* instance = nullptr;
  if (const int status = CreateReadyInstance(paths, Session_, instance, error)) return status;
  if (!Session_.CallsWatched) {
    error = Session_.Path + " does not look up " VENDOR_LIBRARY_FILE
            "'s entry points with GetProcAddress, so the test host cannot tell whether anything reaches a board";
    return ExitUnusable;
  }
  for (const int32_t card : cards) {
    if (Instances_.count(card)) continue;
    if (instance == nullptr && (instance = Session_.Create(error)) == nullptr) return ExitUnusable;
    Session_.Api.open(instance, std::to_string(card).c_str());
    Instances_[card] = instance;
    instance = nullptr;
  }
  return ExitDone;
}

bool TCardOutputs::Answers(int32_t card) const { return OpenDeviceResult(card - 1) >= 0; }

std::string TCardOutputs::Unanswered(int32_t card) const { return CardNotReached(card, OpenDeviceResult(card - 1)); }

std::string TCardOutputs::NotReached(int32_t card, const std::string& consequence) const {
  const std::string what = Unanswered(card) + ": " + consequence;
  return OpenDeviceResult(card - 1) == -1 ? what + ". " + WhyCardDoesNotAnswer(ReadBoardSource(), card) : what;
}

size_t TCardOutputs::FailedTransfers() const { return FailedTransferCount(); }

std::vector<std::string> TCardOutputs::WhyNotAnswering() const {
  std::vector<int32_t> cards;
  for (const auto& entry : Instances_)
    if (OpenDeviceResult(entry.first - 1) == -1) cards.push_back(entry.first);
  return cards.empty() ? std::vector<std::string>{}
                       : WhyCardsDoNotAnswer(ReadBoardSource(), cards, NoCardAddressAnswers());
}

std::string TCardOutputs::DroppedReason(int32_t card) const { return WhyCardWasDropped(ReadBoardSource(), card); }

std::vector<int32_t> TCardOutputs::Answering() const {
  std::vector<int32_t> cards;
  for (const auto& entry : Instances_)
    if (Answers(entry.first)) cards.push_back(entry.first);
  return cards;
}

std::vector<int32_t> TCardOutputs::Dropped() const {
  std::vector<int32_t> cards;
  for (const int32_t card : Answering())
    if (BoardDropped(card - 1)) cards.push_back(card);
  return cards;
}

bool TCardOutputs::Send(int32_t card, int32_t channel, const uint16_t* samples) {
  const uint32_t before = OutputCallCount();
  Session_.Api.action(Instances_.at(card), channel, 0, 0, 0, samples);
  return OutputCallCount() != before;
}

bool TCardOutputs::Send(const TPlayRow& row) {
  if (!Answers(row.Card)) return false;
  Samples_.fill(static_cast<uint16_t>(row.Value));
  return Send(row.Card, row.Channel, Samples_.data());
}

std::vector<std::string> TCardOutputs::ChannelNames() const {
  const TOutputInstance& record = *Instances_.begin()->second;
  return SplitChannelList(record.ChannelNames, record.ChannelCount);
}
