"""Prints what python3-feedparser reads from a feed file, as one JSON object (UTF-8).

Usage: feed_fields.py FEED. Dates are seconds since 1970 UTC (None when absent). HTML is taken as
written (no sanitising, no relative links resolved), so the test compares exactly what we wrote.
"""
import calendar
import json
import sys

import feedparser


def seconds(parsed):
    return calendar.timegm(parsed) if parsed else None


def main():
    d = feedparser.parse(sys.argv[1], sanitize_html=False, resolve_relative_uris=False)
    feed = d.get("feed", {})
    out = {
        "bozo": int(d.get("bozo", 0)),
        "error": str(d.get("bozo_exception", "")),
        "version": d.get("version", ""),
        "feed": {
            "title": feed.get("title"),
            "link": feed.get("link"),
            "subtitle": feed.get("subtitle"),
            "id": feed.get("id"),
            "author": feed.get("author"),
            "language": feed.get("language"),
            "updated": seconds(feed.get("updated_parsed")),
            "published": seconds(feed.get("published_parsed")),
            "links": [{"rel": l.get("rel"), "href": l.get("href"), "type": l.get("type")} for l in feed.get("links", [])],
            "image": feed.get("image", {}).get("href"),
            "icon": feed.get("icon"),
            "logo": feed.get("logo"),
        },
        "entries": [],
    }
    for e in d.get("entries", []):
        out["entries"].append({
            "title": e.get("title"),
            "link": e.get("link"),
            "summary": e.get("summary"),
            "content": [c.get("value") for c in e.get("content", [])],
            "updated": seconds(e.get("updated_parsed")),
            "published": seconds(e.get("published_parsed")),
            "tags": [t.get("term") for t in e.get("tags", [])],
            "id": e.get("id"),
            "media_thumbnail": [m.get("url") for m in e.get("media_thumbnail", [])],
            "media_content": [m.get("url") for m in e.get("media_content", [])],
            "content_language": [c.get("language") for c in e.get("content", [])],
        })
    json.dump(out, sys.stdout, ensure_ascii=False, indent=1)


main()
