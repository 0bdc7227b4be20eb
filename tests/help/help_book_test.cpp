// The help book's sources: well-formed pages that wxHtml can show, links that land, contents and an
// index that list every page, and the context numbers the program shows topics by.
#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kHelpDir = VAMELRSS_HELP_DIR;

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, DocFree>;

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

// The book's files by name, sorted.
std::vector<std::string> BookFiles(const std::string& extension) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kHelpDir)) {
    std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && EndsWith(name, extension)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Parses a book file strictly as XML, without network or DTD; on failure returns null and the
// parser's message.
XmlDocPtr ParseBookFile(const std::string& name, std::string& error) {
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  const std::string path = (kHelpDir / name).string();
  xmlDoc* doc = xmlCtxtReadFile(ctxt, path.c_str(), "UTF-8", XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc || !ctxt->wellFormed) {
    const xmlError* last = xmlCtxtGetLastError(ctxt);
    error = name + ": " + (last && last->message ? last->message : "not well-formed") +
            (last ? " (line " + std::to_string(last->line) + ")" : "");
    if (doc) xmlFreeDoc(doc);
    doc = nullptr;
  }
  xmlFreeParserCtxt(ctxt);
  return XmlDocPtr(doc);
}

XmlDocPtr ParseOrFail(const std::string& name) {
  std::string error;
  XmlDocPtr doc = ParseBookFile(name, error);
  EXPECT_TRUE(doc) << error;
  return doc;
}

void ForEachElement(xmlNode* node, const std::function<void(xmlNode*)>& visit) {
  for (xmlNode* n = node; n; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    visit(n);
    ForEachElement(n->children, visit);
  }
}

std::string Name(const xmlNode* node) { return Lower(reinterpret_cast<const char*>(node->name)); }

bool HasAttr(xmlNode* node, const char* attr) { return xmlHasProp(node, reinterpret_cast<const xmlChar*>(attr)) != nullptr; }

std::string Attr(xmlNode* node, const char* attr) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(attr));
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

std::string TextOf(xmlNode* node) {
  xmlChar* value = xmlNodeGetContent(node);
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

// One <object type="text/sitemap"> of the contents or the index, with its params.
struct SitemapEntry {
  std::string name, local;
  bool hasId = false;
  long id = 0;
};

std::vector<SitemapEntry> SitemapEntries(const std::string& file) {
  std::vector<SitemapEntry> entries;
  XmlDocPtr doc = ParseOrFail(file);
  if (!doc) return entries;
  ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* object) {
    if (Name(object) != "object" || Attr(object, "type") != "text/sitemap") return;
    SitemapEntry entry;
    for (xmlNode* p = object->children; p; p = p->next) {
      if (p->type != XML_ELEMENT_NODE || Name(p) != "param") continue;
      const std::string param = Lower(Attr(p, "name"));
      const std::string value = Attr(p, "value");
      if (param == "name") entry.name = value;
      if (param == "local") entry.local = value;
      if (param == "id") {
        entry.hasId = true;
        entry.id = std::strtol(value.c_str(), nullptr, 10);
      }
    }
    entries.push_back(entry);
  });
  return entries;
}

// "Key=value" lines of the help project file.
std::map<std::string, std::string> ProjectOptions() {
  std::map<std::string, std::string> options;
  std::istringstream lines(ReadText(kHelpDir / "vamelrss.hhp"));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t eq = line.find('=');
    if (eq != std::string::npos) options[Lower(line.substr(0, eq))] = line.substr(eq + 1);
  }
  return options;
}

std::string PageOf(const std::string& local) { return local.substr(0, local.find('#')); }

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Display width of one UTF-8 character: East Asian wide and full-width characters take two columns.
int Columns(unsigned cp) {
  if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana
  const bool wide = (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3) ||
                    (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
                    (cp >= 0xFFE0 && cp <= 0xFFE6);
  return wide ? 2 : 1;
}

}  // namespace

