#include "test_host/console/output_queue.h"

namespace {

bool RedrawsStatusLine(const std::string& text) { return !text.empty() && text.front() == '\r'; }

}  // namespace

TOutputQueue::TOutputQueue(TSink sink) : Sink_(std::move(sink)), Writer_([this] { WriteAll(); }) {}

TOutputQueue::~TOutputQueue() {
  {
    std::lock_guard<std::mutex> lock(Mutex_);
    Ending_ = true;
  }
  Changed_.notify_all();
  Writer_.join();
}

void TOutputQueue::Post(TOutputStream stream, std::string text) {
  {
    std::lock_guard<std::mutex> lock(Mutex_);
    if (RedrawsStatusLine(text) && !Waiting_.empty() && Waiting_.back().first == stream &&
        RedrawsStatusLine(Waiting_.back().second))
      Waiting_.back().second = std::move(text);
    else
      Waiting_.emplace_back(stream, std::move(text));
  }
  Changed_.notify_all();
}

void TOutputQueue::Flush() {
  std::unique_lock<std::mutex> lock(Mutex_);
  Changed_.wait(lock, [this] { return Waiting_.empty() && !Writing_; });
}

void TOutputQueue::WriteAll() {
  std::unique_lock<std::mutex> lock(Mutex_);
  for (;;) {
    Changed_.wait(lock, [this] { return !Waiting_.empty() || Ending_; });
    if (Waiting_.empty()) return;  // ending, and everything written
    const auto [stream, text] = std::move(Waiting_.front());
    Waiting_.pop_front();
    Writing_ = true;
    lock.unlock();
    Sink_(stream, text);
    lock.lock();
    Writing_ = false;
    Changed_.notify_all();
  }
}
