#include "cli/item_options.h"

#include "app/date_input.h"
#include "app/enclosure_source.h"
#include "cli/cli_output.h"
#include "model/rss_item.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

bool Given(const ItemOptions& o, const char* name) { return o.command->count(name) > 0; }

TimeValue DateOrFail(const std::string& text, const char* option) {
  TimeValue t = 0;
  if (!ParseDateInput(text, t)) throw CCliUsage(std::string(option) + " needs a W3C date or date-time such as 2006-01-02 or 2006-01-02T10:03:04+09:00: " + ArgText(text));
  return t;
}

}  // namespace

void AddItemOptions(CLI::App* command, ItemOptions& o) {
  o.command = command;
  command->add_option("--title", o.title, "item title");
  command->add_option("--description", o.description, "short summary");
  command->add_option("--category", o.category, "category name");
  auto* content = command->add_option("--content", o.content, "content as HTML markup");
  command->add_option("--content-file", o.contentFile, "read the content from a file (UTF-8 or Shift_JIS)")
      ->excludes(content);
  command->add_option("--date", o.date, "date (W3C date-time); alone it sets the publication time too");
  command->add_option("--published", o.published, "time of first publication (W3C date-time)");
  command->add_option("--start-tag", o.startTag, "the item's own start marker");
  command->add_option("--end-tag", o.endTag, "the item's own end marker");
  command->add_option("--image", o.image, "the item's image URL (written when the project's --item-images or --podcast is on)");
  command->add_flag("--hidden", o.hidden, "keep the item in the project and out of every feed");
  command->add_option("--episode", o.episode, "a podcast episode's number (itunes:episode)")->check(CLI::PositiveNumber);
  command->add_option("--season", o.season, "a podcast episode's season (itunes:season)")->check(CLI::PositiveNumber);
  command->add_option("--episode-type", o.episodeType, "a podcast episode's type")
      ->check(CLI::IsMember({"full", "trailer", "bonus"}));
  auto* enclosure = command->add_option("--enclosure", o.enclosure,
                                        "a media file below the local folder, or an http(s) URL, as the item's enclosure");
  command->add_option("--enclosure-type", o.enclosureType, "the enclosure's MIME type (instead of the one found)")
      ->needs(enclosure);
  command->add_option("--enclosure-length", o.enclosureLength, "the enclosure's length in bytes (instead of the one found)")
      ->check(CLI::NonNegativeNumber)
      ->needs(enclosure);
  command->add_option("--duration", o.duration, "the enclosure's playing time in seconds (instead of the one found)")
      ->check(CLI::NonNegativeNumber)
      ->needs(enclosure);
}

void ApplyItemOptions(const ItemOptions& o, CRssItem& item) {
  if (Given(o, "--title")) item.title = ArgText(o.title);
  if (Given(o, "--description")) item.description = ArgText(o.description);
  if (Given(o, "--category")) item.category = ArgText(o.category);
  if (Given(o, "--content")) item.content = ArgText(o.content);
  if (Given(o, "--content-file")) {
    std::string bytes;
    int error = 0;
    if (!ReadFileBytes(ArgText(o.contentFile), bytes, error))
      throw CCliUsage("cannot read the content file: " + ArgText(o.contentFile));
    item.content = IsValidUtf8AllPlanes(bytes) ? Utf8ToAnsi(bytes) : bytes;
  }
  if (Given(o, "--date")) {
    item.date = DateOrFail(o.date, "--date");
    if (!Given(o, "--published")) item.published = item.date;
  }
  if (Given(o, "--published")) item.published = DateOrFail(o.published, "--published");
  if (Given(o, "--start-tag")) item.startTag = ArgText(o.startTag);
  if (Given(o, "--end-tag")) item.endTag = ArgText(o.endTag);
  if (Given(o, "--image")) item.ext.image = ArgText(o.image);
  if (o.hidden) item.ext.hidden = true;
  if (Given(o, "--episode")) item.ext.episode = o.episode;
  if (Given(o, "--season")) item.ext.season = o.season;
  if (Given(o, "--episode-type")) item.ext.episodeType = o.episodeType;
}

void ApplyEnclosureOptions(const ItemOptions& o, const CRssFile& project, CRssItem& item) {
  if (!Given(o, "--enclosure")) return;
  const bool byHand = Given(o, "--enclosure-type") && Given(o, "--enclosure-length");
  const CResult<CEnclosure> found = EnclosureFor(project, ArgText(o.enclosure), !byHand);
  if (!found) throw CCliFailure(found.FirstText());
  CEnclosure enclosure = found.value;
  if (Given(o, "--enclosure-type")) enclosure.type = ArgText(o.enclosureType);
  if (Given(o, "--enclosure-length")) enclosure.length = o.enclosureLength;
  if (Given(o, "--duration")) enclosure.duration = o.duration;
  for (const CUserMessage& warning : MissingEnclosureFacts(enclosure)) PrintErr("warning: " + warning.text);
  item.ext.enclosure = enclosure;
}
