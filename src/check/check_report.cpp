#include "check/check_report.h"

#include <algorithm>
#include <unordered_map>

#include "check/check_nodes.h"
#include "check/check_positions.h"
#include "platform/text_codec.h"

namespace {

constexpr size_t npos = std::string_view::npos;

std::string Fill(const char* pattern, const std::string& arg1, const std::string& arg2) {
  std::string out;
  const std::string* args[] = {&arg1, &arg2};
  int next = 0;
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '{' && p[1] == '}' && next < 2) {
      out += *args[next++];
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

// Details quoted in a message are cut to a readable length, at a character boundary.
std::string Shorten(std::string_view text) {
  constexpr size_t kMax = 120;
  if (text.size() <= kMax) return std::string(text);
  size_t cut = kMax;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

// The document-order numbers of the elements in `wanted`, by one walk of the tree. Children of entity
// references belong to the entity's declaration, not to the text, and are not counted.
std::unordered_map<const xmlNode*, size_t> ElementNumbers(const xmlNode* root,
                                                          const std::unordered_map<const xmlNode*, size_t>& wanted) {
  std::unordered_map<const xmlNode*, size_t> numbers;
  size_t count = 0;
  for (const xmlNode* node = root; node && numbers.size() < wanted.size();
       node = NextInWalk(node, root, node->type == XML_ELEMENT_NODE)) {
    if (node->type != XML_ELEMENT_NODE) continue;
    if (wanted.count(node)) numbers[node] = count;
    ++count;
  }
  return numbers;
}

}  // namespace

std::string QualifiedName(const xmlNode* node) {
  std::string name;
  if (node->ns && node->ns->prefix) name = std::string(reinterpret_cast<const char*>(node->ns->prefix)) + ":";
  if (node->name) name += reinterpret_cast<const char*>(node->name);
  return name;
}

void CCheckReport::AtNode(CheckRule rule, const xmlNode* node, std::string_view arg1, std::string_view arg2) {
  CPending p;
  p.rule = rule;
  p.arg1 = Shorten(arg1);
  p.arg2 = Shorten(arg2);

  p.node = node;
  p.order = m_pending.size();
  if (RuleText(rule).severity == CheckSeverity::Error) m_errorNodes.insert(node);
  m_pending.push_back(std::move(p));
}

void CCheckReport::AtAttribute(CheckRule rule, const xmlNode* node, const char* attribute, std::string_view arg1,
                               std::string_view arg2) {
  AtNode(rule, node, arg1, arg2);
  m_pending.back().attribute = attribute;
}

void CCheckReport::AtNodeSeeAlso(CheckRule rule, const xmlNode* node, std::string_view arg1, const xmlNode* other) {
  AtNode(rule, node, arg1);
  m_pending.back().other = other;
}

void CCheckReport::AtOffset(CheckRule rule, size_t offset, std::string_view arg1) {
  CPending p;
  p.rule = rule;
  p.arg1 = Shorten(arg1);

  p.offset = offset;
  p.order = m_pending.size();
  m_pending.push_back(std::move(p));
}

void CCheckReport::AtPosition(CheckRule rule, int line, int column, std::string_view arg1) {
  CPending p;
  p.rule = rule;
  p.arg1 = Shorten(arg1);

  p.line = line;
  p.column = column;
  p.order = m_pending.size();
  m_pending.push_back(std::move(p));
}

void CCheckReport::AtFile(CheckRule rule, std::string_view arg1) {
  CPending p;
  p.rule = rule;
  p.arg1 = Shorten(arg1);

  p.order = m_pending.size();
  m_pending.push_back(std::move(p));
}

bool CCheckReport::HasErrorAt(const xmlNode* node) const {
  return m_errorNodes.count(node) != 0;
}

void CCheckReport::KeepFirst() {
  if (m_pending.size() > 1) m_pending.resize(1);
}

std::vector<CFeedFinding> CCheckReport::Resolve(std::string_view utf8, const xmlNode* root) const {
  // Every node that a finding names, then its start tag, then the attribute, then line and column.
  std::unordered_map<const xmlNode*, size_t> wanted;
  for (const CPending& p : m_pending) {
    if (p.node) wanted.emplace(p.node, 0);
    if (p.other) wanted.emplace(p.other, 0);
  }
  std::unordered_map<const xmlNode*, size_t> tagOffset;
  if (!wanted.empty() && root) {
    std::unordered_map<const xmlNode*, size_t> numbers = ElementNumbers(root, wanted);
    std::vector<size_t> sorted;
    for (const auto& [node, number] : numbers) sorted.push_back(number);
    std::sort(sorted.begin(), sorted.end());
    std::vector<size_t> offsets = StartTagOffsets(utf8, sorted);
    for (const auto& [node, number] : numbers) {
      size_t at = static_cast<size_t>(std::lower_bound(sorted.begin(), sorted.end(), number) - sorted.begin());
      tagOffset[node] = offsets[at];
    }
  }
  auto offsetOf = [&](const xmlNode* node) {
    auto it = tagOffset.find(node);
    return it == tagOffset.end() ? npos : it->second;
  };

  // Offsets to convert: each finding's own place, then each "other" place.
  std::vector<size_t> places;
  for (const CPending& p : m_pending) {
    size_t at = p.offset;
    if (p.node) {
      at = offsetOf(p.node);
      if (at != npos && !p.attribute.empty()) at = AttributeOffset(utf8, at, p.attribute);
    }
    places.push_back(at);
  }
  for (const CPending& p : m_pending) places.push_back(p.other ? offsetOf(p.other) : npos);
  std::vector<std::pair<int, int>> lineColumns = LineColumns(utf8, places);

  std::vector<CFeedFinding> findings;
  for (size_t i = 0; i < m_pending.size(); ++i) {
    const CPending& p = m_pending[i];
    CFeedFinding f;
    f.severity = RuleText(p.rule).severity;
    f.rule = RuleText(p.rule).name;
    if (places[i] != npos) {
      f.line = lineColumns[i].first;
      f.column = lineColumns[i].second;
    } else {
      f.line = p.line;
      f.column = p.column;
    }
    std::string arg2 = p.arg2;
    if (p.other) {
      size_t j = m_pending.size() + i;
      arg2 = places[j] == npos ? "?" : std::to_string(lineColumns[j].first);
    }
    if (p.node) f.element = Utf8ToAnsi(QualifiedName(p.node) + (p.attribute.empty() ? "" : "@" + p.attribute));
    f.message = Utf8ToAnsi(Fill(m_language == CheckLanguage::Japanese ? RuleText(p.rule).japanese : RuleText(p.rule).english,
                                p.arg1, arg2));
    findings.push_back(std::move(f));
  }
  // File-wide findings first, then by place, ties in the order they were raised.
  std::vector<size_t> order(findings.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const CFeedFinding& x = findings[a];
    const CFeedFinding& y = findings[b];
    return std::make_pair(x.line, x.column) < std::make_pair(y.line, y.column);
  });
  std::vector<CFeedFinding> sorted;
  sorted.reserve(findings.size());
  for (size_t i : order) sorted.push_back(std::move(findings[i]));
  return sorted;
}
