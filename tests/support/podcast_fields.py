"""Prints what python3-feedparser reads of a podcast feed, as one JSON object (UTF-8): the channel's
itunes: tags, its podcast:guid and podcast:locked, and each entry's enclosures and episode tags.
"expected_guid" is the podcast namespace's GUID of the feed's self URL (or the file name under the
channel link), computed with Python's uuid module.

Usage: podcast_fields.py FEED.
"""
import json
import sys
import uuid
import xml.etree.ElementTree as ET

import feedparser

ITUNES = "{http://www.itunes.com/dtds/podcast-1.0.dtd}"
PODCAST = "{https://podcastindex.org/namespace/1.0}"
PODCAST_NAMESPACE = uuid.UUID("ead4c236-bf58-58c6-a2c6-a6b28d128cb6")


def categories(channel):
    """The itunes:category elements as [category, subcategory...] lists (feedparser flattens them)."""
    out = []
    if channel is None:
        return out
    for c in channel.findall(ITUNES + "category"):
        out.append([c.get("text")] + [s.get("text") for s in c.findall(ITUNES + "category")])
    return out


def text(parent, name):
    element = parent.find(name) if parent is not None else None
    return element.text if element is not None else None


def main():
    path = sys.argv[1]
    d = feedparser.parse(path)
    feed = d.get("feed", {})
    root = ET.parse(path).getroot()
    channel = root.find("channel")
    link = feed.get("link", "")
    name = link.split("://", 1)[-1].rstrip("/") + "/podcast.xml"
    owner = feed.get("publisher_detail", {})
    out = {
        "bozo": int(d.get("bozo", 0)),
        "error": str(d.get("bozo_exception", "")),
        "author": feed.get("author"),
        "owner": {"name": owner.get("name"), "email": owner.get("email")},
        "image": feed.get("image", {}).get("href"),
        "categories": categories(channel),
        "tags": [t.get("term") for t in feed.get("tags", [])],
        # feedparser 6.0 takes only "yes" as explicit: the text itself, as the directories read it.
        "explicit": text(channel, ITUNES + "explicit"),
        "guid": text(channel, PODCAST + "guid"),
        "expected_guid": str(uuid.uuid5(PODCAST_NAMESPACE, name)),
        "locked": text(channel, PODCAST + "locked"),
        "entries": [],
    }
    for e in d.get("entries", []):
        out["entries"].append({
            "enclosures": [{"href": x.get("href"), "length": x.get("length"), "type": x.get("type")}
                           for x in e.get("enclosures", [])],
            "duration": e.get("itunes_duration"),
            "episode": e.get("itunes_episode"),
            "season": e.get("itunes_season"),
            "episode_type": e.get("itunes_episodetype"),
            "image": e.get("image", {}).get("href"),
        })
    json.dump(out, sys.stdout, ensure_ascii=False, indent=1)


main()
