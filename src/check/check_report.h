// The findings of one check as the rules raise them, tied to a node, an attribute or a place in the
// text, and turned into CFeedFinding (line, column, element, message) once the walk is over.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <unordered_set>
#include <string_view>
#include <vector>

#include "check/check_rules.h"
#include "check/feed_check.h"

class CCheckReport {
public:
  explicit CCheckReport(CheckLanguage language) : m_language(language) {}

  // At an element's start tag, or (with `attribute`, a qualified name) at that attribute of it.
  void AtNode(CheckRule rule, const xmlNode* node, std::string_view arg1 = {}, std::string_view arg2 = {});
  void AtAttribute(CheckRule rule, const xmlNode* node, const char* attribute, std::string_view arg1 = {},
                   std::string_view arg2 = {});
  // At `node`, the second detail being the line of `other` (for duplicates: "also on line N").
  void AtNodeSeeAlso(CheckRule rule, const xmlNode* node, std::string_view arg1, const xmlNode* other);
  // At a byte offset of the document's UTF-8 text.
  void AtOffset(CheckRule rule, size_t offset, std::string_view arg1 = {});
  // At a line and column that libxml2 gave (column 0 when it gave none).
  void AtPosition(CheckRule rule, int line, int column, std::string_view arg1 = {});
  // About the whole file.
  void AtFile(CheckRule rule, std::string_view arg1 = {});

  bool HasErrorAt(const xmlNode* node) const;
  bool Empty() const { return m_pending.empty(); }
  // Keeps only the first finding (an ill-formed file gives one error).
  void KeepFirst();

  // The findings in document order. `utf8` is the document as UTF-8 (what the positions count in);
  // `root` the root element of the parsed tree (nullptr when there is none).
  std::vector<CFeedFinding> Resolve(std::string_view utf8, const xmlNode* root) const;

private:
  struct CPending {
    CheckRule rule = CheckRule::NotWellFormed;
    std::string arg1, arg2;  // UTF-8
    const xmlNode* node = nullptr;
    const xmlNode* other = nullptr;
    std::string attribute;
    size_t offset = std::string_view::npos;
    int line = 0, column = 0;
    size_t order = 0;
  };

  CheckLanguage m_language;
  std::vector<CPending> m_pending;
  std::unordered_set<const xmlNode*> m_errorNodes;
};

// A rule's message in the language, its "{}" filled with the details (UTF-8).
std::string RuleMessage(CheckRule rule, CheckLanguage language, const std::string& arg1 = std::string(),
                        const std::string& arg2 = std::string());

// The qualified name of an element ("dc:date"), UTF-8.
std::string QualifiedName(const xmlNode* node);
