// The parser against the simple reference implementation: identical trees on every fixture, on the
// shared feed corpus, and on thousands of generated tag-soup documents, in both modes.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "reference_parser.h"
#include "support/missing.h"
#include "support/test_env.h"
#include "xml/end_tag_index.h"
#include "xml/vxml.h"

namespace {

class XmlDifferential : public VamelTest {};

void ListFiles(const std::string& folder, std::vector<std::string>& out) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = folder + "/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) ListFiles(path, out);
    else if (S_ISREG(st.st_mode)) out.push_back(path);
  }
  closedir(dir);
}

// Loads `bytes` with both parsers in the given mode; "" when the trees agree.
std::string CompareLoad(const std::string& bytes, bool html) {
  std::string declared;
  std::unique_ptr<RefNode> expected = ref::LoadText(bytes, html, &declared);
  CVXMLDocument doc(html ? kHtmlCompact : kXmlCompact);
  doc.LoadText(bytes);
  if (doc.GetDeclaredEncoding() != declared) return "declared encoding " + doc.GetDeclaredEncoding();
  const CVXMLElement* root = doc.GetDocumentElement();
  if (!root) return "no document element";
  return CompareTrees(*expected, *root);
}

// Content parsing into an element, as the feed writers and SetNodeValue use it.
std::string CompareContent(const std::string& text, bool html) {
  (void)html;  // content is parsed the same way in both modes
  RefNode expected;
  expected.name = "holder";
  bool expectedResult = ref::ParseContent(text, expected);
  CVXMLElement holder;
  holder.SetNodeName("holder");
  bool result = holder.GetChildNodes()->ParseContent(text, &holder);
  if (result != expectedResult) return "result differs";
  return CompareTrees(expected, holder);
}

// Tag soup: nested and unclosed elements of similar names, prefixes, "<<", stray end tags, comments,
// CDATA, attributes in every quoting form, line breaks after names, double-byte text.
class SoupGenerator {
public:
  explicit SoupGenerator(unsigned seed) : m_rng(seed) {}

  std::string Document() {
    std::string out;
    Content(out, 0);
    return out;
  }

private:
  size_t Pick(size_t n) { return static_cast<size_t>(m_rng() % n); }
  bool Chance(int percent) { return static_cast<int>(m_rng() % 100) < percent; }

  std::string Name() {
    static const char* const kNames[] = {"p",  "P",    "pre", "a",  "A",    "ab",   "item", "items", "Item",
                                         "br", "img",  "hr",  "b",  "li",   "ul",   "x",    "p/",    "%",
                                         "\x83\x41", "\x83\x61", "div", "DIV", "t:a", "a<b", ""};
    return kNames[Pick(sizeof kNames / sizeof kNames[0])];
  }

  std::string Attributes() {
    static const char* const kForms[] = {" a=1",  " b=\"2 3\"", " c='4'", " d",      " e = \"5\"", " f=\"x/y\"",
                                         " g=''", " h=\"\"",    " /",     "\r\ni=j", "\tk=l",     " m=\"it's\"",
                                         " n='say \"hi\"'", " o=\"unterminated", " =p", "  q  =  r  "};
    std::string out;
    size_t count = Pick(3);
    for (size_t i = 0; i < count; ++i) out += kForms[Pick(sizeof kForms / sizeof kForms[0])];
    return out;
  }

  std::string Text() {
    static const char* const kTexts[] = {"text", " ", "\r\n\t", "a &amp; b", "\x93\xFA\x96{", "\x83\x5D]>",
                                         ">",    "x>y", "&#12354;", "\x83\x41\x83\x61", "]]", "--", "/"};
    return kTexts[Pick(sizeof kTexts / sizeof kTexts[0])];
  }

  std::string Separator() {
    static const char* const kSeps[] = {"", "", "", " ", "\r\n", "\n", "\t"};
    return kSeps[Pick(sizeof kSeps / sizeof kSeps[0])];
  }

  void Content(std::string& out, int depth) {
    size_t count = 1 + Pick(depth == 0 ? 8 : 5);
    for (size_t i = 0; i < count; ++i) {
      int kind = static_cast<int>(Pick(100));
      if (kind < 20) {
        out += Text();
      } else if (kind < 25) {
        out += "<!--" + Text() + (Chance(95) ? "-->" : "");
      } else if (kind < 29) {
        out += "<![CDATA[" + Text() + (Chance(95) ? "]]>" : "");
      } else if (kind < 34) {
        out += "</" + Name() + ">";  // stray end tag
      } else if (kind < 37) {
        out += Chance(50) ? "<<" : "<";
      } else if (kind < 40) {
        out += "<" + Name() + Attributes() + Separator() + "/>";
      } else if (kind < 42) {
        out += "<% " + Name() + " %>";
      } else if (kind < 44) {
        out += "<!-->";
      } else {
        std::string name = Name();
        out += "<" + name + Separator() + Attributes() + ">";
        if (depth < 6) Content(out, depth + 1);
        int close = static_cast<int>(Pick(100));
        if (close < 65) out += "</" + name + ">";
        else if (close < 75) out += "</" + Name() + ">";
        else if (close < 80) {
          std::string upper = name;
          for (char& c : upper) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
          }
          out += "</" + upper + ">";
        }
      }
    }
  }

  std::mt19937 m_rng;
};

}  // namespace

TEST_F(XmlDifferential, FixturesInBothModes) {
  std::vector<std::string> files;
  ListFiles(VAMELRSS_TEST_DATA, files);
  ASSERT_FALSE(files.empty());
  for (const std::string& path : files) {
    std::string bytes = ReadFile(path);
    EXPECT_EQ(CompareLoad(bytes, false), "") << path;
    EXPECT_EQ(CompareLoad(bytes, true), "") << path;
  }
}

