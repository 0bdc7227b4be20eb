// What podcast directories reject in an RSS 2.0 feed that declares the itunes namespace: the show's
// required tags missing, an enclosure without its size or with a type that is no audio or video.
#pragma once

#include <libxml/tree.h>

#include "check/check_report.h"

// True when the channel (or the rss element above it) declares the itunes namespace: the feed means to
// be a podcast.
bool DeclaresItunes(const xmlNode* channel);
// The channel's itunes:image, itunes:explicit, itunes:category and itunes:owner with its itunes:email.
void CheckPodcastChannel(const xmlNode* channel, CCheckReport& report);
// An item's enclosure: a url, a length above 0, an audio/ or video/ type.
void CheckPodcastEnclosure(const xmlNode* enclosure, CCheckReport& report);
