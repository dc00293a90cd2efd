// The test host's output goes through a writer thread, so that the thread
// that times the rows or runs the windows never waits for the console: a
// console holds every write while the user selects text in it (a click
// with QuickEdit on, or Mark) or has paused it.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

enum class TOutputStream { Out, Err };

class TOutputQueue {
 public:
  using TSink = std::function<void(TOutputStream stream, const std::string& text)>;

  // Starts the writer thread, which hands each text to sink in turn.
  explicit TOutputQueue(TSink sink);
  // Writes what still waits, then ends the writer thread.
  ~TOutputQueue();
  TOutputQueue(const TOutputQueue&) = delete;
  TOutputQueue& operator=(const TOutputQueue&) = delete;

  // Returns at once. A text that starts with "\r" redraws a status line:
  // one still waiting for the same stream at the end of the queue is
  // replaced by it, so that a held console gathers no backlog of them.
  void Post(TOutputStream stream, std::string text);
  // Waits until everything posted so far has been written.
  void Flush();

 private:
  void WriteAll();

  TSink Sink_;
  std::mutex Mutex_;
  std::condition_variable Changed_;
  std::deque<std::pair<TOutputStream, std::string>> Waiting_;
  bool Writing_ = false;  // the writer holds a text taken from the queue
  bool Ending_ = false;
  std::thread Writer_;
};
