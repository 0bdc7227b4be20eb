#include "app/settings_sheet.h"

#include <utility>

#include "model/rss_file.h"

CSettingsSheet::CSettingsSheet(CRssFile* project, std::vector<SettingsPage> pages)
    : m_project(project), m_pages(std::move(pages)), m_displayed(m_pages.size(), false) {}

CSettingsSheet CSettingsSheet::NewProjectWizard(CRssFile& project) {
  return CSettingsSheet(&project, {SettingsPage::kSite, SettingsPage::kDir, SettingsPage::kFtp, SettingsPage::kFinish});
}

CSettingsSheet CSettingsSheet::SiteSettings(CRssFile& project) {
  return CSettingsSheet(&project, {SettingsPage::kSite, SettingsPage::kDir, SettingsPage::kRss, SettingsPage::kAtom,
                                   SettingsPage::kFtp, SettingsPage::kExt, SettingsPage::kJson, SettingsPage::kNotify,
                                   SettingsPage::kSections, SettingsPage::kPodcast});
}

void CSettingsSheet::Display(int i) {
  if (i < 0 || i >= GetPageCount() || m_displayed[static_cast<size_t>(i)]) return;
  m_displayed[static_cast<size_t>(i)] = true;
  if (!m_project) return;
  switch (GetPage(i)) {
    case SettingsPage::kSite: site.Load(*m_project); break;
    case SettingsPage::kDir: dir.Load(*m_project); break;
    case SettingsPage::kRss: rss.Load(*m_project); break;
    case SettingsPage::kAtom: atom.Load(*m_project); break;
    case SettingsPage::kFtp: ftp.Load(*m_project); break;
    case SettingsPage::kExt: ext.Load(*m_project); break;
    case SettingsPage::kJson: json.Load(*m_project); break;
    case SettingsPage::kNotify: notify.Load(*m_project); break;
    case SettingsPage::kSections: sections.Load(*m_project); break;
    case SettingsPage::kPodcast: podcast.Load(*m_project); break;
    case SettingsPage::kFinish: break;
  }
}

void CSettingsSheet::Store(int i) {
  if (i < 0 || i >= GetPageCount() || !m_displayed[static_cast<size_t>(i)] || !m_project) return;
  switch (GetPage(i)) {
    case SettingsPage::kSite: site.Store(*m_project); break;
    case SettingsPage::kDir: dir.Store(*m_project); break;
    case SettingsPage::kRss: rss.Store(*m_project); break;
    case SettingsPage::kAtom: atom.Store(*m_project); break;
    case SettingsPage::kFtp: ftp.Store(*m_project); break;
    case SettingsPage::kExt: ext.Store(*m_project); break;
    case SettingsPage::kJson: json.Store(*m_project); break;
    case SettingsPage::kNotify: notify.Store(*m_project); break;
    case SettingsPage::kSections: sections.Store(*m_project); break;
    case SettingsPage::kPodcast: podcast.Store(*m_project); break;
    case SettingsPage::kFinish: break;
  }
}

void CSettingsSheet::StoreDisplayed() {
  for (int i = 0; i < GetPageCount(); ++i) Store(i);
}
