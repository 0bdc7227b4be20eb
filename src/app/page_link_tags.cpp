#include "app/page_link_tags.h"

#include <algorithm>

#include "app/feed_commands.h"
#include "app/folder_scan.h"
#include "app/interaction.h"
#include "app/section_feeds.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/url_parts.h"

namespace {

// Pages larger than this are no pages of a site anyone edits by hand; they are left alone.
constexpr std::size_t kMaxPageBytes = std::size_t{32} << 20;
// A question names at most this many pages.
constexpr std::size_t kMaxPagesNamed = 20;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The first place of `what` (lower-case ASCII) in `text`, ASCII letters matched in either case.
std::size_t FindNoCase(const std::string& text, const std::string& what, std::size_t from = 0) {
  auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(), what.begin(),
                        what.end(), [](char a, char b) { return LowerAscii(a) == b; });
  return at == text.end() ? std::string::npos : static_cast<std::size_t>(at - text.begin());
}

// "<body" followed by ">" or white space, in either case.
std::size_t FindBodyStart(const std::string& page) {
  for (std::size_t at = FindNoCase(page, "<body"); at != std::string::npos; at = FindNoCase(page, "<body", at + 1)) {
    const std::size_t next = at + 5;
    if (next < page.size() && (page[next] == '>' || page[next] == ' ' || page[next] == '\t' || page[next] == '\r' ||
                               page[next] == '\n' || page[next] == '/')) {
      return at;
    }
  }
  return std::string::npos;
}

std::string LineBreakOf(const std::string& page) {
  const std::size_t lf = page.find('\n');
  return lf != std::string::npos && lf > 0 && page[lf - 1] == '\r' ? "\r\n" : "\n";
}

// The bytes a relative URL in an attribute keeps as they stand: ASCII above the space but for the quotes,
// "<", ">" and "&".
bool IsHrefCharacter(unsigned char c) {
  return c > 0x20 && c < 0x80 && c != '"' && c != '<' && c != '>' && c != '&' && c != '\'';
}

// A file name as a relative URL: "\" as "/", bytes beyond ASCII (of its UTF-8 form) and the characters
// an attribute or a URL cannot hold as they stand percent-encoded.
std::string HrefOf(const std::string& fileName) {
  std::string utf8 = AnsiToUtf8(fileName);
  for (char& c : utf8) {
    if (c == '\\') c = '/';
  }
  return PercentEncode(utf8, &IsHrefCharacter);
}

// Text for an attribute in ASCII only: characters beyond it, and those an attribute cannot hold as they
// stand, as numeric character references, which mean the same in every encoding of a page.
std::string AttributeAscii(const std::string& text) {
  std::string out;
  const std::string utf8 = AnsiToUtf8(text);
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      if (c == '"' || c == '&' || c == '<' || c == '>') out += "&#" + std::to_string(c) + ";";
      else if (c >= 0x20) out += static_cast<char>(c);
      ++i;
      continue;
    }
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string UpToPage(const std::string& relativePath) {
  std::string up;
  for (char c : relativePath) {
    if (c == '/') up += "../";
  }
  return up;
}

std::string StateText(PageTagState state) {
  switch (state) {
    case PageTagState::kCurrent: return Lit("最新");
    case PageTagState::kMissing: return Lit("LINKタグなし");
    case PageTagState::kOutdated: return Lit("LINKタグが古い");
    case PageTagState::kNoPlace: return Lit("LINKタグの場所なし");
    case PageTagState::kUnreadable: return Lit("読み込めません");
  }
  return std::string();
}

bool NeedsWrite(PageTagState state) { return state == PageTagState::kMissing || state == PageTagState::kOutdated; }

}  // namespace

std::vector<std::string> PageFeedTags(const CRssFile& project, const std::string& relativePath) {
  const std::string up = UpToPage(relativePath);
  std::vector<std::string> tags;
  auto add = [&](const std::string& title, const char* type, const std::string& fileName) {
    if (!fileName.empty()) {
      tags.push_back("<LINK rel=\"alternate\" TITLE=\"" + title + "\" TYPE=\"" + type + "\" HREF=\"" + up + HrefOf(fileName) + "\">");
    }
  };
  add("RSS", "application/rss+xml", project.rssFileName);
  add("Atom", "application/atom+xml", project.atomFileName);
  if (project.ext.jsonFeed) add("JSON Feed", "application/feed+json", project.ext.jsonFileName);
  // A page of a section also names the section's feeds, titled with the section's name.
  for (const CFeedSection& section : project.ext.sections) {
    if (!PageInSection(project, relativePath, section)) continue;
    const std::string name = AttributeAscii(section.name);
    add("RSS " + name, "application/rss+xml", section.rssFileName);
    add("Atom " + name, "application/atom+xml", section.atomFileName);
    if (project.ext.jsonFeed) add("JSON Feed " + name, "application/feed+json", section.jsonFileName);
  }
  return tags;
}

