// "ポッドキャスト": the values of the settings page for the project's podcast, apart from any window. The
// category, the explicit flag and the type are choices: an index into their lists of entries.
#pragma once

#include <string>
#include <vector>

#include "platform/user_message.h"

class CRssFile;

struct CPodcastPageValues {
  bool enabled = false;
  std::string author;
  std::string ownerEmail;
  std::string image;
  int category = 0;      // index into categories; 0 none
  int explicitness = 0;  // index into PodcastExplicitLabels(): not said, yes, no
  int type = 0;          // index into PodcastTypeLabels(): not said, episodic, serial
  bool locked = false;
  // The category entries: "" (none), then every path of the directories' tree, then the project's own
  // category when the tree does not hold it (kept, not lost).
  std::vector<std::string> categories;

  CPodcastPageValues();  // the categories of the tree, none chosen
  void Load(const CRssFile& project);
  // Only a valid e-mail address and image URL are stored (IsPodcastFieldsValid); the project keeps its
  // own otherwise.
  void Store(CRssFile& project) const;
  // The category entries as the page shows them: "（なし）" for none.
  std::vector<std::string> CategoryLabels() const;
};

std::vector<std::string> PodcastExplicitLabels();  // "指定しない", "あり (yes)", "なし (no)"
std::vector<std::string> PodcastTypeLabels();      // "指定しない", "エピソード形式 (episodic)", "連続形式 (serial)"

// "...メールアドレスを入力してください" and "...URLを入力してください", shown when the owner's e-mail address
// or the image fails IsPodcastEmailValue or IsPodcastImageValue.
CUserMessage PodcastOwnerEmailMessage();
CUserMessage PodcastImageMessage();
