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

bool CScriptedInteraction::Run(const char* what, const std::function<bool(CRssFile&)>& handler, CRssFile& project) {
  if (!handler) {
    ADD_FAILURE() << "unexpected dialog: " << what;
    return false;
  }
  return handler(project);
}

bool CScriptedInteraction::RunExclusionListDialog(CExclusionListEdit& list) {
  if (!exclusionList) {
    ADD_FAILURE() << "unexpected dialog: exclusion list";
    return false;
  }
  return exclusionList(list);
}

bool CScriptedInteraction::RunExtensionDialog(CExtensionListEdit& list) {
  if (!extensionDialog) {
    ADD_FAILURE() << "unexpected dialog: extensions";
    return false;
  }
  return extensionDialog(list);
}

bool CScriptedInteraction::RunFtpPage(const std::string& title, CFtpPageValues& values) {
  if (!ftpPage) {
    ADD_FAILURE() << "unexpected dialog: FTP page " << AnsiToUtf8(title);
    return false;
  }
  return ftpPage(title, values);
}

bool CScriptedInteraction::RunFtpProfileChooser(CFtpProfileChoice& choice) {
  if (!ftpProfileChooser) {
    ADD_FAILURE() << "unexpected dialog: ftp設定の参照";
    return false;
  }
  return ftpProfileChooser(choice);
}

bool CScriptedInteraction::RunOptionsDialog(COptionValues& values) {
  if (!optionsDialog) {
    ADD_FAILURE() << "unexpected dialog: 設定";
    return false;
  }
  return optionsDialog(values);
}

bool CScriptedInteraction::RunNewProjectWizard(const std::string& title, CRssFile& project) {
  sheetTitles.push_back(AnsiToUtf8(title));
  return Run("wizard", wizard, project);
}

bool CScriptedInteraction::RunSiteSettings(const std::string& title, CRssFile& project) {
  sheetTitles.push_back(AnsiToUtf8(title));
  return Run("site settings", siteSettings, project);
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

bool CScriptedInteraction::RunInputDialog(const std::string& prompt, std::string& value) {
  ++dialogsRun;
  return inputDialog ? inputDialog(prompt, value) : false;
}

bool CScriptedInteraction::RunMarkerTagDialog(CMarkerTagValues& values) {
  ++dialogsRun;
  return markerTagDialog ? markerTagDialog(values) : false;
}

bool CScriptedInteraction::RunItemEditor(CRssFile& project, CRssItem& item, bool isNew) {
  if (!itemEditor) {
    ADD_FAILURE() << "unexpected dialog: item editor";
    return false;
  }
  return itemEditor(project, item, isNew);
}

bool CScriptedInteraction::RunCategoryDialog(CRssFile& project, std::string& category) {
  if (!categoryDialog) {
    ADD_FAILURE() << "unexpected dialog: category";
    return false;
  }
  return categoryDialog(project, category);
}

ExistingUrlAnswer CScriptedInteraction::AskExistingUrl() {
  if (!existingUrl) {
    ADD_FAILURE() << "unexpected dialog: 既存URLです";
    return ExistingUrlAnswer::kCancel;
  }
  return existingUrl();
}