TEST(HelpBook, EveryFileIsWellFormedAndShapedForTheHelpViewer) {
  const std::vector<std::string> pages = BookFiles(".html");
  ASSERT_GT(pages.size(), 20u);
  for (const std::string& page : pages) {
    XmlDocPtr doc = ParseOrFail(page);
    if (!doc) continue;
    xmlNode* root = xmlDocGetRootElement(doc.get());
    EXPECT_EQ(Name(root), "html") << page;
    std::string title, charset;
    std::vector<std::string> refused;
    ForEachElement(root, [&](xmlNode* e) {
      const std::string tag = Name(e);
      if (tag == "title") title = TextOf(e);
      // wxHtml takes a page's encoding from this meta element only.
      if (tag == "meta" && Lower(Attr(e, "http-equiv")) == "content-type") charset = Lower(Attr(e, "content"));
      // No scripts or style sheets: the help viewer runs and loads neither.
      if (tag == "script" || tag == "style" || tag == "link" || tag == "iframe") refused.push_back(tag);
    });
    EXPECT_FALSE(title.empty()) << page << " has no title";
    EXPECT_NE(charset.find("charset=utf-8"), std::string::npos) << page << " does not declare UTF-8";
    EXPECT_TRUE(refused.empty()) << page << " uses <" << (refused.empty() ? "" : refused[0]) << ">";
  }

  // The contents and index are read with the project's Charset line; a meta charset in them would
  // make wx convert their names a second time and lose them.
  for (const std::string& sitemap : {std::string("contents.hhc"), std::string("index.hhk")}) {
    XmlDocPtr doc = ParseOrFail(sitemap);
    if (!doc) continue;
    bool meta = false;
    ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* e) { meta |= Name(e) == "meta"; });
    EXPECT_FALSE(meta) << sitemap;
  }

  std::map<std::string, std::string> options = ProjectOptions();
  EXPECT_EQ(options["charset"], "UTF-8");
  EXPECT_EQ(options["contents file"], "contents.hhc");
  EXPECT_EQ(options["index file"], "index.hhk");
  EXPECT_EQ(options["default topic"], "index.html");
  EXPECT_FALSE(options["title"].empty());
}

TEST(HelpBook, EveryLinkInsideTheBookLands) {
  const std::vector<std::string> pages = BookFiles(".html");
  // The anchors wxHtml can scroll to: <a name="...">. It ignores id attributes.
  std::map<std::string, std::set<std::string>> anchors;
  for (const std::string& page : pages) {
    XmlDocPtr doc = ParseOrFail(page);
    if (!doc) continue;
    std::set<std::string>& names = anchors[page];
    ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* e) {
      if (Name(e) == "a" && HasAttr(e, "name")) names.insert(Attr(e, "name"));
    });
  }

  std::vector<std::string> broken;
  auto check = [&](const std::string& from, const std::string& target) {
    if (target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0 || target.rfind("mailto:", 0) == 0) return;
    const size_t hash = target.find('#');
    const std::string page = hash == std::string::npos ? target : target.substr(0, hash);
    const std::string page_name = page.empty() ? from : page;
    if (target.empty()) {
      broken.push_back(from + ": empty link");
    } else if (!fs::is_regular_file(kHelpDir / page_name)) {
      broken.push_back(from + ": " + target + " (no such file in the book)");
    } else if (hash != std::string::npos && !anchors[page_name].count(target.substr(hash + 1))) {
      broken.push_back(from + ": " + target + " (no <a name> of that name in " + page_name + ")");
    }
  };

  for (const std::string& page : pages) {
    XmlDocPtr doc = ParseOrFail(page);
    if (!doc) continue;
    ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* e) {
      if (HasAttr(e, "href")) check(page, Attr(e, "href"));
      if (HasAttr(e, "src")) check(page, Attr(e, "src"));
    });
  }
  for (const std::string& sitemap : {std::string("contents.hhc"), std::string("index.hhk")}) {
    for (const SitemapEntry& entry : SitemapEntries(sitemap)) check(sitemap + " [" + entry.name + "]", entry.local);
  }
  std::map<std::string, std::string> options = ProjectOptions();
  for (const char* key : {"contents file", "index file", "default topic"}) check("vamelrss.hhp", options[key]);

  EXPECT_TRUE(broken.empty()) << Joined(broken);
}

TEST(HelpBook, ContentsAndIndexListEveryPage) {
  const std::vector<std::string> pages = BookFiles(".html");
  const std::vector<SitemapEntry> contents = SitemapEntries("contents.hhc");
  const std::vector<SitemapEntry> index = SitemapEntries("index.hhk");
  ASSERT_FALSE(contents.empty());
  ASSERT_FALSE(index.empty());

  std::set<std::string> inContents, inIndex, keywords;
  std::vector<std::string> problems;
  for (const SitemapEntry& e : contents) inContents.insert(PageOf(e.local));
  for (const SitemapEntry& e : index) {
    inIndex.insert(PageOf(e.local));
    if (e.name.empty()) problems.push_back("index entry without a name: " + e.local);
    if (!keywords.insert(e.name).second) problems.push_back("index keyword listed twice: " + e.name);
  }
  // The index is one flat list: wx shows no sub-levels of it.
  XmlDocPtr doc = ParseOrFail("index.hhk");
  if (doc) {
    int lists = 0;
    ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* e) { lists += Name(e) == "ul"; });
    EXPECT_EQ(lists, 1);
  }
  for (const std::string& page : pages) {
    // The viewer's search looks only at pages in the contents.
    if (!inContents.count(page)) problems.push_back("not in the contents: " + page);
    if (!inIndex.count(page)) problems.push_back("not in the index: " + page);
  }
  EXPECT_TRUE(problems.empty()) << Joined(problems);
}

