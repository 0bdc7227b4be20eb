// The object archive of the project file: little-endian numbers, length-prefixed code page 932 strings
// (in the wide UTF-16 form when they hold characters the code page lacks), object counts, and item
// records tagged with their class.
//
// Loading works on the whole file in memory and checks every count and length against the bytes that
// remain, so a corrupt or hostile file raises CArchiveException and never allocates beyond its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/vamel_exception.h"

class CRssItem;

// The most entries a string list (the exclusion lists) may have when loaded.
inline constexpr std::size_t kMaxStringListEntries = 100000;

// The archive's format error. Its message is the user-visible text "予期しないﾌｧｲﾙ形式です。".
class CArchiveException : public CVamelException {
public:
  CArchiveException();
};

class CArchive {
public:
  // An archive that stores into an in-memory buffer.
  CArchive();
  // An archive that loads from `data`, which must outlive it.
  explicit CArchive(std::string_view data);

  bool IsStoring() const { return m_storing; }
  bool IsLoading() const { return !m_storing; }

  // Storing.
  void WriteByte(std::uint8_t v);
  void WriteUInt16(std::uint16_t v);
  void WriteUInt32(std::uint32_t v);
  void WriteInt32(std::int32_t v) { WriteUInt32(static_cast<std::uint32_t>(v)); }
  void WriteTime(TimeValue t) { WriteInt32(t); }
  void WriteString(const std::string& s);
  void WriteStringList(const std::vector<std::string>& list);
  void WriteCount(std::uint32_t count);
  void WriteItemObject(CRssItem& item);
  // Passes the stored bytes to `sink` in pieces of about a megabyte as they are produced, instead of
  // keeping them all; Flush passes the rest. Once the sink fails, later bytes are dropped.
  void StreamTo(std::function<bool(std::string_view)> sink) { m_sink = std::move(sink); }
  // Passes what is buffered to the sink; false when the sink failed at any point.
  bool Flush();
  const std::string& GetBuffer() const { return m_out; }
  std::string TakeBuffer() { return std::move(m_out); }
  void ReserveBuffer(size_t bytes) { m_out.reserve(bytes); }

  // Loading; each raises CArchiveException when the data ends early or is malformed.
  std::uint8_t ReadByte();
  std::uint16_t ReadUInt16();
  std::uint32_t ReadUInt32();
  std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }
  TimeValue ReadTime() { return ReadInt32(); }
  std::string ReadString();
  void ReadStringList(std::vector<std::string>& list);  // appends
  std::uint32_t ReadCount();
  std::unique_ptr<CRssItem> ReadItemObject();
  size_t Remaining() const { return m_in.size() - m_pos; }
  bool AtEnd() const { return m_pos == m_in.size(); }
  std::string_view Rest() const { return m_in.substr(m_pos); }
  // The most item records that the remaining bytes can hold.
  size_t MaxItemsRemaining() const;

private:
  void WriteLengthPrefix(size_t n);
  std::string_view Take(size_t n);
  size_t ReadLengthPrefix(bool& wide);

  void SpillWhenFull();

  bool m_storing;
  std::string m_out;
  std::function<bool(std::string_view)> m_sink;
  bool m_sinkFailed = false;
  std::string_view m_in;
  size_t m_pos = 0;
  // Storing: number of the item class once written (0 before). Loading: what each number stands for.
  std::uint32_t m_storedClassNumber = 0;
  std::uint32_t m_storeCount = 0;  // classes and objects numbered so far
  enum class Entry : std::uint8_t { Null, Class, Object };
  std::vector<Entry> m_loadMap;
};