PageTagState PlaceLinkTags(std::string& page, const std::vector<std::string>& tags) {
  const std::string nl = LineBreakOf(page);
  std::string inner = nl;
  for (const std::string& tag : tags) inner += tag + nl;
  const std::string start = kLinkStartMarker, end = kLinkEndMarker;
  const std::size_t startAt = page.find(start);
  if (startAt != std::string::npos) {
    const std::size_t innerAt = startAt + start.size();
    const std::size_t endAt = page.find(end, innerAt);
    if (endAt == std::string::npos) return PageTagState::kNoPlace;
    if (page.compare(innerAt, endAt - innerAt, inner) == 0) return PageTagState::kCurrent;
    page.replace(innerAt, endAt - innerAt, inner);
    return PageTagState::kOutdated;
  }
  // Tags put in by hand (the copied tag pasted into a page) count when every one is there.
  const bool all = !tags.empty() && std::all_of(tags.begin(), tags.end(), [&page](const std::string& tag) {
    std::string lowered(tag);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
    return FindNoCase(page, lowered) != std::string::npos;
  });
  if (all) return PageTagState::kCurrent;
  std::size_t at = FindNoCase(page, "</head>");
  if (at == std::string::npos) at = FindBodyStart(page);
  if (at == std::string::npos) return PageTagState::kNoPlace;
  page.insert(at, start + inner + end + nl);
  return PageTagState::kMissing;
}

CResult<std::vector<CPageTags>> UpdatePageLinkTags(CRssFile& project, bool write) {
  CResult<std::vector<CPageTags>> result;
  CFolderScan scan(project);
  scan.LoadExtensions();
  scan.Scan();
  bool failed = false;
  for (const CScanRow& row : scan.GetRows()) {
    CPageTags page{row.relativePath, row.Path()};
    std::string bytes;
    int error = 0;
    if (!ReadFileBytes(page.path, bytes, error, kMaxPageBytes) || bytes.size() > kMaxPageBytes) {
      page.state = PageTagState::kUnreadable;
      result.Say(page.path + Lit(" を読み込めませんでした。") + (error ? SystemErrorText(error) : std::string()));
      failed = true;
    } else {
      page.state = PlaceLinkTags(bytes, PageFeedTags(project, row.relativePath));
    }
    if (write && NeedsWrite(page.state)) {
      if (WriteFileReplacing(page.path, bytes, error)) {
        page.written = true;
      } else {
        result.Say(page.path + Lit(" を書き込めませんでした。") + SystemErrorText(error));
        failed = true;
      }
    }
    if (page.state != PageTagState::kCurrent) result.value.push_back(std::move(page));
  }
  if (!failed) result.Done();
  return result;
}

std::string PageTagLine(const CPageTags& page) { return StateText(page.state) + "\t" + page.relativePath; }

void RunUpdatePageLinkTags(CRssFile& project, CInteraction& ui) {
  const CResult<std::vector<CPageTags>> planned = UpdatePageLinkTags(project, false);
  ui.ShowAll(planned.messages);
  std::vector<std::string> lines;
  for (const CPageTags& page : planned.value) {
    if (NeedsWrite(page.state)) lines.push_back(PageTagLine(page));
  }
  if (lines.empty()) {
    ui.Show(CUserMessage{Lit("LINKタグを更新するページはありません"), MbButtons::Ok, MbIcon::Information});
    return;
  }
  std::string question = Lit("次のページのLINKタグを更新しますか？ (") + std::to_string(lines.size()) + Lit(" ページ)\r\n");
  for (std::size_t i = 0; i < std::min(lines.size(), kMaxPagesNamed); ++i) question += "\r\n" + lines[i];
  if (lines.size() > kMaxPagesNamed) question += "\r\n" + Lit("ほか ") + std::to_string(lines.size() - kMaxPagesNamed) + Lit(" ページ");
  if (ui.Ask(QuestionId::kUpdateLinkTags, CUserMessage{question, MbButtons::YesNo, MbIcon::Question}) != MbAnswer::Yes) return;
  const CResult<std::vector<CPageTags>> done = UpdatePageLinkTags(project, true);
  ui.ShowAll(done.messages);
  const auto written = std::count_if(done.value.begin(), done.value.end(), [](const CPageTags& p) { return p.written; });
  ui.Show(CUserMessage{std::to_string(written) + Lit(" ページのLINKタグを更新しました"), MbButtons::Ok, MbIcon::Information});
}
