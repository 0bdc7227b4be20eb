// One feed item: one page of the site, one RSS item or Atom entry.
#pragma once

#include <string>

#include "model/project_extensions.h"
#include "platform/clock.h"

class CArchive;

class CRssItem {
public:
  static constexpr const char* kClassName = "CRssItem";
  static constexpr int kSchema = 1;

  CRssItem();                      // both times are now
  explicit CRssItem(TimeValue t);  // both times are t
  virtual ~CRssItem() = default;

  // Stores or loads the item: version, title, url, description, category, date, content, published,
  // startTag, endTag (date comes before content, published after it).
  virtual void Serialize(CArchive& ar);

  // The HTML of the preview pane: the description and the content under two headings.
  std::string GetPreviewHtml() const;

  std::string title;
  std::string url;  // the item's identity within a project
  std::string description;
  std::string category;
  std::string content;  // HTML markup
  TimeValue date;
  TimeValue published;
  std::string startTag;  // empty: the program default applies
  std::string endTag;
  // Values beyond the classic file (image, hidden, ...): they live on the item, so they follow it
  // through every move, sort, insert and delete.
  CItemExtensions ext;
};
