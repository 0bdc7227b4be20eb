#include "app/launches.h"

#include <cerrno>

#include "app/interaction.h"
#include "platform/text_codec.h"

namespace {

constexpr auto kWatchTime = std::chrono::seconds(15);

// Why a program could not be started.
std::string StartReason(int error) {
  switch (error) {
    case ENOENT: return Lit("プログラムが見つかりません");
    case EACCES:
    case EPERM: return Lit("実行する権限がありません");
    case ENOEXEC: return Lit("実行できる形式のファイルではありません");
    default: return SystemErrorText(error);
  }
}

// Why a launcher gave up, by its exit status (xdg-open's: 1 a wrong call, 2 no such file, 3 nothing
// that opens it, 4 the opening failed).
std::string ExitReason(int status) {
  switch (status) {
    case -1: return Lit("プログラムが異常終了しました");
    case 2: return Lit("ファイルが見つかりません");
    case 3: return Lit("開くプログラムが見つかりません");
    case 4: return Lit("開くことができませんでした");
    default: return Lit("終了コード ") + std::to_string(status) + Lit(" で終了しました");
  }
}

}  // namespace

CUserMessage LaunchFailureMessage(const CLaunch& launch, int exitStatus, const std::string& role, const std::string& target) {
  const std::string program = role + Lit("「") + launch.Program() + Lit("」");
  std::string text;
  if (launch.Refused()) {
    text = Lit("「") + target + Lit("」は開けません。\r\n開くのは http と https のURL、ローカルファイルだけです。");
  } else if (!launch.Started()) {
    text = program + Lit("を起動できませんでした（") + StartReason(launch.StartError()) + Lit("）。");
  } else {
    text = program + Lit("で「") + target + Lit("」を開けませんでした（") + ExitReason(exitStatus) + Lit("）。");
  }
  if (!role.empty() && !launch.Refused()) text += Lit("\r\n「表示」メニューの「設定(O)...」で") + role + Lit("を確かめてください。");
  return CUserMessage{text, MbButtons::Ok, MbIcon::Exclamation};
}

CUserMessage NoEditorMessage() {
  return CUserMessage{Lit("HTMLエディタが見つかりません。\r\n「表示」メニューの「設定(O)...」でHTMLエディタを指定してください。"),
                      MbButtons::Ok, MbIcon::Exclamation};
}

void CLaunchWatch::Add(CInteraction& ui, CLaunch launch, const std::string& role, const std::string& target) {
  if (!launch.Started()) {
    ui.Show(LaunchFailureMessage(launch, 0, role, target));
    return;
  }
  m_watched.push_back(Watched{std::move(launch), role, target, std::chrono::steady_clock::now() + kWatchTime});
}

bool CLaunchWatch::Check(CInteraction& ui) {
  const auto now = std::chrono::steady_clock::now();
  // The failures are shown after the list is settled: a message box lets other events, and so another
  // check, through.
  std::vector<CUserMessage> failures;
  for (auto it = m_watched.begin(); it != m_watched.end();) {
    int status = 0;
    if (it->launch.Ended(status)) {
      if (status != 0) failures.push_back(LaunchFailureMessage(it->launch, status, it->role, it->target));
      it = m_watched.erase(it);
    } else if (now > it->until) {
      it = m_watched.erase(it);
    } else {
      ++it;
    }
  }
  ui.ShowAll(failures);
  return !m_watched.empty();
}
