#include "support/recording_interaction.h"

#include "platform/text_codec.h"

namespace {

class CRecordingProgress : public CProgressSink {
public:
  explicit CRecordingProgress(CRecordingInteraction& owner) : m_owner(owner) {}
  ~CRecordingProgress() override { m_owner.events.push_back("close"); }
  void SetStatus(const std::string& text) override { m_owner.events.push_back("status:" + AnsiToUtf8(text)); }
  void SetFileText(const std::string& text) override { m_owner.events.push_back("file:" + AnsiToUtf8(text)); }
  void SetProgress(unsigned long long received, unsigned long long total) override {
    m_received = received;
    std::string e = "progress:" + std::to_string(received) + "/" + std::to_string(total);
    // Repeated reports of the same numbers add nothing to the record.
    if (m_owner.events.empty() || m_owner.events.back() != e) m_owner.events.push_back(e);
  }
  void SetCountText(const std::string& text) override {
    std::string e = "count:" + AnsiToUtf8(text);
    if (m_owner.events.empty() || m_owner.events.back() != e) m_owner.events.push_back(e);
  }
  bool IsCancelled() override { return m_owner.cancelWhen && m_owner.cancelWhen(m_received); }
  void Pump() override { ++m_owner.pumped; }

private:
  CRecordingInteraction& m_owner;
  unsigned long long m_received = 0;
};

}  // namespace

CProgressSink* CRecordingInteraction::CreateProgress(const std::string& title, bool cancellable) {
  events.push_back("open:" + AnsiToUtf8(title) + (cancellable ? " (cancellable)" : ""));
  return new CRecordingProgress(*this);
}

std::vector<std::string> CRecordingInteraction::Events(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& e : events) {
    if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e.substr(prefix.size()));
  }
  return out;
}
