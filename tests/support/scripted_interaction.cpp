#include "scripted_interaction.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

void CScriptedInteraction::Expect(const std::string& utf8Text, MbAnswer answer) {
  m_expected.push_back({utf8Text, answer});
}

void CScriptedInteraction::ExpectQuestion(QuestionId id, MbAnswer answer) {
  m_expected.push_back({std::string(), answer, true, id});
}

void CScriptedInteraction::VerifyAllAsked() {
  for (const Expected& e : m_expected) ADD_FAILURE() << "expected question never asked: " << e.text;
  m_expected.clear();
  if (!m_files.empty()) ADD_FAILURE() << m_files.size() << " expected file chooser(s) never shown";
  m_files.clear();
}

CFileDialogResult CScriptedInteraction::ChooseFile(const CFileDialogRequest& request) {
  fileRequests.push_back(request);
  if (m_files.empty()) {
    ADD_FAILURE() << "unexpected file chooser: " << AnsiToUtf8(request.title);
    return CFileDialogResult();
  }
  CFileDialogResult answer = m_files.front();
  m_files.pop_front();
  return answer;
}

MbAnswer CScriptedInteraction::MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) {
  std::string utf8 = AnsiToUtf8(text);
  shown.push_back({utf8, buttons, icon});
  if (buttons == MbButtons::Ok) return MbAnswer::Ok;
  return Answer(utf8, buttons, nullptr);
}

MbAnswer CScriptedInteraction::Ask(QuestionId id, const CUserMessage& question) {
  std::string utf8 = AnsiToUtf8(question.text);
  shown.push_back({utf8, question.buttons, question.icon});
  asked.push_back(id);
  return Answer(utf8, question.buttons, &id);
}

MbAnswer CScriptedInteraction::Answer(const std::string& utf8, MbButtons buttons, const QuestionId* id) {
  if (m_expected.empty()) {
    ADD_FAILURE() << "unexpected question: " << utf8;
    return buttons == MbButtons::YesNo ? MbAnswer::No : MbAnswer::Cancel;  // the safe answer
  }
  Expected e = m_expected.front();
  m_expected.pop_front();
  if (e.byId && (!id || *id != e.id)) {
    ADD_FAILURE() << "question \"" << utf8 << "\" is not the one expected (" << static_cast<int>(e.id) << ")";
  }
  if (!e.text.empty() && utf8.find(e.text) == std::string::npos) {
    ADD_FAILURE() << "question \"" << utf8 << "\" does not contain \"" << e.text << "\"";
  }
  return e.answer;
}

std::vector<std::string> CScriptedInteraction::Texts() const {
  std::vector<std::string> texts;
  for (const Shown& s : shown) texts.push_back(s.text);
  return texts;
}
