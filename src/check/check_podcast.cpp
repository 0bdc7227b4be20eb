// What podcast directories reject.
#include "check/check_podcast.h"

#include <string>

#include "check/check_nodes.h"
#include "check/check_value_rules.h"

bool DeclaresItunes(const xmlNode* channel) {
  return xmlSearchNsByHref(channel->doc, const_cast<xmlNode*>(channel), reinterpret_cast<const xmlChar*>(kItunesNs)) != nullptr;
}

void CheckPodcastChannel(const xmlNode* channel, CCheckReport& report) {
  for (const char* name : {"image", "explicit", "category"}) {
    if (!FirstChild(channel, kItunesNs, name)) report.AtNode(CheckRule::PodcastRequired, channel, std::string("itunes:") + name);
  }
  const xmlNode* owner = FirstChild(channel, kItunesNs, "owner");
  if (!owner) report.AtNode(CheckRule::PodcastRequired, channel, "itunes:owner");
  else if (!FirstChild(owner, kItunesNs, "email")) report.AtNode(CheckRule::PodcastRequired, owner, "itunes:email");
}

void CheckPodcastEnclosure(const xmlNode* enclosure, CCheckReport& report) {
  RequireAttributes(enclosure, {"url"}, report);
  bool found = false;
  const std::string length(TrimSpace(Attribute(enclosure, "length", nullptr, &found)));
  if (!found) report.AtNode(CheckRule::PodcastEnclosureLength, enclosure);
  else if (length.find_first_not_of('0') == std::string::npos) report.AtAttribute(CheckRule::PodcastEnclosureLength, enclosure, "length");
  const std::string type(TrimSpace(Attribute(enclosure, "type", nullptr, &found)));
  if (!found) report.AtNode(CheckRule::PodcastEnclosureType, enclosure, type);
  else if (!StartsWithNoCase(type, "audio/") && !StartsWithNoCase(type, "video/")) {
    report.AtAttribute(CheckRule::PodcastEnclosureType, enclosure, "type", type);
  }
}
