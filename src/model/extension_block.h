// The extension block of a project file: the values of CProjectExtensions and CItemExtensions, after
// everything the classic file holds. A loader of the classic file stops at the end of its own data and
// never sees the block.
//
// Layout: the tag kExtensionTag (8 bytes), the format version and the length of the values (uint32
// little-endian each), then the values: one JSON object in UTF-8. Project values are its members by
// name; "items" maps an item's index in the file (decimal) to an object of that item's values. Only
// values that differ from their defaults are written, and no block at all when every value is a
// default, so a project that uses no extension is byte-identical to a classic one. Keys this version
// does not know are kept with their values and written back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRssFile;
struct CItemExtensions;
struct CProjectExtensions;

// PNG-style: a byte above ASCII, a name, CR LF, end-of-file and LF, so that neither a text-mode copy
// nor a file's normal end passes for it.
inline constexpr char kExtensionTag[8] = {'\x89', 'V', 'R', 'X', '\r', '\n', '\x1A', '\n'};
inline constexpr std::uint32_t kExtensionVersion = 1;
inline constexpr std::size_t kExtensionHeaderBytes = 16;
// A block holds at most this many bytes of values (about 300 bytes for each of 200,000 items): a larger
// one is damage, and is never parsed.
inline constexpr std::size_t kMaxExtensionBytes = std::size_t{64} << 20;
// JSON values nest at most this deep: deeper ones are damage, not settings.
inline constexpr int kMaxExtensionDepth = 64;

// The block of the project and its items, or "" when every value is a default.
std::string ExtensionBlockBytes(const CRssFile& project);

// Reads the block from `rest`, the bytes after the classic file's data, into the project and its items
// (loaded already, with default extensions). Damage (another tag, a length that is not the rest of the
// file, another version, values that are not valid UTF-8 or not JSON, values of the wrong type) costs
// only extension values: the names of those reset to their defaults come back, in internal text, in
// the order found; nothing when the block was sound or absent. Never throws.
std::vector<std::string> ReadExtensionBlock(std::string_view rest, CRssFile& project);

// The values as one JSON object (UTF-8): every known value, or only those that differ from their
// defaults, and the unknown ones. What `show` prints.
std::string ExtensionValuesJson(const CProjectExtensions& ext, bool withDefaults);
std::string ExtensionValuesJson(const CItemExtensions& ext, bool withDefaults);

// The one message that tells the user which extension values a damaged block cost (internal text).
std::string ExtensionResetMessage(const std::vector<std::string>& resetValues);
