// A scripted interaction for tests: records every message box and answers questions from a queue.
// A question that the script did not expect fails the test.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/interaction.h"

class CScriptedInteraction : public CInteraction {
public:
  struct Shown {
    std::string text;  // UTF-8, for comparison with test literals
    MbButtons buttons;
    MbIcon icon;
  };

  // The next question must contain `utf8Text` (empty: any text) and gets `answer`.
  void Expect(const std::string& utf8Text, MbAnswer answer);
  // The next question must be the one with this identity, and gets `answer`.
  void ExpectQuestion(QuestionId id, MbAnswer answer);
  // Fails the test when expected questions were never asked.
  void VerifyAllAsked();

  MbAnswer MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  MbAnswer Ask(QuestionId id, const CUserMessage& question) override;
  std::vector<QuestionId> asked;  // the identities of the questions asked, in order
  void SetClipboardText(const std::string& text) override { clipboard = text; }
  void OpenWithShell(const std::string& path) override { opened.push_back(path); }
  void RunProgram(const std::string& program, const std::string& parameter, const std::string&) override {
    ran.push_back({program, parameter});
  }

  // File choosers answer from a queue; each request is recorded. An unexpected one fails the test.
  void ExpectFile(const CFileDialogResult& answer) { m_files.push_back(answer); }
  CFileDialogResult ChooseFile(const CFileDialogRequest& request) override;
  std::vector<CFileDialogRequest> fileRequests;

  std::vector<Shown> shown;
  std::string clipboard;  // internal text
  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> ran;

  // Texts of everything shown, UTF-8, in order.
  std::vector<std::string> Texts() const;

private:
  std::deque<CFileDialogResult> m_files;
  struct Expected {
    std::string text;
    MbAnswer answer;
    bool byId = false;
    QuestionId id = QuestionId::kSaveChanges;
  };
  // The answer of the next expected question; fails the test when there is none or it does not match.
  MbAnswer Answer(const std::string& utf8, MbButtons buttons, const QuestionId* id);
  std::deque<Expected> m_expected;
};
