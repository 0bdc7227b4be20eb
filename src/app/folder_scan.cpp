#include "app/folder_scan.h"

#include <algorithm>
#include <ctime>

#include "app/enclosure_source.h"
#include "app/interaction.h"
#include "harvest/page_mapping.h"
#include "harvest/site_walk.h"
#include "model/rss_file.h"
#include "platform/sjis.h"
#include "platform/text_codec.h"
#include "settings/options.h"

namespace {

// ASCII letters lowered; bytes that are second bytes of characters stay.
std::string LowerAscii(const std::string& text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); i += CharLengthAt(out, i)) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The text after the last "." of a name ("." lies below 0x40, never a second byte); false without one.
bool ExtensionOf(const std::string& name, std::string& ext) {
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  ext = LowerAscii(name.substr(dot + 1));
  return true;
}

// The scan's questions: Yes and No with the question icon.
CUserMessage Question(const std::string& text) { return CUserMessage{text, MbButtons::YesNo, MbIcon::Question}; }

// Appends `entry` unless the list holds it already; true when appended.
bool AppendNew(std::vector<std::string>& list, const std::string& entry) {
  if (std::find(list.begin(), list.end(), entry) != list.end()) return false;
  list.push_back(entry);
  return true;
}

}  // namespace

std::string CScanRow::Path() const { return JoinLocalPath(folder, name); }

std::string FormatScanDate(TimeValue t) {
  std::tm local{};
  if (!ToLocalTime(t, local)) return std::string();
  // "%Y-%m-%d %H:%M:%S" by hand: a scan formats one date per page.
  const int year = local.tm_year + 1900;
  if (year < 0 || year > 9999) {
    char text[64];
    std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(text, n);
  }
  char text[20];
  auto two = [&text](int at, int value) {
    text[at] = static_cast<char>('0' + value / 10 % 10);
    text[at + 1] = static_cast<char>('0' + value % 10);
  };
  two(0, year / 100);
  two(2, year % 100);
  text[4] = '-';
  two(5, local.tm_mon + 1);
  text[7] = '-';
  two(8, local.tm_mday);
  text[10] = ' ';
  two(11, local.tm_hour);
  text[13] = ':';
  two(14, local.tm_min);
  text[16] = ':';
  two(17, local.tm_sec);
  return std::string(text, 19);
}

std::string CFolderScan::UpdateExistingQuestionText() {
  return Lit("追加対象に既存のアイテムがあります。既存のアイテムを更新してもよろしいですか？");
}

CFolderScan::CFolderScan(CRssFile& project)
    : m_project(project), m_excludedFilesBefore(project.excludedFiles), m_excludedFoldersBefore(project.excludedFolders) {}

bool CFolderScan::ExclusionsChanged() const {
  return m_project.excludedFiles != m_excludedFilesBefore || m_project.excludedFolders != m_excludedFoldersBefore;
}

void CFolderScan::Open() {
  LoadExtensions();
  Scan();
  SelectNewPages();
}

void CFolderScan::LoadExtensions() {
  int count = std::clamp(GetExtCountOption(), 0, kMaxExtensions);
  m_extensions.clear();
  for (int i = 0; i < count; ++i) m_extensions.push_back(GetExtNameOption(i));
}

void CFolderScan::SaveExtensions() const {
  SetExtCountOption(static_cast<int>(m_extensions.size()));
  for (std::size_t i = 0; i < m_extensions.size(); ++i) SetExtNameOption(static_cast<int>(i), m_extensions[i]);
}

bool CFolderScan::IsPageName(const std::string& name) const {
  std::string ext;
  if (!ExtensionOf(name, ext)) return false;
  for (const std::string& entry : m_extensions) {
    if (!entry.empty() && LowerAscii(entry) == ext) return true;
  }
  return false;
}

void CFolderScan::Scan() {
  if (m_wrapper) m_wrapper([this] { ScanFolder(); });
  else ScanFolder();
}

void CFolderScan::ScanFolder() {
  m_rows.clear();
  m_focus = -1;
  WalkSiteFolder(
      m_project.localFolder, [this](const std::string& folder) { return !IsExcludedFolder(m_project, folder); },
      [this, episodes = m_project.ext.podcast](const std::string& folder, const std::string& name, TimeValue modified) {
        const bool media = episodes && IsEpisodeMediaName(name);
        if (!media && !IsPageName(name)) return;
        // The exclusion test of IsExcludedFile, on the relative path the row needs anyway.
        std::string relative = RelativePagePath(m_project, JoinLocalPath(folder, name));
        const auto& excluded = m_project.excludedFiles;
        if (std::find(excluded.begin(), excluded.end(), relative) != excluded.end()) return;
        CScanRow row;
        row.relativePath = std::move(relative);
        row.dateText = FormatScanDate(modified);
        row.folder = folder;
        row.name = name;
        row.modified = modified;
        row.media = media;
        m_rows.push_back(std::move(row));
      });
  // Newest first by the date text; pages of the same second in path order, so every scan of the same
  // folder lists the same way. The rows are ordered through an index, which moves no strings.
  std::vector<std::size_t> order(m_rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    const CScanRow& x = m_rows[a];
    const CScanRow& y = m_rows[b];
    if (int c = x.dateText.compare(y.dateText)) return c > 0;
    return x.relativePath < y.relativePath;
  });
  std::vector<CScanRow> sorted;
  sorted.reserve(m_rows.size());
  for (std::size_t i : order) sorted.push_back(std::move(m_rows[i]));
  m_rows.swap(sorted);
}

