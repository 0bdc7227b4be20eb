#include "model/archive.h"

#include <cstring>

#include "model/rss_item.h"
#include "platform/text_codec.h"

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000u;
constexpr std::uint16_t kWideStringMarker = 0xFFFE;
// The smallest item record: a class reference, the version and nine one-byte or four-byte fields.
constexpr size_t kMinItemRecord = 2 + 4 + 7 * 1 + 2 * 4;

}  // namespace

CArchiveException::CArchiveException() : CVamelException(Lit("予期しないﾌｧｲﾙ形式です。")) {}

CArchive::CArchive() : m_storing(true) {}

CArchive::CArchive(std::string_view data) : m_storing(false), m_in(data) {
  m_loadMap.push_back(Entry::Null);  // number 0 is the null object
}

void CArchive::WriteByte(std::uint8_t v) { m_out.push_back(static_cast<char>(v)); }

void CArchive::WriteUInt16(std::uint16_t v) {
  char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  m_out.append(b, 2);
}

void CArchive::WriteUInt32(std::uint32_t v) {
  char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
               static_cast<char>(v >> 24)};
  m_out.append(b, 4);
}

void CArchive::WriteLengthPrefix(size_t n) {
  if (n < 255) {
    WriteByte(static_cast<std::uint8_t>(n));
  } else if (n < 0xFFFE) {
    WriteByte(0xFF);
    WriteUInt16(static_cast<std::uint16_t>(n));
  } else {
    WriteByte(0xFF);
    WriteUInt16(0xFFFF);
    WriteUInt32(static_cast<std::uint32_t>(n));
  }
}

void CArchive::WriteString(const std::string& s) {
  // A string with characters that code page 932 lacks goes in the wide form, which every reader of the
  // format converts, when it comes back from UTF-16 byte for byte; any other string (and one that would
  // not come back, such as one with a broken double-byte character) as its own bytes, as always.
  if (HoldsCarriedChar(s)) {
    const std::string wide = AnsiToUtf16Le(s);
    if (Utf16LeToAnsi(wide) == s) {
      WriteByte(0xFF);
      WriteUInt16(kWideStringMarker);
      WriteLengthPrefix(wide.size() / 2);
      m_out.append(wide);
      SpillWhenFull();
      return;
    }
  }
  WriteLengthPrefix(s.size());
  m_out.append(s);
  SpillWhenFull();
}

void CArchive::SpillWhenFull() {
  constexpr size_t kPiece = 1u << 20;
  if (m_sink && m_out.size() >= kPiece) Flush();
}

bool CArchive::Flush() {
  if (!m_sink) return true;
  if (!m_sinkFailed && !m_out.empty() && !m_sink(m_out)) m_sinkFailed = true;
  m_out.clear();
  return !m_sinkFailed;
}

void CArchive::WriteStringList(const std::vector<std::string>& list) {
  WriteInt32(static_cast<std::int32_t>(list.size()));
  for (const std::string& s : list) WriteString(s);
}

void CArchive::WriteCount(std::uint32_t count) {
  if (count < 0xFFFF) {
    WriteUInt16(static_cast<std::uint16_t>(count));
  } else {
    WriteUInt16(0xFFFF);
    WriteUInt32(count);
  }
}

void CArchive::WriteItemObject(CRssItem& item) {
  if (m_storedClassNumber == 0) {
    WriteUInt16(kNewClassTag);
    WriteUInt16(static_cast<std::uint16_t>(CRssItem::kSchema));
    std::string name = CRssItem::kClassName;
    WriteUInt16(static_cast<std::uint16_t>(name.size()));
    m_out.append(name);
    m_storedClassNumber = ++m_storeCount;
  } else if (m_storedClassNumber < kBigObjectTag) {
    WriteUInt16(static_cast<std::uint16_t>(kClassTag | m_storedClassNumber));
  } else {
    WriteUInt16(kBigObjectTag);
    WriteUInt32(kBigClassTag | m_storedClassNumber);
  }
  ++m_storeCount;  // the object's own number
  item.Serialize(*this);
}

std::string_view CArchive::Take(size_t n) {
  if (n > Remaining()) throw CArchiveException();
  std::string_view part = m_in.substr(m_pos, n);
  m_pos += n;
  return part;
}

std::uint8_t CArchive::ReadByte() { return static_cast<std::uint8_t>(Take(1)[0]); }

std::uint16_t CArchive::ReadUInt16() {
  std::string_view b = Take(2);
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[0]) | (static_cast<std::uint8_t>(b[1]) << 8));
}

std::uint32_t CArchive::ReadUInt32() {
  std::string_view b = Take(4);
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[0])) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[1])) << 8) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[2])) << 16) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[3])) << 24);
}

// The length forms: a byte below FF; FF and a uint16 below FFFE; FF FFFF and a uint32. FF FFFE marks
// a wide string, whose own length follows in one of the same forms.
size_t CArchive::ReadLengthPrefix(bool& wide) {
  std::uint8_t b = ReadByte();
  if (b < 0xFF) return b;
  std::uint16_t w = ReadUInt16();
  if (w == kWideStringMarker) {
    if (wide) throw CArchiveException();  // a second marker is not a length
    wide = true;
    return ReadLengthPrefix(wide);
  }
  if (w < 0xFFFF) return w;
  return ReadUInt32();
}

std::string CArchive::ReadString() {
  bool wide = false;
  size_t n = ReadLengthPrefix(wide);
  if (!wide) {
    if (n > Remaining()) throw CArchiveException();
    return std::string(Take(n));
  }
  if (n > Remaining() / 2) throw CArchiveException();
  return Utf16LeToAnsi(Take(n * 2));
}

void CArchive::ReadStringList(std::vector<std::string>& list) {
  std::int32_t n = ReadInt32();
  // Every string takes at least its one-byte length; and a list of empty strings, one byte each in the
  // file but dozens in memory, stays within what any site's list can be.
  if (n < 0 || static_cast<size_t>(n) > Remaining() || static_cast<size_t>(n) > kMaxStringListEntries) {
    throw CArchiveException();
  }
  for (std::int32_t i = 0; i < n; ++i) list.push_back(ReadString());
}

std::uint32_t CArchive::ReadCount() {
  std::uint16_t w = ReadUInt16();
  if (w != 0xFFFF) return w;
  return ReadUInt32();
}

std::unique_ptr<CRssItem> CArchive::ReadItemObject() {
  std::uint16_t tag = ReadUInt16();
  std::uint32_t classNumber = 0;
  if (tag == kNewClassTag) {
    std::uint16_t schema = ReadUInt16();
    std::uint16_t nameLength = ReadUInt16();
    std::string_view name = Take(nameLength);
    if (name != CRssItem::kClassName || schema != CRssItem::kSchema) throw CArchiveException();
    m_loadMap.push_back(Entry::Class);
  } else {
    if (tag == kBigObjectTag) {
      std::uint32_t big = ReadUInt32();
      if (!(big & kBigClassTag)) throw CArchiveException();  // object references are never written
      classNumber = big & ~kBigClassTag;
    } else if (tag & kClassTag) {
      classNumber = tag & ~kClassTag;
    } else {
      throw CArchiveException();  // a null or an object reference instead of an item
    }
    if (classNumber == 0 || classNumber >= m_loadMap.size() || m_loadMap[classNumber] != Entry::Class)
      throw CArchiveException();
  }
  m_loadMap.push_back(Entry::Object);
  auto item = std::make_unique<CRssItem>(0);
  item->Serialize(*this);
  return item;
}

size_t CArchive::MaxItemsRemaining() const { return Remaining() / kMinItemRecord; }
