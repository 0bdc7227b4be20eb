#include "cli/settings_options.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "app/publish.h"
#include "app/section_feeds.h"
#include "cli/cli_output.h"
#include "model/podcast_categories.h"
#include "model/rss_file.h"
#include "platform/file_system.h"
#include "platform/url_parts.h"

namespace {

bool Given(const SettingsOptions& o, const char* name) { return o.command->count(name) > 0; }

int ModeNumber(const std::string& mode) {
  if (mode == "none") return 0;
  if (mode == "description") return 1;
  if (mode == "content") return 2;
  throw CCliUsage("mode must be none, description or content: " + mode);
}

bool Switch(const std::string& value) { return value == "on"; }

std::string AbsoluteFolder(const std::string& utf8) {
  if (utf8.empty()) return utf8;
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(utf8, ec);
  std::string native = ec ? utf8 : p.lexically_normal().string();
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return FromNativePath(native);
}

}  // namespace

void AddSettingsOptions(CLI::App* command, SettingsOptions& o) {
  o.command = command;
  command->add_option("--title", o.title, "site title");
  command->add_option("--url", o.url, "site URL");
  command->add_option("--description", o.description, "site description");
  command->add_option("--creator", o.creator, "site creator (Atom author)");
  command->add_option("--folder", o.folder, "local folder that mirrors the site (made absolute)");
  command->add_option("--rss-file", o.rssFile, "RSS file name inside the local folder");
  command->add_option("--atom-file", o.atomFile, "Atom file name inside the local folder");
  command->add_option("--rss-version", o.rssVersion, "RSS version")->check(CLI::IsMember({"1.0", "2.0"}));
  command->add_option("--atom-version", o.atomVersion, "Atom version")->check(CLI::IsMember({"0.3", "1.0"}));
  command->add_option("--rss-count", o.rssCount, "at most this many items in the RSS feed");
  command->add_option("--atom-count", o.atomCount, "at most this many items in the Atom feed");
  command->add_option("--rss-mode", o.rssMode, "RSS description/content mode")
      ->check(CLI::IsMember({"none", "description", "content"}));
  command->add_option("--atom-mode", o.atomMode, "Atom description/content mode")
      ->check(CLI::IsMember({"none", "description", "content"}));
  command->add_option("--import-mode", o.importMode, "page import mode 0 to 3")->check(CLI::Range(0, 3));
  command->add_option("--ftp-host", o.ftpHost,
                      "server to publish to: HOST[:PORT] (FTP), ftps://HOST[:PORT] (FTP over TLS) or "
                      "sftp://HOST[:PORT] (SFTP)");
  command->add_option("--ftp-user", o.ftpUser, "FTP user name");
  command->add_flag("--ftp-password-stdin", o.ftpPasswordStdin, "read the FTP password from standard input");
  command->add_option("--ftp-dir", o.ftpDir, "remote folder to upload into");
  // Extensions: the classic file and feeds stay as they are while each is at its default.
  const auto onOff = CLI::IsMember({"on", "off"});
  command->add_option("--language", o.language, "the feeds' language, a BCP 47 tag (default ja)");
  command->add_option("--self-links", o.selfLinks, "RSS 2.0 names its own address (atom:link rel=self)")->check(onOff);
  command->add_option("--full-text", o.fullText, "RSS 2.0 carries the description and the content side by side")
      ->check(onOff);
  command->add_option("--item-images", o.itemImages, "items carry images: harvested from pages, written as Media RSS")
      ->check(onOff);
  command->add_option("--site-image", o.siteImage, "the site's image (RSS channel image, Atom logo); \"\" for none");
  command->add_option("--site-icon", o.siteIcon, "the site's icon (Atom icon); \"\" for none");
  command->add_option("--hold-future", o.holdFuture, "items dated in the future stay out of the feeds until then")
      ->check(onOff);
  command->add_option("--json-feed", o.jsonFeed, "a JSON Feed beside the RSS and Atom files (default off)")->check(onOff);
  command->add_option("--json-file", o.jsonFile, "JSON Feed file name inside the local folder (default feed.json)");
  command->add_option("--json-count", o.jsonCount, "at most this many items in the JSON Feed (default 20)");
  command->add_option("--websub-hub", o.websubHubs,
                      "a WebSub hub (http or https URL), named in the feeds and notified after each upload; repeat "
                      "for more; the hubs given replace the project's, \"\" alone removes them");
  command->add_option("--section", o.sections,
                      "a section with feeds of its own: NAME=category:CATEGORY or NAME=folder:FOLDER, optionally "
                      "followed by ;rss=FILE ;atom=FILE ;json=FILE ;title=SUFFIX; replaces the section of that name; repeatable");
  command->add_option("--remove-section", o.removeSections, "remove the section NAME; repeatable");
  command->add_option("--verify-url", o.verifyUrl, "after an upload, fetch each feed from the site and compare it")
      ->check(onOff);
  command->add_option("--podcast", o.podcast, "RSS 2.0 is a podcast feed: the itunes: and podcast: tags (default off)")
      ->check(onOff);
  command->add_option("--podcast-author", o.podcastAuthor, "the podcast's author (itunes:author); \"\" for none");
  command->add_option("--podcast-owner-email", o.podcastOwnerEmail,
                      "the owner's e-mail address that directories write to (itunes:email); \"\" for none");
  command->add_option("--podcast-category", o.podcastCategory,
                      "the directories' category, alone or with a subcategory: \"Technology\", \"Arts/Books\"; \"\" for none");
  command->add_option("--podcast-explicit", o.podcastExplicit, "whether episodes hold explicit content; \"\" for not said")
      ->check(CLI::IsMember({"yes", "no", ""}));
  command->add_option("--podcast-image", o.podcastImage, "the show's artwork, an http or https URL; \"\" for none");
  command->add_option("--podcast-type", o.podcastType, "episodic or serial; \"\" for not said")
      ->check(CLI::IsMember({"episodic", "serial", ""}));
  command->add_option("--podcast-locked", o.podcastLocked, "podcast:locked: other platforms may not import the show")
      ->check(onOff);
}

