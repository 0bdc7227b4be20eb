#!/usr/bin/python3
"""What the feed reader should find in each well-formed file of a corpus, by a conforming XML parser.

Usage: reader_corpus_expect.py CORPUS_DIR OUT_JSON

For every *.xml / *.rdf file below CORPUS_DIR that python's XML parser accepts, writes an entry
  "relative/path": {"format": 1-4, "channel": bool, "items": N, "titles": [...] or null}
format follows the reader's rule on the root element as written ("feed" with version "0.3" is 3, other
"feed" 4, "rss" 2, anything else 1); items counts the elements named "item" (RSS) or "entry" (Atom)
below the root, names as written; titles holds, per item, the text of its first "title" descendant
(text and CDATA, references decoded), every character as it is, or null when the file
declares entities of its own (the reader decodes only the predefined and numeric references);
"""
import json
import os
import sys
import xml.dom
import xml.dom.minidom
import xml.parsers.expat

def text_of(node):
    parts = []
    stack = [node]
    while stack:
        current = stack.pop()
        if current.nodeType in (xml.dom.Node.TEXT_NODE, xml.dom.Node.CDATA_SECTION_NODE):
            parts.append(current.data)
        else:
            stack.extend(reversed(current.childNodes))
    return "".join(parts)


def describe(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        document = xml.dom.minidom.parseString(data)
    except (xml.parsers.expat.ExpatError, ValueError, LookupError):
        return None
    root = document.documentElement
    name = root.tagName
    if name == "feed":
        fmt = 3 if root.getAttribute("version") == "0.3" else 4
    else:
        fmt = 2 if name == "rss" else 1
    items = root.getElementsByTagName("entry" if fmt >= 3 else "item")
    own_entities = document.doctype is not None and document.doctype.entities.length > 0
    titles = None
    if not own_entities:
        titles = []
        for item in items:
            found = item.getElementsByTagName("title")
            titles.append(text_of(found[0]) if found else "")
    return {"format": fmt, "channel": bool(root.getElementsByTagName("channel")), "items": len(items),
            "titles": titles}


def main():
    corpus, out = sys.argv[1], sys.argv[2]
    result = {}
    for folder, _, files in os.walk(corpus):
        for name in sorted(files):
            if not name.endswith((".xml", ".rdf")):
                continue
            path = os.path.join(folder, name)
            entry = describe(path)
            if entry is not None:
                result[os.path.relpath(path, corpus)] = entry
    with open(out, "w", encoding="utf-8") as f:
        json.dump(result, f, ensure_ascii=False)


if __name__ == "__main__":
    main()
