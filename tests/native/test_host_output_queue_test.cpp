// The test host's output queue: a held console (a sink that blocks) never
// holds up the thread that posts, the texts arrive in order and whole,
// status lines do not pile up, and nothing posted is lost at the end.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "test_host/console/output_queue.h"

namespace {

using namespace std::chrono_literals;

// A sink that records what it gets, and holds every write while closed.
class THeldSink {
 public:
  void Write(TOutputStream stream, const std::string& text) {
    std::unique_lock<std::mutex> lock(Mutex_);
    Opened_.wait(lock, [this] { return Open_; });
    Written.push_back((stream == TOutputStream::Err ? "err " : "out ") + text);
  }
  void Open() {
    {
      std::lock_guard<std::mutex> lock(Mutex_);
      Open_ = true;
    }
    Opened_.notify_all();
  }
  std::vector<std::string> Written;

 private:
  std::mutex Mutex_;
  std::condition_variable Opened_;
  bool Open_ = false;
};

TEST(TestHostOutputQueue, AHeldConsoleHoldsUpNoPoster) {
  THeldSink sink;
  TOutputQueue queue([&sink](TOutputStream stream, const std::string& text) { sink.Write(stream, text); });
  auto posting = std::async(std::launch::async, [&queue] {
    queue.Post(TOutputStream::Out, "playing\n");
    for (int i = 0; i < 1000; ++i) queue.Post(TOutputStream::Err, "\rplay: row " + std::to_string(i));
    queue.Post(TOutputStream::Err, "\n");
    queue.Post(TOutputStream::Out, "done\n");
  });
  EXPECT_EQ(posting.wait_for(10s), std::future_status::ready) << "posting waited for the held console";
  sink.Open();
  queue.Flush();
  // The writer is held on the first text; the status lines that waited
  // behind it were replaced by the newest.
  const std::vector<std::string> expected = {"out playing\n", "err \rplay: row 999", "err \n", "out done\n"};
  EXPECT_EQ(sink.Written, expected);
}

TEST(TestHostOutputQueue, OnlyAWaitingStatusLineOfTheSameStreamIsReplaced) {
  THeldSink sink;
  TOutputQueue queue([&sink](TOutputStream stream, const std::string& text) { sink.Write(stream, text); });
  queue.Post(TOutputStream::Out, "first\n");  // taken by the writer, held there
  queue.Post(TOutputStream::Err, "\rA 1");
  queue.Post(TOutputStream::Out, "\rB 1");
  queue.Post(TOutputStream::Out, "\rB 2");
  queue.Post(TOutputStream::Err, "line\n");
  queue.Post(TOutputStream::Err, "\rA 2");
  sink.Open();
  queue.Flush();
  const std::vector<std::string> expected = {"out first\n", "err \rA 1", "out \rB 2", "err line\n", "err \rA 2"};
  EXPECT_EQ(sink.Written, expected);
}

TEST(TestHostOutputQueue, TheEndWritesWhatWaits) {
  THeldSink sink;
  auto ending = std::async(std::launch::async, [&sink] {
    TOutputQueue queue([&sink](TOutputStream stream, const std::string& text) { sink.Write(stream, text); });
    for (int i = 0; i < 100; ++i) queue.Post(TOutputStream::Out, std::to_string(i) + "\n");
  });
  EXPECT_EQ(ending.wait_for(100ms), std::future_status::timeout) << "the end waits for the held console";
  sink.Open();
  ending.wait();
  ASSERT_EQ(sink.Written.size(), 100u);
  EXPECT_EQ(sink.Written.back(), "out 99\n");
}

}  // namespace
