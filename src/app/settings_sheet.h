// The settings pages combined into one sheet or wizard over one project, apart from any window: which
// pages it has, in order, which have been displayed (each loads from the project the first time), and
// the stores of OK, Next and Finish.
#pragma once

#include <vector>

#include "app/ext_page_values.h"
#include "app/json_page_values.h"
#include "app/notify_page_values.h"
#include "app/podcast_page_values.h"
#include "app/section_page_values.h"
#include "app/settings_page_values.h"

class CRssFile;

enum class SettingsPage { kSite, kDir, kRss, kAtom, kFtp, kFinish, kExt, kJson, kNotify, kSections, kPodcast };

class CSettingsSheet {
public:
  // A sheet over `project`. With a null project the values are the caller's: displaying loads nothing
  // and storing writes nothing (the FTP page before an upload, loaded and stored by its caller).
  CSettingsSheet(CRssFile* project, std::vector<SettingsPage> pages);

  // "RSSの新規作成": site, local folder, FTP (normal mode) and the closing page.
  static CSettingsSheet NewProjectWizard(CRssFile& project);
  // "サイトの設定": site, local folder, RSS, Atom, FTP (normal mode), the extensions, JSON Feed, the notices
  // the sections and the podcast.
  static CSettingsSheet SiteSettings(CRssFile& project);

  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  SettingsPage GetPage(int i) const { return m_pages[static_cast<size_t>(i)]; }

  // The page is being displayed: the first time, it loads its values from the project.
  void Display(int i);
  bool IsDisplayed(int i) const { return m_displayed[static_cast<size_t>(i)]; }

  // Writes one page's values into the project (the wizard's Next; nothing for a page never displayed).
  void Store(int i);
  // OK and Finish: every page that has been displayed stores, in order; the others leave their fields.
  void StoreDisplayed();

  CSitePageValues site;
  CDirPageValues dir;
  CRssPageValues rss;
  CAtomPageValues atom;
  CFtpPageValues ftp;
  CExtPageValues ext;
  CJsonPageValues json;
  CNotifyPageValues notify;
  CSectionPageValues sections;
  CPodcastPageValues podcast;

private:
  CRssFile* m_project;
  std::vector<SettingsPage> m_pages;
  std::vector<bool> m_displayed;
};
