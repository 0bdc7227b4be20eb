// A scripted interaction whose progress windows record what they were told, in one shared log.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/scripted_interaction.h"

class CRecordingInteraction : public CScriptedInteraction {
public:
  // Everything progress windows were told, in order, UTF-8: "open:<title>", "status:<text>",
  // "file:<text>", "progress:<received>/<total>", "count:<text>", "close".
  std::vector<std::string> events;
  // Called by IsCancelled with the bytes received so far; true cancels.
  std::function<bool(unsigned long long received)> cancelWhen;
  int pumped = 0;  // how often a progress window was given a chance to repaint

  CProgressSink* CreateProgress(const std::string& title, bool cancellable) override;

  // The events that start with `prefix`, without it.
  std::vector<std::string> Events(const std::string& prefix) const;
};
