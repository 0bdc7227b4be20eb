// The one interface through which the core talks to the user.
//
// The desktop app shows dialogs, the command line answers from its flags, tests answer from a script.
// Texts are internal text (code page 932). Every message box carries the caption "VamelRss".
#pragma once

#include <string>

inline constexpr const char* kMessageBoxCaption = "VamelRss";

enum class MbButtons { Ok, OkCancel, YesNo };
enum class MbIcon { None, Information, Question, Exclamation, Error };
enum class MbAnswer { Ok, Cancel, Yes, No };

// A status or progress window with a cancel flag (the FTP status window, the download progress).
class CProgressSink {
public:
  virtual ~CProgressSink() = default;
  virtual void SetStatus(const std::string& text) = 0;    // status line; lets the window repaint
  virtual void SetFileText(const std::string& text) = 0;  // the file being transferred
  // Bytes received of total; total 0 means the length is unknown.
  virtual void SetProgress(unsigned long long received, unsigned long long total) = 0;
  virtual bool IsCancelled() = 0;
};

class CInteraction {
public:
  virtual ~CInteraction() = default;

  // A message box; OK-only boxes return MbAnswer::Ok.
  virtual MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) = 0;

  // Opens a progress window titled `title`; the caller deletes it to close it.
  virtual CProgressSink* CreateProgress(const std::string& title, bool cancellable);

  // Replaces the clipboard with one text.
  virtual void SetClipboardText(const std::string& text);

  // Opens a file or URL with its default program; runs `program` with `parameter` as its whole
  // parameter string. Results are not reported (the callers ignore them).
  virtual void OpenWithShell(const std::string& path);
  virtual void RunProgram(const std::string& program, const std::string& parameter);

  // Lets one pending window message through during long blocking work.
  virtual int PumpOneMessage();
};

// The interaction in use; a plain console one (messages on standard error, questions answered with
// their negative button) until a front end installs its own.
CInteraction& Interaction();

// Installs `interaction` (not owned); nullptr returns to the console default.
void SetInteraction(CInteraction* interaction);

// Shorthand for Interaction().MessageBox.
MbAnswer VamelMessageBox(const std::string& text, MbButtons buttons = MbButtons::Ok, MbIcon icon = MbIcon::None);