void ApplySettings(const SettingsOptions& o, CRssFile& project) {
  if (Given(o, "--title")) project.siteTitle = ArgText(o.title);
  if (Given(o, "--url")) project.siteUrl = ArgText(o.url);
  if (Given(o, "--description")) project.siteDescription = ArgText(o.description);
  if (Given(o, "--creator")) project.creator = ArgText(o.creator);
  if (Given(o, "--folder")) project.localFolder = AbsoluteFolder(o.folder);
  if (Given(o, "--rss-file")) project.rssFileName = ArgText(o.rssFile);
  if (Given(o, "--atom-file")) project.atomFileName = ArgText(o.atomFile);
  if (Given(o, "--rss-version")) project.rssVersion = o.rssVersion == "1.0" ? 0 : 1;
  if (Given(o, "--atom-version")) project.atomVersion = o.atomVersion == "0.3" ? 0 : 1;
  if (Given(o, "--rss-count")) project.rssCount = o.rssCount;
  if (Given(o, "--atom-count")) project.atomCount = o.atomCount;
  if (Given(o, "--rss-mode")) CRssFile::rssMode = ModeNumber(o.rssMode);
  if (Given(o, "--atom-mode")) CRssFile::atomMode = ModeNumber(o.atomMode);
  if (Given(o, "--import-mode")) project.importMode = o.importMode;
  if (Given(o, "--ftp-host")) {
    // Checked now rather than at the next publish; "" clears the host.
    const std::string host = ArgText(o.ftpHost);
    if (const CResult<> checked = CheckFtpHostField(host); !host.empty() && !checked) {
      throw CCliUsage("--ftp-host: " + checked.FirstText());
    }
    project.ftp.Host = host;
  }
  if (Given(o, "--ftp-user")) project.ftp.User = ArgText(o.ftpUser);
  if (Given(o, "--ftp-dir")) project.ftp.RemoteDir = ArgText(o.ftpDir);
  if (Given(o, "--language")) {
    if (!IsLanguageTag(o.language)) throw CCliUsage("--language needs a language tag such as ja, en or en-US: " + ArgText(o.language));
    project.ext.language = o.language;
  }
  if (Given(o, "--self-links")) project.ext.selfLinks = Switch(o.selfLinks);
  if (Given(o, "--full-text")) project.ext.fullText = Switch(o.fullText);
  if (Given(o, "--item-images")) project.ext.itemImages = Switch(o.itemImages);
  if (Given(o, "--site-image")) project.ext.siteImage = ArgText(o.siteImage);
  if (Given(o, "--site-icon")) project.ext.siteIcon = ArgText(o.siteIcon);
  if (Given(o, "--hold-future")) project.ext.holdFuture = Switch(o.holdFuture);
  if (Given(o, "--json-feed")) project.ext.jsonFeed = Switch(o.jsonFeed);
  if (Given(o, "--json-file")) {
    if (o.jsonFile.empty()) throw CCliUsage("--json-file needs a file name");
    project.ext.jsonFileName = ArgText(o.jsonFile);
  }
  if (Given(o, "--json-count")) project.ext.jsonCount = o.jsonCount;
  if (Given(o, "--websub-hub")) {
    std::vector<std::string> hubs;
    for (const std::string& hub : o.websubHubs) {
      if (hub.empty() && o.websubHubs.size() == 1) break;
      if (!IsWebAddress(hub)) throw CCliUsage("--websub-hub needs an http or https URL: " + ArgText(hub));
      hubs.push_back(ArgText(hub));
    }
    project.ext.websubHubs = std::move(hubs);
  }
  if (Given(o, "--verify-url")) project.ext.verifyUrl = Switch(o.verifyUrl);
  if (Given(o, "--remove-section") || Given(o, "--section")) {
    std::vector<CFeedSection> sections = project.ext.sections;
    for (const std::string& name : o.removeSections) {
      const std::string internal = ArgText(name);
      auto at = std::find_if(sections.begin(), sections.end(), [&](const CFeedSection& s) { return s.name == internal; });
      if (at == sections.end()) throw CCliUsage("--remove-section: no section " + internal);
      sections.erase(at);
    }
    for (const std::string& text : o.sections) {
      const CResult<CFeedSection> parsed = ParseSectionArgument(ArgText(text), project);
      if (!parsed) throw CCliUsage("--section: " + parsed.FirstText());
      auto at = std::find_if(sections.begin(), sections.end(), [&](const CFeedSection& s) { return s.name == parsed.value.name; });
      if (at != sections.end()) *at = parsed.value;
      else sections.push_back(parsed.value);
    }
    if (const std::string problem = SectionProblem(sections, ProjectFileNames(project)); !problem.empty()) throw CCliUsage("--section: " + problem);
    project.ext.sections = std::move(sections);
  }
  if (Given(o, "--podcast")) project.ext.podcast = Switch(o.podcast);
  if (Given(o, "--podcast-author")) project.ext.podcastAuthor = ArgText(o.podcastAuthor);
  if (Given(o, "--podcast-owner-email")) {
    if (!IsPodcastEmailValue(o.podcastOwnerEmail)) {
      throw CCliUsage("--podcast-owner-email needs an e-mail address such as owner@example.jp: " + ArgText(o.podcastOwnerEmail));
    }
    project.ext.podcastOwnerEmail = ArgText(o.podcastOwnerEmail);
  }
  if (Given(o, "--podcast-category")) {
    if (!o.podcastCategory.empty() && !IsPodcastCategoryPath(o.podcastCategory)) {
      throw CCliUsage("--podcast-category needs a category of the podcast directories, alone or with a subcategory "
                      "(\"Technology\", \"Arts/Books\"): " + ArgText(o.podcastCategory));
    }
    project.ext.podcastCategory = o.podcastCategory;
  }
  if (Given(o, "--podcast-explicit")) project.ext.podcastExplicit = o.podcastExplicit;
  if (Given(o, "--podcast-image")) {
    if (!IsPodcastImageValue(o.podcastImage)) {
      throw CCliUsage("--podcast-image needs an http or https URL: " + ArgText(o.podcastImage));
    }
    project.ext.podcastImage = ArgText(o.podcastImage);
  }
  if (Given(o, "--podcast-type")) project.ext.podcastType = o.podcastType;
  if (Given(o, "--podcast-locked")) project.ext.podcastLocked = Switch(o.podcastLocked);
  if (o.ftpPasswordStdin) {
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    project.ftp.Pass = ArgText(line);
  }
}