TEST_F(XmlDifferential, SharedFeedCorpus) {
  std::vector<std::string> files;
  ListFiles(std::string(VAMELRSS_SHARED_DIR) + "/corpus/feedparser-tests/tests", files);
  if (files.empty()) SKIP_OR_FAIL_IN_CI("no shared corpus");
  for (const std::string& path : files) {
    std::string bytes = ReadFile(path);
    EXPECT_EQ(CompareLoad(bytes, false), "") << path;
    EXPECT_EQ(CompareLoad(bytes, true), "") << path;
  }
  EXPECT_GT(files.size(), 1000u);
}

TEST_F(XmlDifferential, GeneratedTagSoup) {
  int failures = 0;
  for (unsigned seed = 1; seed <= 4000 && failures < 5; ++seed) {
    SoupGenerator generator(seed);
    std::string doc = generator.Document();
    for (bool html : {false, true}) {
      std::string difference = CompareContent(doc, html);
      if (!difference.empty()) {
        ++failures;
        RefNode expected;
        ref::ParseContent(doc, expected);
        ADD_FAILURE() << "seed " << seed << (html ? " html" : " xml") << ": " << difference << "\n"
                      << doc << "\nexpected:\n"
                      << DumpTree(expected);
      }
      difference = CompareLoad(doc, html);
      if (!difference.empty()) {
        ++failures;
        ADD_FAILURE() << "load seed " << seed << (html ? " html" : " xml") << ": " << difference << "\n" << doc;
      }
    }
  }
}

TEST_F(XmlDifferential, FindMatchingEndTagOnRandomBytes) {
  // Short random texts over a small alphabet: the public search against the reference search.
  std::mt19937 rng(7);
  const std::string alphabet = "<</>aAbp/ \n";
  const char* const names[] = {"a", "ab", "A", "/a", "", "/", "a<b", "//", "p"};
  for (int round = 0; round < 20000; ++round) {
    std::string text(1 + rng() % 24, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    std::string name = names[rng() % (sizeof names / sizeof names[0])];
    ASSERT_EQ(FindMatchingEndTag(text, name), ref::FindMatchingEndTag(text, name)) << text << " / " << name;
  }
}

TEST_F(XmlDifferential, DenseRandomMarkup) {
  // Random strings over the delimiters: the index's shortcuts against byte-by-byte matching.
  std::mt19937 rng(11);
  const std::string alphabet = "<<<>>/aAb p\n!-[]%\"'=";
  int failures = 0;
  for (int round = 0; round < 20000 && failures < 5; ++round) {
    std::string text(1 + rng() % 60, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    for (bool html : {false, true}) {
      std::string difference = CompareContent(text, html);
      if (!difference.empty()) {
        ++failures;
        ADD_FAILURE() << difference << "\n" << text;
      }
    }
  }
}

TEST_F(XmlDifferential, EndTagIndexAgainstTheByteSearch) {
  // Every start-tag position of random texts over a small alphabet, odd names included ("", "/", "//",
  // names holding "<", names ending with "<"): the index must answer as the search over the rest of
  // the content does.
  std::mt19937 rng(5);
  const std::string alphabet = "<<<//>>aAb x\n";
  for (int round = 0; round < 6000; ++round) {
    std::string text(1 + rng() % 48, ' ');
    for (char& c : text) c = alphabet[rng() % alphabet.size()];
    CEndTagIndex index(text);
    for (size_t b = 0; b < text.size(); ++b) {
      if (text[b] != '<' || text.find('>', b) == std::string::npos) continue;
      size_t c = b + 1;
      while (c < text.size() && std::string("> \t\r\n").find(text[c]) == std::string::npos) ++c;
      std::string name = text.substr(b + 1, c - b - 1);
      size_t end = text.size() - rng() % (text.size() - c + 1);
      long expected = FindMatchingEndTag(std::string_view(text).substr(c, end - c), name);
      size_t found = index.Find(name, c, end);
      long actual = found == std::string_view::npos ? -1 : static_cast<long>(found - c);
      ASSERT_EQ(actual, expected) << "text '" << text << "' name '" << name << "' from " << c << " to " << end;
    }
  }
}

TEST_F(XmlDifferential, EndTagIndexOnALargeText) {
  // Enough "<" for the index to group its candidates by two bytes: sampled start tags against the
  // reference search, names of one and two bytes and those beginning with "/" included.
  std::mt19937 rng(9);
  const std::string alphabet = "<<<//>>aAbB x\n";
  std::string text(100000, ' ');
  for (char& c : text) c = alphabet[rng() % alphabet.size()];
  ASSERT_GT(std::count(text.begin(), text.end(), '<'), 16384);
  CEndTagIndex index(text);
  int checked = 0;
  for (size_t b = 0; b < text.size() && checked < 400; b += 1 + rng() % 400) {
    if (text[b] != '<' || text.find('>', b) == std::string::npos) continue;
    size_t c = b + 1;
    while (c < text.size() && std::string("> \t\r\n").find(text[c]) == std::string::npos) ++c;
    std::string name = text.substr(b + 1, c - b - 1);
    size_t end = text.size() - rng() % (text.size() - c + 1);
    long expected = ref::FindMatchingEndTag(text.substr(c, end - c), name);
    size_t found = index.Find(name, c, end);
    long actual = found == std::string_view::npos ? -1 : static_cast<long>(found - c);
    ASSERT_EQ(actual, expected) << "name '" << name << "' from " << c << " to " << end;
    ++checked;
  }
  EXPECT_GT(checked, 100);
}
