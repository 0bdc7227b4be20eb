#include "xml/vxml_character_data.h"

#include <mutex>
#include <unordered_map>

namespace {

// The names that SetNodeName gave to character data, by node.
struct CRenamed {
  std::mutex mutex;
  std::unordered_map<const CVXMLCharacterData*, std::string> names;
};

CRenamed& Renamed() {
  static CRenamed* renamed = new CRenamed;  // nodes may go while the process ends
  return *renamed;
}

}  // namespace

CVXMLCharacterData::CVXMLCharacterData(const CVXMLCharacterData& other) : CVXMLNode(other) {
  m_nodeValue.Assign(other.m_nodeValue.View(), nullptr);
  if (other.m_nodeValue.Marked()) SetNodeName(std::string(other.RenamedName()));
}

CVXMLCharacterData::~CVXMLCharacterData() {
  m_nodeValue.Release(m_arena);
  if (!m_nodeValue.Marked()) return;
  std::lock_guard<std::mutex> lock(Renamed().mutex);
  Renamed().names.erase(this);
}

void CVXMLCharacterData::SetNodeName(const std::string& name) {
  std::lock_guard<std::mutex> lock(Renamed().mutex);
  Renamed().names[this] = name;
  m_nodeValue.SetMarked(true);
}

std::string_view CVXMLCharacterData::RenamedName() const {
  std::lock_guard<std::mutex> lock(Renamed().mutex);
  return Renamed().names[this];  // the string stays in place until the node goes or is renamed
}

void CVXMLCDATASection::AppendXml(std::string& out, const CVXMLOptions&) const {
  out += "<![CDATA[";
  out.append(m_nodeValue.View());
  out += "]]>";
}

void CVXMLComment::AppendXml(std::string& out, const CVXMLOptions&) const {
  out += "<!--";
  out.append(m_nodeValue.View());
  out += "-->";
}
