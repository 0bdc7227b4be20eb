// What follows a successful upload: the WebSub hubs are told that the feeds changed, and each feed is
// fetched from the site and compared with what was uploaded. Neither can fail the upload; both add
// lines to its closing message.
#pragma once

#include <string>

class CRssFile;

// The lines (internal text, each after CR LF) that the closing message gets: one per hub and feed,
// one per feed checked. "" when no hub is set and the check is off.
std::string AfterPublishReport(const CRssFile& project);
