#include "app/transfer_worker.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/curl_global.h"

namespace {

// How long the calling thread waits for news before it lets the window's events through again.
constexpr auto kPumpInterval = std::chrono::milliseconds(20);

using SinkCall = std::function<void(CProgressSink&)>;

// The worker's sink: it queues each call for the calling thread.
class CRelaySink : public CProgressSink {
public:
  void SetStatus(const std::string& text) override {
    Queue([text](CProgressSink& s) { s.SetStatus(text); });
  }
  void SetFileText(const std::string& text) override {
    Queue([text](CProgressSink& s) { s.SetFileText(text); });
  }
  void SetProgress(unsigned long long received, unsigned long long total) override {
    Queue([received, total](CProgressSink& s) { s.SetProgress(received, total); });
  }
  void SetCountText(const std::string& text) override {
    Queue([text](CProgressSink& s) { s.SetCountText(text); });
  }
  bool IsCancelled() override { return m_cancelled.exchange(false); }

  void Cancel() { m_cancelled = true; }
  void Finish() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_finished = true;
    m_wake.notify_one();
  }
  // Waits at most `wait` for calls or the end; returns the calls queued so far and whether the work
  // has ended.
  bool Take(std::deque<SinkCall>& calls, std::chrono::milliseconds wait) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait_for(lock, wait, [this] { return m_finished || !m_calls.empty(); });
    calls.swap(m_calls);
    return m_finished;
  }

private:
  void Queue(SinkCall call) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back(std::move(call));
    m_wake.notify_one();
  }

  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::deque<SinkCall> m_calls;
  bool m_finished = false;
  std::atomic<bool> m_cancelled{false};
};

}  // namespace

void RunTransferWorker(CProgressSink* sink, const std::function<void(CProgressSink*)>& work) {
  if (!sink) {
    work(nullptr);
    return;
  }
  EnsureCurlInitialised();  // once, before any thread uses libcurl
  CRelaySink relay;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work(&relay);
    } catch (...) {
      failure = std::current_exception();
    }
    relay.Finish();
  });
  std::deque<SinkCall> calls;
  for (;;) {
    const bool finished = relay.Take(calls, kPumpInterval);
    for (const SinkCall& call : calls) call(*sink);
    calls.clear();
    if (finished) break;
    sink->Pump();
    if (sink->IsCancelled()) relay.Cancel();
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
}
