#include "ui/vamel_app.h"

#include <new>

#include <wx/cmdline.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

#include <clocale>
#include <wx/xrc/xmlres.h>

#include "app/list_layout.h"
#include "app/shell_commands.h"
#include "app/vamel_rss_doc.h"
#include "platform/clock.h"
#include "ui/desktop_interaction.h"
#include "ui/main_frame.h"
#include "ui/wx_text.h"

// The dialogs' layouts, compiled in by wxrc.
extern void InitXmlResource();

CVamelRssApp::CVamelRssApp() = default;
CVamelRssApp::~CVamelRssApp() = default;

void UseJapaneseTranslations() {
  static wxTranslations* translations = nullptr;
  if (translations) return;
  translations = new wxTranslations;
  translations->SetLanguage(wxLANGUAGE_JAPANESE);
  translations->AddStdCatalog();
  wxTranslations::Set(translations);
}

void UseUserLocale() {
  // The toolkit's own windows and controls (file choosers, date pickers) speak the user's language and
  // write dates in the user's order.
  wxUILocale::UseDefault();
  // Numbers keep the decimal point of the C locale: nothing the program writes or reads may depend on
  // where it runs.
  std::setlocale(LC_NUMERIC, "C");
  UseJapaneseTranslations();
}

CMainFrame* StartMainWindow(CDesktopInteraction& ui, const std::string& fileArgument) {
  auto* frame = new CMainFrame(ui);
  const CStartupChoice choice = ChooseStartupDocument(fileArgument);
  const bool started = choice.openFile ? frame->OpenDocument(choice.path) : frame->NewDocument();
  if (!started) {
    // Never shown: deleted now, so nothing outlives the interaction it was given.
    delete frame;
    return nullptr;
  }
  frame->ShowRestored();
  return frame;
}

void CVamelRssApp::OnInitCmdLine(wxCmdLineParser& parser) {
  wxApp::OnInitCmdLine(parser);
  parser.AddParam("FILE", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CVamelRssApp::OnCmdLineParsed(wxCmdLineParser& parser) {
  if (parser.GetParamCount() > 0) m_fileArgument = FromWx(parser.GetParam(0));
  return wxApp::OnCmdLineParsed(parser);
}

bool CVamelRssApp::OnExceptionInMainLoop() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    wxMessageBox(Wx("メモリが足りないため、処理を中止しました。"), "VamelRss", wxOK | wxICON_EXCLAMATION);
    return true;
  }
}

bool CVamelRssApp::OnInit() {
  if (!wxApp::OnInit()) return false;
  SetAppName("VamelRss");
  SetVendorName("Vamel");
  UseUserLocale();
  wxXmlResource::Get()->InitAllHandlers();
  InitXmlResource();
  ListHeightPercent();  // read once, at start-up
  m_ui = std::make_unique<CDesktopInteraction>();
  m_frame = StartMainWindow(*m_ui, m_fileArgument);
  return m_frame != nullptr;
}
