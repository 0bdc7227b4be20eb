// A deliberately simple implementation of the markup parser, byte by byte and with copies, recursive,
// as the algorithm reads. The library's parser must build exactly the same trees.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CVXMLNode;

struct RefNode {
  int type = 1;  // 1 element, 3 text, 4 CDATA, 8 comment
  std::string name;
  std::string value;
  std::vector<std::pair<std::string, std::string>> attributes;
  int selfClosing = 0;
  int scriptTag = 0;
  int hasEndTag = 1;
  std::vector<std::unique_ptr<RefNode>> children;
};

namespace ref {

long FindMatchingEndTag(const std::string& text, const std::string& name);
void ParseElement(RefNode& element, const std::string& markup);
bool ParseContent(const std::string& text, RefNode& parent);
// LoadText's prolog handling, trimming, trailing-misc removal and encoding, then ParseElement.
std::unique_ptr<RefNode> LoadText(std::string text, bool html, std::string* declaredEncoding);

}  // namespace ref

// "" when the trees are equal, otherwise where and how they differ.
std::string CompareTrees(const RefNode& expected, const CVXMLNode& actual);
// A readable dump of a tree, for failure messages.
std::string DumpTree(const RefNode& node);
