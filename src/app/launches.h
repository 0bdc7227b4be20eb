// Programs started for the user (viewers, editors, the desktop's opener) and what the user is told when
// one cannot run: which program, and why, in Japanese.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/user_message.h"

class CInteraction;

// The message for a launch that failed: refused, not started, or a launcher that ended with a failure.
// `role` names the program for the user ("RSSビューア", "HTMLエディタ"; empty for the desktop's own
// choice), `target` is what it was to open.
CUserMessage LaunchFailureMessage(const CLaunch& launch, int exitStatus, const std::string& role, const std::string& target);

// "HTMLエディタが見つかりません。..." when no editor is set and none was found.
CUserMessage NoEditorMessage();

// The launches still watched. A launcher that has not failed within a few seconds has started its
// program (xdg-open may run it until it ends), so later ends are not reported.
class CLaunchWatch {
public:
  // Shows at once what failed to start; keeps the rest to look at later.
  void Add(CInteraction& ui, CLaunch launch, const std::string& role, const std::string& target);
  // Shows the failures of launches that ended since; true while some are still watched.
  bool Check(CInteraction& ui);
  bool Empty() const { return m_watched.empty(); }

private:
  struct Watched {
    CLaunch launch;
    std::string role, target;
    std::chrono::steady_clock::time_point until;
  };
  std::vector<Watched> m_watched;
};
