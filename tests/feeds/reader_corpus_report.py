#!/usr/bin/python3
"""Compares the feed reader with python3-feedparser on every feed of a corpus, item by item.

Usage: reader_corpus_report.py VAMELRSS_CLI CORPUS_DIR [--list]

Runs `vamelrss-cli show --json FILE` (the reader, through Open) and feedparser on each *.xml / *.rdf
file, and counts the files, and the titles, where the feed's title or an item's title or link differs,
by the likeliest reason. --list also prints each such file. Not a test: the two readers follow different rules.
"""
import base64
import binascii
import collections
import html
import json
import os
import re
import subprocess
import sys

import feedparser

from unicode_titles_check import as_feedparser_reads  # U+0080-U+009F as windows-1252

# What code page 932 alone would make of a text (the reader before it carried the characters the code
# page lacks): look-alikes for U+301C and its kin, "?" for the rest. Only to name that difference.
SAME_IN_CODE_PAGE = str.maketrans({"\u301c": "\uff5e", "\u2016": "\u2225", "\u2212": "\uff0d",
                                   "\u00a2": "\uffe0", "\u00a3": "\uffe1", "\u00ac": "\uffe2",
                                   "\u2014": "\u2015"})


def as_code_page(text):
    return text.translate(SAME_IN_CODE_PAGE).encode("cp932", "replace").decode("cp932")


def declares_no_encoding_and_is_no_utf8(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        data.decode("utf-8")
        return False
    except UnicodeDecodeError:
        pass
    head = data[:200]
    return not re.match(rb"\s*<\?xml[^>]*encoding=", head)


def from_base64(text):
    try:
        return base64.b64decode(text.strip(), validate=False).decode("utf-8")
    except (binascii.Error, UnicodeDecodeError, ValueError):
        return None

def ours(cli, path):
    run = subprocess.run([cli, "show", "--json", path], capture_output=True, timeout=60,
                         env=dict(os.environ, VAMELRSS_CONFIG_DIR="/nonexistent-vamelrss-report"))
    if run.returncode != 0:
        return None
    return json.loads(run.stdout.decode("utf-8"))


def title_reason(mine, theirs, path):
    if mine != theirs and as_code_page(theirs) == mine:
        return "title: characters that code page 932 lacks became \"?\" or look-alikes (the reader before it kept them)"
    if mine != theirs and as_feedparser_reads(mine) == theirs:
        return "title: U+0080-U+009F, which feedparser reads as the windows-1252 characters of those bytes"
    if declares_no_encoding_and_is_no_utf8(path):
        return ("title: no encoding declared and the bytes are no UTF-8: the reader takes them as code page 932, "
                "feedparser as windows-1252 (or what chardet guesses)")
    if mine.strip() == theirs.strip():
        return "title: white space around the text (feedparser strips it)"
    if re.sub(r"\s+", " ", mine).strip() == re.sub(r"\s+", " ", theirs).strip():
        return "title: white space inside the text (feedparser collapses it)"
    if from_base64(mine) is not None and from_base64(mine).strip() == theirs.strip():
        return "title: base64 (feedparser decodes a title of mode=\"base64\", the reader keeps the text)"
    if html.unescape(mine).strip() == theirs.strip() or re.sub(r"<[^>]*>", "", html.unescape(mine)).strip() == theirs.strip():
        return "title: HTML or escaped markup (feedparser unescapes, sanitizes or strips it by the title's type)"
    if re.sub(r"<[^>]*>", "", mine).strip() == re.sub(r"<[^>]*>", "", theirs).strip():
        return "title: markup inside the title (feedparser sanitizes it)"
    if "&" in mine:
        return "title: an entity feedparser knows and the reader keeps as written (HTML or DTD entities)"
    if not mine and theirs:
        return "title: taken by feedparser from another element (namespaced or nested title)"
    if mine and not theirs:
        return "title: feedparser finds none where the reader takes the first title below the entry (of its <source>, or of another namespace)"
    return "title: other (feedparser takes another title of the entry, or strips a script or markup it sanitizes)"


def link_reason(mine, theirs):
    if not theirs:
        return "link: feedparser finds no link (the reader takes any first link or rdf:about)"
    if not mine:
        return "link: the reader finds none (feedparser uses guid, a namespaced link or the alternate one)"
    if theirs.endswith(mine) or mine.startswith("/") or "://" not in mine:
        return "link: relative link (feedparser resolves it against xml:base or the feed's URL)"
    if mine.strip() != theirs.strip() and html.unescape(mine) == theirs:
        return "link: escaped twice in the feed"
    return "link: another link of the item (feedparser prefers rel=\"alternate\" in Atom)"


def main():
    cli, corpus = sys.argv[1], sys.argv[2]
    listing = "--list" in sys.argv
    reasons = collections.Counter()
    examples = collections.defaultdict(list)
    totals = collections.Counter()
    titles = collections.Counter()  # differing titles by reason
    for folder, _, files in os.walk(os.path.join(corpus, "tests")):
        for name in sorted(files):
            if not name.endswith((".xml", ".rdf")):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, corpus)
            totals["files"] += 1
            mine = ours(cli, path)
            try:
                parsed = feedparser.parse(path)
            except Exception:  # feedparser itself gives up on a few files
                totals["feedparser raised an error"] += 1
                continue
            if mine is None:
                totals["not read by the reader"] += 1
                if parsed.entries:
                    reason = "not read: no root the reader accepts, no channel, or a comment with \">\" before the root"
                    reasons[reason] += 1
                    examples[reason].append(rel)
                continue
            totals["read"] += 1
            # The feed's own title (the project's site title).
            theirs_feed_title = parsed.feed.get("title") or ""
            totals["feed titles compared"] += 1
            if mine["siteTitle"] != theirs_feed_title:
                reason = "feed " + title_reason(mine["siteTitle"], theirs_feed_title, path)
                reasons[reason] += 1
                titles[reason] += 1
                examples[reason].append(rel)
                totals["feed titles that differ"] += 1
            items = mine["items"]
            totals["items"] += len(items)
            if len(items) != len(parsed.entries):
                reason = "count: feedparser finds %s entries" % ("more" if len(parsed.entries) > len(items) else "fewer")
                reasons[reason] += 1
                examples[reason].append(rel)
                continue
            file_reasons = set()
            for mine_item, entry in zip(items, parsed.entries):
                theirs_title = entry.get("title") or ""
                totals["titles compared"] += 1
                if mine_item["title"] != theirs_title:
                    reason = title_reason(mine_item["title"], theirs_title, path)
                    file_reasons.add(reason)
                    titles[reason] += 1
                    totals["titles that differ"] += 1
                theirs_link = entry.get("link", "")
                if mine_item["url"] != theirs_link:
                    file_reasons.add(link_reason(mine_item["url"], theirs_link))
            for reason in file_reasons:
                reasons[reason] += 1
                examples[reason].append(rel)
            if file_reasons:
                totals["files with a different title or link"] += 1
    print("totals:", dict(totals))
    print("files  titles  reason")
    for reason, count in reasons.most_common():
        print("%5d  %6s  %s" % (count, titles[reason] if "title:" in reason else "", reason))
        if listing:
            for rel in examples[reason]:
                print("         " + rel)
        else:
            print("         e.g. " + ", ".join(examples[reason][:3]))


if __name__ == "__main__":
    main()
