// A scripted interaction for tests: records every message box and answers questions from a queue.
// A question that the script did not expect fails the test.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/interaction.h"

class CScriptedInteraction : public CInteraction {
public:
  struct Shown {
    std::string text;  // UTF-8, for comparison with test literals
    MbButtons buttons;
    MbIcon icon;
  };

  // The next question must contain `utf8Text` (empty: any text) and gets `answer`.
  void Expect(const std::string& utf8Text, MbAnswer answer);
  // Fails the test when expected questions were never asked.
  void VerifyAllAsked();

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  void OpenWithShell(const std::string& path) override { opened.push_back(path); }
  void RunProgram(const std::string& program, const std::string& parameter) override {
    ran.push_back({program, parameter});
  }

  // The input and marker tag dialogs answer through these when set (each call is counted); unset,
  // they cancel.
  bool RunInputDialog(const std::string& prompt, std::string& value) override;
  bool RunMarkerTagDialog(CMarkerTagValues& values) override;
  std::function<bool(const std::string& prompt, std::string& value)> inputDialog;
  std::function<bool(CMarkerTagValues& values)> markerTagDialog;
  int dialogsRun = 0;

  std::vector<Shown> shown;
  std::string clipboard;  // internal text
  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> ran;

  // Texts of everything shown, UTF-8, in order.
  std::vector<std::string> Texts() const;

private:
  struct Expected {
    std::string text;
    MbAnswer answer;
  };
  std::deque<Expected> m_expected;
};