void CFolderScan::SelectNewPages() {
  ClearSelection();
  const TimeValue newest = m_project.GetLatestItemDate();
  std::size_t count = m_rows.size();
  if (newest != 0) {
    const std::string newestText = FormatScanDate(newest);
    count = 0;
    while (count < m_rows.size() && m_rows[count].dateText > newestText) ++count;
  }
  count = std::min<std::size_t>(count, kMaxPreselected);
  for (std::size_t i = 0; i < count; ++i) m_rows[i].selected = true;
}

void CFolderScan::Select(int row, bool selected) {
  if (row >= 0 && row < GetCount()) m_rows[static_cast<std::size_t>(row)].selected = selected;
}

void CFolderScan::SelectAll() {
  for (CScanRow& row : m_rows) row.selected = true;
}

void CFolderScan::ClearSelection() {
  for (CScanRow& row : m_rows) row.selected = false;
}

bool CFolderScan::SelectByRelativePath(const std::vector<std::string>& names, std::string& missing) {
  ClearSelection();
  for (const std::string& name : names) {
    auto found = std::find_if(m_rows.begin(), m_rows.end(), [&name](const CScanRow& row) { return row.relativePath == name; });
    if (found == m_rows.end()) {
      missing = name;
      return false;
    }
    found->selected = true;
  }
  return true;
}

std::vector<int> CFolderScan::GetSelectedRows() const {
  std::vector<int> rows;
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (m_rows[i].selected) rows.push_back(static_cast<int>(i));
  }
  return rows;
}

CResult<int> CFolderScan::ImportSelected(CInteraction& ui) {
  CResult<int> result;
  bool ask = true;
  for (std::size_t r = m_rows.size(); r-- > 0;) {
    const CScanRow& row = m_rows[r];
    if (!row.selected) continue;
    const std::string path = row.Path();
    if (ask && m_project.FindItemByUrl(LocalPathToUrl(m_project, path)) != -1) {
      ask = false;
      if (ui.Ask(QuestionId::kUpdateExistingItems, Question(UpdateExistingQuestionText())) == MbAnswer::No) {
        return result.Cancel();
      }
    }
    if (row.media) {
      const CResult<> media = ImportMediaFile(m_project, path);
      result.SayAll(media);
      if (!media) continue;
    } else {
      ImportPageFile(m_project, path);
    }
    ++result.value;
  }
  return result.Done();
}

void CFolderScan::OpenRow(int row, CInteraction& ui) const {
  if (row < 0 || row >= GetCount()) return;
  ui.OpenWithShell(m_rows[static_cast<std::size_t>(row)].Path());
}

bool CFolderScan::ExcludeSelectedFiles(CInteraction& ui) {
  const std::vector<int> selected = GetSelectedRows();
  if (selected.empty()) return false;
  if (ui.Ask(QuestionId::kExcludeFiles, Question(Lit("選択したファイルを対象から外しますか？"))) == MbAnswer::No) {
    return false;
  }
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    m_project.excludedFiles.push_back(m_rows[static_cast<std::size_t>(*it)].relativePath);
    m_rows.erase(m_rows.begin() + *it);
  }
  m_focus = -1;
  return true;
}

bool CFolderScan::ExcludeFocusedFolder(CInteraction& ui) {
  if (m_focus < 0 || m_focus >= GetCount()) return false;
  const std::string& relative = m_rows[static_cast<std::size_t>(m_focus)].relativePath;
  std::size_t slash = relative.rfind('/');  // "/" is never a second byte
  if (slash == std::string::npos) return false;
  const std::string folder = relative.substr(0, slash);
  const std::string question = Lit("フォルダ ") + folder + Lit(" に所属するファイルを全て対象から外しますか？");
  if (ui.Ask(QuestionId::kExcludeFolder, Question(question)) == MbAnswer::No) return false;
  m_project.excludedFolders.push_back(folder);
  Scan();
  SelectNewPages();
  return true;
}

void CFolderScan::ReplaceExcludedFiles(std::vector<std::string> list) {
  m_project.excludedFiles = std::move(list);
  Scan();
  SelectNewPages();
}

void CFolderScan::ReplaceExcludedFolders(std::vector<std::string> list) {
  m_project.excludedFolders = std::move(list);
  Scan();
  SelectNewPages();
}

bool AddExcludedFile(CRssFile& project, const std::string& relativePath) {
  return AppendNew(project.excludedFiles, relativePath);
}

bool AddExcludedFolder(CRssFile& project, std::string relativePath) {
  while (relativePath.size() > 1 && relativePath.back() == '/') relativePath.pop_back();
  return AppendNew(project.excludedFolders, relativePath);
}