TEST(HelpBook, ContextNumbersLeadToTheirPages) {
  // The program asks for topic 1 (contents), 11 (item editor) and 12 (marker tags). wx finds a
  // number through the ID params of the contents, taking the first entry that carries it.
  const std::vector<SitemapEntry> contents = SitemapEntries("contents.hhc");
  std::map<long, std::string> pageById;
  std::vector<std::string> problems;
  for (const SitemapEntry& e : contents) {
    if (!e.hasId) continue;
    if (!pageById.emplace(e.id, e.local).second) problems.push_back("context number used twice: " + std::to_string(e.id));
  }
  EXPECT_TRUE(problems.empty()) << Joined(problems);
  EXPECT_EQ(pageById[1], "index.html");
  EXPECT_EQ(pageById[11], "item_editor.html");
  EXPECT_EQ(pageById[12], "marker_tags.html");
  EXPECT_EQ(ProjectOptions()["default topic"], pageById[1]);

  // And those pages are the ones about the dialogs that ask for them.
  auto title = [](const std::string& page) {
    std::string text;
    XmlDocPtr doc = ParseOrFail(page);
    if (doc) ForEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode* e) {
        if (Name(e) == "title") text = TextOf(e);
      });
    return text;
  };
  EXPECT_EQ(title("item_editor.html"), "アイテム編集");
  EXPECT_EQ(title("marker_tags.html"), "更新内容指定タグ");
  EXPECT_EQ(title("index.html"), "VamelRss ヘルプ");
}

TEST(HelpBook, TextCanWrapInTheHelpViewer) {
  // wxHtml breaks lines only at ASCII white space, so Japanese text needs a space (or a line break
  // in the source) now and then; a longer run than this cannot wrap in a help window of ordinary
  // width and would need sideways scrolling. Exact program messages are the longest runs.
  const int kMaxColumns = 100;
  const std::set<std::string> blocks = {"html", "head", "body", "p", "li", "ul", "ol", "dl", "dt", "dd", "table", "tr",
                                        "td", "th", "h1", "h2", "h3", "h4", "h5", "h6", "hr", "br", "div", "pre"};
  std::vector<std::string> tooLong;
  for (const std::string& page : BookFiles(".html")) {
    XmlDocPtr doc = ParseOrFail(page);
    if (!doc) continue;
    std::string run;
    int columns = 0;
    auto endRun = [&] {
      if (columns > kMaxColumns) tooLong.push_back(page + ": " + std::to_string(columns) + " columns: " + run);
      run.clear();
      columns = 0;
    };
    std::function<void(xmlNode*)> walk = [&](xmlNode* node) {
      for (xmlNode* n = node; n; n = n->next) {
        if (n->type == XML_TEXT_NODE) {
          const unsigned char* p = n->content;
          while (p && *p) {
            unsigned cp = *p;
            int len = cp < 0x80 ? 1 : cp < 0xE0 ? 2 : cp < 0xF0 ? 3 : 4;
            if (len == 2) cp = ((cp & 0x1F) << 6) | (p[1] & 0x3F);
            if (len == 3) cp = ((cp & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
            if (len == 4) cp = ((cp & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            if (cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r') {
              endRun();
            } else {
              run.append(reinterpret_cast<const char*>(p), static_cast<size_t>(len));
              columns += Columns(cp);
            }
            p += len;
          }
        } else if (n->type == XML_ELEMENT_NODE) {
          const std::string tag = Name(n);
          const bool block = blocks.count(tag) > 0;
          if (block) endRun();
          // Preformatted examples and the head are not wrapped text.
          if (tag != "pre" && tag != "head") walk(n->children);
          if (block) endRun();
        }
      }
    };
    walk(xmlDocGetRootElement(doc.get()));
    endRun();
  }
  EXPECT_TRUE(tooLong.empty()) << Joined(tooLong);
}
