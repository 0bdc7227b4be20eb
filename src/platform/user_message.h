// A message for the user as a value: its text, its buttons and its icon. Operations return these and
// the front end shows them (a message box in the desktop app, a line on standard error in the command
// line), so the layers that decide what to say never show anything themselves.
#pragma once

#include <string>

inline constexpr const char* kMessageBoxCaption = "VamelRss";

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbIcon { None, Information, Question, Exclamation, Error };
enum class MbAnswer { Ok, Cancel, Yes, No };

struct CUserMessage {
  std::string text;  // internal text
  MbButtons buttons = MbButtons::Ok;
  MbIcon icon = MbIcon::None;

  bool empty() const { return text.empty(); }
};
