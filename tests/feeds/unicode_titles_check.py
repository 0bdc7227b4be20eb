#!/usr/bin/python3
"""Compares the item titles of a feed with the expected ones, read by python3-feedparser and by python's
conforming XML parser.

Usage: unicode_titles_check.py FEED EXPECTED_JSON. EXPECTED_JSON holds a list of titles (UTF-8).
Prints one JSON object: "entries" (how many feedparser found), "feedparser" and "xml" (the indexes of the
titles that differ, at most ten each) and "example" (the first difference, as code points).

feedparser reads U+0080 to U+009F as the windows-1252 characters of those bytes, as browsers do; the
expected titles are compared with that reading applied, and the XML parser checks them as written.
"""
import json
import sys
import xml.dom.minidom

import feedparser


def as_feedparser_reads(text):
    out = []
    for c in text:
        if 0x80 <= ord(c) <= 0x9F:
            try:
                c = bytes([ord(c)]).decode("cp1252")
            except UnicodeDecodeError:
                pass
        out.append(c)
    return "".join(out)


def text_of(node):
    return "".join(n.data for n in node.childNodes if n.nodeType in (n.TEXT_NODE, n.CDATA_SECTION_NODE))


def first_difference(got, want):
    at = next((i for i in range(min(len(got), len(want))) if got[i] != want[i]), min(len(got), len(want)))
    return {"at": at, "got": [hex(ord(c)) for c in got[at:at + 3]], "want": [hex(ord(c)) for c in want[at:at + 3]]}


def main():
    feed, expected_file = sys.argv[1], sys.argv[2]
    with open(expected_file, encoding="utf-8") as f:
        expected = json.load(f)
    result = {"entries": 0, "feedparser": [], "xml": [], "example": None}

    parsed = feedparser.parse(feed, sanitize_html=False, resolve_relative_uris=False)
    result["entries"] = len(parsed.entries)
    for i, (entry, want) in enumerate(zip(parsed.entries, expected)):
        got = entry.get("title", "")
        if got != as_feedparser_reads(want):
            result["feedparser"].append(i)
            result["example"] = result["example"] or first_difference(got, as_feedparser_reads(want))

    document = xml.dom.minidom.parse(feed)
    items = document.getElementsByTagName("item") or document.getElementsByTagName("entry")
    for i, (item, want) in enumerate(zip(items, expected)):
        got = text_of(item.getElementsByTagName("title")[0])
        if got != want:
            result["xml"].append(i)
            result["example"] = result["example"] or first_difference(got, want)
    if len(items) != len(expected):
        result["xml"].append(-1)
    result["feedparser"] = result["feedparser"][:10]
    result["xml"] = result["xml"][:10]
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()
