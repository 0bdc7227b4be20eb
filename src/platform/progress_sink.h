// A status or progress window as the transfers see it: they tell it what they are doing and ask it
// whether the user cancelled. The front end decides what it looks like.
#pragma once

#include <string>

class CProgressSink {
public:
  virtual ~CProgressSink() = default;
  virtual void SetStatus(const std::string& text) = 0;    // status line; lets the window repaint
  virtual void SetFileText(const std::string& text) = 0;  // the file being transferred
  // Bytes received of total; total 0 means the length is unknown.
  virtual void SetProgress(unsigned long long received, unsigned long long total) = 0;
  // The bytes as the window shows them beside its bar ("1023/4096バイト").
  virtual void SetCountText(const std::string&) {}
  // True when the user asked to stop since the last call (a window's cancel button, pressed once,
  // answers true once); the transfer confirms the request before it stops.
  virtual bool IsCancelled() = 0;
  // Lets one pending window message through during long blocking work (the window repaints, its cancel
  // button answers).
  virtual void Pump() {}
};
