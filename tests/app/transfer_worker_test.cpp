// RunTransferWorker: the work runs on another thread, what it tells its sink reaches the window's sink
// on the calling thread in order, the window is pumped meanwhile, and a cancel and a failure get across.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/transfer_worker.h"

namespace {

class CThreadRecordingSink : public CProgressSink {
public:
  void SetStatus(const std::string& text) override { Record("status:" + text); }
  void SetFileText(const std::string& text) override { Record("file:" + text); }
  void SetProgress(unsigned long long received, unsigned long long total) override {
    Record("progress:" + std::to_string(received) + "/" + std::to_string(total));
  }
  void SetCountText(const std::string& text) override { Record("count:" + text); }
  bool IsCancelled() override { return cancelAfterPumps >= 0 && pumps >= cancelAfterPumps && !cancelGiven++; }
  void Pump() override {
    ++pumps;
    if (std::this_thread::get_id() != owner) ++foreignCalls;
  }

  std::vector<std::string> calls;
  std::thread::id owner = std::this_thread::get_id();
  int foreignCalls = 0;
  int pumps = 0;
  int cancelAfterPumps = -1;
  int cancelGiven = 0;

private:
  void Record(const std::string& call) {
    if (std::this_thread::get_id() != owner) ++foreignCalls;
    calls.push_back(call);
  }
};

TEST(TransferWorker, RelaysInOrderOnTheCallingThread) {
  CThreadRecordingSink sink;
  std::thread::id workThread;
  RunTransferWorker(&sink, [&](CProgressSink* s) {
    workThread = std::this_thread::get_id();
    s->SetStatus("one");
    s->SetFileText("index.rdf");
    s->SetProgress(1, 2);
    s->SetCountText("1/2");
    s->SetStatus("two");
  });
  EXPECT_NE(workThread, sink.owner);
  EXPECT_EQ(sink.calls, (std::vector<std::string>{"status:one", "file:index.rdf", "progress:1/2", "count:1/2", "status:two"}));
  EXPECT_EQ(sink.foreignCalls, 0);

  // Without a sink the work runs here, with none.
  bool ran = false;
  RunTransferWorker(nullptr, [&](CProgressSink* s) {
    ran = s == nullptr && std::this_thread::get_id() == sink.owner;
  });
  EXPECT_TRUE(ran);
}

TEST(TransferWorker, PumpsWhileTheWorkWaitsAndPassesTheCancelOn) {
  // The work waits for the cancel, which exists only after the window has been pumped three times.
  CThreadRecordingSink sink;
  sink.cancelAfterPumps = 3;
  RunTransferWorker(&sink, [](CProgressSink* s) {
    while (!s->IsCancelled()) std::this_thread::yield();
    s->SetStatus("stopped");
  });
  EXPECT_GE(sink.pumps, 3);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"status:stopped"});
}

TEST(TransferWorker, AFailureOfTheWorkIsThrownHere) {
  CThreadRecordingSink sink;
  EXPECT_THROW(RunTransferWorker(&sink,
                                 [](CProgressSink* s) {
                                   s->SetStatus("before");
                                   throw std::runtime_error("broken");
                                 }),
               std::runtime_error);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"status:before"});
}

}  // namespace
