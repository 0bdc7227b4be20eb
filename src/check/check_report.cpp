#include "check/check_report.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

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
  const size_t count = m_pending.size();
  // The start tag of every node that a finding names (by the element's number in document order, which
  // the parse left in `_private`), then the attribute, then line and column. Elements without a number
  // (those of entity declarations) have no place in the text. Places [0, count) are the findings' own,
  // [count, 2 count) those of their "other" nodes.
  std::vector<size_t> places(2 * count, npos);
  std::vector<std::pair<size_t, size_t>> numbered;  // element number, place
  auto number = [&](const xmlNode* node, size_t place) {
    const auto n = node && root ? reinterpret_cast<std::uintptr_t>(node->_private) : 0;
    if (n > 0) numbered.emplace_back(static_cast<size_t>(n - 1), place);
  };
  for (size_t i = 0; i < count; ++i) {
    number(m_pending[i].node, i);
    number(m_pending[i].other, count + i);
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<size_t> numbers;
  numbers.reserve(numbered.size());
  for (const auto& n : numbered) numbers.push_back(n.first);
  const std::vector<size_t> tags = StartTagOffsets(utf8, numbers);
  for (size_t k = 0; k < numbered.size(); ++k) places[numbered[k].second] = tags[k];
  for (size_t i = 0; i < count; ++i) {
    const CPending& p = m_pending[i];
    if (!p.node) places[i] = p.offset;
    else if (places[i] != npos && !p.attribute.empty()) places[i] = AttributeOffset(utf8, places[i], p.attribute);
  }
  const std::vector<std::pair<int, int>> lineColumns = LineColumns(utf8, places);
  auto lineColumn = [&](size_t i) {
    return places[i] != npos ? lineColumns[i] : std::make_pair(m_pending[i].line, m_pending[i].column);
  };

  // File-wide findings first, then by place, ties in the order they were raised.
  std::vector<size_t> order(count);
  for (size_t i = 0; i < count; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lineColumn(a) < lineColumn(b); });

  std::vector<CFeedFinding> findings;
  findings.reserve(count);
  for (size_t i : order) {
    const CPending& p = m_pending[i];
    CFeedFinding f;
    f.severity = RuleText(p.rule).severity;
    f.rule = RuleText(p.rule).name;
    std::tie(f.line, f.column) = lineColumn(i);
    std::string arg2 = p.arg2;
    if (p.other) arg2 = places[count + i] == npos ? "?" : std::to_string(lineColumns[count + i].first);
    if (p.node) f.element = Utf8ToAnsi(QualifiedName(p.node) + (p.attribute.empty() ? "" : "@" + p.attribute));
    f.message = Utf8ToAnsi(RuleMessage(p.rule, m_language, p.arg1, arg2));
    findings.push_back(std::move(f));
  }
  return findings;
}

std::string RuleMessage(CheckRule rule, CheckLanguage language, const std::string& arg1, const std::string& arg2) {
  return Fill(language == CheckLanguage::Japanese ? RuleText(rule).japanese : RuleText(rule).english, arg1, arg2);
}
