// The sibling editor's list of FTP profiles, read from and written to its store (SiblingProfile()).
#pragma once

#include <string>
#include <vector>

#include "model/ftp_set.h"

class CFtpSetArray {
public:
  // Replaces the list by the profiles stored under `section` ("ftp") and takes the current set number
  // from "SetNo". Never leaves the list empty: without profiles it holds the unnumbered one, named
  // "標準の設定", whose local folder is the sibling editor's "System"/"RootDir".
  void LoadProfiles(const std::string& section);
  // Writes "SetNo", "Count" and every profile with its index (the password scrambled).
  void SaveProfiles(const std::string& section);

  // The profile for a file of a site: the first whose local folder holds the file's folder (letters
  // compared without regard to case, whole folder names only); else the current set number, which is
  // first brought back into the list.
  int FindProfileForPath(const std::string& path);

  int GetSize() const { return static_cast<int>(m_sets.size()); }
  CFtpSet GetAt(int i) const;               // a copy; an empty profile outside the list
  void SetAt(int i, const CFtpSet& set);    // grows the list with empty profiles when needed
  int Add(const CFtpSet& set);              // the new index

  int GetSetNo() const { return m_setNo; }
  void SetSetNo(int setNo) { m_setNo = setNo; }

private:
  std::vector<CFtpSet> m_sets;
  int m_setNo = 0;
};
