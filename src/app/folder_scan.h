// The folder scan import: every page below the project's local folder as a row, the new ones
// preselected, and the chosen rows imported as items. The desktop dialog "ファイル一覧からの取り込み"
// and the command line's `scan` both drive this class; the operations that ask take the interaction.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/result.h"

class CInteraction;
class CRssFile;

// One page found by the scan.
struct CScanRow {
  std::string relativePath;  // "対応URL": the relative page path, "news/a.html"
  std::string dateText;      // "日付": last-write time, local, "%Y-%m-%d %H:%M:%S"
  std::string folder;        // "フォルダ": the folder the page was found in
  std::string name;          // "ファイル名"
  TimeValue modified = 0;
  bool selected = false;
  bool media = false;  // a media file taken in as a podcast episode, not a page

  std::string Path() const;  // folder and name joined
};

class CFolderScan {
public:
  static constexpr int kMaxPreselected = 20;  // the new pages selected at most
  static constexpr int kMaxExtensions = 256;  // a larger stored count is read as this

  // Works on `project`, which must outlive the scan.
  explicit CFolderScan(CRssFile& project);

  CRssFile& GetProject() const { return m_project; }

  // Runs around every scan, so that a front end can show that it is busy (the desktop app's wait
  // cursor); it must call `scan` once.
  using ScanWrapper = std::function<void(const std::function<void()>& scan)>;
  void SetScanWrapper(ScanWrapper wrapper) { m_wrapper = std::move(wrapper); }

  // The dialog's opening: load the stored extension list, scan, select the new pages.
  void Open();

  // The stored extension list (options section "Ext"). A file is a page when the text after the last
  // "." of its name, ASCII letters lowered, is one of the entries (lowered). Set does not rescan.
  void LoadExtensions();
  void SaveExtensions() const;  // "Count" and "name0"... in list order; values beyond stay
  const std::vector<std::string>& GetExtensions() const { return m_extensions; }
  void SetExtensions(std::vector<std::string> extensions) { m_extensions = std::move(extensions); }
  bool IsPageName(const std::string& name) const;

  // Rows of every page below the local folder that no exclusion leaves out, newest first; in a podcast
  // project the media files of its episodes too. The selection and the focus are cleared.
  void Scan();
  // Selects the pages newer than the newest item (the first 20 when the project has no items), at
  // most 20, from the top.
  void SelectNewPages();

  const std::vector<CScanRow>& GetRows() const { return m_rows; }
  int GetCount() const { return static_cast<int>(m_rows.size()); }
  void Select(int row, bool selected = true);
  void SelectAll();
  void ClearSelection();
  // Selects exactly the rows whose relative paths are named; false, with `missing` set to the first
  // name that no row has (absent, excluded or not a page), when one is not found.
  bool SelectByRelativePath(const std::vector<std::string>& names, std::string& missing);
  std::vector<int> GetSelectedRows() const;  // increasing
  void SetFocusRow(int row) { m_focus = row; }
  int GetFocusRow() const { return m_focus; }

  // "取り込み": imports the selected rows from the bottom up, so that the newest ends up first. Before
  // the first row whose page already has an item, asks once whether existing items may be updated; No
  // stops the walk there (cancelled; rows already imported stay imported). A media file that cannot be
  // read is left out with a message. The payload is the number of rows imported.
  CResult<int> ImportSelected(CInteraction& ui);

  // A double-click on a row: its file opens with the program the desktop associates with it.
  void OpenRow(int row, CInteraction& ui) const;

  // "選択ﾌｧｲﾙを(&S)...": asks, then appends the selected rows' relative paths to the project's
  // excluded files and removes the rows. False when nothing changed.
  bool ExcludeSelectedFiles(CInteraction& ui);
  // "選択ﾌｫﾙﾀﾞを(&R)...": asks, then appends the focused row's folder to the project's excluded
  // folders, scans again and selects the new pages. Nothing for a page in the local folder itself.
  bool ExcludeFocusedFolder(CInteraction& ui);
  // OK of the exclusion list dialogs: the project's list becomes `list`; scan again, select new pages.
  void ReplaceExcludedFiles(std::vector<std::string> list);
  void ReplaceExcludedFolders(std::vector<std::string> list);
  // Whether the project's excluded files or folders differ from what they were when the scan was made:
  // exclusions change the project even when nothing is imported.
  bool ExclusionsChanged() const;

  // The question of the import walk (internal text).
  static std::string UpdateExistingQuestionText();

private:
  void ScanFolder();

  CRssFile& m_project;
  const std::vector<std::string> m_excludedFilesBefore;
  const std::vector<std::string> m_excludedFoldersBefore;
  ScanWrapper m_wrapper;
  std::vector<std::string> m_extensions;
  std::vector<CScanRow> m_rows;
  int m_focus = -1;
};

// Adds an entry to the project's excluded files or folders (a folder without its trailing "/"), unless
// the list holds it already; true when added. The command line's --exclude-file and --exclude-folder.
bool AddExcludedFile(CRssFile& project, const std::string& relativePath);
bool AddExcludedFolder(CRssFile& project, std::string relativePath);

// "%Y-%m-%d %H:%M:%S" in local time; "" when the time cannot be converted.
std::string FormatScanDate(TimeValue t);
