// play: the rows of a file through action, in real time, until the last
// row or Ctrl+C; then finish, as a host ends.
#include <windows.h>

#include <array>
#include <cstdio>
#include <map>

#include "test_host/commands.h"
#include "test_host/exit_status.h"
#include "test_host/module_session.h"
#include "test_host/play_schedule.h"
#include "test_host/samples_file.h"
#include "test_host/stop_request.h"
#include "test_host/text_file.h"

namespace {

class TWindowsClock : public TPlayClock {
 public:
  TWindowsClock() { QueryPerformanceFrequency(&Frequency_); }
  int64_t NowMs() override {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000 / Frequency_.QuadPart;
  }
  bool WaitUntil(int64_t ms) override {
    for (int64_t now = NowMs(); now < ms; now = NowMs())
      if (WaitForSingleObject(StopRequest(), static_cast<DWORD>(ms - now)) == WAIT_OBJECT_0) return false;
    return WaitForSingleObject(StopRequest(), 0) != WAIT_OBJECT_0;
  }

 private:
  LARGE_INTEGER Frequency_;
};

// Sends each row as 1024 samples of its value to the instance of its card;
// shows a progress line when stderr is a console.
class TModuleTarget : public TPlayTarget {
 public:
  TModuleTarget(const TModuleApi& api, const std::map<int32_t, TOutputInstance*>& instances, size_t rowCount,
                int64_t lengthMs)
      : Api_(api), Instances_(instances), RowCount_(rowCount), LengthMs_(lengthMs) {
    DWORD mode;
    Console_ = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
  }
  ~TModuleTarget() {
    if (Shown_) std::fputs("\n", stderr);
  }
  void Send(const TPlayRow& row) override {
    Samples_.fill(static_cast<uint16_t>(row.Value));
    Api_.action(Instances_.at(row.Card), row.Channel, 0, 0, 0, Samples_.data());
  }
  void Progress(size_t rowsSent, int64_t elapsedMs) override {
    if (!Console_ || (elapsedMs - ShownAtMs_ < 100 && rowsSent < RowCount_ && Shown_)) return;
    std::fprintf(stderr, "\rplay: %.1f s of %.1f s, row %u of %u ", elapsedMs / 1000.0, LengthMs_ / 1000.0,
                 static_cast<unsigned>(rowsSent), static_cast<unsigned>(RowCount_));
    std::fflush(stderr);
    Shown_ = true;
    ShownAtMs_ = elapsedMs;
  }

 private:
  const TModuleApi& Api_;
  const std::map<int32_t, TOutputInstance*>& Instances_;
  std::array<uint16_t, SamplesPerBlock> Samples_;
  size_t RowCount_;
  int64_t LengthMs_;
  bool Console_;
  bool Shown_ = false;
  int64_t ShownAtMs_ = 0;
};

// One instance per card of the rows, each restored to its card.
int CreateInstances(const TCommand& command, const std::vector<TPlayRow>& rows, TModuleSession& session,
                    std::map<int32_t, TOutputInstance*>& instances, std::string& error) {
  TOutputInstance* first = nullptr;
  if (const int status = CreateReadyInstance(command, session, first, error)) return status;
  for (const TPlayRow& row : rows) {
    if (instances.count(row.Card)) continue;
    TOutputInstance* instance = instances.empty() ? first : session.Create(error);
    if (instance == nullptr) return ExitUnusable;
    session.Api.open(instance, std::to_string(row.Card).c_str());
    instances[row.Card] = instance;
  }
  return ExitDone;
}

std::string CardNames(const std::map<int32_t, TOutputInstance*>& instances) {
  std::string names = instances.size() > 1 ? "cards " : "card ";
  for (const auto& entry : instances)
    names += (entry.first == instances.begin()->first ? "" : ", ") + std::to_string(entry.first);
  return names;
}

}  // namespace

int RunPlay(const TCommand& command) {
  std::string text, error;
  std::vector<TPlayRow> rows;
  if (!ReadTextFile(command.PlayFile, text, error)) return Fail(ExitBadInput, "play: " + error);
  if (!ParsePlayFile(text, command.Card, rows, error))
    return Fail(ExitBadInput, "play: " + command.PlayFile + " " + error);

  TModuleSession session;
  std::map<int32_t, TOutputInstance*> instances;
  if (const int status = CreateInstances(command, rows, session, instances, error)) return Fail(status, error);
  StopRequest();
  const int64_t lengthMs = rows.back().TimeMs;
  std::printf("playing %s: %u rows over %.1f s to %s (Ctrl+C stops)\n", command.PlayFile.c_str(),
              static_cast<unsigned>(rows.size()), lengthMs / 1000.0, CardNames(instances).c_str());
  std::fflush(stdout);

  TWindowsClock clock;
  TPlayResult result;
  {
    TModuleTarget target(session.Api, instances, rows.size(), lengthMs);
    result = PlayRows(rows, clock, target);
  }
  if (result.Stopped) {
    std::printf("stopped by Ctrl+C after %u of %u rows (%.1f s)\n", static_cast<unsigned>(result.RowsSent),
                static_cast<unsigned>(rows.size()), result.ElapsedMs / 1000.0);
    return ExitStopped;
  }
  std::printf("played %u rows in %.1f s\n", static_cast<unsigned>(result.RowsSent), result.ElapsedMs / 1000.0);
  return ExitDone;
}
